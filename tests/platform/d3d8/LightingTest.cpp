#include "DeviceFixture.h"

#include <algorithm>
#include <cmath>

namespace orbel::test {
namespace {

D3DCOLORVALUE Rgba(float r, float g, float b, float a = 1.0f) { return D3DCOLORVALUE{r, g, b, a}; }

int Channel(float value) { return static_cast<int>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)); }

std::uint32_t Rgb(float r, float g, float b) {
    return static_cast<std::uint32_t>(Channel(r) << 16 | Channel(g) << 8 | Channel(b));
}

class LightingTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        if (IsSkipped()) return;
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0xFF000000);
        D3DLIGHT8 light{};
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Diffuse = Rgba(1, 1, 1, 0);
        light.Direction = D3DVECTOR{0, 0, 1};  // shining into the screen
        ASSERT_EQ(device->SetLight(0, &light), D3D_OK);
        ASSERT_EQ(device->LightEnable(0, TRUE), D3D_OK);
    }

    // A triangle over the whole target whose vertices share one normal.
    void DrawFacing(float nx, float ny, float nz, float z = 0.5f) {
        const LitVertex v[3] = {{-1, 1, z, nx, ny, nz, 0, 0}, {3, 1, z, nx, ny, nz, 0, 0}, {-1, -3, z, nx, ny, nz, 0, 0}};
        device->SetVertexShader(kLitFvf);
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(LitVertex)), D3D_OK);
    }

    void SetMaterial(D3DCOLORVALUE diffuse, D3DCOLORVALUE ambient, D3DCOLORVALUE specular = {},
                     D3DCOLORVALUE emissive = {}, float power = 0.0f) {
        D3DMATERIAL8 material{diffuse, ambient, specular, emissive, power};
        ASSERT_EQ(device->SetMaterial(&material), D3D_OK);
    }
};

TEST_F(LightingTest, PlainAndHighlightMaterialsGiveFlatColoursWithLightOffAndWhiteAmbient) {
    device->LightEnable(0, FALSE);
    device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
    const float r = 200 * 0.003921569f, g = 100 * 0.003921569f, b = 30 * 0.003921569f;
    SetMaterial(Rgba(r, g, b), Rgba(r, g, b));
    Clear(0xFF000000);
    DrawFacing(0.3f, -0.5f, -0.8f);
    EXPECT_TRUE(NearRgb(Pixel(32, 24), 0xC8641E, 1)) << std::hex << Pixel(32, 24);

    SetMaterial(Rgba(1, 1, 1), Rgba(1, 1, 1));
    DrawFacing(0.0f, 1.0f, 0.0f);
    EXPECT_EQ(Pixel(32, 24), 0xFFFFFFu);
}

TEST_F(LightingTest, DirectionalLightFollowsTheLightingEquation) {
    const D3DCOLORVALUE diffuse = Rgba(0.8f, 0.5f, 0.2f), ambient = Rgba(0.5f, 0.5f, 0.5f),
                        emissive = Rgba(0.05f, 0.0f, 0.1f);
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = Rgba(1.0f, 0.5f, 1.0f, 0);
    light.Ambient = Rgba(0.2f, 0.2f, 0.2f, 0);
    light.Direction = D3DVECTOR{0, 0, 2};  // not unit length: only its direction counts
    device->SetLight(0, &light);
    device->SetRenderState(D3DRS_AMBIENT, 0xFF333333);  // 0.2
    SetMaterial(diffuse, ambient, {}, emissive);
    const float ambientLight = 0.2f + 0.2f;
    // Normals at 0, 60 and 90 degrees from the direction towards the light.
    const float angles[] = {0.0f, 60.0f, 90.0f, 120.0f};
    for (float degrees : angles) {
        const float radians = degrees * 3.14159265f / 180.0f;
        Clear(0xFF000000);
        DrawFacing(std::sin(radians), 0.0f, -std::cos(radians));
        const float lambert = std::max(0.0f, std::cos(radians));
        const std::uint32_t expected =
            Rgb(emissive.r + ambient.r * ambientLight + diffuse.r * 1.0f * lambert,
                emissive.g + ambient.g * ambientLight + diffuse.g * 0.5f * lambert,
                emissive.b + ambient.b * ambientLight + diffuse.b * 1.0f * lambert);
        EXPECT_TRUE(NearRgb(Pixel(32, 24), expected)) << degrees << " degrees: " << std::hex << Pixel(32, 24)
                                                       << " expected " << expected;
    }
}

TEST_F(LightingTest, NormalsAreTransformedByTheWorldMatrixButNotRenormalised) {
    SetMaterial(Rgba(0.25f, 0.25f, 0.25f), Rgba(0, 0, 0));
    Clear(0xFF000000);
    DrawFacing(0, 0, -2);  // twice unit length: twice the light
    EXPECT_TRUE(NearRgb(Pixel(32, 24), Rgb(0.5f, 0.5f, 0.5f))) << std::hex << Pixel(32, 24);
    device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    DrawFacing(0, 0, -2);
    EXPECT_TRUE(NearRgb(Pixel(32, 24), Rgb(0.25f, 0.25f, 0.25f))) << std::hex << Pixel(32, 24);
    device->SetRenderState(D3DRS_NORMALIZENORMALS, FALSE);

    // A normal along +x faces the light once the world turns it by 90
    // degrees about y (row vectors: (1,0,0) becomes (0,0,-1)).
    Clear(0xFF000000);
    const LitVertex side[3] = {{0, 1, -1, 1, 0, 0, 0, 0}, {0, 1, 3, 1, 0, 0, 0, 0}, {0, -3, -1, 1, 0, 0, 0, 0}};
    D3DMATRIX world = IdentityMatrix();
    world._11 = 0;
    world._13 = -1;
    world._31 = 1;
    world._33 = 0;
    world._43 = 0.5f;
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetVertexShader(kLitFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, side, sizeof(LitVertex)), D3D_OK);
    EXPECT_TRUE(NearRgb(Pixel(32, 24), Rgb(0.25f, 0.25f, 0.25f))) << std::hex << Pixel(32, 24);
}

TEST_F(LightingTest, VerticesWithoutNormalsGetAmbientOnlyAndTheirColourFeedsDiffuse) {
    SetMaterial(Rgba(1, 1, 1), Rgba(1, 0, 0));
    device->SetRenderState(D3DRS_AMBIENT, 0xFF404040);
    Clear(0xFF000000);
    const ColorVertex v[3] = {{-1, 1, 0.5f, 0xFF00FF00}, {3, 1, 0.5f, 0xFF00FF00}, {-1, -3, 0.5f, 0xFF00FF00}};
    device->SetVertexShader(kColorFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(ColorVertex)), D3D_OK);
    EXPECT_EQ(Pixel(32, 24), 0x400000u);
}

TEST_F(LightingTest, SpecularIsAddedAfterTexturingWhenEnabled) {
    // A black opaque texture removes the lit diffuse colour; only the
    // specular sum can show.
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    *static_cast<std::uint32_t*>(locked.pBits) = 0xFF000000;
    texture->UnlockRect(0);
    device->SetTexture(0, texture);
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = light.Specular = Rgba(1, 1, 1, 0);
    light.Direction = D3DVECTOR{0, 0, 1};
    device->SetLight(0, &light);
    SetMaterial(Rgba(1, 1, 1), Rgba(0, 0, 0), Rgba(0.4f, 0.4f, 0.4f), {}, 0.0f);

    device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    Clear(0xFF000000);
    DrawFacing(0, 0, -1);
    EXPECT_TRUE(NearRgb(Pixel(32, 24), Rgb(0.4f, 0.4f, 0.4f))) << std::hex << Pixel(32, 24);

    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    DrawFacing(0, 0, -1);
    EXPECT_EQ(Pixel(32, 24), 0x000000u);
    device->SetTexture(0, nullptr);
    texture->Release();
}

}  // namespace
}  // namespace orbel::test

namespace orbel::test {
namespace {

TEST_F(LightingTest, PositionAndNormalVerticesLightLikeTexturedOnes) {
    // The layout of generated spheres: position and normal only (0x12).
    struct Vertex {
        float x, y, z, nx, ny, nz;
    };
    D3DMATERIAL8 material{};
    material.Diffuse = D3DCOLORVALUE{0.5f, 1.0f, 0.25f, 1.0f};
    device->SetMaterial(&material);
    const Vertex v[3] = {{-1, 1, 0.5f, 0, 0, -1}, {3, 1, 0.5f, 0, 0, -1}, {-1, -3, 0.5f, 0, 0, -1}};
    Clear(0xFF000000);
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(Vertex)), D3D_OK);
    EXPECT_TRUE(NearRgb(Pixel(32, 24), Rgb(0.5f, 1.0f, 0.25f))) << std::hex << Pixel(32, 24);
}

}  // namespace
}  // namespace orbel::test
