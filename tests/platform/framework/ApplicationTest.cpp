// The application object and templates: command line, failed frames,
// document strings, profile values and the tool bar's commands.
#include "DocFrameTestTypes.h"

using orbel::test::Button;

namespace {

class FailingFrame : public CFrameWnd {
    DECLARE_DYNCREATE(FailingFrame)
public:
    ~FailingFrame() override { Events().push_back("failed frame gone"); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        return -1;  // as when Direct3D cannot start
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(FailingFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(FailingFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class ApplicationTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Events().clear();
        RegisterTestResources();
    }
    void TearDown() override {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();
        WindowTest::TearDown();
    }
    struct Parsed {
        int command;
        std::string file;
        bool embedded;
    };
    Parsed Parse(std::vector<std::string> args) {
        orbel::test::SetProgramArguments(std::move(args));
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        orbel::test::SetProgramArguments({});
        return {info.m_nShellCommand, info.m_strFileName.GetString(), info.m_bRunEmbedded != FALSE};
    }
    orbel::test::TemporaryUserFolders folders;
    TestApp app;
};

} // namespace

TEST_F(ApplicationTest, CommandLineNamesAFileOrNothing) {
    EXPECT_EQ(Parse({}).command, CCommandLineInfo::FileNew);
    const Parsed open = Parse({"/home/user/scene.f3D"});
    EXPECT_EQ(open.command, CCommandLineInfo::FileOpen) << "an absolute path is no flag here";
    EXPECT_EQ(open.file, "\\home\\user\\scene.f3D");
    EXPECT_EQ(Parse({"/dde"}).command, CCommandLineInfo::FileDDE);
    const Parsed both = Parse({"-Embedding", "a.f3D", "b.f3D"});
    EXPECT_TRUE(both.embedded);
    EXPECT_EQ(both.file, "a.f3D");
}

TEST_F(ApplicationTest, AFrameThatFailsIsDestroyedWithItsDocumentAndStartUpFails) {
    app.AddDocTemplate(new CSingleDocTemplate(kTemplateId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(FailingFrame),
                                              RUNTIME_CLASS(TestView)));
    CCommandLineInfo info;
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(Events(), (std::vector<std::string>{"failed frame gone", "doc gone"}));
}

TEST_F(ApplicationTest, OpeningAMissingFileOnTheCommandLineFailsStartUp) {
    app.AddDocTemplate(new CSingleDocTemplate(kTemplateId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame),
                                              RUNTIME_CLASS(TestView)));
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::FileOpen;
    info.m_strFileName = "C:\\nowhere\\none.f3D";
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_FALSE(reports.empty()) << "the user is told";
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(ApplicationTest, DocumentStringsSplitAtNewlines) {
    CSingleDocTemplate t(kTemplateId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame), RUNTIME_CLASS(TestView));
    CString s;
    EXPECT_TRUE(t.GetDocString(s, CDocTemplate::windowTitle));
    EXPECT_STREQ(s, "Orbel");
    EXPECT_TRUE(t.GetDocString(s, CDocTemplate::docName));
    EXPECT_STREQ(s, "");
    EXPECT_TRUE(t.GetDocString(s, CDocTemplate::filterName));
    EXPECT_STREQ(s, "Orbel Files (*.f3D)");
    EXPECT_TRUE(t.GetDocString(s, CDocTemplate::filterExt));
    EXPECT_STREQ(s, ".f3D");
    EXPECT_TRUE(t.GetDocString(s, CDocTemplate::regFileTypeName));
    EXPECT_STREQ(s, "Orbel.Document");
}

TEST_F(ApplicationTest, ProfileValuesRoundTripAndCanBeRemoved) {
    app.SetRegistryKey("Local AppWizard-Generated Applications");
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 17), 17u);
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", 3));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "a=b"));
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 17), 3u);
    EXPECT_STREQ(app.GetProfileString("Settings", "Name"), "a=b");
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", nullptr));
    EXPECT_STREQ(app.GetProfileString("Settings", "Name", "none"), "none");
    EXPECT_NE(std::string(app.GetProfilePath()).find("/Local AppWizard-Generated Applications/"), std::string::npos);
}

TEST_F(ApplicationTest, ToolBarButtonsSendCommandsAndFollowUpdateHandlers) {
    app.AddDocTemplate(new CSingleDocTemplate(kTemplateId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame),
                                              RUNTIME_CLASS(TestView)));
    app.OnFileNew();
    auto* frame = static_cast<TestFrame*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    CToolBar tools;
    ASSERT_TRUE(tools.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    const UINT ids[] = {kCmdDoc, ID_SEPARATOR, kCmdDisabled, kCmdChecked};
    ASSERT_TRUE(tools.SetButtons(ids, 4));
    frame->DockControlBar(&tools);
    orbel::test::RunUntilIdle();  // idle work updates the buttons
    EXPECT_TRUE(tools.GetButtonStyle(2) & TBBS_DISABLED);
    EXPECT_TRUE(tools.GetButtonStyle(3) & TBBS_CHECKED);
    EXPECT_FALSE(tools.GetButtonStyle(0) & TBBS_DISABLED);

    CRect first, disabled;
    tools.GetItemRect(0, &first);
    tools.GetItemRect(2, &disabled);
    Events().clear();
    orbel::test::Click(tools, Button::Left, first.CenterPoint());
    orbel::test::Click(tools, Button::Left, disabled.CenterPoint());
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Events(), (std::vector<std::string>{"doc command"}));

    CRect view = frame->GetViewArea();
    CRect bar;
    tools.GetWindowRect(&bar);
    frame->ScreenToClient(&bar);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(view.top, bar.bottom) << "the view area starts below the tool bar";
    tools.DestroyWindow();
}
