// Where each vertex element sits inside a vertex of a flexible vertex
// format (FVF) code. Shared by the device and by D3DX's meshes, which link
// no device, so it is all inline.
//
// Left out: vertex declarations (shader vertices), transformed (XYZRHW)
// positions, blend weights, and more than one stream.
// Refused: a code whose positions are not D3DFVF_XYZ, with unknown bits or
// more than eight texture sets gives a layout marked not valid, which draw
// calls refuse.
#pragma once

#include <d3d8/Enums.h>
#include <win32/Types.h>

namespace orbel::d3d8 {

struct FvfLayout {
    bool valid = false;  // a code this layer can draw (positions D3DFVF_XYZ)
    UINT size = 0;       // bytes of one vertex
    int normal = -1;     // byte offsets, -1 when absent
    int diffuse = -1;
    int specular = -1;
    int texCoord0 = -1;
    int texCoord0Size = 2;  // floats in texture coordinate set 0
    int pointSize = -1;
    // Every texture coordinate set, for code that copies whole vertices
    // between formats.
    int texCount = 0;
    int texCoord[8] = {};
    int texCoordSize[8] = {};
};

namespace fvf_detail {

// The two bits at 16 + 2 * set give a set's size: 0 = 2 floats, 1 = 3,
// 2 = 4, 3 = 1.
inline int TexCoordFloats(DWORD fvf, int set) {
    static constexpr int kFloats[4] = {2, 3, 4, 1};
    return kFloats[(fvf >> (16 + 2 * set)) & 3u];
}

}  // namespace fvf_detail

// The layout of code fvf; not valid for codes this layer cannot draw.
inline FvfLayout ParseFvf(DWORD fvf) {
    FvfLayout layout;
    if ((fvf & D3DFVF_POSITION_MASK) != D3DFVF_XYZ) return layout;
    const DWORD known = D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE | D3DFVF_SPECULAR |
                        D3DFVF_TEXCOUNT_MASK | 0xFFFF0000u;
    if (fvf & ~known) return layout;
    const int texCount = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
    if (texCount > 8) return layout;

    int offset = 12;
    if (fvf & D3DFVF_NORMAL) {
        layout.normal = offset;
        offset += 12;
    }
    if (fvf & D3DFVF_PSIZE) {
        layout.pointSize = offset;
        offset += 4;
    }
    if (fvf & D3DFVF_DIFFUSE) {
        layout.diffuse = offset;
        offset += 4;
    }
    if (fvf & D3DFVF_SPECULAR) {
        layout.specular = offset;
        offset += 4;
    }
    layout.texCount = texCount;
    for (int set = 0; set < texCount; ++set) {
        layout.texCoord[set] = offset;
        layout.texCoordSize[set] = fvf_detail::TexCoordFloats(fvf, set);
        if (set == 0) {
            layout.texCoord0 = offset;
            layout.texCoord0Size = fvf_detail::TexCoordFloats(fvf, 0);
        }
        offset += 4 * fvf_detail::TexCoordFloats(fvf, set);
    }
    layout.size = static_cast<UINT>(offset);
    layout.valid = true;
    return layout;
}

}  // namespace orbel::d3d8
