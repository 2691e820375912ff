// Reordering a mesh's faces and vertices in place.
#pragma once

#include "MeshData.h"

namespace orbel::d3dx8 {

HRESULT OptimizeMeshInPlace(MeshData& mesh, DWORD flags, const DWORD* adjacencyIn, DWORD* adjacencyOut,
                            DWORD* faceRemap, ID3DXBuffer** vertexRemap);

}  // namespace orbel::d3dx8
