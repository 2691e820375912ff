#include "orbel/views/MyOrbelView.h"

PickingCamera CMyOrbelView::GetPickingCamera() const
{
    PickingCamera camera;
    camera.view = m_ViewMatrix;
    camera.projection = m_ProjectionMatrix;
    CRect client;
    GetClientRect(&client);
    camera.clientWidth = client.Width();
    camera.clientHeight = client.Height();
    camera.kind = m_Kind;
    camera.planeNormal = m_PlaneNormal;
    return camera;
}

BOOL CMyOrbelView::ScreenToRay(int x, int y, D3DXVECTOR3* origin, D3DXVECTOR3* direction) const
{
    return GetPickingCamera().ScreenToRay(x, y, origin, direction);
}

D3DXVECTOR3* CMyOrbelView::IntersectViewPlane(D3DXVECTOR3* point, D3DXVECTOR3 origin, D3DXVECTOR3 direction,
                                              const D3DXVECTOR3* normal) const
{
    PickingCamera camera;
    camera.planeNormal = m_PlaneNormal;
    return camera.IntersectViewPlane(point, origin, direction, normal);
}

BOOL CMyOrbelView::BuildViewFrustum(ViewFrustum* frustum) const
{
    return GetPickingCamera().BuildViewFrustum(frustum);
}

BOOL CMyOrbelView::PickPointOnObject(const SelectedElement& face, D3DXVECTOR3 origin, D3DXVECTOR3 direction,
                                     D3DXVECTOR3* point) const
{
    return ::PickPointOnObject(face, origin, direction, point);
}

std::optional<D3DXVECTOR3> CMyOrbelView::PlaneStep(POINT from, POINT to, const D3DXVECTOR3& normal) const
{
    D3DXVECTOR3 points[2];
    const POINT pixels[2] = {from, to};
    for (int i = 0; i < 2; ++i) {
        D3DXVECTOR3 origin, direction;
        if (!ScreenToRay(pixels[i].x, pixels[i].y, &origin, &direction)) return std::nullopt;
        if (!IntersectViewPlane(&points[i], origin, direction, &normal)) return std::nullopt;
    }
    const D3DXVECTOR3 step = points[1] - points[0];
    if (!IsFiniteVector(step)) return std::nullopt;
    return step;
}

bool CMyOrbelView::ConstructionPoint(int x, int y, D3DXVECTOR3* point) const
{
    D3DXVECTOR3 origin, direction;
    return ScreenToRay(x, y, &origin, &direction) && IntersectViewPlane(point, origin, direction, nullptr);
}
