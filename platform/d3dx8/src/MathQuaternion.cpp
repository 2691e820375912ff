// Quaternion functions of the D3DX math interface.
#include <d3dx8/Math.h>

#include <cmath>

D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* pOut)
{
    *pOut = D3DXQUATERNION(0, 0, 0, 1);
    return pOut;
}

float D3DXQuaternionDot(const D3DXQUATERNION* pQ1, const D3DXQUATERNION* pQ2)
{
    return pQ1->x * pQ2->x + pQ1->y * pQ2->y + pQ1->z * pQ2->z + pQ1->w * pQ2->w;
}

float D3DXQuaternionLength(const D3DXQUATERNION* pQ)
{
    return std::sqrt(D3DXQuaternionDot(pQ, pQ));
}

D3DXQUATERNION* D3DXQuaternionConjugate(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ)
{
    *pOut = D3DXQUATERNION(-pQ->x, -pQ->y, -pQ->z, pQ->w);
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ)
{
    const float length = D3DXQuaternionLength(pQ);
    *pOut = length > 0.0f ? *pQ / length : D3DXQUATERNION();
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ1, const D3DXQUATERNION* pQ2)
{
    // Hamilton product q2 * q1, so that rotating by the result is rotating by
    // q1 and then by q2, matching the row-vector order of matrices.
    const D3DXQUATERNION p = *pQ2;
    const D3DXQUATERNION q = *pQ1;
    *pOut = D3DXQUATERNION(p.w * q.x + p.x * q.w + p.y * q.z - p.z * q.y,
                           p.w * q.y - p.x * q.z + p.y * q.w + p.z * q.x,
                           p.w * q.z + p.x * q.y - p.y * q.x + p.z * q.w,
                           p.w * q.w - p.x * q.x - p.y * q.y - p.z * q.z);
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* pOut, const D3DXVECTOR3* pV, float angle)
{
    D3DXVECTOR3 axis;
    D3DXVec3Normalize(&axis, pV);
    const float s = std::sin(angle * 0.5f);
    *pOut = D3DXQUATERNION(axis.x * s, axis.y * s, axis.z * s, std::cos(angle * 0.5f));
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION* pOut, float yaw, float pitch, float roll)
{
    const D3DXVECTOR3 xAxis(1, 0, 0), yAxis(0, 1, 0), zAxis(0, 0, 1);
    D3DXQUATERNION qRoll, qPitch, qYaw;
    D3DXQuaternionRotationAxis(&qRoll, &zAxis, roll);
    D3DXQuaternionRotationAxis(&qPitch, &xAxis, pitch);
    D3DXQuaternionRotationAxis(&qYaw, &yAxis, yaw);
    *pOut = qRoll * qPitch * qYaw;
    return pOut;
}
