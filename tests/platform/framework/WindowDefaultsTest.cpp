// Default processing: what happens to messages a window leaves alone.
#include "DocFrameTestTypes.h"

#include <framework/Exceptions.h>

#include <algorithm>

using orbel::test::Button;

namespace {

class UserExceptionWnd : public LogWnd {
protected:
    afx_msg LRESULT OnCancelled(WPARAM, LPARAM) { AfxThrowUserException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UserExceptionWnd, LogWnd)
ON_MESSAGE(WM_USER + 9, OnCancelled)
END_MESSAGE_MAP()

// A child that handles no mouse messages at all.
class QuietWnd : public CWnd {};

} // namespace

using WindowDefaultsTest = WindowTest;

TEST_F(WindowDefaultsTest, AnUnhandledContextMenuGoesUpToTheParentWithTheChildNamed) {
    LogWnd parent;
    ASSERT_TRUE(parent.CreateTop(200, 200));
    QuietWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, "quiet", WS_CHILD | WS_VISIBLE, CRect(50, 50, 100, 100), &parent, 3));
    orbel::test::RunUntilIdle();
    parent.log.clear();
    orbel::test::Click(child, Button::Right, {1, 2});
    orbel::test::RunUntilIdle();
    POINT screen{1, 2};
    ::ClientToScreen(child, &screen);
    ASSERT_FALSE(parent.log.empty());
    EXPECT_EQ(parent.log.back(), "context 0 " + std::to_string(screen.x) + "," + std::to_string(screen.y));
}

TEST_F(WindowDefaultsTest, AUserExceptionIsNotReportedAgain) {
    UserExceptionWnd w;
    ASSERT_TRUE(w.CreateTop());
    w.PostMessage(WM_USER + 9);
    w.PostMessage(WM_USER, 1);
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(reports.empty()) << "whoever raised it has told the user already";
    EXPECT_NE(std::find(w.log.begin(), w.log.end(), "user 1"), w.log.end()) << "the loop went on";
}

TEST_F(WindowDefaultsTest, DrawTextMeasuresWithoutMnemonicMarks) {
    LogWnd w;
    ASSERT_TRUE(w.CreateTop());
    CClientDC dc(&w);
    const CSize plain = dc.GetTextExtent("File", 4);
    CRect measured(0, 0, 0, 0);
    const int height = dc.DrawText("&File", -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.Width(), plain.cx);
    EXPECT_EQ(height, measured.Height());
    CRect raw(0, 0, 0, 0);
    dc.DrawText("&File", -1, &raw, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(raw.Width(), plain.cx);
}

TEST_F(WindowDefaultsTest, StatusPanesWithIdsTakeTheirUpdateHandlersText) {
    RegisterTestResources();
    TestApp app;
    TestFrame* frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    const UINT indicators[] = {0, kCmdDisabled};
    frame->m_status.SetIndicators(indicators, 2);
    frame->m_status.SetPaneText(1, "shown");
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(frame->m_status.GetPaneStyle(1) & SBPS_DISABLED) << "its update handler disables it";
    frame->DestroyWindow();
}

TEST_F(WindowDefaultsTest, NestedChildrenMapPointsThroughEveryParent) {
    LogWnd top;
    ASSERT_TRUE(top.CreateTop(300, 300));
    LogWnd middle, inner;
    ASSERT_TRUE(middle.CreateChild(&top, CRect(10, 20, 200, 200), 1));
    ASSERT_TRUE(inner.CreateChild(&middle, CRect(5, 7, 50, 50), 2));
    CPoint p(1, 1);
    inner.ClientToScreen(&p);
    top.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(16, 28));
}
