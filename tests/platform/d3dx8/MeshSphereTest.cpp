#include "MeshTestSupport.h"

#include <cmath>

namespace orbel::test {
namespace {

struct NormalVertex {
    float x, y, z, nx, ny, nz;
};

std::array<float, 3> FaceNormal(const NormalVertex& a, const NormalVertex& b, const NormalVertex& c) {
    const float e1[3] = {b.x - a.x, b.y - a.y, b.z - a.z}, e2[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
    return {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
}

TEST(MeshSphere, CountsPolesAndOutwardFaces) {
    Held<ID3DXMesh> sphere;
    ASSERT_EQ(D3DXCreateSphere(nullptr, 2.0f, 7, 5, sphere.out(), nullptr), D3D_OK);
    EXPECT_EQ(sphere->GetFVF(), DWORD{D3DFVF_XYZ | D3DFVF_NORMAL});
    EXPECT_EQ(sphere->GetNumVertices(), 7u * 4u + 2u);
    EXPECT_EQ(sphere->GetNumFaces(), 2u * 7u * 4u);
    const auto vertices = VertexData<NormalVertex>(sphere.get());
    int poles = 0;
    for (const NormalVertex& v : vertices) {
        EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), 2.0f, 1e-5f);
        EXPECT_NEAR(v.nx * 2.0f, v.x, 1e-5f);
        EXPECT_NEAR(v.nz * 2.0f, v.z, 1e-5f);
        if (v.x == 0.0f && v.y == 0.0f) {
            ++poles;
            EXPECT_EQ(std::abs(v.z), 2.0f);
        }
    }
    EXPECT_EQ(poles, 2);
    // (v1 - v0) x (v2 - v0) points away from the centre: front-facing from
    // outside under clockwise winding.
    const Indices indices = IndicesOf(sphere.get());
    for (std::size_t f = 0; f < indices.size(); f += 3) {
        const NormalVertex &a = vertices[indices[f]], &b = vertices[indices[f + 1]], &c = vertices[indices[f + 2]];
        const auto n = FaceNormal(a, b, c);
        const float centre[3] = {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
        EXPECT_GT(n[0] * centre[0] + n[1] * centre[1] + n[2] * centre[2], 0.0f) << "face " << f / 3;
    }
    // Closed: every face has three neighbours.
    for (DWORD n : AdjacencyOf(sphere.get())) EXPECT_NE(n, kNone);
}

TEST(MeshSphere, SegmentLimitsAndRefusals) {
    Held<ID3DXMesh> sphere;
    ASSERT_EQ(D3DXCreateSphere(nullptr, 1.0f, 1000, 241, sphere.out(), nullptr), D3D_OK);
    EXPECT_EQ(sphere->GetNumVertices(), 240u * 239u + 2u);
    EXPECT_EQ(sphere->GetNumFaces(), 2u * 240u * 239u);

    EXPECT_LT(D3DXCreateSphere(nullptr, 1.0f, 1, 5, sphere.out(), nullptr), 0);
    EXPECT_LT(D3DXCreateSphere(nullptr, 1.0f, 5, 1, sphere.out(), nullptr), 0);
    EXPECT_LT(D3DXCreateSphere(nullptr, -0.5f, 5, 5, sphere.out(), nullptr), 0);
    EXPECT_LT(D3DXCreateSphere(nullptr, NAN, 5, 5, sphere.out(), nullptr), 0);
    EXPECT_FALSE(sphere);
    EXPECT_LT(D3DXCreateSphere(nullptr, 1.0f, 5, 5, nullptr, nullptr), 0);

    ASSERT_EQ(D3DXCreateSphere(nullptr, 1.0f, 2, 2, sphere.out(), nullptr), D3D_OK);
    EXPECT_EQ(sphere->GetNumVertices(), 4u);
    EXPECT_EQ(sphere->GetNumFaces(), 4u);
}

TEST(MeshSphere, ZeroRadiusKeepsUnitNormalsAndAdjacencyComesBack) {
    Held<ID3DXMesh> sphere;
    Held<ID3DXBuffer> adjacency;
    ASSERT_EQ(D3DXCreateSphere(nullptr, 0.0f, 6, 4, sphere.out(), adjacency.out()), D3D_OK);
    for (const NormalVertex& v : VertexData<NormalVertex>(sphere.get())) {
        EXPECT_EQ(v.x, 0.0f);
        EXPECT_NEAR(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz, 1.0f, 1e-5f);
    }
    ASSERT_EQ(adjacency->GetBufferSize(), sphere->GetNumFaces() * 3 * sizeof(DWORD));
    // All points coincide, so every face is degenerate and has no neighbour.
    const auto* entries = static_cast<const DWORD*>(adjacency->GetBufferPointer());
    for (DWORD i = 0; i < sphere->GetNumFaces() * 3; ++i) EXPECT_EQ(entries[i], kNone);
}

}  // namespace
}  // namespace orbel::test
