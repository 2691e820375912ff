// The main window: the 2 x 2 splitter of views, tool bar, status bar, the
// tools panel, the one Direct3D device and the loaded plug-ins. It owns the
// modes every view reads and releases everything at shut-down.
#pragma once

#include "orbel/frame/FrameModes.h"
#include "orbel/frame/SplashWnd.h"
#include "orbel/host/PluginLoader.h"
#include "orbel/panels/Dialog2.h"
#include "orbel/panels/DialogMtr.h"
#include "orbel/panels/Dialogy1.h"
#include "orbel/views/ViewFrame.h"

#include <d3d8/D3D8.h>
#include <framework/Afx.h>
#include <plugins/common/Plugin.h>

#include <functional>

class CMyOrbelView;
class CMyOrbelDoc;
class cObjekt3D;

class CMainFrame : public CFrameWnd, public cViewFrame {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // Direct3D start-up on the given window; FALSE on any failure, with the
    // objects made so far left to the destructor.
    BOOL InitDirect3D(HWND window);
    static BOOL CheckDepthFormat(IDirect3D8* direct3D, UINT adapter, D3DFORMAT displayFormat,
                                 D3DFORMAT depthFormat);

    // Binds the libraries of "Plugins" while the splash window reports it.
    void LoadPlugins();
    // Loads the library by its name (relative to the current folder), stores
    // the module in the record and asks the library's GetPlugin for its
    // object. FALSE when the library does not load, lacks GetPlugin or hands
    // back no object; the library is then freed again and the record left
    // empty.
    static BOOL LoadPlugin(LPCSTR fileName, PluginRecord& record);

    // Status panes 1 to 3: "X: ", "Y: ", "Z: ", with the values when shown.
    void ShowCoordinates(BOOL show, float x, float y, float z) override;

    void RecalcLayout(BOOL notify = TRUE) override;

    // ---- serving plug-ins ----
    // Answers one request code of the plug-in; codes the frame does not
    // serve (the views' and the import and export commands' own, unknown
    // ones) are ignored. Never redraws: the caller does.
    void ServeRequest(cPlugin* plugin, int code) override;
    // Serves the plug-in for the event. A starter that serves some codes
    // itself (a view: PR_POINT, PR_CAPTURE_MOUSE, PR_PICK_POINT) passes
    // serveOwn, which returns true for a code it served; every other code
    // goes to ServeRequest. Returns whether the plug-in accepted the event.
    using OwnRequestServer = std::function<bool(int code)>;
    BOOL ServePlugin(cPlugin* plugin, int event, const OwnRequestServer& serveOwn = nullptr);
    // The object panel shows the selection, the current plug-in gets
    // PE_REFRESH, and every view is redrawn.
    void NotifySelectionChanged() override;
    // PE_ACTIVATE for the plug-in that just became current, then a redraw.
    void OnPluginActivated();
    // The current plug-in's HidePanel, then no current plug-in, and the
    // object panel's tools list names none.
    void DropCurrentPlugin() override;
    // The scene was replaced by New or Open: a tool still holding an object
    // of the old scene must not write into it, and the panels show the new
    // scene.
    void OnSceneReplaced();

    // The panels' and plug-ins' posted WM_USER codes (FM_...); always 1.
    afx_msg LRESULT OnPanelMessage(WPARAM code, LPARAM argument);

    // ---- commands: modes, edits, undo and redo ----
    // A mode button toggles its mode; a view mode ends the transform mode
    // and the reverse; both drop the current tool.
    afx_msg void OnViewMode(UINT commandId);
    afx_msg void OnObjectMode(UINT commandId);
    // Sets the selection mode and empties the selection (no undo step).
    afx_msg void OnSelectMode(UINT commandId);
    // Toggles one axis mask, but never to a third active axis.
    afx_msg void OnMaskAxis(UINT commandId);
    afx_msg void OnPivotMode();
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnJoinObjects();
    afx_msg void OnCloneObject();
    afx_msg void OnDeleteSelection();
    afx_msg void OnSelectAll();
    afx_msg void OnUpdateViewRotate(CCmdUI* cmdUI);
    afx_msg void OnUpdateViewMove(CCmdUI* cmdUI);
    afx_msg void OnUpdateViewZoom(CCmdUI* cmdUI);
    afx_msg void OnUpdateRotateObject(CCmdUI* cmdUI);
    afx_msg void OnUpdateMoveObject(CCmdUI* cmdUI);
    afx_msg void OnUpdateScaleObject(CCmdUI* cmdUI);
    afx_msg void OnUpdateSelectObject(CCmdUI* cmdUI);
    afx_msg void OnUpdateSelectPolygon(CCmdUI* cmdUI);
    afx_msg void OnUpdateSelectLine(CCmdUI* cmdUI);
    afx_msg void OnUpdateSelectPoint(CCmdUI* cmdUI);
    afx_msg void OnUpdateMaskX(CCmdUI* cmdUI);
    afx_msg void OnUpdateMaskY(CCmdUI* cmdUI);
    afx_msg void OnUpdateMaskZ(CCmdUI* cmdUI);
    afx_msg void OnUpdatePivotMode(CCmdUI* cmdUI);
    afx_msg void OnUpdateEditUndo(CCmdUI* cmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* cmdUI);
    afx_msg void OnUpdateJoinObjects(CCmdUI* cmdUI);
    afx_msg void OnUpdateCloneObject(CCmdUI* cmdUI);
    afx_msg void OnUpdateDeleteSelection(CCmdUI* cmdUI);

    // ---- import and export through the plug-ins of those kinds ----
    afx_msg void OnFileImport();
    afx_msg void OnFileExport();
    afx_msg void OnUpdateFileImport(CCmdUI* cmdUI);
    afx_msg void OnUpdateFileExport(CCmdUI* cmdUI);
    void OnImportExport(BOOL import);

    // What the views, panels and commands work with.
    CMyOrbelView* GetPaneView(int row, int column) const;
    CMyOrbelDoc* GetSceneDocument() const;
    const PluginList& GetPlugins(int category) const { return m_Plugins[category]; }
    PluginList& GetPlugins(int category) { return m_Plugins[category]; }
    cPlugin* GetCurrentPlugin() const { return m_pCurrentPlugin; }
    int GetCurrentTab() const { return m_CurrentTab; }
    int GetViewMode() const { return m_ViewMode; }
    int GetSelectionMode() const { return m_SelectionMode; }
    int GetTransformMode() const { return m_TransformMode; }
    BYTE GetPivot() const { return m_Pivot; }
    const float* GetAxisMasks() const { return m_AxisMask; }
    IDirect3DDevice8* GetDevice() const { return m_pDevice; }
    CSplitterWnd& GetSplitter() { return m_wndSplitter; }
    CDialogBar& GetToolsPanel() { return m_wndToolsPanel; }
    cDialogy1& GetObjectPanel() { return m_ObjectPanel; }
    cDialog2& GetMaterialList() { return m_MaterialList; }
    cDialogMtr& GetMaterialPanel() { return m_MaterialPanel; }

    // The scene was replaced (New, Open, undo or redo): the current tab's
    // panel shows the new scene, the material list with no line selected and
    // no material panel, so that line k stays material k.
    void RefreshPanelsOfCurrentTab();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT createStruct, CCreateContext* context) override;

    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnTabSelChange(NMHDR* header, LRESULT* result);
    afx_msg void OnPanelAreaClicked();
    // "Render": the active view into an image file, with "Images" as the
    // current folder while the dialog and the rendering run. "Options": the
    // light's colour. Both redraw the views, even when cancelled.
    afx_msg void OnRender();
    afx_msg void OnOptions();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateBars();
    void SetUpTabs();
    void HalveSplitter();
    void FitToolsPanelToSplitter();
    void ShowPanelOfCurrentTab();
    void HandFrameStateToViews();
    // The selection's name and colour in the object panel, when it is shown.
    void ShowSelectionInObjectPanel();
    // The tools list of the object panel shows the current plug-in's line,
    // or none.
    void ShowCurrentToolInObjectPanel();

    // Posted codes.
    void ActivateTool(LPARAM index);
    void RenameSelection();
    void SetSelectionColour();
    // Whether the current plug-in holds an object of that list.
    bool HoldsObjectOf(const CList<cObjekt3D*, cObjekt3D*>& objects) const;
    void DropPluginIfHeldObjectGone();

    // Posted material codes; indices outside the material array are ignored.
    void ShowMaterial(LPARAM index);
    void AddMaterial();
    void RemoveMaterial(LPARAM index);
    void ApplyMaterial();
    void DrawMaterial();
    void AssignMaterial(LPARAM index);
    cMaterial* MaterialAt(LPARAM index) const;
    void FillMaterialList();
    void CloseMaterialPanel();
    // Plug-in codes: FM_RUN_PLUGIN serves only the object of a loaded
    // plug-in; PR_PANEL_ACTION needs a current plug-in.
    cPlugin* FindLoadedPlugin(LPARAM argument) const;
    void RunPlugin(LPARAM argument);
    void RunPanelAction();

    IDirect3DVertexBuffer8* m_pGridBuffer = nullptr;
    IDirect3DVertexBuffer8* m_pAxesBuffer = nullptr;
    int m_ViewMode = ViewModeNone;
    int m_SelectionMode = SelectObjects;
    int m_TransformMode = TransformSelect;
    BYTE m_Pivot = 0;
    float m_AxisMask[3] = {1.0f, 1.0f, 0.0f};
    IDirect3D8* m_pD3D = nullptr;
    IDirect3DDevice8* m_pDevice = nullptr;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CDialogBar m_wndToolsPanel;
    cDialogy1 m_ObjectPanel;
    cDialog2 m_MaterialList;
    cDialogMtr m_MaterialPanel;
    int m_CurrentTab = 0;
    cPlugin* m_pCurrentPlugin = nullptr;
    // The object last handed to the current plug-in through PR_NEW_OBJECT,
    // known by id; -1 when it holds none.
    int m_HandedObjectId = -1;
    cSplashWnd m_Splash;
    CSplitterWnd m_wndSplitter;
    BYTE m_SplitterReady = 0;
    PluginLists m_Plugins;
    CString m_ProgramDir;
    bool m_InLayout = false;
};
