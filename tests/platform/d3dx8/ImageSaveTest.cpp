#include "ImageTestSupport.h"

namespace orbel::test {
namespace {

// A target cleared in two colours: the left half red, the right half blue,
// with one green pixel at (1, 0).
IDirect3DSurface8* PaintedBackBuffer(IDirect3DDevice8* device, IDirect3DSwapChain8** chain, UINT width,
                                     UINT height) {
    D3DPRESENT_PARAMETERS pp = ChainPresentation(width, height);
    EXPECT_EQ(device->CreateAdditionalSwapChain(&pp, chain), D3D_OK);
    IDirect3DSurface8* backBuffer = nullptr;
    (*chain)->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    device->SetRenderTarget(backBuffer, nullptr);
    const D3DRECT left{0, 0, static_cast<LONG>(width / 2), static_cast<LONG>(height)};
    const D3DRECT right{static_cast<LONG>(width / 2), 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    const D3DRECT dot{1, 0, 2, 1};
    device->Clear(1, &left, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
    device->Clear(1, &right, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    device->Clear(1, &dot, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
    return backBuffer;
}

TEST_F(ImageTest, SavedBmpReadsBackWithTheSizeAndPixelsAfterPresent) {
    IDirect3DSwapChain8* chain = nullptr;
    IDirect3DSurface8* backBuffer = PaintedBackBuffer(device, &chain, 7, 5);
    ASSERT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const std::string path = folder + "\\render.bmp";
    ASSERT_EQ(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, backBuffer, nullptr, nullptr), D3D_OK);

    const Bytes file = ReadFile(folder + "/render.bmp");
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file[28], 24);  // bits per pixel
    EXPECT_EQ(file.size(), 54u + 5u * 24u);  // 7 * 3 = 21 bytes padded to 24 per row

    UINT width = 0, height = 0;
    const std::vector<std::uint32_t> texels = Load(path, &width, &height);
    ASSERT_EQ(width, 7u);
    ASSERT_EQ(height, 5u);
    EXPECT_EQ(texels[0], 0xFFFF0000u);
    EXPECT_EQ(texels[1], 0xFF00FF00u);
    EXPECT_EQ(texels[4 * 7 + 2], 0xFFFF0000u);
    EXPECT_EQ(texels[4 * 7 + 6], 0xFF0000FFu);

    device->SetRenderTarget(nullptr, nullptr);
    backBuffer->Release();
    chain->Release();
}

TEST_F(ImageTest, SavingRefusesWhatItCannotWrite) {
    IDirect3DSwapChain8* chain = nullptr;
    IDirect3DSurface8* backBuffer = PaintedBackBuffer(device, &chain, 4, 4);
    EXPECT_TRUE(FAILED(D3DXSaveSurfaceToFileA((folder + "\\x.png").c_str(), D3DXIFF_PNG, backBuffer, nullptr, nullptr)));
    EXPECT_TRUE(FAILED(D3DXSaveSurfaceToFileA(nullptr, D3DXIFF_BMP, backBuffer, nullptr, nullptr)));
    EXPECT_TRUE(FAILED(D3DXSaveSurfaceToFileA((folder + "\\x.bmp").c_str(), D3DXIFF_BMP, nullptr, nullptr, nullptr)));
    EXPECT_TRUE(
        FAILED(D3DXSaveSurfaceToFileA((folder + "\\no\\such\\folder.bmp").c_str(), D3DXIFF_BMP, backBuffer, nullptr, nullptr)));
    const RECT outside{0, 0, 5, 4};
    EXPECT_TRUE(FAILED(D3DXSaveSurfaceToFileA((folder + "\\x.bmp").c_str(), D3DXIFF_BMP, backBuffer, nullptr, &outside)));
    backBuffer->Release();
    chain->Release();
}

}  // namespace
}  // namespace orbel::test
