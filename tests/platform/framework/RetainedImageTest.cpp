// What a window's retained image holds after resizes that repaint nothing:
// the pixels that stayed inside the window through every size, and the
// window's background everywhere else, never older pixels.
#include "WindowTestSupport.h"

namespace {

class RetainedImageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(w.CreateTop(64, 48));
        orbel::test::RunUntilIdle();
        background = At(60, 40);
    }
    void TearDown() override {
        w.DestroyWindow();
        WindowTest::TearDown();
    }

    void Resize(int width, int height) {
        w.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    }
    void Fill(COLORREF colour) {
        CClientDC dc(&w);
        CRect client;
        w.GetClientRect(&client);
        dc.FillSolidRect(&client, colour);
    }
    COLORREF At(int x, int y) { return orbel::test::ReadWindowImage(w).At(x, y); }

    LogWnd w;
    COLORREF background = 0;
};

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

}  // namespace

TEST_F(RetainedImageTest, ShrinkingThenGrowingPastTheFirstSizeKeepsOnlyTheSmallestArea) {
    ASSERT_NE(background, kRed);
    Fill(kRed);
    Resize(32, 24);
    Resize(80, 60);
    const orbel::test::Image image = orbel::test::ReadWindowImage(w);
    ASSERT_EQ(image.width, 80);
    ASSERT_EQ(image.height, 60);
    EXPECT_EQ(image.At(0, 0), kRed);
    EXPECT_EQ(image.At(31, 23), kRed);
    EXPECT_EQ(image.At(32, 10), background);
    EXPECT_EQ(image.At(10, 24), background);
    EXPECT_EQ(image.At(63, 47), background);
    EXPECT_EQ(image.At(79, 59), background);
}

TEST_F(RetainedImageTest, ResizesWithinAnEarlierSizeBringNoOldPixelsBack) {
    Resize(100, 80);
    Fill(kBlue);
    Resize(80, 60);
    Resize(80, 79);  // taller only
    EXPECT_EQ(At(79, 59), kBlue);
    EXPECT_EQ(At(5, 60), background);
    EXPECT_EQ(At(79, 78), background);
    Resize(99, 50);  // wider, lower
    EXPECT_EQ(At(79, 49), kBlue);
    EXPECT_EQ(At(80, 5), background);
    EXPECT_EQ(At(98, 49), background);
    Resize(100, 80);
    EXPECT_EQ(At(79, 49), kBlue);
    EXPECT_EQ(At(79, 50), background);
    EXPECT_EQ(At(99, 79), background);
}

TEST_F(RetainedImageTest, AWindowShrunkToNothingComesBackAsBackground) {
    Fill(kRed);
    Resize(0, 0);
    EXPECT_EQ(orbel::test::ReadWindowImage(w).width, 0);
    Resize(64, 48);
    EXPECT_EQ(At(0, 0), background);
    EXPECT_EQ(At(63, 47), background);
}
