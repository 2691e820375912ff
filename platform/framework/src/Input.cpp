// Keyboard and mouse state, key codes, accelerators and dropped files.
#include "WindowState.h"

#include <framework/ControlStyles.h>
#include <framework/Resources.h>
#include <framework/WinApp.h>
#include <framework/Wnd.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <cstring>
#include <string>
#include <vector>

namespace orbel::window {

namespace {

struct KeyPair {
    int qt;
    UINT vk;
};

const KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},         {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Shift, VK_SHIFT},     {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},       {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},        {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},  {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},       {Qt::Key_Minus, VK_SUBTRACT},  {Qt::Key_Slash, VK_DIVIDE},
};

// Keys of controls' widgets go through the accelerators and the
// PreTranslateMessage chain before the widget sees them.
class KeyFilter : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget == nullptr || !widget->isWidgetType())
            return false;
        HWND h = HwndOf(widget);
        HWND__* r = Record(h);
        if (r == nullptr || r->hostWidget)
            return false;  // host widgets queue their keys themselves
        auto* key = static_cast<QKeyEvent*>(event);
        NoteModifiers(key->modifiers());
        const UINT vk = VirtualKeyOf(key->key());
        if (vk == 0)
            return false;
        const bool alt = key->modifiers() & Qt::AltModifier;
        const UINT message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        // Decide once per key press: at the shortcut override when Qt sends
        // one first, else at the press itself.
        if (event->type() == QEvent::ShortcutOverride) {
            m_decidedKey = key->key();
            m_consumed = PreTranslateKey(h, message, vk, 1);
            if (m_consumed)
                event->accept();
            return m_consumed;
        }
        bool consumed;
        if (m_decidedKey == key->key())
            consumed = m_consumed;
        else
            consumed = PreTranslateKey(h, message, vk, 1);
        m_decidedKey = 0;
        m_consumed = false;
        return consumed;
    }

private:
    int m_decidedKey = 0;
    bool m_consumed = false;
};

// The keys a text field edits its text with: select all, copy, cut, paste,
// undo and redo, in their Ctrl, Shift and Alt forms.
bool IsTextEditingKey(UINT key, bool shift, bool control, bool alt) {
    if (control && !shift && !alt)
        return key == 'A' || key == 'C' || key == 'V' || key == 'X' || key == 'Z' || key == 'Y' || key == VK_INSERT;
    if (control && shift && !alt)
        return key == 'Z';
    if (shift && !control && !alt)
        return key == VK_INSERT || key == VK_DELETE;
    return alt && !control && !shift && key == VK_BACK;
}

bool IsTextWidget(QWidget* w) {
    return w != nullptr && (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                            qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w));
}

} // namespace

void InstallKeyFilter() {
    static bool installed = false;
    if (installed || QCoreApplication::instance() == nullptr)
        return;
    installed = true;
    QCoreApplication::instance()->installEventFilter(new KeyFilter);
    // A control that takes the focus by itself (a click into a text field)
    // becomes the focus window, with the usual focus messages.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        QObject::connect(app, &QApplication::focusChanged, app, [](QWidget*, QWidget* now) {
            HWND h = now ? HwndOf(now) : nullptr;
            HWND__* r = Record(h);
            if (r != nullptr && !r->hostWidget && GetState().focus != h)
                ::SetFocus(h);
        });
}

void NoteModifiers(Qt::KeyboardModifiers modifiers) { GetState().modifiers = modifiers; }
void NoteMouseButtons(Qt::MouseButtons buttons) { GetState().buttons = buttons; }
void NoteCursor(const QPoint& globalPos) { GetState().cursor = globalPos; }

UINT MouseKeyFlags() {
    State& s = GetState();
    UINT flags = 0;
    if (s.buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (s.buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (s.buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (s.modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (s.modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

UINT VirtualKeyOf(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<UINT>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey)
            return k.vk;
    if (qtKey > 0 && qtKey < 0x80)
        return static_cast<UINT>(qtKey);  // punctuation: close enough to the OEM codes
    return 0;
}

int QtKeyOf(UINT vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return static_cast<int>(vk);
    if (vk >= VK_F1 && vk <= VK_F12)
        return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
    for (const KeyPair& k : kKeys)
        if (k.vk == vk)
            return k.qt;
    return static_cast<int>(vk);
}

bool FocusIsTextEntry(bool dropDownListCounts) {
    if (HWND__* r = Record(::GetFocus())) {
        const char* c = r->className.c_str();
        if (strcasecmp(c, "EDIT") == 0)
            return true;
        if (strcasecmp(c, "COMBOBOX") == 0)
            return dropDownListCounts || (r->style & 3) != CBS_DROPDOWNLIST;
    }
    return QApplication::instance() != nullptr && IsTextWidget(QApplication::focusWidget());
}

bool PreTranslateKey(HWND target, UINT message, WPARAM vk, LPARAM lParam) {
    MSG m{target, message, vk, lParam, 0, {GetState().cursor.x(), GetState().cursor.y()}};
    GetState().current.push_back(m);
    BOOL done = static_cast<BOOL>(Guarded([&m]() -> LRESULT {
        if (CWinApp* app = AfxGetApp())
            return app->PreTranslateMessage(&m);
        for (HWND h = m.hwnd; h != nullptr; h = ::GetParent(h)) {
            if (CWnd* w = CWnd::FromHandlePermanent(h); w && w->PreTranslateMessage(&m))
                return TRUE;
            if (!(GetWindowLong(h, GWL_STYLE) & WS_CHILD))
                break;
        }
        return FALSE;
    }));
    GetState().current.pop_back();
    return done != FALSE;
}

} // namespace orbel::window

using namespace orbel::window;

SHORT GetKeyState(int nVirtKey) {
    State& s = GetState();
    bool down = false;
    switch (nVirtKey) {
    case VK_SHIFT:
        down = s.modifiers & Qt::ShiftModifier;
        break;
    case VK_CONTROL:
        down = s.modifiers & Qt::ControlModifier;
        break;
    case VK_MENU:
        down = s.modifiers & Qt::AltModifier;
        break;
    case VK_LBUTTON:
        down = s.buttons & Qt::LeftButton;
        break;
    case VK_RBUTTON:
        down = s.buttons & Qt::RightButton;
        break;
    case VK_MBUTTON:
        down = s.buttons & Qt::MiddleButton;
        break;
    default: {
        auto it = s.keysDown.find(static_cast<UINT>(nVirtKey));
        down = it != s.keysDown.end() && it->second;
    }
    }
    return down ? static_cast<SHORT>(0x8000) : 0;
}

int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
    const AcceleratorTable* table = AfxAcceleratorTableFromHandle(hAccTable);
    if (table == nullptr || lpMsg == nullptr)
        return 0;
    // A disabled window takes no commands from keys, as on Windows: while a
    // modal dialog disables the frame, Ctrl+Z in the dialog's edit must not
    // undo the scene behind it.
    if (!::IsWindowEnabled(hWnd))
        return 0;
    const UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_CHAR)
        return 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    const bool alt = ::GetKeyState(VK_MENU) < 0;
    for (const ACCEL& a : table->entries) {
        const bool virtKey = a.fVirt & FVIRTKEY;
        if (virtKey) {
            if (message == WM_CHAR || a.key != lpMsg->wParam)
                continue;
            if (((a.fVirt & FSHIFT) != 0) != shift || ((a.fVirt & FCONTROL) != 0) != control ||
                ((a.fVirt & FALT) != 0) != alt)
                continue;
        } else {
            if (message != WM_CHAR || a.key != lpMsg->wParam)
                continue;
        }
        // A plain key that types a character belongs to a text field that has
        // the focus, not to the menu.
        const bool typesCharacter = !control && !alt &&
                                    ((a.key >= 'A' && a.key <= 'Z') || (a.key >= '0' && a.key <= '9') ||
                                     a.key == VK_SPACE || a.key == VK_BACK || a.key == VK_DELETE ||
                                     a.key == VK_LEFT || a.key == VK_RIGHT || a.key == VK_HOME || a.key == VK_END ||
                                     !virtKey);
        if (typesCharacter && FocusIsTextEntry(true))
            return 0;
        // Ctrl+A in a panel's text field selects its text, not every object;
        // a drop-down list has no text to edit.
        if (virtKey && IsTextEditingKey(a.key, shift, control, alt) && FocusIsTextEntry(false))
            return 0;
        ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}

// ---- dropped files ----
struct HDROP__ {
    std::vector<std::string> files;
    POINT point;
};

namespace orbel::window {
HDROP MakeDrop(std::vector<std::string> files, POINT point) { return new HDROP__{std::move(files), point}; }
} // namespace orbel::window

void DragAcceptFiles(HWND hWnd, BOOL fAccept) {
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return;
    if (fAccept)
        r->exStyle |= WS_EX_ACCEPTFILES;
    else
        r->exStyle &= ~static_cast<DWORD>(WS_EX_ACCEPTFILES);
    if (r->widget)
        r->widget->setAcceptDrops(fAccept != FALSE);
}

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch) {
    if (hDrop == nullptr)
        return 0;
    if (iFile == 0xFFFFFFFFu)
        return static_cast<UINT>(hDrop->files.size());
    if (iFile >= hDrop->files.size())
        return 0;
    const std::string& f = hDrop->files[iFile];
    if (lpszFile == nullptr || cch == 0)
        return static_cast<UINT>(f.size());
    const std::size_t n = std::min<std::size_t>(f.size(), cch - 1);
    std::memcpy(lpszFile, f.data(), n);
    lpszFile[n] = '\0';
    return static_cast<UINT>(n);
}

void DragFinish(HDROP hDrop) { delete hDrop; }
