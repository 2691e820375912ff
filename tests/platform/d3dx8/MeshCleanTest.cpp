#include "MeshTestSupport.h"

#include <cmath>
#include <string>

namespace orbel::test {
namespace {

// Two triangles touching only at vertex 0.
Held<ID3DXMesh> BowTie() {
    return MakeMesh({{0, 0, 0}, {-1, 1, 0}, {-1, -1, 0}, {1, -1, 0}, {1, 1, 0}}, {0, 1, 2, 0, 3, 4});
}

std::string Text(ID3DXBuffer* buffer) {
    return buffer ? std::string(static_cast<const char*>(buffer->GetBufferPointer())) : std::string();
}

TEST(MeshValid, FindsBowTiesBadIndicesAndOneSidedNeighbours) {
    Held<ID3DXBuffer> errors;
    Held<ID3DXMesh> bowTie = BowTie();
    EXPECT_EQ(D3DXValidMesh(bowTie.get(), nullptr, errors.out()), D3DXERR_INVALIDMESH);
    EXPECT_NE(Text(errors.get()).find("Vertex 0"), std::string::npos);

    Held<ID3DXMesh> quad = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {0, 1, 2, 0, 2, 3});
    std::vector<DWORD> adjacency = AdjacencyOf(quad.get());
    EXPECT_EQ(D3DXValidMesh(quad.get(), adjacency.data(), errors.out()), D3D_OK);
    EXPECT_FALSE(errors);
    adjacency[3] = kNone;  // face 1 forgets face 0
    EXPECT_EQ(D3DXValidMesh(quad.get(), adjacency.data(), errors.out()), D3DXERR_INVALIDMESH);
    adjacency[3] = 9;  // no such face
    EXPECT_EQ(D3DXValidMesh(quad.get(), adjacency.data(), nullptr), D3DXERR_INVALIDMESH);

    Held<ID3DXMesh> broken = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {0, 1, 2, 0, 2, 3});
    EXPECT_EQ(D3DXValidMesh(broken.get(), nullptr, errors.out()), D3DXERR_INVALIDMESH);
    EXPECT_LT(D3DXValidMesh(nullptr, nullptr, nullptr), 0);
}

TEST(MeshClean, SplitsABowTieIntoOneVertexPerFan) {
    Held<ID3DXMesh> bowTie = BowTie();
    std::vector<DWORD> adjacency = AdjacencyOf(bowTie.get());
    Held<ID3DXMesh> clean;
    ASSERT_EQ(D3DXCleanMesh(bowTie.get(), adjacency.data(), clean.out(), adjacency.data(), nullptr), D3D_OK);
    EXPECT_EQ(clean->GetNumVertices(), 6u);
    EXPECT_EQ(IndicesOf(clean.get()), (Indices{0, 1, 2, 5, 3, 4}));
    EXPECT_EQ(Vertices(clean.get())[5].x, 0.0f);
    EXPECT_EQ(adjacency, std::vector<DWORD>(6, kNone));
    EXPECT_EQ(D3DXValidMesh(clean.get(), adjacency.data(), nullptr), D3D_OK);
    // The source is untouched; a mesh without bow-ties comes back as it was.
    EXPECT_EQ(bowTie->GetNumVertices(), 5u);
    Held<ID3DXMesh> again;
    ASSERT_EQ(D3DXCleanMesh(clean.get(), nullptr, again.out(), nullptr, nullptr), D3D_OK);
    EXPECT_EQ(IndicesOf(again.get()), IndicesOf(clean.get()));

    Held<ID3DXMesh> broken = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {0, 1, 5});
    EXPECT_LT(D3DXCleanMesh(broken.get(), nullptr, clean.out(), nullptr, nullptr), 0);
    EXPECT_FALSE(clean);
    EXPECT_LT(D3DXCleanMesh(bowTie.get(), nullptr, nullptr, nullptr, nullptr), 0);
}

TEST(MeshWeld, MergesExactDuplicatesOnly) {
    // Vertex 3 repeats vertex 0 (with -0), vertex 4 is vertex 2 moved a
    // little, vertex 5 is used by no face and repeats vertex 1.
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {-0.0f, 0, 0}, {1, 1, 1e-6f}, {0, 1, 0}},
                                    {0, 1, 2, 3, 4, 1});
    std::vector<DWORD> adjacency = AdjacencyOf(mesh.get()), faceRemap(2, 9);
    D3DXWELDEPSILONS epsilons{};
    Held<ID3DXBuffer> vertexRemap;
    ASSERT_EQ(D3DXWeldVertices(mesh.get(), &epsilons, adjacency.data(), adjacency.data(), faceRemap.data(),
                               vertexRemap.out()),
              D3D_OK);
    EXPECT_EQ(mesh->GetNumVertices(), 4u);
    EXPECT_EQ(IndicesOf(mesh.get()), (Indices{0, 1, 2, 0, 3, 1}));
    EXPECT_EQ(faceRemap, (std::vector<DWORD>{0, 1}));
    const auto* old = static_cast<const DWORD*>(vertexRemap->GetBufferPointer());
    EXPECT_EQ((std::vector<DWORD>(old, old + 4)), (std::vector<DWORD>{0, 1, 2, 4}));
    EXPECT_EQ(adjacency, AdjacencyOf(mesh.get()));

    epsilons.Normal = 0.1f;
    EXPECT_LT(D3DXWeldVertices(mesh.get(), &epsilons, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(mesh->GetNumVertices(), 4u);
}

TEST(MeshWeld, CleanThenWeldKeepsSplitBowTiesApart) {
    // Two tetrahedra sharing vertex 0 only: a bow-tie of two closed fans.
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}, {-1, 0, 0}, {0, -1, 0}, {-1, -1, -1}},
                                    {0, 1, 2, 0, 3, 1, 0, 2, 3, 1, 3, 2, 0, 4, 5, 0, 6, 4, 0, 5, 6, 4, 6, 5});
    std::vector<DWORD> adjacency = AdjacencyOf(mesh.get());
    EXPECT_LT(D3DXValidMesh(mesh.get(), adjacency.data(), nullptr), 0);
    Held<ID3DXMesh> clean;
    ASSERT_EQ(D3DXCleanMesh(mesh.get(), adjacency.data(), clean.out(), adjacency.data(), nullptr), D3D_OK);
    ASSERT_EQ(clean->GetNumVertices(), 8u);
    D3DXWELDEPSILONS epsilons{};
    for (bool given : {true, false}) {
        ASSERT_EQ(D3DXWeldVertices(clean.get(), &epsilons, given ? adjacency.data() : nullptr, adjacency.data(), nullptr,
                                   nullptr),
                  D3D_OK);
        EXPECT_EQ(clean->GetNumVertices(), 8u) << given;
        EXPECT_EQ(D3DXValidMesh(clean.get(), adjacency.data(), nullptr), D3D_OK) << given;
    }
}

TEST(MeshWeld, WithNothingToJoinTheMeshStaysAndEveryOutputIsFilled) {
    // A lone -0 has no twin: it keeps its sign, and nothing else moves.
    Held<ID3DXMesh> mesh = MakeMesh({{-0.0f, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {0, 1, 2, 0, 2, 3}, {0, 1});
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const auto table = TableOf(mesh.get());
    const Indices indices = IndicesOf(mesh.get());
    std::vector<DWORD> adjacency(6, 9), faceRemap(2, 9);
    D3DXWELDEPSILONS epsilons{};
    Held<ID3DXBuffer> vertexRemap;
    ASSERT_EQ(D3DXWeldVertices(mesh.get(), &epsilons, nullptr, adjacency.data(), faceRemap.data(), vertexRemap.out()),
              D3D_OK);
    EXPECT_EQ(mesh->GetNumVertices(), 4u);
    EXPECT_TRUE(std::signbit(Vertices(mesh.get())[0].x));
    EXPECT_EQ(IndicesOf(mesh.get()), indices);
    EXPECT_EQ(TableOf(mesh.get()), table);
    EXPECT_EQ(adjacency, AdjacencyOf(mesh.get()));
    EXPECT_EQ(faceRemap, (std::vector<DWORD>{0, 1}));
    ASSERT_EQ(vertexRemap->GetBufferSize(), 4 * sizeof(DWORD));
    const auto* old = static_cast<const DWORD*>(vertexRemap->GetBufferPointer());
    EXPECT_EQ((std::vector<DWORD>(old, old + 4)), (std::vector<DWORD>{0, 1, 2, 3}));
}

TEST(MeshWeld, RefusesBadIndicesAndLeavesOutputs) {
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 0, 0}, {1, 1, 0}}, {0, 1, 2, 0, 1, 4});
    std::vector<DWORD> adjacency(6, 3), faceRemap(2, 3);
    D3DXWELDEPSILONS epsilons{};
    EXPECT_LT(D3DXWeldVertices(mesh.get(), &epsilons, nullptr, adjacency.data(), faceRemap.data(), nullptr), 0);
    EXPECT_EQ(adjacency, std::vector<DWORD>(6, 3));
    EXPECT_EQ(faceRemap, std::vector<DWORD>(2, 3));
    EXPECT_EQ(mesh->GetNumVertices(), 3u);
}

TEST(MeshNormals, FlatSquareFacesTheFrontAndUnusedVerticesKeepTheirs) {
    // A square in the z = 0 plane wound clockwise seen from -z, plus one
    // vertex no face uses and one degenerate face.
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {5, 5, 5}, {7, 7, 7}},
                                    {0, 1, 2, 0, 2, 3, 5, 5, 5});
    BYTE* bytes = nullptr;
    mesh->LockVertexBuffer(0, &bytes);
    reinterpret_cast<MeshVertex*>(bytes)[4].ny = 1.0f;
    reinterpret_cast<MeshVertex*>(bytes)[5].nx = 1.0f;
    mesh->UnlockVertexBuffer();
    std::vector<DWORD> adjacency = AdjacencyOf(mesh.get());
    ASSERT_EQ(D3DXComputeNormals(mesh.get(), adjacency.data()), D3D_OK);
    const auto vertices = Vertices(mesh.get());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(vertices[i].nx, 0.0f);
        EXPECT_EQ(vertices[i].ny, 0.0f);
        EXPECT_EQ(vertices[i].nz, -1.0f);
    }
    EXPECT_EQ(vertices[4].ny, 1.0f);
    EXPECT_EQ(vertices[5].nx, 1.0f);

    Held<ID3DXMesh> bare;
    ASSERT_EQ(mesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ, nullptr, bare.out()), D3D_OK);
    EXPECT_LT(D3DXComputeNormals(bare.get(), nullptr), 0);
    EXPECT_LT(D3DXComputeNormals(nullptr, nullptr), 0);
}

TEST(MeshNormals, SphereNormalsPointOutward) {
    Held<ID3DXMesh> sphere;
    ASSERT_EQ(D3DXCreateSphere(nullptr, 3.0f, 12, 8, sphere.out(), nullptr), D3D_OK);
    Held<ID3DXMesh> mesh;
    ASSERT_EQ(sphere->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, mesh.out()), D3D_OK);
    ASSERT_EQ(D3DXComputeNormals(mesh.get(), nullptr), D3D_OK);
    for (const MeshVertex& v : Vertices(mesh.get())) {
        EXPECT_NEAR(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz, 1.0f, 1e-5f);
        EXPECT_GT(v.nx * v.x + v.ny * v.y + v.nz * v.z, 2.9f);
    }
}

}  // namespace
}  // namespace orbel::test
