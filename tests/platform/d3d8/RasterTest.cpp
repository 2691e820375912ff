#include "DeviceFixture.h"

namespace orbel::test {
namespace {

class RasterTest : public DeviceTest {
protected:
    // A triangle given in pixel coordinates, drawn with vertex colours.
    HRESULT DrawTriangle(float x0, float y0, float x1, float y1, float x2, float y2, D3DCOLOR color,
                         float z = 0.5f) {
        const ColorVertex v[3] = {{NdcX(x0), NdcY(y0), z, color},
                                  {NdcX(x1), NdcY(y1), z, color},
                                  {NdcX(x2), NdcY(y2), z, color}};
        device->SetVertexShader(kColorFvf);
        return device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(ColorVertex));
    }
};

TEST_F(RasterTest, ClearFillsTheWholeTargetWithTheColour) {
    for (D3DCOLOR color : {0xFFBEBEBEu, 0xFFFFFFFFu, 0xFF393939u}) {
        Clear(color);
        EXPECT_EQ(CountRgb(color & 0xFFFFFFu), static_cast<int>(kWidth * kHeight));
    }
}

TEST_F(RasterTest, RowZeroIsTheTopOfTheImage) {
    Clear(0xFF000000);
    // A triangle covering the top-left corner only.
    ASSERT_EQ(DrawTriangle(0, 0, 20, 0, 0, 20, 0xFFFF0000), D3D_OK);
    EXPECT_EQ(Pixel(2, 2), 0xFF0000u);
    EXPECT_EQ(Pixel(2, kHeight - 3), 0x000000u);
    EXPECT_EQ(Pixel(kWidth - 3, 2), 0x000000u);
}

TEST_F(RasterTest, CullCcwDrawsClockwiseTrianglesOnly) {
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    Clear(0xFF000000);
    // Clockwise on screen (y grows downwards): top-left, top-right, bottom-left.
    DrawTriangle(4, 4, 28, 4, 4, 28, 0xFF00FF00);
    // Counter-clockwise on screen: culled.
    DrawTriangle(36, 4, 36, 28, 60, 4, 0xFFFF0000);
    EXPECT_EQ(Pixel(8, 8), 0x00FF00u);
    EXPECT_EQ(Pixel(40, 8), 0x000000u);

    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawTriangle(36, 4, 36, 28, 60, 4, 0xFFFF0000);
    EXPECT_EQ(Pixel(40, 8), 0xFF0000u);

    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    Clear(0xFF000000);
    DrawTriangle(4, 4, 28, 4, 4, 28, 0xFF00FF00);
    DrawTriangle(36, 4, 36, 28, 60, 4, 0xFFFF0000);
    EXPECT_EQ(Pixel(8, 8), 0x000000u);
    EXPECT_EQ(Pixel(40, 8), 0xFF0000u);
}

TEST_F(RasterTest, DepthTestKeepsTheNearerSurfaceWhateverTheOrder) {
    Clear(0xFF000000);
    DrawTriangle(0, 0, 64, 0, 0, 48, 0xFF0000FF, 0.25f);
    DrawTriangle(0, 0, 64, 0, 0, 48, 0xFFFF0000, 0.75f);
    EXPECT_EQ(Pixel(5, 5), 0x0000FFu);
    // Equal depth passes (LESSEQUAL).
    DrawTriangle(0, 0, 64, 0, 0, 48, 0xFF00FF00, 0.25f);
    EXPECT_EQ(Pixel(5, 5), 0x00FF00u);
    // With the depth test off the last one drawn wins.
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    DrawTriangle(0, 0, 64, 0, 0, 48, 0xFFFF0000, 0.75f);
    EXPECT_EQ(Pixel(5, 5), 0xFF0000u);
}

TEST_F(RasterTest, FillModesAffectTrianglesOnly) {
    const D3DCOLOR white = 0xFFFFFFFF;
    Clear(0xFF000000);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    DrawTriangle(8, 8, 56, 8, 8, 40, white);
    // Edges drawn, the inside left alone.
    EXPECT_EQ(Pixel(20, 8), 0xFFFFFFu);
    EXPECT_EQ(Pixel(8, 20), 0xFFFFFFu);
    EXPECT_EQ(Pixel(16, 16), 0x000000u);
    const int wire = CountRgb(0xFFFFFF);

    Clear(0xFF000000);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_POINT);
    DrawTriangle(8, 8, 56, 8, 8, 40, white);
    const int points = CountRgb(0xFFFFFF);
    EXPECT_GT(points, 0);
    EXPECT_LE(points, 3 * 4);  // three points of at most 2 x 2 pixels
    EXPECT_LT(points, wire);

    Clear(0xFF000000);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    DrawTriangle(8, 8, 56, 8, 8, 40, white);
    EXPECT_EQ(Pixel(16, 16), 0xFFFFFFu);
    EXPECT_GT(CountRgb(0xFFFFFF), wire);

    // A line list is a line in every fill mode.
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_POINT);
    Clear(0xFF000000);
    const ColorVertex line[2] = {{NdcX(4), NdcY(30), 0.5f, white}, {NdcX(60), NdcY(30), 0.5f, white}};
    device->SetVertexShader(kColorFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_LINELIST, 1, line, sizeof(ColorVertex)), D3D_OK);
    EXPECT_GE(CountRgb(0xFFFFFF), 50);
}

TEST_F(RasterTest, PointSizeComesFromTheFloatBitsOfTheState) {
    const ColorVertex point = {NdcX(20), NdcY(20), 0.5f, 0xFFFFFFFF};
    device->SetVertexShader(kColorFvf);
    for (float size : {2.0f, 5.0f}) {
        Clear(0xFF000000);
        ASSERT_EQ(device->SetRenderState(D3DRS_POINTSIZE, FloatBits(size)), D3D_OK);
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &point, sizeof point), D3D_OK);
        const int side = static_cast<int>(size);
        EXPECT_EQ(CountRgb(0xFFFFFF), side * side) << "size " << size;
    }
    EXPECT_EQ(FloatBits(2.0f), 0x40000000u);
}

TEST_F(RasterTest, LineStripAndListUseVertexColoursWithLightingOff) {
    struct Line {
        float x, y;
    };
    const D3DCOLOR grey = 0xFF969696;
    IDirect3DVertexBuffer8* vb = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(5 * sizeof(ColorVertex), 0, kColorFvf, D3DPOOL_DEFAULT, &vb), D3D_OK);
    BYTE* data = nullptr;
    ASSERT_EQ(vb->Lock(0, 0, &data, 0), D3D_OK);
    const Line corners[5] = {{8, 8}, {56, 8}, {56, 40}, {8, 40}, {8, 8}};
    auto* vertices = reinterpret_cast<ColorVertex*>(data);
    for (int k = 0; k < 5; ++k) vertices[k] = {NdcX(corners[k].x), NdcY(corners[k].y), 0.5f, grey};
    ASSERT_EQ(vb->Unlock(), D3D_OK);

    Clear(0xFF000000);
    device->SetStreamSource(0, vb, sizeof(ColorVertex));
    device->SetVertexShader(kColorFvf);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_LINESTRIP, 0, 4), D3D_OK);
    // All four sides of the closed strip, the inside untouched.
    EXPECT_EQ(Pixel(30, 8), 0x969696u);
    EXPECT_EQ(Pixel(56, 24), 0x969696u);
    EXPECT_EQ(Pixel(30, 40), 0x969696u);
    EXPECT_EQ(Pixel(8, 24), 0x969696u);
    EXPECT_EQ(Pixel(30, 24), 0x000000u);

    Clear(0xFF000000);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_LINELIST, 1, 1), D3D_OK);  // right side only
    EXPECT_EQ(Pixel(56, 24), 0x969696u);
    EXPECT_EQ(Pixel(30, 8), 0x000000u);

    // Drawing past the end of the buffer is refused.
    EXPECT_EQ(device->DrawPrimitive(D3DPT_LINELIST, 4, 1), D3DERR_INVALIDCALL);
    device->SetStreamSource(0, nullptr, 0);
    vb->Release();
}

}  // namespace
}  // namespace orbel::test

namespace orbel::test {
namespace {

class ShadingTest : public DeviceTest {};

TEST_F(ShadingTest, FlatShadingTakesTheFirstVertexColour) {
    const ColorVertex v[3] = {{-1, 1, 0.5f, 0xFFFF0000}, {3, 1, 0.5f, 0xFF00FF00}, {-1, -3, 0.5f, 0xFF0000FF}};
    device->SetVertexShader(kColorFvf);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    Clear(0xFF000000);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(ColorVertex)), D3D_OK);
    EXPECT_EQ(CountRgb(0xFF0000), static_cast<int>(kWidth * kHeight));

    // Gouraud blends: the corner at the first vertex is nearly pure red,
    // the middle is a mixture.
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(ColorVertex)), D3D_OK);
    EXPECT_TRUE(NearRgb(Pixel(0, 0), 0xFF0000, 12)) << std::hex << Pixel(0, 0);
    EXPECT_NE(Pixel(32, 24), 0xFF0000u);
}

TEST_F(ShadingTest, SetRenderTargetWithoutColourKeepsTheCurrentTarget) {
    ASSERT_EQ(device->SetRenderTarget(nullptr, depth), D3D_OK);
    IDirect3DSurface8* current = nullptr;
    ASSERT_EQ(device->GetRenderTarget(&current), D3D_OK);
    EXPECT_EQ(current, backBuffer);
    current->Release();
    // A depth surface cannot be a colour target, nor the other way round.
    EXPECT_EQ(device->SetRenderTarget(depth, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetRenderTarget(backBuffer, backBuffer), D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace orbel::test
