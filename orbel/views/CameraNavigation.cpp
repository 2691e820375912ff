#include "orbel/views/CameraNavigation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

D3DXVECTOR3 Transformed(const D3DXVECTOR3& v, const D3DXMATRIX& m)
{
    D3DXVECTOR4 out;
    D3DXVec3Transform(&out, &v, &m);
    return D3DXVECTOR3(out.x, out.y, out.z);
}

// The longer of the eye's and the target's distance from the origin.
float CameraScale(const ViewCamera& c) { return std::max(D3DXVec3Length(&c.eye), D3DXVec3Length(&c.target)); }

bool WithinReach(const D3DXVECTOR3& v)
{
    return std::fabs(v.x) <= kCameraReach && std::fabs(v.y) <= kCameraReach && std::fabs(v.z) <= kCameraReach;
}

// The step is kept only when it leaves a camera the view can still use.
bool Commit(ViewCamera& camera, const ViewCamera& moved)
{
    if (!IsUsableCamera(moved)) return false;
    camera = moved;
    return true;
}

bool Translate(ViewCamera& camera, const D3DXVECTOR3& by)
{
    D3DXMATRIX shift;
    D3DXMatrixTranslation(&shift, by.x, by.y, by.z);
    ViewCamera moved = camera;
    moved.eye = Transformed(camera.eye, shift);
    moved.target = Transformed(camera.target, shift);
    return Commit(camera, moved);
}

}  // namespace

bool IsFiniteVector(const D3DXVECTOR3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool IsFiniteCamera(const ViewCamera& c)
{
    return IsFiniteVector(c.eye) && IsFiniteVector(c.target) && IsFiniteVector(c.up) && std::isfinite(c.zoom) &&
           std::isfinite(c.fieldOfView);
}

bool IsUsableCamera(const ViewCamera& c)
{
    if (!IsFiniteCamera(c) || !WithinReach(c.eye) || !WithinReach(c.target)) return false;
    const D3DXVECTOR3 forward = c.target - c.eye;
    const float distance = D3DXVec3Length(&forward);
    if (distance == 0.0f || distance < kMinEyeTargetRatio * CameraScale(c)) return false;
    D3DXVECTOR3 side;
    D3DXVec3Cross(&side, &c.up, &forward);
    // Sines below this leave the look-at frame mostly rounding error.
    const float upLength = D3DXVec3Length(&c.up);
    if (upLength == 0.0f || D3DXVec3Length(&side) <= 1.0e-4f * upLength * distance) return false;
    constexpr float kPi = 3.14159265f;
    return c.zoom > 0.0f && c.fieldOfView > 0.0f && c.fieldOfView < kPi;
}

D3DXVECTOR3 RotateAboutAxis(const D3DXVECTOR3& v, const D3DXVECTOR3& axis, float angle)
{
    D3DXQUATERNION q;
    D3DXQuaternionRotationAxis(&q, &axis, angle);
    D3DXMATRIX m;
    D3DXMatrixRotationQuaternion(&m, &q);
    return Transformed(v, m);
}

bool PanCamera(ViewCamera& camera, const D3DXVECTOR3& planeDelta)
{
    if (!IsFiniteVector(planeDelta)) return false;
    return Translate(camera, planeDelta);
}

bool ZoomCamera(ViewCamera& camera, bool perspective, LONG lastY, LONG y, const D3DXVECTOR3& planeDelta)
{
    if (!IsFiniteVector(planeDelta)) return false;
    float s = 0.0f;
    if (lastY != y) s = lastY > y ? 1.0f : -1.0f;
    float z = s * D3DXVec3Length(&planeDelta) * 5.0f;

    ViewCamera moved = camera;
    const float narrowest = kMinZoomRatio * std::max(1.0f, CameraScale(camera));
    if (!perspective && (z < 0.0f || moved.zoom - z >= narrowest)) moved.zoom -= z;
    D3DXVECTOR3 forward = camera.target - camera.eye;
    float distance = D3DXVec3Length(&forward);
    // An eye on the target has no viewing direction to move along.
    if (distance > 0.0f) {
        D3DXVECTOR3 step = forward / distance * z;
        D3DXMATRIX shift;
        D3DXMatrixTranslation(&shift, step.x, step.y, step.z);
        moved.eye = Transformed(camera.eye, shift);
        moved.target = Transformed(camera.target, shift);
    }
    return Commit(camera, moved);
}

bool OrbitCamera(ViewCamera& camera, const D3DXVECTOR3& planeNormal, POINT last, POINT now)
{
    float a = static_cast<float>(now.x - last.x) * 0.5f * kRadiansPerDegree;
    float b = static_cast<float>(now.y - last.y) * 0.5f * kRadiansPerDegree;

    ViewCamera moved = camera;
    moved.eye = camera.target + RotateAboutAxis(camera.eye - camera.target, planeNormal, a);
    moved.up = RotateAboutAxis(camera.up, planeNormal, a);

    D3DXVECTOR3 w = moved.eye - moved.target;
    D3DXVECTOR3 axis;
    D3DXVec3Cross(&axis, &w, &moved.up);
    // Looking along the up vector leaves no horizontal axis to turn about.
    if (D3DXVec3Length(&axis) == 0.0f) {
        if (b != 0.0f) return false;
    } else {
        moved.eye = moved.target + RotateAboutAxis(w, axis, b);
        moved.up = RotateAboutAxis(moved.up, axis, b);
    }
    return Commit(camera, moved);
}

bool RollCamera(ViewCamera& camera, const D3DXVECTOR3& rollAxis, POINT last, POINT now)
{
    LONG dx = last.x - now.x;
    LONG dy = last.y - now.y;
    LONG t = std::labs(dx) > std::labs(dy) ? dx : dy;
    float a = static_cast<float>(t) * kRadiansPerDegree;

    D3DXMATRIX m;
    D3DXMatrixRotationYawPitchRoll(&m, a * rollAxis.y, a * rollAxis.x, a * rollAxis.z);
    ViewCamera moved = camera;
    moved.up = Transformed(camera.up, m);
    return Commit(camera, moved);
}
