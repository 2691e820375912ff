#include "MeshTestSupport.h"

namespace orbel::test {
namespace {

TEST(MeshAdjacency, QuadFanAndNonManifoldEdge) {
    // Quad 0-1-2-3 split along 0-2.
    Held<ID3DXMesh> quad = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {0, 1, 2, 0, 2, 3});
    EXPECT_EQ(AdjacencyOf(quad.get()), (std::vector<DWORD>{kNone, kNone, 1, 0, kNone, kNone}));

    // Fan of four faces around vertex 0, open between faces 3 and 0.
    Held<ID3DXMesh> fan = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}, {1, -1, 0}},
                                   {0, 2, 1, 0, 3, 2, 0, 4, 3, 0, 5, 4});
    EXPECT_EQ(AdjacencyOf(fan.get()),
              (std::vector<DWORD>{1, kNone, kNone, 2, kNone, 0, 3, kNone, 1, kNone, kNone, 2}));

    // Three faces on edge 0-1: the first two in face order pair up.
    Held<ID3DXMesh> fin = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}},
                                   {0, 1, 2, 1, 0, 3, 1, 0, 4});
    EXPECT_EQ(AdjacencyOf(fin.get()),
              (std::vector<DWORD>{1, kNone, kNone, 0, kNone, kNone, kNone, kNone, kNone}));
}

TEST(MeshAdjacency, PointsMatchByPositionWithSignedZeroAndEpsilon) {
    // The second face has its own copies of the shared corners; one of them
    // written with -0.
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {-0.0f, 0, 0}, {1, 1.0f, -0.0f},
                                     {1, 0, 0}},
                                    {0, 1, 2, 3, 4, 5});
    EXPECT_EQ(AdjacencyOf(mesh.get()), (std::vector<DWORD>{kNone, kNone, 1, 0, kNone, kNone}));

    Held<ID3DXMesh> near = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0.001f, 0, 0}, {1, 1.001f, 0}, {1, 0, 0}},
                                    {0, 1, 2, 3, 4, 5});
    EXPECT_EQ(AdjacencyOf(near.get()), (std::vector<DWORD>(6, kNone)));
    EXPECT_EQ(AdjacencyOf(near.get(), 0.01f), (std::vector<DWORD>{kNone, kNone, 1, 0, kNone, kNone}));
}

TEST(MeshAdjacency, RefusesBadInputWithoutWriting) {
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {0, 1, 3});
    std::vector<DWORD> adjacency(3, 7u);
    EXPECT_LT(mesh->GenerateAdjacency(0.0f, adjacency.data()), 0);
    EXPECT_EQ(adjacency, std::vector<DWORD>(3, 7u));
    EXPECT_LT(mesh->GenerateAdjacency(0.0f, nullptr), 0);
    Held<ID3DXMesh> good = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {0, 1, 2});
    EXPECT_LT(good->GenerateAdjacency(-1.0f, adjacency.data()), 0);
}

}  // namespace
}  // namespace orbel::test
