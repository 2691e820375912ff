#include <framework/Afx.h>
#include <framework/CommonDialogs.h>
#include <framework/MessageBox.h>
#include <testsupport/ScriptedModals.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class CommonDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbel::test::EnsureApplication();
        orbel::modal::Reset();
    }
    void TearDown() override { orbel::modal::Reset(); }
    std::string lastDescription(const char* kind) const {
        std::string found;
        for (const auto& a : orbel::modal::Appearances())
            if (a.kind == kind) found = a.description;
        return found;
    }
};

TEST_F(CommonDialogTest, MessageBoxesTakeTheScriptedAnswer) {
    orbel::test::ScriptMessageBox(IDNO);
    EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNOCANCEL), IDNO);
    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_EQ(::MessageBoxA(nullptr, "No Objects for Export Selected.", "Warning", MB_OK), IDOK);
    EXPECT_EQ(orbel::test::MessageBoxTexts(),
              (std::vector<std::string>{"Save changes?", "No Objects for Export Selected."}));
}

TEST_F(CommonDialogTest, UnscriptedMessageBoxIsReportedAndAnswersAsIfClosed) {
    std::vector<std::string> unscripted;
    auto previous = orbel::modal::SetUnscriptedHandler(
        [&](const orbel::modal::Appearance& a) { unscripted.push_back(a.description); });
    EXPECT_EQ(AfxMessageBox("Continue?", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("Replace?", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox("Done."), IDOK);
    orbel::modal::SetUnscriptedHandler(previous);
    EXPECT_EQ(unscripted, (std::vector<std::string>{"Continue?", "Replace?", "Done."}));
}

TEST_F(CommonDialogTest, FileDialogGivesBackslashPathAndItsParts) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST,
                       "All Formats |*.bmp;*.jpg|BMP Image File (*.bmp)|*.bmp|All Files (*.*)|*.*||");
    orbel::test::ScriptFileDialog("/data/images/Wood.Grain.bmp");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.GetPathName(), "\\data\\images\\Wood.Grain.bmp");
    EXPECT_STREQ(dialog.GetFileName(), "Wood.Grain.bmp");
    EXPECT_STREQ(dialog.GetFileTitle(), "Wood.Grain");
    EXPECT_STREQ(dialog.GetFileExt(), "bmp");
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1u);
    EXPECT_EQ(lastDescription(orbel::modal::kFileDialog),
              "Open: All Formats |*.bmp;*.jpg|BMP Image File (*.bmp)|*.bmp|All Files (*.*)|*.*||");

    CFileDialog save(FALSE, "f3D", "Scene", OFN_OVERWRITEPROMPT, "Scene (*.f3D)|*.f3D||");
    orbel::test::ScriptFileDialogCancel();
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    EXPECT_EQ(lastDescription(orbel::modal::kFileDialog), "Save: Scene (*.f3D)|*.f3D||");
    orbel::test::ScriptFileDialog("/home/me/scenes/first");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_STREQ(save.GetPathName(), "\\home\\me\\scenes\\first.f3D") << "the default extension is added";
    orbel::test::ScriptFileDialog("/home/me/scenes/second.old");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_STREQ(save.GetFileName(), "second.old");
}

TEST_F(CommonDialogTest, FileDialogListsEachFilterWithItsPatternsOnce) {
    EXPECT_EQ(orbel::FileDialogFilterLabels("All Formats |*.bmp;*.jpg;*.tga|JPEG File (*.jpg)|*.jpg|"
                                            "Images (*.BMP; *.tga)|*.bmp;*.tga|All Files (*.*)|*.*||"),
              (std::vector<std::string>{"All Formats (*.bmp *.jpg *.tga)", "JPEG File (*.jpg)",
                                        "Images (*.bmp *.tga)", "All Files (*.*)"}));
    // Parentheses that name something else stay part of the description.
    EXPECT_EQ(orbel::FileDialogFilterLabels("Scenes (old)|*.f3D|Bitmaps (*.bmp)|*.dib||"),
              (std::vector<std::string>{"Scenes (old) (*.f3D)", "Bitmaps (*.bmp) (*.dib)"}));
}

TEST_F(CommonDialogTest, FileDialogRefusesAPathLongerThanItsBuffer) {
    CFileDialog dialog(TRUE);
    dialog.m_ofn.nMaxFile = 8;
    orbel::test::ScriptFileDialog("/far/too/long/a/name.bmp");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "never a cut-off path";
}

TEST_F(CommonDialogTest, ColourDialogStartsFromTheGivenColour) {
    CColorDialog dialog(RGB(150, 150, 150), CC_FULLOPEN);
    orbel::test::ScriptColorDialog(RGB(10, 20, 30));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(lastDescription(orbel::modal::kColorDialog), "RGB(150, 150, 150)");

    CColorDialog cancelled(RGB(1, 2, 3), CC_FULLOPEN);
    orbel::test::ScriptColorDialogCancel();
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(1, 2, 3));
}

}  // namespace
