// "COMBOBOX": drop-down lists (CBS_DROPDOWNLIST) and drop-downs with an edit
// field (CBS_DROPDOWN). Only the user's choice sends CBN_SELCHANGE and
// CBN_SELENDOK; CBN_SELENDOK also comes when the user picks the line that is
// already selected. CB_SETCURSEL and friends are silent.
#include "ControlSupport.h"
#include "ListLines.h"

#include "WindowImpl.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegion>
#include <QSignalBlocker>

#include <algorithm>

namespace orbel::controls {
namespace {

class ComboBox : public QComboBox {
public:
    ComboBox(HWND h, QWidget* parent, bool editable) : QComboBox(parent), m_hwnd(h) {
        setEditable(editable);
        setInsertPolicy(QComboBox::NoInsert);
        connect(this, &QComboBox::activated, this, [this](int index) { Guard([this, index] { userChose(index); }); });
        if (editable) {
            connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
                Guard([this] {
                    StoreText(m_hwnd, FromQt(currentText()));
                    NotifyCommand(m_hwnd, CBN_EDITCHANGE);
                });
            });
        }
    }

    // Reads line `index`, for the bookkeeping shared with the other list control.
    auto lineText() const {
        return [this](int index) { return itemText(index); };
    }

    int selection = -1;

    int insert(int index, const std::string& text) {
        index = InsertPosition(index, count(), StyleOf(m_hwnd) & CBS_SORT, ToQt(text), lineText());
        {
            const QSignalBlocker quiet(this);
            insertItem(index, ToQt(text), QVariant::fromValue<qulonglong>(0));
        }
        selection = SelectionAfterInsert(selection, index);
        mirror();
        return index;
    }
    int remove(int index) {
        if (index < 0 || index >= count()) return CB_ERR;
        {
            const QSignalBlocker quiet(this);
            removeItem(index);
        }
        selection = SelectionAfterRemove(selection, index);
        mirror();
        return count();
    }
    void clearAll() {
        const QSignalBlocker quiet(this);
        clear();
        selection = -1;
        if (isEditable()) clearEditText();
    }
    int select(int index) {
        selection = (index >= 0 && index < count()) ? index : -1;
        mirror();
        return selection < 0 ? CB_ERR : selection;
    }
    int find(int after, const std::string& text, bool exact) const {
        return FindLine(after, count(), ToQt(text), exact, lineText());
    }
    std::string text() const {
        if (isEditable()) return FromQt(currentText());
        return selection >= 0 ? FromQt(itemText(selection)) : std::string();
    }

private:
    // Qt picks the first line of a new list by itself; Windows does not.
    void mirror() {
        const QSignalBlocker quiet(this);
        const QString edited = isEditable() ? currentText() : QString();
        setCurrentIndex(selection);
        if (isEditable() && selection < 0) setEditText(edited);
        StoreText(m_hwnd, text());
    }
    void userChose(int index) {
        if (index != selection) {
            selection = index;
            StoreText(m_hwnd, text());
            NotifyCommand(m_hwnd, CBN_SELCHANGE);
        }
        NotifyCommand(m_hwnd, CBN_SELENDOK);
    }

    HWND m_hwnd;
};

// A combo box window is as tall as the box plus its drop-down list, as on
// Windows (programs size it that way); the closed box keeps its natural
// height at the top and the rest lets clicks and paint through.
class ComboWindow : public QWidget {
public:
    ComboWindow(HWND h, QWidget* parent, bool editable) : QWidget(parent) {
        combo = new ComboBox(h, this, editable);
    }
    ComboBox* combo;

protected:
    void resizeEvent(QResizeEvent*) override {
        const int boxHeight = std::min(height(), combo->sizeHint().height());
        combo->setGeometry(0, 0, width(), boxHeight);
        setMask(QRegion(0, 0, width(), std::max(boxHeight, 1)));
    }
};

QWidget* makeComboBox(HWND h, QWidget* parent, const CREATESTRUCT& cs) {
    const DWORD kind = static_cast<DWORD>(cs.style) & 3;
    auto* window = new ComboWindow(h, parent, kind == CBS_DROPDOWN || kind == CBS_SIMPLE);
    FollowEnabledFlag(h, window, !(cs.style & WS_DISABLED));
    window->setFocusProxy(window->combo);
    return window;
}

LRESULT comboBoxProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = dynamic_cast<ComboWindow*>(window::WidgetOf(h));
    ComboBox* combo = host ? host->combo : nullptr;
    if (!combo) return ::DefWindowProc(h, message, wParam, lParam);
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    const bool valid = index >= 0 && index < combo->count();
    switch (message) {
    case CB_ADDSTRING: return combo->insert(-1, TextArgument(lParam));
    case CB_INSERTSTRING: return index > combo->count() ? CB_ERR : combo->insert(index, TextArgument(lParam));
    case CB_DELETESTRING: return combo->remove(index);
    case CB_RESETCONTENT: combo->clearAll(); return CB_OKAY;
    case CB_SETCURSEL: return combo->select(index);
    case CB_GETCURSEL: return combo->selection;
    case CB_GETCOUNT: return combo->count();
    case CB_GETLBTEXT: return valid ? CopyLine(FromQt(combo->itemText(index)), lParam) : CB_ERR;
    case CB_GETLBTEXTLEN: return valid ? static_cast<LRESULT>(FromQt(combo->itemText(index)).size()) : CB_ERR;
    case CB_FINDSTRING: return combo->find(index, TextArgument(lParam), false);
    case CB_FINDSTRINGEXACT: return combo->find(index, TextArgument(lParam), true);
    case CB_SELECTSTRING: {
        const int found = combo->find(index, TextArgument(lParam), false);
        return found == CB_ERR ? CB_ERR : combo->select(found);
    }
    case CB_GETITEMDATA: return valid ? static_cast<LRESULT>(combo->itemData(index).toULongLong()) : CB_ERR;
    case CB_SETITEMDATA:
        if (!valid) return CB_ERR;
        combo->setItemData(index, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(lParam)));
        return CB_OKAY;
    case CB_SHOWDROPDOWN:
        if (wParam) combo->showPopup();
        else combo->hidePopup();
        return TRUE;
    case CB_GETDROPPEDSTATE: return FALSE;
    case CB_LIMITTEXT:
        if (combo->lineEdit()) combo->lineEdit()->setMaxLength(wParam == 0 ? 32767 : static_cast<int>(wParam));
        return TRUE;
    case WM_SETTEXT:
        if (combo->isEditable()) {
            const QSignalBlocker quiet(combo);
            combo->setEditText(ToQt(TextArgument(lParam)));
            StoreText(h, TextArgument(lParam));
            return TRUE;
        }
        return CB_ERR;
    case WM_GETTEXT: return CopyText(combo->text(), wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(combo->text().size());
    default: return ::DefWindowProc(h, message, wParam, lParam);
    }
}

}  // namespace

void RegisterComboBoxClass() {
    window::RegisterWindowClassImpl({"COMBOBOX", makeComboBox, comboBoxProc, 0});
}

}  // namespace orbel::controls
