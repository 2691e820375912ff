// Wireframe triangle lists: however many triangles one draw holds, the image
// is the one drawing them one at a time gives, and culling still hides the
// edges of triangles facing away.
#include "DeviceFixture.h"

#include <cmath>

namespace orbel::test {
namespace {

class WireframeEdgeTest : public DeviceTest {
protected:
    static constexpr int kColumns = 9;
    static constexpr int kRows = 7;
    // A vertex out in the corner that only a degenerate triangle (v, spike,
    // v) reaches: its one edge is met in both directions within the triangle.
    static constexpr float kSpikeX = 92.0f;
    static constexpr float kSpikeY = 77.0f;

    void SetUp() override {
        DeviceTest::SetUp();
        if (!device) return;
        MakeTarget(96, 80);
        device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
        device->SetVertexShader(kColorFvf);
        // Vertices off the pixel grid by varying fractions, at varying depth,
        // so that line ends fall inside and outside pixel centres' diamonds.
        for (int r = 0; r <= kRows; ++r)
            for (int c = 0; c <= kColumns; ++c) {
                const float x = 4.0f + 9.7f * c + 0.37f * std::sin(1.3f * static_cast<float>(r * 11 + c));
                const float y = 3.0f + 10.3f * r + 0.41f * std::cos(0.7f * static_cast<float>(r * 5 + c * 3));
                const float z = 0.2f + 0.05f * static_cast<float>((r + 2 * c) % 7);
                vertices.push_back({NdcX(x), NdcY(y), z, 0xFFFFFFFF});
            }
        vertices.push_back({NdcX(kSpikeX), NdcY(kSpikeY), 0.2f, 0xFFFFFFFF});
    }

    // Two triangles per cell; `flip` reverses the winding of every third one
    // and turns the diagonal of every other cell.
    std::vector<WORD> GridIndices(bool flip) const {
        std::vector<WORD> indices;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) {
                const WORD a = static_cast<WORD>(r * (kColumns + 1) + c), b = static_cast<WORD>(a + 1);
                const WORD d = static_cast<WORD>(a + kColumns + 1), e = static_cast<WORD>(d + 1);
                const bool turn = flip && (r + c) % 2 == 1;
                std::vector<WORD> cell = turn ? std::vector<WORD>{a, d, e, a, e, b} : std::vector<WORD>{a, d, b, b, d, e};
                for (int t = 0; t < 2; ++t) {
                    if (flip && (indices.size() / 3) % 3 == 0) std::swap(cell[3 * t + 1], cell[3 * t + 2]);
                    indices.insert(indices.end(), cell.begin() + 3 * t, cell.begin() + 3 * t + 3);
                }
            }
        const WORD corner = static_cast<WORD>((kRows + 1) * (kColumns + 1) - 1);
        indices.insert(indices.end(), {corner, static_cast<WORD>(corner + 1), corner});
        return indices;
    }

    std::vector<std::uint32_t> DrawAtOnce(const std::vector<WORD>& indices) {
        Clear(0xFF000000);
        EXPECT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(vertices.size()),
                                                 static_cast<UINT>(indices.size() / 3), indices.data(),
                                                 D3DFMT_INDEX16, vertices.data(), sizeof(ColorVertex)),
                  D3D_OK);
        return Pixels();
    }

    std::vector<std::uint32_t> DrawOneByOne(const std::vector<WORD>& indices) {
        Clear(0xFF000000);
        for (std::size_t t = 0; t < indices.size(); t += 3)
            EXPECT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(vertices.size()), 1,
                                                     &indices[t], D3DFMT_INDEX16, vertices.data(),
                                                     sizeof(ColorVertex)),
                      D3D_OK);
        return Pixels();
    }

    // Pixels where two images differ, for a readable failure.
    static int Differing(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
        int count = 0;
        for (std::size_t k = 0; k < a.size() && k < b.size(); ++k) count += a[k] != b[k];
        return count + static_cast<int>(a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
    }

    // The lines of one draw against those drawn triangle by triangle. Each
    // shared edge is drawn once instead of once from either side; GL breaks
    // a tie where a pixel centre lies exactly on a line's side by the line's
    // direction, so a one-sided line may leave out such a pixel. Nothing
    // else may differ.
    static void ExpectSameLines(const std::vector<std::uint32_t>& atOnce, const std::vector<std::uint32_t>& separate) {
        ASSERT_EQ(atOnce.size(), separate.size());
        int added = 0, missing = 0;
        for (std::size_t k = 0; k < atOnce.size(); ++k) {
            if (atOnce[k] == separate[k]) continue;
            ++((atOnce[k] & 0xFFFFFFu) == 0 ? missing : added);
        }
        EXPECT_EQ(added, 0);
        EXPECT_LE(missing * 200, Lit(separate)) << missing << " pixels missing";
    }

    static int Lit(const std::vector<std::uint32_t>& pixels) {
        int lit = 0;
        for (std::uint32_t p : pixels) lit += (p & 0xFFFFFFu) != 0;
        return lit;
    }

    std::vector<ColorVertex> vertices;
};

TEST_F(WireframeEdgeTest, OneDrawGivesTheImageOfTheTrianglesDrawnOneByOne) {
    for (bool flip : {false, true}) {
        const std::vector<WORD> indices = GridIndices(flip);
        const std::vector<std::uint32_t> separate = DrawOneByOne(indices);
        EXPECT_GT(Lit(separate), 1500) << "the grid's edges are drawn";
        const std::vector<std::uint32_t> atOnce = DrawAtOnce(indices);
        ExpectSameLines(atOnce, separate);
        EXPECT_NE(atOnce[static_cast<std::size_t>(kSpikeY) * 96 + static_cast<std::size_t>(kSpikeX)] & 0xFFFFFFu, 0u)
            << "the lone edge's far end";
        // Again, now from what earlier draws left behind.
        ExpectSameLines(DrawAtOnce(indices), separate);
    }
}

TEST_F(WireframeEdgeTest, IndicesChangedInPlaceAreDrawnAsTheyNowAre) {
    std::vector<WORD> indices = GridIndices(false);
    DrawAtOnce(indices);
    const std::vector<WORD> turned = GridIndices(true);
    std::copy(turned.begin(), turned.end(), indices.begin());
    ExpectSameLines(DrawAtOnce(indices), DrawOneByOne(turned));
}

TEST_F(WireframeEdgeTest, IndexBufferDrawsMatchTheirProgramMemoryTwin) {
    const std::vector<WORD> indices = GridIndices(true);
    IDirect3DVertexBuffer8* vb = nullptr;
    IDirect3DIndexBuffer8* ib = nullptr;
    const UINT vertexBytes = static_cast<UINT>(vertices.size() * sizeof(ColorVertex));
    const UINT indexBytes = static_cast<UINT>(indices.size() * sizeof(WORD));
    ASSERT_EQ(device->CreateVertexBuffer(vertexBytes, 0, kColorFvf, D3DPOOL_MANAGED, &vb), D3D_OK);
    ASSERT_EQ(device->CreateIndexBuffer(indexBytes, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib), D3D_OK);
    BYTE* data = nullptr;
    ASSERT_EQ(vb->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, vertices.data(), vertexBytes);
    vb->Unlock();
    ASSERT_EQ(ib->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, indices.data(), indexBytes);
    ib->Unlock();

    const std::vector<std::uint32_t> separate = DrawOneByOne(indices);
    Clear(0xFF000000);
    device->SetStreamSource(0, vb, sizeof(ColorVertex));
    device->SetIndices(ib, 0);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(vertices.size()), 0,
                                           static_cast<UINT>(indices.size() / 3)),
              D3D_OK);
    ExpectSameLines(Pixels(), separate);
    device->SetStreamSource(0, nullptr, 0);
    device->SetIndices(nullptr, 0);
    ib->Release();
    vb->Release();
}

TEST_F(WireframeEdgeTest, CullingHidesTheEdgesOfTrianglesFacingAway) {
    // The grid's triangles are clockwise on screen; flipping some makes them
    // face away, and their edges they share with none stay hidden.
    const std::vector<WORD> indices = GridIndices(true);
    std::vector<WORD> clockwise, away;
    for (std::size_t t = 0; t < indices.size(); t += 3) {
        const float* p0 = &vertices[indices[t]].x;
        const float* p1 = &vertices[indices[t + 1]].x;
        const float* p2 = &vertices[indices[t + 2]].x;
        // Cross product in NDC, where y grows upwards.
        const float cross = (p1[0] - p0[0]) * (p2[1] - p0[1]) - (p1[1] - p0[1]) * (p2[0] - p0[0]);
        (cross < 0 ? clockwise : away).insert((cross < 0 ? clockwise : away).end(), &indices[t], &indices[t] + 3);
    }
    ASSERT_FALSE(clockwise.empty());
    ASSERT_FALSE(away.empty());
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    const std::vector<std::uint32_t> culled = DrawAtOnce(indices);
    EXPECT_EQ(Differing(culled, DrawOneByOne(clockwise)), 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    EXPECT_EQ(Differing(DrawAtOnce(indices), DrawOneByOne(away)), 0);
}

}  // namespace
}  // namespace orbel::test
