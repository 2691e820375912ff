#include "MeshTestSupport.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <numeric>

namespace orbel::test {
namespace {

// A strip of four faces over six vertices, attributes alternating.
Held<ID3DXMesh> AlternatingStrip() {
    return MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 1, 0}},
                    {0, 1, 2, 2, 1, 3, 2, 3, 4, 4, 3, 5}, {1, 0, 1, 0});
}

TEST(MeshOptimize, AttributeSortGroupsFacesAndBuildsTheTable) {
    Held<ID3DXMesh> mesh = AlternatingStrip();
    std::vector<DWORD> adjacency = AdjacencyOf(mesh.get());
    std::vector<DWORD> remap(4, 0);
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT, adjacency.data(), adjacency.data(), remap.data(), nullptr),
              D3D_OK);
    EXPECT_EQ(AttributesOf(mesh.get()), (Attributes{0, 0, 1, 1}));
    EXPECT_EQ(remap, (std::vector<DWORD>{1, 3, 0, 2}));
    EXPECT_EQ(IndicesOf(mesh.get()), (Indices{2, 1, 3, 4, 3, 5, 0, 1, 2, 2, 3, 4}));
    EXPECT_EQ(TableOf(mesh.get()),
              (std::vector<D3DXATTRIBUTERANGE>{{0, 0, 2, 1, 5}, {1, 2, 2, 0, 5}}));
    // The adjacency followed the faces (in and out were one array).
    EXPECT_EQ(adjacency, AdjacencyOf(mesh.get()));
}

TEST(MeshOptimize, CompactDropsUnusedVerticesKeepingOrder) {
    Held<ID3DXMesh> mesh = MakeMesh({{9, 9, 9}, {0, 0, 0}, {8, 8, 8}, {0, 1, 0}, {1, 0, 0}, {7, 7, 7}},
                                    {1, 3, 4, 4, 3, 1});
    Held<ID3DXBuffer> vertexRemap;
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_COMPACT, nullptr, nullptr, nullptr, vertexRemap.out()), D3D_OK);
    EXPECT_EQ(mesh->GetNumVertices(), 3u);
    EXPECT_EQ(IndicesOf(mesh.get()), (Indices{0, 1, 2, 2, 1, 0}));
    EXPECT_EQ(Vertices(mesh.get())[1].y, 1.0f);
    ASSERT_EQ(vertexRemap->GetBufferSize(), 3 * sizeof(DWORD));
    const auto* old = static_cast<const DWORD*>(vertexRemap->GetBufferPointer());
    EXPECT_EQ((std::vector<DWORD>(old, old + 3)), (std::vector<DWORD>{1, 3, 4}));
    EXPECT_TRUE(TableOf(mesh.get()).empty());
}

TEST(MeshOptimize, InvalidMeshIsLeftAlone) {
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}, {0, 1, 2, 2, 1, 3}, {1, 0});
    std::vector<DWORD> adjacency(6, 5u), remap(2, 5u);
    Held<ID3DXBuffer> vertexRemap;
    EXPECT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT, nullptr, adjacency.data(),
                                    remap.data(), vertexRemap.out()),
              D3DXERR_INVALIDMESH);
    EXPECT_EQ(adjacency, std::vector<DWORD>(6, 5u));
    EXPECT_EQ(remap, std::vector<DWORD>(2, 5u));
    EXPECT_FALSE(vertexRemap);
    EXPECT_EQ(AttributesOf(mesh.get()), (Attributes{1, 0}));
    EXPECT_LT(mesh->OptimizeInplace(0x80000000u, nullptr, nullptr, nullptr, nullptr), 0);
}

TEST(MeshOptimize, MeaninglessInputAdjacencyNeverNamesAMissingFace) {
    Held<ID3DXMesh> mesh = AlternatingStrip();
    std::vector<DWORD> adjacency = {7, 100, kNone, 3, 0x80000000u, 2, 1, 1, 1, 0, 0, 0};
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT, adjacency.data(), adjacency.data(), nullptr, nullptr),
              D3D_OK);
    for (DWORD n : adjacency) EXPECT_TRUE(n < 4 || n == kNone);
}

struct GridData {
    Positions positions;
    Indices indices;
    Attributes attributes;
};

// A grid of n x n quads, faces in row order, two attributes by column half.
GridData GridArrays(int n) {
    GridData grid;
    for (int y = 0; y <= n; ++y)
        for (int x = 0; x <= n; ++x) grid.positions.push_back({float(x), float(y), 0});
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const WORD a = WORD(y * (n + 1) + x), b = WORD(a + 1), c = WORD(a + n + 1), d = WORD(c + 1);
            grid.indices.insert(grid.indices.end(), {a, c, b, b, c, d});
            grid.attributes.insert(grid.attributes.end(), 2, x < n / 2 ? 0u : 1u);
        }
    return grid;
}

Held<ID3DXMesh> Grid(int n) {
    const GridData grid = GridArrays(n);
    return MakeMesh(grid.positions, grid.indices, grid.attributes);
}

float Acmr(const Indices& indices, DWORD vertices) {
    std::vector<unsigned int> wide(indices.begin(), indices.end());
    return meshopt_analyzeVertexCache(wide.data(), wide.size(), vertices, 16, 0, 0).acmr;
}

TEST(MeshOptimize, VertexCacheOrderStaysInsideAttributeRanges) {
    Held<ID3DXMesh> mesh = Grid(30);
    const Indices before = IndicesOf(mesh.get());
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const auto table = TableOf(mesh.get());
    std::vector<DWORD> remap(mesh->GetNumFaces());
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_VERTEXCACHE, nullptr, nullptr, remap.data(), nullptr), D3D_OK);
    EXPECT_EQ(TableOf(mesh.get()).size(), table.size());
    const Attributes attributes = AttributesOf(mesh.get());
    for (const D3DXATTRIBUTERANGE& r : table)
        for (DWORD f = r.FaceStart; f < r.FaceStart + r.FaceCount; ++f) {
            EXPECT_EQ(attributes[f], r.AttribId);
            EXPECT_GE(remap[f], r.FaceStart);
            EXPECT_LT(remap[f], r.FaceStart + r.FaceCount);
        }
    // Vertices follow first use, and the cache does better than row order.
    const Indices after = IndicesOf(mesh.get());
    EXPECT_EQ(after[0], 0);
    EXPECT_LT(Acmr(after, mesh->GetNumVertices()), Acmr(before, mesh->GetNumVertices()));
}

TEST(MeshOptimize, APassOverAMeshAlreadyInOrderStillFillsEveryOutput) {
    // Faces sorted, every vertex used: nothing moves, yet the table is made,
    // adjacency naming no face is cleared and the remaps are whole.
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 1, 0}},
                                    {0, 1, 2, 2, 1, 3, 2, 3, 4, 4, 3, 5}, {0, 0, 1, 1});
    const Indices indices = IndicesOf(mesh.get());
    ASSERT_TRUE(TableOf(mesh.get()).empty());
    std::vector<DWORD> adjacency = AdjacencyOf(mesh.get());
    const std::vector<DWORD> expected = adjacency;
    adjacency[0] = 100;
    std::vector<DWORD> faceRemap(4, 9);
    Held<ID3DXBuffer> vertexRemap;
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT, adjacency.data(), adjacency.data(),
                                    faceRemap.data(), vertexRemap.out()),
              D3D_OK);
    EXPECT_EQ(IndicesOf(mesh.get()), indices);
    EXPECT_EQ(TableOf(mesh.get()),
              (std::vector<D3DXATTRIBUTERANGE>{{0, 0, 2, 0, 4}, {1, 2, 2, 2, 4}}));
    EXPECT_EQ(adjacency[0], kNone);
    EXPECT_TRUE(std::equal(adjacency.begin() + 1, adjacency.end(), expected.begin() + 1));
    EXPECT_EQ(faceRemap, (std::vector<DWORD>{0, 1, 2, 3}));
    ASSERT_EQ(vertexRemap->GetBufferSize(), 6 * sizeof(DWORD));
    const auto* old = static_cast<const DWORD*>(vertexRemap->GetBufferPointer());
    EXPECT_EQ((std::vector<DWORD>(old, old + 6)), (std::vector<DWORD>{0, 1, 2, 3, 4, 5}));

    // Asked for adjacency without giving any, the pass makes it.
    std::vector<DWORD> made(12, 9);
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT, nullptr, made.data(), nullptr, nullptr), D3D_OK);
    EXPECT_EQ(made, expected);
}

TEST(MeshOptimize, EachAttributesFacesGetTheCacheOrderTheyGetAlone) {
    // Large enough for the attributes to be ordered side by side.
    const GridData grid = GridArrays(128);
    Held<ID3DXMesh> mesh = MakeMesh(grid.positions, grid.indices, grid.attributes);
    const DWORD faces = mesh->GetNumFaces();
    std::vector<DWORD> remap(faces);
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE, nullptr, nullptr, remap.data(),
                                    nullptr),
              D3D_OK);
    DWORD start = 0;
    for (DWORD attribute : {0u, 1u}) {
        std::vector<DWORD> own;  // the attribute's faces, in mesh order
        Indices indices;
        for (DWORD f = 0; f < faces; ++f)
            if (grid.attributes[f] == attribute) {
                own.push_back(f);
                indices.insert(indices.end(), grid.indices.begin() + f * 3, grid.indices.begin() + f * 3 + 3);
            }
        Held<ID3DXMesh> alone = MakeMesh(grid.positions, indices);
        std::vector<DWORD> aloneRemap(own.size());
        ASSERT_EQ(alone->OptimizeInplace(D3DXMESHOPT_VERTEXCACHE, nullptr, nullptr, aloneRemap.data(), nullptr),
                  D3D_OK);
        for (std::size_t n = 0; n < own.size(); ++n) ASSERT_EQ(remap[start + n], own[aloneRemap[n]]) << n;
        start += static_cast<DWORD>(own.size());
    }
}

}  // namespace
}  // namespace orbel::test
