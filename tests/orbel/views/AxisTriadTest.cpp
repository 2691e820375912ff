#include "orbel/views/AxisTriad.h"
#include "orbel/views/CameraMatrices.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Matrices {
    D3DXMATRIX view;
    D3DXMATRIX projection;
};

Matrices CameraAt(D3DXVECTOR3 eye, D3DXVECTOR3 up, int w, int h, bool perspective = false)
{
    ViewCamera camera;
    camera.eye = eye;
    camera.target = D3DXVECTOR3(0, 0, 0);
    camera.up = up;
    camera.zoom = 10.0f;
    camera.fieldOfView = 0.7853982f;
    Matrices m;
    EXPECT_TRUE(ComputeCameraMatrices(camera, perspective, w, h, &m.view, &m.projection));
    return m;
}

void ExpectPoint(POINT p, LONG x, LONG y)
{
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

}  // namespace

TEST(AxisTriad, SizeAndOriginFollowTheClientArea)
{
    struct Case {
        int w, h, length;
        POINT origin;
        bool labels;
    };
    const Case cases[] = {
        {300, 200, 25, {30, 170}, true},
        {100, 300, 20, {25, 275}, true},
        {80, 300, 16, {21, 279}, false},
        {300, 80, 16, {21, 59}, false},
        {125, 125, 25, {30, 95}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        Matrices m = CameraAt(D3DXVECTOR3(0, 0, -10), D3DXVECTOR3(0, 1, 0), c.w, c.h);
        AxisTriadLayout layout = LayoutAxisTriad(c.w, c.h, m.view, m.projection);
        EXPECT_EQ(layout.length, c.length);
        ExpectPoint(layout.origin, c.origin.x, c.origin.y);
        EXPECT_EQ(layout.labels, c.labels);
    }
}

TEST(AxisTriad, TopViewShowsXRightZUpAndYAtTheViewer)
{
    Matrices m = CameraAt(D3DXVECTOR3(0, 10, 0), D3DXVECTOR3(0, 0, 1), 300, 200);
    AxisTriadLayout layout = LayoutAxisTriad(300, 200, m.view, m.projection);
    ExpectPoint(layout.axes[0].lineEnd, 55, 170);
    ExpectPoint(layout.axes[1].lineEnd, 30, 170);
    ExpectPoint(layout.axes[2].lineEnd, 30, 145);
    ExpectPoint(layout.axes[1].label, 32, 168);  // (L + 7, h - L - 7)
    ExpectPoint(layout.axes[0].label, 57, 168);
    EXPECT_EQ(layout.axes[0].colour, RGB(255, 0, 0));
    EXPECT_EQ(layout.axes[1].colour, RGB(0, 255, 0));
    EXPECT_EQ(layout.axes[2].colour, RGB(0, 0, 255));
    EXPECT_STREQ(layout.axes[2].text, "z");
}

TEST(AxisTriad, FrontViewShowsYUpAndZIntoTheScreen)
{
    Matrices m = CameraAt(D3DXVECTOR3(0, 0, -10), D3DXVECTOR3(0, 1, 0), 300, 200);
    AxisTriadLayout layout = LayoutAxisTriad(300, 200, m.view, m.projection);
    ExpectPoint(layout.axes[0].lineEnd, 55, 170);
    ExpectPoint(layout.axes[1].lineEnd, 30, 145);
    ExpectPoint(layout.axes[2].lineEnd, 30, 170);
}

TEST(CameraMatrices, EmptyClientAreaKeepsThePreviousMatrices)
{
    ViewCamera camera;
    camera.eye = D3DXVECTOR3(0, 0, -10);
    camera.zoom = 10.0f;
    camera.fieldOfView = 0.7853982f;
    D3DXMATRIX view, projection;
    D3DXMatrixIdentity(&view);
    D3DXMatrixIdentity(&projection);
    EXPECT_FALSE(ComputeCameraMatrices(camera, false, 0, 200, &view, &projection));
    EXPECT_FALSE(ComputeCameraMatrices(camera, true, 200, 0, &view, &projection));
    EXPECT_TRUE(D3DXMatrixIsIdentity(&view));
    EXPECT_TRUE(D3DXMatrixIsIdentity(&projection));
    // An eye on the target has no viewing direction.
    camera.eye = camera.target;
    EXPECT_FALSE(ComputeCameraMatrices(camera, false, 200, 200, &view, &projection));
    EXPECT_TRUE(D3DXMatrixIsIdentity(&view));
}

TEST(CameraMatrices, UserViewIsOrthographicAndPerspectiveUsesTheFieldOfView)
{
    ViewCamera camera;
    camera.eye = D3DXVECTOR3(0, 0, -10);
    camera.zoom = 8.0f;
    camera.fieldOfView = 0.7853982f;
    D3DXMATRIX view, ortho, perspective;
    ASSERT_TRUE(ComputeCameraMatrices(camera, false, 400, 200, &view, &ortho));
    EXPECT_FLOAT_EQ(ortho._11, 2.0f / 8.0f);
    EXPECT_FLOAT_EQ(ortho._22, 2.0f / 4.0f);  // height = zoom * h / w
    EXPECT_FLOAT_EQ(ortho._34, 0.0f);
    ASSERT_TRUE(ComputeCameraMatrices(camera, true, 400, 200, &view, &perspective));
    EXPECT_NEAR(perspective._22, 1.0f / std::tan(0.7853982f / 2.0f), 1e-5f);
    EXPECT_FLOAT_EQ(perspective._34, 1.0f);
}
