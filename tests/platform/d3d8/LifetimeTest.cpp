#include "DeviceFixture.h"

#include <d3d8/PresentTarget.h>

#include <map>

namespace orbel::test {
namespace {

class LifetimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        D3D8SetTestControl({});
        baseline = D3D8LiveObjectCount();
        d3d = Direct3DCreate8(D3D_SDK_VERSION);
        if (!d3d) GTEST_SKIP() << "no OpenGL device";
        D3DPRESENT_PARAMETERS pp = DevicePresentation(D3DFMT_UNKNOWN, D3DFMT_D16);
        ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(), D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp,
                                    &device),
                  D3D_OK);
    }
    long baseline = 0;
    IDirect3D8* d3d = nullptr;
    IDirect3DDevice8* device = nullptr;
};

TEST_F(LifetimeTest, TexturesMayBeReleasedAfterTheDeviceAndTheDirect3DObject) {
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
    device->SetTexture(0, texture);  // the device's own reference goes with it
    IDirect3DVertexBuffer8* vb = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(64, 0, kColorFvf, D3DPOOL_DEFAULT, &vb), D3D_OK);
    device->SetStreamSource(0, vb, 16);

    device->Release();
    d3d->Release();
    EXPECT_GT(D3D8LiveObjectCount(), baseline);

    // The texture still works and still knows its device.
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
    IDirect3DDevice8* owner = nullptr;
    ASSERT_EQ(texture->GetDevice(&owner), D3D_OK);
    ASSERT_NE(owner, nullptr);
    owner->Release();

    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(vb->Release(), 0u);
    EXPECT_EQ(D3D8LiveObjectCount(), baseline);
}

TEST_F(LifetimeTest, EveryReferenceHandedOutIsTheCallers) {
    D3DPRESENT_PARAMETERS pp = ChainPresentation(8, 8, nullptr, D3DFMT_UNKNOWN);
    IDirect3DSwapChain8* chain = nullptr;
    ASSERT_EQ(device->CreateAdditionalSwapChain(&pp, &chain), D3D_OK);
    IDirect3DSurface8* backBuffer = nullptr;
    ASSERT_EQ(chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
    EXPECT_EQ(backBuffer->AddRef(), 3u);  // the chain's, ours, this one
    backBuffer->Release();
    IDirect3DSurface8* depth = nullptr;
    ASSERT_EQ(device->CreateDepthStencilSurface(8, 8, D3DFMT_D16, D3DMULTISAMPLE_NONE, &depth), D3D_OK);
    ASSERT_EQ(device->SetRenderTarget(backBuffer, depth), D3D_OK);

    // The paint order: surfaces and chain released while still bound.
    depth->Release();
    backBuffer->Release();
    EXPECT_EQ(chain->Release(), 0u);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);

    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(d3d->Release(), 0u);
    EXPECT_EQ(D3D8LiveObjectCount(), baseline);
}

TEST_F(LifetimeTest, ReleasingTheFrameOrderLeavesNothingBehind) {
    // Grid and axes buffers, then the device, then the Direct3D object.
    IDirect3DVertexBuffer8* grid = nullptr;
    IDirect3DVertexBuffer8* axes = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(80, 0, kColorFvf, D3DPOOL_DEFAULT, &grid), D3D_OK);
    ASSERT_EQ(device->CreateVertexBuffer(64, 0, kColorFvf, D3DPOOL_DEFAULT, &axes), D3D_OK);
    grid->Release();
    axes->Release();
    device->Release();
    d3d->Release();
    EXPECT_EQ(D3D8LiveObjectCount(), baseline);
}

// A window layer stand-in that takes images late, as the real one does.
struct LateTarget final : IPresentTarget {
    std::map<HWND, std::uint32_t> shown;  // first pixel of each window's image
    bool GetClientSize(HWND, int&, int&) override { return false; }
    bool TakesLateImages() override { return true; }
    void PresentImage(HWND hWnd, const void* bgra, int, int, int) override {
        std::uint32_t first = 0;
        std::memcpy(&first, bgra, 4);
        shown[hWnd] = first;
    }
};

// Presents from an 8 x 8 swap chain of its own, cleared to `color`, and
// releases it at once; the device draws into its own back buffer again, so
// the chain's goes with the chain.
void PresentAndRelease(IDirect3DDevice8* device, HWND window, D3DCOLOR color) {
    D3DPRESENT_PARAMETERS pp = ChainPresentation(8, 8, window);
    IDirect3DSwapChain8* chain = nullptr;
    ASSERT_EQ(device->CreateAdditionalSwapChain(&pp, &chain), D3D_OK);
    IDirect3DSurface8* backBuffer = nullptr;
    chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    device->SetRenderTarget(backBuffer, nullptr);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, color, 1.0f, 0);
    chain->Present(nullptr, nullptr, nullptr, nullptr);
    IDirect3DSurface8* own = nullptr;
    device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &own);
    device->SetRenderTarget(own, nullptr);
    own->Release();
    backBuffer->Release();
    EXPECT_EQ(chain->Release(), 0u);
}

TEST_F(LifetimeTest, ChainsAndTheDeviceReleasedWithTheirImagesOnTheWayStillShowThemAndLeaveNothing) {
    LateTarget target;
    D3D8SetPresentTarget(&target);
    // The second chain's back buffer is made while the first one's image
    // is still to be read: it must not be handed the first one's texture.
    PresentAndRelease(device, FakeWindow(10), 0xFFFF0000);
    PresentAndRelease(device, FakeWindow(11), 0xFF00FF00);
    EXPECT_TRUE(target.shown.empty()) << "the images land late";
    D3D8LandPresents();
    EXPECT_EQ(target.shown[FakeWindow(10)], 0xFFFF0000u);
    EXPECT_EQ(target.shown[FakeWindow(11)], 0xFF00FF00u);

    // The device goes too before its last image has landed.
    PresentAndRelease(device, FakeWindow(12), 0xFF0000FF);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(d3d->Release(), 0u);
    D3D8SetPresentTarget(nullptr);  // lands what is on its way first
    EXPECT_EQ(target.shown[FakeWindow(12)], 0xFF0000FFu);
    EXPECT_EQ(D3D8LiveObjectCount(), baseline);
}

}  // namespace
}  // namespace orbel::test
