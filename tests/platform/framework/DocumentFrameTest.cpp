// The document/view/frame machinery: routing, update handlers,
// accelerators, titles, save prompts, recent files, drops and failed opens.
#include "DocFrameTestTypes.h"

#include <win32/Paths.h>

#include <filesystem>
#include <functional>
#include <fstream>

using orbel::test::Button;

namespace {

class DocumentFrameTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Events().clear();
        TestFrame::s_useSplitter = false;
    }
    void TearDown() override {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();
        WindowTest::TearDown();
    }
    TestDoc* Doc() { return static_cast<TestDoc*>(frame->GetActiveDocument()); }
    std::string Temp(const std::string& name) { return (std::filesystem::path(folders.Root()) / name).string(); }

    orbel::test::TemporaryUserFolders folders;
    TestApp app;
    TestFrame* frame = nullptr;
};

std::vector<std::string> EventsWithout(const std::string& what) {
    std::vector<std::string> v;
    for (const auto& e : Events())
        if (e != what)
            v.push_back(e);
    return v;
}

} // namespace

TEST_F(DocumentFrameTest, CommandsRouteThroughViewDocumentFrameAndApplication) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(Doc(), nullptr);
    Events().clear();
    frame->SendMessage(WM_COMMAND, kCmdView);
    frame->SendMessage(WM_COMMAND, kCmdDoc);
    frame->SendMessage(WM_COMMAND, kCmdApp);
    frame->SendMessage(WM_COMMAND, kCmdDisabled);  // its update handler disables it
    EXPECT_EQ(Events(), (std::vector<std::string>{"view command", "doc command", "app command"}));
}

TEST_F(DocumentFrameTest, MenuItemsFollowTheirUpdateHandlers) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    CMenu* edit = frame->GetMenu()->GetSubMenu(1);
    ASSERT_NE(edit, nullptr);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit->m_hMenu), 1);
    EXPECT_FALSE(edit->GetMenuState(kCmdDoc, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(edit->GetMenuState(kCmdDisabled, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(edit->GetMenuState(kCmdChecked, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(edit->GetMenuState(kCmdNobody, MF_BYCOMMAND) & MF_GRAYED) << "no handler: greyed";
}

TEST_F(DocumentFrameTest, AcceleratorsWorkButPlainKeysStayWithTextFields) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    CView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    view->SetFocus();
    Events().clear();
    orbel::test::PressKey('X');
    orbel::test::PressKey('D', MK_CONTROL);
    orbel::test::PressKey('Q');  // disabled command: the key does nothing
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Events(), (std::vector<std::string>{"doc command", "view command"}));

    // A text field: plain letters type, Ctrl combinations stay commands.
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), frame, 77));
    edit.SetFocus();
    Events().clear();
    orbel::test::PressKey('X');
    orbel::test::PressKey('D', MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Events(), (std::vector<std::string>{"view command"}));
    CString typed;
    edit.GetWindowText(typed);
    EXPECT_STREQ(typed, "x");
}

TEST_F(DocumentFrameTest, AcceleratorsDoNothingWhileTheFrameIsDisabled) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    // What a modal dialog owned by the frame looks like to the keyboard.
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "modal", WS_POPUP | WS_VISIBLE, CRect(0, 0, 120, 40), frame, 0));
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &dialog, 77));
    frame->EnableWindow(FALSE);
    edit.SetFocus();
    Events().clear();
    orbel::test::PressKey('D', MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(Events().empty());

    frame->EnableWindow(TRUE);
    orbel::test::PressKey('D', MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Events(), (std::vector<std::string>{"view command"}));
    dialog.DestroyWindow();
}

TEST_F(DocumentFrameTest, TitleNamesTheDocumentThenTheProgram) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Untitled - Orbel");
    const std::string path = Temp("scene.f3D");
    ASSERT_TRUE(Doc()->OnSaveDocument(orbel::ToProgramPath(path).c_str()));
    Doc()->SetPathName(orbel::ToProgramPath(path).c_str());
    orbel::test::RunUntilIdle();
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "scene.f3D - Orbel");
}

// A window whose handler runs a modal loop, then changes what the idle
// pass shows, as Save As does after its file dialog.
class NestedLoopWindow : public CWnd {
public:
    std::function<void()> afterLoop;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_APP)
            return CWnd::WindowProc(message, wParam, lParam);
        orbel::test::RunUntilIdle();
        afterLoop();
        return 0;
    }
};

TEST_F(DocumentFrameTest, TheTitleFollowsAChangeMadeAfterAModalLoopInsideAHandler) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    orbel::test::RunUntilIdle();
    NestedLoopWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "nested", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
    const std::string path = Temp("later.f3D");
    window.afterLoop = [&] { Doc()->SetPathName(orbel::ToProgramPath(path).c_str()); };
    window.PostMessage(WM_APP, 0, 0);
    orbel::test::RunUntilIdle();
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "later.f3D - Orbel");
    window.DestroyWindow();
}

TEST_F(DocumentFrameTest, ClosingAModifiedDocumentAsksAndCancelKeepsEverything) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    Doc()->SetModifiedFlag();
    orbel::test::ScriptSavePrompt(IDCANCEL);
    frame->SendMessage(WM_CLOSE);
    orbel::test::RunUntilIdle();
    ASSERT_EQ(app.m_pMainWnd, frame);
    ASSERT_EQ(orbel::modal::Appearances().size(), 1u);
    EXPECT_EQ(orbel::modal::Appearances()[0].description, "Save changes to Untitled?");
    EXPECT_TRUE(Doc()->IsModified());

    orbel::test::ScriptSavePrompt(IDNO);
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    // The frame (and its views) go first, the document last.
    EXPECT_EQ(EventsWithout("initial update"), (std::vector<std::string>{"frame gone", "doc gone"}));
}

TEST_F(DocumentFrameTest, AnsweringYesSavesUnderTheKnownPath) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    const std::string path = Temp("kept.f3D");
    Doc()->SetPathName(orbel::ToProgramPath(path).c_str(), FALSE);
    Doc()->value = 42;
    Doc()->SetModifiedFlag();
    orbel::test::ScriptSavePrompt(IDYES);
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), sizeof(INT));
}

TEST_F(DocumentFrameTest, RecentFilesArePersistedNewestFirstWithoutDuplicates) {
    app.SetRegistryKey("Test Applications");
    app.LoadStdProfileSettings(4);
    for (const char* name : {"C:\\a.f3D", "C:\\b.f3D", "C:\\c.f3D", "C:\\d.f3D", "C:\\e.f3D", "c:\\B.F3D"})
        app.AddToRecentFileList(name);
    const std::string profile = app.GetProfilePath().GetString();
    EXPECT_EQ(profile.rfind(folders.ConfigHome(), 0), 0u) << profile;
    ASSERT_TRUE(std::filesystem::exists(profile));

    TestApp second;  // a later run of the program
    second.SetRegistryKey("Test Applications");
    second.LoadStdProfileSettings(4);
    ASSERT_NE(second.m_pRecentFileList, nullptr);
    CRecentFileList& list = *second.m_pRecentFileList;
    EXPECT_STREQ(list[0], "c:\\B.F3D");
    EXPECT_STREQ(list[1], "C:\\e.f3D");
    EXPECT_STREQ(list[2], "C:\\d.f3D");
    EXPECT_STREQ(list[3], "C:\\c.f3D");
}

TEST_F(DocumentFrameTest, RecentFileMenuListsTheFilesAndOpensThem) {
    app.SetRegistryKey("Test Applications");
    app.LoadStdProfileSettings(4);
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    const std::string path = Temp("recent.f3D");
    Doc()->value = 5;
    ASSERT_TRUE(Doc()->DoSave(orbel::ToProgramPath(path).c_str()));
    app.AddToRecentFileList("C:\\missing\\gone.f3D");
    app.OnFileNew();
    ASSERT_EQ(Doc()->value, 0);

    CMenu* file = frame->GetMenu()->GetSubMenu(0);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->m_hMenu), 0);
    CString text;
    file->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&1 gone.f3D");
    file->GetMenuString(ID_FILE_MRU_FILE2, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&2 recent.f3D");

    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE2);
    EXPECT_EQ(Doc()->value, 5);
    // An entry that no longer opens leaves the list.
    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE2);
    EXPECT_STREQ((*app.m_pRecentFileList)[0], orbel::ToProgramPath(path).c_str());
    EXPECT_TRUE((*app.m_pRecentFileList)[1].IsEmpty());
}

TEST_F(DocumentFrameTest, ADroppedFileIsOpened) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    frame->DragAcceptFiles(TRUE);
    const std::string path = Temp("dropped.f3D");
    Doc()->value = 9;
    ASSERT_TRUE(Doc()->OnSaveDocument(orbel::ToProgramPath(path).c_str()));
    Doc()->value = 0;
    Doc()->SetModifiedFlag(FALSE);

    orbel::test::DropFiles(frame->GetActiveView()->m_hWnd, {path});
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Doc()->value, 9);
    EXPECT_STREQ(Doc()->GetPathName(), orbel::ToProgramPath(path).c_str());
}

TEST_F(DocumentFrameTest, AFailedOpenIsReportedAndLeavesAFreshDocument) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    const std::string bad = Temp("bad.f3D");
    {
        std::ofstream out(bad, std::ios::binary);
        const INT negative = -1;
        out.write(reinterpret_cast<const char*>(&negative), sizeof negative);
    }
    Doc()->value = 3;
    EXPECT_EQ(app.OpenDocumentFile(orbel::ToProgramPath(bad).c_str()), nullptr);
    EXPECT_FALSE(reports.empty());
    ASSERT_EQ(app.m_pMainWnd, frame) << "the program keeps running";
    EXPECT_STREQ(Doc()->GetTitle(), "Untitled");
    EXPECT_TRUE(Doc()->GetPathName().IsEmpty());
}

TEST_F(DocumentFrameTest, ShellRegistrationWritesDesktopFilesIntoTheUserDataFolder) {
    RegisterTestResources();
    app.AddDocTemplate(new CSingleDocTemplate(kTemplateId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame),
                                              RUNTIME_CLASS(TestView)));
    app.RegisterShellFileTypes(TRUE);
    const auto mime = std::filesystem::path(folders.DataHome()) / "mime" / "packages" / "myorbel.document.xml";
    ASSERT_TRUE(std::filesystem::exists(mime));
    std::ifstream in(mime);
    const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(xml.find("pattern=\"*.f3D\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folders.DataHome()) / "applications" /
                                        "myorbel.document.desktop"));
}

TEST_F(DocumentFrameTest, SplitterPanesAreViewsOfTheDocumentInCreationOrderAndF6StepsThroughThem) {
    TestFrame::s_useSplitter = true;
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    std::vector<CView*> views;
    POSITION pos = Doc()->GetFirstViewPosition();
    while (pos != nullptr)
        views.push_back(Doc()->GetNextView(pos));
    ASSERT_EQ(views.size(), 4u);
    EXPECT_EQ(views[0], frame->m_splitter.GetPane(0, 0));
    EXPECT_EQ(views[1], frame->m_splitter.GetPane(0, 1));
    EXPECT_EQ(views[2], frame->m_splitter.GetPane(1, 0));
    EXPECT_EQ(views[3], frame->m_splitter.GetPane(1, 1));

    // A click activates a pane; F6 moves on in reading order.
    frame->m_splitter.SetColumnInfo(0, 100, 10);
    frame->m_splitter.SetRowInfo(0, 100, 10);
    frame->m_splitter.RecalcLayout();
    orbel::test::Click(views[2]->m_hWnd, Button::Left, {5, 5});
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetActiveView(), views[2]);
    EXPECT_EQ(CWnd::GetFocus(), views[2]);
    orbel::test::PressKey(VK_F6);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetActiveView(), views[3]);
    EXPECT_EQ(CWnd::GetFocus(), views[3]);
    orbel::test::PressKey(VK_F6, MK_SHIFT);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetActiveView(), views[2]);
}

TEST_F(DocumentFrameTest, StatusPaneTextIsPaintedAtOnce) {
    frame = StartTestProgram(app);
    ASSERT_NE(frame, nullptr);
    const int before = orbel::test::PaintCount(frame->m_status);

    frame->m_status.SetPaneText(1, "X: 1");
    EXPECT_EQ(orbel::test::PaintCount(frame->m_status), before + 1);
    EXPECT_STREQ(frame->m_status.GetPaneText(1), "X: 1");
    frame->m_status.SendMessage(SB_SETTEXT, 1, reinterpret_cast<LPARAM>("X: 2"));
    EXPECT_EQ(orbel::test::PaintCount(frame->m_status), before + 2);
}
