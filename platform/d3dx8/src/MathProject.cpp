// Projection of points between object space and viewport pixels.
#include <d3dx8/Math.h>

namespace {

// world x view x projection, each NULL standing for the identity.
D3DXMATRIX CombinedTransform(const D3DXMATRIX* pProjection, const D3DXMATRIX* pView, const D3DXMATRIX* pWorld)
{
    D3DXMATRIX combined;
    D3DXMatrixIdentity(&combined);
    if (pWorld) combined *= *pWorld;
    if (pView) combined *= *pView;
    if (pProjection) combined *= *pProjection;
    return combined;
}

} // namespace

D3DXVECTOR3* D3DXVec3Project(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DVIEWPORT8* pViewport,
                             const D3DXMATRIX* pProjection, const D3DXMATRIX* pView, const D3DXMATRIX* pWorld)
{
    const D3DXMATRIX combined = CombinedTransform(pProjection, pView, pWorld);
    D3DXVECTOR3 ndc;
    D3DXVec3TransformCoord(&ndc, pV, &combined);
    const float width = static_cast<float>(pViewport->Width);
    const float height = static_cast<float>(pViewport->Height);
    *pOut = D3DXVECTOR3(static_cast<float>(pViewport->X) + (1.0f + ndc.x) * width * 0.5f,
                        static_cast<float>(pViewport->Y) + (1.0f - ndc.y) * height * 0.5f,
                        pViewport->MinZ + ndc.z * (pViewport->MaxZ - pViewport->MinZ));
    return pOut;
}

D3DXVECTOR3* D3DXVec3Unproject(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DVIEWPORT8* pViewport,
                               const D3DXMATRIX* pProjection, const D3DXMATRIX* pView, const D3DXMATRIX* pWorld)
{
    const float depthRange = pViewport->MaxZ - pViewport->MinZ;
    if (pViewport->Width == 0 || pViewport->Height == 0 || depthRange == 0.0f) return nullptr;

    D3DXMATRIX inverse;
    const D3DXMATRIX combined = CombinedTransform(pProjection, pView, pWorld);
    if (!D3DXMatrixInverse(&inverse, nullptr, &combined)) return nullptr;

    const D3DXVECTOR3 ndc(2.0f * (pV->x - static_cast<float>(pViewport->X)) / static_cast<float>(pViewport->Width) - 1.0f,
                          1.0f - 2.0f * (pV->y - static_cast<float>(pViewport->Y)) / static_cast<float>(pViewport->Height),
                          (pV->z - pViewport->MinZ) / depthRange);
    return D3DXVec3TransformCoord(pOut, &ndc, &inverse);
}
