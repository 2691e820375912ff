// Plane functions of the D3DX math interface.
#include <d3dx8/Math.h>

#include <cmath>

D3DXPLANE* D3DXPlaneFromPointNormal(D3DXPLANE* pOut, const D3DXVECTOR3* pPoint, const D3DXVECTOR3* pNormal)
{
    *pOut = D3DXPLANE(pNormal->x, pNormal->y, pNormal->z, -D3DXVec3Dot(pPoint, pNormal));
    return pOut;
}

D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2,
                               const D3DXVECTOR3* pV3)
{
    const D3DXVECTOR3 edge1 = *pV2 - *pV1;
    const D3DXVECTOR3 edge2 = *pV3 - *pV1;
    D3DXVECTOR3 normal;
    D3DXVec3Cross(&normal, &edge1, &edge2);
    D3DXVec3Normalize(&normal, &normal);
    const D3DXVECTOR3 point = *pV1;
    return D3DXPlaneFromPointNormal(pOut, &point, &normal);
}

D3DXPLANE* D3DXPlaneNormalize(D3DXPLANE* pOut, const D3DXPLANE* pP)
{
    const float length = std::sqrt(pP->a * pP->a + pP->b * pP->b + pP->c * pP->c);
    *pOut = length > 0.0f ? D3DXPLANE(pP->a / length, pP->b / length, pP->c / length, pP->d / length) : D3DXPLANE();
    return pOut;
}

float D3DXPlaneDotCoord(const D3DXPLANE* pP, const D3DXVECTOR3* pV)
{
    return pP->a * pV->x + pP->b * pV->y + pP->c * pV->z + pP->d;
}

float D3DXPlaneDotNormal(const D3DXPLANE* pP, const D3DXVECTOR3* pV)
{
    return pP->a * pV->x + pP->b * pV->y + pP->c * pV->z;
}

D3DXVECTOR3* D3DXPlaneIntersectLine(D3DXVECTOR3* pOut, const D3DXPLANE* pP, const D3DXVECTOR3* pV1,
                                    const D3DXVECTOR3* pV2)
{
    const D3DXVECTOR3 direction = *pV2 - *pV1;
    const float denominator = D3DXPlaneDotNormal(pP, &direction);
    if (denominator == 0.0f) return nullptr;
    const float t = -D3DXPlaneDotCoord(pP, pV1) / denominator;
    const D3DXVECTOR3 hit = *pV1 + direction * t;
    // Nearly parallel lines can still run off to infinity.
    if (!std::isfinite(hit.x) || !std::isfinite(hit.y) || !std::isfinite(hit.z)) return nullptr;
    *pOut = hit;
    return pOut;
}
