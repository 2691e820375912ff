#include <d3d8/FvfLayout.h>

#include <d3d8/Enums.h>

namespace orbel::d3d8 {
namespace {

// The two bits at 16 + 2 * set give a set's size: 0 = 2 floats, 1 = 3,
// 2 = 4, 3 = 1.
int TexCoordFloats(DWORD fvf, int set) {
    static constexpr int kFloats[4] = {2, 3, 4, 1};
    return kFloats[(fvf >> (16 + 2 * set)) & 3u];
}

}  // namespace

FvfLayout ParseFvf(DWORD fvf) {
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
        layout.texCoordSize[set] = TexCoordFloats(fvf, set);
        if (set == 0) {
            layout.texCoord0 = offset;
            layout.texCoord0Size = TexCoordFloats(fvf, 0);
        }
        offset += 4 * TexCoordFloats(fvf, set);
    }
    layout.size = static_cast<UINT>(offset);
    layout.valid = true;
    return layout;
}

}  // namespace orbel::d3d8
