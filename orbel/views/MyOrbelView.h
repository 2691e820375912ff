// One of the four views of the scene: its camera and display settings, the
// eight view kinds, camera navigation, painting and scene drawing.
#pragma once

#include "orbel/frame/FrameModes.h"
#include "orbel/views/CameraNavigation.h"
#include "orbel/views/PickingGeometry.h"
#include "orbel/views/ViewBlock.h"
#include "orbel/views/ViewKind.h"
#include "orbel/views/ViewState.h"

#include <d3d8/D3D8.h>
#include <d3dx8/D3DX8.h>
#include <framework/Afx.h>
#include "model/SceneView.h"

#include <optional>

class CMyOrbelDoc;
class cObjekt3D;
class cPlugin;
class cViewFrame;
struct MeshVertex;
struct SelectedElement;
struct UndoEntry;

class CMyOrbelView : public CView, public cSceneView {
    DECLARE_DYNCREATE(CMyOrbelView)

public:
    CMyOrbelView();
    ~CMyOrbelView() override;

    CMyOrbelDoc* GetDocument() const;

    // Set once by the frame before the first SetViewKind; nothing is owned.
    void SetFrameState(IDirect3DVertexBuffer8* gridBuffer, IDirect3DVertexBuffer8* axesBuffer, int* viewMode,
                       int* selectionMode, int* transformMode, BYTE* pivot, float* axisMasks,
                       cPlugin** currentPlugin);
    int GetViewKind() const { return m_Kind; }

    // View kinds and "Change View" steps.
    void SetViewKind(int kind, UndoEntry* entry);
    void OnViewKind(UINT commandId);
    void SaveViewState(UndoEntry* entry);
    void SwapViewState(ViewState* state, bool discard);

    // The document's side: reset to the view's own kind, and the 58-byte
    // block of the scene file. Reading checks the block into a pending copy
    // (a bad kind, fill mode or selection mode throws the framework's archive
    // exception and changes nothing; a camera the view cannot use becomes
    // the start camera of the block's kind); ApplyViewBlock puts it into
    // force once the whole file is in.
    void ResetViewToKind() override;
    void WriteViewBlock(CArchive& ar) override;
    void ReadViewBlock(CArchive& ar) override;
    void ApplyViewBlock() override;
    void Serialize(CArchive& ar) override;
    ViewBlock MakeViewBlock() const;
    void ApplyBlock(const ViewBlock& block);

    // Navigation (the mouse handlers call these).
    void NavigateView(UINT flags, int x, int y);
    BOOL OnMouseWheel(UINT flags, short zDelta, CPoint point);

    // Mouse input, client pixels. Each event goes first to the current
    // plug-in; what it refuses navigates, transforms or selects. A right
    // drag with Ctrl moves the camera, with Shift turns it; a plain right
    // click shows the context menu, or closes a tool that refuses it.
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    // point in screen coordinates; outside the client area the framework's
    // default handles it.
    void OnContextMenu(CWnd* window, CPoint point);
    // The focused view alone shows the red title and frame.
    void OnSetFocus(CWnd* oldWindow);
    void OnKillFocus(CWnd* newWindow);
    // Serves the current plug-in's request list for the client point: the
    // point under it, the mouse capture and the point on the selected face
    // here, everything else through the frame.
    void ServePluginRequests(int x, int y);

    // The selection tools; action is a SelectAction. Both record "Change
    // Selection" first unless the current plug-in vetoes it.
    void ClickSelect(int x, int y, int action);
    // Over the rectangle of the down point and the last point.
    void RectangleSelect(int action);
    // One increment of a move, rotate or scale drag from the last point to
    // (x, y); Shift copies the selected objects once per press.
    void TransformSelection(UINT flags, int x, int y);

    // Display commands.
    void OnGrid();
    void OnShowBackFaces();
    void OnFillMode(UINT commandId);

    // Picking, on the matrices of the last paint. Client areas without width
    // or height and rays parallel to the plane give no result (FALSE or
    // NULL) and leave the outputs untouched.
    BOOL ScreenToRay(int x, int y, D3DXVECTOR3* origin, D3DXVECTOR3* direction) const;
    D3DXVECTOR3* IntersectViewPlane(D3DXVECTOR3* point, D3DXVECTOR3 origin, D3DXVECTOR3 direction,
                                    const D3DXVECTOR3* normal) const;
    BOOL BuildViewFrustum(ViewFrustum* frustum) const;
    BOOL PickPointOnObject(const SelectedElement& face, D3DXVECTOR3 origin, D3DXVECTOR3 direction,
                           D3DXVECTOR3* point) const;

    // Painting and scene drawing.
    void OnDraw(CDC* pDC) override;
    void DrawAxisTriad(CDC* pDC, IDirect3DDevice8* device);
    void DrawGrid(IDirect3DDevice8* device);
    void DrawScene(IDirect3DDevice8* device);
    void DrawObject(IDirect3DDevice8* device, cObjekt3D* object, const CArray<WORD, WORD>* indices);
    void DrawSelectedFace(IDirect3DDevice8* device, cObjekt3D* object, const MeshVertex* vertices);
    void DrawSelectedVertex(IDirect3DDevice8* device, const SelectedElement& element);
    void DrawBoundingBox(cObjekt3D* object, IDirect3DDevice8* device);

    // The scene as this view sees it, on white and without grid, into a BMP
    // file of width x height pixels (relative names against the current
    // folder). Returns whether the file was written: sizes of 0 or below, a
    // size the device refuses and an unwritable file leave no file, and the
    // caller tells the user.
    bool RenderToFile(CString fileName, int width, int height);

    ViewCamera GetCamera() const;
    void SetCamera(const ViewCamera& camera);
    PickingCamera GetPickingCamera() const;

    // Fields, in the order the view is made of.
    CPoint m_LastPoint{0, 0};
    CPoint m_DownPoint{0, 0};
    bool m_bRubberBand = false;
    D3DXVECTOR3 m_Eye{0, 0, -10};
    D3DXVECTOR3 m_Target{0, 0, 0};
    float m_Zoom = kDefaultZoom;
    float m_FieldOfView = kDefaultFieldOfView;
    D3DXVECTOR3 m_PlaneNormal{0, 1, 0};
    D3DXVECTOR3 m_RollAxis{0, 1, 0};
    D3DXVECTOR3 m_Up{0, 1, 0};
    D3DXMATRIX m_ViewMatrix;
    D3DXMATRIX m_ProjectionMatrix;
    int m_Kind = 0;
    CString m_Title{" "};
    bool m_bGrid = true;
    int m_CullMode = D3DCULL_NONE;
    IDirect3DVertexBuffer8* m_pGridBuffer = nullptr;
    IDirect3DVertexBuffer8* m_pAxesBuffer = nullptr;
    cPlugin** m_ppCurrentPlugin = nullptr;
    int* m_pViewMode = nullptr;
    int* m_pSelectionMode = nullptr;
    int* m_pTransformMode = nullptr;
    BYTE* m_pPivot = nullptr;
    float* m_pAxisMasks = nullptr;
    int m_FillMode = D3DFILL_WIREFRAME;
    bool m_bWireOverlay = false;
    bool m_bCloneDone = false;
    bool m_bDragUndo = false;
    IDirect3DVertexBuffer8* m_pHighlightBuffer = nullptr;
    // The grid and axes placed in one line list, made from the two buffers
    // above on first use.
    IDirect3DVertexBuffer8* m_pPlacedGrid = nullptr;

protected:
    std::optional<ViewBlock> m_PendingBlock;

    DECLARE_MESSAGE_MAP()

private:
    void SetNavigationMode(int mode);
    cViewFrame* GetViewFrame() const;
    cPlugin* CurrentPlugin() const { return m_ppCurrentPlugin ? *m_ppCurrentPlugin : nullptr; }
    int CurrentTransformMode() const { return m_pTransformMode ? *m_pTransformMode : TransformSelect; }
    float AxisMask(int axis) const { return m_pAxisMasks ? m_pAxisMasks[axis] : 0.0f; }
    // The "Change Selection" step of both selection tools.
    void BeginSelectionChange(int action);
    void RedrawAllViews();
    // The current plug-in answered the event with exactly true.
    bool PluginClaims(int event);
    void NotifyFrameOfSelection();
    // The step from `from` to `to` on the plane through the origin with
    // that normal, in world units; none when a ray has no finite point there.
    std::optional<D3DXVECTOR3> PlaneStep(POINT from, POINT to, const D3DXVECTOR3& normal) const;
    // The point under a client pixel on the view's construction plane.
    bool ConstructionPoint(int x, int y, D3DXVECTOR3* point) const;
    int CurrentViewMode() const { return m_pViewMode ? *m_pViewMode : ViewModeNone; }
    int CurrentSelectionMode() const { return m_pSelectionMode ? *m_pSelectionMode : SelectObjects; }
    void RedrawThisView();
    bool ClientSize(int* width, int* height) const;
    bool HasKeyboardFocus() const;
    void StartOrbit();
};
