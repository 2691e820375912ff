#include "orbel/views/CameraMatrices.h"

#include <cmath>

namespace {

bool IsFiniteMatrix(const D3DXMATRIX& m)
{
    for (const auto& row : m.m)
        for (float v : row)
            if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

bool ComputeCameraMatrices(const ViewCamera& camera, bool perspective, int clientWidth, int clientHeight,
                           D3DXMATRIX* view, D3DXMATRIX* projection)
{
    if (clientWidth <= 0 || clientHeight <= 0) return false;
    // An eye on the target, or an up vector along the viewing direction,
    // leaves the camera without a frame to look through.
    D3DXVECTOR3 forward = camera.target - camera.eye;
    D3DXVECTOR3 side;
    D3DXVec3Cross(&side, &camera.up, &forward);
    if (D3DXVec3Length(&forward) == 0.0f || D3DXVec3Length(&side) == 0.0f) return false;
    D3DXMATRIX v;
    D3DXMatrixLookAtLH(&v, &camera.eye, &camera.target, &camera.up);
    D3DXMATRIX p;
    float w = static_cast<float>(clientWidth);
    float h = static_cast<float>(clientHeight);
    if (perspective)
        D3DXMatrixPerspectiveFovLH(&p, camera.fieldOfView, w / h, kNearPlane, kFarPlane);
    else
        D3DXMatrixOrthoLH(&p, camera.zoom, camera.zoom * h / w, kNearPlane, kFarPlane);
    if (!IsFiniteMatrix(v) || !IsFiniteMatrix(p)) return false;
    *view = v;
    *projection = p;
    return true;
}
