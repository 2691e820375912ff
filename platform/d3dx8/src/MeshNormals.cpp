// Vertex normals from the faces around each vertex.
#include "MeshBase.h"

#include <d3d8/FvfLayout.h>

#include <cmath>
#include <new>

using namespace orbel::d3dx8;

HRESULT D3DXComputeNormals(ID3DXBaseMesh* pMesh, const DWORD* pAdjacency) {
    MeshAccess* access = AccessOf(pMesh);
    if (!access) return D3DERR_INVALIDCALL;
    MeshData& mesh = access->Data();
    const int normal = orbel::d3d8::ParseFvf(mesh.fvf).normal;
    if (normal < 0) return D3DERR_INVALIDCALL;
    if (!IndicesInRange(mesh)) return D3DXERR_INVALIDMESH;
    if (pAdjacency && !AdjacencyInRange(mesh, pAdjacency)) return D3DERR_INVALIDCALL;

    const DWORD vertices = mesh.NumVertices();
    try {
        // Unnormalised face normals: each face counts with its area.
        std::vector<double> sums(std::size_t{vertices} * 3, 0.0);
        for (std::size_t i = 0; i < mesh.indices.size(); i += 3) {
            float p[3][3];
            for (int c = 0; c < 3; ++c) mesh.Position(mesh.indices[i + c], p[c]);
            const double e1[3] = {double{p[1][0]} - p[0][0], double{p[1][1]} - p[0][1], double{p[1][2]} - p[0][2]};
            const double e2[3] = {double{p[2][0]} - p[0][0], double{p[2][1]} - p[0][1], double{p[2][2]} - p[0][2]};
            const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                 e1[0] * e2[1] - e1[1] * e2[0]};
            for (int c = 0; c < 3; ++c)
                for (int k = 0; k < 3; ++k) sums[std::size_t{mesh.indices[i + c]} * 3 + k] += n[k];
        }
        for (DWORD v = 0; v < vertices; ++v) {
            const double* s = &sums[std::size_t{v} * 3];
            const double length = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
            // No usable direction (no face, degenerate faces only, or faces
            // that cancel out): the vertex keeps the normal it had.
            if (!(length > 0.0) || !std::isfinite(length)) continue;
            const float unit[3] = {static_cast<float>(s[0] / length), static_cast<float>(s[1] / length),
                                   static_cast<float>(s[2] / length)};
            std::memcpy(mesh.vertices.data() + std::size_t{v} * mesh.stride + normal, unit, sizeof unit);
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return D3D_OK;
}
