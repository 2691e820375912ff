#include "MathTestHelpers.h"

#include <cmath>

namespace {

TEST(MathVector, ArithmeticAndFunctions)
{
    const D3DXVECTOR3 a(1, 2, 3), b(-4, 5, 0.5f);
    EXPECT_EQ(a + b, D3DXVECTOR3(-3, 7, 3.5f));
    EXPECT_EQ(a - b, D3DXVECTOR3(5, -3, 2.5f));
    EXPECT_EQ(2.0f * a, a * 2.0f);
    EXPECT_EQ(a * 2.0f / 2.0f, a);
    EXPECT_EQ(-a, D3DXVECTOR3(-1, -2, -3));
    D3DXVECTOR3 c = a;
    c += b;
    c -= b;
    EXPECT_EQ(c, a);
    EXPECT_EQ(static_cast<const float*>(a)[2], 3.0f);

    D3DXVECTOR3 out;
    EXPECT_FLOAT_EQ(D3DXVec3Dot(&a, &b), -4 + 10 + 1.5f);
    EXPECT_EQ(*D3DXVec3Cross(&out, &a, &b), D3DXVECTOR3(2 * 0.5f - 3 * 5, 3 * -4 - 1 * 0.5f, 1 * 5 - 2 * -4));
    EXPECT_FLOAT_EQ(D3DXVec3LengthSq(&a), 14.0f);
    EXPECT_FLOAT_EQ(D3DXVec3Length(&a), std::sqrt(14.0f));
    EXPECT_EQ(*D3DXVec3Lerp(&out, &a, &b, 0.5f), D3DXVECTOR3(-1.5f, 3.5f, 1.75f));
    EXPECT_EQ(*D3DXVec3Minimize(&out, &a, &b), D3DXVECTOR3(-4, 2, 0.5f));
    EXPECT_EQ(*D3DXVec3Maximize(&out, &a, &b), D3DXVECTOR3(1, 5, 3));
    EXPECT_EQ(*D3DXVec3Scale(&out, &a, -1), -a);
    EXPECT_EQ(*D3DXVec3Add(&out, &a, &b), a + b);
    EXPECT_EQ(*D3DXVec3Subtract(&out, &a, &b), a - b);
}

TEST(MathVector, CrossWritesIntoAnInput)
{
    D3DXVECTOR3 x(1, 0, 0);
    const D3DXVECTOR3 y(0, 1, 0);
    D3DXVec3Cross(&x, &x, &y);
    EXPECT_EQ(x, D3DXVECTOR3(0, 0, 1));
}

TEST(MathVector, NormaliseOfZeroStaysFinite)
{
    D3DXVECTOR3 out(9, 9, 9);
    const D3DXVECTOR3 zero, v(0, 3, 4);
    EXPECT_EQ(*D3DXVec3Normalize(&out, &zero), zero);
    EXPECT_EQ(*D3DXVec3Normalize(&out, &v), D3DXVECTOR3(0, 0.6f, 0.8f));
}

TEST(MathVector, TransformKinds)
{
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 1, 2, 3);
    m(0, 3) = 1.0f; // w picks up x: a projective matrix
    const D3DXVECTOR3 p(1, 1, 1);

    D3DXVECTOR4 h;
    D3DXVec3Transform(&h, &p, &m);
    EXPECT_EQ(h, D3DXVECTOR4(2, 3, 4, 2));
    D3DXVECTOR3 out;
    EXPECT_EQ(*D3DXVec3TransformCoord(&out, &p, &m), D3DXVECTOR3(1, 1.5f, 2));
    EXPECT_EQ(*D3DXVec3TransformNormal(&out, &p, &m), p);

    D3DXVECTOR4 v4(1, 1, 1, 0);
    D3DXVec4Transform(&v4, &v4, &m);
    EXPECT_EQ(v4, D3DXVECTOR4(1, 1, 1, 1));
}

class MathProjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        const D3DXVECTOR3 eye(2.3457f, 4.2262f, -8.7543f), at(0, 0, 0), up(-0.1094f, 0.9063f, 0.4082f);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 4, 640.0f / 480.0f, 0.1f, 1000.0f);
        D3DXMatrixRotationYawPitchRoll(&world, 0.3f, 0.2f, 0.1f);
        world._41 = 1.0f;
    }

    D3DVIEWPORT8 viewport{10, 20, 640, 480, 0.0f, 1.0f};
    D3DXMATRIX view, projection, world;
};

TEST_F(MathProjection, ProjectThenUnprojectReturnsThePoint)
{
    for (const D3DXVECTOR3& p : {D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(1, -2, 0.5f), D3DXVECTOR3(-3, 1, 2)}) {
        D3DXVECTOR3 screen, back;
        D3DXVec3Project(&screen, &p, &viewport, &projection, &view, &world);
        EXPECT_GT(screen.z, 0.0f);
        EXPECT_LT(screen.z, 1.0f);
        ASSERT_NE(D3DXVec3Unproject(&back, &screen, &viewport, &projection, &view, &world), nullptr);
        ExpectNear(back, p, 2e-3f);
    }
}

TEST_F(MathProjection, TargetProjectsToViewportCentre)
{
    const D3DXVECTOR3 target(0, 0, 0);
    D3DXVECTOR3 screen;
    D3DXVec3Project(&screen, &target, &viewport, &projection, &view, nullptr);
    EXPECT_NEAR(screen.x, 10 + 320.0f, 1e-3f);
    EXPECT_NEAR(screen.y, 20 + 240.0f, 1e-3f);

    // Screen y grows downwards.
    const D3DXVECTOR3 above(-0.1094f, 0.9063f, 0.4082f);
    D3DXVec3Project(&screen, &above, &viewport, &projection, &view, nullptr);
    EXPECT_LT(screen.y, 260.0f);
}

TEST_F(MathProjection, UnprojectWithoutAnswerLeavesOutputAlone)
{
    const D3DXVECTOR3 screen(5, 5, 0.5f);
    D3DXVECTOR3 out(7, 7, 7);
    D3DVIEWPORT8 empty = viewport;
    empty.Width = 0;
    EXPECT_EQ(D3DXVec3Unproject(&out, &screen, &empty, &projection, &view, &world), nullptr);
    D3DXMATRIX singular;
    EXPECT_EQ(D3DXVec3Unproject(&out, &screen, &viewport, &projection, &view, &singular), nullptr);
    EXPECT_EQ(out, D3DXVECTOR3(7, 7, 7));
}

TEST(MathPlane, FromPointNormalAndPoints)
{
    D3DXPLANE plane;
    const D3DXVECTOR3 point(0, 2, 0), normal(0, 1, 0);
    EXPECT_EQ(*D3DXPlaneFromPointNormal(&plane, &point, &normal), D3DXPLANE(0, 1, 0, -2));
    const D3DXVECTOR3 above(5, 7, -1);
    EXPECT_FLOAT_EQ(D3DXPlaneDotCoord(&plane, &above), 5.0f);
    EXPECT_FLOAT_EQ(D3DXPlaneDotNormal(&plane, &above), 7.0f);

    // Clockwise as seen from -Z in a left-handed system faces -Z.
    const D3DXVECTOR3 v1(0, 0, 3), v2(0, 1, 3), v3(1, 0, 3);
    D3DXPlaneFromPoints(&plane, &v1, &v2, &v3);
    EXPECT_EQ(plane, D3DXPLANE(0, 0, -1, 3));

    D3DXPLANE scaled(0, 0, 2, -6), unit;
    EXPECT_EQ(*D3DXPlaneNormalize(&unit, &scaled), D3DXPLANE(0, 0, 1, -3));
}

TEST(MathPlane, IntersectLine)
{
    const D3DXPLANE ground(0, 1, 0, 0);
    const D3DXVECTOR3 from(1, 4, 1), to(2, 2, 1);
    D3DXVECTOR3 hit;
    ASSERT_NE(D3DXPlaneIntersectLine(&hit, &ground, &from, &to), nullptr);
    ExpectNear(hit, {3, 0, 1});

    // Parallel: no answer, output untouched.
    const D3DXVECTOR3 along(5, 4, 1);
    hit = D3DXVECTOR3(9, 9, 9);
    EXPECT_EQ(D3DXPlaneIntersectLine(&hit, &ground, &from, &along), nullptr);
    EXPECT_EQ(hit, D3DXVECTOR3(9, 9, 9));
    // So nearly parallel that the point overflows.
    const D3DXVECTOR3 nearly(1e35f, 4.0f - 1e-6f, 1);
    const D3DXVECTOR3 origin(0, 4, 1);
    EXPECT_EQ(D3DXPlaneIntersectLine(&hit, &ground, &origin, &nearly), nullptr);
}

TEST(MathColor, PacksAndUnpacksArgb)
{
    const D3DXCOLOR c(D3DCOLOR_ARGB(0x80, 0xff, 0x00, 0x33));
    EXPECT_FLOAT_EQ(c.a, 128 / 255.0f);
    EXPECT_FLOAT_EQ(c.r, 1.0f);
    EXPECT_FLOAT_EQ(c.b, 0.2f);
    EXPECT_EQ(static_cast<DWORD>(c), D3DCOLOR_ARGB(0x80, 0xff, 0x00, 0x33));
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(2.0f, -1.0f, NAN, 0.5f)), D3DCOLOR_ARGB(0x80, 0xff, 0, 0));
    const D3DCOLORVALUE& value = c;
    EXPECT_EQ(value.r, 1.0f);
}

} // namespace
