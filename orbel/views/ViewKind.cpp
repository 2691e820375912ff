#include "orbel/views/ViewKind.h"

#include "orbel/resources/Resource.h"

namespace {

constexpr float kHalfPi = 1.5707964f;

const ViewKindDefaults kKinds[8] = {
    {"Top", {0, 10, 0}, {0, 1, 0}, {0, 1, 0}, {0, 0, 1}},
    {"Bottom", {0, -10, 0}, {0, 1, 0}, {0, 1, 0}, {0, 0, 1}},
    {"Left", {-10, 0, 0}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}},
    {"Right", {10, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 1, 0}},
    {"Front", {0, 0, -10}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}},
    {"Back", {0, 0, 10}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}},
    {"User", {0, 0, -10}, {0, 1, 0}, {1, 1, 1}, {0, 1, 0}},
    {"Perspective", {0, 0, -10}, {0, 1, 0}, {1, 1, 1}, {0, 1, 0}},
};

}  // namespace

bool IsValidViewKind(int kind) { return kind >= ViewKindTop && kind <= ViewKindPerspective; }

const ViewKindDefaults* FindViewKindDefaults(int kind)
{
    return IsValidViewKind(kind) ? &kKinds[kind - 1] : nullptr;
}

ViewCamera StartCameraOf(int kind)
{
    const ViewKindDefaults& row = *FindViewKindDefaults(IsValidViewKind(kind) ? kind : ViewKindFront);
    ViewCamera camera;
    camera.eye = row.eye;
    camera.target = D3DXVECTOR3(0, 0, 0);
    camera.up = row.up;
    camera.zoom = kDefaultZoom;
    camera.fieldOfView = kDefaultFieldOfView;
    if (IsOrbitingKind(kind)) OrbitCamera(camera, row.planeNormal, POINT{0, 0}, POINT{-30, 50});
    return camera;
}

bool IsOrbitingKind(int kind) { return kind == ViewKindUser || kind == ViewKindPerspective; }

D3DXMATRIX GridTurnOf(int kind)
{
    D3DXMATRIX turn;
    if (kind == ViewKindLeft || kind == ViewKindRight)
        D3DXMatrixRotationZ(&turn, kHalfPi);
    else if (kind == ViewKindFront || kind == ViewKindBack)
        D3DXMatrixRotationX(&turn, kHalfPi);
    else
        D3DXMatrixIdentity(&turn);
    return turn;
}

int ViewKindFromCommand(UINT commandId)
{
    switch (commandId) {
    case ID_VIEW_KIND_TOP: return ViewKindTop;
    case ID_VIEW_KIND_BOTTOM: return ViewKindBottom;
    case ID_VIEW_KIND_LEFT: return ViewKindLeft;
    case ID_VIEW_KIND_RIGHT: return ViewKindRight;
    case ID_VIEW_KIND_FRONT: return ViewKindFront;
    case ID_VIEW_KIND_BACK: return ViewKindBack;
    case ID_VIEW_KIND_USER: return ViewKindUser;
    case ID_VIEW_KIND_PERSPECTIVE: return ViewKindPerspective;
    default: return 0;
    }
}
