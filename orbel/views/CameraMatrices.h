// The view and projection matrices a view paints with and picks with.
#pragma once

#include "orbel/views/CameraNavigation.h"

#include <d3dx8/D3DX8.h>

inline constexpr float kNearPlane = 0.01f;
inline constexpr float kFarPlane = 10000.0f;

// Look-at view matrix and, for the perspective kind, a field-of-view
// projection, else an orthographic one of width zoom. A client area without
// width or height, or a camera that gives no finite matrix, yields false and
// leaves both outputs untouched: the view keeps the matrices of its last
// good paint.
bool ComputeCameraMatrices(const ViewCamera& camera, bool perspective, int clientWidth, int clientHeight,
                           D3DXMATRIX* view, D3DXMATRIX* projection);
