// Update handlers: before a menu opens, at idle for tool bars and status
// panes, each command's CCmdUI is routed like the command itself and a
// handler enables, checks or renames the item. Commands without a handler
// are disabled where the caller asks for it (menus).
//
// The routing flag is the core's, which routes updates; Enable, SetCheck,
// SetRadio, SetText and DoUpdate act on menus and windows and come with the
// window library.
//
// Left out: radio-style menu marks (SetRadio checks), and updates of
// status-bar panes by text width.
#pragma once

#include <win32/Types.h>

class CCmdTarget;
class CMenu;
class CWnd;

class ORBEL_API CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;     // menu item being updated, or null
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;     // bar or window being updated, or null
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes this update through pTarget; when no handler answers and
    // bDisableIfNoHndler is set, the item is disabled. TRUE: handled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
