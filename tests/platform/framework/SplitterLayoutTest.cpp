// Static splitter layout: ideal sizes from the left and top, the last pane
// takes what remains, panes below their minimum collapse.
#include "DocFrameTestTypes.h"

namespace {

class SplitterLayoutTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(parent.CreateTop(400, 300));
        ASSERT_TRUE(splitter.CreateStatic(&parent, 2, 2));
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 2; ++col)
                ASSERT_TRUE(splitter.CreateView(row, col, RUNTIME_CLASS(TestView), CSize(0, 0), nullptr));
    }
    void Resize(int w, int h) { splitter.MoveWindow(0, 0, w, h); }
    CRect PaneRect(int row, int col) {
        CRect r;
        splitter.GetPane(row, col)->GetWindowRect(&r);
        splitter.ScreenToClient(&r);
        return r;
    }
    // What the program does on every layout: both columns and rows halved.
    void Halve() {
        CRect c;
        splitter.GetClientRect(&c);
        splitter.SetColumnInfo(0, c.Width() / 2 - 2, 10);
        splitter.SetColumnInfo(1, c.Width() / 2 - 2, 10);
        splitter.SetRowInfo(0, c.Height() / 2, 10);
        splitter.SetRowInfo(1, c.Height() / 2, 10);
        splitter.RecalcLayout();
    }
    LogWnd parent;
    CSplitterWnd splitter;
};

} // namespace

TEST_F(SplitterLayoutTest, HalvingGivesFourEqualPanesAroundTheBars) {
    Resize(400, 300);
    Halve();
    int cx = 0, cxMin = 0;
    splitter.GetColumnInfo(0, cx, cxMin);
    EXPECT_EQ(cx, 198);
    EXPECT_EQ(cxMin, 10);
    splitter.GetColumnInfo(1, cx, cxMin);
    EXPECT_EQ(cx, 198);
    EXPECT_EQ(PaneRect(0, 0), CRect(0, 0, 198, 150));
    EXPECT_EQ(PaneRect(0, 1), CRect(198 + CSplitterWnd::kSplitterGap, 0, 400, 150));
    EXPECT_EQ(PaneRect(1, 1).top, 150 + CSplitterWnd::kSplitterGap);
    EXPECT_EQ(PaneRect(1, 1).bottom, 300);
}

TEST_F(SplitterLayoutTest, OddSizesGiveTheRemainderToTheLastPane) {
    Resize(401, 301);
    Halve();
    EXPECT_EQ(PaneRect(0, 0).Width(), 198);
    EXPECT_EQ(PaneRect(0, 1).Width(), 401 - 198 - CSplitterWnd::kSplitterGap);
    EXPECT_EQ(PaneRect(0, 0).Height(), 150);
    EXPECT_EQ(PaneRect(1, 0).Height(), 301 - 150 - CSplitterWnd::kSplitterGap);
}

TEST_F(SplitterLayoutTest, ATinySplitterCollapsesPanesInsteadOfGoingNegative) {
    Resize(12, 8);
    Halve();
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            const CRect r = PaneRect(row, col);
            EXPECT_GE(r.Width(), 0);
            EXPECT_GE(r.Height(), 0);
        }
    EXPECT_EQ(PaneRect(0, 0).Width(), 0) << "4 pixels is below the minimum of 10";
}

TEST_F(SplitterLayoutTest, PanesHaveTheirRowColumnIds) {
    EXPECT_EQ(splitter.GetPane(0, 0)->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(splitter.GetPane(1, 1)->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 17);
    EXPECT_EQ(splitter.GetPane(2, 0), nullptr);
    EXPECT_FALSE(splitter.CreateView(0, 0, RUNTIME_CLASS(TestView), CSize(0, 0), nullptr)) << "pane taken";
}
