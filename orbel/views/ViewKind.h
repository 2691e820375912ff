// The eight kinds a view can show and the camera each kind starts from.
#pragma once

#include "orbel/views/CameraNavigation.h"

#include <d3dx8/D3DX8.h>
#include <win32/Types.h>

// Values are stored in scene files and undo steps; they never change.
enum ViewKind : int {
    ViewKindTop = 1,
    ViewKindBottom = 2,
    ViewKindLeft = 3,
    ViewKindRight = 4,
    ViewKindFront = 5,
    ViewKindBack = 6,
    ViewKindUser = 7,
    ViewKindPerspective = 8,
};

// What choosing a kind gives a view; target, zoom and field of view are the
// same for every kind (see the constants below).
struct ViewKindDefaults {
    const char* title;
    D3DXVECTOR3 eye;
    D3DXVECTOR3 planeNormal;
    D3DXVECTOR3 rollAxis;
    D3DXVECTOR3 up;
};

inline constexpr float kDefaultZoom = 10.0f;
inline constexpr float kDefaultFieldOfView = 0.7853982f;  // pi / 4

// Null for a kind outside 1..8.
const ViewKindDefaults* FindViewKindDefaults(int kind);

bool IsValidViewKind(int kind);

// The camera choosing the kind gives: its row's eye and up, the common
// target, zoom and field of view, and for User and Perspective the start
// orbit, from (0, 0) to (-30, 50). A kind outside 1..8 gets the Front row's.
ViewCamera StartCameraOf(int kind);

// User and Perspective turn about their target; the six axis views roll.
bool IsOrbitingKind(int kind);

// Only Perspective is drawn with a perspective projection.
inline bool IsPerspectiveKind(int kind) { return kind == ViewKindPerspective; }

// The turn that stands the ground grid (drawn in the x-z plane) up to face
// a kind's camera: about z for Left and Right, about x for Front and Back,
// none for the rest.
D3DXMATRIX GridTurnOf(int kind);

// 0 for an id that names no kind.
int ViewKindFromCommand(UINT commandId);
