// The test hooks themselves: scripted answers come in order per kind, the
// recorder catches waits, the user folders are temporary.
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

TEST(ModalScript, AnswersComeInOrderPerKindAndAppearancesAreRecorded) {
    orbel::modal::Reset();
    orbel::test::ScriptSavePrompt(IDNO);
    orbel::test::ScriptSavePrompt(IDYES);
    orbel::test::ScriptPopupMenu(7);
    EXPECT_EQ(orbel::modal::Pending(orbel::modal::kSavePrompt), 2u);
    EXPECT_EQ(orbel::modal::Take(orbel::modal::kPopupMenu, "menu").result, 7);
    EXPECT_EQ(orbel::modal::Take(orbel::modal::kSavePrompt, "first").result, IDNO);
    EXPECT_EQ(orbel::modal::Take(orbel::modal::kSavePrompt, "second").result, IDYES);
    ASSERT_EQ(orbel::modal::Appearances().size(), 3u);
    EXPECT_EQ(orbel::modal::Appearances()[1].description, "first");
    orbel::modal::Reset();
    EXPECT_TRUE(orbel::modal::Appearances().empty());
}

TEST(ModalScript, AnUnscriptedModalAbortsTheTestLoudly) {
    orbel::modal::Reset();
    EXPECT_DEATH(orbel::modal::Take(orbel::modal::kMessageBox, "Nobody answers"), "Unscripted modal MessageBox");
}

TEST(SleepRecorder, RecordsWaitsInsteadOfWaiting) {
    orbel::test::SleepRecorder recorder;
    Sleep(2000);
    Sleep(2000);
    EXPECT_EQ(recorder.Waits(), (std::vector<DWORD>{2000, 2000}));
}

TEST(TemporaryUserFolders, PointTheXdgFoldersElsewhereAndCleanUp) {
    std::string root;
    {
        orbel::test::TemporaryUserFolders folders;
        root = folders.Root();
        EXPECT_EQ(std::string(std::getenv("XDG_CONFIG_HOME")), folders.ConfigHome());
        EXPECT_TRUE(std::filesystem::is_directory(folders.DataHome()));
    }
    EXPECT_FALSE(std::filesystem::exists(root));
}
