// The frame's layout: the splitter halves itself on every layout and the
// tools panel follows the splitter's height.
#include "ProgramHarness.h"

#include "orbel/resources/Resource.h"

#include <gtest/gtest.h>

namespace {

struct Layout {
    int columns[2];
    int rows[2];
};

Layout SplitterLayout(CSplitterWnd& splitter)
{
    Layout layout{};
    for (int i = 0; i < 2; ++i) {
        int minimum = 0;
        splitter.GetColumnInfo(i, layout.columns[i], minimum);
        splitter.GetRowInfo(i, layout.rows[i], minimum);
    }
    return layout;
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.Start());
        frame = program.Frame();
        ASSERT_NE(frame, nullptr);
    }

    void Resize(int width, int height)
    {
        frame->MoveWindow(0, 0, width, height, TRUE);
        frame->RecalcLayout();
    }

    ProgramHarness program;
    CMainFrame* frame = nullptr;
};

TEST_F(LayoutTest, EveryLayoutHalvesTheSplitterAgain)
{
    Resize(900, 700);
    CSplitterWnd& splitter = frame->GetSplitter();
    CRect client;
    splitter.GetClientRect(&client);
    ASSERT_GT(client.Width(), 10);
    ASSERT_GT(client.Height(), 10);

    // The second column and row get what the first and the divider leave.
    Layout layout = SplitterLayout(splitter);
    EXPECT_EQ(layout.columns[0], client.Width() / 2 - 2);
    EXPECT_LE(layout.columns[1], client.Width() / 2 - 2);
    EXPECT_GT(layout.columns[1], client.Width() / 2 - 12);
    EXPECT_EQ(layout.rows[0], client.Height() / 2);
    EXPECT_LE(layout.rows[1], client.Height() / 2);
    EXPECT_GT(layout.rows[1], client.Height() / 2 - 12);

    // A divider moved by the user goes back to the middle at the next layout.
    splitter.SetColumnInfo(0, 40, 10);
    splitter.RecalcLayout();
    frame->RecalcLayout();
    EXPECT_EQ(SplitterLayout(splitter).columns[0], client.Width() / 2 - 2);

    CRect panel;
    frame->GetToolsPanel().GetWindowRect(&panel);
    EXPECT_EQ(panel.Height(), client.Height());
}

TEST_F(LayoutTest, TinySplitterKeepsItsPanesButThePanelStillFollows)
{
    Resize(900, 700);
    CSplitterWnd& splitter = frame->GetSplitter();
    splitter.SetColumnInfo(0, 40, 10);
    splitter.RecalcLayout();

    // Lower than the bars need: the splitter is left a few pixels of height,
    // so the layout does not halve it and the moved divider stays.
    Resize(900, 40);
    CRect client;
    splitter.GetClientRect(&client);
    ASSERT_LE(client.Height(), 10);
    ASSERT_GT(client.Width(), 100);
    EXPECT_EQ(SplitterLayout(splitter).columns[0], 40);

    CRect panel;
    frame->GetToolsPanel().GetWindowRect(&panel);
    EXPECT_EQ(panel.Height(), client.Height());
}

TEST_F(LayoutTest, StatusBarShowsEmptyCoordinatesAtStart)
{
    auto* statusBar = dynamic_cast<CStatusBar*>(frame->GetControlBar(AFX_IDW_STATUS_BAR));
    ASSERT_NE(statusBar, nullptr);
    ASSERT_EQ(statusBar->GetCount(), 4);
    EXPECT_STREQ(statusBar->GetPaneText(1), "X: ");
    EXPECT_STREQ(statusBar->GetPaneText(2), "Y: ");
    EXPECT_STREQ(statusBar->GetPaneText(3), "Z: ");

    frame->ShowCoordinates(TRUE, 1.5f, -2.0f, 0.0004f);
    EXPECT_STREQ(statusBar->GetPaneText(1), "X: 1.500");
    EXPECT_STREQ(statusBar->GetPaneText(2), "Y: -2.000");
    EXPECT_STREQ(statusBar->GetPaneText(3), "Z: 0.000");
}

// What an update handler says about a menu item.
struct CheckProbe : CCmdUI {
    int check = -1;
    void SetCheck(int nCheck) override { check = nCheck; }
};

int ToolsPanelCheck(CMainFrame& frame)
{
    CheckProbe probe;
    probe.m_nID = ID_VIEW_TOOLS_PANEL;
    probe.DoUpdate(&frame, FALSE);
    return probe.check;
}

TEST_F(LayoutTest, ViewMenuTogglesTheToolsPanelWithItsCheckMark)
{
    CDialogBar& panel = frame->GetToolsPanel();
    ASSERT_TRUE(panel.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(ToolsPanelCheck(*frame), 1);

    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLS_PANEL, 0);
    orbel::test::RunUntilIdle();
    EXPECT_FALSE(panel.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(ToolsPanelCheck(*frame), 0);

    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLS_PANEL, 0);
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(panel.GetStyle() & WS_VISIBLE);
}

}  // namespace
