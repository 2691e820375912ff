// The frame's menu, tool-bar and key commands: the tool modes the views
// read, the axis masks and pivot, undo and redo, the edit commands and
// Select All, with the update handlers that enable and check them.
//
// Edit commands keep the current plug-in, with one exception: a tool that
// still holds the object it was handed (a finished sphere whose panel is
// open) is dropped when Delete removes that object or Join merges it, so it
// never writes into a freed object.
#include "orbel/frame/MainFrm.h"

#include "orbel/frame/FrameModes.h"
#include "orbel/resources/Resource.h"

#include <model/MyOrbelDoc.h>

namespace {

// A mode command toggles between its own mode and none.
int Toggled(int current, int mode)
{
    return current == mode ? 0 : mode;
}

int ViewModeOf(UINT commandId)
{
    switch (commandId) {
    case ID_VIEW_ROTATE:
        return ViewModeRotate;
    case ID_VIEW_MOVE:
        return ViewModeMove;
    default:
        return ViewModeZoom;
    }
}

int TransformModeOf(UINT commandId)
{
    switch (commandId) {
    case ID_ROTATE_OBJECT:
        return TransformRotate;
    case ID_MOVE_OBJECT:
        return TransformMove;
    default:
        return TransformScale;
    }
}

int SelectionModeOf(UINT commandId)
{
    switch (commandId) {
    case ID_SELECT_OBJECT:
        return SelectObjects;
    case ID_SELECT_POLYGON:
        return SelectFaces;
    case ID_SELECT_LINE:
        return SelectLines;
    default:
        return SelectVertices;
    }
}

}  // namespace

void CMainFrame::OnViewMode(UINT commandId)
{
    m_ViewMode = Toggled(m_ViewMode, ViewModeOf(commandId));
    m_TransformMode = TransformSelect;
    DropCurrentPlugin();
}

void CMainFrame::OnObjectMode(UINT commandId)
{
    m_TransformMode = Toggled(m_TransformMode, TransformModeOf(commandId));
    m_ViewMode = ViewModeNone;
    DropCurrentPlugin();
}

void CMainFrame::OnSelectMode(UINT commandId)
{
    m_SelectionMode = SelectionModeOf(commandId);
    if (CMyOrbelDoc* document = GetSceneDocument()) {
        document->m_Selection.Clear();
        document->RedrawViews(nullptr);
    }
}

void CMainFrame::OnMaskAxis(UINT commandId)
{
    const int axis = static_cast<int>(commandId - ID_MASK_X_AXIS);
    if (axis < 0 || axis > 2)
        return;
    const float other1 = m_AxisMask[(axis + 1) % 3];
    const float other2 = m_AxisMask[(axis + 2) % 3];
    // At most two axes are active: with both others active this one stays.
    if (other1 == 1.0f && other2 == 1.0f)
        return;
    m_AxisMask[axis] = m_AxisMask[axis] == 1.0f ? 0.0f : 1.0f;
}

void CMainFrame::OnPivotMode()
{
    m_Pivot = m_Pivot == 1 ? 0 : 1;
    if (CMyOrbelDoc* document = GetSceneDocument())
        document->RedrawViews(nullptr);
}

void CMainFrame::OnEditUndo()
{
    CMyOrbelDoc* document = GetSceneDocument();
    // An empty history changes nothing, and the tool stays.
    if (document == nullptr || !document->m_pUndoManager->CanUndo())
        return;
    DropCurrentPlugin();
    document->m_pUndoManager->Undo();
    // A snapshot replaced the scene under the panels.
    RefreshPanelsOfCurrentTab();
}

void CMainFrame::OnEditRedo()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr || !document->m_pUndoManager->CanRedo())
        return;
    document->m_pUndoManager->Redo();
    RefreshPanelsOfCurrentTab();
}

void CMainFrame::OnJoinObjects()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    if (document->m_Selection.m_Objects.GetCount() > 1 && HoldsObjectOf(document->m_Selection.m_Objects))
        DropCurrentPlugin();
    document->JoinObjects();
    ShowSelectionInObjectPanel();
}

void CMainFrame::OnCloneObject()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    const INT_PTR before = document->m_Objects.GetCount();
    document->CloneObjects(m_SelectionMode);
    // Clone redraws nothing, but the scene must be offered for saving.
    if (document->m_Objects.GetCount() != before)
        document->SetModifiedFlag(TRUE);
}

void CMainFrame::OnDeleteSelection()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    if (m_SelectionMode == SelectObjects && HoldsObjectOf(document->m_Selection.m_Objects))
        DropCurrentPlugin();
    document->DeleteSelection(m_SelectionMode);
    // Deleting every face or vertex of an object removes it too.
    DropPluginIfHeldObjectGone();
    ShowSelectionInObjectPanel();
}

void CMainFrame::OnSelectAll()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    document->SaveUndoState("Select All");
    cSelection& selection = document->m_Selection;
    selection.Clear();
    for (POSITION pos = document->m_Objects.GetHeadPosition(); pos != nullptr;) {
        cObjekt3D* object = document->m_Objects.GetNext(pos);
        switch (m_SelectionMode) {
        case SelectObjects:
            selection.AddObject(object, FALSE);
            break;
        case SelectFaces:
            for (int face = 0; face < object->GetFaceCount(); ++face)
                selection.AddFace(new SelectedElement{object, face}, FALSE);
            break;
        case SelectVertices:
            for (int vertex = 0; vertex < object->m_Vertices.GetSize(); ++vertex)
                selection.AddVertex(new SelectedElement{object, vertex}, FALSE);
            break;
        default:
            break;
        }
    }
    NotifySelectionChanged();
    document->RedrawViews(nullptr);
}

void CMainFrame::OnUpdateViewRotate(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_ViewMode == ViewModeRotate);
}

void CMainFrame::OnUpdateViewMove(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_ViewMode == ViewModeMove);
}

void CMainFrame::OnUpdateViewZoom(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_ViewMode == ViewModeZoom);
}

void CMainFrame::OnUpdateRotateObject(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_TransformMode == TransformRotate);
}

void CMainFrame::OnUpdateMoveObject(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_TransformMode == TransformMove);
}

void CMainFrame::OnUpdateScaleObject(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_TransformMode == TransformScale);
}

void CMainFrame::OnUpdateSelectObject(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_SelectionMode == SelectObjects);
}

void CMainFrame::OnUpdateSelectPolygon(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_SelectionMode == SelectFaces);
}

void CMainFrame::OnUpdateSelectLine(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_SelectionMode == SelectLines);
}

void CMainFrame::OnUpdateSelectPoint(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_SelectionMode == SelectVertices);
}

void CMainFrame::OnUpdateMaskX(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_AxisMask[0] == 1.0f);
}

void CMainFrame::OnUpdateMaskY(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_AxisMask[1] == 1.0f);
}

void CMainFrame::OnUpdateMaskZ(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_AxisMask[2] == 1.0f);
}

void CMainFrame::OnUpdatePivotMode(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_Pivot == 1);
}

void CMainFrame::OnUpdateEditUndo(CCmdUI* cmdUI)
{
    CMyOrbelDoc* document = GetSceneDocument();
    cUndoManager* history = document != nullptr ? document->m_pUndoManager : nullptr;
    cmdUI->Enable(history != nullptr && history->CanUndo());
    if (history != nullptr)
        cmdUI->SetText(history->GetUndoText());
}

void CMainFrame::OnUpdateEditRedo(CCmdUI* cmdUI)
{
    CMyOrbelDoc* document = GetSceneDocument();
    cUndoManager* history = document != nullptr ? document->m_pUndoManager : nullptr;
    cmdUI->Enable(history != nullptr && history->CanRedo());
    if (history != nullptr)
        cmdUI->SetText(history->GetRedoText());
}

void CMainFrame::OnUpdateJoinObjects(CCmdUI* cmdUI)
{
    CMyOrbelDoc* document = GetSceneDocument();
    cmdUI->Enable(document != nullptr && document->m_Selection.m_Objects.GetCount() > 1);
}

void CMainFrame::OnUpdateCloneObject(CCmdUI* cmdUI)
{
    CMyOrbelDoc* document = GetSceneDocument();
    cmdUI->Enable(document != nullptr && document->m_Selection.m_Objects.GetCount() > 0);
}

void CMainFrame::OnUpdateDeleteSelection(CCmdUI* cmdUI)
{
    CMyOrbelDoc* document = GetSceneDocument();
    const cSelection* selection = document != nullptr ? &document->m_Selection : nullptr;
    cmdUI->Enable(selection != nullptr && (!selection->m_Objects.IsEmpty() || !selection->m_Faces.IsEmpty() ||
                                           !selection->m_Vertices.IsEmpty()));
}
