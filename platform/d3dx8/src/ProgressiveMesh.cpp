// Progressive meshes: the base mesh, its collapse sequence, and the level
// the buffers currently show.
#include "MeshBase.h"
#include "PMeshCollapse.h"

#include <new>

namespace orbel::d3dx8 {
namespace {

// The mesh after `steps` collapses: surviving vertices in base order, faces
// that kept three distinct corners in base order with their attributes.
MeshData Level(const MeshData& base, const CollapseSequence& sequence, DWORD steps) {
    MeshData level;
    level.fvf = base.fvf;
    level.stride = base.stride;
    level.options = base.options;
    const DWORD vertices = base.NumVertices();
    std::vector<DWORD> number(vertices, kNoFace);
    DWORD next = 0;
    for (DWORD v = 0; v < vertices; ++v)
        if (sequence.removedAt[v] >= steps) number[v] = next++;
    level.vertices.resize(std::size_t{next} * base.stride);
    for (DWORD v = 0; v < vertices; ++v)
        if (number[v] != kNoFace)
            std::memcpy(&level.vertices[std::size_t{number[v]} * base.stride],
                        &base.vertices[std::size_t{v} * base.stride], base.stride);

    const DWORD faces = base.NumFaces();
    level.indices.reserve(base.indices.size());
    level.attributes.reserve(faces);
    for (DWORD f = 0; f < faces; ++f) {
        const WORD* c = &base.indices[std::size_t{f} * 3];
        if (c[0] == c[1] || c[1] == c[2] || c[0] == c[2]) continue;
        const DWORD a = VertexAfter(sequence, c[0], steps), b = VertexAfter(sequence, c[1], steps),
                    d = VertexAfter(sequence, c[2], steps);
        if (a == b || b == d || a == d) continue;
        level.indices.insert(level.indices.end(), {static_cast<WORD>(number[a]), static_cast<WORD>(number[b]),
                                                   static_cast<WORD>(number[d])});
        level.attributes.push_back(base.attributes[f]);
    }
    if (!base.table.empty()) level.table = BuildAttributeTable(level);
    return level;
}

class ProgressiveMesh final : public MeshBase<ID3DXPMesh> {
public:
    // Shows `level` first.
    ProgressiveMesh(IDirect3DDevice8* device, const MeshData& base, CollapseSequence&& sequence, MeshData&& level)
        : MeshBase(device, std::move(level)), base_(base), sequence_(std::move(sequence)) {}

    DWORD GetMaxVertices() override { return base_.NumVertices(); }
    DWORD GetMinVertices() override { return base_.NumVertices() - sequence_.steps; }

    HRESULT SetNumVertices(DWORD Vertices) override {
        if (Locked()) return D3DERR_INVALIDCALL;
        const DWORD count = std::clamp(Vertices, GetMinVertices(), GetMaxVertices());
        try {
            data_ = Level(base_, sequence_, GetMaxVertices() - count);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return D3D_OK;
    }

private:
    const MeshData base_;
    const CollapseSequence sequence_;
};

}  // namespace
}  // namespace orbel::d3dx8

using namespace orbel::d3dx8;

HRESULT D3DXGeneratePMesh(ID3DXMesh* pMesh, const DWORD* pAdjacency,
                          const D3DXATTRIBUTEWEIGHTS* pVertexAttributeWeights, const float* pVertexWeights,
                          DWORD MinValue, DWORD Options, ID3DXPMesh** ppPMesh) {
    if (!ppPMesh) return D3DERR_INVALIDCALL;
    *ppPMesh = nullptr;
    MeshAccess* access = AccessOf(pMesh);
    if (!access || (Options != D3DXMESHSIMP_VERTEX && Options != D3DXMESHSIMP_FACE)) return D3DERR_INVALIDCALL;
    if (pVertexAttributeWeights || pVertexWeights) return E_NOTIMPL;
    const MeshData& mesh = access->Data();
    if (!IndicesInRange(mesh)) return D3DXERR_INVALIDMESH;
    if (pAdjacency && !AdjacencyInRange(mesh, pAdjacency)) return D3DERR_INVALIDCALL;
    try {
        const bool byVertices = Options == D3DXMESHSIMP_VERTEX;
        CollapseSequence sequence = BuildCollapses(mesh, byVertices ? MinValue : 1, byVertices ? 0 : MinValue);
        // The base's own degenerate faces are in no level, the first included.
        MeshData first = Level(mesh, sequence, 0);
        *ppPMesh = new ProgressiveMesh(access->Device(), mesh, std::move(sequence), std::move(first));
        return D3D_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
