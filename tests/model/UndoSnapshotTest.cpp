#include <gtest/gtest.h>

#include <functional>

#include "ModelTestSupport.h"

using namespace modeltest;

namespace {

class UndoSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.m_ProgramDir = folder.ProgramDir();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(elsewhere.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    Bytes Save() { return SaveScene(doc, folder.Path() / "scene.f3D"); }

    ProgramFolder folder;
    ProgramFolder elsewhere;
    std::filesystem::path previous;
    CMyOrbelDoc doc;
};

bool ThrowsFrameworkException(const std::function<void()>& action)
{
    try {
        action();
    } catch (CException* e) {
        e->Delete();
        return true;
    }
    return false;
}

}  // namespace

TEST_F(UndoSnapshotTest, SnapshotsAreNumberedFilesUnderTheProgramDirectory)
{
    doc.AddObject(MakeCube());
    doc.SaveUndoState("Move");
    doc.SaveUndoState("Rotate");
    EXPECT_EQ(ReadFileBytes(folder.TempPath() / "Un1.bin"), Save());
    EXPECT_TRUE(std::filesystem::exists(folder.TempPath() / "Un2.bin"));
    EXPECT_EQ(std::filesystem::current_path(), elsewhere.Path());
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.TempPath()));

    auto* record = reinterpret_cast<UndoFile*>(doc.m_pUndoManager->m_Entries.GetHead().param);
    EXPECT_STREQ(static_cast<LPCTSTR>(record->fileName), "Temp\\Un2.bin");
    EXPECT_EQ(record->document, &doc);
    EXPECT_STREQ(static_cast<LPCTSTR>(doc.m_pUndoManager->GetUndoText()), "&Undo Rotate \tCtrl+Z");
}

TEST_F(UndoSnapshotTest, UndoAndRedoSwapTheSceneWithTheStepFile)
{
    doc.AddObject(MakeCube());
    const Bytes before = Save();
    doc.SaveUndoState("Move");
    doc.m_Objects.GetHead()->m_Position.x = 5.0f;
    const Bytes after = Save();
    doc.SetModifiedFlag(FALSE);

    doc.m_pUndoManager->Undo();
    EXPECT_EQ(Save(), before);
    EXPECT_EQ(ReadFileBytes(folder.TempPath() / "Un1.bin"), after);
    EXPECT_TRUE(std::filesystem::exists(folder.TempPath() / "Uzal.bin"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(std::filesystem::current_path(), elsewhere.Path());

    doc.m_pUndoManager->Redo();
    EXPECT_EQ(Save(), after);
    EXPECT_EQ(ReadFileBytes(folder.TempPath() / "Un1.bin"), before);
}

TEST_F(UndoSnapshotTest, WithoutTempNoStepIsRecorded)
{
    std::filesystem::remove_all(folder.TempPath());
    EXPECT_TRUE(ThrowsFrameworkException([&] { doc.SaveUndoState("Move"); }));
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());
    EXPECT_EQ(std::filesystem::current_path(), elsewhere.Path());

    CMyOrbelDoc homeless;  // no program directory: nothing is written anywhere
    EXPECT_TRUE(ThrowsFrameworkException([&] { homeless.SaveUndoState("Move"); }));
    EXPECT_FALSE(std::filesystem::exists(elsewhere.TempPath() / "Un1.bin"));
}

TEST_F(UndoSnapshotTest, ADamagedSnapshotLeavesSceneAndHistoryAlone)
{
    doc.AddObject(MakeCube());
    doc.SaveUndoState("Move");
    doc.AddObject(MakeStrip(3));
    const Bytes now = Save();
    const Bytes snapshot = ReadFileBytes(folder.TempPath() / "Un1.bin");
    WriteFileBytes(folder.TempPath() / "Un1.bin", Bytes(snapshot.begin(), snapshot.end() - 3));

    EXPECT_TRUE(ThrowsFrameworkException([&] { doc.m_pUndoManager->Undo(); }));
    EXPECT_EQ(Save(), now);
    EXPECT_TRUE(doc.m_pUndoManager->CanUndo());
    EXPECT_EQ(ReadFileBytes(folder.TempPath() / "Un1.bin").size(), snapshot.size() - 3);
    EXPECT_EQ(std::filesystem::current_path(), elsewhere.Path());
}

TEST_F(UndoSnapshotTest, OpeningAFileRestartsTheNumbers)
{
    doc.SaveUndoState("Move");
    doc.SaveUndoState("Move");
    const Bytes scene = Save();
    ASSERT_TRUE(LoadScene(doc, scene, folder.Path() / "open.f3D", TRUE));
    doc.SaveUndoState("Move");
    auto* record = reinterpret_cast<UndoFile*>(doc.m_pUndoManager->m_Entries.GetHead().param);
    EXPECT_STREQ(static_cast<LPCTSTR>(record->fileName), "Temp\\Un1.bin");
}
