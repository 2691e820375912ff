// Quaternion rotations, checked against the camera orbit the views start with.
#include "MathTestHelpers.h"

#include <cmath>

namespace {

const float kDegree = 0.017453292f;

// Turns v about axis by angle the way the camera navigation does.
D3DXVECTOR3 RotateAbout(const D3DXVECTOR3& v, const D3DXVECTOR3& axis, float angle)
{
    D3DXQUATERNION q;
    D3DXMATRIX m;
    D3DXQuaternionRotationAxis(&q, &axis, angle);
    D3DXMatrixRotationQuaternion(&m, &q);
    D3DXVECTOR4 out;
    D3DXVec3Transform(&out, &v, &m);
    return {out.x, out.y, out.z};
}

TEST(MathRotation, FifteenDegreesAboutY)
{
    ExpectNear(RotateAbout({0, 0, -10}, {0, 1, 0}, 15 * kDegree), {-2.5882f, 0, -9.6593f});
}

TEST(MathRotation, StartOrbitOfUserAndPerspectiveViews)
{
    // Mouse from (0, 0) to (-30, 50) at half a degree per pixel.
    const D3DXVECTOR3 target(0, 0, 0), planeNormal(0, 1, 0);
    D3DXVECTOR3 eye(0, 0, -10), up(0, 1, 0);
    const float a = (-30 - 0) * 0.5f * kDegree;
    const float b = (50 - 0) * 0.5f * kDegree;

    eye = target + RotateAbout(eye - target, planeNormal, a);
    up = RotateAbout(up, planeNormal, a);
    const D3DXVECTOR3 w = eye - target;
    const D3DXVECTOR3 axis(w.y * up.z - w.z * up.y, w.z * up.x - w.x * up.z, w.x * up.y - w.y * up.x);
    eye = target + RotateAbout(w, axis, b);
    up = RotateAbout(up, axis, b);

    ExpectNear(eye, {2.3457f, 4.2262f, -8.7543f});
    ExpectNear(up, {-0.1094f, 0.9063f, 0.4082f});
}

TEST(MathRotation, QuaternionMatchesAxisMatrix)
{
    const D3DXVECTOR3 axes[] = {{1, 0, 0}, {0, -2, 0}, {1, 2, 3}, {-0.3f, 0.1f, 5}};
    for (const D3DXVECTOR3& axis : axes)
        for (float angle : {-2.5f, 0.0f, 0.4f, 3.0f}) {
            D3DXQUATERNION q;
            D3DXMATRIX fromQuaternion, fromAxis;
            D3DXQuaternionRotationAxis(&q, &axis, angle);
            EXPECT_NEAR(D3DXQuaternionLength(&q), 1.0f, 1e-6f);
            D3DXMatrixRotationQuaternion(&fromQuaternion, &q);
            D3DXMatrixRotationAxis(&fromAxis, &axis, angle);
            ExpectNear(fromQuaternion, fromAxis);
        }
}

TEST(MathRotation, QuaternionProductRotatesByFirstThenSecond)
{
    const D3DXVECTOR3 axis1(1, 2, 0), axis2(0, -1, 3);
    D3DXQUATERNION q1, q2, product;
    D3DXQuaternionRotationAxis(&q1, &axis1, 0.8f);
    D3DXQuaternionRotationAxis(&q2, &axis2, -1.9f);
    D3DXQuaternionMultiply(&product, &q1, &q2);
    EXPECT_EQ(product, q1 * q2);

    D3DXMATRIX m1, m2, m;
    D3DXMatrixRotationQuaternion(&m1, &q1);
    D3DXMatrixRotationQuaternion(&m2, &q2);
    D3DXMatrixRotationQuaternion(&m, &product);
    ExpectNear(m, m1 * m2);
}

TEST(MathRotation, QuaternionYawPitchRollMatchesMatrix)
{
    D3DXQUATERNION q;
    D3DXMATRIX fromQuaternion, fromAngles;
    D3DXQuaternionRotationYawPitchRoll(&q, 0.4f, -0.9f, 1.3f);
    D3DXMatrixRotationQuaternion(&fromQuaternion, &q);
    D3DXMatrixRotationYawPitchRoll(&fromAngles, 0.4f, -0.9f, 1.3f);
    ExpectNear(fromQuaternion, fromAngles);
}

TEST(MathRotation, IdentityNormaliseAndConjugate)
{
    D3DXQUATERNION identity, q(0, 3, 0, 4), n, conjugate, product;
    D3DXQuaternionIdentity(&identity);
    D3DXMATRIX m;
    D3DXMatrixRotationQuaternion(&m, &identity);
    EXPECT_TRUE(D3DXMatrixIsIdentity(&m));

    D3DXQuaternionNormalize(&n, &q);
    EXPECT_EQ(n, D3DXQUATERNION(0, 0.6f, 0, 0.8f));
    D3DXQuaternionConjugate(&conjugate, &n);
    D3DXQuaternionMultiply(&product, &n, &conjugate);
    EXPECT_NEAR(product.w, 1.0f, 1e-6f);
    EXPECT_NEAR(product.y, 0.0f, 1e-6f);

    const D3DXQUATERNION zero;
    D3DXQuaternionNormalize(&n, &zero);
    EXPECT_EQ(n, zero);
}

} // namespace
