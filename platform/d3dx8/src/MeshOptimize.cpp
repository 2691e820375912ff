// Attribute sort, compaction and vertex-cache order of a mesh. The new
// arrays are built aside and moved in at the end, so a failure leaves the
// mesh as it was.
#include "MeshOptimize.h"

#include "MeshBase.h"
#include "MeshBuffer.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <future>
#include <numeric>
#include <system_error>
#include <utility>

namespace orbel::d3dx8 {
namespace {

constexpr DWORD kKnownFlags = D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE;

// Ranges of at least this many faces are worth a thread of their own.
constexpr std::size_t kRangeAside = 8192;

// Reorders order[begin, end) (old face numbers) for the vertex cache. The
// optimiser sees only the range's own vertices, numbered locally, so its work
// is proportional to the range, not to the whole mesh.
void OrderForCache(const MeshData& mesh, std::vector<DWORD>& order, std::size_t begin, std::size_t end,
                   std::vector<DWORD>& local) {
    const std::size_t faces = end - begin;
    if (faces < 2) return;
    std::vector<unsigned int> indices(faces * 3);
    std::vector<DWORD> global;
    for (std::size_t k = 0; k < faces; ++k) {
        for (int c = 0; c < 3; ++c) {
            const WORD v = mesh.indices[std::size_t{order[begin + k]} * 3 + c];
            if (local[v] == kNoFace) {
                local[v] = static_cast<DWORD>(global.size());
                global.push_back(v);
            }
            indices[k * 3 + c] = local[v];
        }
    }
    for (DWORD v : global) local[v] = kNoFace;
    const std::size_t vertices = global.size();

    std::vector<unsigned int> optimised(indices.size());
    meshopt_optimizeVertexCache(optimised.data(), indices.data(), indices.size(), vertices);

    // The optimiser hands back triangles, not face numbers: find each one
    // among the unused faces that start at its first vertex.
    std::vector<DWORD> start(vertices + 1, 0), facesOf(faces);
    for (std::size_t k = 0; k < faces; ++k) ++start[indices[k * 3] + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<DWORD> fill(start.begin(), start.end() - 1);
    for (std::size_t k = 0; k < faces; ++k) facesOf[fill[indices[k * 3]]++] = static_cast<DWORD>(k);
    std::vector<bool> used(faces, false);
    std::vector<DWORD> reordered(faces);
    for (std::size_t n = 0; n < faces; ++n) {
        const unsigned int* t = &optimised[n * 3];
        DWORD found = kNoFace;
        for (DWORD i = start[t[0]]; i < start[t[0] + 1] && found == kNoFace; ++i) {
            const DWORD k = facesOf[i];
            if (!used[k] && indices[k * 3 + 1] == t[1] && indices[k * 3 + 2] == t[2]) found = k;
        }
        if (found == kNoFace) return;  // a triangle turned: keep the range as it was
        used[found] = true;
        reordered[n] = order[begin + found];
    }
    std::copy(reordered.begin(), reordered.end(), order.begin() + static_cast<std::ptrdiff_t>(begin));
}

// Faces of one attribute per range; each is ordered on its own. Large
// ranges run side by side: each writes only its own stretch of `order`, so
// the result is the one a single thread gets.
void OrderRangesForCache(const MeshData& mesh, std::vector<DWORD>& order) {
    const std::size_t faces = order.size();
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    for (std::size_t begin = 0; begin < faces;) {
        std::size_t end = begin;
        while (end < faces && mesh.attributes[order[end]] == mesh.attributes[order[begin]]) ++end;
        ranges.push_back({begin, end});
        begin = end;
    }
    auto orderRange = [&mesh, &order](std::size_t begin, std::size_t end, std::vector<DWORD>& local) {
        if (local.empty()) local.assign(mesh.NumVertices(), kNoFace);
        OrderForCache(mesh, order, begin, end, local);
    };
    std::vector<std::future<void>> aside;
    std::vector<DWORD> local;
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        // Named copies rather than a structured binding, which clang 14 will not capture.
        const std::size_t begin = ranges[r].first, end = ranges[r].second;
        // The last range is this thread's own work.
        if (end - begin >= kRangeAside && r + 1 < ranges.size()) {
            try {
                aside.push_back(std::async(std::launch::async, [=] {
                    std::vector<DWORD> own;
                    orderRange(begin, end, own);
                }));
                continue;
            } catch (const std::system_error&) {
                // No thread to be had: the range is ordered here instead.
            }
        }
        orderRange(begin, end, local);
    }
    for (std::future<void>& range : aside) range.wait();
    for (std::future<void>& range : aside) range.get();
}

}  // namespace

HRESULT OptimizeMeshInPlace(MeshData& mesh, DWORD flags, const DWORD* adjacencyIn, DWORD* adjacencyOut,
                            DWORD* faceRemap, ID3DXBuffer** vertexRemap) {
    if (vertexRemap) *vertexRemap = nullptr;
    if (flags & ~kKnownFlags) return D3DERR_INVALIDCALL;
    if (!IndicesInRange(mesh)) return D3DXERR_INVALIDMESH;
    const DWORD faces = mesh.NumFaces();
    const DWORD vertices = mesh.NumVertices();

    // Face order: order[new] = old.
    std::vector<DWORD> order(faces);
    std::iota(order.begin(), order.end(), 0u);
    // Meshes are often sorted already (a second pass over one, for instance).
    if ((flags & D3DXMESHOPT_ATTRSORT) && !std::is_sorted(mesh.attributes.begin(), mesh.attributes.end()))
        std::stable_sort(order.begin(), order.end(),
                         [&](DWORD a, DWORD b) { return mesh.attributes[a] < mesh.attributes[b]; });
    if (flags & D3DXMESHOPT_VERTEXCACHE) OrderRangesForCache(mesh, order);

    // Vertex order: newOfOld[old] = new, or kNoFace for a dropped vertex.
    std::vector<DWORD> newOfOld(vertices, kNoFace);
    DWORD next = 0;
    if (flags & D3DXMESHOPT_VERTEXCACHE) {
        for (DWORD f : order)
            for (int c = 0; c < 3; ++c) {
                const WORD v = mesh.indices[std::size_t{f} * 3 + c];
                if (newOfOld[v] == kNoFace) newOfOld[v] = next++;
            }
    } else {
        std::vector<bool> used(vertices, false);
        for (WORD v : mesh.indices) used[v] = true;
        for (DWORD v = 0; v < vertices; ++v)
            if (used[v]) newOfOld[v] = next++;
    }
    if (!(flags & D3DXMESHOPT_COMPACT)) {
        for (DWORD v = 0; v < vertices; ++v)
            if (newOfOld[v] == kNoFace) newOfOld[v] = next++;
    }
    std::vector<DWORD> oldOfNew(next);
    for (DWORD v = 0; v < vertices; ++v)
        if (newOfOld[v] != kNoFace) oldOfNew[newOfOld[v]] = v;

    std::vector<DWORD> adjacency;
    if (adjacencyOut && adjacencyIn) {
        std::vector<DWORD> newOfOldFace(faces);
        for (DWORD n = 0; n < faces; ++n) newOfOldFace[order[n]] = n;
        adjacency.resize(std::size_t{faces} * 3);
        for (DWORD n = 0; n < faces; ++n)
            for (int e = 0; e < 3; ++e) {
                const DWORD old = adjacencyIn[std::size_t{order[n]} * 3 + e];
                adjacency[std::size_t{n} * 3 + e] = old < faces ? newOfOldFace[old] : kNoFace;
            }
    }

    // A pass that keeps every face and vertex where it is (the second of two
    // sorts, say) leaves the arrays in place.
    auto identity = [](const std::vector<DWORD>& numbers) {
        for (std::size_t n = 0; n < numbers.size(); ++n)
            if (numbers[n] != n) return false;
        return true;
    };
    const bool moves = next != vertices || !identity(order) || !identity(oldOfNew);
    MeshData result;
    if (moves) {
        result.fvf = mesh.fvf;
        result.stride = mesh.stride;
        result.options = mesh.options;
        result.vertices.resize(std::size_t{next} * mesh.stride);
        for (DWORD n = 0; n < next; ++n)
            std::memcpy(&result.vertices[std::size_t{n} * mesh.stride],
                        &mesh.vertices[std::size_t{oldOfNew[n]} * mesh.stride], mesh.stride);
        result.indices.resize(mesh.indices.size());
        result.attributes.resize(faces);
        for (DWORD n = 0; n < faces; ++n) {
            result.attributes[n] = mesh.attributes[order[n]];
            for (int c = 0; c < 3; ++c)
                result.indices[std::size_t{n} * 3 + c] =
                    static_cast<WORD>(newOfOld[mesh.indices[std::size_t{order[n]} * 3 + c]]);
        }
    }
    const MeshData& reordered = moves ? result : mesh;
    const bool keepsTable = !moves && !mesh.table.empty();
    std::vector<D3DXATTRIBUTERANGE> table;
    if (!keepsTable && ((flags & D3DXMESHOPT_ATTRSORT) || !mesh.table.empty())) table = BuildAttributeTable(reordered);
    if (adjacencyOut && !adjacencyIn) {
        adjacency.resize(std::size_t{faces} * 3);
        ComputeAdjacency(reordered, 0.0f, adjacency.data());
    }

    // Everything that can fail happens before the mesh changes.
    ID3DXBuffer* remapBuffer = nullptr;
    if (vertexRemap) {
        remapBuffer = NewBuffer(oldOfNew);
        if (!remapBuffer) return E_OUTOFMEMORY;
    }
    if (moves) mesh = std::move(result);
    if (!keepsTable) mesh.table = std::move(table);
    if (adjacencyOut) std::copy(adjacency.begin(), adjacency.end(), adjacencyOut);
    if (faceRemap) std::copy(order.begin(), order.end(), faceRemap);
    if (vertexRemap) *vertexRemap = remapBuffer;
    return D3D_OK;
}

}  // namespace orbel::d3dx8
