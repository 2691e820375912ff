#include "MeshTestSupport.h"

#include <algorithm>
#include <map>

namespace orbel::test {
namespace {

Held<ID3DXMesh> SphereMesh(UINT slices, UINT stacks) {
    Held<ID3DXMesh> sphere, mesh;
    EXPECT_EQ(D3DXCreateSphere(nullptr, 1.0f, slices, stacks, sphere.out(), nullptr), D3D_OK);
    EXPECT_EQ(sphere->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, mesh.out()), D3D_OK);
    return mesh;
}

// A flat n x n grid of quads: columns left of the middle attribute 1, the
// others 2, faces grouped by attribute.
Held<ID3DXMesh> TwoMaterialGrid(int n) {
    Positions positions;
    Indices left, right;
    for (int y = 0; y <= n; ++y)
        for (int x = 0; x <= n; ++x) positions.push_back({float(x), float(y), 0});
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const WORD a = WORD(y * (n + 1) + x), b = WORD(a + 1), c = WORD(a + n + 1), d = WORD(c + 1);
            (x < n / 2 ? left : right).insert((x < n / 2 ? left : right).end(), {a, c, b, b, c, d});
        }
    Attributes attributes(left.size() / 3, 1);
    attributes.resize((left.size() + right.size()) / 3, 2);
    left.insert(left.end(), right.begin(), right.end());
    return MakeMesh(positions, left, attributes);
}

Held<ID3DXPMesh> Progressive(ID3DXMesh* mesh) {
    std::vector<DWORD> adjacency = AdjacencyOf(mesh);
    Held<ID3DXPMesh> pmesh;
    EXPECT_EQ(D3DXGeneratePMesh(mesh, adjacency.data(), nullptr, nullptr, 1, D3DXMESHSIMP_VERTEX, pmesh.out()),
              D3D_OK);
    return pmesh;
}

bool SameVertex(const MeshVertex& a, const MeshVertex& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// What every level must keep, checked on its clone.
void ExpectSoundLevel(ID3DXMesh* base, ID3DXPMesh* pmesh, DWORD count) {
    SCOPED_TRACE(count);
    ASSERT_EQ(pmesh->SetNumVertices(count), D3D_OK);
    Held<ID3DXMesh> level;
    ASSERT_EQ(pmesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, level.out()), D3D_OK);
    ASSERT_EQ(level->GetNumVertices(), count);
    const Indices indices = IndicesOf(level.get());
    for (std::size_t i = 0; i < indices.size(); i += 3) {
        ASSERT_LT(indices[i], count);
        ASSERT_LT(indices[i + 1], count);
        ASSERT_LT(indices[i + 2], count);
        ASSERT_TRUE(indices[i] != indices[i + 1] && indices[i + 1] != indices[i + 2] && indices[i] != indices[i + 2]);
    }
    // Attributes: a subset of the base's, still grouped.
    const Attributes before = AttributesOf(base), after = AttributesOf(level.get());
    std::vector<DWORD> runs;
    for (DWORD a : after) {
        if (runs.empty() || runs.back() != a) runs.push_back(a);
        ASSERT_NE(std::find(before.begin(), before.end(), a), before.end());
    }
    std::vector<DWORD> sorted = runs;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "an attribute split in two";
    // Vertices: base vertices, in base order.
    const auto baseVertices = Vertices(base), levelVertices = Vertices(level.get());
    std::size_t from = 0;
    for (const MeshVertex& v : levelVertices) {
        while (from < baseVertices.size() && !SameVertex(baseVertices[from], v)) ++from;
        ASSERT_LT(from, baseVertices.size()) << "a vertex not taken from the base in order";
        ++from;
    }
}

TEST(MeshProgressive, EveryLevelOfASphereIsSound) {
    Held<ID3DXMesh> mesh = SphereMesh(12, 8);
    Held<ID3DXPMesh> pmesh = Progressive(mesh.get());
    ASSERT_TRUE(pmesh);
    EXPECT_EQ(pmesh->GetMaxVertices(), mesh->GetNumVertices());
    EXPECT_LE(pmesh->GetMinVertices(), 6u);
    EXPECT_GE(pmesh->GetMinVertices(), 4u);  // a closed surface keeps a tetrahedron
    for (DWORD n = pmesh->GetMaxVertices(); n >= pmesh->GetMinVertices(); --n)
        ExpectSoundLevel(mesh.get(), pmesh.get(), n);

    // At the maximum the level is the base mesh; counts outside clamp.
    ASSERT_EQ(pmesh->SetNumVertices(100000), D3D_OK);
    EXPECT_EQ(IndicesOf(pmesh.get()), IndicesOf(mesh.get()));
    EXPECT_EQ(pmesh->GetNumFaces(), mesh->GetNumFaces());
    ASSERT_EQ(pmesh->SetNumVertices(0), D3D_OK);
    EXPECT_EQ(pmesh->GetNumVertices(), pmesh->GetMinVertices());
}

TEST(MeshProgressive, TwoMaterialsKeepTheirFacesAndTheOuterCorners) {
    Held<ID3DXMesh> mesh = TwoMaterialGrid(8);
    Held<ID3DXPMesh> pmesh = Progressive(mesh.get());
    ASSERT_TRUE(pmesh);
    for (DWORD n = pmesh->GetMaxVertices(); n >= pmesh->GetMinVertices(); --n)
        ExpectSoundLevel(mesh.get(), pmesh.get(), n);
    // Borders are dear: at a quarter of the vertices the square still spans
    // its corners, in both materials.
    ASSERT_EQ(pmesh->SetNumVertices(pmesh->GetMaxVertices() / 4), D3D_OK);
    float low = 100, high = -100;
    for (const MeshVertex& v : Vertices(pmesh.get())) {
        low = std::min(low, v.x + v.y);
        high = std::max(high, v.x + v.y);
    }
    EXPECT_EQ(low, 0.0f);
    EXPECT_EQ(high, 16.0f);
    Held<ID3DXMesh> coarse;
    ASSERT_EQ(pmesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, coarse.out()), D3D_OK);
    const Attributes attributes = AttributesOf(coarse.get());
    EXPECT_NE(std::find(attributes.begin(), attributes.end(), 1u), attributes.end());
    EXPECT_NE(std::find(attributes.begin(), attributes.end(), 2u), attributes.end());
    // Collapsing stops before the last face goes.
    ASSERT_EQ(pmesh->SetNumVertices(0), D3D_OK);
    EXPECT_GE(pmesh->GetNumFaces(), 1u);
}

TEST(MeshProgressive, UnusedVerticesGoFirstAndFaceLimitsHold) {
    // Vertex 4 is used by no face; a degenerate face is in no level.
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {5, 5, 5}},
                                    {0, 1, 2, 0, 2, 3, 1, 1, 2});
    Held<ID3DXPMesh> pmesh;
    ASSERT_EQ(D3DXGeneratePMesh(mesh.get(), nullptr, nullptr, nullptr, 1, D3DXMESHSIMP_VERTEX, pmesh.out()), D3D_OK);
    EXPECT_EQ(pmesh->GetNumFaces(), 2u);
    ASSERT_EQ(pmesh->SetNumVertices(4), D3D_OK);
    EXPECT_EQ(pmesh->GetNumFaces(), 2u);
    for (const MeshVertex& v : Vertices(pmesh.get())) EXPECT_NE(v.x, 5.0f);

    Held<ID3DXMesh> sphere = SphereMesh(10, 6);
    ASSERT_EQ(D3DXGeneratePMesh(sphere.get(), nullptr, nullptr, nullptr, 40, D3DXMESHSIMP_FACE, pmesh.out()), D3D_OK);
    ASSERT_EQ(pmesh->SetNumVertices(0), D3D_OK);
    EXPECT_GE(pmesh->GetNumFaces(), 40u);
    ASSERT_EQ(D3DXGeneratePMesh(sphere.get(), nullptr, nullptr, nullptr, 30, D3DXMESHSIMP_VERTEX, pmesh.out()),
              D3D_OK);
    EXPECT_EQ(pmesh->GetMinVertices(), 30u);
}

TEST(MeshProgressive, ASequenceStoppedEarlyHasTheFullSequencesLevels) {
    // Callers that need only the upper levels ask for a higher minimum and
    // rely on getting exactly the levels the full sequence has.
    auto check = [](ID3DXMesh* mesh) {
        Held<ID3DXPMesh> full = Progressive(mesh);
        ASSERT_TRUE(full);
        const DWORD most = full->GetMaxVertices(), least = full->GetMinVertices();
        for (DWORD floor : {most, most - 1, most / 2, least}) {
            SCOPED_TRACE(floor);
            Held<ID3DXPMesh> partial;
            ASSERT_EQ(D3DXGeneratePMesh(mesh, nullptr, nullptr, nullptr, floor, D3DXMESHSIMP_VERTEX, partial.out()),
                      D3D_OK);
            EXPECT_EQ(partial->GetMinVertices(), floor);
            ExpectSameLevels(full.get(), partial.get(), floor);
            ASSERT_EQ(partial->SetNumVertices(floor - 1), D3D_OK);
            EXPECT_EQ(partial->GetNumVertices(), floor);
        }
    };
    Held<ID3DXMesh> sphere = SphereMesh(24, 16), grid = TwoMaterialGrid(12);
    check(sphere.get());
    check(grid.get());
}

TEST(MeshProgressive, RefusesWhatItCannotUse) {
    Held<ID3DXMesh> broken = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {0, 1, 3});
    Held<ID3DXPMesh> pmesh;
    EXPECT_LT(D3DXGeneratePMesh(broken.get(), nullptr, nullptr, nullptr, 1, D3DXMESHSIMP_VERTEX, pmesh.out()), 0);
    Held<ID3DXMesh> mesh = SphereMesh(6, 4);
    const float weights[1] = {1.0f};
    EXPECT_LT(D3DXGeneratePMesh(mesh.get(), nullptr, nullptr, weights, 1, D3DXMESHSIMP_VERTEX, pmesh.out()), 0);
    EXPECT_LT(D3DXGeneratePMesh(mesh.get(), nullptr, nullptr, nullptr, 1, 7, pmesh.out()), 0);
    std::vector<DWORD> adjacency(mesh->GetNumFaces() * 3, 999999);
    EXPECT_LT(D3DXGeneratePMesh(mesh.get(), adjacency.data(), nullptr, nullptr, 1, D3DXMESHSIMP_VERTEX, pmesh.out()),
              0);
    EXPECT_FALSE(pmesh);
    EXPECT_LT(D3DXGeneratePMesh(mesh.get(), nullptr, nullptr, nullptr, 1, D3DXMESHSIMP_VERTEX, nullptr), 0);

    ASSERT_EQ(D3DXGeneratePMesh(mesh.get(), nullptr, nullptr, nullptr, 1, D3DXMESHSIMP_VERTEX, pmesh.out()), D3D_OK);
    BYTE* bytes = nullptr;
    ASSERT_EQ(pmesh->LockVertexBuffer(0, &bytes), D3D_OK);
    EXPECT_LT(pmesh->SetNumVertices(5), 0);
    pmesh->UnlockVertexBuffer();
    EXPECT_EQ(pmesh->SetNumVertices(5), D3D_OK);
}

}  // namespace
}  // namespace orbel::test
