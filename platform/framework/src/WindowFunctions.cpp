// The Win32 window functions over the window records.
#include "WindowState.h"

#include <framework/Wnd.h>

#include <QApplication>
#include <QCursor>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstring>

using namespace orbel::window;

namespace {

QRect ToQRect(const RECT& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

RECT ToRECT(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

bool ParentsVisible(HWND__* r) {
    for (; r != nullptr; r = (r->style & WS_CHILD) ? Record(r->parent) : nullptr)
        if (!(r->style & WS_VISIBLE))
            return false;
    return true;
}

void InvalidateTree(HWND__* r, const QRegion& region, bool erase, bool children) {
    QRect client(0, 0, r->clientRect().width(), r->clientRect().height());
    QRegion add = region.isEmpty() ? QRegion(client) : region.intersected(client);
    if (!add.isEmpty()) {
        r->updateRegion += add;
        r->eraseNeeded = r->eraseNeeded || erase;
        SchedulePump();
    }
    if (!children)
        return;
    for (HWND c : r->children) {
        if (HWND__* cr = Record(c)) {
            QRegion childPart = region.isEmpty() ? QRegion() : region.translated(-cr->rect.topLeft());
            if (region.isEmpty() || !childPart.intersected(QRect(QPoint(0, 0), cr->rect.size())).isEmpty())
                InvalidateTree(cr, childPart, erase, true);
        }
    }
}

void PaintTree(HWND h, bool children) {
    HWND__* r = Record(h);
    if (r == nullptr)
        return;
    PaintNow(h);
    if (!children)
        return;
    std::vector<HWND> kids = r->children;
    for (HWND c : kids)
        PaintTree(c, true);
}

} // namespace

namespace orbel::window {
void Invalidate(HWND__* r, const QRegion& region, bool erase) { InvalidateTree(r, region, erase, false); }
} // namespace orbel::window

BOOL IsWindow(HWND hWnd) { return Record(hWnd) != nullptr; }

BOOL IsWindowVisible(HWND hWnd) {
    HWND__* r = Record(hWnd);
    return r != nullptr && ParentsVisible(r);
}

BOOL IsWindowEnabled(HWND hWnd) {
    HWND__* r = Record(hWnd);
    return r != nullptr && r->enabled;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return FALSE;
    const BOOL wasDisabled = !r->enabled;
    const bool enable = bEnable != FALSE;
    if (r->enabled != enable) {
        r->enabled = enable;
        if (enable)
            r->style &= ~static_cast<DWORD>(WS_DISABLED);
        else
            r->style |= WS_DISABLED;
        if (r->applyEnabled)
            r->applyEnabled(enable);
        if (r->menuBar != nullptr)
            r->menuBar->setEnabled(enable);
        if (!enable && GetState().focus == hWnd)
            ::SetFocus(nullptr);
        ::SendMessage(hWnd, WM_ENABLE, enable, 0);
    }
    return wasDisabled;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return FALSE;
    const BOOL wasVisible = (r->style & WS_VISIBLE) != 0;
    const bool show = nCmdShow != SW_HIDE;
    if (show == static_cast<bool>(wasVisible) && nCmdShow != SW_SHOWMAXIMIZED && nCmdShow != SW_MINIMIZE)
        return wasVisible;
    ::SendMessage(hWnd, WM_SHOWWINDOW, show, 0);
    if ((r = Record(hWnd)) == nullptr)
        return wasVisible;
    if (show) {
        r->style |= WS_VISIBLE;
        if (r->widget) {
            if (nCmdShow == SW_SHOWMAXIMIZED && !(r->style & WS_CHILD))
                r->widget->showMaximized();
            else if (nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED)
                r->widget->showMinimized();
            else
                r->widget->show();
        }
        InvalidateTree(r, QRegion(), true, true);
        if (!(r->style & WS_CHILD))
            FlushToScreen(hWnd);
    } else {
        r->style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (r->widget)
            r->widget->hide();
        HWND f = GetState().focus;
        if (f != nullptr && (f == hWnd || ::IsChild(hWnd, f)))
            ::SetFocus(r->parent);
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND hWnd) {
    if (!Record(hWnd))
        return FALSE;
    PaintNow(hWnd);
    FlushToScreen(hWnd);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    if (hWnd == nullptr) {
        for (HWND h : TopLevelWindows())
            ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | (bErase ? RDW_ERASE : 0));
        return TRUE;
    }
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return FALSE;
    InvalidateTree(r, lpRect ? QRegion(ToQRect(*lpRect)) : QRegion(), bErase != FALSE, false);
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return FALSE;
    if (lpRect == nullptr)
        r->updateRegion = QRegion();
    else
        r->updateRegion -= QRegion(ToQRect(*lpRect));
    return TRUE;
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN, UINT flags) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return FALSE;
    const bool children = (flags & RDW_ALLCHILDREN) != 0;
    if (flags & RDW_INVALIDATE)
        InvalidateTree(r, lprcUpdate ? QRegion(ToQRect(*lprcUpdate)) : QRegion(), (flags & RDW_ERASE) != 0, children);
    if (flags & RDW_VALIDATE)
        ::ValidateRect(hWnd, lprcUpdate);
    if (flags & RDW_UPDATENOW) {
        PaintTree(hWnd, children);
        FlushToScreen(hWnd);
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return FALSE;
    if (lpRect)
        *lpRect = r->updateRegion.isEmpty() ? RECT{0, 0, 0, 0} : ToRECT(r->updateRegion.boundingRect());
    return !r->updateRegion.isEmpty();
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || lpRect == nullptr)
        return FALSE;
    QRect c = r->clientRect();
    *lpRect = RECT{0, 0, c.width(), c.height()};
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || lpRect == nullptr)
        return FALSE;
    QPoint origin = r->widget ? r->widget->mapToGlobal(QPoint(0, 0)) : r->rect.topLeft();
    *lpRect = RECT{origin.x(), origin.y(), origin.x() + r->rect.width(), origin.y() + r->rect.height()};
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || lpPoint == nullptr)
        return FALSE;
    QPoint o = ClientOrigin(r);
    lpPoint->x += o.x();
    lpPoint->y += o.y();
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || lpPoint == nullptr)
        return FALSE;
    QPoint o = ClientOrigin(r);
    lpPoint->x -= o.x();
    lpPoint->y -= o.y();
    return TRUE;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return FALSE;
    QRect old = r->rect;
    QRect g = old;
    if (!(uFlags & SWP_NOMOVE))
        g.moveTo(x, y);
    if (!(uFlags & SWP_NOSIZE))
        g.setSize(QSize(std::max(0, cx), std::max(0, cy)));
    r->rect = g;
    UpdateInsets(r);
    ApplyGeometry(r);
    if (!(uFlags & SWP_NOZORDER) && r->widget) {
        if (hWndInsertAfter == HWND_TOP || hWndInsertAfter == HWND_TOPMOST)
            r->widget->raise();
    }
    if (g.size() != old.size()) {
        ResizeImage(r);
        if (!(uFlags & SWP_NOREDRAW))
            InvalidateTree(r, QRegion(), true, false);
        QRect c = r->clientRect();
        ::SendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.width(), c.height()));
    }
    if ((r = Record(hWnd)) == nullptr)
        return TRUE;
    if (g.topLeft() != old.topLeft())
        ::SendMessage(hWnd, WM_MOVE, 0, MAKELPARAM(g.x(), g.y()));
    if (uFlags & SWP_SHOWWINDOW)
        ::ShowWindow(hWnd, SW_SHOWNA);
    if (uFlags & SWP_HIDEWINDOW)
        ::ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    return ::SetWindowPos(hWnd, nullptr, x, y, nWidth, nHeight, SWP_NOZORDER | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    return ::SendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString ? lpString : "")) != 0;
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount <= 0)
        return 0;
    lpString[0] = '\0';
    return static_cast<int>(::SendMessage(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthA(HWND hWnd) { return static_cast<int>(::SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

HWND GetParent(HWND hWnd) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return nullptr;
    if (r->style & WS_CHILD)
        return r->parent;
    return (r->style & WS_POPUP) ? r->owner : nullptr;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    HWND__* r = Record(hDlg);
    if (r == nullptr)
        return nullptr;
    for (HWND c : r->children)
        if (HWND__* cr = Record(c); cr && cr->id == nIDDlgItem)
            return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    HWND__* r = Record(hWnd);
    return r ? r->id : 0;
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return nullptr;
    auto liveChildren = [](HWND__* p) {
        std::vector<HWND> v;
        for (HWND c : p->children)
            if (Record(c))
                v.push_back(c);
        return v;
    };
    switch (uCmd) {
    case GW_CHILD: {
        auto v = liveChildren(r);
        return v.empty() ? nullptr : v.front();
    }
    case GW_OWNER:
        return r->owner;
    case GW_HWNDNEXT:
    case GW_HWNDFIRST: {
        HWND__* p = Record(r->parent);
        if (p == nullptr)
            return nullptr;
        auto v = liveChildren(p);
        if (uCmd == GW_HWNDFIRST)
            return v.empty() ? nullptr : v.front();
        auto it = std::find(v.begin(), v.end(), hWnd);
        return (it == v.end() || ++it == v.end()) ? nullptr : *it;
    }
    default:
        return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd) { return ::GetWindow(hWnd, GW_CHILD); }

LONG GetWindowLong(HWND hWnd, int nIndex) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return 0;
    switch (nIndex) {
    case GWL_STYLE:
        return static_cast<LONG>(r->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(r->exStyle);
    case GWL_ID:
        return r->id;
    default:
        return 0;
    }
}

LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return 0;
    LONG old = ::GetWindowLong(hWnd, nIndex);
    switch (nIndex) {
    case GWL_STYLE: {
        const DWORD newStyle = static_cast<DWORD>(dwNewLong);
        if ((newStyle & WS_VISIBLE) != (r->style & WS_VISIBLE))
            ::ShowWindow(hWnd, (newStyle & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
        if ((newStyle & WS_DISABLED) != (r->style & WS_DISABLED))
            ::EnableWindow(hWnd, !(newStyle & WS_DISABLED));
        r->style = newStyle;
        break;
    }
    case GWL_EXSTYLE:
        r->exStyle = static_cast<DWORD>(dwNewLong);
        break;
    case GWL_ID:
        r->id = dwNewLong;
        break;
    default:
        break;
    }
    return old;
}

HWND SetFocus(HWND hWnd) {
    State& s = GetState();
    HWND old = Record(s.focus) ? s.focus : nullptr;
    if (hWnd != nullptr && !Record(hWnd))
        return nullptr;
    if (hWnd == old)
        return old;
    if (old != nullptr)
        ::SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    s.focus = hWnd;
    if (HWND__* r = Record(hWnd)) {
        if (r->widget && r->widget->focusPolicy() == Qt::NoFocus)
            r->widget->setFocusPolicy(Qt::ClickFocus);
        if (r->widget)
            r->widget->setFocus(Qt::OtherFocusReason);
        if (HWND top = TopLevelOf(hWnd))
            s.active = top;
        ::SendMessage(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return old;
}

HWND GetFocus() {
    State& s = GetState();
    return Record(s.focus) ? s.focus : nullptr;
}

HWND GetActiveWindow() {
    State& s = GetState();
    if (Record(s.active))
        return s.active;
    if (CWnd* main = AfxGetMainWnd())
        return main->GetSafeHwnd();
    return nullptr;
}

HWND SetActiveWindow(HWND hWnd) {
    State& s = GetState();
    HWND old = ::GetActiveWindow();
    if (HWND__* r = Record(hWnd)) {
        s.active = TopLevelOf(hWnd);
        if (r->widget)
            r->widget->activateWindow();
    }
    return old;
}

BOOL SetForegroundWindow(HWND hWnd) {
    ::SetActiveWindow(hWnd);
    return Record(hWnd) != nullptr;
}

HWND SetCapture(HWND hWnd) {
    State& s = GetState();
    HWND old = Record(s.capture) ? s.capture : nullptr;
    s.capture = Record(hWnd) ? hWnd : nullptr;
    if (old != nullptr && old != s.capture)
        ::SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(s.capture));
    return old;
}

BOOL ReleaseCapture() {
    State& s = GetState();
    HWND old = Record(s.capture) ? s.capture : nullptr;
    s.capture = nullptr;
    if (old != nullptr)
        ::SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    State& s = GetState();
    return Record(s.capture) ? s.capture : nullptr;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
    HWND__* r = Record(hWnd);
    while (r != nullptr && (r->style & WS_CHILD)) {
        if (r->parent == hWndParent)
            return TRUE;
        r = Record(r->parent);
    }
    return FALSE;
}

SHORT GetAsyncKeyState(int vKey) { return ::GetKeyState(vKey); }

BOOL GetCursorPos(LPPOINT lpPoint) {
    if (lpPoint == nullptr)
        return FALSE;
    const QPoint& p = GetState().cursor;
    *lpPoint = POINT{p.x(), p.y()};
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    GetState().cursor = QPoint(x, y);
    if (QCoreApplication::instance() != nullptr)
        QCursor::setPos(x, y);
    return TRUE;
}

HWND WindowFromPoint(POINT point) {
    if (QApplication::instance() == nullptr)
        return nullptr;
    QWidget* w = QApplication::widgetAt(point.x, point.y);
    return w ? HwndOf(w) : nullptr;
}

int GetSystemMetrics(int nIndex) {
    QScreen* screen = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    switch (nIndex) {
    case SM_CXSCREEN:
        return screen ? screen->geometry().width() : 1024;
    case SM_CYSCREEN:
        return screen ? screen->geometry().height() : 768;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CYCAPTION:
        return 19;
    case SM_CYMENU:
        return 20;
    default:
        return 0;
    }
}

BOOL MessageBeep(UINT) {
    if (QApplication::instance() != nullptr)
        QApplication::beep();
    return TRUE;
}

HCURSOR SetCursor(HCURSOR hCursor) { return hCursor; }

HCURSOR LoadCursor(HINSTANCE, LPCSTR lpCursorName) {
    return reinterpret_cast<HCURSOR>(const_cast<char*>(lpCursorName));
}
