#include "orbel/views/MyOrbelView.h"

#include "orbel/resources/Resource.h"

#include "model/MyOrbelDoc.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CMyOrbelView, CView)

BEGIN_MESSAGE_MAP(CMyOrbelView, CView)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_CONTEXTMENU()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_COMMAND(ID_VIEW_GRID, OnGrid)
    ON_COMMAND(ID_SHOW_BACK_FACES, OnShowBackFaces)
    ON_COMMAND_RANGE(ID_VIEW_KIND_TOP, ID_VIEW_KIND_BOTTOM, OnViewKind)
    ON_COMMAND_RANGE(ID_VIEW_KIND_LEFT, ID_VIEW_KIND_PERSPECTIVE, OnViewKind)
    ON_COMMAND_RANGE(ID_FILL_MODE_POINT, ID_FILL_MODE_WIREFRAME, OnFillMode)
    ON_COMMAND_RANGE(ID_FILL_MODE_SOLID, ID_FILL_MODE_SOLID, OnFillMode)
    ON_COMMAND_RANGE(ID_FILL_MODE_SOLID_WIRE, ID_FILL_MODE_SOLID_WIRE, OnFillMode)
END_MESSAGE_MAP()

CMyOrbelView::CMyOrbelView()
{
    // Picking before the first paint works on a plain camera, never on
    // undefined numbers.
    D3DXMatrixIdentity(&m_ViewMatrix);
    D3DXMatrixIdentity(&m_ProjectionMatrix);
}

CMyOrbelView::~CMyOrbelView()
{
    if (m_pHighlightBuffer) m_pHighlightBuffer->Release();
    if (m_pPlacedGrid) m_pPlacedGrid->Release();
    // The history outlives the views at exit; no step may reach this view
    // once it is gone.
    if (CMyOrbelDoc* document = GetDocument(); document && document->m_pUndoManager)
        document->m_pUndoManager->DiscardStepsOf(&ViewStateProc, this);
}

CMyOrbelDoc* CMyOrbelView::GetDocument() const { return dynamic_cast<CMyOrbelDoc*>(m_pDocument); }

void CMyOrbelView::SetFrameState(IDirect3DVertexBuffer8* gridBuffer, IDirect3DVertexBuffer8* axesBuffer,
                                 int* viewMode, int* selectionMode, int* transformMode, BYTE* pivot,
                                 float* axisMasks, cPlugin** currentPlugin)
{
    if ((gridBuffer != m_pGridBuffer || axesBuffer != m_pAxesBuffer) && m_pPlacedGrid) {
        m_pPlacedGrid->Release();
        m_pPlacedGrid = nullptr;
    }
    m_pGridBuffer = gridBuffer;
    m_pAxesBuffer = axesBuffer;
    m_pViewMode = viewMode;
    m_pSelectionMode = selectionMode;
    m_pTransformMode = transformMode;
    m_pPivot = pivot;
    m_pAxisMasks = axisMasks;
    m_ppCurrentPlugin = currentPlugin;
}

void CMyOrbelView::SetNavigationMode(int mode)
{
    if (m_pViewMode) *m_pViewMode = mode;
}

void CMyOrbelView::RedrawThisView()
{
    if (CMyOrbelDoc* document = GetDocument()) document->RedrawViews(this);
}

ViewCamera CMyOrbelView::GetCamera() const
{
    ViewCamera camera;
    camera.eye = m_Eye;
    camera.target = m_Target;
    camera.up = m_Up;
    camera.zoom = m_Zoom;
    camera.fieldOfView = m_FieldOfView;
    return camera;
}

void CMyOrbelView::SetCamera(const ViewCamera& camera)
{
    m_Eye = camera.eye;
    m_Target = camera.target;
    m_Up = camera.up;
    m_Zoom = camera.zoom;
    m_FieldOfView = camera.fieldOfView;
}

void CMyOrbelView::SetViewKind(int kind, UndoEntry* entry)
{
    if (entry) {
        SaveViewState(entry);
        entry->label = "Change View";
    }
    m_Kind = kind;
    if (const ViewKindDefaults* defaults = FindViewKindDefaults(kind)) {
        m_Title = defaults->title;
        m_Eye = defaults->eye;
        m_PlaneNormal = defaults->planeNormal;
        m_RollAxis = defaults->rollAxis;
        m_Up = defaults->up;
        if (kind == ViewKindPerspective) m_FillMode = D3DFILL_SOLID;
    }
    m_Target = D3DXVECTOR3(0, 0, 0);
    m_bGrid = true;
    m_FieldOfView = kDefaultFieldOfView;
    m_Zoom = kDefaultZoom;
    if (IsOrbitingKind(kind)) StartOrbit();
}

// Kinds 7 and 8 start from the camera an orbit from (0, 0) to (-30, 50) gives.
void CMyOrbelView::StartOrbit()
{
    SetNavigationMode(ViewModeRotate);
    m_LastPoint = CPoint(0, 0);
    SetCamera(StartCameraOf(m_Kind));
    SetNavigationMode(ViewModeNone);
    RedrawThisView();
}

void CMyOrbelView::OnViewKind(UINT commandId)
{
    int kind = ViewKindFromCommand(commandId);
    if (kind == 0) return;
    UndoEntry entry;
    SetViewKind(kind, &entry);
    CMyOrbelDoc* document = GetDocument();
    if (document && document->m_pUndoManager)
        document->m_pUndoManager->Push(entry);
    else
        ViewStateProc(entry.param, TRUE);
    if (document) document->RedrawViews(nullptr);
}

void CMyOrbelView::SaveViewState(UndoEntry* entry)
{
    if (!entry) return;
    auto* state = new ViewState;
    state->view = this;
    state->kind = m_Kind;
    state->eye = m_Eye;
    state->target = m_Target;
    state->zoom = m_Zoom;
    state->fieldOfView = m_FieldOfView;
    state->grid = m_bGrid;
    state->fillMode = m_FillMode;
    state->wireOverlay = m_bWireOverlay;
    entry->param = reinterpret_cast<INT_PTR>(state);
    entry->kind = UK_FUNCTION;
    entry->function = &ViewStateProc;
    entry->object = nullptr;
}

void CMyOrbelView::SwapViewState(ViewState* state, bool discard)
{
    if (!state) return;
    if (discard) {
        delete state;
        return;
    }
    ViewState previous;
    previous.view = this;
    previous.kind = m_Kind;
    previous.eye = m_Eye;
    previous.target = m_Target;
    previous.zoom = m_Zoom;
    previous.fieldOfView = m_FieldOfView;
    previous.grid = m_bGrid;
    previous.fillMode = m_FillMode;
    previous.wireOverlay = m_bWireOverlay;

    SetViewKind(state->kind, nullptr);
    m_Eye = state->eye;
    m_Target = state->target;
    m_bGrid = state->grid;
    m_Zoom = state->zoom;
    m_FieldOfView = state->fieldOfView;
    m_FillMode = state->fillMode;
    m_bWireOverlay = state->wireOverlay;
    RedrawThisView();
    *state = previous;
}

void ViewStateProc(INT_PTR param, BOOL discard)
{
    auto* state = reinterpret_cast<ViewState*>(param);
    if (!state) return;
    if (discard) {
        delete state;
        return;
    }
    if (state->view) state->view->SwapViewState(state, false);
}

void CMyOrbelView::ResetViewToKind() { SetViewKind(m_Kind, nullptr); }

ViewBlock CMyOrbelView::MakeViewBlock() const
{
    ViewBlock block;
    block.kind = m_Kind;
    block.zoom = m_Zoom;
    block.fieldOfView = m_FieldOfView;
    block.grid = m_bGrid;
    block.fillMode = m_FillMode;
    block.wireOverlay = m_bWireOverlay;
    block.up = m_Up;
    block.eye = m_Eye;
    block.target = m_Target;
    block.selectionMode = CurrentSelectionMode();
    return block;
}

void CMyOrbelView::WriteViewBlock(CArchive& ar)
{
    ViewBlockBytes bytes = EncodeViewBlock(MakeViewBlock());
    ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

void CMyOrbelView::ReadViewBlock(CArchive& ar)
{
    m_PendingBlock.reset();
    ViewBlockBytes bytes{};
    if (ar.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size())
        AfxThrowArchiveException(CArchiveException::endOfFile);
    ViewBlock block = DecodeViewBlock(bytes);
    if (!IsReadableViewBlock(block)) AfxThrowArchiveException(CArchiveException::badIndex);
    // A camera the view could not look through costs the file nothing but
    // that view's camera, which starts again as its kind starts.
    if (!IsUsableCamera(CameraOfBlock(block))) SetBlockCamera(block, StartCameraOf(block.kind));
    m_PendingBlock = block;
}

void CMyOrbelView::ApplyViewBlock()
{
    if (!m_PendingBlock) return;
    ApplyBlock(*m_PendingBlock);
    m_PendingBlock.reset();
}

// A loaded block sets the camera and display settings and the kind's title,
// plane normal and roll axis; nothing else of a kind change happens.
void CMyOrbelView::ApplyBlock(const ViewBlock& block)
{
    m_Kind = block.kind;
    m_Zoom = block.zoom;
    m_FieldOfView = block.fieldOfView;
    m_bGrid = block.grid;
    m_FillMode = block.fillMode;
    m_bWireOverlay = block.wireOverlay;
    m_Up = block.up;
    m_Eye = block.eye;
    m_Target = block.target;
    if (m_pSelectionMode) *m_pSelectionMode = block.selectionMode;
    if (const ViewKindDefaults* defaults = FindViewKindDefaults(block.kind)) {
        m_Title = defaults->title;
        m_PlaneNormal = defaults->planeNormal;
        m_RollAxis = defaults->rollAxis;
    }
}

void CMyOrbelView::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteViewBlock(ar);
    } else {
        ReadViewBlock(ar);
        ApplyViewBlock();
    }
}

void CMyOrbelView::OnGrid()
{
    m_bGrid = !m_bGrid;
    RedrawThisView();
}

void CMyOrbelView::OnShowBackFaces()
{
    m_CullMode = m_CullMode == D3DCULL_NONE ? D3DCULL_CCW : D3DCULL_NONE;
    RedrawThisView();
}

void CMyOrbelView::OnFillMode(UINT commandId)
{
    int fillMode = D3DFILL_SOLID;
    bool overlay = false;
    switch (commandId) {
    case ID_FILL_MODE_POINT: fillMode = D3DFILL_POINT; break;
    case ID_FILL_MODE_WIREFRAME: fillMode = D3DFILL_WIREFRAME; break;
    case ID_FILL_MODE_SOLID: break;
    case ID_FILL_MODE_SOLID_WIRE: overlay = true; break;
    default: return;
    }
    m_FillMode = fillMode;
    m_bWireOverlay = overlay;
    RedrawThisView();
}
