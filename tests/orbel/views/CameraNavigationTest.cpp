#include "orbel/views/CameraNavigation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void ExpectNear(const D3DXVECTOR3& v, float x, float y, float z, float tolerance = 1e-4f)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

ViewCamera FrontCamera()
{
    ViewCamera camera;
    camera.eye = D3DXVECTOR3(0, 0, -10);
    camera.target = D3DXVECTOR3(0, 0, 0);
    camera.up = D3DXVECTOR3(0, 1, 0);
    camera.zoom = 10.0f;
    camera.fieldOfView = 0.7853982f;
    return camera;
}

ViewCamera TopCamera()
{
    ViewCamera camera = FrontCamera();
    camera.eye = D3DXVECTOR3(0, 10, 0);
    camera.up = D3DXVECTOR3(0, 0, 1);
    return camera;
}

bool SameCamera(const ViewCamera& a, const ViewCamera& b)
{
    return a.eye == b.eye && a.target == b.target && a.up == b.up && a.zoom == b.zoom &&
           a.fieldOfView == b.fieldOfView;
}

}  // namespace

TEST(CameraRotation, FifteenDegreesAboutYTurnsTheFrontEye)
{
    float angle = 15.0f * kRadiansPerDegree;
    ExpectNear(RotateAboutAxis(D3DXVECTOR3(0, 0, -10), D3DXVECTOR3(0, 1, 0), angle), -2.5882f, 0.0f, -9.6593f);
    // The axis is normalised: its length does not scale the result.
    ExpectNear(RotateAboutAxis(D3DXVECTOR3(0, 0, -10), D3DXVECTOR3(0, 7, 0), angle), -2.5882f, 0.0f, -9.6593f);
}

TEST(CameraOrbit, StartOrbitOfUserAndPerspectiveGivesTheQuotedCamera)
{
    ViewCamera camera = FrontCamera();
    ASSERT_TRUE(OrbitCamera(camera, D3DXVECTOR3(0, 1, 0), POINT{0, 0}, POINT{-30, 50}));
    ExpectNear(camera.eye, 2.3457f, 4.2262f, -8.7543f);
    ExpectNear(camera.up, -0.1094f, 0.9063f, 0.4082f);
    ExpectNear(camera.target, 0, 0, 0);
    EXPECT_NEAR(D3DXVec3Length(&camera.eye), 10.0f, 1e-4f) << "an orbit keeps the distance to the target";
}

TEST(CameraOrbit, TurnsAboutTheTargetNotTheOrigin)
{
    ViewCamera camera = FrontCamera();
    camera.eye += D3DXVECTOR3(3, 0, 0);
    camera.target += D3DXVECTOR3(3, 0, 0);
    ASSERT_TRUE(OrbitCamera(camera, D3DXVECTOR3(0, 1, 0), POINT{0, 0}, POINT{-30, 50}));
    ExpectNear(camera.eye, 5.3457f, 4.2262f, -8.7543f);
    ExpectNear(camera.target, 3, 0, 0);
}

TEST(CameraOrbit, LookingAlongTheUpVectorLeavesTheCameraUnchanged)
{
    // Eye straight above the target with up along the viewing direction: no
    // horizontal axis exists, so a vertical step must not produce NaNs.
    ViewCamera camera = FrontCamera();
    camera.eye = D3DXVECTOR3(0, 10, 0);
    camera.up = D3DXVECTOR3(0, 1, 0);
    ViewCamera before = camera;
    EXPECT_FALSE(OrbitCamera(camera, D3DXVECTOR3(0, 1, 0), POINT{0, 0}, POINT{0, 20}));
    EXPECT_TRUE(SameCamera(camera, before));
    EXPECT_TRUE(IsFiniteCamera(camera));
}

TEST(CameraRoll, OneDegreePerPixelOfTheLargerStep)
{
    ViewCamera camera = TopCamera();
    // Mouse 10 pixels to the left: dx = last - now = +10 degrees about Y.
    ASSERT_TRUE(RollCamera(camera, D3DXVECTOR3(0, 1, 0), POINT{0, 0}, POINT{-10, 3}));
    float a = 10.0f * kRadiansPerDegree;
    ExpectNear(camera.up, std::sin(a), 0.0f, std::cos(a));
    ExpectNear(camera.eye, 0, 10, 0);
    ExpectNear(camera.target, 0, 0, 0);
}

TEST(CameraRoll, ATieTakesTheVerticalStep)
{
    ViewCamera camera = TopCamera();
    // dx = +5, dy = -5: the vertical step wins, so the roll is -5 degrees.
    ASSERT_TRUE(RollCamera(camera, D3DXVECTOR3(0, 1, 0), POINT{10, 10}, POINT{5, 15}));
    float a = -5.0f * kRadiansPerDegree;
    ExpectNear(camera.up, std::sin(a), 0.0f, std::cos(a));
}

TEST(CameraRoll, FrontAndLeftViewsRollAboutTheirOwnAxes)
{
    ViewCamera front = FrontCamera();
    ASSERT_TRUE(RollCamera(front, D3DXVECTOR3(0, 0, 1), POINT{0, 0}, POINT{0, -90}));
    ExpectNear(front.up, -1, 0, 0);  // 90 degrees about Z
    ViewCamera left = FrontCamera();
    left.eye = D3DXVECTOR3(-10, 0, 0);
    ASSERT_TRUE(RollCamera(left, D3DXVECTOR3(1, 0, 0), POINT{0, 0}, POINT{0, -90}));
    ExpectNear(left.up, 0, 0, 1);  // 90 degrees about X
}

TEST(CameraZoom, UpwardStepNarrowsTheWidthAndMovesForward)
{
    ViewCamera camera = FrontCamera();
    ASSERT_TRUE(ZoomCamera(camera, false, 100, 90, D3DXVECTOR3(0.6f, 0.8f, 0)));  // |d| = 1
    EXPECT_FLOAT_EQ(camera.zoom, 5.0f);
    ExpectNear(camera.eye, 0, 0, -5);
    ExpectNear(camera.target, 0, 0, 5);
}

TEST(CameraZoom, DownwardStepWidensAndMovesBack)
{
    ViewCamera camera = FrontCamera();
    ASSERT_TRUE(ZoomCamera(camera, false, 90, 100, D3DXVECTOR3(1, 0, 0)));
    EXPECT_FLOAT_EQ(camera.zoom, 15.0f);
    ExpectNear(camera.eye, 0, 0, -15);
}

TEST(CameraZoom, WidthNeverReachesZeroButTheCameraStillMoves)
{
    ViewCamera camera = FrontCamera();
    ASSERT_TRUE(ZoomCamera(camera, false, 100, 90, D3DXVECTOR3(2, 0, 0)));  // z = 10 = zoom
    EXPECT_FLOAT_EQ(camera.zoom, 10.0f);
    ExpectNear(camera.eye, 0, 0, 0);
    ExpectNear(camera.target, 0, 0, 10);
}

TEST(CameraZoom, PerspectiveOnlyMovesTheCamera)
{
    ViewCamera camera = FrontCamera();
    ASSERT_TRUE(ZoomCamera(camera, true, 100, 90, D3DXVECTOR3(1, 0, 0)));
    EXPECT_FLOAT_EQ(camera.zoom, 10.0f);
    ExpectNear(camera.eye, 0, 0, -5);
}

TEST(CameraZoom, HorizontalStepChangesNothing)
{
    ViewCamera camera = FrontCamera();
    ViewCamera before = camera;
    ZoomCamera(camera, false, 100, 100, D3DXVECTOR3(3, 0, 0));
    EXPECT_TRUE(SameCamera(camera, before));
}

TEST(CameraSteps, NonFiniteDeltasNeverReachTheCamera)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ViewCamera camera = FrontCamera();
    ViewCamera before = camera;
    EXPECT_FALSE(PanCamera(camera, D3DXVECTOR3(inf, 0, 0)));
    EXPECT_FALSE(PanCamera(camera, D3DXVECTOR3(0, nan, 0)));
    EXPECT_FALSE(ZoomCamera(camera, false, 100, 90, D3DXVECTOR3(nan, 0, 0)));
    EXPECT_FALSE(ZoomCamera(camera, true, 100, 90, D3DXVECTOR3(0, 0, inf)));
    EXPECT_TRUE(SameCamera(camera, before));
}

// However often a step is repeated, the camera stops at the last one it can
// use: eye and target never round onto each other or leave the reach.
TEST(CameraSteps, FarOutStepsStopAtTheLastUsableCamera)
{
    ViewCamera zoomed = TopCamera();
    for (int step = 0; step < 2000; ++step) {
        const D3DXVECTOR3 tenPixels(0, 0, zoomed.zoom / 16.0f);
        ZoomCamera(zoomed, false, 0, 10, tenPixels);
    }
    EXPECT_TRUE(IsUsableCamera(zoomed));
    EXPECT_GT(zoomed.zoom, 1.0e5f);
    ViewCamera before = zoomed;
    EXPECT_FALSE(ZoomCamera(zoomed, false, 0, 10, D3DXVECTOR3(0, 0, zoomed.zoom / 16.0f)));
    EXPECT_TRUE(SameCamera(zoomed, before));

    ViewCamera panned = FrontCamera();
    for (int step = 0; step < 2000; ++step) PanCamera(panned, D3DXVECTOR3(1.0e3f, 0, 0));
    EXPECT_TRUE(IsUsableCamera(panned));
    EXPECT_LE(panned.eye.x, kCameraReach);
    EXPECT_GT(panned.eye.x, kCameraReach - 1.0e3f);

    ViewCamera narrowed = FrontCamera();
    for (int step = 0; step < 2000; ++step) ZoomCamera(narrowed, false, 10, 0, D3DXVECTOR3(0, narrowed.zoom / 16, 0));
    EXPECT_TRUE(IsUsableCamera(narrowed));
    EXPECT_GE(narrowed.zoom, kMinZoomRatio) << "a zoom in keeps a width the picture can show";
}

TEST(CameraPan, ShiftsEyeAndTargetTogether)
{
    ViewCamera camera = FrontCamera();
    ASSERT_TRUE(PanCamera(camera, D3DXVECTOR3(1, -2, 0)));
    ExpectNear(camera.eye, 1, -2, -10);
    ExpectNear(camera.target, 1, -2, 0);
    ExpectNear(camera.up, 0, 1, 0);
}
