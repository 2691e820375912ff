// Welding of vertices that are exact duplicates and meet across an edge.
#include "MeshBase.h"
#include "MeshBuffer.h"

#include <d3d8/FvfLayout.h>

#include <meshoptimizer.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <numeric>

namespace orbel::d3dx8 {
namespace {

bool AllZero(const D3DXWELDEPSILONS* epsilons) {
    if (!epsilons) return true;
    if (epsilons->SkinWeights != 0.0f || epsilons->Normal != 0.0f || epsilons->Flags != 0) return false;
    return std::all_of(std::begin(epsilons->Tex), std::end(epsilons->Tex), [](float e) { return e == 0.0f; });
}

// Offset and count of every float run in a vertex (colours are words, not
// floats).
std::vector<std::pair<int, int>> FloatRuns(DWORD fvf) {
    const d3d8::FvfLayout layout = d3d8::ParseFvf(fvf);
    std::vector<std::pair<int, int>> floats{{0, 3}};  // byte offset, float count
    if (layout.normal >= 0) floats.push_back({layout.normal, 3});
    if (layout.pointSize >= 0) floats.push_back({layout.pointSize, 1});
    for (int set = 0; set < layout.texCount; ++set) floats.push_back({layout.texCoord[set], layout.texCoordSize[set]});
    return floats;
}

// Calls `visit` with the address of every float component of every vertex.
template <class Bytes, class Visit>
void ForEachFloat(Bytes& bytes, UINT stride, const std::vector<std::pair<int, int>>& floats, Visit visit) {
    for (std::size_t v = 0; v < bytes.size(); v += stride)
        for (auto [offset, count] : floats)
            for (int k = 0; k < count; ++k) visit(&bytes[v + static_cast<std::size_t>(offset) + 4u * static_cast<unsigned>(k)]);
}

// The vertices with -0 read as +0 in every float component; empty when
// there is no -0 and the vertices compare as they are.
std::vector<BYTE> ComparableVertices(const MeshData& mesh) {
    const std::vector<std::pair<int, int>> floats = FloatRuns(mesh.fvf);
    constexpr std::uint32_t kNegativeZero = 0x80000000u;
    bool negativeZero = false;
    ForEachFloat(mesh.vertices, mesh.stride, floats, [&](const BYTE* at) {
        std::uint32_t bits;
        std::memcpy(&bits, at, 4);
        negativeZero |= bits == kNegativeZero;
    });
    if (!negativeZero) return {};
    std::vector<BYTE> bytes = mesh.vertices;
    ForEachFloat(bytes, mesh.stride, floats, [](BYTE* at) {
        float value;
        std::memcpy(&value, at, 4);
        value += 0.0f;
        std::memcpy(at, &value, 4);
    });
    return bytes;
}

// Lowest vertex of each set, the sets joined with `Join`.
class VertexSets {
public:
    explicit VertexSets(DWORD count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0u); }
    DWORD Find(DWORD v) {
        while (parent_[v] != v) v = parent_[v] = parent_[parent_[v]];
        return v;
    }
    void Join(DWORD a, DWORD b) {
        a = Find(a);
        b = Find(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<DWORD> parent_;
};

// Which vertex each one is welded into: an exact duplicate joins another
// only where their faces meet across an edge (by the adjacency), so the
// copies that D3DXCleanMesh made of a bow-tie vertex, whose fans share no
// edge, stay apart. A vertex no face uses joins the first of its duplicates.
// `duplicate` numbers the groups of exact duplicates.
std::vector<DWORD> WeldRoots(const MeshData& mesh, const std::vector<unsigned int>& duplicate, const DWORD* adjacency) {
    const DWORD vertices = mesh.NumVertices();
    const DWORD faces = mesh.NumFaces();
    VertexSets sets(vertices);
    std::vector<bool> used(vertices, false);
    for (WORD i : mesh.indices) used[i] = true;
    for (DWORD f = 0; f < faces; ++f) {
        for (DWORD e = 0; e < 3; ++e) {
            const DWORD g = adjacency[f * 3 + e];
            if (g >= faces) continue;
            const DWORD ends[2] = {mesh.indices[f * 3 + e], mesh.indices[f * 3 + (e + 1) % 3]};
            for (DWORD k = 0; k < 3; ++k) {
                const DWORD other = mesh.indices[g * 3 + k];
                for (DWORD end : ends)
                    if (duplicate[other] == duplicate[end]) sets.Join(end, other);
            }
        }
    }
    std::vector<DWORD> firstOfGroup(vertices, kNoFace);
    for (DWORD v = 0; v < vertices; ++v)
        if (firstOfGroup[duplicate[v]] == kNoFace) firstOfGroup[duplicate[v]] = v;
    for (DWORD v = 0; v < vertices; ++v)
        if (!used[v]) sets.Join(v, firstOfGroup[duplicate[v]]);
    std::vector<DWORD> roots(vertices);
    for (DWORD v = 0; v < vertices; ++v) roots[v] = sets.Find(v);
    return roots;
}

}  // namespace
}  // namespace orbel::d3dx8

using namespace orbel::d3dx8;

HRESULT D3DXWeldVertices(ID3DXMesh* pMesh, D3DXWELDEPSILONS* pEpsilons, const DWORD* pAdjacencyIn,
                         DWORD* pAdjacencyOut, DWORD* pFaceRemap, ID3DXBuffer** ppVertexRemap) {
    if (ppVertexRemap) *ppVertexRemap = nullptr;
    MeshAccess* access = AccessOf(pMesh);
    if (!access || access->Locked()) return D3DERR_INVALIDCALL;
    if (!AllZero(pEpsilons)) return E_NOTIMPL;
    MeshData& mesh = access->Data();
    if (!IndicesInRange(mesh)) return D3DXERR_INVALIDMESH;
    if (pAdjacencyIn && !AdjacencyInRange(mesh, pAdjacencyIn)) return D3DERR_INVALIDCALL;

    try {
        const DWORD vertices = mesh.NumVertices();
        const std::vector<BYTE> comparable = ComparableVertices(mesh);
        // Without indices every vertex counts, so unused ones are grouped too.
        std::vector<unsigned int> duplicate(vertices);
        meshopt_generateVertexRemap(duplicate.data(), nullptr, vertices,
                                    comparable.empty() ? mesh.vertices.data() : comparable.data(), vertices,
                                    mesh.stride);
        std::vector<DWORD> made;
        if (!pAdjacencyIn) {
            made.resize(mesh.indices.size());
            ComputeAdjacency(mesh, 0.0f, made.data());
        }
        const std::vector<DWORD> roots = WeldRoots(mesh, duplicate, pAdjacencyIn ? pAdjacencyIn : made.data());
        // New numbers follow first appearance, so each welded set keeps its
        // first (lowest) vertex.
        std::vector<DWORD> newOfOld(vertices), oldOfNew;
        for (DWORD v = 0; v < vertices; ++v) {
            if (roots[v] == v) {
                newOfOld[v] = static_cast<DWORD>(oldOfNew.size());
                oldOfNew.push_back(v);
            } else {
                newOfOld[v] = newOfOld[roots[v]];
            }
        }
        const std::size_t unique = oldOfNew.size();

        // Numbers follow first appearance, so with nothing to join every
        // vertex keeps its own and the arrays stay as they are.
        const bool joins = unique != vertices;
        MeshData result;
        if (joins) {
            result.fvf = mesh.fvf;
            result.stride = mesh.stride;
            result.options = mesh.options;
            result.vertices.resize(unique * mesh.stride);
            for (std::size_t n = 0; n < unique; ++n)
                std::memcpy(&result.vertices[n * mesh.stride],
                            &mesh.vertices[std::size_t{oldOfNew[n]} * mesh.stride], mesh.stride);
            result.indices.resize(mesh.indices.size());
            std::transform(mesh.indices.begin(), mesh.indices.end(), result.indices.begin(),
                           [&](WORD i) { return static_cast<WORD>(newOfOld[i]); });
            result.attributes = mesh.attributes;
            if (!mesh.table.empty()) result.table = BuildAttributeTable(result);
        }
        const MeshData& welded = joins ? result : mesh;
        std::vector<DWORD> adjacency;
        if (pAdjacencyOut) {
            adjacency.resize(welded.indices.size());
            ComputeAdjacency(welded, 0.0f, adjacency.data());
        }
        ID3DXBuffer* remap = nullptr;
        if (ppVertexRemap && !(remap = NewBuffer(oldOfNew))) return E_OUTOFMEMORY;

        const DWORD faces = mesh.NumFaces();
        if (joins) mesh = std::move(result);
        if (pAdjacencyOut) std::copy(adjacency.begin(), adjacency.end(), pAdjacencyOut);
        if (pFaceRemap) std::iota(pFaceRemap, pFaceRemap + faces, 0u);
        if (ppVertexRemap) *ppVertexRemap = remap;
        return D3D_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
