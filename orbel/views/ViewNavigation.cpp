#include "orbel/views/MyOrbelView.h"

#include "model/MyOrbelDoc.h"

void CMyOrbelView::NavigateView(UINT flags, int x, int y)
{
    const POINT last{m_LastPoint.x, m_LastPoint.y};
    const POINT now{x, y};
    // Pan and zoom measure the step on the plane through the origin facing
    // the camera, from the new point back to the last one.
    const D3DXVECTOR3 facing = m_Eye - m_Target;
    ViewCamera camera = GetCamera();
    switch (CurrentViewMode()) {
    case ViewModeMove:
        if (auto delta = PlaneStep(now, last, facing)) PanCamera(camera, *delta);
        break;
    case ViewModeZoom:
        if (auto delta = PlaneStep(now, last, facing)) ZoomCamera(camera, IsPerspectiveKind(m_Kind), last.y, y, *delta);
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
