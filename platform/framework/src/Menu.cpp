// Menus: records behind HMENU, the frame's menu bar in Qt, and popup menus
// (answered by the modal hook when one is installed).
#include "HeadlessModals.h"
#include "WindowState.h"

#include <framework/CString.h>
#include <framework/Menu.h>
#include <framework/ModalHook.h>
#include <framework/Resources.h>
#include <framework/Wnd.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <cstring>
#include <unordered_set>

struct HMENU__ {
    struct Item {
        std::string text;
        UINT id = 0;
        UINT flags = 0;
        HMENU sub = nullptr;
    };
    std::vector<Item> items;
    CMenu* temp = nullptr;
};

using namespace orbel::window;

namespace {

std::unordered_set<HMENU>& LiveMenus() {
    static auto* set = new std::unordered_set<HMENU>;
    return *set;
}

HMENU Live(HMENU h) { return (h != nullptr && LiveMenus().count(h)) ? h : nullptr; }

HMENU NewMenu() {
    HMENU h = new HMENU__;
    LiveMenus().insert(h);
    return h;
}

// The menu and index of an item, by position or by command (searching
// popups too).
bool FindItem(HMENU menu, UINT position, UINT flags, HMENU& owner, std::size_t& index) {
    if (!Live(menu))
        return false;
    if (flags & MF_BYPOSITION) {
        if (position >= menu->items.size())
            return false;
        owner = menu;
        index = position;
        return true;
    }
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        const auto& item = menu->items[i];
        if (!(item.flags & MF_POPUP) && !(item.flags & MF_SEPARATOR) && item.id == position) {
            owner = menu;
            index = i;
            return true;
        }
        if ((item.flags & MF_POPUP) && FindItem(item.sub, position, flags, owner, index))
            return true;
    }
    return false;
}

HMENU__::Item MakeItem(UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    HMENU__::Item item;
    item.flags = uFlags & ~static_cast<UINT>(MF_BYPOSITION | MF_APPEND | MF_CHANGE | MF_DELETE | MF_REMOVE);
    if (uFlags & MF_POPUP)
        item.sub = Live(reinterpret_cast<HMENU>(uIDNewItem));
    else
        item.id = static_cast<UINT>(uIDNewItem);
    if (!(uFlags & MF_SEPARATOR) && lpNewItem != nullptr && !(uFlags & (MF_BITMAP | MF_OWNERDRAW)))
        item.text = lpNewItem;
    return item;
}

HMENU BuildMenu(const std::vector<MenuItemTemplate>& items) {
    HMENU menu = NewMenu();
    for (const MenuItemTemplate& t : items) {
        HMENU__::Item item;
        item.text = t.text;
        item.flags = t.flags;
        item.id = t.id;
        if (t.flags & MF_POPUP)
            item.sub = BuildMenu(t.children);
        menu->items.push_back(std::move(item));
    }
    return menu;
}

void DestroyMenuTree(HMENU h) {
    if (!Live(h))
        return;
    LiveMenus().erase(h);
    for (auto& item : h->items)
        if (item.flags & MF_POPUP)
            DestroyMenuTree(item.sub);
    if (h->temp != nullptr) {
        h->temp->m_hMenu = nullptr;
        delete h->temp;
    }
    delete h;
}

QString QtText(const std::string& text) { return QString::fromUtf8(text.c_str()); }

void FillQMenu(QMenu* qmenu, HMENU menu, HWND owner, bool postCommands);

void HookPopup(QMenu* qmenu, HMENU sub, int index, HWND owner, bool postCommands) {
    QObject::connect(qmenu, &QMenu::aboutToShow, qmenu, [qmenu, sub, index, owner, postCommands] {
        if (!Live(sub))
            return;
        if (owner != nullptr)
            ::SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(index, 0));
        FillQMenu(qmenu, sub, owner, postCommands);
    });
}

void FillQMenu(QMenu* qmenu, HMENU menu, HWND owner, bool postCommands) {
    qmenu->clear();
    if (!Live(menu))
        return;
    int index = 0;
    for (const auto& item : menu->items) {
        if (item.flags & MF_SEPARATOR) {
            qmenu->addSeparator();
        } else if (item.flags & MF_POPUP) {
            QMenu* sub = qmenu->addMenu(QtText(item.text));
            HookPopup(sub, item.sub, index, owner, postCommands);
            FillQMenu(sub, item.sub, owner, postCommands);
        } else {
            QAction* action = qmenu->addAction(QtText(item.text));
            action->setData(item.id);
            action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
            action->setCheckable((item.flags & MF_CHECKED) != 0);
            action->setChecked((item.flags & MF_CHECKED) != 0);
            if (postCommands) {
                const UINT id = item.id;
                QObject::connect(action, &QAction::triggered, action, [owner, id] {
                    // A window disabled by a modal dialog takes no commands from its menu.
                    if (::IsWindowEnabled(owner))
                        ::PostMessage(owner, WM_COMMAND, MAKEWPARAM(id, 0), 0);
                });
            }
        }
        ++index;
    }
}

void Describe(HMENU menu, std::string& out) {
    for (const auto& item : menu->items) {
        if (item.flags & MF_SEPARATOR)
            continue;
        if (!out.empty())
            out += "|";
        out += item.text;
        if (item.flags & MF_POPUP)
            Describe(item.sub, out);
    }
}

bool IsEnabledCommand(HMENU menu, UINT cmd) {
    HMENU owner = nullptr;
    std::size_t index = 0;
    if (!FindItem(menu, cmd, MF_BYCOMMAND, owner, index))
        return false;
    return !(owner->items[index].flags & (MF_GRAYED | MF_DISABLED));
}

// Sets the item's `mask` bits to those in `flags` (which also say how `item`
// is meant); returns the bits it had, or -1 when there is no such item.
UINT ReplaceItemFlags(HMENU menu, UINT item, UINT flags, UINT mask) {
    HMENU owner = nullptr;
    std::size_t index = 0;
    if (!FindItem(menu, item, flags, owner, index))
        return static_cast<UINT>(-1);
    UINT& held = owner->items[index].flags;
    const UINT old = held & mask;
    held = (held & ~mask) | (flags & mask);
    return old;
}

} // namespace

namespace orbel::window {

void RebuildMenuBar(HWND hWnd) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || r->widget == nullptr)
        return;
    if (!Live(r->menu)) {
        if (r->menuBar != nullptr) {
            r->menuBar->deleteLater();
            r->menuBar = nullptr;
        }
        return;
    }
    if (r->menuBar == nullptr) {
        r->menuBar = new QMenuBar(r->widget);
        r->menuBar->setNativeMenuBar(false);
        r->menuBar->show();
    }
    r->menuBar->clear();
    int index = 0;
    for (const auto& item : r->menu->items) {
        if (item.flags & MF_POPUP) {
            QMenu* qmenu = r->menuBar->addMenu(QtText(item.text));
            HookPopup(qmenu, item.sub, index, hWnd, true);
            FillQMenu(qmenu, item.sub, hWnd, true);
        } else if (!(item.flags & MF_SEPARATOR)) {
            QAction* action = r->menuBar->addAction(QtText(item.text));
            const UINT id = item.id;
            QObject::connect(action, &QAction::triggered, action, [hWnd, id] {
                if (::IsWindowEnabled(hWnd))
                    ::PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            });
        }
        ++index;
    }
}

} // namespace orbel::window

HMENU CreateMenu() { return NewMenu(); }
HMENU CreatePopupMenu() { return NewMenu(); }

BOOL DestroyMenu(HMENU hMenu) {
    if (!Live(hMenu))
        return FALSE;
    DestroyMenuTree(hMenu);
    return TRUE;
}

HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
    if (!IS_INTRESOURCE(lpMenuName))
        return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpMenuName));
    const MenuTemplate* t = AfxFindMenuTemplate(hInstance, id);
    if (t == nullptr && hInstance != nullptr)
        t = AfxFindMenuTemplate(nullptr, id);
    return t ? BuildMenu(t->items) : nullptr;
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    if (!Live(hMenu))
        return FALSE;
    hMenu->items.push_back(MakeItem(uFlags, uIDNewItem, lpNewItem));
    return TRUE;
}

BOOL InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    if (!Live(hMenu))
        return FALSE;
    HMENU owner = hMenu;
    std::size_t index = hMenu->items.size();
    if (uPosition != static_cast<UINT>(-1) && !FindItem(hMenu, uPosition, uFlags, owner, index)) {
        owner = hMenu;
        index = hMenu->items.size();
    }
    owner->items.insert(owner->items.begin() + static_cast<std::ptrdiff_t>(index), MakeItem(uFlags, uIDNewItem, lpNewItem));
    return TRUE;
}

BOOL ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    HMENU owner = nullptr;
    std::size_t index = 0;
    if (!FindItem(hMnu, uPosition, uFlags, owner, index))
        return FALSE;
    owner->items[index] = MakeItem(uFlags, uIDNewItem, lpNewItem);
    return TRUE;
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    HMENU owner = nullptr;
    std::size_t index = 0;
    if (!FindItem(hMenu, uPosition, uFlags, owner, index))
        return FALSE;
    owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(index));
    return TRUE;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    HMENU owner = nullptr;
    std::size_t index = 0;
    if (!FindItem(hMenu, uPosition, uFlags, owner, index))
        return FALSE;
    HMENU sub = (owner->items[index].flags & MF_POPUP) ? owner->items[index].sub : nullptr;
    owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(index));
    DestroyMenu(sub);
    return TRUE;
}

UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    return ReplaceItemFlags(hMenu, uIDEnableItem, uEnable, MF_GRAYED | MF_DISABLED);
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    return ReplaceItemFlags(hMenu, uIDCheckItem, uCheck, MF_CHECKED);
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    HMENU owner = nullptr;
    std::size_t index = 0;
    if (!FindItem(hMenu, uId, uFlags, owner, index))
        return static_cast<UINT>(-1);
    const auto& item = owner->items[index];
    if (item.flags & MF_POPUP)
        return (static_cast<UINT>(Live(item.sub) ? item.sub->items.size() : 0) << 8) | (item.flags & 0xFF);
    return item.flags;
}

int GetMenuItemCount(HMENU hMenu) { return Live(hMenu) ? static_cast<int>(hMenu->items.size()) : -1; }

UINT GetMenuItemID(HMENU hMenu, int nPos) {
    if (!Live(hMenu) || nPos < 0 || static_cast<std::size_t>(nPos) >= hMenu->items.size())
        return static_cast<UINT>(-1);
    const auto& item = hMenu->items[static_cast<std::size_t>(nPos)];
    return (item.flags & MF_POPUP) ? static_cast<UINT>(-1) : (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
    if (!Live(hMenu) || nPos < 0 || static_cast<std::size_t>(nPos) >= hMenu->items.size())
        return nullptr;
    const auto& item = hMenu->items[static_cast<std::size_t>(nPos)];
    return (item.flags & MF_POPUP) ? Live(item.sub) : nullptr;
}

int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    HMENU owner = nullptr;
    std::size_t index = 0;
    if (!FindItem(hMenu, uIDItem, flags, owner, index))
        return 0;
    const std::string& text = owner->items[index].text;
    if (lpString == nullptr || cchMax <= 0)
        return static_cast<int>(text.size());
    const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(cchMax - 1));
    std::memcpy(lpString, text.data(), n);
    lpString[n] = '\0';
    return static_cast<int>(n);
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
    if (!Live(hMenu))
        return FALSE;
    if (Record(hWnd))
        ::SendMessage(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
    if (!Live(hMenu))
        return FALSE;
    UINT command = 0;
    if (orbel::modal::HasHook()) {
        std::string description;
        Describe(hMenu, description);
        const orbel::modal::Answer answer =
            orbel::modal::Ask(orbel::modal::kPopupMenu, description).value_or(orbel::modal::Answer{});
        if (answer.look)
            answer.look(hMenu);
        const UINT chosen = static_cast<UINT>(answer.result);
        // Nobody can pick an item that is not there or is greyed.
        if (chosen != 0 && IsEnabledCommand(hMenu, chosen))
            command = chosen;
    } else if (!orbel::NobodyToAnswerModals()) {
        EnsureQtApp();
        QMenu menu;
        FillQMenu(&menu, hMenu, hWnd, false);
        QAction* action = menu.exec(QPoint(x, y));
        if (action != nullptr)
            command = action->data().toUInt();
    }
    if (uFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (command != 0 && Record(hWnd))
        ::PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return command != 0;
}

HMENU GetMenu(HWND hWnd) {
    HWND__* r = Record(hWnd);
    return r ? Live(r->menu) : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU hMenu) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || (r->style & WS_CHILD))
        return FALSE;
    r->menu = Live(hMenu);
    RebuildMenuBar(hWnd);
    const QRect before = r->clientRect();
    UpdateInsets(r);
    ResizeImage(r);
    for (HWND c : r->children)
        if (HWND__* cr = Record(c))
            ApplyGeometry(cr);
    const QRect after = r->clientRect();
    if (!r->inCreate && before.size() != after.size())
        ::SendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(after.width(), after.height()));
    return TRUE;
}

BOOL DrawMenuBar(HWND hWnd) {
    RebuildMenuBar(hWnd);
    return Record(hWnd) != nullptr;
}

// ---- CMenu ----
IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() {
    if (m_hMenu != nullptr && !m_bTemporary)
        DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    HMENU h = Live(hMenu);
    if (h == nullptr)
        return nullptr;
    if (h->temp == nullptr) {
        h->temp = new CMenu;
        h->temp->m_hMenu = h;
        h->temp->m_bTemporary = true;
    }
    return h->temp;
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (!Live(hMenu))
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() { return std::exchange(m_hMenu, nullptr); }
BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT nIDResource) { return Attach(::LoadMenuA(nullptr, MAKEINTRESOURCE(nIDResource))); }
BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) { return Attach(::LoadMenuA(nullptr, lpszResourceName)); }

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr)
        return FALSE;
    HMENU h = Detach();
    if (Live(h) && h->temp == this)
        h->temp = nullptr;
    return ::DestroyMenu(h);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
CMenu* CMenu::GetSubMenu(int nPos) const { return CMenu::FromHandle(::GetSubMenu(m_hMenu, nPos)); }

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    const int n = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    std::string buffer(static_cast<std::size_t>(n) + 1, '\0');
    const int got = ::GetMenuStringA(m_hMenu, nIDItem, buffer.data(), n + 1, nFlags);
    rString = CString(buffer.data(), got);
    return got;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
