// The view's block of the scene file: 58 bytes, little-endian, packed.
#pragma once

#include "orbel/views/CameraNavigation.h"

#include <d3dx8/D3DX8.h>
#include <win32/Types.h>

#include <array>
#include <cstddef>

inline constexpr std::size_t kViewBlockSize = 58;

struct ViewBlock {
    INT kind = 0;
    FLOAT zoom = 0.0f;
    FLOAT fieldOfView = 0.0f;
    bool grid = false;
    INT fillMode = 0;
    bool wireOverlay = false;
    D3DXVECTOR3 up{0, 0, 0};
    D3DXVECTOR3 eye{0, 0, 0};
    D3DXVECTOR3 target{0, 0, 0};
    INT selectionMode = 0;  // the frame's selection mode, the same in every block
};

using ViewBlockBytes = std::array<BYTE, kViewBlockSize>;

// Flags are written as 1 or 0; any non-zero flag byte reads as true.
ViewBlockBytes EncodeViewBlock(const ViewBlock& block);
ViewBlock DecodeViewBlock(const ViewBlockBytes& bytes);

// A block a file can be opened with: a kind in 1..8, a fill mode in 1..3
// and a selection mode in 0..3, whatever its camera.
bool IsReadableViewBlock(const ViewBlock& block);
// Readable, and with a camera a view can use (IsUsableCamera).
bool IsValidViewBlock(const ViewBlock& block);

// The block's eye, target, up vector, zoom and field of view.
ViewCamera CameraOfBlock(const ViewBlock& block);
void SetBlockCamera(ViewBlock& block, const ViewCamera& camera);
