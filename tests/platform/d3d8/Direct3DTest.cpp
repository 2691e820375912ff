#include "DeviceFixture.h"

#include <d3d8/EarlyDisplay.h>
#include <d3d8/PresentTarget.h>

#include <map>

namespace orbel::test {
namespace {

class Direct3DTest : public ::testing::Test {
protected:
    void SetUp() override {
        D3D8SetTestControl({});
        IDirect3D8* probe = Direct3DCreate8(D3D_SDK_VERSION);
        if (!probe) GTEST_SKIP() << "no OpenGL device";
        probe->Release();
    }
    void TearDown() override {
        D3D8SetTestControl({});
        D3D8SetPresentTarget(nullptr);
    }

    static bool DepthAccepted(IDirect3D8* d3d, D3DFORMAT display, D3DFORMAT depth) {
        return SUCCEEDED(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, display, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                                depth)) &&
               SUCCEEDED(d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, display, display, depth));
    }
};

// A window layer stand-in: fixed client sizes, remembers what was shown.
struct RecordingTarget final : IPresentTarget {
    std::map<HWND, std::pair<int, int>> sizes;
    HWND shownIn = nullptr;
    int shownWidth = 0, shownHeight = 0;
    std::uint32_t firstPixel = 0;
    bool GetClientSize(HWND hWnd, int& width, int& height) override {
        auto found = sizes.find(hWnd);
        if (found == sizes.end()) return false;
        width = found->second.first;
        height = found->second.second;
        return true;
    }
    void PresentImage(HWND hWnd, const void* bgra, int width, int height, int) override {
        shownIn = hWnd;
        shownWidth = width;
        shownHeight = height;
        std::memcpy(&firstPixel, bgra, 4);
    }
};

TEST_F(Direct3DTest, StartUpSequenceSucceedsAndEveryStateReadsBack) {
    IDirect3D8* d3d = Direct3DCreate8(220);
    ASSERT_NE(d3d, nullptr);
    D3DDISPLAYMODE mode{};
    ASSERT_EQ(d3d->GetAdapterDisplayMode(0, &mode), D3D_OK);
    EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
    EXPECT_TRUE(DepthAccepted(d3d, mode.Format, D3DFMT_D32));
    EXPECT_TRUE(DepthAccepted(d3d, mode.Format, D3DFMT_D24S8));
    D3DCAPS8 caps{};
    d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps);
    EXPECT_TRUE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);

    D3DPRESENT_PARAMETERS pp = DevicePresentation(mode.Format, D3DFMT_D32);
    IDirect3DDevice8* device = nullptr;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(), D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device),
              D3D_OK);
    const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {
        {D3DRS_CULLMODE, D3DCULL_NONE}, {D3DRS_ZENABLE, TRUE},         {D3DRS_FILLMODE, D3DFILL_SOLID},
        {D3DRS_SHADEMODE, D3DSHADE_GOURAUD}, {D3DRS_AMBIENT, 0xFF323232}, {D3DRS_SPECULARENABLE, TRUE},
        {D3DRS_POINTSIZE, 0x40000000}, {D3DRS_LIGHTING, TRUE}};
    for (auto [state, value] : states) {
        ASSERT_EQ(device->SetRenderState(state, value), D3D_OK);
        DWORD read = 0;
        device->GetRenderState(state, &read);
        EXPECT_EQ(read, value) << state;
    }
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = light.Specular = light.Ambient = D3DCOLORVALUE{1, 1, 1, 0};
    light.Direction = D3DVECTOR{-1, -1, 1};
    ASSERT_EQ(device->SetLight(0, &light), D3D_OK);
    ASSERT_EQ(device->LightEnable(0, TRUE), D3D_OK);
    light.Diffuse = D3DCOLORVALUE{0.25f, 0.5f, 0.75f, 0};
    device->SetLight(0, &light);
    D3DLIGHT8 read{};
    ASSERT_EQ(device->GetLight(0, &read), D3D_OK);
    EXPECT_EQ(std::memcmp(&read, &light, sizeof light), 0);
    BOOL enabled = FALSE;
    device->GetLightEnable(0, &enabled);
    EXPECT_TRUE(enabled);

    // Defaults the drawing relies on without setting them.
    const std::pair<D3DRENDERSTATETYPE, DWORD> defaults[] = {
        {D3DRS_ZWRITEENABLE, TRUE}, {D3DRS_ZFUNC, D3DCMP_LESSEQUAL}, {D3DRS_ALPHABLENDENABLE, FALSE},
        {D3DRS_LOCALVIEWER, TRUE}, {D3DRS_NORMALIZENORMALS, FALSE}, {D3DRS_COLORVERTEX, TRUE},
        {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1}, {D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL}};
    for (auto [state, value] : defaults) {
        DWORD current = 0;
        device->GetRenderState(state, &current);
        EXPECT_EQ(current, value) << state;
    }
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(d3d->Release(), 0u);
}

TEST_F(Direct3DTest, InjectedFailures) {
    EXPECT_EQ(Direct3DCreate8(120), nullptr);  // another SDK version
    D3D8SetTestControl({.failDirect3DCreate = true});
    EXPECT_EQ(Direct3DCreate8(D3D_SDK_VERSION), nullptr);

    D3D8SetTestControl({.failCreateDevice = true, .refuseD32 = true, .refuseD24S8 = true, .noHardwareTnL = true});
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    EXPECT_FALSE(DepthAccepted(d3d, D3DFMT_X8R8G8B8, D3DFMT_D32));
    EXPECT_FALSE(DepthAccepted(d3d, D3DFMT_X8R8G8B8, D3DFMT_D24S8));
    EXPECT_TRUE(DepthAccepted(d3d, D3DFMT_X8R8G8B8, D3DFMT_D16));
    D3DCAPS8 caps{};
    d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps);
    EXPECT_FALSE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    D3DPRESENT_PARAMETERS pp = DevicePresentation(D3DFMT_X8R8G8B8, D3DFMT_D16);
    IDirect3DDevice8* device = reinterpret_cast<IDirect3DDevice8*>(1);
    EXPECT_TRUE(FAILED(
        d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(), D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device)));
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(d3d->Release(), 0u);
}

TEST_F(Direct3DTest, CreateDeviceWantsExactlyOneVertexProcessingAndAnOfferedDepthFormat) {
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS pp = DevicePresentation(D3DFMT_X8R8G8B8, D3DFMT_D16);
    IDirect3DDevice8* device = nullptr;
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(),
                                D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp,
                                &device),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(), 0, &pp, &device), D3DERR_INVALIDCALL);
    D3D8SetTestControl({.refuseD16 = true});
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(), D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device, nullptr);
    d3d->Release();
}

TEST_F(Direct3DTest, ZeroSizedSwapChainsTakeTheClientSizeAndPresentToTheirWindow) {
    RecordingTarget target;
    target.sizes[FakeWindow(1)] = {40, 30};
    target.sizes[FakeWindow(7)] = {24, 16};
    D3D8SetPresentTarget(&target);
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS pp = DevicePresentation(D3DFMT_X8R8G8B8, D3DFMT_D16);
    IDirect3DDevice8* device = nullptr;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(1), D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device),
              D3D_OK);
    EXPECT_EQ(pp.BackBufferWidth, 40u);
    EXPECT_EQ(pp.BackBufferHeight, 30u);

    D3DPRESENT_PARAMETERS view = ChainPresentation(0, 0, FakeWindow(7));
    IDirect3DSwapChain8* chain = nullptr;
    ASSERT_EQ(device->CreateAdditionalSwapChain(&view, &chain), D3D_OK);
    IDirect3DSurface8* backBuffer = nullptr;
    chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    D3DSURFACE_DESC desc{};
    backBuffer->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 24u);
    EXPECT_EQ(desc.Height, 16u);

    // SetRenderTarget makes the viewport the whole new target.
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 40u);
    ASSERT_EQ(device->SetRenderTarget(backBuffer, nullptr), D3D_OK);
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 24u);
    EXPECT_EQ(viewport.Height, 16u);

    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF123456, 1.0f, 0);
    ASSERT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(target.shownIn, FakeWindow(7));
    EXPECT_EQ(target.shownWidth, 24);
    EXPECT_EQ(target.shownHeight, 16);
    EXPECT_EQ(target.firstPixel, 0xFF123456u);

    // A chain without a window of its own presents to the focus window, and
    // the back buffer keeps its pixels.
    view.hDeviceWindow = nullptr;
    view.BackBufferWidth = 8;
    view.BackBufferHeight = 8;
    IDirect3DSwapChain8* render = nullptr;
    ASSERT_EQ(device->CreateAdditionalSwapChain(&view, &render), D3D_OK);
    IDirect3DSurface8* renderBuffer = nullptr;
    render->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &renderBuffer);
    device->SetRenderTarget(renderBuffer, nullptr);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0);
    render->Present(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(target.shownIn, FakeWindow(1));
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(renderBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(*static_cast<std::uint32_t*>(locked.pBits), 0xFFFFFFFFu);
    renderBuffer->UnlockRect();

    renderBuffer->Release();
    render->Release();
    backBuffer->Release();
    chain->Release();
    device->Release();
    d3d->Release();
}

TEST_F(Direct3DTest, WithoutAPresentTargetTheLastImageIsKept) {
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS pp = DevicePresentation(D3DFMT_X8R8G8B8, D3DFMT_D16);
    IDirect3DDevice8* device = nullptr;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(3), D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device),
              D3D_OK);
    D3D8PresentedImage image;
    D3D8TakeLastPresentedImage(image);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    ASSERT_TRUE(D3D8TakeLastPresentedImage(image));
    EXPECT_EQ(image.window, FakeWindow(3));
    ASSERT_FALSE(image.argb.empty());
    EXPECT_EQ(image.argb[0], 0xFF00FF00u);
    EXPECT_FALSE(D3D8TakeLastPresentedImage(image));
    device->Release();
    d3d->Release();
}

// Run as the first test of its process (as ctest runs each), the display
// opens and the context is set up on the worker thread, and the device is
// made and draws on this one.
class EarlyDisplayTest : public DeviceTest {
protected:
    void SetUp() override {
        D3D8BeginOpeningDisplay();
        D3D8BeginOpeningDisplay();  // a second call changes nothing
        DeviceTest::SetUp();
    }
};

TEST_F(EarlyDisplayTest, DevicesDrawTheDirect3DWayUp) {
    // A triangle over the upper half only: row 0 at the top, depth 0..1 and
    // the first vertex's flat colour are the context's conventions, set on
    // the worker.
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    const ColorVertex triangle[] = {{-1.0f, 1.0f, 0.5f, 0xFFFF0000u},
                                    {3.0f, 1.0f, 0.5f, 0xFF00FF00u},
                                    {-1.0f, -0.0f, 0.5f, 0xFF0000FFu}};
    Clear(0xFF336699);
    device->SetVertexShader(kColorFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(ColorVertex)), D3D_OK);
    EXPECT_EQ(Pixel(2, 2), 0xFF0000u);
    EXPECT_EQ(Pixel(2, kHeight - 3), 0x336699u);

    ASSERT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    D3D8PresentedImage image;
    ASSERT_TRUE(D3D8TakeLastPresentedImage(image));
    ASSERT_EQ(image.argb.size(), static_cast<std::size_t>(kWidth) * kHeight);
    EXPECT_EQ(image.argb[2 * kWidth + 2] & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(image.argb[(kHeight - 3) * kWidth + 2] & 0xFFFFFFu, 0x336699u);
}

// Present reads the back buffer late; whatever reads or writes the back
// buffer meanwhile, the image shown is the one presented.
class BackBufferAfterPresentTest : public DeviceTest {};

TEST_F(BackBufferAfterPresentTest, ReadsAndWritesRightAfterPresentLeaveThePresentedImage) {
    D3D8PresentedImage image;
    Clear(0xFFFF0000);
    ASSERT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(Pixel(3, 3), 0xFF0000u) << "a lock right after Present reads the presented pixels";
    Clear(0xFF00FF00);  // drawn before the presented image has landed
    ASSERT_TRUE(D3D8TakeLastPresentedImage(image));
    EXPECT_EQ(image.argb[0], 0xFFFF0000u);
    EXPECT_EQ(Pixel(3, 3), 0x00FF00u);

    ASSERT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(backBuffer->LockRect(&locked, nullptr, 0), D3D_OK);
    std::memset(locked.pBits, 0xFF, 4);
    backBuffer->UnlockRect();
    ASSERT_TRUE(D3D8TakeLastPresentedImage(image));
    EXPECT_EQ(image.argb[0], 0xFF00FF00u) << "written through a lock after it was presented";
    EXPECT_EQ(Pixel(0, 0), 0xFFFFFFu);
}

TEST_F(EarlyDisplayTest, TheStreamRingMadeAheadGrowsLikeAnyOther) {
    // More vertices in one draw than the ring's start size holds: all
    // degenerate but the last triangle, which covers the upper half.
    std::vector<ColorVertex> vertices(3 * 120000, ColorVertex{0.0f, 0.0f, 0.5f, 0xFF00FF00u});
    const std::size_t last = vertices.size() - 3;
    vertices[last] = {-1.0f, 1.0f, 0.5f, 0xFFFF0000u};
    vertices[last + 1] = {3.0f, 1.0f, 0.5f, 0xFFFF0000u};
    vertices[last + 2] = {-1.0f, 0.0f, 0.5f, 0xFFFF0000u};
    ASSERT_GT(vertices.size() * sizeof(ColorVertex), std::size_t{4} << 20);
    Clear(0xFF336699);
    device->SetVertexShader(kColorFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(vertices.size() / 3), vertices.data(),
                                      sizeof(ColorVertex)),
              D3D_OK);
    EXPECT_EQ(Pixel(2, 2), 0xFF0000u);
    EXPECT_EQ(Pixel(2, kHeight - 3), 0x336699u);
    // And small draws go on through the grown ring.
    const ColorVertex triangle[] = {{-1.0f, 0.0f, 0.5f, 0xFF0000FFu},
                                    {3.0f, 0.0f, 0.5f, 0xFF0000FFu},
                                    {-1.0f, -1.0f, 0.5f, 0xFF0000FFu}};
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(ColorVertex)), D3D_OK);
    EXPECT_EQ(Pixel(2, kHeight - 3), 0x0000FFu);
}

}  // namespace
}  // namespace orbel::test
