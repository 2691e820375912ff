// Geometry that links a view's picture with world space: rays through client
// pixels, the construction plane, ray-triangle hits, the volume seen through a
// screen rectangle, point and box tests against it, point-line distance, and
// the point a ray hits on one face.
//
// Everything works from the view and projection matrices stored by the last
// paint and the client size, never from a window, so a ray always matches the
// picture on screen. Steps that have no finite answer (a client area without
// width or height, a view matrix without inverse, a ray parallel to a plane)
// report "no result" by returning false or NULL and leave every output as it
// was, so callers change nothing.
#pragma once

#include <d3dx8/D3DX8.h>

#include "model/Objekt3D.h"
#include "model/Selection.h"

// The plane a*x + b*y + c*z + d = 0, stored d first. A point is above the
// plane when the sum is positive. (a, b, c) need not be of unit length.
struct PlaneEquation {
    float d;
    float a;
    float b;
    float c;
};

// One side of a volume: a point on it and its normal, pointing into the
// volume, not normalised.
struct FrustumFace {
    D3DXVECTOR3 point;
    D3DXVECTOR3 normal;
};

enum FrustumSide : int {
    FRUSTUM_LEFT = 0,
    FRUSTUM_RIGHT = 1,
    FRUSTUM_TOP = 2,
    FRUSTUM_BOTTOM = 3,
    FRUSTUM_NEAR = 4,
    FRUSTUM_FAR = 5,
    FRUSTUM_SIDES = 6,
};

// The six sides in FrustumSide order.
struct ViewFrustum {
    FrustumFace faces[FRUSTUM_SIDES];
};

inline constexpr int kPerspectiveViewKind = 8;

// What picking needs of a view: the matrices of its last paint, its client
// size in pixels, its kind (8 is the only perspective kind) and the normal of
// its construction plane, which passes through the world origin.
struct PickingCamera {
    D3DXMATRIX view;
    D3DXMATRIX projection;
    int clientWidth = 0;
    int clientHeight = 0;
    int kind = 0;
    D3DXVECTOR3 planeNormal{0.0f, 1.0f, 0.0f};

    // The world-space ray through client pixel (x, y). Perspective: from the
    // camera position, direction with a forward component of 1. Orthographic:
    // every ray has the forward axis as direction and starts one unit in front
    // of the camera plane, shifted to the pixel. The direction is not
    // normalised. False, outputs untouched, without a finite ray.
    bool ScreenToRay(int x, int y, D3DXVECTOR3* origin, D3DXVECTOR3* direction) const;

    // Where the ray meets the plane normal . p = 0 (normal NULL: the
    // construction plane), in front of or behind the origin. Returns point, or
    // NULL with *point untouched when the ray is parallel to the plane or the
    // point is not finite.
    D3DXVECTOR3* IntersectViewPlane(D3DXVECTOR3* point, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                                    const D3DXVECTOR3* normal) const;

    // The volume seen through the client rectangle x0 <= x1, y0 <= y1: sides
    // through points 10 direction lengths along the corner rays, near side
    // 0.1 and far side 10000 units along the normalised lower-left and
    // lower-right corner rays; normals point inwards. False, *frustum
    // untouched, when a corner has no ray.
    bool BuildRectangleFrustum(int x0, int y0, int x1, int y1, ViewFrustum* frustum) const;

    // BuildRectangleFrustum over the whole client area (0, 0, width, height).
    bool BuildViewFrustum(ViewFrustum* frustum) const;
};

// x, y, z of the row vector (v, 1) times m, without dividing by w.
D3DXVECTOR3 TransformPoint(const D3DXVECTOR3& v, const D3DXMATRIX& m);

// Two-sided ray-triangle test; each argument a pointer to three floats.
// Edges and corners hit; a triangle behind the origin (t < 0) does not; a
// triangle whose determinant is below 0.0001 in size (tiny, or with the ray in
// its plane) does not. On a hit t is the distance in direction lengths and
// u, v the barycentric weights of c1 and c2; after a miss they are
// meaningless.
BOOL IntersectTriangle(const float* origin, const float* direction, const float* c0, const float* c1,
                       const float* c2, float* t, float* u, float* v);

void PlaneFromPointNormal(PlaneEquation* plane, const D3DXVECTOR3& point, const D3DXVECTOR3& normal);

// -1 below, 0 on, 1 above the plane.
int ClassifyPoint(const PlaneEquation& plane, const D3DXVECTOR3& point);

// The six inward planes of a frustum, in FrustumSide order.
void FrustumToPlanes(const ViewFrustum& frustum, PlaneEquation planes[FRUSTUM_SIDES]);

// True unless the point is below one of the six inward planes; a point on a
// plane is inside.
bool IsPointInFrustum(const PlaneEquation planes[FRUSTUM_SIDES], const D3DXVECTOR3& point);

// The frustum's sides as outward planes in the object's rotated and moved
// space (its scale is left out: scale the box instead). False, planes
// untouched, when the object's rotation or translation has no inverse.
bool FrustumToObjectSpace(PlaneEquation planes[FRUSTUM_SIDES], const ViewFrustum& frustum, const cObjekt3D& object);

// Against six outward planes: false only when the box lies wholly above one
// of them. A box crossing or touching a plane is visible.
bool IsBoxInFrustum(const PlaneEquation planes[FRUSTUM_SIDES], const D3DXVECTOR3& boxMin, const D3DXVECTOR3& boxMax);

// Distance of p from the infinite line through a and b; with a == b, the
// distance from a.
float PointLineDistance(D3DXVECTOR3 a, D3DXVECTOR3 b, D3DXVECTOR3 p);

// Where the world-space ray hits the face of the record, in the object's own
// coordinates (before scale, rotation and translation). False, *point
// untouched, on a miss, for a face or corner index outside the object, or
// when the object's world matrix has no inverse.
bool PickPointOnObject(const SelectedElement& face, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                       D3DXVECTOR3* point);
