#include "DeviceFixture.h"

namespace orbel::test {
namespace {

class TextureStageTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        if (IsSkipped()) return;
        // Lit with ambient only, so the lit colour is exactly the material's.
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
        D3DMATERIAL8 material{};
        material.Ambient = D3DCOLORVALUE{1, 1, 1, 1};
        material.Diffuse = D3DCOLORVALUE{1, 1, 1, 0};  // alpha 0: must not matter
        device->SetMaterial(&material);
    }

    // Texels given as 0xAARRGGBB words, rows top first.
    IDirect3DTexture8* MakeTexture(UINT width, UINT height, const std::vector<std::uint32_t>& texels) {
        IDirect3DTexture8* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (UINT y = 0; y < height; ++y)
            std::memcpy(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch, &texels[y * width], width * 4);
        texture->UnlockRect(0);
        return texture;
    }

    // The whole target as one textured quad, u and v running 0..1 from the
    // top-left corner.
    void DrawQuad() {
        const LitVertex v[6] = {{-1, 1, 0.5f, 0, 0, -1, 0, 0}, {1, 1, 0.5f, 0, 0, -1, 1, 0},
                                {-1, -1, 0.5f, 0, 0, -1, 0, 1}, {1, 1, 0.5f, 0, 0, -1, 1, 0},
                                {1, -1, 0.5f, 0, 0, -1, 1, 1}, {-1, -1, 0.5f, 0, 0, -1, 0, 1}};
        device->SetVertexShader(kLitFvf);
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, v, sizeof(LitVertex)), D3D_OK);
    }
};

TEST_F(TextureStageTest, TextureModulatesTheLitColourAndVZeroIsTheTopRow) {
    IDirect3DTexture8* texture = MakeTexture(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
    D3DMATERIAL8 material{};
    material.Ambient = D3DCOLORVALUE{1, 0.5f, 1, 1};
    device->SetMaterial(&material);
    device->SetTexture(0, texture);
    Clear(0xFF000000);
    DrawQuad();
    EXPECT_TRUE(NearRgb(Pixel(10, 10), 0xFF0000));
    EXPECT_TRUE(NearRgb(Pixel(50, 10), 0x008000)) << std::hex << Pixel(50, 10);
    EXPECT_TRUE(NearRgb(Pixel(10, 40), 0x0000FF));
    EXPECT_TRUE(NearRgb(Pixel(50, 40), 0xFF80FF)) << std::hex << Pixel(50, 40);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(TextureStageTest, AlphaTestLeavesHolesOnlyWhereTexelsHaveAlphaZero) {
    // The reference 0xFF000000 counts only by its low byte: alpha > 0 passes.
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0xFF000000);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    IDirect3DTexture8* texture = MakeTexture(2, 1, {0x00FFFFFF, 0x01FFFFFF});
    device->SetTexture(0, texture);
    Clear(0xFF202020);
    DrawQuad();
    EXPECT_EQ(Pixel(10, 24), 0x202020u);
    EXPECT_EQ(Pixel(50, 24), 0xFFFFFFu);

    // No texture: stage 0 reads opaque white, so nothing is cut although
    // the material's alpha is 0.
    device->SetTexture(0, nullptr);
    Clear(0xFF202020);
    DrawQuad();
    EXPECT_EQ(CountRgb(0xFFFFFF), static_cast<int>(kWidth * kHeight));

    // Opaque white fails "less than 128" everywhere and meets "equal to 255".
    device->SetRenderState(D3DRS_ALPHAREF, 0x80);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_LESS);
    Clear(0xFF202020);
    DrawQuad();
    EXPECT_EQ(CountRgb(0x202020), static_cast<int>(kWidth * kHeight));
    device->SetRenderState(D3DRS_ALPHAREF, 0xFF);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_EQUAL);
    Clear(0xFF202020);
    DrawQuad();
    EXPECT_EQ(CountRgb(0xFFFFFF), static_cast<int>(kWidth * kHeight));
    texture->Release();
}

TEST_F(TextureStageTest, XrgbTexturesAreOpaque) {
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(1, 1, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    *static_cast<std::uint32_t*>(locked.pBits) = 0x0000FF00;  // alpha byte 0, ignored
    texture->UnlockRect(0);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    device->SetTexture(0, texture);
    Clear(0xFF000000);
    DrawQuad();
    EXPECT_EQ(Pixel(32, 24), 0x00FF00u);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(TextureStageTest, StageDefaultsAreTheDocumentedOnes) {
    DWORD value = 0;
    device->GetTextureStageState(0, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_MODULATE));
    device->GetTextureStageState(0, D3DTSS_ALPHAOP, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_SELECTARG1));
    device->GetTextureStageState(1, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_DISABLE));
    device->GetTextureStageState(0, D3DTSS_MINFILTER, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_POINT));
    device->GetTextureStageState(0, D3DTSS_ADDRESSU, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTADDRESS_WRAP));
}

}  // namespace
}  // namespace orbel::test
