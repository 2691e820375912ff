// Mesh simplification and vertex-cache order on a 65,025-vertex wavy grid,
// beside meshoptimizer doing the same work in the same run. Prints figures;
// judges nothing.
//
// Simplification: D3DXGeneratePMesh + SetNumVertices to half the vertices +
// the clone of that level, against meshopt_simplify to the same triangle
// count. A caller that needs half asks the progressive mesh to stop there
// (the same work as meshoptimizer's, and the same level as the whole
// sequence has); the time of generating every level down to one vertex is
// printed as well. Both keep
// original vertex positions, so the geometric error is measured one way for
// both: for every original vertex, the vertical distance to the simplified
// surface above or below it (the grid is a height field and neither method
// folds faces over).
//
// Vertex cache: OptimizeInplace with ATTRSORT | VERTEXCACHE on the grid with
// its faces shuffled, against meshopt_optimizeVertexCache of the same
// indices; ACMR of both outputs in a 16-entry FIFO cache.
#include <d3dx8/Mesh.h>
#include <meshoptimizer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <vector>

#include "bench/common/Rounds.h"

namespace {

constexpr int kSide = 255;  // vertices per grid row
constexpr int kRounds = 7;

struct Vertex {
    float x, y, z, nx, ny, nz, u, v;
};

struct Grid {
    std::vector<Vertex> vertices;
    std::vector<unsigned int> indices;
};

Grid MakeGrid() {
    Grid g;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const float fx = static_cast<float>(x), fy = static_cast<float>(y);
            const float z = 6.0f * std::sin(fx * 0.05f) * std::cos(fy * 0.07f) + 2.0f * std::sin(fx * 0.21f + fy * 0.13f);
            g.vertices.push_back({fx, fy, z, 0, 0, 1, fx / kSide, fy / kSide});
        }
    for (int y = 0; y + 1 < kSide; ++y)
        for (int x = 0; x + 1 < kSide; ++x) {
            const unsigned a = y * kSide + x, b = a + 1, c = a + kSide, d = c + 1;
            g.indices.insert(g.indices.end(), {a, c, b, b, c, d});
        }
    return g;
}

ID3DXMesh* MakeMesh(const Grid& g) {
    ID3DXMesh* mesh = nullptr;
    const DWORD faces = static_cast<DWORD>(g.indices.size() / 3);
    if (FAILED(D3DXCreateMeshFVF(faces, static_cast<DWORD>(g.vertices.size()), D3DXMESH_SYSTEMMEM,
                                 D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, nullptr, &mesh)))
        return nullptr;
    BYTE* bytes = nullptr;
    mesh->LockVertexBuffer(0, &bytes);
    std::memcpy(bytes, g.vertices.data(), g.vertices.size() * sizeof(Vertex));
    mesh->UnlockVertexBuffer();
    mesh->LockIndexBuffer(0, &bytes);
    auto* indices = reinterpret_cast<WORD*>(bytes);
    for (std::size_t i = 0; i < g.indices.size(); ++i) indices[i] = static_cast<WORD>(g.indices[i]);
    mesh->UnlockIndexBuffer();
    return mesh;
}

// Largest and mean vertical distance of the original vertices to the
// simplified surface; `uncovered` counts vertices no triangle lies over.
struct Error {
    double max = 0, mean = 0;
    int uncovered = 0;
};

Error MeasureError(const Grid& original, const std::vector<Vertex>& vertices, const std::vector<unsigned>& indices) {
    constexpr int kBins = 128;
    const float scale = static_cast<float>(kBins) / static_cast<float>(kSide);
    std::vector<std::vector<unsigned>> bins(kBins * kBins);
    for (unsigned t = 0; t < indices.size() / 3; ++t) {
        float lowX = 1e9f, lowY = 1e9f, highX = -1e9f, highY = -1e9f;
        for (int k = 0; k < 3; ++k) {
            const Vertex& v = vertices[indices[t * 3 + k]];
            lowX = std::min(lowX, v.x), highX = std::max(highX, v.x);
            lowY = std::min(lowY, v.y), highY = std::max(highY, v.y);
        }
        for (int by = std::max(0, int(lowY * scale)); by <= std::min(kBins - 1, int(highY * scale)); ++by)
            for (int bx = std::max(0, int(lowX * scale)); bx <= std::min(kBins - 1, int(highX * scale)); ++bx)
                bins[by * kBins + bx].push_back(t);
    }
    Error error;
    double sum = 0;
    for (const Vertex& p : original.vertices) {
        const auto& bin = bins[std::min(kBins - 1, int(p.y * scale)) * kBins + std::min(kBins - 1, int(p.x * scale))];
        double best = -1;
        for (unsigned t : bin) {
            const Vertex &a = vertices[indices[t * 3]], &b = vertices[indices[t * 3 + 1]], &c = vertices[indices[t * 3 + 2]];
            const double d = (double(b.y) - c.y) * (double(a.x) - c.x) + (double(c.x) - b.x) * (double(a.y) - c.y);
            if (d == 0) continue;
            const double l1 = ((double(b.y) - c.y) * (p.x - c.x) + (double(c.x) - b.x) * (p.y - c.y)) / d;
            const double l2 = ((double(c.y) - a.y) * (p.x - c.x) + (double(a.x) - c.x) * (p.y - c.y)) / d;
            const double l3 = 1 - l1 - l2;
            if (l1 < -1e-6 || l2 < -1e-6 || l3 < -1e-6) continue;
            const double dz = std::abs(l1 * a.z + l2 * b.z + l3 * c.z - p.z);
            if (best < 0 || dz < best) best = dz;
        }
        if (best < 0) {
            ++error.uncovered;
            continue;
        }
        error.max = std::max(error.max, best);
        sum += best;
    }
    error.mean = sum / static_cast<double>(original.vertices.size() - error.uncovered);
    return error;
}

float Acmr(const std::vector<unsigned>& indices, std::size_t vertices) {
    return meshopt_analyzeVertexCache(indices.data(), indices.size(), vertices, 16, 0, 0).acmr;
}

void Simplification(const Grid& grid) {
    ID3DXMesh* base = MakeMesh(grid);
    if (!base) return;
    bench::Rounds ours, full, theirs;
    std::vector<Vertex> ourVertices;
    std::vector<unsigned> ourIndices, theirIndices(grid.indices.size());
    std::size_t theirCount = 0;
    const DWORD targetVertices = base->GetNumVertices() / 2;
    DWORD faces = 0;
    // Generate, pick the level, clone it; null when any step fails.
    auto simplify = [&](DWORD minValue) -> ID3DXMesh* {
        ID3DXPMesh* pmesh = nullptr;
        if (FAILED(D3DXGeneratePMesh(base, nullptr, nullptr, nullptr, minValue, D3DXMESHSIMP_VERTEX, &pmesh)))
            return nullptr;
        pmesh->SetNumVertices(targetVertices);
        ID3DXMesh* level = nullptr;
        pmesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, nullptr, &level);
        pmesh->Release();
        return level;
    };
    for (int round = 0; round < kRounds; ++round) {
        auto start = bench::Clock::now();
        ID3DXMesh* level = simplify(targetVertices);
        ours.Add(bench::MillisecondsSince(start));
        if (!level) return;
        faces = level->GetNumFaces();
        ourVertices.resize(level->GetNumVertices());
        ourIndices.resize(std::size_t{faces} * 3);
        BYTE* bytes = nullptr;
        level->LockVertexBuffer(D3DLOCK_READONLY, &bytes);
        std::memcpy(ourVertices.data(), bytes, ourVertices.size() * sizeof(Vertex));
        level->UnlockVertexBuffer();
        level->LockIndexBuffer(D3DLOCK_READONLY, &bytes);
        for (std::size_t i = 0; i < ourIndices.size(); ++i) ourIndices[i] = reinterpret_cast<WORD*>(bytes)[i];
        level->UnlockIndexBuffer();
        level->Release();

        start = bench::Clock::now();
        level = simplify(1);
        full.Add(bench::MillisecondsSince(start));
        if (level) level->Release();

        start = bench::Clock::now();
        theirCount = meshopt_simplify(theirIndices.data(), grid.indices.data(), grid.indices.size(),
                                      &grid.vertices[0].x, grid.vertices.size(), sizeof(Vertex),
                                      std::size_t{faces} * 3, 1e9f, 0, nullptr);
        theirs.Add(bench::MillisecondsSince(start));
    }
    base->Release();
    theirIndices.resize(theirCount);
    std::size_t theirVertices = 0;
    {
        std::vector<bool> used(grid.vertices.size());
        for (unsigned i : theirIndices) used[i] = true;
        theirVertices = std::count(used.begin(), used.end(), true);
    }

    std::printf("Simplification of %zu vertices, %zu faces to %u vertices (%u faces)\n", grid.vertices.size(),
                grid.indices.size() / 3, targetVertices, faces);
    bench::PrintRounds("GeneratePMesh to half + level + clone", ours, "ms");
    bench::PrintRounds("same with every level generated", full, "ms");
    bench::PrintRounds("meshopt_simplify", theirs, "ms");
    std::printf("  time ratio: min %.2fx, median %.2fx meshoptimizer's (every level: min %.2fx)\n",
                ours.Min() / theirs.Min(), ours.Median() / theirs.Median(), full.Min() / theirs.Min());
    const Error a = MeasureError(grid, ourVertices, ourIndices);
    const Error b = MeasureError(grid, grid.vertices, theirIndices);
    std::printf("  vertical error   ours: max %.4f mean %.5f (%d vertices uncovered), %u faces\n", a.max, a.mean,
                a.uncovered, faces);
    std::printf("  vertical error   meshopt: max %.4f mean %.5f (%d vertices uncovered), %zu faces, %zu vertices\n",
                b.max, b.mean, b.uncovered, theirCount / 3, theirVertices);
}

void VertexCache(const Grid& grid) {
    // The grid's faces in random order.
    std::vector<unsigned> order(grid.indices.size() / 3);
    std::iota(order.begin(), order.end(), 0u);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    Grid shuffled{grid.vertices, {}};
    for (unsigned f : order)
        shuffled.indices.insert(shuffled.indices.end(), &grid.indices[f * 3], &grid.indices[f * 3 + 3]);

    bench::Rounds ours, theirs;
    std::vector<unsigned> ourIndices, theirIndices(shuffled.indices.size());
    for (int round = 0; round < kRounds; ++round) {
        ID3DXMesh* mesh = MakeMesh(shuffled);
        if (!mesh) return;
        auto start = bench::Clock::now();
        const HRESULT result =
            mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE, nullptr, nullptr, nullptr, nullptr);
        ours.Add(bench::MillisecondsSince(start));
        if (FAILED(result)) return;
        BYTE* bytes = nullptr;
        ourIndices.resize(std::size_t{mesh->GetNumFaces()} * 3);
        mesh->LockIndexBuffer(D3DLOCK_READONLY, &bytes);
        for (std::size_t i = 0; i < ourIndices.size(); ++i) ourIndices[i] = reinterpret_cast<WORD*>(bytes)[i];
        mesh->UnlockIndexBuffer();
        mesh->Release();

        start = bench::Clock::now();
        meshopt_optimizeVertexCache(theirIndices.data(), shuffled.indices.data(), shuffled.indices.size(),
                                    shuffled.vertices.size());
        theirs.Add(bench::MillisecondsSince(start));
    }
    std::printf("Vertex-cache order of %zu faces given in random order\n", shuffled.indices.size() / 3);
    bench::PrintRounds("OptimizeInplace ATTRSORT|VERTEXCACHE", ours, "ms");
    bench::PrintRounds("meshopt_optimizeVertexCache", theirs, "ms");
    std::printf("  ACMR (FIFO 16): input %.3f, ours %.3f, meshopt %.3f (ours/meshopt %.3f)\n",
                Acmr(shuffled.indices, grid.vertices.size()), Acmr(ourIndices, grid.vertices.size()),
                Acmr(theirIndices, grid.vertices.size()),
                Acmr(ourIndices, grid.vertices.size()) / Acmr(theirIndices, grid.vertices.size()));
}

}  // namespace

int main() {
    const Grid grid = MakeGrid();
    Simplification(grid);
    VertexCache(grid);
    return 0;
}
