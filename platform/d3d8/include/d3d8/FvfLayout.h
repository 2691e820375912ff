// Where each vertex element sits inside a vertex of a flexible vertex
// format (FVF) code.
#pragma once

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

FvfLayout ParseFvf(DWORD fvf);

}  // namespace orbel::d3d8
