// The panel base every plug-in's panel is made from: where its posts go,
// that a rejected entry posts nothing, and the status line's temporary
// binding.
#include "plugins/common/PluginPanel.h"

#include <plugins/common/Plugin.h>
#include <testsupport/ScriptedModals.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

constexpr UINT kChildPanel = 4901;
constexpr UINT kPopupPanel = 4902;
constexpr UINT kStatus = 4911;
constexpr UINT kNumber = 4912;

// Stands in for the main frame: records the WM_USER codes it receives.
class RecordingFrame : public CFrameWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> received;

protected:
    LRESULT OnUser(WPARAM code, LPARAM argument)
    {
        received.emplace_back(code, argument);
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingFrame, CFrameWnd)
    ON_MESSAGE(WM_USER, OnUser)
END_MESSAGE_MAP()

class NumberPanel : public cPluginPanel {
public:
    explicit NumberPanel(UINT templateId)
        : cPluginPanel(templateId, kStatus)
    {
    }
    int number = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kNumber, number); }
};

// Registers the tables for the test program's own image.
const int kTablesOwner = 0;

ResourceTables PanelTables()
{
    ResourceTables tables;
    for (auto [id, style] : {std::pair{kChildPanel, WS_CHILD}, std::pair{kPopupPanel, WS_POPUP}})
        tables.dialogs.push_back(MakePluginPanelTemplate(
            id, static_cast<DWORD>(style), 60,
            {DialogControl("STATIC", "", kStatus, SS_LEFT, 5, 5, 100, 13, WS_EX_CLIENTEDGE),
             DialogControl("EDIT", "", kNumber, WS_BORDER | WS_TABSTOP, 5, 25, 40, 13)}));
    return tables;
}

class PluginPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orbel::test::EnsureApplication();
        AfxRegisterResources(&kTablesOwner, PanelTables());
        frame = new RecordingFrame;
        ASSERT_TRUE(frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 400)));
        placeholder.Create("BUTTON", "", WS_CHILD | WS_VISIBLE, CRect(20, 20, 300, 300), frame, 1011);
    }
    void TearDown() override
    {
        placeholder.DestroyWindow();
        frame->DestroyWindow();
        orbel::test::RunUntilIdle();
        AfxUnregisterResources(&kTablesOwner);
    }

    RecordingFrame* frame = nullptr;
    CWnd placeholder;
};

TEST_F(PluginPanelTest, ChildAndPopupPanelsPostToTheFrameAroundThem)
{
    for (UINT id : {kChildPanel, kPopupPanel}) {
        NumberPanel panel(id);
        ASSERT_TRUE(panel.CreatePanel(&placeholder));
        EXPECT_TRUE(panel.GetStyle() & WS_VISIBLE);
        EXPECT_EQ(panel.GetMainFrameWindow(), frame);

        cPlugin* self = reinterpret_cast<cPlugin*>(0x1234);
        frame->received.clear();
        panel.OnPanelAction();
        EXPECT_TRUE(panel.PostRunPlugin(self));
        // Posted, so nothing arrives before the loop turns.
        EXPECT_TRUE(frame->received.empty());
        orbel::test::RunUntilIdle();
        EXPECT_EQ(frame->received, (std::vector<std::pair<WPARAM, LPARAM>>{
                                       {PR_PANEL_ACTION, 0}, {FM_RUN_PLUGIN, reinterpret_cast<LPARAM>(self)}}));
    }
}

TEST_F(PluginPanelTest, ARejectedEntryPostsNoPanelAction)
{
    NumberPanel panel(kChildPanel);
    ASSERT_TRUE(panel.CreatePanel(&placeholder));
    panel.SetDlgItemText(kNumber, "12");
    EXPECT_TRUE(panel.ReadAndPostPanelAction());
    EXPECT_EQ(panel.number, 12);

    panel.SetDlgItemText(kNumber, "twelve");
    orbel::test::ScriptMessageBox(IDOK);  // the exchange's complaint
    EXPECT_FALSE(panel.ReadAndPostPanelAction());
    EXPECT_EQ(panel.number, 12);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->received, (std::vector<std::pair<WPARAM, LPARAM>>{{PR_PANEL_ACTION, 0}}));
}

TEST_F(PluginPanelTest, StatusTextLeavesNoWindowObjectOnTheControl)
{
    NumberPanel panel(kChildPanel);
    ASSERT_TRUE(panel.CreatePanel(&placeholder));
    panel.SetStatusText("Ready for points");
    CString text;
    panel.GetDlgItemText(kStatus, text);
    EXPECT_STREQ(text, "Ready for points");
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(panel.GetSafeHwnd(), kStatus)), nullptr);

    // Enter does nothing in a plug-in panel unless the panel says so.
    ::SendMessage(panel.GetSafeHwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(panel.GetStyle() & WS_VISIBLE);
}

TEST_F(PluginPanelTest, WithoutAWindowNothingIsPostedOrSet)
{
    NumberPanel panel(kChildPanel);
    panel.SetStatusText("nowhere");
    panel.OnPanelAction();
    EXPECT_EQ(panel.GetMainFrameWindow(), nullptr);
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(frame->received.empty());
}

}  // namespace
