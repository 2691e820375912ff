// One navigation step of a view's camera, free of the window: the view
// supplies the mouse step and, for pan and zoom, the step converted to world
// units on the plane through the origin.
//
// Every operation either changes the camera to a usable one (see
// IsUsableCamera) or leaves it exactly as it was (returning false): a
// degenerate step such as an orbit whose axis vanishes, or a zoom or pan so
// far out that float rounding would put the eye on the target, never
// reaches the camera.
#pragma once

#include <d3dx8/D3DX8.h>
#include <win32/Types.h>

struct ViewCamera {
    D3DXVECTOR3 eye{0, 0, 0};
    D3DXVECTOR3 target{0, 0, 0};
    D3DXVECTOR3 up{0, 1, 0};
    float zoom = 0.0f;         // orthographic width, world units
    float fieldOfView = 0.0f;  // radians, perspective kind only
};

inline constexpr float kRadiansPerDegree = 0.017453292f;

// v turned by angle radians about axis (normalised by the quaternion), as a
// row vector times the rotation matrix.
D3DXVECTOR3 RotateAboutAxis(const D3DXVECTOR3& v, const D3DXVECTOR3& axis, float angle);

// Move: eye and target shift by the plane delta.
bool PanCamera(ViewCamera& camera, const D3DXVECTOR3& planeDelta);

// Zoom: the sign of the vertical mouse step times five plane-delta lengths.
// Orthographic kinds narrow their width (never to 0 or below); every kind
// moves eye and target along the viewing direction.
bool ZoomCamera(ViewCamera& camera, bool perspective, LONG lastY, LONG y, const D3DXVECTOR3& planeDelta);

// Orbit about the target, half a degree per pixel: horizontally about the
// plane normal, vertically about the camera's horizontal axis.
bool OrbitCamera(ViewCamera& camera, const D3DXVECTOR3& planeNormal, POINT last, POINT now);

// Roll of the up vector, one degree per pixel of the larger mouse step
// (a tie takes the vertical one), about the kind's roll axis.
bool RollCamera(ViewCamera& camera, const D3DXVECTOR3& rollAxis, POINT last, POINT now);

bool IsFiniteVector(const D3DXVECTOR3& v);
bool IsFiniteCamera(const ViewCamera& camera);

// Navigation keeps every coordinate of eye and target within this reach,
// and the two apart by at least this share of the longer one's length: with
// floats, that keeps the viewing direction true to a few thousandths and the
// eye off the target however far the user zooms or pans.
inline constexpr float kCameraReach = 1.0e6f;
inline constexpr float kMinEyeTargetRatio = 1.0e-5f;
// The narrowest orthographic width a zoom leaves, as a share of the same
// length (at least 1): below it the picture is float noise.
inline constexpr float kMinZoomRatio = 1.0e-4f;

// A camera a view can form its matrices from and a file can keep: finite,
// eye and target within reach and apart as above, an up vector that is
// neither zero nor along the viewing direction, a width above 0 and a field
// of view between 0 and pi.
bool IsUsableCamera(const ViewCamera& camera);
