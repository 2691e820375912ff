// "LISTBOX": a single-selection list. Only the user's choice sends
// LBN_SELCHANGE (with LBS_NOTIFY); LB_SETCURSEL and the other messages change
// the list silently, as on Windows.
#include "ControlSupport.h"
#include "ListLines.h"

#include "WindowImpl.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace orbel::controls {
namespace {

class ListBox : public QListWidget {
public:
    ListBox(HWND h, QWidget* parent) : QListWidget(parent), m_hwnd(h) {
        setSelectionMode((StyleOf(h) & LBS_NOSEL) ? QAbstractItemView::NoSelection
                                                   : QAbstractItemView::SingleSelection);
        connect(this, &QListWidget::itemSelectionChanged, this, [this] { Guard([this] { userSelected(); }); });
        connect(this, &QListWidget::itemDoubleClicked, this, [this] {
            Guard([this] {
                if (StyleOf(m_hwnd) & LBS_NOTIFY) NotifyCommand(m_hwnd, LBN_DBLCLK);
            });
        });
    }

    // Reads line `index`, for the bookkeeping shared with the other list control.
    auto lineText() const {
        return [this](int index) { return item(index)->text(); };
    }

    int selection = -1;  // Windows' current selection; Qt mirrors it

    int insert(int index, const std::string& text) {
        const QSignalBlocker quiet(this);
        index = InsertPosition(index, count(), StyleOf(m_hwnd) & LBS_SORT, ToQt(text), lineText());
        insertItem(index, ToQt(text));
        item(index)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(0));
        selection = SelectionAfterInsert(selection, index);
        mirror();
        return index;
    }
    int remove(int index) {
        if (index < 0 || index >= count()) return LB_ERR;
        const QSignalBlocker quiet(this);
        delete takeItem(index);
        selection = SelectionAfterRemove(selection, index);
        mirror();
        return count();
    }
    void clearAll() {
        const QSignalBlocker quiet(this);
        clear();
        selection = -1;
    }
    int select(int index) {
        selection = (index >= 0 && index < count()) ? index : -1;
        mirror();
        return (index >= 0 && selection < 0) ? LB_ERR : selection;
    }
    int find(int after, const std::string& text, bool exact) const {
        return FindLine(after, count(), ToQt(text), exact, lineText());
    }

private:
    void mirror() {
        const QSignalBlocker quiet(this);
        clearSelection();
        if (selection >= 0) {
            setCurrentRow(selection);
            item(selection)->setSelected(true);
        } else {
            setCurrentRow(-1);
        }
    }
    void userSelected() {
        const auto chosen = selectedItems();
        const int now = chosen.isEmpty() ? -1 : row(chosen.first());
        if (now == selection) return;
        selection = now;
        if (StyleOf(m_hwnd) & LBS_NOTIFY) NotifyCommand(m_hwnd, LBN_SELCHANGE);
    }

    HWND m_hwnd;
};

QWidget* makeListBox(HWND h, QWidget* parent, const CREATESTRUCT& cs) {
    auto* list = new ListBox(h, parent);
    FollowEnabledFlag(h, list, !(cs.style & WS_DISABLED));
    return list;
}

LRESULT listBoxProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = dynamic_cast<ListBox*>(window::WidgetOf(h));
    if (!list) return ::DefWindowProc(h, message, wParam, lParam);
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    const bool valid = index >= 0 && index < list->count();
    switch (message) {
    case LB_ADDSTRING: return list->insert(-1, TextArgument(lParam));
    case LB_INSERTSTRING: return index > list->count() ? LB_ERR : list->insert(index, TextArgument(lParam));
    case LB_DELETESTRING: return list->remove(index);
    case LB_RESETCONTENT: list->clearAll(); return 0;
    case LB_SETCURSEL: return list->select(index);
    case LB_GETCURSEL: return list->selection;
    case LB_GETCOUNT: return list->count();
    case LB_GETTEXT: return valid ? CopyLine(FromQt(list->item(index)->text()), lParam) : LB_ERR;
    case LB_GETTEXTLEN: return valid ? static_cast<LRESULT>(FromQt(list->item(index)->text()).size()) : LB_ERR;
    case LB_FINDSTRING: return list->find(index, TextArgument(lParam), false);
    case LB_FINDSTRINGEXACT: return list->find(index, TextArgument(lParam), true);
    case LB_SELECTSTRING: {
        const int found = list->find(index, TextArgument(lParam), false);
        return found == LB_ERR ? LB_ERR : list->select(found);
    }
    case LB_GETITEMDATA:
        return valid ? static_cast<LRESULT>(list->item(index)->data(Qt::UserRole).toULongLong()) : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid) return LB_ERR;
        list->item(index)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(lParam)));
        return 0;
    case LB_GETSEL: return valid ? (index == list->selection ? 1 : 0) : LB_ERR;
    case LB_GETTOPINDEX: return 0;
    case LB_SETTOPINDEX: return valid ? 0 : LB_ERR;
    default: return ::DefWindowProc(h, message, wParam, lParam);
    }
}

}  // namespace

void RegisterListBoxClass() {
    window::RegisterWindowClassImpl({"LISTBOX", makeListBox, listBoxProc, 0});
}

}  // namespace orbel::controls
