// CWnd: creation and destruction of windows, message dispatch through the
// message maps, and the default window procedure.
#include "GdiObjects.h"
#include "WindowState.h"

#include <framework/CString.h>
#include <framework/CmdUI.h>
#include <framework/FailureReport.h>
#include <framework/FrameWnd.h>
#include <framework/Gdi.h>
#include <framework/MessageBox.h>
#include <framework/Resources.h>
#include <framework/WinApp.h>
#include <framework/Wnd.h>

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstring>

using namespace orbel::window;

namespace {

// Used to ask whether a command is enabled before routing it.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

const char* ClassNameOf(LPCSTR name) {
    if (name == nullptr || IS_INTRESOURCE(name))
        return "";
    return name;
}

void DestroyTree(HWND h) {
    HWND__* r = Record(h);
    if (r == nullptr || r->destroying)
        return;
    r->destroying = true;
    State& s = GetState();
    if (s.capture == h)
        ::ReleaseCapture();
    // Owned top-level windows go first, as on Windows.
    for (HWND t : TopLevelWindows())
        if (HWND__* tr = Record(t); tr && tr->owner == h)
            DestroyTree(t);
    if (r->widget)
        r->widget->hide();
    ::SendMessage(h, WM_DESTROY, 0, 0);
    std::vector<HWND> kids = r->children;
    for (HWND c : kids)
        DestroyTree(c);
    if (s.focus == h)
        s.focus = nullptr;
    ::SendMessage(h, WM_NCDESTROY, 0, 0);
    // The object has let go of the handle (or there never was one).
    if (r->wnd != nullptr) {
        r->wnd->m_hWnd = nullptr;
        r->wnd = nullptr;
    }
    if (r->tempWnd != nullptr) {
        r->tempWnd->m_hWnd = nullptr;
        delete r->tempWnd;
        r->tempWnd = nullptr;
    }
    if (HWND__* p = Record(r->parent))
        p->children.erase(std::remove(p->children.begin(), p->children.end(), h), p->children.end());
    QWidget* widget = r->widget;
    ForgetRecord(h);
    r->destroyed = true;
    r->widget = nullptr;
    r->menuBar = nullptr;
    if (widget != nullptr) {
        widget->setParent(nullptr);
        widget->deleteLater();
    }
}

} // namespace

BOOL DestroyWindow(HWND hWnd) {
    if (!Record(hWnd))
        return FALSE;
    DestroyTree(hWnd);
    return TRUE;
}

LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return 0;
    if (message == WM_PAINT)
        ++r->paintCount;
    // A window whose creation threw is not created.
    const LRESULT failed = message == WM_CREATE ? -1 : 0;
    if (CWnd* wnd = r->wnd)
        return Guarded([=] { return wnd->WindowProc(message, wParam, lParam); }, failed);
    if (WNDPROC proc = r->classProc)
        return Guarded([=] { return proc(hWnd, message, wParam, lParam); }, failed);
    return Guarded([=] { return ::DefWindowProc(hWnd, message, wParam, lParam); }, failed);
}

void AfxReportDispatchException(const char* fallbackText) {
    orbel::ReportFailure(fallbackText, MB_OK | MB_ICONEXCLAMATION);
}

LRESULT DefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return 0;
    const bool child = (r->style & WS_CHILD) != 0;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        const QRgb bg = r->background;
        HBRUSH brush = ::CreateSolidBrush(RGB(qRed(bg), qGreen(bg), qBlue(bg)));
        ::FillRect(dc, &rc, brush);
        ::DeleteObject(reinterpret_cast<HGDIOBJ>(brush));
        return 1;
    }
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_RBUTTONUP: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ClientToScreen(hWnd, &p);
        ::SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(p.x, p.y));
        return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        if (child && Record(r->parent))
            return ::SendMessage(r->parent, msg, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        if (child && Record(r->parent)) {
            LRESULT res = ::SendMessage(r->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (res != 0)
                return res;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR:
        if (child && Record(r->parent))
            return ::SendMessage(r->parent, msg, wParam, lParam);
        return FALSE;
    case WM_SETTEXT:
        r->text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        if (!child && r->widget)
            r->widget->setWindowTitle(QString::fromUtf8(r->text.c_str()));
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0)
            return 0;
        auto* buffer = reinterpret_cast<LPSTR>(lParam);
        const std::size_t n = std::min<std::size_t>(r->text.size(), wParam - 1);
        std::memcpy(buffer, r->text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(r->text.size());
    case WM_SETFONT:
        r->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(r->font);
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (HWND__* r = Record(m_hWnd)) {
        if (r->wnd == this) {
            // The derived parts are gone: let the window die without them.
            r->wnd = nullptr;
            HWND h = m_hWnd;
            m_hWnd = nullptr;
            ::DestroyWindow(h);
        }
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return nullptr;
    if (r->wnd != nullptr)
        return r->wnd;
    if (r->tempWnd == nullptr) {
        r->tempWnd = new CWnd;
        r->tempWnd->m_hWnd = hWnd;
        r->tempWnd->m_bTemporary = true;
    }
    return r->tempWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    HWND__* r = Record(hWnd);
    return r ? r->wnd : nullptr;
}

BOOL CWnd::Attach(HWND hWnd) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || r->wnd != nullptr)
        return FALSE;
    r->wnd = this;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (HWND__* r = Record(h); r && r->wnd == this)
        r->wnd = nullptr;
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    EnsureQtApp();
    if (Record(m_hWnd))
        return FALSE;
    CREATESTRUCT cs{lpParam,  AfxGetInstanceHandle(),         nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                    static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    const DWORD style = static_cast<DWORD>(cs.style);
    const bool child = (style & WS_CHILD) != 0;
    HWND__* parent = Record(cs.hwndParent);
    if (child && parent == nullptr) {
        PostNcDestroy();
        return FALSE;
    }
    HWND h = NewRecord();
    HWND__* r = h;
    State& s = GetState();
    r->wnd = this;
    m_hWnd = h;
    r->className = ClassNameOf(cs.lpszClass);
    const WindowClassImpl* windowClass = FindWindowClassImpl(r->className);
    r->style = style;
    r->exStyle = cs.dwExStyle;
    r->id = child ? static_cast<int>(reinterpret_cast<UINT_PTR>(cs.hMenu)) : 0;
    r->text = cs.lpszName ? cs.lpszName : "";
    r->parent = child ? cs.hwndParent : nullptr;
    r->owner = child ? nullptr : (parent ? TopLevelOf(cs.hwndParent) : nullptr);
    r->enabled = (style & WS_DISABLED) == 0;
    if (r->className.rfind("AfxFrameOrView", 0) == 0)
        r->background = 0xFFFFFFFF;
    if (r->className.rfind("Afx:", 0) == 0) {
        const COLORREF bg = static_cast<COLORREF>(std::stoul(r->className.substr(r->className.rfind(':') + 1)));
        r->background = qRgb(GetRValue(bg), GetGValue(bg), GetBValue(bg));
    }
    int cx = cs.cx, cy = cs.cy, px = cs.x, py = cs.y;
    if (!child) {
        if (px == CW_USEDEFAULT) {
            px = 60;
            py = 40;
        }
        if (cx == CW_USEDEFAULT) {
            cx = 1024;
            cy = 720;
        }
    }
    r->rect = QRect(px, py, std::max(0, cx), std::max(0, cy));

    QWidget* parentWidget = child ? parent->widget : (r->owner ? WidgetOf(r->owner) : nullptr);
    QWidget* widget = nullptr;
    if (windowClass != nullptr) {
        r->classProc = windowClass->classProc;
        r->classStyle = windowClass->classStyle;
        if (windowClass->makeWidget)
            widget = windowClass->makeWidget(h, parentWidget, cs);
    }
    if (widget == nullptr) {
        widget = MakeHostWidget(h, parentWidget, !child, style);
        r->hostWidget = true;
    }
    r->widget = widget;
    s.byWidget[widget] = h;
    if (child)
        parent->children.push_back(h);
    else
        s.topLevels.push_back(h);
    if (!child)
        widget->setWindowTitle(QString::fromUtf8(r->text.c_str()));
    if (r->exStyle & WS_EX_ACCEPTFILES)
        widget->setAcceptDrops(true);
    widget->hide();
    if (!child && cs.hMenu != nullptr) {
        r->menu = cs.hMenu;
        RebuildMenuBar(h);
    }
    UpdateInsets(r);
    ApplyGeometry(r);
    ResizeImage(r);

    r->inCreate = true;
    LRESULT created = ::SendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs));
    if (!Record(h))
        return FALSE;
    r->inCreate = false;
    if (created == -1) {
        ::DestroyWindow(h);  // the object hears WM_NCDESTROY and PostNcDestroy
        return FALSE;
    }
    QRect c = r->clientRect();
    ::SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.width(), c.height()));
    if (!Record(h))
        return FALSE;
    ::SendMessage(h, WM_MOVE, 0, MAKELPARAM(r->rect.x(), r->rect.y()));
    if (!Record(h))
        return FALSE;
    if (style & WS_VISIBLE) {
        r->style &= ~static_cast<DWORD>(WS_VISIBLE);
        ::ShowWindow(h, SW_SHOWNA);
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!Record(m_hWnd))
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {
    if (m_bTemporary)
        delete this;
}

void CWnd::OnNcDestroy() {
    HWND h = m_hWnd;
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    if (HWND__* r = Record(h); r && r->wnd == this)
        r->wnd = nullptr;
    m_hWnd = nullptr;
    PostNcDestroy();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) {
    HWND__* r = Record(m_hWnd);
    if (r == nullptr)
        return;
    std::vector<HWND> kids = r->children;
    for (HWND c : kids) {
        ::SendMessage(c, message, wParam, lParam);
        if (bDeep)
            if (CWnd* w = CWnd::FromHandle(c))
                w->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND__* r = Record(m_hWnd);
    if (r != nullptr && r->classProc != nullptr)
        return r->classProc(m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT dummy = 0;
    if (pResult == nullptr)
        pResult = &dummy;
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
        if (lParam != 0 && OnNotify(wParam, lParam, pResult))
            return TRUE;
        return FALSE;
    case WM_NCDESTROY:
        OnNcDestroy();  // may delete this
        *pResult = 0;
        return TRUE;
    default:
        break;
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
    if (entry == nullptr) {
        // An owner-drawn control may draw itself (reflection).
        if (message == WM_DRAWITEM && lParam != 0) {
            auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
            CWnd* control = FromHandlePermanent(item->hwndItem);
            if (control != nullptr && control != this && control->OnChildNotify(message, wParam, lParam, pResult))
                return TRUE;
        }
        return FALSE;
    }
    AFX_MSGCALL call{message, wParam, lParam, 0, nullptr};
    *pResult = entry->pfn(this, call);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    HWND hControl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hControl == nullptr) {
        if (nID == 0)
            return FALSE;
        // A disabled command is not carried out, whatever sent it.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (CWnd* control = FromHandlePermanent(hControl); control && control != this &&
                                                           control->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (CWnd* control = FromHandlePermanent(header->hwndFrom);
        control && control != this && control->OnChildNotify(WM_NOTIFY, header->idFrom, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, header};
    const int code = MAKELONG(static_cast<WORD>(header->code & 0xFFFF), WM_NOTIFY);
    return OnCmdMsg(static_cast<UINT>(header->idFrom), code, &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

const MSG* CWnd::GetCurrentMessage() {
    auto& current = GetState().current;
    static MSG none{};
    return current.empty() ? &none : &current.back();
}

LRESULT CWnd::Default() {
    const MSG* m = GetCurrentMessage();
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

// ---- geometry ----
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                 bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    HWND after = pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr;
    if (pWndInsertAfter == reinterpret_cast<const CWnd*>(HWND_TOPMOST))
        after = HWND_TOPMOST;
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    HWND__* r = Record(m_hWnd);
    if (r == nullptr)
        return;
    QRect area;
    CWnd* around = pAlternateOwner ? pAlternateOwner : CWnd::FromHandle(::GetParent(m_hWnd));
    if ((r->style & WS_CHILD) && around != nullptr) {
        RECT rc;
        around->GetClientRect(&rc);
        area = QRect(0, 0, rc.right, rc.bottom);
    } else if (around != nullptr && ::IsWindowVisible(around->m_hWnd)) {
        RECT rc;
        around->GetWindowRect(&rc);
        area = QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    } else if (QGuiApplication::primaryScreen() != nullptr) {
        area = QGuiApplication::primaryScreen()->availableGeometry();
    } else {
        area = QRect(0, 0, 1024, 768);
    }
    const int x = area.x() + (area.width() - r->rect.width()) / 2;
    const int y = area.y() + (area.height() - r->rect.height()) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// ---- state ----
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const {
    const int n = ::GetWindowTextLengthA(m_hWnd);
    std::string buffer(static_cast<std::size_t>(n) + 1, '\0');
    const int got = ::GetWindowTextA(m_hWnd, buffer.data(), n + 1);
    rString = CString(buffer.data(), got);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
    const DWORD old = GetStyle();
    const DWORD now = (old & ~dwRemove) | dwAdd;
    if (now == old)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(now));
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT) {
    const DWORD old = GetExStyle();
    const DWORD now = (old & ~dwRemove) | dwAdd;
    if (now == old)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(now));
    if (HWND__* r = Record(m_hWnd)) {
        UpdateInsets(r);
        if (r->widget)
            r->widget->setAcceptDrops((now & WS_EX_ACCEPTFILES) != 0);
    }
    return TRUE;
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLong(m_hWnd, GWL_ID, nID)); }

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const {
    HFONT font = reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    return font ? CFont::FromHandle(font) : nullptr;
}

// ---- relations ----
CWnd* CWnd::GetParent() const { return CWnd::FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    HWND__* r = Record(m_hWnd);
    if (r == nullptr)
        return nullptr;
    CWnd* old = GetParent();
    HWND__* np = pWndNewParent ? Record(pWndNewParent->m_hWnd) : nullptr;
    if (HWND__* op = Record(r->parent))
        op->children.erase(std::remove(op->children.begin(), op->children.end(), m_hWnd), op->children.end());
    if (np != nullptr && (r->style & WS_CHILD)) {
        r->parent = np;
        np->children.push_back(m_hWnd);
        if (r->widget) {
            r->widget->setParent(np->widget);
            ApplyGeometry(r);
            if (r->style & WS_VISIBLE)
                r->widget->show();
        }
    } else {
        r->owner = np;
    }
    return old;
}

CWnd* CWnd::GetOwner() const {
    HWND__* r = Record(m_hWnd);
    if (r == nullptr)
        return nullptr;
    return CWnd::FromHandle(r->owner ? r->owner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* pOwnerWnd) {
    if (HWND__* r = Record(m_hWnd))
        r->owner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const { return CWnd::FromHandle(::GetDlgItem(m_hWnd, nID)); }

CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* w = GetParent(); w != nullptr; w = w->GetParent())
        if (w->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(w);
    return nullptr;
}

CWnd* CWnd::GetTopLevelParent() const {
    HWND h = m_hWnd;
    if (!Record(h))
        return nullptr;
    while (HWND p = ::GetParent(h))
        h = p;
    return CWnd::FromHandle(h);
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    CWnd* w = const_cast<CWnd*>(this);
    CFrameWnd* frame = w->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(w) : GetParentFrame();
    while (frame != nullptr) {
        CFrameWnd* up = frame->GetParentFrame();
        if (up == nullptr)
            break;
        frame = up;
    }
    return frame;
}

CWnd* CWnd::GetWindow(UINT nCmd) const { return CWnd::FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetTopWindow() const { return CWnd::FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetNextWindow(UINT nFlag) const { return CWnd::FromHandle(::GetWindow(m_hWnd, nFlag)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }
CWnd* CWnd::GetActiveWindow() { return CWnd::FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return CWnd::FromHandle(::SetActiveWindow(m_hWnd)); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

// ---- painting ----
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }

// ---- focus, capture ----
CWnd* CWnd::SetFocus() { return CWnd::FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return CWnd::FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return CWnd::FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return CWnd::FromHandle(::GetCapture()); }
void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

// ---- modal loops ----
int CWnd::RunModalLoop(DWORD) { return orbel::window::RunModalLoop(m_hWnd); }
BOOL CWnd::ContinueModal() {
    HWND__* r = Record(m_hWnd);
    return r != nullptr && r->modalLoopRunning;
}
void CWnd::EndModalLoop(int nResult) { orbel::window::EndModalLoop(m_hWnd, nResult); }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetMessageBoxCaption(), nType);
}

void CWnd::RepositionBars(UINT, UINT, UINT, UINT, LPRECT, LPCRECT, BOOL) {
    if (IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        static_cast<CFrameWnd*>(this)->RecalcLayout();
}

void CWnd::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

// ---- default handlers: the default processing of their message ----
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    // Owner-drawn controls draw themselves when they want to.
    if (lpDrawItemStruct != nullptr)
        if (CWnd* control = FromHandlePermanent(lpDrawItemStruct->hwndItem); control && control != this) {
            const MSG* m = GetCurrentMessage();
            if (control->OnChildNotify(WM_DRAWITEM, m->wParam, m->lParam, nullptr))
                return;
        }
    Default();
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR, HBRUSH hbrBackground, HICON) {
    COLORREF background = ::GetSysColor(COLOR_WINDOW);
    if (orbel::gdi::Object* brush = orbel::gdi::FromHandle(reinterpret_cast<HGDIOBJ>(hbrBackground)))
        background = brush->color;
    const std::string name = "Afx:" + std::to_string(nClassStyle) + ":" + std::to_string(background);
    if (FindWindowClassImpl(name) == nullptr) {
        WindowClassImpl windowClass;
        windowClass.name = name;
        windowClass.classStyle = nClassStyle;
        RegisterWindowClassImpl(std::move(windowClass));
    }
    return FindWindowClassImpl(name)->name.c_str();
}

CWnd* AfxGetMainWnd() {
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}
