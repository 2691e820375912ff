// "EDIT": a single-line text field. EN_CHANGE follows every change of the
// text, typed or set through WM_SETTEXT, as on Windows; ES_NUMBER accepts
// digits only. As on Windows, an edit keeps its selection while another
// window has the focus but shows it only while it has the focus itself, so
// two fields never both show one.
#include "ControlSupport.h"

#include "WindowImpl.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <algorithm>
#include <cstdlib>


namespace orbel::controls {
namespace {

class EditBox : public QLineEdit {
public:
    EditBox(HWND h, QWidget* parent) : QLineEdit(parent), m_hwnd(h) {
        connect(this, &QLineEdit::textEdited, this, [this] {
            Guard([this] {
                m_modified = true;
                m_kept = {};
                StoreText(m_hwnd, FromQt(text()));
                NotifyCommand(m_hwnd, EN_UPDATE);
                NotifyCommand(m_hwnd, EN_CHANGE);
            });
        });
    }
    HWND hwnd() const { return m_hwnd; }
    bool m_modified = false;

    // A programmatic change: Qt stays quiet, Windows' notifications follow.
    void setTextByMessage(const std::string& value) {
        {
            const QSignalBlocker quiet(this);
            setText(ToQt(value));
        }
        m_modified = false;
        m_kept = {};
        StoreText(m_hwnd, FromQt(text()));
        NotifyCommand(m_hwnd, EN_UPDATE);
        NotifyCommand(m_hwnd, EN_CHANGE);
    }

    // The selection, start and length, while the edit has no focus.
    struct KeptSelection {
        int start = 0;
        int length = 0;
    };

    bool hasFocusWindow() const { return ::GetFocus() == m_hwnd; }

    void select(int start, int length) {
        m_kept = {};
        if (length <= 0) {
            setCursorPosition(start);
        } else if (hasFocusWindow()) {
            setSelection(start, length);
        } else {
            m_kept = {start, length};
            deselect();
        }
    }

    void removeSelection() {
        m_kept = {};
        deselect();
    }

    KeptSelection selection() const {
        if (!hasFocusWindow() && m_kept.length > 0) return m_kept;
        if (hasSelectedText()) return {selectionStart(), static_cast<int>(selectedText().size())};
        return {cursorPosition(), 0};
    }

    void hideSelection() {
        if (!hasSelectedText()) return;
        m_kept = {selectionStart(), static_cast<int>(selectedText().size())};
        deselect();
    }

    void showKeptSelection() {
        if (m_kept.length > 0 && !hasSelectedText()) setSelection(m_kept.start, m_kept.length);
        m_kept = {};
    }

protected:
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        Guard([this] { NotifyCommand(m_hwnd, EN_SETFOCUS); });
    }
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        Guard([this] { NotifyCommand(m_hwnd, EN_KILLFOCUS); });
    }

private:
    HWND m_hwnd;
    KeptSelection m_kept;
};

QWidget* makeEdit(HWND h, QWidget* parent, const CREATESTRUCT& cs) {
    auto* edit = new EditBox(h, parent);
    const DWORD style = static_cast<DWORD>(cs.style);
    if (style & ES_NUMBER)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setReadOnly(style & ES_READONLY);
    if (style & ES_PASSWORD) edit->setEchoMode(QLineEdit::Password);
    if (style & ES_RIGHT) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if (style & ES_CENTER) edit->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    edit->setFrame(style & WS_BORDER);
    {
        const QSignalBlocker quiet(edit);
        edit->setText(ToQt(cs.lpszName));
    }
    StoreText(h, FromQt(edit->text()));
    FollowEnabledFlag(h, edit, !(style & WS_DISABLED));
    return edit;
}

LRESULT editProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* edit = dynamic_cast<EditBox*>(window::WidgetOf(h));
    if (!edit) return ::DefWindowProc(h, message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT:
        edit->setTextByMessage(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return TRUE;
    case WM_GETTEXT:
        return CopyText(FromQt(edit->text()), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(FromQt(edit->text()).size());
    case EM_SETSEL: {
        const int length = static_cast<int>(edit->text().size());
        const int start = static_cast<int>(static_cast<LONG_PTR>(wParam));
        const int end = static_cast<int>(lParam);
        if (start < 0) edit->removeSelection();
        else if (end < 0) edit->select(0, length);
        else edit->select(std::min(start, end), std::min(std::abs(end - start), length));
        return 0;
    }
    case EM_GETSEL: {
        const auto shown = edit->selection();
        const int start = shown.start;
        const int end = shown.start + shown.length;
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
        return MAKELONG(start, end);
    }
    case EM_LIMITTEXT:
        edit->setMaxLength(wParam == 0 || wParam > 32767 ? 32767 : static_cast<int>(wParam));
        return 0;
    case EM_GETLIMITTEXT:
        return edit->maxLength();
    case EM_SETREADONLY:
        edit->setReadOnly(wParam != 0);
        if (wParam) h->style |= ES_READONLY;
        else h->style &= ~static_cast<DWORD>(ES_READONLY);
        return TRUE;
    case WM_KILLFOCUS:
        edit->hideSelection();
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_SETFOCUS:
        edit->showKeptSelection();
        return ::DefWindowProc(h, message, wParam, lParam);
    case EM_GETMODIFY:
        return edit->m_modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        edit->m_modified = wParam != 0;
        return 0;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

}  // namespace

void RegisterEditClass() {
    window::RegisterWindowClassImpl({"EDIT", makeEdit, editProc, 0});
}

}  // namespace orbel::controls
