#include "MeshTestSupport.h"
#include "platform/d3d8/DeviceFixture.h"

namespace orbel::test {
namespace {

class MeshDraw : public DeviceTest {};

TEST_F(MeshDraw, SubsetDrawsOnlyItsFaces) {
    // Left half attribute 0, right half attribute 1, as two quads in clip space.
    Held<ID3DXMesh> mesh;
    ASSERT_EQ(D3DXCreateMeshFVF(4, 8, D3DXMESH_SYSTEMMEM, kMeshFvf, device, mesh.out()), D3D_OK);
    const Positions corners = {{-1, -1, 0.5f}, {-1, 1, 0.5f}, {0, 1, 0.5f}, {0, -1, 0.5f},
                               {0, -1, 0.5f},  {0, 1, 0.5f},  {1, 1, 0.5f}, {1, -1, 0.5f}};
    Held<ID3DXMesh> shaped = MakeMesh(corners, {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}, {0, 0, 1, 1});
    ASSERT_EQ(shaped->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, device, mesh.out()), D3D_OK);

    Clear(D3DCOLOR_XRGB(0, 0, 0));
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(mesh->DrawSubset(1), D3D_OK);
    EXPECT_EQ(mesh->DrawSubset(7), D3D_OK);  // no faces: nothing drawn
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(Pixel(kWidth / 4, kHeight / 2), 0u);
    EXPECT_EQ(Pixel(3 * kWidth / 4, kHeight / 2), 0xFFFFFFu);
    DWORD shader = 0;
    device->GetVertexShader(&shader);
    EXPECT_EQ(shader, kMeshFvf);
}

TEST(MeshDrawHeadless, NeedsADevice) {
    Held<ID3DXMesh> sphere;
    ASSERT_EQ(D3DXCreateSphere(nullptr, 1.0f, 8, 8, sphere.out(), nullptr), D3D_OK);
    EXPECT_LT(sphere->DrawSubset(0), 0);
}

}  // namespace
}  // namespace orbel::test
