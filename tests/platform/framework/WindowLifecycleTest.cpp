// Window records: enabled and visible flags with Win32 meaning, the order
// of destruction, owners and parents, capture, borders and window text.
#include "WindowTestSupport.h"

#include <framework/Exceptions.h>

using orbel::test::Button;

namespace {

class LifeWnd : public LogWnd {
public:
    std::vector<std::string>* shared = nullptr;
    std::string name;
    bool deleteOnDestroy = false;

protected:
    afx_msg void OnDestroy() {
        shared->push_back("destroy " + name);
        CWnd::OnDestroy();
    }
    afx_msg void OnLButtonDown(UINT, CPoint p) {
        shared->push_back(name + " down " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    afx_msg void OnMouseMove(UINT, CPoint p) {
        shared->push_back(name + " move " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void PostNcDestroy() override {
        shared->push_back("gone " + name);
        if (deleteOnDestroy)
            delete this;
    }
    DECLARE_MESSAGE_MAP()
};

class ThrowingCreateWnd : public CWnd {
public:
    bool cleanedUp = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { AfxThrowMemoryException(); }
    void PostNcDestroy() override { cleanedUp = true; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ThrowingCreateWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(LifeWnd, LogWnd)
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

class WindowLifecycleTest : public WindowTest {
protected:
    LifeWnd* Make(const std::string& name, CWnd* parent, const RECT& rect, DWORD style = WS_CHILD | WS_VISIBLE) {
        auto* w = new LifeWnd;
        w->shared = &events;
        w->name = name;
        w->deleteOnDestroy = true;
        const BOOL ok = parent ? w->CreateEx(0, nullptr, name.c_str(), style, rect, parent, 1)
                               : w->CreateEx(0, nullptr, name.c_str(), style, rect.left, rect.top,
                                             rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr);
        EXPECT_TRUE(ok);
        return w;
    }
    std::vector<std::string> events;
};

} // namespace

TEST_F(WindowLifecycleTest, DestroyingAParentTakesChildrenAndOwnedPopupsInWin32Order) {
    LifeWnd* top = Make("top", nullptr, CRect(0, 0, 200, 200), WS_POPUP | WS_VISIBLE);
    Make("child", top, CRect(0, 0, 50, 50));
    Make("popup", top, CRect(0, 0, 50, 50), WS_POPUP);  // owned, not a child
    HWND topHandle = top->m_hWnd;
    top->DestroyWindow();
    EXPECT_EQ(events, (std::vector<std::string>{"destroy popup", "gone popup", "destroy top", "destroy child",
                                                 "gone child", "gone top"}));
    EXPECT_FALSE(::IsWindow(topHandle));
}

TEST_F(WindowLifecycleTest, TheTopLevelParentOfAnOwnedPopupIsItsOwner) {
    LifeWnd* frame = Make("frame", nullptr, CRect(0, 0, 300, 200), WS_OVERLAPPEDWINDOW);
    LifeWnd* placeholder = Make("placeholder", frame, CRect(10, 10, 100, 100));
    LifeWnd* panel = Make("panel", placeholder, CRect(0, 0, 80, 80), WS_POPUP | WS_VISIBLE);
    LifeWnd* inside = Make("inside", panel, CRect(0, 0, 10, 10));
    EXPECT_EQ(inside->GetTopLevelParent(), frame);
    EXPECT_EQ(panel->GetParent(), frame) << "a popup's parent is its top-level owner";
    EXPECT_EQ(placeholder->GetTopLevelParent(), frame);
    frame->DestroyWindow();
}

TEST_F(WindowLifecycleTest, EnabledFlagsAreEachWindowsOwn) {
    LifeWnd* top = Make("top", nullptr, CRect(0, 0, 200, 200), WS_POPUP | WS_VISIBLE);
    LifeWnd* holder = Make("holder", top, CRect(0, 0, 150, 150));
    LifeWnd* panel = Make("panel", holder, CRect(10, 10, 60, 60));
    holder->EnableWindow(FALSE);
    EXPECT_FALSE(holder->IsWindowEnabled());
    EXPECT_TRUE(panel->IsWindowEnabled()) << "a disabled parent leaves its children enabled";
    orbel::test::RunUntilIdle();
    events.clear();
    orbel::test::Click(*panel, Button::Left, {3, 4});
    orbel::test::Click(*holder, Button::Left, {100, 100});
    orbel::test::RunUntilIdle();
    EXPECT_EQ(events, (std::vector<std::string>{"panel down 3,4"})) << "the disabled holder gets no input";
    EXPECT_EQ(holder->EnableWindow(TRUE), TRUE) << "returns that it was disabled";
    top->DestroyWindow();
}

TEST_F(WindowLifecycleTest, VisibilityNeedsTheWholeParentChain) {
    LifeWnd* top = Make("top", nullptr, CRect(0, 0, 200, 200), WS_POPUP);
    LifeWnd* child = Make("child", top, CRect(0, 0, 50, 50));
    LifeWnd* hidden = Make("hidden", top, CRect(0, 0, 50, 50), WS_CHILD);
    EXPECT_FALSE(child->IsWindowVisible());
    top->ShowWindow(SW_SHOW);
    EXPECT_TRUE(child->IsWindowVisible());
    EXPECT_FALSE(hidden->IsWindowVisible());
    EXPECT_TRUE(child->GetStyle() & WS_VISIBLE);
    top->DestroyWindow();
}

TEST_F(WindowLifecycleTest, CaptureBringsMovesElsewhereInTheCapturingWindowsCoordinates) {
    LifeWnd* top = Make("top", nullptr, CRect(0, 0, 200, 200), WS_POPUP | WS_VISIBLE);
    LifeWnd* a = Make("a", top, CRect(0, 0, 50, 50));
    LifeWnd* b = Make("b", top, CRect(100, 0, 150, 50));
    orbel::test::RunUntilIdle();
    a->SetCapture();
    events.clear();
    orbel::test::MouseMove(*b, {5, 5});
    orbel::test::RunUntilIdle();
    EXPECT_EQ(events, (std::vector<std::string>{"a move 105,5"}));
    ::ReleaseCapture();
    events.clear();
    orbel::test::MouseMove(*b, {5, 5});
    orbel::test::RunUntilIdle();
    EXPECT_EQ(events, (std::vector<std::string>{"b move 5,5"}));
    top->DestroyWindow();
}

TEST_F(WindowLifecycleTest, BordersAreOutsideTheClientArea) {
    LifeWnd* top = Make("top", nullptr, CRect(0, 0, 200, 200), WS_POPUP | WS_VISIBLE | WS_BORDER);
    CRect client, window;
    top->GetClientRect(&client);
    top->GetWindowRect(&window);
    EXPECT_EQ(client, CRect(0, 0, 198, 198));
    EXPECT_EQ(window.Width(), 200);
    CPoint p(0, 0);
    top->ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(window.left + 1, window.top + 1));
    top->ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(0, 0));
    top->DestroyWindow();
}

TEST_F(WindowLifecycleTest, AMenuBarTakesItsHeightFromTheClientArea) {
    LifeWnd* top = Make("top", nullptr, CRect(0, 0, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    CRect before;
    top->GetClientRect(&before);
    CMenu bar;
    bar.CreateMenu();
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, 1, "One");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), "&File");
    top->SetMenu(&bar);
    CRect after;
    top->GetClientRect(&after);
    EXPECT_LT(after.Height(), before.Height());
    EXPECT_EQ(after.Width(), before.Width());
    EXPECT_EQ(top->GetMenu()->m_hMenu, bar.m_hMenu);
    top->SetMenu(nullptr);
    top->DestroyWindow();
}

TEST_F(WindowLifecycleTest, WindowTextIsCopiedAndTruncatedSafely) {
    LifeWnd* top = Make("top", nullptr, CRect(0, 0, 100, 100), WS_POPUP);
    top->SetWindowText("Orbel Scene");
    char small[6];
    EXPECT_EQ(top->GetWindowText(small, sizeof small), 5);
    EXPECT_STREQ(small, "Orbel");
    EXPECT_EQ(top->GetWindowTextLength(), 11);
    CString all;
    top->GetWindowText(all);
    EXPECT_STREQ(all, "Orbel Scene");
    top->DestroyWindow();
}

TEST_F(WindowLifecycleTest, KeyStateBelongsToTheMessageBeingHandled) {
    class ShiftWatcher : public CWnd {
    public:
        std::vector<bool> shift;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_LBUTTONDOWN)
                shift.push_back(::GetKeyState(VK_SHIFT) < 0);
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "w", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    orbel::test::Click(w, Button::Left, {1, 1}, MK_SHIFT);
    orbel::test::Click(w, Button::Left, {1, 1}, 0);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(w.shift, (std::vector<bool>{true, false}));
}

TEST_F(WindowLifecycleTest, AWindowWhoseCreationThrowsIsNotCreated) {
    ThrowingCreateWnd w;
    EXPECT_FALSE(w.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_TRUE(w.cleanedUp);
    EXPECT_EQ(reports.size(), 1u);
}
