#include "orbel/views/PickingGeometry.h"

#include "VectorExpect.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr float kZoom = 10.0f;


PickingCamera MakeCamera(int kind, const D3DXVECTOR3& eye, const D3DXVECTOR3& target, const D3DXVECTOR3& up)
{
    PickingCamera camera;
    camera.kind = kind;
    camera.clientWidth = kWidth;
    camera.clientHeight = kHeight;
    D3DXMatrixLookAtLH(&camera.view, &eye, &target, &up);
    const float aspect = static_cast<float>(kWidth) / kHeight;
    if (kind == kPerspectiveViewKind)
        D3DXMatrixPerspectiveFovLH(&camera.projection, D3DX_PI / 4, aspect, 0.01f, 10000.0f);
    else
        D3DXMatrixOrthoLH(&camera.projection, kZoom, kZoom / aspect, 0.01f, 10000.0f);
    return camera;
}

PickingCamera FrontCamera()
{
    return MakeCamera(5, {0, 0, -10}, {0, 0, 0}, {0, 1, 0});
}

PickingCamera PerspectiveCamera()
{
    return MakeCamera(kPerspectiveViewKind, {2.3457f, 4.2262f, -8.7543f}, {0, 0, 0}, {-0.1094f, 0.9063f, 0.4082f});
}

// Where a world point appears in the client area of the camera.
D3DXVECTOR3 ToScreen(const PickingCamera& camera, const D3DXVECTOR3& world)
{
    const D3DVIEWPORT8 viewport{0, 0, static_cast<DWORD>(camera.clientWidth), static_cast<DWORD>(camera.clientHeight),
                                0.0f, 1.0f};
    D3DXVECTOR3 screen;
    D3DXVec3Project(&screen, &world, &viewport, &camera.projection, &camera.view, nullptr);
    return screen;
}

TEST(ScreenToRay, OrthographicRaysAreParallelAndStepByZoomPerPixel)
{
    const PickingCamera camera = FrontCamera();
    D3DXVECTOR3 o0, d0, oRight, dRight, oDown, dDown;
    ASSERT_TRUE(camera.ScreenToRay(kWidth / 2, kHeight / 2, &o0, &d0));
    ASSERT_TRUE(camera.ScreenToRay(kWidth / 2 + 1, kHeight / 2, &oRight, &dRight));
    ASSERT_TRUE(camera.ScreenToRay(kWidth / 2, kHeight / 2 + 1, &oDown, &dDown));

    ExpectNear(d0, {0, 0, 1}, 1e-6f);
    EXPECT_EQ(d0, dRight);
    EXPECT_EQ(d0, dDown);
    // One unit in front of the camera plane, at the centre pixel.
    ExpectNear(o0, {0, 0, -9});
    const float pixel = kZoom / kWidth;
    ExpectNear(oRight - o0, {pixel, 0, 0}, 1e-5f);
    ExpectNear(oDown - o0, {0, -pixel, 0}, 1e-5f);
}

TEST(ScreenToRay, PerspectiveCentreRayLooksAlongTheCamera)
{
    const PickingCamera camera = PerspectiveCamera();
    const D3DXVECTOR3 eye(2.3457f, 4.2262f, -8.7543f);
    D3DXVECTOR3 origin, direction;
    ASSERT_TRUE(camera.ScreenToRay(kWidth / 2, kHeight / 2, &origin, &direction));
    ExpectNear(origin, eye);
    D3DXVECTOR3 forward = -eye;
    D3DXVec3Normalize(&forward, &forward);
    ExpectNear(direction, forward);
}

TEST(ScreenToRay, EveryRayPassesThroughItsPixel)
{
    for (const PickingCamera& camera : {FrontCamera(), PerspectiveCamera(),
                                        MakeCamera(1, {0, 10, 0}, {0, 0, 0}, {0, 0, 1})}) {
        for (const int x : {0, 17, kWidth / 2, kWidth - 1})
            for (const int y : {0, 123, kHeight}) {
                D3DXVECTOR3 origin, direction;
                ASSERT_TRUE(camera.ScreenToRay(x, y, &origin, &direction));
                for (const float along : {1.0f, 3.0f}) {
                    const D3DXVECTOR3 screen = ToScreen(camera, origin + direction * along);
                    EXPECT_NEAR(screen.x, x, 2e-2f) << "kind " << camera.kind;
                    EXPECT_NEAR(screen.y, y, 2e-2f) << "kind " << camera.kind;
                }
            }
    }
}

TEST(ScreenToRay, NoRayWithoutClientAreaOrInvertibleView)
{
    const D3DXVECTOR3 untouched(7, 7, 7);
    D3DXVECTOR3 origin = untouched, direction = untouched;

    PickingCamera collapsed = PerspectiveCamera();
    collapsed.clientWidth = 0;
    EXPECT_FALSE(collapsed.ScreenToRay(0, 0, &origin, &direction));
    collapsed = FrontCamera();
    collapsed.clientHeight = 0;
    EXPECT_FALSE(collapsed.ScreenToRay(0, 0, &origin, &direction));
    collapsed.clientHeight = -5;
    EXPECT_FALSE(collapsed.ScreenToRay(0, 0, &origin, &direction));

    PickingCamera neverPainted; // zero matrices
    neverPainted.clientWidth = kWidth;
    neverPainted.clientHeight = kHeight;
    EXPECT_FALSE(neverPainted.ScreenToRay(10, 10, &origin, &direction));

    PickingCamera flatProjection = FrontCamera();
    flatProjection.projection._11 = 0.0f;
    EXPECT_FALSE(flatProjection.ScreenToRay(10, 10, &origin, &direction));

    EXPECT_EQ(origin, untouched);
    EXPECT_EQ(direction, untouched);

    ViewFrustum frustum{};
    frustum.faces[0].point = untouched;
    collapsed.clientHeight = 0;
    EXPECT_FALSE(collapsed.BuildViewFrustum(&frustum));
    EXPECT_EQ(frustum.faces[0].point, untouched);
}

TEST(IntersectViewPlane, ConstructionPlanePassesThroughTheWorldOrigin)
{
    // A Top-view construction plane seen by a camera whose target is far off the plane.
    PickingCamera camera = MakeCamera(1, {3, 20, 4}, {3, 5, 4}, {0, 0, 1});
    camera.planeNormal = D3DXVECTOR3(0, 1, 0);
    D3DXVECTOR3 origin, direction, point;
    ASSERT_TRUE(camera.ScreenToRay(kWidth / 2, kHeight / 2, &origin, &direction));
    ASSERT_EQ(camera.IntersectViewPlane(&point, origin, direction, nullptr), &point);
    ExpectNear(point, {3, 0, 4});

    // Its own normal, and a plane behind the ray origin is met as well.
    const D3DXVECTOR3 xNormal(2, 0, 0);
    ASSERT_NE(camera.IntersectViewPlane(&point, {5, 1, 1}, {1, 0, 0}, &xNormal), nullptr);
    ExpectNear(point, {0, 1, 1});
}

TEST(IntersectViewPlane, ParallelRayGivesNoPoint)
{
    const PickingCamera camera = FrontCamera(); // construction plane y = 0
    D3DXVECTOR3 point(7, 7, 7);
    EXPECT_EQ(camera.IntersectViewPlane(&point, {0, 1, 0}, {0, 0, 1}, nullptr), nullptr);
    // So nearly parallel that the point is not finite.
    EXPECT_EQ(camera.IntersectViewPlane(&point, {0, 1e30f, 0}, {1, -1e-30f, 0}, nullptr), nullptr);
    EXPECT_EQ(point, D3DXVECTOR3(7, 7, 7));
}

class IntersectTriangleTest : public ::testing::Test {
protected:
    // A right triangle in the plane z = 5.
    const D3DXVECTOR3 c0{0, 0, 5}, c1{2, 0, 5}, c2{0, 2, 5};
    float t = -1, u = -1, v = -1;

    BOOL Hit(const D3DXVECTOR3& origin, const D3DXVECTOR3& direction)
    {
        return IntersectTriangle(origin, direction, c0, c1, c2, &t, &u, &v);
    }
};

TEST_F(IntersectTriangleTest, InsideGivesDistanceAndWeights)
{
    ASSERT_TRUE(Hit({0.5f, 0.5f, 1}, {0, 0, 2}));
    EXPECT_FLOAT_EQ(t, 2.0f); // in direction lengths
    EXPECT_FLOAT_EQ(u, 0.25f);
    EXPECT_FLOAT_EQ(v, 0.25f);
}

TEST_F(IntersectTriangleTest, EdgesCornersAndBackSideHit)
{
    EXPECT_TRUE(Hit({1, 0, 0}, {0, 0, 1}));  // edge c0-c1
    EXPECT_TRUE(Hit({1, 1, 0}, {0, 0, 1}));  // edge c1-c2
    EXPECT_TRUE(Hit({0, 2, 0}, {0, 0, 1}));  // corner c2
    EXPECT_TRUE(Hit({0.5f, 0.5f, 9}, {0, 0, -1})); // from behind
    EXPECT_FLOAT_EQ(t, 4.0f);
}

TEST_F(IntersectTriangleTest, MissesOutsideBehindAndDegenerate)
{
    EXPECT_FALSE(Hit({1.1f, 1.1f, 0}, {0, 0, 1}));
    EXPECT_FALSE(Hit({-0.1f, 0.5f, 0}, {0, 0, 1}));
    EXPECT_FALSE(Hit({0.5f, 0.5f, 9}, {0, 0, 1})); // triangle behind the origin
    EXPECT_FALSE(Hit({-1, 0.5f, 5}, {1, 0, 0}));   // ray in the triangle's plane
    const D3DXVECTOR3 n0(0, 0, 5), n1(0.005f, 0, 5), n2(0, 0.005f, 5);
    EXPECT_FALSE(IntersectTriangle(D3DXVECTOR3(0.001f, 0.001f, 0), D3DXVECTOR3(0, 0, 1), n0, n1, n2, &t, &u, &v));
    const D3DXVECTOR3 nan(NAN, 0, 0);
    EXPECT_FALSE(IntersectTriangle(nan, D3DXVECTOR3(0, 0, 1), c0, c1, c2, &t, &u, &v));
}

TEST_F(IntersectTriangleTest, HitAtTheOriginCounts)
{
    ASSERT_TRUE(Hit({0.5f, 0.5f, 5}, {0, 0, 1}));
    EXPECT_EQ(t, 0.0f);
}

TEST(Planes, EquationOrderAndClassification)
{
    PlaneEquation plane;
    PlaneFromPointNormal(&plane, {0, 3, 0}, {0, 2, 0});
    EXPECT_EQ(plane.d, -6.0f);
    EXPECT_EQ(plane.a, 0.0f);
    EXPECT_EQ(plane.b, 2.0f);
    EXPECT_EQ(plane.c, 0.0f);
    EXPECT_EQ(ClassifyPoint(plane, {5, 4, 5}), 1);
    EXPECT_EQ(ClassifyPoint(plane, {5, 3, 5}), 0);
    EXPECT_EQ(ClassifyPoint(plane, {5, 2, 5}), -1);
}

// The unit cube 0..1 as six inward planes.
void UnitCube(PlaneEquation planes[FRUSTUM_SIDES])
{
    PlaneFromPointNormal(&planes[0], {0, 0, 0}, {1, 0, 0});
    PlaneFromPointNormal(&planes[1], {1, 0, 0}, {-1, 0, 0});
    PlaneFromPointNormal(&planes[2], {0, 1, 0}, {0, -1, 0});
    PlaneFromPointNormal(&planes[3], {0, 0, 0}, {0, 1, 0});
    PlaneFromPointNormal(&planes[4], {0, 0, 0}, {0, 0, 1});
    PlaneFromPointNormal(&planes[5], {0, 0, 1}, {0, 0, -1});
}

TEST(Planes, PointOnAFaceIsInside)
{
    PlaneEquation cube[FRUSTUM_SIDES];
    UnitCube(cube);
    EXPECT_TRUE(IsPointInFrustum(cube, {0.5f, 0.5f, 0.5f}));
    EXPECT_TRUE(IsPointInFrustum(cube, {1, 0.5f, 0}));
    EXPECT_FALSE(IsPointInFrustum(cube, {0.5f, 1.01f, 0.5f}));
}

TEST(Planes, BoxTouchingAnOutwardPlaneIsVisible)
{
    PlaneEquation outward[FRUSTUM_SIDES];
    UnitCube(outward);
    for (PlaneEquation& p : outward) p = {-p.d, -p.a, -p.b, -p.c};
    EXPECT_TRUE(IsBoxInFrustum(outward, {0.2f, 0.2f, 0.2f}, {0.4f, 0.4f, 0.4f}));
    EXPECT_TRUE(IsBoxInFrustum(outward, {-5, -5, -5}, {5, 5, 5}));
    EXPECT_TRUE(IsBoxInFrustum(outward, {1, 0, 0}, {2, 1, 1}));   // deepest corner on the plane x = 1
    EXPECT_FALSE(IsBoxInFrustum(outward, {1.01f, 0, 0}, {2, 1, 1}));
    EXPECT_FALSE(IsBoxInFrustum(outward, {0, 0, -3}, {1, 1, -0.5f}));
}

TEST(Frustum, ViewFrustumHoldsWhatTheViewShows)
{
    const PickingCamera camera = PerspectiveCamera();
    ViewFrustum frustum;
    ASSERT_TRUE(camera.BuildViewFrustum(&frustum));
    PlaneEquation planes[FRUSTUM_SIDES];
    FrustumToPlanes(frustum, planes);

    EXPECT_TRUE(IsPointInFrustum(planes, {0, 0, 0}));
    EXPECT_TRUE(IsPointInFrustum(planes, {1, 1, 1}));
    const D3DXVECTOR3 eye(2.3457f, 4.2262f, -8.7543f); // |eye| = 10
    EXPECT_FALSE(IsPointInFrustum(planes, eye * 2.0f));     // behind the camera
    EXPECT_FALSE(IsPointInFrustum(planes, eye * 0.999f));   // 0.01 in front: before the near side
    EXPECT_TRUE(IsPointInFrustum(planes, eye * -700.0f));   // 7,010 in front
    EXPECT_FALSE(IsPointInFrustum(planes, eye * -1999.0f)); // 20,000 in front: beyond the far side

    // Points just inside and just outside each client edge.
    D3DXVECTOR3 origin, direction;
    for (const auto& [x, y] : {std::pair{1, kHeight / 2}, {kWidth - 1, kHeight / 2}, {kWidth / 2, 1}, {kWidth / 2, kHeight - 1}}) {
        ASSERT_TRUE(camera.ScreenToRay(x, y, &origin, &direction));
        EXPECT_TRUE(IsPointInFrustum(planes, origin + direction * 5));
    }
    for (const auto& [x, y] : {std::pair{-1, kHeight / 2}, {kWidth + 1, kHeight / 2}, {kWidth / 2, -1}, {kWidth / 2, kHeight + 1}}) {
        ASSERT_TRUE(camera.ScreenToRay(x, y, &origin, &direction));
        EXPECT_FALSE(IsPointInFrustum(planes, origin + direction * 5));
    }
}

TEST(Frustum, RectangleSelectsWhatLiesInsideIt)
{
    const PickingCamera camera = FrontCamera();
    ViewFrustum frustum;
    ASSERT_TRUE(camera.BuildRectangleFrustum(100, 50, 200, 150, &frustum));
    PlaneEquation planes[FRUSTUM_SIDES];
    FrustumToPlanes(frustum, planes);
    // Pixels 100..200 are x -2.5..0, pixels 50..150 are y 2.5..0.
    EXPECT_TRUE(IsPointInFrustum(planes, {-1, 1, 3}));
    EXPECT_TRUE(IsPointInFrustum(planes, {-2.4f, 0.1f, -5}));
    EXPECT_FALSE(IsPointInFrustum(planes, {0.1f, 1, 0}));
    EXPECT_FALSE(IsPointInFrustum(planes, {-1, 2.6f, 0}));
    EXPECT_FALSE(IsPointInFrustum(planes, {-1, -0.1f, 0}));
    EXPECT_FALSE(IsPointInFrustum(planes, {-1, 1, -10})); // behind the camera
}

TEST(Frustum, ObjectSpacePlanesAgreeWithWorldSpace)
{
    const PickingCamera camera = PerspectiveCamera();
    ViewFrustum frustum;
    ASSERT_TRUE(camera.BuildViewFrustum(&frustum));
    PlaneEquation worldPlanes[FRUSTUM_SIDES], objectPlanes[FRUSTUM_SIDES];
    FrustumToPlanes(frustum, worldPlanes);

    cObjekt3D object;
    object.m_Position = D3DXVECTOR3(1, -2, 3);
    object.m_Rotation = D3DXVECTOR3(0.7f, -0.3f, 1.2f);
    ASSERT_TRUE(FrustumToObjectSpace(objectPlanes, frustum, object));

    D3DXMATRIX rotation, translation;
    D3DXMatrixRotationYawPitchRoll(&rotation, 0.7f, -0.3f, 1.2f);
    D3DXMatrixTranslation(&translation, 1, -2, 3);
    const D3DXMATRIX toWorld = rotation * translation;
    for (float x = -6; x <= 6; x += 1.5f)
        for (float y = -6; y <= 6; y += 1.5f)
            for (float z = -6; z <= 6; z += 1.5f) {
                const D3DXVECTOR3 local(x, y, z);
                D3DXVECTOR3 world;
                D3DXVec3TransformCoord(&world, &local, &toWorld);
                const bool insideOutward = IsBoxInFrustum(objectPlanes, local, local);
                EXPECT_EQ(IsPointInFrustum(worldPlanes, world), insideOutward) << x << " " << y << " " << z;
            }
    // A box far to the side is culled, one around the object's origin is not.
    EXPECT_TRUE(IsBoxInFrustum(objectPlanes, {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}));
    object.m_Position = D3DXVECTOR3(-500, 0, 0);
    ASSERT_TRUE(FrustumToObjectSpace(objectPlanes, frustum, object));
    EXPECT_FALSE(IsBoxInFrustum(objectPlanes, {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}));

    object.m_Position = D3DXVECTOR3(NAN, 0, 0);
    const PlaneEquation before = objectPlanes[0];
    EXPECT_FALSE(FrustumToObjectSpace(objectPlanes, frustum, object));
    EXPECT_EQ(objectPlanes[0].d, before.d);
}

TEST(PointLineDistance, MeasuresToTheInfiniteLine)
{
    EXPECT_FLOAT_EQ(PointLineDistance({0, 0, 0}, {1, 0, 0}, {0.5f, 3, 4}), 5.0f);
    EXPECT_FLOAT_EQ(PointLineDistance({0, 0, 0}, {1, 0, 0}, {10, 0, 2}), 2.0f); // beyond B
    EXPECT_FLOAT_EQ(PointLineDistance({1, 1, 1}, {1, 1, 1}, {1, 4, 5}), 5.0f);  // a line of one point
}

class PickPointTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The face (0,0,0) (1,0,0) (0,1,0) of an object scaled by 2, turned a
        // quarter about Y (yaw) and moved to (10, 0, 0): in world space it lies
        // in the plane x = 10, spanning z 0..-2 and y 0..2.
        for (const D3DXVECTOR3& p : {D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(0, 1, 0)})
            object.AddVertex(MeshVertex{p.x, p.y, p.z, 0, 0, 0, 0, 0});
        for (WORD i : {0, 1, 2}) object.AddIndex(i);
        object.m_Scale = D3DXVECTOR3(2, 2, 2);
        object.m_Rotation = D3DXVECTOR3(D3DX_PI / 2, 0, 0);
        object.m_Position = D3DXVECTOR3(10, 0, 0);
    }

    cObjekt3D object;
    D3DXVECTOR3 point{7, 7, 7};
};

TEST_F(PickPointTest, HitComesBackInTheObjectsOwnCoordinates)
{
    ASSERT_TRUE(PickPointOnObject({&object, 0}, {0, 0.5f, -0.5f}, {1, 0, 0}, &point));
    ExpectNear(point, {0.25f, 0.25f, 0});
}

TEST_F(PickPointTest, MissesAndBadRecordsLeaveThePointAlone)
{
    EXPECT_FALSE(PickPointOnObject({&object, 0}, {0, 0.5f, 0.5f}, {1, 0, 0}, &point));
    EXPECT_FALSE(PickPointOnObject({&object, 1}, {0, 0.5f, -0.5f}, {1, 0, 0}, &point));
    EXPECT_FALSE(PickPointOnObject({&object, -1}, {0, 0.5f, -0.5f}, {1, 0, 0}, &point));
    EXPECT_FALSE(PickPointOnObject({nullptr, 0}, {0, 0.5f, -0.5f}, {1, 0, 0}, &point));
    object.m_Indices[2] = 3; // a corner past the vertex array
    EXPECT_FALSE(PickPointOnObject({&object, 0}, {0, 0.5f, -0.5f}, {1, 0, 0}, &point));
    object.m_Indices[2] = 2;
    object.m_Scale = D3DXVECTOR3(0, 2, 2); // no way back to object space
    EXPECT_FALSE(PickPointOnObject({&object, 0}, {0, 0.5f, -0.5f}, {1, 0, 0}, &point));
    EXPECT_EQ(point, D3DXVECTOR3(7, 7, 7));
}

} // namespace
