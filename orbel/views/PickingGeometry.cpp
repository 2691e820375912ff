// Picking geometry on the stored matrices of a view's last paint.
#include "orbel/views/PickingGeometry.h"

#include "model/SelectionBounds.h"

#include <cmath>

namespace {

bool IsFinite(const D3DXVECTOR3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

D3DXVECTOR3 Row(const D3DXMATRIX& m, UINT row)
{
    return {m(row, 0), m(row, 1), m(row, 2)};
}

D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    D3DXVECTOR3 out;
    D3DXVec3Cross(&out, &a, &b);
    return out;
}

} // namespace

D3DXVECTOR3 TransformPoint(const D3DXVECTOR3& v, const D3DXMATRIX& m)
{
    D3DXVECTOR4 out;
    D3DXVec3Transform(&out, &v, &m);
    return {out.x, out.y, out.z};
}

bool PickingCamera::ScreenToRay(int x, int y, D3DXVECTOR3* origin, D3DXVECTOR3* direction) const
{
    if (clientWidth <= 0 || clientHeight <= 0) return false;

    const float vx = (2.0f * static_cast<float>(x) / static_cast<float>(clientWidth) - 1.0f) / projection._11;
    const float vy = -((2.0f * static_cast<float>(y) / static_cast<float>(clientHeight) - 1.0f) / projection._22);

    // The inverse view matrix holds the camera's right, up and forward axes
    // and its position as rows.
    D3DXMATRIX camera;
    if (!D3DXMatrixInverse(&camera, nullptr, &view)) return false;
    const D3DXVECTOR3 right = Row(camera, 0), up = Row(camera, 1), forward = Row(camera, 2), position = Row(camera, 3);

    D3DXVECTOR3 rayOrigin, rayDirection;
    if (kind == kPerspectiveViewKind) {
        rayOrigin = position;
        rayDirection = right * vx + up * vy + forward;
    } else {
        rayOrigin = position + right * vx + up * vy + forward;
        rayDirection = forward;
    }
    if (!IsFinite(rayOrigin) || !IsFinite(rayDirection) || D3DXVec3LengthSq(&rayDirection) == 0.0f) return false;
    *origin = rayOrigin;
    *direction = rayDirection;
    return true;
}

D3DXVECTOR3* PickingCamera::IntersectViewPlane(D3DXVECTOR3* point, const D3DXVECTOR3& origin,
                                               const D3DXVECTOR3& direction, const D3DXVECTOR3* normal) const
{
    const D3DXVECTOR3& n = normal ? *normal : planeNormal;
    const float denominator = D3DXVec3Dot(&n, &direction);
    if (denominator == 0.0f) return nullptr;
    const float t = -D3DXVec3Dot(&n, &origin) / denominator;
    const D3DXVECTOR3 hit = origin + direction * t;
    if (!IsFinite(hit)) return nullptr;
    *point = hit;
    return point;
}

bool PickingCamera::BuildRectangleFrustum(int x0, int y0, int x1, int y1, ViewFrustum* frustum) const
{
    const int cornerX[4] = {x0, x0, x1, x1};
    const int cornerY[4] = {y0, y1, y1, y0};
    D3DXVECTOR3 o[4], d[4], p[4];
    for (int k = 0; k < 4; ++k) {
        if (!ScreenToRay(cornerX[k], cornerY[k], &o[k], &d[k])) return false;
        p[k] = o[k] + d[k] * 10.0f;
    }

    ViewFrustum built;
    built.faces[FRUSTUM_LEFT] = {p[1], Cross(p[0] - p[1], d[1])};
    built.faces[FRUSTUM_RIGHT] = {p[2], Cross(p[2] - p[3], d[2])};
    built.faces[FRUSTUM_TOP] = {p[0], Cross(p[3] - p[0], d[0])};
    built.faces[FRUSTUM_BOTTOM] = {p[1], Cross(p[1] - p[2], d[2])};
    built.faces[FRUSTUM_NEAR] = {o[1] + d[1] * (0.1f / D3DXVec3Length(&d[1])), Cross(p[1] - p[0], p[3] - p[0])};
    built.faces[FRUSTUM_FAR] = {o[2] + d[2] * (10000.0f / D3DXVec3Length(&d[2])), Cross(p[3] - p[2], p[3] - p[0])};
    for (const FrustumFace& face : built.faces)
        if (!IsFinite(face.point) || !IsFinite(face.normal)) return false;
    *frustum = built;
    return true;
}

bool PickingCamera::BuildViewFrustum(ViewFrustum* frustum) const
{
    return BuildRectangleFrustum(0, 0, clientWidth, clientHeight, frustum);
}

BOOL IntersectTriangle(const float* origin, const float* direction, const float* c0, const float* c1,
                       const float* c2, float* t, float* u, float* v)
{
    const D3DXVECTOR3 o(origin), d(direction), corner0(c0);
    const D3DXVECTOR3 e1 = D3DXVECTOR3(c1) - corner0;
    const D3DXVECTOR3 e2 = D3DXVECTOR3(c2) - corner0;
    const D3DXVECTOR3 h = Cross(d, e2);
    float det = D3DXVec3Dot(&e1, &h);

    // Flipping s with the determinant's sign makes the test two-sided.
    D3DXVECTOR3 s;
    if (det > 0.0f) {
        s = o - corner0;
    } else {
        s = corner0 - o;
        det = -det;
    }
    // Written so that a NaN determinant misses as well.
    if (!(det >= 0.0001f)) return FALSE;

    *u = D3DXVec3Dot(&s, &h);
    if (*u < 0.0f || *u > det) return FALSE;

    const D3DXVECTOR3 q = Cross(s, e1);
    *v = D3DXVec3Dot(&d, &q);
    if (*v < 0.0f || *u + *v > det) return FALSE;

    *t = D3DXVec3Dot(&e2, &q) / det;
    *u /= det;
    *v /= det;
    return *t >= 0.0f ? TRUE : FALSE;
}

void PlaneFromPointNormal(PlaneEquation* plane, const D3DXVECTOR3& point, const D3DXVECTOR3& normal)
{
    *plane = {-D3DXVec3Dot(&point, &normal), normal.x, normal.y, normal.z};
}

int ClassifyPoint(const PlaneEquation& plane, const D3DXVECTOR3& point)
{
    const float s = plane.a * point.x + plane.b * point.y + plane.c * point.z + plane.d;
    if (s < 0.0f) return -1;
    if (s > 0.0f) return 1;
    return 0;
}

void FrustumToPlanes(const ViewFrustum& frustum, PlaneEquation planes[FRUSTUM_SIDES])
{
    for (int side = 0; side < FRUSTUM_SIDES; ++side)
        PlaneFromPointNormal(&planes[side], frustum.faces[side].point, frustum.faces[side].normal);
}

bool IsPointInFrustum(const PlaneEquation planes[FRUSTUM_SIDES], const D3DXVECTOR3& point)
{
    for (int side = 0; side < FRUSTUM_SIDES; ++side)
        if (ClassifyPoint(planes[side], point) == -1) return false;
    return true;
}

bool FrustumToObjectSpace(PlaneEquation planes[FRUSTUM_SIDES], const ViewFrustum& frustum, const cObjekt3D& object)
{
    D3DXMATRIX rotation, translation;
    D3DXMatrixRotationYawPitchRoll(&rotation, object.m_Rotation.x, object.m_Rotation.y, object.m_Rotation.z);
    D3DXMatrixTranslation(&translation, object.m_Position.x, object.m_Position.y, object.m_Position.z);
    if (!D3DXMatrixInverse(&rotation, nullptr, &rotation)) return false;
    if (!D3DXMatrixInverse(&translation, nullptr, &translation)) return false;
    const D3DXMATRIX toObject = translation * rotation;

    PlaneEquation converted[FRUSTUM_SIDES];
    for (int side = 0; side < FRUSTUM_SIDES; ++side) {
        D3DXVECTOR3 normal, point;
        const D3DXVECTOR3 outward = -frustum.faces[side].normal;
        D3DXVec3TransformCoord(&normal, &outward, &rotation);
        D3DXVec3TransformCoord(&point, &frustum.faces[side].point, &toObject);
        PlaneFromPointNormal(&converted[side], point, normal);
    }
    for (int side = 0; side < FRUSTUM_SIDES; ++side) planes[side] = converted[side];
    return true;
}

bool IsBoxInFrustum(const PlaneEquation planes[FRUSTUM_SIDES], const D3DXVECTOR3& boxMin, const D3DXVECTOR3& boxMax)
{
    for (int side = 0; side < FRUSTUM_SIDES; ++side) {
        const PlaneEquation& plane = planes[side];
        // The corner deepest below this outward plane.
        const D3DXVECTOR3 deepest(plane.a > 0.0f ? boxMin.x : boxMax.x, plane.b > 0.0f ? boxMin.y : boxMax.y,
                                  plane.c > 0.0f ? boxMin.z : boxMax.z);
        if (ClassifyPoint(plane, deepest) > 0) return false;
    }
    return true;
}

float PointLineDistance(D3DXVECTOR3 a, D3DXVECTOR3 b, D3DXVECTOR3 p)
{
    const D3DXVECTOR3 d = b - a;
    const D3DXVECTOR3 ap = p - a;
    const float lengthSq = D3DXVec3LengthSq(&d);
    // A line of two equal points is that point.
    const float t = lengthSq > 0.0f ? D3DXVec3Dot(&ap, &d) / lengthSq : 0.0f;
    const D3DXVECTOR3 offset = p - (a + d * t);
    return D3DXVec3Length(&offset);
}

bool PickPointOnObject(const SelectedElement& face, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                       D3DXVECTOR3* point)
{
    const cObjekt3D* object = face.object;
    WORD corners[3];
    if (!object || !FaceWithinObject(*object, face.index, corners)) return false;

    D3DXMATRIX world, toObject;
    object->GetWorldMatrix(&world);
    if (!D3DXMatrixInverse(&toObject, nullptr, &world)) return false;

    D3DXVECTOR3 worldCorners[3];
    for (int k = 0; k < 3; ++k) {
        const MeshVertex& vertex = object->m_Vertices[corners[k]];
        worldCorners[k] = TransformPoint(D3DXVECTOR3(vertex.x, vertex.y, vertex.z), world);
    }

    float t = 0.0f, u = 0.0f, v = 0.0f;
    if (!IntersectTriangle(origin, direction, worldCorners[0], worldCorners[1], worldCorners[2], &t, &u, &v))
        return false;
    const D3DXVECTOR3 local = TransformPoint(origin + direction * t, toObject);
    if (!IsFinite(local)) return false;
    *point = local;
    return true;
}
