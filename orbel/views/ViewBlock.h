// The view's block of the scene file: 58 bytes, little-endian, packed.
#pragma once

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

// A block that would put a view into a state it cannot draw or navigate
// from: a kind outside 1..8, a fill mode outside 1..3, a selection mode
// outside 0..3, a zoom or field of view that is not a finite number above 0,
// a non-finite vector, a zero up vector, or an eye on the target.
bool IsValidViewBlock(const ViewBlock& block);
