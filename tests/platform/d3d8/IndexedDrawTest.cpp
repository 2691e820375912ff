#include "DeviceFixture.h"

namespace orbel::test {
namespace {

class IndexedDrawTest : public DeviceTest {
protected:
    // Four corners of a quad at vertex indices 10..13 of a larger array.
    std::vector<ColorVertex> vertices = std::vector<ColorVertex>(20, ColorVertex{0, 0, 0.5f, 0xFFFF0000});
    void SetUp() override {
        DeviceTest::SetUp();
        if (IsSkipped()) return;
        vertices[10] = {-1, 1, 0.5f, 0xFF00FF00};
        vertices[11] = {1, 1, 0.5f, 0xFF00FF00};
        vertices[12] = {-1, -1, 0.5f, 0xFF00FF00};
        vertices[13] = {1, -1, 0.5f, 0xFF00FF00};
        device->SetVertexShader(kColorFvf);
    }
};

TEST_F(IndexedDrawTest, UserPointerDrawUsesTheDeclaredVertexRange) {
    const WORD indices[6] = {10, 11, 12, 11, 13, 12};
    Clear(0xFF000000);
    ASSERT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 10, 4, 2, indices, D3DFMT_INDEX16,
                                             vertices.data(), sizeof(ColorVertex)),
              D3D_OK);
    EXPECT_EQ(CountRgb(0x00FF00), static_cast<int>(kWidth * kHeight));

    // A range with no triangles draws nothing and succeeds.
    Clear(0xFF000000);
    EXPECT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 10, 4, 0, indices, D3DFMT_INDEX16, vertices.data(),
                                             sizeof(ColorVertex)),
              D3D_OK);
    EXPECT_EQ(CountRgb(0x000000), static_cast<int>(kWidth * kHeight));
}

TEST_F(IndexedDrawTest, IndicesOutsideTheDeclaredRangeAreRefused) {
    const WORD indices[3] = {10, 11, 19};
    EXPECT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 10, 4, 1, indices, D3DFMT_INDEX16, vertices.data(),
                                             sizeof(ColorVertex)),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 10, 4, 1, nullptr, D3DFMT_INDEX16, vertices.data(),
                                             sizeof(ColorVertex)),
              D3DERR_INVALIDCALL);
}

TEST_F(IndexedDrawTest, IndexBufferDrawAddsTheBaseVertex) {
    IDirect3DVertexBuffer8* vb = nullptr;
    IDirect3DIndexBuffer8* ib = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(20 * sizeof(ColorVertex), 0, kColorFvf, D3DPOOL_DEFAULT, &vb), D3D_OK);
    ASSERT_EQ(device->CreateIndexBuffer(6 * sizeof(WORD), 0, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &ib), D3D_OK);
    BYTE* data = nullptr;
    ASSERT_EQ(vb->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, vertices.data(), 20 * sizeof(ColorVertex));
    vb->Unlock();
    const WORD indices[6] = {0, 1, 2, 1, 3, 2};
    ASSERT_EQ(ib->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, indices, sizeof indices);
    ib->Unlock();
    device->SetStreamSource(0, vb, sizeof(ColorVertex));
    device->SetIndices(ib, 10);
    Clear(0xFF000000);
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3D_OK);
    EXPECT_EQ(CountRgb(0x00FF00), static_cast<int>(kWidth * kHeight));
    // Base 17 would reach vertex 20 of a 20-vertex buffer.
    device->SetIndices(ib, 17);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3DERR_INVALIDCALL);
    device->SetStreamSource(0, nullptr, 0);
    device->SetIndices(nullptr, 0);
    vb->Release();
    ib->Release();
}

TEST_F(IndexedDrawTest, BufferLocksStayInsideTheBuffer) {
    IDirect3DVertexBuffer8* vb = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(384, D3DUSAGE_DYNAMIC, kColorFvf, D3DPOOL_DEFAULT, &vb), D3D_OK);
    BYTE* data = nullptr;
    EXPECT_EQ(vb->Lock(0, 384, &data, 0), D3D_OK);
    EXPECT_NE(data, nullptr);
    EXPECT_EQ(vb->Unlock(), D3D_OK);
    EXPECT_EQ(vb->Lock(0, 385, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(vb->Lock(384, 0, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(vb->Unlock(), D3DERR_INVALIDCALL);
    D3DVERTEXBUFFER_DESC desc{};
    vb->GetDesc(&desc);
    EXPECT_EQ(desc.Size, 384u);
    EXPECT_EQ(desc.FVF, kColorFvf);
    vb->Release();
}

}  // namespace
}  // namespace orbel::test

namespace orbel::test {
namespace {

TEST_F(IndexedDrawTest, StreamingMoreThanTheRingHoldsKeepsEveryDraw) {
    // 100 draws of a 1 MB vertex range each grow the stream ring to its
    // largest size and pass its end; every point must still land with its
    // own colour.
    constexpr UINT kVertices = 65536;
    constexpr int kDraws = 100;
    std::vector<ColorVertex> big(kVertices, ColorVertex{0, 0, 0.5f, 0xFF000000});
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(1.0f));
    Clear(0xFF000000);
    for (int k = 0; k < kDraws; ++k) {
        const WORD index = static_cast<WORD>(kVertices - 1 - k);
        big[index] = {NdcX(static_cast<float>(4 + k % 50)), NdcY(static_cast<float>(10 + 2 * (k / 50))), 0.5f,
                      0xFF000000u | static_cast<D3DCOLOR>(k + 1)};
        ASSERT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_POINTLIST, 0, kVertices, 1, &index, D3DFMT_INDEX16,
                                                 big.data(), sizeof(ColorVertex)),
                  D3D_OK);
    }
    const std::vector<std::uint32_t> pixels = Pixels();
    for (int k = 0; k < kDraws; ++k)
        EXPECT_EQ(pixels[(10 + 2 * (k / 50)) * kWidth + 4 + k % 50] & 0xFFFFFFu, static_cast<std::uint32_t>(k + 1))
            << k;
}

TEST_F(IndexedDrawTest, OneDrawLargerThanTheFreshRingIsDrawnWhole) {
    // 6 MB of vertices and 3 MB of indices: more than a new device's stream
    // ring holds, so the ring grows while this one draw is written. Only
    // the last triangle has an area.
    constexpr UINT kVertices = 393216;
    constexpr UINT kTriangles = 500000;
    std::vector<ColorVertex> vertices(kVertices, ColorVertex{0, 0, 0.5f, 0xFF000000});
    vertices[1] = {NdcX(0), NdcY(0), 0.5f, 0xFF00FF00};
    vertices[2] = {NdcX(40), NdcY(0), 0.5f, 0xFF00FF00};
    vertices[3] = {NdcX(0), NdcY(40), 0.5f, 0xFF00FF00};
    std::vector<WORD> indices(3 * kTriangles, 0);
    indices[3 * kTriangles - 3] = 1;
    indices[3 * kTriangles - 2] = 2;
    indices[3 * kTriangles - 1] = 3;
    Clear(0xFF000000);
    ASSERT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, kVertices, kTriangles, indices.data(),
                                             D3DFMT_INDEX16, vertices.data(), sizeof(ColorVertex)),
              D3D_OK);
    EXPECT_EQ(Pixel(8, 8), 0x00FF00u);
}

}  // namespace
}  // namespace orbel::test
