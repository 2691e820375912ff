// Mouse input of a view: the current plug-in sees each event first; what it
// refuses navigates the camera, transforms the selection, selects, or shows
// the context menu.
#include "orbel/host/RequestServing.h"
#include "orbel/views/MyOrbelView.h"
#include "orbel/views/ViewFrame.h"

#include "model/MyOrbelDoc.h"

#include <plugins/common/Plugin.h>

#include <cstdlib>

namespace {

// Ctrl adds, else Shift removes, else the click replaces the selection.
int SelectActionOf(UINT flags)
{
    if (flags & MK_CONTROL) return SelectAdd;
    if (flags & MK_SHIFT) return SelectRemove;
    return SelectReplace;
}

const char* TransformLabel(int transformMode)
{
    switch (transformMode) {
    case TransformMove: return "Move";
    case TransformRotate: return "Rotate";
    case TransformScale: return "Scale";
    default: return nullptr;
    }
}

}  // namespace

cViewFrame* CMyOrbelView::GetViewFrame() const
{
    for (CWnd* window = GetParent(); window != nullptr; window = window->GetParent())
        if (auto* frame = dynamic_cast<cViewFrame*>(window)) return frame;
    return nullptr;
}

void CMyOrbelView::RedrawAllViews()
{
    if (CMyOrbelDoc* document = GetDocument()) document->RedrawViews(nullptr);
}

bool CMyOrbelView::HasKeyboardFocus() const { return CWnd::GetFocus() == static_cast<const CWnd*>(this); }

bool CMyOrbelView::PluginClaims(int event) { return PluginAccepts(CurrentPlugin(), event); }

void CMyOrbelView::NotifyFrameOfSelection()
{
    if (cViewFrame* frame = GetViewFrame()) frame->NotifySelectionChanged();
}

void CMyOrbelView::OnLButtonDown(UINT flags, CPoint point)
{
    m_bCloneDone = false;
    m_bRubberBand = false;
    SetCapture();
    m_LastPoint = point;
    m_DownPoint = point;
    if (PluginClaims(PE_LBUTTONDOWN)) {
        ServePluginRequests(point.x, point.y);
        RedrawAllViews();
        return;
    }
    // In a transform mode the press selects first and the drag then
    // transforms; with a navigation mode the drag navigates instead.
    if (CurrentViewMode() == ViewModeNone) {
        ClickSelect(point.x, point.y, SelectActionOf(flags));
        NotifyFrameOfSelection();
    }
    RedrawAllViews();
}

void CMyOrbelView::OnLButtonUp(UINT flags, CPoint point)
{
    m_bCloneDone = false;
    m_bDragUndo = false;
    const bool band = m_bRubberBand;
    m_bRubberBand = false;
    if (GetCapture() == this) ReleaseCapture();
    if (PluginClaims(PE_LBUTTONUP)) {
        ServePluginRequests(point.x, point.y);
        RedrawAllViews();
        return;
    }
    // The band spans the press and the last captured move, not the release.
    if (band && std::abs(m_LastPoint.x - m_DownPoint.x) > 2 && std::abs(m_LastPoint.y - m_DownPoint.y) > 2) {
        RectangleSelect(SelectActionOf(flags));
        NotifyFrameOfSelection();
    }
    RedrawAllViews();
}

void CMyOrbelView::OnRButtonDown(UINT flags, CPoint point)
{
    if (flags & (MK_CONTROL | MK_SHIFT)) {
        SetNavigationMode((flags & MK_CONTROL) ? ViewModeMove : ViewModeRotate);
        m_LastPoint = point;
        SetCapture();
    } else if (PluginClaims(PE_RBUTTONDOWN)) {
        ServePluginRequests(point.x, point.y);
    } else {
        Default();
    }
    RedrawAllViews();
}

void CMyOrbelView::OnRButtonUp(UINT flags, CPoint point)
{
    // Let go of the mouse before a context menu takes over.
    if (GetCapture() == this) ReleaseCapture();
    if (CurrentViewMode() != ViewModeNone) {
        // Ends the drag, and also a navigation mode picked on the tool bar.
        SetNavigationMode(ViewModeNone);
    } else if (PluginClaims(PE_RBUTTONUP)) {
        ServePluginRequests(point.x, point.y);
        RedrawAllViews();
    } else if (cPlugin* plugin = CurrentPlugin()) {
        // A tool that refuses the right click is closed; no menu.
        if (cViewFrame* frame = GetViewFrame()) {
            frame->DropCurrentPlugin();
        } else {
            plugin->HidePanel();
            *m_ppCurrentPlugin = nullptr;
        }
    } else {
        Default();  // raises WM_CONTEXTMENU
    }
}

void CMyOrbelView::OnMouseMove(UINT flags, CPoint point)
{
    const bool focused = HasKeyboardFocus();
    if (cViewFrame* frame = GetViewFrame()) {
        D3DXVECTOR3 under;
        if (focused && ConstructionPoint(point.x, point.y, &under))
            frame->ShowCoordinates(TRUE, under.x, under.y, under.z);
        else
            frame->ShowCoordinates(FALSE, 0.0f, 0.0f, 0.0f);
    }

    // Drags work only in the view that has both the capture and the focus.
    if (GetCapture() == this && focused) {
        CMyOrbelDoc* document = GetDocument();
        const int transformMode = CurrentTransformMode();
        if (CurrentViewMode() != ViewModeNone) {
            if (!m_bDragUndo && document) {
                document->SaveUndoState("View Change");
                m_bDragUndo = true;
            }
            NavigateView(flags, point.x, point.y);
        } else if (PluginClaims(PE_MOUSEMOVE)) {
            ServePluginRequests(point.x, point.y);
            RedrawAllViews();
        } else if (transformMode != TransformSelect && !(flags & MK_CONTROL)) {
            const char* label = TransformLabel(transformMode);
            if (!m_bDragUndo && document && label) {
                document->SaveUndoState(label);
                m_bDragUndo = true;
            }
            TransformSelection(flags, point.x, point.y);
        } else {
            // Ctrl turns a transform drag into a rubber band too.
            m_bRubberBand = true;
        }
        m_LastPoint = point;
    }
    if (m_bRubberBand) RedrawThisView();
}

void CMyOrbelView::OnSetFocus(CWnd* oldWindow)
{
    CView::OnSetFocus(oldWindow);
    RedrawThisView();
}

void CMyOrbelView::OnKillFocus(CWnd* newWindow)
{
    CView::OnKillFocus(newWindow);
    RedrawThisView();
}
