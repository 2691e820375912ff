// Checking a mesh for simplification, and splitting the bow-tie vertices
// that would keep it from being simplified.
#include "MeshBase.h"
#include "MeshBuffer.h"

#include <algorithm>
#include <new>
#include <numeric>
#include <string>

namespace orbel::d3dx8 {
namespace {

struct Findings {
    std::string text;
    void Add(const std::string& line) { text += line + "\n"; }
    bool Any() const { return !text.empty(); }
};

// The caller's adjacency, or one made with epsilon 0 (into `made`) when
// there is none.
const DWORD* AdjacencyToUse(const MeshData& mesh, const DWORD* given, std::vector<DWORD>& made) {
    if (given) return given;
    made.resize(mesh.indices.size());
    ComputeAdjacency(mesh, 0.0f, made.data());
    return made.data();
}

bool Mutual(const DWORD* adjacency, DWORD face, DWORD other) {
    const DWORD* back = adjacency + std::size_t{other} * 3;
    return back[0] == face || back[1] == face || back[2] == face;
}

// Fans around each vertex: corners (face x 3 + corner) of one vertex are in
// one fan when faces that agree to be neighbours join them across an edge
// ending at that vertex. Returns the fan (root corner) of every corner.
std::vector<DWORD> FansOfCorners(const MeshData& mesh, const DWORD* adjacency) {
    std::vector<DWORD> parent(mesh.indices.size());
    std::iota(parent.begin(), parent.end(), 0u);
    auto root = [&parent](DWORD c) {
        while (parent[c] != c) c = parent[c] = parent[parent[c]];
        return c;
    };
    const DWORD faces = mesh.NumFaces();
    for (DWORD f = 0; f < faces; ++f)
        for (int e = 0; e < 3; ++e) {
            const DWORD g = adjacency[std::size_t{f} * 3 + e];
            if (g == kNoFace || g == f || !Mutual(adjacency, f, g)) continue;
            for (int end : {e, (e + 1) % 3}) {
                const DWORD corner = f * 3 + static_cast<DWORD>(end);
                for (DWORD k = 0; k < 3; ++k)
                    if (mesh.indices[g * 3 + k] == mesh.indices[corner]) {
                        const DWORD a = root(corner), b = root(g * 3 + k);
                        if (a != b) parent[std::max(a, b)] = std::min(a, b);
                    }
            }
        }
    for (DWORD c = 0; c < parent.size(); ++c) parent[c] = root(c);
    return parent;
}

// For each corner whose fan is not its vertex's first fan (by lowest
// corner), the extra fan's number 1, 2, ...; 0 for corners of first fans.
// Empty when no vertex has a second fan. `extraFans` receives how many extra
// fans there are in all.
std::vector<DWORD> ExtraFans(const MeshData& mesh, const std::vector<DWORD>& fans, DWORD& extraFans) {
    std::vector<DWORD> firstFan(mesh.NumVertices(), kNoFace);
    std::vector<DWORD> extraOfRoot, extra;
    extraFans = 0;
    for (DWORD c = 0; c < fans.size(); ++c) {
        const WORD v = mesh.indices[c];
        const DWORD fan = fans[c];
        if (firstFan[v] == kNoFace) firstFan[v] = fan;
        if (fan == firstFan[v]) continue;
        // Most meshes have no bow-tie: the per-corner arrays wait for one.
        if (extra.empty()) {
            extraOfRoot.assign(fans.size(), 0);
            extra.assign(fans.size(), 0);
        }
        if (extraOfRoot[fan] == 0) extraOfRoot[fan] = ++extraFans;
        extra[c] = extraOfRoot[fan];
    }
    return extra;
}

// Checks shared by the validation and the cleaning: indices and adjacency
// entries in range. False with a finding otherwise.
bool UsableMesh(const MeshData& mesh, const DWORD* adjacency, Findings& findings) {
    if (!IndicesInRange(mesh)) {
        findings.Add("An index is not below the vertex count.");
        return false;
    }
    if (adjacency && !AdjacencyInRange(mesh, adjacency)) {
        findings.Add("An adjacency entry names a face the mesh does not have.");
        return false;
    }
    return true;
}

HRESULT Report(const Findings& findings, ID3DXBuffer** out) {
    if (!findings.Any()) return D3D_OK;
    if (out) *out = NewBuffer(findings.text.c_str(), findings.text.size() + 1);
    return D3DXERR_INVALIDMESH;
}

}  // namespace
}  // namespace orbel::d3dx8

using namespace orbel::d3dx8;

HRESULT D3DXValidMesh(ID3DXMesh* pMeshIn, const DWORD* pAdjacency, ID3DXBuffer** ppErrorsAndWarnings) {
    if (ppErrorsAndWarnings) *ppErrorsAndWarnings = nullptr;
    MeshAccess* access = AccessOf(pMeshIn);
    if (!access) return D3DERR_INVALIDCALL;
    const MeshData& mesh = access->Data();
    try {
        Findings findings;
        if (!UsableMesh(mesh, pAdjacency, findings)) return Report(findings, ppErrorsAndWarnings);
        std::vector<DWORD> made;
        const DWORD* adjacency = AdjacencyToUse(mesh, pAdjacency, made);
        const DWORD faces = mesh.NumFaces();
        for (DWORD f = 0; f < faces; ++f)
            for (int e = 0; e < 3; ++e) {
                const DWORD g = adjacency[std::size_t{f} * 3 + e];
                if (g != kNoFace && (g == f || !Mutual(adjacency, f, g)))
                    findings.Add("Face " + std::to_string(f) + " names face " + std::to_string(g) +
                                 " as its neighbour, which does not name it back.");
            }
        DWORD bowTies = 0;
        const std::vector<DWORD> extra = ExtraFans(mesh, FansOfCorners(mesh, adjacency), bowTies);
        std::vector<bool> reported(mesh.NumVertices(), false);
        for (DWORD c = 0; c < extra.size(); ++c)
            if (extra[c] && !reported[mesh.indices[c]]) {
                reported[mesh.indices[c]] = true;
                findings.Add("Vertex " + std::to_string(mesh.indices[c]) +
                             " is a bow-tie: two fans of faces meet only at it.");
            }
        return Report(findings, ppErrorsAndWarnings);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT D3DXCleanMesh(ID3DXMesh* pMeshIn, const DWORD* pAdjacencyIn, ID3DXMesh** ppMeshOut, DWORD* pAdjacencyOut,
                      ID3DXBuffer** ppErrorsAndWarnings) {
    if (ppErrorsAndWarnings) *ppErrorsAndWarnings = nullptr;
    if (!ppMeshOut) return D3DERR_INVALIDCALL;
    *ppMeshOut = nullptr;
    MeshAccess* access = AccessOf(pMeshIn);
    if (!access) return D3DERR_INVALIDCALL;
    const MeshData& mesh = access->Data();
    try {
        Findings findings;
        if (!UsableMesh(mesh, pAdjacencyIn, findings)) return Report(findings, ppErrorsAndWarnings);
        std::vector<DWORD> made;
        const DWORD* adjacency = AdjacencyToUse(mesh, pAdjacencyIn, made);
        DWORD extraFans = 0;
        const std::vector<DWORD> extra = ExtraFans(mesh, FansOfCorners(mesh, adjacency), extraFans);
        const DWORD vertices = mesh.NumVertices();
        if (std::size_t{vertices} + extraFans > kMaxMeshVertices) {
            findings.Add("Splitting the bow-tie vertices would need more vertices than 16-bit indices address.");
            return Report(findings, ppErrorsAndWarnings);
        }

        MeshData clean = mesh;
        clean.vertices.resize((std::size_t{vertices} + extraFans) * mesh.stride);
        for (DWORD c = 0; c < extra.size(); ++c) {
            if (!extra[c]) continue;
            const DWORD copy = vertices + extra[c] - 1;
            std::memcpy(&clean.vertices[std::size_t{copy} * mesh.stride],
                        &mesh.vertices[std::size_t{mesh.indices[c]} * mesh.stride], mesh.stride);
            clean.indices[c] = static_cast<WORD>(copy);
        }
        if (extraFans != 0 && !clean.table.empty()) clean.table = BuildAttributeTable(clean);

        ID3DXMesh* out = NewMesh(access->Device(), std::move(clean));
        if (!out) return E_OUTOFMEMORY;
        // Splitting a vertex leaves every face's neighbours as they were.
        if (pAdjacencyOut && pAdjacencyOut != adjacency) std::memmove(pAdjacencyOut, adjacency, mesh.indices.size() * sizeof(DWORD));
        *ppMeshOut = out;
        return D3D_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
