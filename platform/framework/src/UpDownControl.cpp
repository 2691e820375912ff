// "msctls_updown32": the arrows beside a number edit. An arrow asks the
// parent first (UDN_DELTAPOS, which may refuse), then moves the position
// within the range and, with UDS_SETBUDDYINT, writes it into the buddy as
// plain decimal digits (a WM_SETTEXT, so the edit sends EN_CHANGE), then
// tells the parent with WM_VSCROLL / WM_HSCROLL.
#include "ControlSupport.h"

#include "WindowImpl.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#define ORBEL_SB_THUMBPOSITION 4
#define ORBEL_SB_ENDSCROLL 8

namespace orbel::controls {
namespace {

class UpDown : public QWidget {
public:
    UpDown(HWND h, QWidget* parent) : QWidget(parent), m_hwnd(h) {
        auto* layout = (StyleOf(h) & UDS_HORZ) ? static_cast<QBoxLayout*>(new QHBoxLayout(this))
                                                : static_cast<QBoxLayout*>(new QVBoxLayout(this));
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        const bool horizontal = StyleOf(h) & UDS_HORZ;
        m_up = new QToolButton(this);
        m_down = new QToolButton(this);
        m_up->setArrowType(horizontal ? Qt::RightArrow : Qt::UpArrow);
        m_down->setArrowType(horizontal ? Qt::LeftArrow : Qt::DownArrow);
        for (auto* b : {m_up, m_down}) {
            b->setAutoRepeat(true);
            b->setFocusPolicy(Qt::NoFocus);
            b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        }
        layout->addWidget(horizontal ? m_down : m_up);
        layout->addWidget(horizontal ? m_up : m_down);
        connect(m_up, &QToolButton::clicked, this, [this] { Guard([this] { step(+1); }); });
        connect(m_down, &QToolButton::clicked, this, [this] { Guard([this] { step(-1); }); });
    }

    // Windows' defaults: the range runs from 100 down to 0.
    int lower = 100;
    int upper = 0;
    int pos = 0;
    int base = 10;
    HWND buddy = nullptr;

    int clamp(int value) const {
        return std::clamp(value, std::min(lower, upper), std::max(lower, upper));
    }

    // The position, read from a number buddy first as Windows does.
    int currentPos(bool* error) {
        if (error) *error = false;
        if (buddy && (StyleOf(m_hwnd) & UDS_SETBUDDYINT) && window::IsLive(buddy)) {
            char text[64] = {};
            ::GetWindowTextA(buddy, text, sizeof text);
            std::string digits;
            for (const char* p = text; *p; ++p)
                if (*p != ',' && *p != ' ') digits += *p;
            char* end = nullptr;
            errno = 0;
            const long value = std::strtol(digits.c_str(), &end, base == 16 ? 16 : 10);
            if (!digits.empty() && *end == '\0' && errno == 0 && value == clamp(static_cast<int>(value)))
                pos = static_cast<int>(value);
            else if (error)
                *error = true;
        }
        return pos;
    }

    void setPos(int value) {
        pos = clamp(value);
        writeBuddy();
    }

    void writeBuddy() {
        if (!buddy || !(StyleOf(m_hwnd) & UDS_SETBUDDYINT) || !window::IsLive(buddy)) return;
        char text[32];
        std::snprintf(text, sizeof text, base == 16 ? "0x%X" : "%d", pos);
        ::SetWindowTextA(buddy, text);
    }

    // One arrow press: +1 towards upper.
    void step(int direction) {
        if (!::IsWindowEnabled(m_hwnd)) return;
        const int current = currentPos(nullptr);
        const int delta = upper >= lower ? direction : -direction;
        NMUPDOWN change{};
        change.hdr.code = UDN_DELTAPOS;
        change.iPos = current;
        change.iDelta = delta;
        if (NotifyParent(m_hwnd, change.hdr) != 0) return;  // the parent refused
        int target = current + change.iDelta;
        const int low = std::min(lower, upper), high = std::max(lower, upper);
        if (target < low || target > high) {
            if (!(StyleOf(m_hwnd) & UDS_WRAP)) target = std::clamp(target, low, high);
            else target = target < low ? high : low;
        }
        if (target != current) {
            pos = target;
            writeBuddy();
        }
        HWND parent = ::GetParent(m_hwnd);
        if (!parent) return;
        const UINT scroll = (StyleOf(m_hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
        ::SendMessage(parent, scroll, MAKEWPARAM(ORBEL_SB_THUMBPOSITION, static_cast<WORD>(pos)),
                      reinterpret_cast<LPARAM>(m_hwnd));
        ::SendMessage(parent, scroll, MAKEWPARAM(ORBEL_SB_ENDSCROLL, static_cast<WORD>(pos)),
                      reinterpret_cast<LPARAM>(m_hwnd));
    }

    // UDS_ARROWKEYS: the Up and Down keys in the buddy act as the arrows.
    void watchBuddyKeys() {
        if (m_watched) m_watched->removeEventFilter(this);
        m_watched = (buddy && (StyleOf(m_hwnd) & UDS_ARROWKEYS)) ? window::WidgetOf(buddy) : nullptr;
        if (m_watched) m_watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_watched && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Guard([this, key] { step(key == Qt::Key_Up ? +1 : -1); });
                return true;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    HWND m_hwnd;
    QToolButton* m_up;
    QToolButton* m_down;
    QPointer<QWidget> m_watched;
};

// Places the arrows inside the buddy's right (or left) edge and narrows the
// buddy by their width, as UDS_ALIGNRIGHT / UDS_ALIGNLEFT do.
void alignToBuddy(HWND h, UpDown& updown) {
    const DWORD style = StyleOf(h);
    if (!updown.buddy || !(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) return;
    HWND parent = ::GetParent(h);
    RECT b{}, self{};
    ::GetWindowRect(updown.buddy, &b);
    ::GetWindowRect(h, &self);
    POINT topLeft{b.left, b.top};
    if (parent) ::ScreenToClient(parent, &topLeft);
    const int width = self.right - self.left;
    const int buddyWidth = std::max<int>(0, (b.right - b.left) - width);
    const int height = b.bottom - b.top;
    if (style & UDS_ALIGNRIGHT) {
        ::MoveWindow(updown.buddy, topLeft.x, topLeft.y, buddyWidth, height, TRUE);
        ::MoveWindow(h, topLeft.x + buddyWidth, topLeft.y, width, height, TRUE);
    } else {
        ::MoveWindow(h, topLeft.x, topLeft.y, width, height, TRUE);
        ::MoveWindow(updown.buddy, topLeft.x + width, topLeft.y, buddyWidth, height, TRUE);
    }
}

// UDS_AUTOBUDDY: the sibling made just before the up-down.
HWND previousSibling(HWND h) {
    HWND parent = ::GetParent(h);
    if (!window::IsLive(parent)) return nullptr;
    HWND previous = nullptr;
    for (HWND child : parent->children) {
        if (child == h) return previous;
        if (window::IsLive(child)) previous = child;
    }
    return previous;  // h not listed yet: the last one made
}

QWidget* makeUpDown(HWND h, QWidget* parent, const CREATESTRUCT& cs) {
    auto* updown = new UpDown(h, parent);
    FollowEnabledFlag(h, updown, !(cs.style & WS_DISABLED));
    return updown;
}

void setBuddy(HWND h, UpDown& updown, HWND buddy) {
    updown.buddy = buddy;
    alignToBuddy(h, updown);
    updown.watchBuddyKeys();
}

LRESULT upDownProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* updown = dynamic_cast<UpDown*>(window::WidgetOf(h));
    if (!updown) return ::DefWindowProc(h, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = ::DefWindowProc(h, message, wParam, lParam);
        if (StyleOf(h) & UDS_AUTOBUDDY) setBuddy(h, *updown, previousSibling(h));
        return result;
    }
    case UDM_SETRANGE:
        updown->upper = static_cast<short>(LOWORD(lParam));
        updown->lower = static_cast<short>(HIWORD(lParam));
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(updown->upper), static_cast<WORD>(updown->lower));
    case UDM_SETRANGE32:
        updown->lower = static_cast<int>(static_cast<LONG_PTR>(wParam));
        updown->upper = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = updown->lower;
        if (lParam) *reinterpret_cast<int*>(lParam) = updown->upper;
        return 0;
    case UDM_SETPOS: {
        const int previous = updown->currentPos(nullptr);
        updown->setPos(static_cast<short>(LOWORD(lParam)));
        return previous;
    }
    case UDM_SETPOS32: {
        const int previous = updown->currentPos(nullptr);
        updown->setPos(static_cast<int>(lParam));
        return previous;
    }
    case UDM_GETPOS: {
        bool error = false;
        const int pos = updown->currentPos(&error);
        return MAKELONG(static_cast<WORD>(pos), error ? 1 : 0);
    }
    case UDM_GETPOS32: {
        bool error = false;
        const int pos = updown->currentPos(&error);
        if (lParam) *reinterpret_cast<BOOL*>(lParam) = error ? TRUE : FALSE;
        return pos;
    }
    case UDM_SETBUDDY: {
        HWND previous = updown->buddy;
        setBuddy(h, *updown, reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(updown->buddy);
    case UDM_SETBASE: {
        const int previous = updown->base;
        if (wParam != 10 && wParam != 16) return 0;
        updown->base = static_cast<int>(wParam);
        return previous;
    }
    case UDM_GETBASE:
        return updown->base;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

}  // namespace

void RegisterUpDownClass() {
    window::RegisterWindowClassImpl({"msctls_updown32", makeUpDown, upDownProc, 0});
}

}  // namespace orbel::controls
