#include "orbel/views/MyOrbelView.h"

#include "model/MyOrbelDoc.h"

#include <optional>

// The mouse step from the last point to (x, y) in world units, measured on
// the plane through the origin facing the camera. No result when either ray
// misses that plane or the view has no area.
static std::optional<D3DXVECTOR3> PlaneDelta(const CMyOrbelView& view, POINT from, POINT to)
{
    D3DXVECTOR3 normal = view.m_Eye - view.m_Target;
    D3DXVECTOR3 points[2];
    const POINT pixels[2] = {from, to};
    for (int i = 0; i < 2; ++i) {
        D3DXVECTOR3 origin, direction;
        if (!view.ScreenToRay(pixels[i].x, pixels[i].y, &origin, &direction)) return std::nullopt;
        if (!view.IntersectViewPlane(&points[i], origin, direction, &normal)) return std::nullopt;
    }
    return points[0] - points[1];
}

void CMyOrbelView::NavigateView(UINT flags, int x, int y)
{
    const POINT last{m_LastPoint.x, m_LastPoint.y};
    const POINT now{x, y};
    ViewCamera camera = GetCamera();
    switch (CurrentViewMode()) {
    case ViewModeMove:
        if (auto delta = PlaneDelta(*this, last, now)) PanCamera(camera, *delta);
        break;
    case ViewModeZoom:
        if (auto delta = PlaneDelta(*this, last, now)) ZoomCamera(camera, IsPerspectiveKind(m_Kind), last.y, y, *delta);
        break;
    case ViewModeRotate:
        if (IsOrbitingKind(m_Kind))
            OrbitCamera(camera, m_PlaneNormal, last, now);
        else
            RollCamera(camera, m_RollAxis, last, now);
        break;
    default: break;
    }
    SetCamera(camera);
    RedrawThisView();
}

BOOL CMyOrbelView::OnMouseWheel(UINT flags, short zDelta, CPoint point)
{
    SetNavigationMode((flags & MK_SHIFT) ? ViewModeRotate : ViewModeZoom);
    CPoint client = point;
    ScreenToClient(&client);
    m_LastPoint = client;
    SetCapture();
    // Ten pixels per notch; a notch away from the user steps downwards.
    OnMouseMove(flags, CPoint(client.x, client.y + (zDelta / 120) * 10));
    ReleaseCapture();
    SetNavigationMode(ViewModeNone);
    return TRUE;
}

void CMyOrbelView::OnRButtonDown(UINT flags, CPoint point)
{
    if (flags & (MK_CONTROL | MK_SHIFT)) {
        SetNavigationMode((flags & MK_CONTROL) ? ViewModeMove : ViewModeRotate);
        m_LastPoint = point;
        SetCapture();
        return;
    }
    Default();
}

void CMyOrbelView::OnRButtonUp(UINT flags, CPoint point)
{
    const bool navigating = CurrentViewMode() != ViewModeNone;
    if (GetCapture() == this) ReleaseCapture();
    if (navigating) {
        // Ends the drag, and also a navigation mode picked on the tool bar.
        SetNavigationMode(ViewModeNone);
        return;
    }
    Default();
}

void CMyOrbelView::OnMouseMove(UINT flags, CPoint point)
{
    if (GetCapture() == this && HasKeyboardFocus()) {
        if (CurrentViewMode() != ViewModeNone) {
            CMyOrbelDoc* document = GetDocument();
            if (!m_bDragUndo && document) {
                document->SaveUndoState("View Change");
                m_bDragUndo = true;
            }
            NavigateView(flags, point.x, point.y);
        }
        m_LastPoint = point;
    }
    if (m_bRubberBand) RedrawThisView();
}

bool CMyOrbelView::HasKeyboardFocus() const { return CWnd::GetFocus() == static_cast<const CWnd*>(this); }
