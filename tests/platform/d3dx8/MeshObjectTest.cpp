#include "MeshTestSupport.h"

namespace orbel::test {
namespace {

struct NormalVertex {  // XYZ | NORMAL
    float x, y, z, nx, ny, nz;
};

TEST(MeshObject, CreationRefusesWhatSixteenBitIndicesCannotHold) {
    Held<ID3DXMesh> mesh;
    EXPECT_LT(D3DXCreateMeshFVF(0, 3, D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, mesh.out()), 0);
    EXPECT_LT(D3DXCreateMeshFVF(1, 0, D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, mesh.out()), 0);
    EXPECT_LT(D3DXCreateMeshFVF(1, 65537, D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, mesh.out()), 0);
    EXPECT_LT(D3DXCreateMeshFVF(0xFFFFFFFFu, 3, D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, mesh.out()), 0);
    EXPECT_LT(D3DXCreateMeshFVF(1, 3, D3DXMESH_32BIT, kMeshFvf, nullptr, mesh.out()), 0);
    EXPECT_LT(D3DXCreateMeshFVF(1, 3, D3DXMESH_SYSTEMMEM, D3DFVF_XYZRHW, nullptr, mesh.out()), 0);
    EXPECT_FALSE(mesh);
    EXPECT_LT(D3DXCreateMeshFVF(1, 3, D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, nullptr), 0);

    ASSERT_EQ(D3DXCreateMeshFVF(2, 65536, D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, mesh.out()), D3D_OK);
    EXPECT_EQ(mesh->GetNumFaces(), 2u);
    EXPECT_EQ(mesh->GetNumVertices(), 65536u);
    EXPECT_EQ(mesh->GetFVF(), kMeshFvf);
    EXPECT_EQ(mesh->GetOptions(), D3DXMESH_SYSTEMMEM);
    IDirect3DDevice8* device = reinterpret_cast<IDirect3DDevice8*>(1);
    EXPECT_EQ(mesh->GetDevice(&device), D3D_OK);
    EXPECT_EQ(device, nullptr);
}

TEST(MeshObject, BuffersStartZeroAndLocksPair) {
    Held<ID3DXMesh> mesh;
    ASSERT_EQ(D3DXCreateMeshFVF(2, 4, D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, mesh.out()), D3D_OK);
    const MeshVertex zero{};
    for (const MeshVertex& v : Vertices(mesh.get())) EXPECT_EQ(std::memcmp(&v, &zero, sizeof v), 0);
    EXPECT_EQ(IndicesOf(mesh.get()), Indices(6, 0));
    EXPECT_EQ(AttributesOf(mesh.get()), Attributes(2, 0));
    EXPECT_TRUE(TableOf(mesh.get()).empty());

    EXPECT_LT(mesh->UnlockVertexBuffer(), 0);
    EXPECT_LT(mesh->UnlockIndexBuffer(), 0);
    EXPECT_LT(mesh->UnlockAttributeBuffer(), 0);
    EXPECT_LT(mesh->LockVertexBuffer(0, nullptr), 0);
    EXPECT_LT(mesh->LockAttributeBuffer(0, nullptr), 0);
    // A mesh with a locked buffer is not rearranged under the caller's pointer.
    BYTE* bytes = nullptr;
    ASSERT_EQ(mesh->LockIndexBuffer(0, &bytes), D3D_OK);
    EXPECT_LT(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(mesh->UnlockIndexBuffer(), D3D_OK);
    EXPECT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

TEST(MeshObject, AttributeTableSurvivesOnlyReadingLocks) {
    Held<ID3DXMesh> mesh = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}, {0, 1, 2, 0, 1, 2}, {3, 3});
    ASSERT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr), D3D_OK);
    ASSERT_EQ(TableOf(mesh.get()).size(), 1u);

    D3DXATTRIBUTERANGE small[1] = {};
    DWORD size = 0;
    EXPECT_LT(mesh->GetAttributeTable(small, &size), 0);  // room for none
    EXPECT_LT(mesh->GetAttributeTable(nullptr, nullptr), 0);

    AttributesOf(mesh.get());
    EXPECT_EQ(TableOf(mesh.get()).size(), 1u);
    DWORD* attributes = nullptr;
    mesh->LockAttributeBuffer(0, &attributes);
    mesh->UnlockAttributeBuffer();
    EXPECT_TRUE(TableOf(mesh.get()).empty());
}

TEST(MeshObject, CloneCopiesCommonComponentsAndZeroesNewOnes) {
    Held<ID3DXMesh> sphere;
    ASSERT_EQ(D3DXCreateSphere(nullptr, 2.0f, 4, 3, sphere.out(), nullptr), D3D_OK);
    Held<ID3DXMesh> clone;
    ASSERT_EQ(sphere->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, clone.out()), D3D_OK);
    EXPECT_EQ(clone->GetFVF(), kMeshFvf);
    EXPECT_EQ(clone->GetNumFaces(), sphere->GetNumFaces());
    const auto from = VertexData<NormalVertex>(sphere.get());
    const auto to = Vertices(clone.get());
    ASSERT_EQ(from.size(), to.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        EXPECT_EQ(std::memcmp(&from[i], &to[i], sizeof(NormalVertex)), 0);
        EXPECT_EQ(to[i].u, 0.0f);
        EXPECT_EQ(to[i].v, 0.0f);
    }
    EXPECT_EQ(IndicesOf(clone.get()), IndicesOf(sphere.get()));
    EXPECT_EQ(AttributesOf(clone.get()), AttributesOf(sphere.get()));
    EXPECT_EQ(TableOf(clone.get()), TableOf(sphere.get()));

    // Back to positions only: the normals are dropped, nothing else moves.
    Held<ID3DXMesh> bare;
    ASSERT_EQ(clone->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ, nullptr, bare.out()), D3D_OK);
    const auto positions = VertexData<std::array<float, 3>>(bare.get());
    for (std::size_t i = 0; i < from.size(); ++i) EXPECT_EQ(positions[i][2], from[i].z);

    EXPECT_LT(clone->CloneMeshFVF(D3DXMESH_32BIT, kMeshFvf, nullptr, bare.out()), 0);
    EXPECT_FALSE(bare);
    EXPECT_LT(clone->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, nullptr), 0);
}

TEST(MeshObject, BuffersAreZeroedAndSized) {
    Held<ID3DXBuffer> buffer;
    ASSERT_EQ(D3DXCreateBuffer(12, buffer.out()), D3D_OK);
    EXPECT_EQ(buffer->GetBufferSize(), 12u);
    const auto* bytes = static_cast<const BYTE*>(buffer->GetBufferPointer());
    for (int i = 0; i < 12; ++i) EXPECT_EQ(bytes[i], 0);
    EXPECT_LT(D3DXCreateBuffer(4, nullptr), 0);
}

}  // namespace
}  // namespace orbel::test
