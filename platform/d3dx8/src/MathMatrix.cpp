// Matrix functions of the D3DX math interface.
#include <d3dx8/Math.h>

#include <cmath>

namespace {

// The four 3x3 minors' combination for a 4x4 matrix, in double so that the
// inverse of a well-conditioned float matrix comes back to float exactly enough
// for inverse x matrix to be the identity within a few ulps.
struct Cofactors {
    double c[4][4];
    double determinant;
};

Cofactors ComputeCofactors(const D3DXMATRIX& m)
{
    double a[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) a[r][c] = m.m[r][c];

    // 2x2 determinants of the lower two rows and of the upper two rows.
    const double s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    const double s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    const double s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    const double s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    const double s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    const double s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    const double c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
    const double c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    const double c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    const double c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    const double c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    const double c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];

    Cofactors out{};
    out.determinant = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;

    // Adjugate (transposed cofactor matrix).
    out.c[0][0] = a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3;
    out.c[0][1] = -a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3;
    out.c[0][2] = a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3;
    out.c[0][3] = -a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3;
    out.c[1][0] = -a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1;
    out.c[1][1] = a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1;
    out.c[1][2] = -a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1;
    out.c[1][3] = a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1;
    out.c[2][0] = a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0;
    out.c[2][1] = -a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0;
    out.c[2][2] = a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0;
    out.c[2][3] = -a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0;
    out.c[3][0] = -a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0;
    out.c[3][1] = a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0;
    out.c[3][2] = -a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0;
    out.c[3][3] = a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0;
    return out;
}

} // namespace

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* pOut)
{
    *pOut = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return pOut;
}

BOOL D3DXMatrixIsIdentity(const D3DXMATRIX* pM)
{
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    return *pM == identity ? 1 : 0;
}

float D3DXMatrixDeterminant(const D3DXMATRIX* pM)
{
    return static_cast<float>(ComputeCofactors(*pM).determinant);
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1, const D3DXMATRIX* pM2)
{
    D3DXMATRIX product;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            product.m[r][c] = pM1->m[r][0] * pM2->m[0][c] + pM1->m[r][1] * pM2->m[1][c] +
                              pM1->m[r][2] * pM2->m[2][c] + pM1->m[r][3] * pM2->m[3][c];
    *pOut = product;
    return pOut;
}

D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* pOut, const D3DXMATRIX* pM)
{
    D3DXMATRIX transposed;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) transposed.m[r][c] = pM->m[c][r];
    *pOut = transposed;
    return pOut;
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* pOut, float* pDeterminant, const D3DXMATRIX* pM)
{
    const Cofactors cof = ComputeCofactors(*pM);
    const float determinant = static_cast<float>(cof.determinant);
    if (pDeterminant) *pDeterminant = determinant;
    if (determinant == 0.0f || !std::isfinite(determinant)) return nullptr;

    D3DXMATRIX inverse;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const double value = cof.c[r][c] / cof.determinant;
            // A determinant that only just avoids zero can still overflow float.
            if (!std::isfinite(static_cast<float>(value))) return nullptr;
            inverse.m[r][c] = static_cast<float>(value);
        }
    *pOut = inverse;
    return pOut;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* pOut, float sx, float sy, float sz)
{
    *pOut = D3DXMATRIX(sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, sz, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* pOut, float x, float y, float z)
{
    *pOut = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* pOut, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    *pOut = D3DXMATRIX(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* pOut, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    *pOut = D3DXMATRIX(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* pOut, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    *pOut = D3DXMATRIX(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* pOut, const D3DXVECTOR3* pV, float angle)
{
    D3DXVECTOR3 axis;
    D3DXVec3Normalize(&axis, pV);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    const float x = axis.x, y = axis.y, z = axis.z;
    *pOut = D3DXMATRIX(t * x * x + c, t * x * y + s * z, t * x * z - s * y, 0,
                       t * x * y - s * z, t * y * y + c, t * y * z + s * x, 0,
                       t * x * z + s * y, t * y * z - s * x, t * z * z + c, 0,
                       0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* pOut, float yaw, float pitch, float roll)
{
    D3DXMATRIX rz, rx, ry;
    D3DXMatrixRotationZ(&rz, roll);
    D3DXMatrixRotationX(&rx, pitch);
    D3DXMatrixRotationY(&ry, yaw);
    *pOut = rz * rx * ry;
    return pOut;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* pOut, const D3DXQUATERNION* pQ)
{
    const float x = pQ->x, y = pQ->y, z = pQ->z, w = pQ->w;
    *pOut = D3DXMATRIX(1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w), 0,
                       2 * (x * y - z * w), 1 - 2 * (x * x + z * z), 2 * (y * z + x * w), 0,
                       2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y), 0,
                       0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* pOut, const D3DXVECTOR3* pEye, const D3DXVECTOR3* pAt,
                               const D3DXVECTOR3* pUp)
{
    D3DXVECTOR3 zAxis, xAxis, yAxis;
    const D3DXVECTOR3 forward = *pAt - *pEye;
    D3DXVec3Normalize(&zAxis, &forward);
    D3DXVec3Cross(&xAxis, pUp, &zAxis);
    D3DXVec3Normalize(&xAxis, &xAxis);
    D3DXVec3Cross(&yAxis, &zAxis, &xAxis);
    *pOut = D3DXMATRIX(xAxis.x, yAxis.x, zAxis.x, 0,
                       xAxis.y, yAxis.y, zAxis.y, 0,
                       xAxis.z, yAxis.z, zAxis.z, 0,
                       -D3DXVec3Dot(&xAxis, pEye), -D3DXVec3Dot(&yAxis, pEye), -D3DXVec3Dot(&zAxis, pEye), 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, float fovy, float aspect, float zn, float zf)
{
    const float yScale = 1.0f / std::tan(fovy * 0.5f);
    const float xScale = yScale / aspect;
    const float depth = zf / (zf - zn);
    *pOut = D3DXMATRIX(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, depth, 1, 0, 0, -zn * depth, 0);
    return pOut;
}

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* pOut, float w, float h, float zn, float zf)
{
    *pOut = D3DXMATRIX(2 / w, 0, 0, 0, 0, 2 / h, 0, 0, 0, 0, 1 / (zf - zn), 0, 0, 0, zn / (zn - zf), 1);
    return pOut;
}
