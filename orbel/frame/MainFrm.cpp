#include "orbel/frame/MainFrm.h"

#include "orbel/frame/FrameModes.h"
#include "orbel/frame/MyOrbelApp.h"
#include "orbel/resources/ProgramPictures.h"
#include "orbel/resources/Resource.h"
#include "orbel/views/MyOrbelView.h"

#include <model/MyOrbelDoc.h>

#include <d3d8/EarlyDisplay.h>

#include <algorithm>

namespace {

// Where each pane's view starts, in the order the views are handed their
// state: upper left, lower left, upper right, lower right.
struct PaneKind {
    int row;
    int column;
    int kind;
};
constexpr PaneKind kPaneKinds[] = {
    {0, 0, ViewKindTop},
    {1, 0, ViewKindLeft},
    {0, 1, ViewKindFront},
    {1, 1, ViewKindPerspective},
};

constexpr int kSplitterMinimum = 10;
constexpr int kCoordinatePaneWidth = 50;
constexpr int kStatusPaneCount = 4;

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_NOTIFY(TCN_SELCHANGE, IDC_TOOL_TABS, OnTabSelChange)
    ON_BN_CLICKED(IDC_PANEL_AREA, OnPanelAreaClicked)
    ON_BN_CLICKED(IDC_PLUGIN_AREA, OnPanelAreaClicked)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLS_PANEL, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLS_PANEL, OnBarCheck)
    ON_MESSAGE(WM_USER, OnPanelMessage)
    ON_COMMAND(ID_RENDER, OnRender)
    ON_COMMAND(ID_OPTIONS, OnOptions)
    ON_COMMAND_RANGE(ID_VIEW_ROTATE, ID_VIEW_ZOOM, OnViewMode)
    ON_COMMAND_RANGE(ID_ROTATE_OBJECT, ID_SCALE_OBJECT, OnObjectMode)
    ON_COMMAND_RANGE(ID_SELECT_OBJECT, ID_SELECT_POINT, OnSelectMode)
    ON_COMMAND_RANGE(ID_MASK_X_AXIS, ID_MASK_Z_AXIS, OnMaskAxis)
    ON_COMMAND(ID_PIVOT_MODE, OnPivotMode)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_COMMAND(ID_JOIN_OBJECTS, OnJoinObjects)
    ON_COMMAND(ID_CLONE_OBJECT, OnCloneObject)
    ON_COMMAND(ID_DELETE_SELECTION, OnDeleteSelection)
    ON_COMMAND(ID_SELECT_ALL, OnSelectAll)
    ON_COMMAND(ID_FILE_IMPORT, OnFileImport)
    ON_COMMAND(ID_FILE_EXPORT, OnFileExport)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ROTATE, OnUpdateViewRotate)
    ON_UPDATE_COMMAND_UI(ID_VIEW_MOVE, OnUpdateViewMove)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM, OnUpdateViewZoom)
    ON_UPDATE_COMMAND_UI(ID_ROTATE_OBJECT, OnUpdateRotateObject)
    ON_UPDATE_COMMAND_UI(ID_MOVE_OBJECT, OnUpdateMoveObject)
    ON_UPDATE_COMMAND_UI(ID_SCALE_OBJECT, OnUpdateScaleObject)
    ON_UPDATE_COMMAND_UI(ID_SELECT_OBJECT, OnUpdateSelectObject)
    ON_UPDATE_COMMAND_UI(ID_SELECT_POLYGON, OnUpdateSelectPolygon)
    ON_UPDATE_COMMAND_UI(ID_SELECT_LINE, OnUpdateSelectLine)
    ON_UPDATE_COMMAND_UI(ID_SELECT_POINT, OnUpdateSelectPoint)
    ON_UPDATE_COMMAND_UI(ID_MASK_X_AXIS, OnUpdateMaskX)
    ON_UPDATE_COMMAND_UI(ID_MASK_Y_AXIS, OnUpdateMaskY)
    ON_UPDATE_COMMAND_UI(ID_MASK_Z_AXIS, OnUpdateMaskZ)
    ON_UPDATE_COMMAND_UI(ID_PIVOT_MODE, OnUpdatePivotMode)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_UPDATE_COMMAND_UI(ID_JOIN_OBJECTS, OnUpdateJoinObjects)
    ON_UPDATE_COMMAND_UI(ID_CLONE_OBJECT, OnUpdateCloneObject)
    ON_UPDATE_COMMAND_UI(ID_DELETE_SELECTION, OnUpdateDeleteSelection)
    ON_UPDATE_COMMAND_UI(ID_FILE_IMPORT, OnUpdateFileImport)
    ON_UPDATE_COMMAND_UI(ID_FILE_EXPORT, OnUpdateFileExport)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    // The views are gone with the window; the device goes before the plug-in
    // libraries whose code may still hold Direct3D objects, and the document
    // (with its textures) is deleted only after the frame.
    if (m_pGridBuffer != nullptr)
        m_pGridBuffer->Release();
    m_pGridBuffer = nullptr;
    if (m_pAxesBuffer != nullptr)
        m_pAxesBuffer->Release();
    m_pAxesBuffer = nullptr;
    if (m_pDevice != nullptr)
        m_pDevice->Release();
    m_pDevice = nullptr;
    if (m_pD3D != nullptr)
        m_pD3D->Release();
    m_pD3D = nullptr;

    // Release deletes a plug-in's panel too, so the current one gets no
    // HidePanel first.
    m_pCurrentPlugin = nullptr;
    ReleasePlugins(m_Plugins);

    // A frame that failed before it made the device must not let the
    // program end while the display it began opening is still being set up.
    D3D8FinishOpeningDisplay();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT createStruct)
{
    if (auto* app = dynamic_cast<CMyOrbelApp*>(AfxGetApp()))
        m_ProgramDir = app->m_ProgramDir;

    m_Splash.ShowSplash(this);
    m_Splash.SetStatusText(" Starting Program");
    // The display behind Direct3D opens while the plug-in messages pause.
    D3D8BeginOpeningDisplay();
    LoadPlugins();
    m_Splash.HideSplash();

    if (CFrameWnd::OnCreate(createStruct) == -1)
        return -1;
    if (!CreateBars())
        return -1;
    SetUpTabs();

    CMyOrbelView* lowerRight = GetPaneView(1, 1);
    if (lowerRight == nullptr || !InitDirect3D(lowerRight->GetSafeHwnd())) {
        MessageBox("Error on start Direct3D", "Error", MB_ICONSTOP);
        return -1;
    }

    if (CMyOrbelDoc* document = GetSceneDocument())
        document->m_pDevice = m_pDevice;
    m_MaterialPanel.MakePreviewSphere(m_pDevice);

    HandFrameStateToViews();
    HalveSplitter();
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    if (!m_wndSplitter.CreateStatic(this, 2, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    // Creation order is the document's view order, which is the order of the
    // view blocks in the scene file.
    const int panes[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (const auto& pane : panes) {
        if (!m_wndSplitter.CreateView(pane[0], pane[1], RUNTIME_CLASS(CMyOrbelView), CSize(0, 0), context))
            return FALSE;
    }
    m_SplitterReady = 1;
    return TRUE;
}

BOOL CMainFrame::CreateBars()
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadBitmap(IDR_MAINFRAME) || !m_wndToolBar.SetButtons(kToolBarButtons, kToolBarButtonCount))
        return FALSE;

    static const UINT kIndicators[kStatusPaneCount] = {0, 0, 0, 0};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, kStatusPaneCount))
        return FALSE;

    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);

    for (int pane = 1; pane < kStatusPaneCount; ++pane)
        m_wndStatusBar.SetPaneInfo(pane, 0, SBPS_NORMAL, kCoordinatePaneWidth);
    ShowCoordinates(FALSE, 0.0f, 0.0f, 0.0f);
    SetMessageText(AFX_IDS_IDLEMESSAGE);

    if (!m_wndToolsPanel.Create(this, IDD_TOOLS_PANEL, CBRS_RIGHT | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_HIDE_INPLACE,
                                ID_VIEW_TOOLS_PANEL))
        return FALSE;
    m_wndToolsPanel.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolsPanel);
    return TRUE;
}

void CMainFrame::SetUpTabs()
{
    auto* tabs = static_cast<CTabCtrl*>(m_wndToolsPanel.GetDlgItem(IDC_TOOL_TABS));
    if (tabs == nullptr)
        return;
    tabs->InsertItem(0, "Create");
    tabs->InsertItem(1, "Modify");
    tabs->InsertItem(2, "Materials");
    tabs->SetCurSel(0);
    LRESULT result = 0;
    OnTabSelChange(nullptr, &result);
}

void CMainFrame::OnTabSelChange(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (auto* tabs = static_cast<CTabCtrl*>(m_wndToolsPanel.GetDlgItem(IDC_TOOL_TABS)))
        m_CurrentTab = tabs->GetCurSel();
    ShowPanelOfCurrentTab();
}

void CMainFrame::ShowPanelOfCurrentTab()
{
    if (m_ObjectPanel.GetSafeHwnd() != nullptr)
        m_ObjectPanel.DestroyWindow();
    if (m_MaterialList.GetSafeHwnd() != nullptr)
        m_MaterialList.DestroyWindow();

    CMyOrbelDoc* document = GetSceneDocument();
    if (m_CurrentTab == PLUGIN_CREATE || m_CurrentTab == PLUGIN_MODIFY) {
        if (m_ObjectPanel.CreatePanel(m_wndToolsPanel.GetDlgItem(IDC_PANEL_AREA))) {
            m_ObjectPanel.ShowWindow(SW_SHOW);
            const PluginList& tools = m_Plugins[m_CurrentTab];
            for (INT_PTR i = 0; i < tools.GetSize(); ++i)
                m_ObjectPanel.AddToolName(tools[i].plugin->GetName());
            if (document != nullptr)
                m_ObjectPanel.SetObjectName(document->m_Selection.GetName());
        }
    }
    if (m_CurrentTab == TabMaterials && m_MaterialList.CreatePanel(m_wndToolsPanel.GetDlgItem(IDC_PANEL_AREA))) {
        FillMaterialList();
        m_MaterialList.ShowWindow(SW_SHOW);
    }

    DropCurrentPlugin();
    CloseMaterialPanel();
}

void CMainFrame::OnPanelAreaClicked()
{
    // The placeholders only mark where panels go; clicking them does nothing.
}

void CMainFrame::HandFrameStateToViews()
{
    for (const PaneKind& pane : kPaneKinds) {
        CMyOrbelView* view = GetPaneView(pane.row, pane.column);
        if (view == nullptr)
            continue;
        view->SetFrameState(m_pGridBuffer, m_pAxesBuffer, &m_ViewMode, &m_SelectionMode, &m_TransformMode, &m_Pivot,
                            m_AxisMask, &m_pCurrentPlugin);
        view->SetViewKind(pane.kind, nullptr);
    }
}

void CMainFrame::HalveSplitter()
{
    CRect client;
    m_wndSplitter.GetClientRect(&client);
    // A window narrower than four pixels would ask for negative columns.
    const int columnWidth = std::max(client.Width() / 2 - 2, 0);
    const int rowHeight = client.Height() / 2;
    for (int i = 0; i < 2; ++i) {
        m_wndSplitter.SetColumnInfo(i, columnWidth, kSplitterMinimum);
        m_wndSplitter.SetRowInfo(i, rowHeight, kSplitterMinimum);
    }
    m_wndSplitter.RecalcLayout();
}

void CMainFrame::RecalcLayout(BOOL notify)
{
    CFrameWnd::RecalcLayout(notify);
    if (!m_SplitterReady || m_InLayout)
        return;
    m_InLayout = true;
    CRect client;
    m_wndSplitter.GetClientRect(&client);
    if (client.Height() > kSplitterMinimum && client.Width() > kSplitterMinimum)
        HalveSplitter();
    FitToolsPanelToSplitter();
    m_InLayout = false;
}

void CMainFrame::FitToolsPanelToSplitter()
{
    if (m_wndToolsPanel.GetSafeHwnd() == nullptr)
        return;
    CRect splitter;
    m_wndSplitter.GetClientRect(&splitter);
    CRect panel;
    m_wndToolsPanel.GetWindowRect(&panel);
    if (CWnd* parent = m_wndToolsPanel.GetParent())
        parent->ScreenToClient(&panel);
    m_wndToolsPanel.MoveWindow(panel.left, panel.top, panel.Width(), splitter.Height(), TRUE);
    m_wndToolsPanel.Invalidate();
}

void CMainFrame::LoadPlugins()
{
    LoadPluginsFromFolder(m_ProgramDir, m_Plugins, &CMainFrame::LoadPlugin,
                          [this](LPCSTR text) { m_Splash.SetStatusText(text); });
}

void CMainFrame::ShowCoordinates(BOOL show, float x, float y, float z)
{
    const char* labels[3] = {"X: ", "Y: ", "Z: "};
    const float values[3] = {x, y, z};
    for (int axis = 0; axis < 3; ++axis) {
        CString text = labels[axis];
        if (show) {
            CString value;
            value.Format("%0.3f", values[axis]);
            text += value;
        }
        m_wndStatusBar.SetPaneText(axis + 1, text, TRUE);
    }
}

CMyOrbelView* CMainFrame::GetPaneView(int row, int column) const
{
    if (!m_SplitterReady)
        return nullptr;
    return dynamic_cast<CMyOrbelView*>(m_wndSplitter.GetPane(row, column));
}

CMyOrbelDoc* CMainFrame::GetSceneDocument() const
{
    CMyOrbelView* upperLeft = GetPaneView(0, 0);
    return upperLeft != nullptr ? dynamic_cast<CMyOrbelDoc*>(upperLeft->GetDocument()) : nullptr;
}
