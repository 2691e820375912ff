// Rendering a view into a BMP file: the picture, the view's state after it,
// and the sizes and paths that must leave no file behind.
#include "ViewHarness.h"

#include "orbel/views/CameraMatrices.h"
#include "support/FreshFolder.h"

#include <d3d8/TestControl.h>
#include <d3dx8/D3DX8.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <filesystem>
#include <random>
#include <string>

using viewtest::Image;
using viewtest::ViewHarness;

namespace {

constexpr int kViewWidth = 160;
constexpr int kViewHeight = 120;

class RenderToFile : public testing::Test {
protected:
    void SetUp() override
    {
        if (!stage.HasDevice()) GTEST_SKIP() << "no Direct3D device on this machine";
        folder = orbel::test::MakeFreshFolder("orbel-render-");
        top = stage.AddView(ViewKindTop, kViewWidth, kViewHeight);
        square = viewtest::MakeSquare(2.0f);
        stage.Document().AddObject(square);
    }
    void TearDown() override
    {
        D3D8SetTestControl(D3D8TestControl{});
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }

    std::string PathOf(const char* name) const { return (folder / name).string(); }

    // The file as the program's own image loader reads it back.
    Image Load(const std::string& path)
    {
        Image image;
        IDirect3DTexture8* texture = nullptr;
        if (FAILED(D3DXCreateTextureFromFileA(stage.Device(), path.c_str(), &texture)) || !texture) return image;
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(0, &desc);
        D3DLOCKED_RECT locked{};
        if (SUCCEEDED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) {
            image.width = static_cast<int>(desc.Width);
            image.height = static_cast<int>(desc.Height);
            for (int y = 0; y < image.height; ++y) {
                const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(locked.pBits) +
                                                                         y * locked.Pitch);
                image.argb.insert(image.argb.end(), row, row + image.width);
            }
            texture->UnlockRect(0);
        }
        texture->Release();
        return image;
    }

    int FilesWritten() const
    {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder),
                                              std::filesystem::directory_iterator()));
    }

    ViewHarness stage;
    std::filesystem::path folder;
    CMyOrbelView* top = nullptr;
    cObjekt3D* square = nullptr;
};

TEST_F(RenderToFile, WritesTheViewOnWhiteWithoutGridAtTheRequestedSize)
{
    ASSERT_TRUE(top->m_bGrid);
    EXPECT_TRUE(top->RenderToFile(PathOf("wide.bmp").c_str(), 320, 200));
    Image image = Load(PathOf("wide.bmp"));
    ASSERT_EQ(image.width, 320);
    ASSERT_EQ(image.height, 200);
    for (auto [x, y] : {std::pair{0, 0}, {319, 0}, {0, 199}, {319, 199}})
        EXPECT_EQ(image.At(x, y), viewtest::kWhite) << x << "," << y;
    EXPECT_EQ(image.Count(viewtest::kGridGrey), 0);
    EXPECT_EQ(image.Count(viewtest::kAxisBlack), 0);
    EXPECT_GT(320 * 200 - image.Count(viewtest::kWhite), 200) << "the square's wire edges";
}

TEST_F(RenderToFile, MatchesTheViewsOwnPaintWhereTheSizesAgree)
{
    top->m_bGrid = false;
    top->m_FillMode = D3DFILL_SOLID;
    top->m_bWireOverlay = true;
    Image painted = stage.Paint(top);
    ASSERT_EQ(painted.width, kViewWidth);
    top->RenderToFile(PathOf("same.bmp").c_str(), kViewWidth, kViewHeight);
    Image rendered = Load(PathOf("same.bmp"));
    ASSERT_EQ(rendered.width, kViewWidth);
    ASSERT_EQ(rendered.height, kViewHeight);

    int scenePixels = 0;
    int mismatches = 0;
    for (int y = 0; y < kViewHeight; ++y)
        for (int x = 0; x < kViewWidth; ++x) {
            const bool scene = painted.At(x, y) != viewtest::kBackground;
            scenePixels += scene;
            const std::uint32_t expected = scene ? painted.At(x, y) : viewtest::kWhite;
            mismatches += rendered.At(x, y) != expected;
        }
    EXPECT_GT(scenePixels, 1000);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(RenderToFile, ShowsTheSelectionHighlight)
{
    top->m_FillMode = D3DFILL_SOLID;
    top->RenderToFile(PathOf("plain.bmp").c_str(), kViewWidth, kViewHeight);
    stage.Document().m_Selection.AddFace(new SelectedElement{square, 0}, TRUE);
    stage.selectionMode = 1;
    top->RenderToFile(PathOf("selected.bmp").c_str(), kViewWidth, kViewHeight);
    const int plainWhite = Load(PathOf("plain.bmp")).Count(viewtest::kWhite);
    const int selectedWhite = Load(PathOf("selected.bmp")).Count(viewtest::kWhite);
    EXPECT_GT(selectedWhite, plainWhite + 50) << "the face outline over the solid square";
}

TEST_F(RenderToFile, LeavesTheMatricesOfTheNextPaint)
{
    stage.Paint(top);
    const D3DXMATRIX before = top->m_ViewMatrix;
    top->m_Eye = D3DXVECTOR3(3, 20, 1);
    top->m_Target = D3DXVECTOR3(3, 0, 1);
    top->RenderToFile(PathOf("moved.bmp").c_str(), 64, 48);
    const D3DXMATRIX view = top->m_ViewMatrix;
    const D3DXMATRIX projection = top->m_ProjectionMatrix;
    EXPECT_NE(std::memcmp(&view, &before, sizeof view), 0) << "the moved camera, not the last paint's";

    stage.Paint(top);
    EXPECT_EQ(std::memcmp(&view, &top->m_ViewMatrix, sizeof view), 0);
    EXPECT_EQ(std::memcmp(&projection, &top->m_ProjectionMatrix, sizeof projection), 0);
}

// Another view may have painted last with its own cull mode and left the
// alpha test in any state; the image is this view's all the same.
TEST_F(RenderToFile, DrawsWithTheViewsOwnCullModeAndAlphaTest)
{
    ASSERT_TRUE(viewtest::GiveHalfTransparentTexture(stage.Document(), stage.Device(), square));
    top->m_FillMode = D3DFILL_SOLID;
    top->m_CullMode = D3DCULL_NONE;

    const DWORD leftBehind[][2] = {{D3DCULL_CW, FALSE}, {D3DCULL_CCW, FALSE}, {D3DCULL_NONE, TRUE}};
    std::vector<Image> images;
    for (const auto& states : leftBehind) {
        stage.Device()->SetRenderState(D3DRS_CULLMODE, states[0]);
        stage.Device()->SetRenderState(D3DRS_ALPHATESTENABLE, states[1]);
        top->RenderToFile(PathOf("culled.bmp").c_str(), kViewWidth, kViewHeight);
        images.push_back(Load(PathOf("culled.bmp")));
    }
    ASSERT_EQ(images[0].width, kViewWidth);
    EXPECT_EQ(images[0].argb, images[1].argb);
    EXPECT_EQ(images[0].argb, images[2].argb);
    EXPECT_EQ(images[0].At(64, 44), viewtest::kWhite) << "world (-1, 1): alpha 0 leaves a hole";
    const std::uint32_t textured = images[0].At(96, 76);
    EXPECT_GT((textured >> 16) & 0xFF, (textured & 0xFF) + 30) << std::hex << textured;
}

struct FailedRender {
    const char* name;
    int width;
    int height;
    bool refuseSwapChain;
    const char* file;  // inside the scratch folder
};

void PrintTo(const FailedRender& c, std::ostream* out) { *out << c.name; }

class RenderToFileFailure : public RenderToFile, public testing::WithParamInterface<FailedRender> {};

TEST_P(RenderToFileFailure, WritesNoFileAndLeaksNothing)
{
    const FailedRender& c = GetParam();
    stage.Paint(top);
    const long live = D3D8LiveObjectCount();
    D3D8TestControl control;
    control.refuseAdditionalSwapChains = c.refuseSwapChain;
    D3D8SetTestControl(control);
    EXPECT_FALSE(top->RenderToFile(PathOf(c.file).c_str(), c.width, c.height));
    D3D8SetTestControl(D3D8TestControl{});
    EXPECT_EQ(FilesWritten(), 0);
    stage.Paint(top);  // the next paint takes the device's target back
    EXPECT_EQ(D3D8LiveObjectCount(), live);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenderToFileFailure,
    testing::Values(FailedRender{"ZeroWidth", 0, 600, false, "a.bmp"},
                    FailedRender{"ZeroHeight", 800, 0, false, "a.bmp"},
                    FailedRender{"Negative", -800, -600, false, "a.bmp"},
                    FailedRender{"LargestTheDialogTakes", 99999, 99999, false, "a.bmp"},
                    FailedRender{"SwapChainRefused", 800, 600, true, "a.bmp"},
                    FailedRender{"MissingFolder", 64, 48, false, "missing/a.bmp"}),
    [](const testing::TestParamInfo<FailedRender>& info) { return std::string(info.param.name); });

TEST_F(RenderToFile, AnEmptyNameWritesNothing)
{
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    top->RenderToFile("", 64, 48);
    std::filesystem::current_path(saved);
    EXPECT_EQ(FilesWritten(), 0);
}

}  // namespace
