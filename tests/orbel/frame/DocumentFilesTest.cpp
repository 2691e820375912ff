// New, Open and Save through the program's document template, with the
// save prompt and the file dialogs scripted.
#include "ProgramHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::filesystem::path NativePath(const CString& programPath)
{
    return orbel::ToNativePath(static_cast<LPCSTR>(programPath));
}

class DocumentFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.Start());
        scene = (program.folder.Root() / "scene.f3D").string();
    }

    void Command(UINT id)
    {
        program.Frame()->SendMessage(WM_COMMAND, id, 0);
        orbel::test::RunUntilIdle();
    }

    void SaveScene()
    {
        orbel::test::ScriptFileDialog(scene);
        Command(ID_FILE_SAVE);
    }

    std::vector<std::string> AppearedKinds() const
    {
        std::vector<std::string> kinds;
        for (const orbel::modal::Appearance& appearance : orbel::modal::Appearances())
            kinds.push_back(appearance.kind);
        return kinds;
    }

    ProgramHarness program;
    std::string scene;
};

TEST_F(DocumentFilesTest, SaveWritesTheSceneWithFourViewBlocks)
{
    SaveScene();
    ASSERT_TRUE(std::filesystem::exists(scene));
    EXPECT_GE(std::filesystem::file_size(scene), 232u);
    ASSERT_EQ(AppearedKinds(), std::vector<std::string>{orbel::modal::kFileDialog});
    const std::string& dialog = orbel::modal::Appearances()[0].description;
    EXPECT_EQ(dialog.rfind("Save: ", 0), 0u) << dialog;
    EXPECT_NE(dialog.find("Orbel Files (*.f3D)"), std::string::npos) << dialog;
    EXPECT_FALSE(program.Document()->IsModified());
}

TEST_F(DocumentFilesTest, NewOnAModifiedSceneAsksToSaveAndCancelKeepsIt)
{
    CMyOrbelDoc* document = program.Document();
    document->SetModifiedFlag(TRUE);
    orbel::test::ScriptSavePrompt(IDCANCEL);
    Command(ID_FILE_NEW);
    EXPECT_EQ(AppearedKinds(), std::vector<std::string>{orbel::modal::kSavePrompt});
    EXPECT_TRUE(document->IsModified());

    orbel::test::ScriptSavePrompt(IDNO);
    Command(ID_FILE_NEW);
    EXPECT_EQ(AppearedKinds().size(), 2u);
    // A single-document program reuses its one document.
    EXPECT_EQ(program.Document(), document);
}

TEST_F(DocumentFilesTest, OpenReadsASavedSceneBack)
{
    SaveScene();
    Command(ID_FILE_NEW);
    orbel::test::RunUntilIdle();
    // Every new scene counts as modified.
    ASSERT_TRUE(program.Document()->IsModified());

    orbel::test::ScriptFileDialog(scene);
    orbel::test::ScriptSavePrompt(IDNO);
    Command(ID_FILE_OPEN);
    // The file is chosen first; only then is the modified scene offered for saving.
    const auto& appearances = orbel::modal::Appearances();
    ASSERT_GE(appearances.size(), 2u);
    EXPECT_EQ(appearances[appearances.size() - 2].description.rfind("Open: ", 0), 0u);
    EXPECT_EQ(appearances.back().kind, orbel::modal::kSavePrompt);
    EXPECT_TRUE(std::filesystem::equivalent(NativePath(program.Document()->GetPathName()),
                                            scene));
}

TEST_F(DocumentFilesTest, ASceneDroppedOnTheWindowIsOpened)
{
    SaveScene();
    Command(ID_FILE_NEW);
    ASSERT_TRUE(program.Document()->IsModified());

    orbel::test::ScriptSavePrompt(IDNO);
    orbel::test::DropFiles(program.Frame()->GetSafeHwnd(), {scene});
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(std::filesystem::equivalent(NativePath(program.Document()->GetPathName()), scene));
}

TEST(CommandLineTest, ASceneNamedOnTheCommandLineIsOpenedAtStart)
{
    ProgramHarness program;
    const std::string scene = (program.folder.Root() / "named.f3D").string();
    {
        ProgramHarness earlier;
        ASSERT_TRUE(earlier.Start());
        orbel::test::ScriptFileDialog(scene);
        earlier.Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
    }
    ASSERT_TRUE(std::filesystem::exists(scene));

    ASSERT_TRUE(program.Start({scene}));
    ASSERT_NE(program.Document(), nullptr);
    EXPECT_TRUE(std::filesystem::equivalent(NativePath(program.Document()->GetPathName()), scene));
    // The program folder reaches the document only after the file was read.
    EXPECT_STREQ(program.Document()->m_ProgramDir, program.folder.ProgramDirectory());
}

}  // namespace
