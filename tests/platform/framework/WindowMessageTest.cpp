// The message queue: order of posted and sent messages, painting from
// invalidation, input turned into messages, exceptions stopped at dispatch.
#include "WindowTestSupport.h"

#include <framework/Exceptions.h>

#include <algorithm>

using orbel::test::Button;

namespace {

std::vector<std::string> Without(std::vector<std::string> log, const std::string& prefix) {
    log.erase(std::remove_if(log.begin(), log.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }),
              log.end());
    return log;
}

class ThrowingWnd : public LogWnd {
protected:
    afx_msg LRESULT OnThrow(WPARAM, LPARAM) { AfxThrowFileException(CFileException::diskFull, -1, "scene.f3D"); }
    afx_msg LRESULT OnNested(WPARAM, LPARAM) {
        log.push_back("nested start");
        PostMessage(WM_USER + 3, 0, 0);
        const int result = RunModalLoop();
        log.push_back("nested end " + std::to_string(result));
        return 0;
    }
    afx_msg LRESULT OnEndNested(WPARAM, LPARAM) {
        log.push_back("posted inside");
        EndModalLoop(7);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// A view-like child: takes the focus when activated by the mouse.
class ClickFocusWnd : public LogWnd {
protected:
    afx_msg int OnMouseActivate(CWnd*, UINT, UINT) {
        SetFocus();
        return MA_ACTIVATE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ClickFocusWnd, LogWnd)
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(ThrowingWnd, LogWnd)
ON_MESSAGE(WM_USER + 1, OnThrow)
ON_MESSAGE(WM_USER + 2, OnNested)
ON_MESSAGE(WM_USER + 3, OnEndNested)
END_MESSAGE_MAP()

} // namespace

using MessageQueueTest = WindowTest;

TEST_F(MessageQueueTest, PostedMessagesWaitAndKeepTheirOrderWhileSendIsImmediate) {
    LogWnd w;
    ASSERT_TRUE(w.CreateTop());
    orbel::test::RunUntilIdle();
    w.log.clear();

    w.PostMessage(WM_USER, 1);
    w.PostMessage(WM_USER, 2);
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(w.SendMessage(WM_USER, 3), 6);
    EXPECT_EQ(w.log, (std::vector<std::string>{"user 3"}));

    orbel::test::RunUntilIdle();
    EXPECT_EQ(w.log, (std::vector<std::string>{"user 3", "user 1", "user 2"}));
}

TEST_F(MessageQueueTest, InvalidationPaintsLaterButRedrawWithUpdateNowPaintsAtOnce) {
    LogWnd w;
    ASSERT_TRUE(w.CreateTop());
    orbel::test::RunUntilIdle();
    const int painted = orbel::test::PaintCount(w);

    w.Invalidate();
    w.Invalidate();
    EXPECT_EQ(orbel::test::PaintCount(w), painted);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::PaintCount(w), painted + 1) << "two invalidations make one paint";

    w.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(orbel::test::PaintCount(w), painted + 2);
    w.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW);
    EXPECT_EQ(orbel::test::PaintCount(w), painted + 2) << "nothing invalid, nothing painted";

    w.Invalidate();
    w.UpdateWindow();
    EXPECT_EQ(orbel::test::PaintCount(w), painted + 3);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::PaintCount(w), painted + 3);
}

TEST_F(MessageQueueTest, PaintsComeAfterPostedMessages) {
    LogWnd w;
    ASSERT_TRUE(w.CreateTop());
    orbel::test::RunUntilIdle();
    w.log.clear();
    w.Invalidate();
    w.PostMessage(WM_USER, 1);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(w.log, (std::vector<std::string>{"user 1", "paint"}));
}

TEST_F(MessageQueueTest, ExceptionInAHandlerIsReportedAndTheLoopGoesOn) {
    ThrowingWnd w;
    ASSERT_TRUE(w.CreateTop());
    orbel::test::RunUntilIdle();
    w.log.clear();

    w.PostMessage(WM_USER + 1);
    w.PostMessage(WM_USER, 5);
    orbel::test::RunUntilIdle();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("scene.f3D"), std::string::npos) << reports[0];
    EXPECT_EQ(Without(w.log, "paint"), (std::vector<std::string>{"user 5"}));

    // A sent message throws too: the caller gets 0 and goes on.
    EXPECT_EQ(w.SendMessage(WM_USER + 1), 0);
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(MessageQueueTest, NestedModalLoopKeepsDeliveringPostedMessages) {
    ThrowingWnd w;
    ASSERT_TRUE(w.CreateTop());
    orbel::test::RunUntilIdle();
    w.log.clear();
    w.PostMessage(WM_USER + 2);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Without(w.log, "paint"), (std::vector<std::string>{"nested start", "posted inside", "nested end 7"}));
}

TEST_F(MessageQueueTest, MessagesForADestroyedWindowAreDropped) {
    auto* w = new LogWnd;
    ASSERT_TRUE(w->CreateTop());
    HWND h = w->m_hWnd;
    ::PostMessage(h, WM_USER, 1, 0);
    w->DestroyWindow();
    delete w;
    EXPECT_FALSE(::IsWindow(h));
    orbel::test::RunUntilIdle();  // must not reach the deleted object
    EXPECT_EQ(::SendMessage(h, WM_USER, 1, 0), 0);
}

using WindowInputTest = WindowTest;

TEST_F(WindowInputTest, AClickActivatesAndFocusesAViewBeforeTheButtonMessage) {
    LogWnd parent;
    ASSERT_TRUE(parent.CreateTop(300, 200));
    ClickFocusWnd child;
    ASSERT_TRUE(child.CreateChild(&parent, CRect(10, 10, 110, 110), 5));
    orbel::test::RunUntilIdle();
    child.log.clear();

    orbel::test::MouseDown(child, Button::Left, {20, 30}, MK_CONTROL);
    orbel::test::MouseUp(child, Button::Left, {20, 30}, MK_CONTROL);
    orbel::test::RunUntilIdle();
    const auto log = Without(child.log, "paint");
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "setfocus");
    EXPECT_EQ(log[1], "ldown 20,30 focused ctrl");
    EXPECT_EQ(CWnd::GetFocus(), &child);
}

TEST_F(WindowInputTest, RightReleaseBringsAContextMenuMessageWithScreenPosition) {
    LogWnd parent;
    ASSERT_TRUE(parent.CreateTop(300, 200));
    LogWnd child;
    ASSERT_TRUE(child.CreateChild(&parent, CRect(10, 10, 110, 110), 5));
    orbel::test::RunUntilIdle();
    child.log.clear();
    orbel::test::Click(child, Button::Right, {4, 6});
    orbel::test::RunUntilIdle();
    POINT screen{4, 6};
    ::ClientToScreen(child, &screen);
    const auto log = Without(child.log, "paint");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "context 1 " + std::to_string(screen.x) + "," + std::to_string(screen.y));
}

TEST_F(WindowInputTest, MovesWithoutButtonsArrive) {
    LogWnd w;
    ASSERT_TRUE(w.CreateTop());
    orbel::test::RunUntilIdle();
    w.log.clear();
    orbel::test::MouseMove(w, {7, 9}, MK_SHIFT);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Without(w.log, "paint"), (std::vector<std::string>{"move 7,9 " + std::to_string(MK_SHIFT)}));
}

TEST_F(WindowInputTest, TheWheelReachesOnlyTheFocusedWindow) {
    LogWnd parent;
    ASSERT_TRUE(parent.CreateTop(300, 200));
    LogWnd a, b;
    ASSERT_TRUE(a.CreateChild(&parent, CRect(0, 0, 100, 100), 1));
    ASSERT_TRUE(b.CreateChild(&parent, CRect(100, 0, 200, 100), 2));
    a.SetFocus();
    orbel::test::RunUntilIdle();
    a.log.clear();
    b.log.clear();
    orbel::test::Wheel(b, -120, {5, 5});
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Without(a.log, "paint"), (std::vector<std::string>{"wheel -120"}));
    EXPECT_TRUE(Without(b.log, "paint").empty());
}

TEST_F(WindowInputTest, KeysGoToTheFocusWithTheirCharacters) {
    LogWnd w;
    ASSERT_TRUE(w.CreateTop());
    w.SetFocus();
    orbel::test::RunUntilIdle();
    w.log.clear();
    orbel::test::PressKey('A');
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Without(w.log, "paint"), (std::vector<std::string>{"keydown 65", "char a"}));
    EXPECT_GE(::GetKeyState(VK_SHIFT), 0);
}

TEST_F(WindowInputTest, FocusChangesTellBothWindows) {
    LogWnd a, b;
    ASSERT_TRUE(a.CreateTop());
    ASSERT_TRUE(b.CreateTop());
    a.SetFocus();
    a.log.clear();
    b.SetFocus();
    EXPECT_EQ(Without(a.log, "paint"), (std::vector<std::string>{"killfocus"}));
    EXPECT_EQ(Without(b.log, "paint"), (std::vector<std::string>{"setfocus"}));
    b.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}
