// "BUTTON": push buttons, check boxes, radio buttons, group boxes and
// owner-drawn buttons. Clicks by the user (and BM_CLICK) send BN_CLICKED;
// BM_SETCHECK changes the state silently, as on Windows.
#include "ControlSupport.h"

#include "WindowImpl.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>
#include <strings.h>

namespace orbel::controls {
namespace {

UINT buttonType(HWND h) { return StyleOf(h) & BS_TYPEMASK; }

bool isRadio(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool isCheckLike(UINT type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
           isRadio(type);
}

// Check boxes and radio buttons keep the Windows check state themselves;
// Qt's own toggling is off so that only the rules below change it.
class CheckButton : public QAbstractButton {
public:
    CheckButton(HWND h, QWidget* parent, bool radio) : QAbstractButton(parent), m_hwnd(h) {
        m_look = radio ? static_cast<QAbstractButton*>(new QRadioButton(this)) : new QCheckBox(this);
        m_look->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_look->setFocusPolicy(Qt::NoFocus);
        if (auto* radioLook = qobject_cast<QRadioButton*>(m_look)) radioLook->setAutoExclusive(false);
        setCheckable(false);
        setFocusPolicy(Qt::TabFocus);
        connect(this, &QAbstractButton::clicked, this, [this] { Guard([this] { userClicked(); }); });
    }
    HWND hwnd() const { return m_hwnd; }
    int check() const { return m_check; }
    void setCheck(int state) {
        m_check = state;
        if (auto* box = qobject_cast<QCheckBox*>(m_look)) {
            box->setTristate(state == BST_INDETERMINATE);
            box->setCheckState(state == BST_CHECKED ? Qt::Checked
                               : state == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                            : Qt::Unchecked);
        } else {
            m_look->setChecked(state == BST_CHECKED);
        }
    }
    void setLabel(const QString& text) { m_look->setText(text); }
    void userClicked();

protected:
    void paintEvent(QPaintEvent*) override {}
    void resizeEvent(QResizeEvent*) override { m_look->setGeometry(rect()); }

private:
    HWND m_hwnd;
    QAbstractButton* m_look;
    int m_check = BST_UNCHECKED;
};

// Radio buttons of one group: from the WS_GROUP sibling at or before this
// one up to the next WS_GROUP sibling.
void checkRadioInGroup(HWND chosen) {
    HWND parent = ::GetParent(chosen);
    if (!window::IsLive(parent)) return;
    const auto& siblings = parent->children;
    auto at = std::find(siblings.begin(), siblings.end(), chosen);
    if (at == siblings.end()) return;
    auto first = at;
    while (first != siblings.begin() && !((*first)->style & WS_GROUP)) --first;
    auto last = at + 1;
    while (last != siblings.end() && !((*last)->style & WS_GROUP)) ++last;
    for (auto it = first; it != last; ++it) {
        if (*it == chosen || strcasecmp((*it)->className.c_str(), "BUTTON") != 0) continue;
        if (buttonType(*it) == BS_AUTORADIOBUTTON) ::SendMessage(*it, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void CheckButton::userClicked() {
    const UINT type = buttonType(m_hwnd);
    if (type == BS_AUTOCHECKBOX) setCheck(m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    if (type == BS_AUTO3STATE) setCheck((m_check + 1) % 3);
    if (type == BS_AUTORADIOBUTTON) {
        setCheck(BST_CHECKED);
        checkRadioInGroup(m_hwnd);
    }
    NotifyCommand(m_hwnd, BN_CLICKED);
}

class PushButton : public QPushButton {
public:
    PushButton(HWND h, QWidget* parent) : QPushButton(parent), m_hwnd(h) {
        setAutoDefault(false);
        setFocusPolicy(Qt::TabFocus);
        connect(this, &QAbstractButton::clicked, this,
                [this] { Guard([this] { NotifyCommand(m_hwnd, BN_CLICKED); }); });
    }

private:
    HWND m_hwnd;
};

// '&' marks a mnemonic in both systems; "&&" is a literal ampersand in both.
QString labelOf(const std::string& text) { return ToQt(text); }

QWidget* makeButton(HWND h, QWidget* parent, const CREATESTRUCT& cs) {
    const UINT type = static_cast<UINT>(cs.style) & BS_TYPEMASK;
    QWidget* widget = nullptr;
    if (type == BS_OWNERDRAW || type == BS_USERBUTTON) return nullptr;  // the window's own image; parent draws
    if (type == BS_GROUPBOX) {
        auto* box = new QGroupBox(labelOf(cs.lpszName ? cs.lpszName : ""), parent);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = box;
    } else if (isCheckLike(type)) {
        auto* button = new CheckButton(h, parent, isRadio(type));
        button->setLabel(labelOf(cs.lpszName ? cs.lpszName : ""));
        widget = button;
    } else {
        auto* button = new PushButton(h, parent);
        button->setText(labelOf(cs.lpszName ? cs.lpszName : ""));
        button->setDefault(type == BS_DEFPUSHBUTTON);
        widget = button;
    }
    FollowEnabledFlag(h, widget, !(cs.style & WS_DISABLED));
    return widget;
}

// Owner-drawn buttons: a press is shown by asking the parent to draw again;
// a release inside the button is a click.
struct OwnerDrawState {
    bool pressed = false;
};

std::map<HWND, OwnerDrawState>& ownerDrawStates() {
    static std::map<HWND, OwnerDrawState> states;
    return states;
}

OwnerDrawState& ownerDrawState(HWND h) { return ownerDrawStates()[h]; }

void drawOwnerButton(HWND h) {
    ::ValidateRect(h, nullptr);
    HWND parent = ::GetParent(h);
    if (!parent) return;
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(h));
    dis.itemAction = ODA_DRAWENTIRE;
    if (ownerDrawState(h).pressed) dis.itemState |= ODS_SELECTED;
    if (!::IsWindowEnabled(h)) dis.itemState |= ODS_DISABLED;
    if (::GetFocus() == h) dis.itemState |= ODS_FOCUS;
    dis.hwndItem = h;
    dis.hDC = ::GetDC(h);
    ::GetClientRect(h, &dis.rcItem);
    ::SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    ::ReleaseDC(h, dis.hDC);
}

LRESULT ownerDrawProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        ownerDrawStates().erase(h);
        return ::DefWindowProc(h, message, wParam, lParam);
    }
    auto& state = ownerDrawState(h);
    switch (message) {
    case WM_PAINT:
        drawOwnerButton(h);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the parent paints everything
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        state.pressed = true;
        ::SetCapture(h);
        ::InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP: {
        if (!state.pressed) return 0;
        state.pressed = false;
        if (::GetCapture() == h) ::ReleaseCapture();
        ::InvalidateRect(h, nullptr, FALSE);
        RECT client{};
        ::GetClientRect(h, &client);
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom)
            NotifyCommand(h, BN_CLICKED);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (state.pressed && reinterpret_cast<HWND>(lParam) != h) {
            state.pressed = false;
            ::InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    case WM_ENABLE:
        ::InvalidateRect(h, nullptr, FALSE);
        return 0;
    case BM_CLICK:
        NotifyCommand(h, BN_CLICKED);
        return 0;
    case BM_GETSTATE:
        return state.pressed ? BST_PUSHED : 0;
    case BM_SETSTATE:
        state.pressed = wParam != 0;
        ::InvalidateRect(h, nullptr, FALSE);
        return 0;
    case BM_GETCHECK:
        return BST_UNCHECKED;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

LRESULT buttonProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    const UINT type = buttonType(h);
    if (type == BS_OWNERDRAW || type == BS_USERBUTTON) return ownerDrawProc(h, message, wParam, lParam);
    QWidget* widget = window::WidgetOf(h);
    auto* check = dynamic_cast<CheckButton*>(widget);
    auto* push = dynamic_cast<QPushButton*>(widget);
    switch (message) {
    case WM_SETTEXT: {
        const std::string text = reinterpret_cast<const char*>(lParam) ? reinterpret_cast<const char*>(lParam) : "";
        if (check) check->setLabel(labelOf(text));
        else if (push) push->setText(labelOf(text));
        else if (auto* box = dynamic_cast<QGroupBox*>(widget)) box->setTitle(labelOf(text));
        return ::DefWindowProc(h, message, wParam, lParam);
    }
    case BM_GETCHECK:
        return check ? check->check() : BST_UNCHECKED;
    case BM_SETCHECK:
        if (check) check->setCheck(static_cast<int>(wParam) & 3);
        return 0;
    case BM_GETSTATE:
        return (check ? check->check() : 0) | ((push && push->isDown()) ? BST_PUSHED : 0);
    case BM_SETSTATE:
        if (push) push->setDown(wParam != 0);
        return 0;
    case BM_CLICK:
        if (check) check->userClicked();
        else if (push) NotifyCommand(h, BN_CLICKED);
        return 0;
    case BM_SETSTYLE: {
        DWORD style = h->style;
        style = (style & ~static_cast<DWORD>(BS_TYPEMASK)) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        h->style = style;
        if (push) push->setDefault((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        return 0;
    }
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

}  // namespace

void RegisterButtonClass() {
    window::RegisterWindowClassImpl({"BUTTON", makeButton, buttonProc, 0});
}

}  // namespace orbel::controls
