#include "ViewHarness.h"

#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

using viewtest::Image;
using viewtest::ViewHarness;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kBandGrey = 0xFFE1E1E1;

int Red(std::uint32_t c) { return (c >> 16) & 0xFF; }
int Green(std::uint32_t c) { return (c >> 8) & 0xFF; }
int Blue(std::uint32_t c) { return c & 0xFF; }

// Text is smoothed at its edges: its colour shows fully only in its core.
bool IsReddish(std::uint32_t c) { return Red(c) > 200 && Green(c) < 90 && Blue(c) < 90; }
bool IsGreenish(std::uint32_t c) { return Green(c) > 200 && Red(c) < 90 && Blue(c) < 90; }
bool IsLight(std::uint32_t c) { return Red(c) > 225 && Green(c) > 225 && Blue(c) > 225; }

int CountIn(const Image& image, std::uint32_t colour, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1 && y < image.height; ++y)
        for (int x = x0; x < x1 && x < image.width; ++x)
            if (image.At(x, y) == colour) ++n;
    return n;
}

int CountWhere(const Image& image, bool (*test)(std::uint32_t), int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1 && y < image.height; ++y)
        for (int x = x0; x < x1 && x < image.width; ++x)
            if (test(image.At(x, y))) ++n;
    return n;
}

class Overlay : public testing::Test {
protected:
    void SetUp() override
    {
        if (!stage.HasDevice()) GTEST_SKIP() << "no Direct3D device on this machine";
        focused = stage.AddView(ViewKindTop, 300, 200);
        other = stage.AddView(ViewKindTop, 300, 200);
        focused->m_bGrid = other->m_bGrid = false;
        orbel::test::Focus(focused->GetSafeHwnd());
        orbel::test::RunUntilIdle();
        if (CWnd::GetFocus() != focused) GTEST_SKIP() << "the window layer gives no focus here";
    }

    ViewHarness stage;
    CMyOrbelView* focused = nullptr;
    CMyOrbelView* other = nullptr;
};

}  // namespace

TEST_F(Overlay, TheFocusedViewHasARedTitleAndFrame)
{
    Image image = stage.PaintWithOverlay(focused);
    ASSERT_EQ(image.width, 300);
    EXPECT_GT(CountWhere(image, IsReddish, 5, 5, 60, 25), 5) << "title";
    EXPECT_EQ(image.At(150, 0), kRed);
    EXPECT_EQ(image.At(299, 100), kRed);
    EXPECT_EQ(image.At(150, 199), kRed);
    EXPECT_EQ(image.At(0, 100), kRed);
}

TEST_F(Overlay, OtherViewsHaveALightTitleAndNoFrameOrBand)
{
    other->m_bRubberBand = true;
    other->m_DownPoint = CPoint(100, 50);
    other->m_LastPoint = CPoint(200, 150);
    Image image = stage.PaintWithOverlay(other);
    EXPECT_GT(CountWhere(image, IsLight, 5, 5, 60, 25), 5);
    EXPECT_EQ(CountWhere(image, IsReddish, 5, 5, 60, 25), 0);
    EXPECT_NE(image.At(150, 0), kRed);
    EXPECT_EQ(CountIn(image, kBandGrey, 90, 40, 210, 160), 0);
}

TEST_F(Overlay, ARubberBandNeedsMoreThanTwoPixelsEachWay)
{
    focused->m_bRubberBand = true;
    focused->m_DownPoint = CPoint(100, 50);
    focused->m_LastPoint = CPoint(103, 53);
    EXPECT_GT(stage.PaintWithOverlay(focused).Count(kBandGrey), 0);
    focused->m_LastPoint = CPoint(102, 150);
    EXPECT_EQ(stage.PaintWithOverlay(focused).Count(kBandGrey), 0);
    focused->m_LastPoint = CPoint(200, 52);
    EXPECT_EQ(stage.PaintWithOverlay(focused).Count(kBandGrey), 0);
}

TEST_F(Overlay, TopViewTriadPointsXRightAndZUp)
{
    Image image = stage.PaintWithOverlay(other);
    // Origin (30, 170), length 25: x to (55, 170), z to (30, 145).
    EXPECT_GT(CountIn(image, kRed, 40, 168, 54, 172), 10);
    EXPECT_GT(CountIn(image, kBlue, 28, 147, 32, 160), 10);
    EXPECT_GT(CountWhere(image, IsGreenish, 30, 160, 45, 185), 0) << "the y label where its line has no length";
}

TEST(OverlayWithoutDevice, AViewStaysBlankWithoutTitle)
{
    ViewHarness stage;
    stage.Document().m_pDevice = nullptr;  // before the frame has made it
    CMyOrbelView* view = stage.AddView(ViewKindTop, 200, 150);
    Image image = stage.PaintWithOverlay(view);
    ASSERT_EQ(image.width, 200);
    EXPECT_EQ(image.Count(image.At(0, 0)), 200 * 150) << "nothing drawn, not even the title";
}
