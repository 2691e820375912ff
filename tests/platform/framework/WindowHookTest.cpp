// Message hooks: a WH_CALLWNDPROC chain sees sent messages, newest first,
// before the window does, and no posted one.
#include "WindowTestSupport.h"

#include <framework/WindowHooks.h>

namespace {

std::vector<std::string>* g_seen = nullptr;
HHOOK g_older = nullptr;
HHOOK g_newer = nullptr;

LRESULT Older(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message >= WM_USER)
        g_seen->push_back("older " + std::to_string(sent->message - WM_USER) + " " + std::to_string(sent->wParam));
    return ::CallNextHookEx(g_older, code, wParam, lParam);
}

LRESULT Newer(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message >= WM_USER)
        g_seen->push_back("newer " + std::to_string(sent->message - WM_USER));
    return ::CallNextHookEx(g_newer, code, wParam, lParam);
}

class ReplyWnd : public LogWnd {
protected:
    afx_msg LRESULT OnUser(WPARAM wParam, LPARAM) {
        g_seen->push_back("window " + std::to_string(wParam));
        return 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReplyWnd, LogWnd)
ON_MESSAGE(WM_USER + 1, OnUser)
END_MESSAGE_MAP()

} // namespace

using WindowHookTest = WindowTest;

TEST_F(WindowHookTest, SentMessagesPassTheChainNewestFirstAndPostedOnesNone) {
    std::vector<std::string> seen;
    g_seen = &seen;
    ReplyWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_EQ(::SetWindowsHookEx(3, &Older, nullptr, 0), nullptr);  // only WH_CALLWNDPROC is kept
    g_older = ::SetWindowsHookEx(WH_CALLWNDPROC, &Older, nullptr, 0);
    g_newer = ::SetWindowsHookEx(WH_CALLWNDPROC, &Newer, nullptr, 0);
    ASSERT_NE(g_older, nullptr);
    ASSERT_NE(g_newer, nullptr);

    EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 5, 0), 42);
    EXPECT_EQ(seen, (std::vector<std::string>{"newer 1", "older 1 5", "window 5"}));

    seen.clear();
    wnd.PostMessage(WM_USER + 1, 6, 0);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(seen, (std::vector<std::string>{"window 6"}));

    seen.clear();
    EXPECT_TRUE(::UnhookWindowsHookEx(g_newer));
    EXPECT_FALSE(::UnhookWindowsHookEx(g_newer));
    wnd.SendMessage(WM_USER + 1, 7, 0);
    EXPECT_TRUE(::UnhookWindowsHookEx(g_older));
    wnd.SendMessage(WM_USER + 1, 8, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"older 1 7", "window 7", "window 8"}));
    g_seen = nullptr;
}
