// Menus: a menu bar or popup made from a menu resource or built in code.
// Popups shown with TrackPopupMenu take the modal hook's answer when one is
// installed (see ModalHook.h).
//
// Left out: bitmap and owner-drawn items (text items only), menu bar breaks,
// keyboard navigation of popups beyond the toolkit's own, and system menus.
#pragma once

#include <framework/Geometry.h>
#include <framework/Object.h>
#include <framework/WinUser.h>

class CWnd;
class CString;

#define TPM_LEFTALIGN 0x0000u
#define TPM_CENTERALIGN 0x0004u
#define TPM_RIGHTALIGN 0x0008u
#define TPM_TOPALIGN 0x0000u
#define TPM_LEFTBUTTON 0x0000u
#define TPM_RIGHTBUTTON 0x0002u
#define TPM_NONOTIFY 0x0080u
#define TPM_RETURNCMD 0x0100u

ORBEL_API HMENU CreateMenu();
ORBEL_API HMENU CreatePopupMenu();
ORBEL_API BOOL DestroyMenu(HMENU hMenu);
ORBEL_API HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName);
inline HMENU LoadMenu(HINSTANCE hInstance, LPCSTR lpMenuName) { return LoadMenuA(hInstance, lpMenuName); }
ORBEL_API BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
ORBEL_API BOOL InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
ORBEL_API BOOL ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
ORBEL_API BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
ORBEL_API BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
ORBEL_API UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
ORBEL_API DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
ORBEL_API UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);
ORBEL_API int GetMenuItemCount(HMENU hMenu);
ORBEL_API UINT GetMenuItemID(HMENU hMenu, int nPos);
ORBEL_API HMENU GetSubMenu(HMENU hMenu, int nPos);
ORBEL_API int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags);
ORBEL_API BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect);
ORBEL_API HMENU GetMenu(HWND hWnd);
ORBEL_API BOOL SetMenu(HWND hWnd, HMENU hMenu);
ORBEL_API BOOL DrawMenuBar(HWND hWnd);

class ORBEL_API CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU hMenu);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    CMenu* GetSubMenu(int nPos) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    // Without TPM_RETURNCMD the chosen command is posted to pWnd as
    // WM_COMMAND; with it the command is returned. 0: nothing chosen.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

private:
    bool m_bTemporary = false;
    friend struct CMenuAccess;
};
