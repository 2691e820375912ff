#include <framework/Afx.h>
#include <testsupport/ControlInput.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kBarTemplate = 4200;
constexpr UINT kBarId = 104;
constexpr int kTabs = 1004, kPanelArea = 1007, kPluginArea = 1011;

ResourceTables barTables() {
    DialogTemplate t;
    t.id = kBarTemplate;
    t.style = WS_CHILD | DS_CONTROL;
    t.cx = 152;
    t.cy = 396;
    t.items = {
        DialogControl("SysTabControl32", "", kTabs, 0, 7, 7, 138, 114),
        DialogControl("BUTTON", "Button1_DP", kPanelArea, BS_OWNERDRAW, 14, 21, 124, 96),
        DialogControl("BUTTON", "Button2_DP", kPluginArea, BS_OWNERDRAW | WS_DISABLED, 7, 121, 138, 268),
    };
    ResourceTables tables;
    tables.dialogs.push_back(t);
    return tables;
}
const ResourceRegistration registration(barTables());

class Frame : public CFrameWnd {
public:
    std::vector<std::string> heard;
    afx_msg void OnTab(NMHDR*, LRESULT*) { heard.push_back("TCN_SELCHANGE"); }
    afx_msg void OnPanelArea() { heard.push_back("BN_CLICKED 1007"); }
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT) { heard.push_back("WM_DRAWITEM " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Frame, CFrameWnd)
    ON_NOTIFY(TCN_SELCHANGE, kTabs, OnTab)
    ON_BN_CLICKED(kPanelArea, OnPanelArea)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class DialogBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbel::test::EnsureApplication();
        frame = new Frame;  // frames delete themselves with their window
        ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        ASSERT_TRUE(bar.Create(frame, kBarTemplate, CBRS_RIGHT, kBarId));
    }
    void TearDown() override {
        bar.DestroyWindow();
        if (frame->GetSafeHwnd()) frame->DestroyWindow();
        orbel::test::RunUntilIdle();
    }
    Frame* frame = nullptr;
    CDialogBar bar;
};

TEST_F(DialogBarTest, BarIsAFrameChildOfTheTemplateSize) {
    EXPECT_EQ(bar.GetParent(), frame);
    EXPECT_EQ(bar.GetDlgCtrlID(), static_cast<int>(kBarId));
    RECT size{0, 0, 152, 396};
    ::MapDialogRect(nullptr, &size);
    const CSize fixed = bar.CalcFixedLayout(FALSE, FALSE);
    EXPECT_EQ(fixed.cx, size.right);
    EXPECT_EQ(fixed.cy, size.bottom);
    EXPECT_EQ(bar.CalcFixedLayout(TRUE, FALSE).cx, size.right) << "a side bar keeps its width";
    EXPECT_FALSE(::IsWindowEnabled(bar.GetDlgItem(kPluginArea)->GetSafeHwnd())) << "disabled by its template";
}

TEST_F(DialogBarTest, ControlNotificationsReachTheFrame) {
    // The frame's way: the dialog bar's control seen through its class.
    CTabCtrl* tabs = static_cast<CTabCtrl*>(bar.GetDlgItem(kTabs));
    tabs->InsertItem(0, "Create");
    tabs->InsertItem(1, "Modify");
    orbel::test::ChooseTab(tabs->GetSafeHwnd(), 1);
    ::SendMessage(bar.GetDlgItem(kPanelArea)->GetSafeHwnd(), BM_CLICK, 0, 0);
    ::RedrawWindow(bar.GetDlgItem(kPanelArea)->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(frame->heard,
              (std::vector<std::string>{"TCN_SELCHANGE", "BN_CLICKED 1007", "WM_DRAWITEM 1007"}));
}

}  // namespace
