#include "ViewHarness.h"

#include <gtest/gtest.h>

#include "orbel/views/LineVertex.h"

#include <d3d8/TestControl.h>

#include <cstdlib>
#include <cstring>
#include <tuple>

using viewtest::Image;
using viewtest::ViewHarness;

namespace {

int Red(std::uint32_t c) { return (c >> 16) & 0xFF; }
int Green(std::uint32_t c) { return (c >> 8) & 0xFF; }
int Blue(std::uint32_t c) { return c & 0xFF; }

// The object's own colour (0, 0, 150) unlit.
bool IsFlatBlue(std::uint32_t c) { return Red(c) < 8 && Green(c) < 8 && std::abs(Blue(c) - 150) <= 2; }
// Lit by light 0: blue clearly above the rest, but not the flat colour.
bool IsLitBlue(std::uint32_t c) { return Blue(c) > Red(c) + 40 && Blue(c) > Green(c) + 40 && !IsFlatBlue(c); }

int CountWhere(const Image& image, bool (*test)(std::uint32_t))
{
    int n = 0;
    for (std::uint32_t c : image.argb)
        if (test(c | 0xFF000000u)) ++n;
    return n;
}

// In the 160 x 120 Top view world (x, z) lies at pixel (80 + 16x, 60 - 16z).
constexpr int kInsideX = 96;  // world (1, -1): inside the lower right face
constexpr int kInsideY = 76;

class SceneDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        if (!stage.HasDevice()) GTEST_SKIP() << "no Direct3D device on this machine";
        top = stage.AddView(ViewKindTop);
        top->m_bGrid = false;
        square = viewtest::MakeSquare(2.0f);
        stage.Document().AddObject(square);
        stage.Document().m_BoundsValid = 0;
    }

    ViewHarness stage;
    CMyOrbelView* top = nullptr;
    cObjekt3D* square = nullptr;
};

}  // namespace

TEST_F(SceneDrawing, PointModeShowsOnlyTheVerticesInTheObjectsColour)
{
    top->m_FillMode = D3DFILL_POINT;
    Image image = stage.Paint(top);
    ASSERT_FALSE(image.Empty());
    int points = CountWhere(image, IsFlatBlue);
    EXPECT_GE(points, 4);
    EXPECT_LE(points, 4 * 9);
    EXPECT_EQ(image.At(kInsideX, kInsideY), viewtest::kBackground);
    EXPECT_TRUE(IsFlatBlue(image.At(48, 91)) || IsFlatBlue(image.At(48, 92)) || IsFlatBlue(image.At(47, 92)));
}

TEST_F(SceneDrawing, WireframeShowsEdgesButNotTheFaces)
{
    top->m_FillMode = D3DFILL_WIREFRAME;
    Image image = stage.Paint(top);
    ASSERT_FALSE(image.Empty());
    int edges = CountWhere(image, IsFlatBlue);
    EXPECT_GT(edges, 4 * 60) << "four sides and the diagonal";
    EXPECT_LT(edges, 64 * 64 / 2);
    EXPECT_EQ(image.At(kInsideX, kInsideY), viewtest::kBackground);
}

TEST_F(SceneDrawing, SolidIsLitByLightZeroAndTheOverlayAddsFlatEdges)
{
    top->m_FillMode = D3DFILL_SOLID;
    Image solid = stage.Paint(top);
    ASSERT_FALSE(solid.Empty());
    EXPECT_TRUE(IsLitBlue(solid.At(kInsideX, kInsideY))) << std::hex << solid.At(kInsideX, kInsideY);
    int flatInSolid = CountWhere(solid, IsFlatBlue);

    top->m_bWireOverlay = true;
    Image overlay = stage.Paint(top);
    EXPECT_TRUE(IsLitBlue(overlay.At(kInsideX, kInsideY)));
    EXPECT_GT(CountWhere(overlay, IsFlatBlue), flatInSolid + 4 * 60);
    EXPECT_EQ(stage.Document().m_BoundsValid, 1) << "only the overlay pass marks the boxes valid";
}

TEST_F(SceneDrawing, TexelsOfAlphaZeroLeaveHoles)
{
    ASSERT_TRUE(viewtest::GiveHalfTransparentTexture(stage.Document(), stage.Device(), square));

    top->m_FillMode = D3DFILL_SOLID;
    Image image = stage.Paint(top);
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.At(64, 44), viewtest::kBackground) << "world (-1, 1): alpha 0";
    std::uint32_t textured = image.At(kInsideX, kInsideY);
    EXPECT_GT(Red(textured), Green(textured) + 30) << std::hex << textured;
    EXPECT_GT(Red(textured), Blue(textured) + 30);
}

TEST_F(SceneDrawing, GridAndAxisLinesOnlyWhileTheGridIsOn)
{
    top->m_FillMode = D3DFILL_POINT;
    Image without = stage.Paint(top);
    EXPECT_EQ(without.Count(viewtest::kGridGrey), 0);
    EXPECT_EQ(without.Count(viewtest::kAxisBlack), 0);
    top->m_bGrid = true;
    Image with = stage.Paint(top);
    EXPECT_GT(with.Count(viewtest::kGridGrey), 500);
    EXPECT_GT(with.Count(viewtest::kAxisBlack), 100);
}

TEST_F(SceneDrawing, SelectedObjectsAreBoxedOnlyInViewsThatSeeThem)
{
    CMyOrbelView* front = stage.AddView(ViewKindFront);
    front->m_bGrid = false;
    cObjekt3D* far = viewtest::MakeSquare(1.0f, D3DXVECTOR3(0, 2, 30));  // above the near square
    stage.Document().AddObject(far);
    stage.Document().m_Selection.AddObject(far, TRUE);
    stage.selectionMode = 0;

    Image fromTop = stage.Paint(top);
    EXPECT_EQ(far->m_Visible, 0);
    EXPECT_EQ(fromTop.Count(viewtest::kWhite), 0);
    Image fromFront = stage.Paint(front);
    EXPECT_EQ(far->m_Visible, 1);
    EXPECT_GT(fromFront.Count(viewtest::kWhite), 10);
}

TEST_F(SceneDrawing, LinesSelectionModeHighlightsNothing)
{
    stage.Document().m_Selection.AddObject(square, TRUE);
    auto* face = new SelectedElement{square, 0};
    stage.Document().m_Selection.AddFace(face, TRUE);
    stage.selectionMode = 0;
    EXPECT_GT(stage.Paint(top).Count(viewtest::kWhite), 100);
    stage.selectionMode = 1;
    EXPECT_GT(stage.Paint(top).Count(viewtest::kWhite), 50);
    stage.selectionMode = 3;
    EXPECT_EQ(stage.Paint(top).Count(viewtest::kWhite), 0);
}

TEST_F(SceneDrawing, SelectedVerticesAreFivePixelPoints)
{
    stage.Document().m_Selection.AddVertex(new SelectedElement{square, 0}, TRUE);
    stage.selectionMode = 2;
    int white = stage.Paint(top).Count(viewtest::kWhite);
    EXPECT_GE(white, 9);
    EXPECT_LE(white, 36);
}

// Plug-ins and edits can leave such records in memory; they are skipped.
TEST_F(SceneDrawing, ElementsAndRunsOutsideTheObjectAreSkipped)
{
    top->m_FillMode = D3DFILL_SOLID;
    Image reference = stage.Paint(top);

    square->m_Runs.RemoveAll();
    square->m_Runs.AddTail(MaterialRun{7, 0});   // no material 7 in the table
    square->m_Runs.AddTail(MaterialRun{-1, 5});  // beyond the two faces
    Image odd = stage.Paint(top);
    EXPECT_EQ(odd.argb, reference.argb) << "drawn with the colour material";

    stage.Document().m_Selection.AddFace(new SelectedElement{square, 99}, TRUE);
    stage.Document().m_Selection.AddVertex(new SelectedElement{square, 1000}, TRUE);
    stage.selectionMode = 1;
    EXPECT_EQ(stage.Paint(top).Count(viewtest::kWhite), 0);
    stage.selectionMode = 2;
    EXPECT_EQ(stage.Paint(top).Count(viewtest::kWhite), 0);

    square->m_Indices.SetAt(5, 40);  // a corner that names no vertex
    Image broken = stage.Paint(top);
    EXPECT_FALSE(broken.Empty());
}

TEST_F(SceneDrawing, ObjectsThatNeverHadABoxAreCulled)
{
    auto* pair = new cObjekt3D;
    pair->AddVertex(MeshVertex{0, 0, 0, 0, 1, 0, 0, 0});
    pair->AddVertex(MeshVertex{1, 0, 0, 0, 1, 0, 0, 0});
    EXPECT_GT(pair->m_BoundMin.x, pair->m_BoundMax.x) << "a new object starts with an empty box";
    stage.Document().AddObject(pair);
    stage.Document().m_Selection.AddObject(pair, TRUE);
    stage.selectionMode = 0;
    top->m_FillMode = D3DFILL_POINT;
    Image image = stage.Paint(top);
    EXPECT_EQ(pair->m_Visible, 0);
    EXPECT_EQ(square->m_Visible, 1);
    EXPECT_EQ(image.Count(viewtest::kWhite), 0);
}

TEST_F(SceneDrawing, EveryPaintReleasesWhatItMade)
{
    top->m_FillMode = D3DFILL_SOLID;
    top->m_bWireOverlay = true;
    stage.Paint(top);  // the first paint makes the view's box buffer
    long live = D3D8LiveObjectCount();
    for (int i = 0; i < 3; ++i) stage.Paint(top);
    EXPECT_EQ(D3D8LiveObjectCount(), live);
}

// The grid is drawn from a copy placed in one buffer; new buffers from the
// frame must replace that copy, not leave the old lines on screen.
TEST_F(SceneDrawing, GridFollowsTheLineBuffersTheFrameHandsOver)
{
    top->m_FillMode = D3DFILL_POINT;
    top->m_bGrid = true;
    EXPECT_GT(stage.Paint(top).Count(viewtest::kGridGrey), 500);

    constexpr DWORD kGreen = 0xFF00C800;
    const LineVertex cell[5] = {{0, 0, 0, kGreen}, {1, 0, 0, kGreen}, {1, 0, 1, kGreen}, {0, 0, 1, kGreen}, {0, 0, 0, kGreen}};
    const LineVertex axes[4] = {{0, 0, 0, kGreen}, {1, 0, 0, kGreen}, {0, 0, 0, kGreen}, {0, 0, 1, kGreen}};
    IDirect3DVertexBuffer8* cellBuffer = nullptr;
    IDirect3DVertexBuffer8* axesBuffer = nullptr;
    ASSERT_EQ(stage.Device()->CreateVertexBuffer(sizeof cell, 0, kLineVertexFormat, D3DPOOL_DEFAULT, &cellBuffer), D3D_OK);
    ASSERT_EQ(stage.Device()->CreateVertexBuffer(sizeof axes, 0, kLineVertexFormat, D3DPOOL_DEFAULT, &axesBuffer), D3D_OK);
    for (auto [buffer, data, bytes] : {std::tuple{cellBuffer, static_cast<const void*>(cell), UINT{sizeof cell}},
                                       std::tuple{axesBuffer, static_cast<const void*>(axes), UINT{sizeof axes}}}) {
        BYTE* target = nullptr;
        ASSERT_EQ(buffer->Lock(0, bytes, &target, 0), D3D_OK);
        std::memcpy(target, data, bytes);
        buffer->Unlock();
    }
    top->SetFrameState(cellBuffer, axesBuffer, &stage.viewMode, &stage.selectionMode, &stage.transformMode,
                       &stage.pivot, stage.axisMasks, &stage.currentPlugin);
    Image green = stage.Paint(top);
    EXPECT_EQ(green.Count(viewtest::kGridGrey), 0);
    EXPECT_EQ(green.Count(viewtest::kAxisBlack), 0);
    EXPECT_GT(green.Count(kGreen), 600);
    cellBuffer->Release();
    axesBuffer->Release();
}
