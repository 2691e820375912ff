// The vertex of every line buffer: the grid and axes the frame makes, the
// grid the views lay out from them and the bounding boxes of the selection.
// All are made and drawn with this one format and stride.
#pragma once

#include <d3d8/D3D8.h>

struct LineVertex {
    float x, y, z;
    D3DCOLOR colour;
};

inline constexpr DWORD kLineVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;  // 0x42
inline constexpr UINT kLineVertexStride = sizeof(LineVertex);
static_assert(kLineVertexStride == 16, "line vertices are 16 bytes: position and colour");
