// "LISTBOX": a single-selection list. Only the user's choice sends
// LBN_SELCHANGE (with LBS_NOTIFY); LB_SETCURSEL and the other messages change
// the list silently, as on Windows.
#include "ControlSupport.h"

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

    int selection = -1;  // Windows' current selection; Qt mirrors it

    int insert(int index, const std::string& text) {
        const QSignalBlocker quiet(this);
        if (index < 0 || index > count()) index = count();
        if (StyleOf(m_hwnd) & LBS_SORT) {
            index = 0;
            const QString q = ToQt(text);
            while (index < count() && item(index)->text().compare(q, Qt::CaseInsensitive) <= 0) ++index;
        }
        insertItem(index, ToQt(text));
        item(index)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(0));
        if (selection >= index) ++selection;
        mirror();
        return index;
    }
    int remove(int index) {
        if (index < 0 || index >= count()) return LB_ERR;
        const QSignalBlocker quiet(this);
        delete takeItem(index);
        if (selection == index) selection = -1;
        else if (selection > index) --selection;
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
        const QString q = ToQt(text);
        const int n = count();
        for (int k = 1; k <= n; ++k) {
            const int i = (after + k + n) % n;
            const QString t = item(i)->text();
            if (exact ? t.compare(q, Qt::CaseInsensitive) == 0 : t.startsWith(q, Qt::CaseInsensitive)) return i;
        }
        return LB_ERR;
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

std::string textOf(LPARAM lParam) {
    return lParam ? reinterpret_cast<const char*>(lParam) : "";
}

LRESULT listBoxProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = dynamic_cast<ListBox*>(window::WidgetOf(h));
    if (!list) return ::DefWindowProc(h, message, wParam, lParam);
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    const bool valid = index >= 0 && index < list->count();
    switch (message) {
    case LB_ADDSTRING: return list->insert(-1, textOf(lParam));
    case LB_INSERTSTRING: return index > list->count() ? LB_ERR : list->insert(index, textOf(lParam));
    case LB_DELETESTRING: return list->remove(index);
    case LB_RESETCONTENT: list->clearAll(); return 0;
    case LB_SETCURSEL: return list->select(index);
    case LB_GETCURSEL: return list->selection;
    case LB_GETCOUNT: return list->count();
    case LB_GETTEXT: {
        if (!valid) return LB_ERR;
        const std::string text = FromQt(list->item(index)->text());
        auto* out = reinterpret_cast<char*>(lParam);
        if (!out) return LB_ERR;
        // The caller's buffer is as long as LB_GETTEXTLEN said, plus one.
        text.copy(out, text.size());
        out[text.size()] = '\0';
        return static_cast<LRESULT>(text.size());
    }
    case LB_GETTEXTLEN: return valid ? static_cast<LRESULT>(FromQt(list->item(index)->text()).size()) : LB_ERR;
    case LB_FINDSTRING: return list->count() ? list->find(index, textOf(lParam), false) : LB_ERR;
    case LB_FINDSTRINGEXACT: return list->count() ? list->find(index, textOf(lParam), true) : LB_ERR;
    case LB_SELECTSTRING: {
        const int found = list->count() ? list->find(index, textOf(lParam), false) : LB_ERR;
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
