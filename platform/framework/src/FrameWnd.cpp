// CFrameWnd: menu bar, control-bar layout, view activation, command routing,
// accelerators, the title and closing with the save prompt.
#include "WindowState.h"

#include <framework/CmdUI.h>
#include <framework/ControlBars.h>
#include <framework/Document.h>
#include <framework/FrameWnd.h>
#include <framework/Resources.h>
#include <framework/Splitter.h>
#include <framework/View.h>
#include <framework/WinApp.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_DROPFILES()
ON_WM_INITMENUPOPUP()
ON_COMMAND(ID_NEXT_PANE, OnNextPane)
ON_COMMAND(ID_PREV_PANE, OnPrevPane)
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

namespace {

// Menu items' update handlers see the item through its menu.
void UpdateMenuItems(CFrameWnd* frame, CMenu* menu, BOOL autoEnable) {
    CCmdUI state;
    state.m_pMenu = menu;
    state.m_nIndexMax = menu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = menu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue;  // separators and popups
        state.m_pSubMenu = nullptr;
        state.DoUpdate(frame, autoEnable && state.m_nID < 0xF000);
        state.m_nIndexMax = menu->GetMenuItemCount();
    }
}

} // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    if (m_hMenuDefault != nullptr)
        ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr)
        cs.lpszClass = "AfxFrameOrView";
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
    HMENU menu = nullptr;
    if (lpszMenuName != nullptr) {
        menu = ::LoadMenu(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
        if (menu == nullptr)
            menu = ::LoadMenu(nullptr, lpszMenuName);
    }
    if (m_hMenuDefault == nullptr)
        m_hMenuDefault = menu;
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    m_pCreateContext = pContext;
    const int cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    const BOOL ok = CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
                             pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, menu, pContext);
    // A frame that failed has deleted itself: nothing of it may be touched.
    return ok;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    std::string strings;
    CString title;
    if (AfxLoadString(nIDResource, strings))
        title = CString(strings.substr(0, strings.find('\n')).c_str());
    m_nIDHelp = nIDResource;
    m_hAccelTable = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(nIDResource));
    return Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0, pContext);
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
    m_hAccelTable = ::LoadAccelerators(nullptr, lpszResourceName);
    return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return nullptr;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(object);
    if (view == nullptr) {
        delete object;
        return nullptr;
    }
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;  // the view deleted itself
    return view;
}

void CFrameWnd::RecalcLayout(BOOL) {
    CRect area;
    GetClientRect(&area);
    auto place = [](CControlBar* bar, const CRect& r) {
        CRect now;
        bar->GetWindowRect(&now);
        if (CWnd* parent = bar->GetParent())
            parent->ScreenToClient(&now);
        if (now != r)
            bar->MoveWindow(&r, TRUE);
    };
    // Top and bottom bars span the whole width; side bars the height between.
    // A bar counts by its own visible style: the frame may still be hidden.
    auto shown = [](CControlBar* bar) { return (bar->GetStyle() & WS_VISIBLE) != 0; };
    for (CControlBar* bar : m_listControlBars) {
        if (!shown(bar))
            continue;
        const DWORD align = bar->m_dwStyle & CBRS_ALIGN_ANY;
        if (align & CBRS_ALIGN_TOP) {
            const CSize size = bar->CalcFixedLayout(TRUE, TRUE);
            place(bar, CRect(area.left, area.top, area.right, area.top + size.cy));
            area.top = std::min<LONG>(area.bottom, area.top + size.cy);
        } else if (align & CBRS_ALIGN_BOTTOM) {
            const CSize size = bar->CalcFixedLayout(TRUE, TRUE);
            place(bar, CRect(area.left, area.bottom - size.cy, area.right, area.bottom));
            area.bottom = std::max<LONG>(area.top, area.bottom - size.cy);
        }
    }
    for (CControlBar* bar : m_listControlBars) {
        if (!shown(bar))
            continue;
        const DWORD align = bar->m_dwStyle & CBRS_ALIGN_ANY;
        if ((align & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0)
            continue;
        const CSize size = bar->CalcFixedLayout(FALSE, FALSE);
        if (align & CBRS_ALIGN_RIGHT) {
            place(bar, CRect(area.right - size.cx, area.top, area.right, area.bottom));
            area.right = std::max<LONG>(area.left, area.right - size.cx);
        } else if (align & CBRS_ALIGN_LEFT) {
            place(bar, CRect(area.left, area.top, area.left + size.cx, area.bottom));
            area.left = std::min<LONG>(area.right, area.left + size.cx);
        }
    }
    m_rectViewArea = area;
    if (CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST)) {
        CRect now;
        pane->GetWindowRect(&now);
        ScreenToClient(&now);
        if (now != area)
            pane->MoveWindow(&area, TRUE);
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1)
        nCmdShow = IsWindowVisible() ? SW_SHOWNA : SW_SHOW;
    ShowWindow(nCmdShow);
    SetActiveWindow();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    m_pDocument = pDoc;
    CView* view = GetActiveView();
    if (view == nullptr && pDoc != nullptr) {
        // The first of the document's views in this frame becomes active.
        POSITION pos = pDoc->GetFirstViewPosition();
        while (pos != nullptr) {
            CView* candidate = pDoc->GetNextView(pos);
            if (candidate != nullptr && candidate->GetParentFrame() == this) {
                view = candidate;
                SetActiveView(view, FALSE);
                break;
            }
        }
    }
    if (bMakeVisible) {
        if (pDoc != nullptr) {
            POSITION pos = pDoc->GetFirstViewPosition();
            while (pos != nullptr)
                if (CView* v = pDoc->GetNextView(pos); v && v->GetParentFrame() == this)
                    v->OnInitialUpdate();
        }
        // The bars show their items' states from the first paint on.
        OnIdleUpdateCmdUI();
        ActivateFrame(-1);
        if (view != nullptr)
            view->OnActivateView(TRUE, view, view);
    }
    OnUpdateFrameTitle(TRUE);
}

CView* CFrameWnd::GetActiveView() const { return m_pViewActive; }

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* old = m_pViewActive;
    if (pViewNew == old)
        return;
    m_pViewActive = pViewNew;
    if (!bNotify)
        return;
    if (old != nullptr)
        old->OnActivateView(FALSE, pViewNew, old);
    if (pViewNew != nullptr && m_pViewActive == pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() {
    if (m_pViewActive != nullptr)
        return m_pViewActive->GetDocument();
    return m_pDocument;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle |= dwDockStyle; }

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    if (pBar != nullptr && std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT) {
    if (pBar == nullptr)
        return;
    // A bar whose own side is not allowed goes to the first allowed side.
    DWORD side = pBar->m_dwStyle & CBRS_ALIGN_ANY;
    if (nDockBarID == AFX_IDW_DOCKBAR_TOP)
        side = CBRS_ALIGN_TOP;
    else if (nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
        side = CBRS_ALIGN_BOTTOM;
    else if (nDockBarID == AFX_IDW_DOCKBAR_LEFT)
        side = CBRS_ALIGN_LEFT;
    else if (nDockBarID == AFX_IDW_DOCKBAR_RIGHT)
        side = CBRS_ALIGN_RIGHT;
    if (side == 0)
        side = CBRS_ALIGN_TOP;
    pBar->m_dwStyle = (pBar->m_dwStyle & ~static_cast<DWORD>(CBRS_ALIGN_ANY)) | side;
    pBar->m_pDockSite = this;
    AddControlBar(pBar);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL) {
    if (pBar == nullptr)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
    for (CControlBar* bar : m_listControlBars)
        if (static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return bar;
    return nullptr;
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
    CControlBar* bar = GetControlBar(nID);
    if (bar == nullptr)
        return FALSE;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (bar == nullptr) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) ? 1 : 0);
}

CWnd* CFrameWnd::GetMessageBar() { return GetControlBar(AFX_IDW_STATUS_BAR); }

void CFrameWnd::SetMessageText(LPCTSTR lpszText) {
    if (auto* bar = dynamic_cast<CStatusBar*>(GetMessageBar()))
        bar->SetPaneText(0, lpszText ? lpszText : "");
}

void CFrameWnd::SetMessageText(UINT nID) {
    // A command's string is "prompt\ntool tip"; the bar shows the prompt.
    std::string text;
    AfxLoadString(nID, text);
    SetMessageText(text.substr(0, text.find('\n')).c_str());
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0)
        SetMessageText(reinterpret_cast<LPCTSTR>(lParam));
    else
        SetMessageText(static_cast<UINT>(wParam));
    return 0;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc != nullptr)
        UpdateFrameTitleForDocument(doc->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
    CString title;
    if (lpszDocName != nullptr && *lpszDocName != '\0')
        title = CString(lpszDocName) + " - " + m_strTitle;
    else
        title = m_strTitle;
    CString now;
    GetWindowText(now);
    if (now != title)
        SetWindowText(title);
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    if (!::IsWindow(m_hWnd))
        return;
    std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* bar : bars)
        if (::IsWindow(bar->GetSafeHwnd()) && (bar->GetStyle() & WS_VISIBLE))
            bar->OnUpdateCmdUI(this, m_bAutoMenuEnable);
    if (GetStyle() & FWS_ADDTOTITLE)
        OnUpdateFrameTitle(TRUE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM) {
    OnIdleUpdateCmdUI();
    return 0;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The active view first (it passes on to its document), then the frame,
    // then the application.
    if (CView* view = GetActiveView()) {
        if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    } else if (m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return CWnd::OnCommand(wParam, lParam); }

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message < WM_KEYDOWN || pMsg->message > WM_SYSCHAR)
        return CWnd::PreTranslateMessage(pMsg);
    if (m_hAccelTable != nullptr && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    // F6 and Shift+F6 step through the panes.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F6 && ::GetKeyState(VK_CONTROL) >= 0) {
        SendMessage(WM_COMMAND, ::GetKeyState(VK_SHIFT) < 0 ? ID_PREV_PANE : ID_NEXT_PANE, 0);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr && !doc->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        if (doc == nullptr && !app->SaveAllModified())
            return;
        // Closing the documents takes this frame down with them.
        app->CloseAllDocuments(FALSE);
        if (app->m_pMainWnd == nullptr)
            return;
    } else if (doc != nullptr && doc->m_pDocTemplate != nullptr) {
        doc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    m_listControlBars.clear();
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnSize(UINT nType, int, int) {
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
    SetActiveWindow();
    const UINT count = ::DragQueryFile(hDropInfo, 0xFFFFFFFFu, nullptr, 0);
    CWinApp* app = AfxGetApp();
    for (UINT i = 0; i < count && app != nullptr; ++i) {
        char path[MAX_PATH * 4];
        ::DragQueryFile(hDropInfo, i, path, sizeof path);
        app->OpenDocumentFile(path);
    }
    ::DragFinish(hDropInfo);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu || pPopupMenu == nullptr)
        return;
    UpdateMenuItems(this, pPopupMenu, m_bAutoMenuEnable);
}

void CFrameWnd::OnNextPane() {
    if (CView* view = GetActiveView())
        if (CSplitterWnd* splitter = view->GetParentSplitter())
            splitter->ActivateNext(FALSE);
}

void CFrameWnd::OnPrevPane() {
    if (CView* view = GetActiveView())
        if (CSplitterWnd* splitter = view->GetParentSplitter())
            splitter->ActivateNext(TRUE);
}
