#include "MathTestHelpers.h"

#include <cmath>

namespace {

const float kDegree = 0.017453292f;

D3DXMATRIX SomeInvertibleMatrix()
{
    D3DXMATRIX s, r, t, p;
    D3DXMatrixScaling(&s, 2.0f, 0.5f, 3.0f);
    D3DXMatrixRotationYawPitchRoll(&r, 0.3f, -1.1f, 2.0f);
    D3DXMatrixTranslation(&t, 4.0f, -5.0f, 6.0f);
    D3DXMatrixPerspectiveFovLH(&p, D3DX_PI / 4, 1.5f, 0.1f, 100.0f);
    return s * r * t * p;
}

TEST(MathMatrix, ProductAppliesLeftOperandFirst)
{
    D3DXMATRIX scale, translate, product;
    D3DXMatrixScaling(&scale, 2.0f, 2.0f, 2.0f);
    D3DXMatrixTranslation(&translate, 1.0f, 0.0f, 0.0f);
    D3DXMatrixMultiply(&product, &scale, &translate);
    ExpectNear(TransformCoord({1, 1, 1}, product), {3, 2, 2});
    ExpectNear(TransformCoord({1, 1, 1}, translate * scale), {4, 2, 2});

    // The output may be one of the inputs.
    D3DXMatrixMultiply(&scale, &scale, &translate);
    ExpectNear(scale, product, 0.0f);
}

TEST(MathMatrix, InverseTimesMatrixIsIdentity)
{
    const D3DXMATRIX m = SomeInvertibleMatrix();
    D3DXMATRIX inverse;
    float determinant = 0.0f;
    ASSERT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), &inverse);
    EXPECT_NEAR(determinant, D3DXMatrixDeterminant(&m), 1e-5f * std::fabs(determinant));
    ExpectNear(inverse * m, Identity(), 1e-5f);
    ExpectNear(m * inverse, Identity(), 1e-5f);

    D3DXMATRIX inPlace = m;
    ASSERT_NE(D3DXMatrixInverse(&inPlace, nullptr, &inPlace), nullptr);
    ExpectNear(inPlace, inverse, 0.0f);
}

TEST(MathMatrix, DeterminantOfScalingIsProductOfFactors)
{
    D3DXMATRIX s;
    D3DXMatrixScaling(&s, 2.0f, -3.0f, 4.0f);
    EXPECT_FLOAT_EQ(D3DXMatrixDeterminant(&s), -24.0f);
}

TEST(MathMatrix, SingularInverseReturnsNullAndLeavesOutputAlone)
{
    D3DXMATRIX flat;
    D3DXMatrixScaling(&flat, 1.0f, 0.0f, 1.0f);
    D3DXMATRIX out = SomeInvertibleMatrix();
    const D3DXMATRIX before = out;
    float determinant = 99.0f;
    EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &flat), nullptr);
    EXPECT_EQ(determinant, 0.0f);
    EXPECT_EQ(out, before);

    D3DXMATRIX zero;
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &zero), nullptr);

    D3DXMATRIX notFinite = Identity();
    notFinite(1, 1) = NAN;
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &notFinite), nullptr);
    EXPECT_EQ(out, before);
}

TEST(MathMatrix, TransposeSwapsRowsAndColumns)
{
    const D3DXMATRIX m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    D3DXMATRIX t;
    D3DXMatrixTranspose(&t, &m);
    EXPECT_EQ(t(0, 3), 13.0f);
    EXPECT_EQ(t(3, 0), 4.0f);
    D3DXMatrixTranspose(&t, &t);
    EXPECT_EQ(t, m);
}

TEST(MathMatrix, AxisRotationsAreLeftHanded)
{
    D3DXMATRIX r;
    // A quarter turn about Y takes +X to -Z, about X takes +Y to +Z, about Z takes +X to +Y.
    ExpectNear(TransformCoord({1, 0, 0}, *D3DXMatrixRotationY(&r, D3DX_PI / 2)), {0, 0, -1});
    ExpectNear(TransformCoord({0, 1, 0}, *D3DXMatrixRotationX(&r, D3DX_PI / 2)), {0, 0, 1});
    ExpectNear(TransformCoord({1, 0, 0}, *D3DXMatrixRotationZ(&r, D3DX_PI / 2)), {0, 1, 0});
}

TEST(MathMatrix, RotationAxisMatchesAxisRotationsAndNormalisesTheAxis)
{
    D3DXMATRIX viaAxis, viaY, viaX;
    const D3DXVECTOR3 longY(0, 5, 0), longX(-3, 0, 0);
    D3DXMatrixRotationAxis(&viaAxis, &longY, 0.7f);
    ExpectNear(viaAxis, *D3DXMatrixRotationY(&viaY, 0.7f));
    D3DXMatrixRotationAxis(&viaAxis, &longX, 0.7f);
    ExpectNear(viaAxis, *D3DXMatrixRotationX(&viaX, -0.7f));
}

TEST(MathMatrix, YawPitchRollIsRollThenPitchThenYaw)
{
    D3DXMATRIX ypr, rz, rx, ry;
    D3DXMatrixRotationYawPitchRoll(&ypr, 0.4f, -0.9f, 1.3f);
    D3DXMatrixRotationZ(&rz, 1.3f);
    D3DXMatrixRotationX(&rx, -0.9f);
    D3DXMatrixRotationY(&ry, 0.4f);
    ExpectNear(ypr, rz * rx * ry);
}

TEST(MathMatrix, RollOfTheUpVectorForTopView)
{
    // The axis views roll their up vector: yaw = a * axis.y, pitch = a * axis.x, roll = a * axis.z.
    const float a = 10 * kDegree;
    D3DXMATRIX m;
    D3DXMatrixRotationYawPitchRoll(&m, a * 1, a * 0, a * 0);
    D3DXVECTOR4 up;
    const D3DXVECTOR3 topUp(0, 0, 1);
    D3DXVec3Transform(&up, &topUp, &m);
    EXPECT_NEAR(up.x, std::sin(a), 1e-5f);
    EXPECT_NEAR(up.y, 0.0f, 1e-6f);
    EXPECT_NEAR(up.z, std::cos(a), 1e-5f);
    EXPECT_EQ(up.w, 1.0f);
}

TEST(MathMatrix, WorldMatrixIsScaleThenRotationThenTranslation)
{
    D3DXMATRIX s, r, t, world;
    D3DXMatrixScaling(&s, 2, 2, 2);
    D3DXMatrixRotationYawPitchRoll(&r, D3DX_PI / 2, 0, 0);
    D3DXMatrixTranslation(&t, 1, 2, 3);
    D3DXMatrixMultiply(&r, &s, &r);
    D3DXMatrixMultiply(&world, &r, &t);
    ExpectNear(TransformCoord({1, 0, 0}, world), {1, 2, 1});
    ExpectNear(TransformCoord({0, 0, 0}, world), {1, 2, 3});
}

TEST(MathMatrix, LookAtPutsTargetOnThePositiveZAxis)
{
    const D3DXVECTOR3 eye(2.3457f, 4.2262f, -8.7543f), at(0, 0, 0), up(-0.1094f, 0.9063f, 0.4082f);
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    ExpectNear(TransformCoord(eye, view), {0, 0, 0});
    ExpectNear(TransformCoord(at, view), {0, 0, D3DXVec3Length(&eye)}, 1e-3f);
    // Up in the world points up on the screen.
    const D3DXVECTOR3 above = TransformCoord(at + up, view);
    EXPECT_NEAR(above.x, 0.0f, 1e-3f);
    EXPECT_GT(above.y, 0.99f);

    // Default front camera: world +X is screen right.
    const D3DXVECTOR3 frontEye(0, 0, -10), yUp(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &frontEye, &at, &yUp);
    ExpectNear(TransformCoord({1, 0, 0}, view), {1, 0, 10});
}

TEST(MathMatrix, ProjectionsMapNearAndFarToZeroAndOne)
{
    D3DXMATRIX p;
    D3DXMatrixPerspectiveFovLH(&p, D3DX_PI / 2, 2.0f, 1.0f, 100.0f);
    ExpectNear(TransformCoord({0, 0, 1}, p), {0, 0, 0});
    ExpectNear(TransformCoord({0, 0, 100}, p), {0, 0, 1});
    // At 90 degrees the top edge is at y = z; the side edge at x = aspect * z.
    ExpectNear(TransformCoord({20, 10, 10}, p), {1, 1, TransformCoord({0, 0, 10}, p).z});

    D3DXMatrixOrthoLH(&p, 10.0f, 5.0f, 1.0f, 101.0f);
    ExpectNear(TransformCoord({5, -2.5f, 1}, p), {1, -1, 0});
    ExpectNear(TransformCoord({0, 0, 51}, p), {0, 0, 0.5f});
}

TEST(MathMatrix, OperatorsAndElementAccess)
{
    D3DXMATRIX m = Identity();
    m(3, 0) = 7.0f;
    EXPECT_EQ(m._41, 7.0f);
    EXPECT_EQ(static_cast<const float*>(m)[12], 7.0f);
    const D3DXMATRIX twice = m + m;
    EXPECT_EQ(twice, m * 2.0f);
    EXPECT_EQ(twice / 2.0f, m);
    EXPECT_EQ(twice - m, m);
    EXPECT_EQ(-m, m * -1.0f);
    const D3DXMATRIX identity = m * 0.0f + Identity();
    EXPECT_TRUE(D3DXMatrixIsIdentity(&identity));
    EXPECT_FALSE(D3DXMatrixIsIdentity(&m));
    D3DXMATRIX zero;
    EXPECT_EQ(zero, D3DXMATRIX(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
}

} // namespace
