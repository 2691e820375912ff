#include <gtest/gtest.h>

#include <fstream>

#include "ModelTestSupport.h"

using namespace modeltest;

namespace {

void Touch(const std::filesystem::path& file)
{
    std::ofstream(file) << "x";
}

}  // namespace

TEST(Document, ObjectsGetIncreasingIdsAndGoToTheHead)
{
    CMyOrbelDoc doc;
    for (int i = 0; i < 3; ++i)
        doc.AddObject(new cObjekt3D);
    EXPECT_EQ(ObjectIds(doc), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(doc.FindObjectById(1), doc.m_Objects.GetAt(doc.m_Objects.FindIndex(1)));
    EXPECT_EQ(doc.FindObjectById(3), nullptr);

    doc.RemoveObject(1);
    EXPECT_EQ(ObjectIds(doc), (std::vector<int>{2, 0}));
    doc.AddObject(new cObjekt3D);
    EXPECT_EQ(doc.m_Objects.GetHead()->m_Id, 3);  // ids are never reused
}

TEST(Document, RemovingAMaterialRenumbersTheRuns)
{
    CMyOrbelDoc doc;
    for (int i = 0; i < 3; ++i)
        doc.m_Materials.Add(new cMaterial);
    cObjekt3D* object = MakeStrip(3);
    object->SetFaceMaterial(0, 0);
    object->SetFaceMaterial(1, 1);
    object->SetFaceMaterial(2, 2);
    doc.AddObject(object);

    doc.RemoveMaterial(1);
    EXPECT_EQ(doc.m_Materials.GetSize(), 2);
    std::vector<int> materials;
    for (const MaterialRun& run : Runs(*object))
        materials.push_back(run.material);
    EXPECT_EQ(materials, (std::vector<int>{0, -1, 1}));
    doc.RemoveMaterial(5);  // no such entry
    EXPECT_EQ(doc.m_Materials.GetSize(), 2);
}

TEST(Document, ClearSceneKeepsOrRestartsTheHistory)
{
    CMyOrbelDoc doc;
    doc.AddObject(new cObjekt3D);
    doc.m_Materials.Add(new cMaterial);
    doc.m_Selection.AddObject(doc.m_Objects.GetHead(), TRUE);
    UndoEntry step;
    step.kind = UK_FUNCTION;
    doc.m_pUndoManager->Push(step);

    doc.ClearScene(FALSE);
    EXPECT_TRUE(doc.m_Objects.IsEmpty());
    EXPECT_TRUE(doc.m_Materials.IsEmpty());
    EXPECT_TRUE(doc.m_Selection.m_Objects.IsEmpty());
    EXPECT_EQ(doc.m_NextObjectId, 0);
    EXPECT_TRUE(doc.m_pUndoManager->CanUndo());

    doc.ClearScene(TRUE);
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());
}

TEST(Document, ANewDocumentIsEmptyAndMarkedModified)
{
    CMyOrbelDoc doc;
    doc.AddObject(new cObjekt3D);
    doc.SetModifiedFlag(FALSE);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.m_Objects.IsEmpty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_BoundsValid, 0);
}

TEST(Document, DestructionEmptiesOnlyTheTempFolderUnderTheProgramDirectory)
{
    ProgramFolder folder;
    Touch(folder.TempPath() / "Un1.bin");
    Touch(folder.TempPath() / "Uzal.bin");
    std::filesystem::create_directory(folder.TempPath() / "Keep");
    Touch(folder.TempPath() / "Keep" / "inner.bin");
    Touch(folder.Path() / "beside.bin");
    {
        CMyOrbelDoc doc;
        doc.m_ProgramDir = folder.ProgramDir();
    }
    EXPECT_FALSE(std::filesystem::exists(folder.TempPath() / "Un1.bin"));
    EXPECT_FALSE(std::filesystem::exists(folder.TempPath() / "Uzal.bin"));
    EXPECT_TRUE(std::filesystem::exists(folder.TempPath() / "Keep" / "inner.bin"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "beside.bin"));
}

TEST(Document, DestructionWithoutProgramDirectoryOrTempDeletesNothing)
{
    ProgramFolder noTemp(false);
    Touch(noTemp.Path() / "beside.bin");
    ProgramFolder cwd;
    Touch(cwd.TempPath() / "Un1.bin");
    Touch(cwd.Path() / "file.bin");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(cwd.Path());
    {
        CMyOrbelDoc withoutTemp;
        withoutTemp.m_ProgramDir = noTemp.ProgramDir();
        CMyOrbelDoc withoutProgramDir;
        CMyOrbelDoc relative;
        relative.m_ProgramDir = ".\\";
    }
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::exists(noTemp.Path() / "beside.bin"));
    EXPECT_TRUE(std::filesystem::exists(cwd.TempPath() / "Un1.bin"));
    EXPECT_TRUE(std::filesystem::exists(cwd.Path() / "file.bin"));
}
