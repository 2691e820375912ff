#include <gtest/gtest.h>

#include <functional>

#include "ModelTestSupport.h"

using namespace modeltest;

namespace {

class EditCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { doc.m_ProgramDir = folder.ProgramDir(); }

    Bytes Save() { return SaveScene(doc, folder.Path() / "scene.f3D"); }
    std::string UndoText() { return static_cast<LPCTSTR>(doc.m_pUndoManager->GetUndoText()); }

    // The command changes the scene; undo brings back the exact bytes from
    // before, redo those from after.
    void ExpectUndoRedoExact(const std::function<void()>& command)
    {
        const Bytes before = Save();
        command();
        const Bytes after = Save();
        ASSERT_NE(before, after);
        ASSERT_TRUE(doc.m_pUndoManager->CanUndo());
        doc.m_pUndoManager->Undo();
        EXPECT_EQ(FirstDifference(Save(), before), -1);
        doc.m_pUndoManager->Redo();
        EXPECT_EQ(FirstDifference(Save(), after), -1);
        doc.m_pUndoManager->Undo();
        EXPECT_EQ(FirstDifference(Save(), before), -1);
        EXPECT_EQ(CheckConsistent(doc), "");
    }

    cObjekt3D* Add(cObjekt3D* object)
    {
        doc.AddObject(object);
        return object;
    }

    ProgramFolder folder;
    CMyOrbelDoc doc;
};

D3DXVECTOR3 WorldPosition(const cObjekt3D& object, int vertex)
{
    D3DXMATRIX world;
    object.GetWorldMatrix(&world);
    const MeshVertex& v = object.m_Vertices[vertex];
    D3DXVECTOR3 point(v.x, v.y, v.z);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &point, &world);
    return out;
}

}  // namespace

TEST_F(EditCommandsTest, AssignMaterialToObjectsAndFaces)
{
    doc.m_Materials.Add(new cMaterial);
    doc.m_Materials.Add(new cMaterial);
    cObjekt3D* a = Add(MakeStrip(3));
    cObjekt3D* b = Add(MakeStrip(2));
    doc.m_Selection.AddObject(a, TRUE);
    doc.m_Selection.AddObject(b, TRUE);
    ExpectUndoRedoExact([&] { doc.AssignMaterial(1, SelectObjects); });
    doc.m_pUndoManager->Redo();
    EXPECT_EQ(UndoText(), "&Undo Assign Material \tCtrl+Z");
    // After a snapshot restore the objects are new ones.
    for (POSITION pos = doc.m_Objects.GetHeadPosition(); pos != nullptr;) {
        const auto runs = Runs(*doc.m_Objects.GetNext(pos));
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].material, 1);
        EXPECT_EQ(runs[0].firstFace, 0);
    }

    doc.m_Selection.Clear();
    cObjekt3D* head = doc.m_Objects.GetHead();
    doc.m_Selection.AddFace(new SelectedElement{head, 1}, TRUE);
    ExpectUndoRedoExact([&] { doc.AssignMaterial(0, SelectFaces); });
}

TEST_F(EditCommandsTest, AssignMaterialThatCannotApplyRecordsNothing)
{
    doc.m_Materials.Add(new cMaterial);
    cObjekt3D* a = Add(MakeStrip(3));
    doc.m_Selection.AddVertex(new SelectedElement{a, 0}, TRUE);
    doc.AssignMaterial(0, SelectVertices);
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());

    doc.m_Selection.AddObject(a, TRUE);
    doc.AssignMaterial(1, SelectObjects);  // no material 1: the file could not be read back
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());
    EXPECT_EQ(Runs(*a)[0].material, -1);
}

TEST_F(EditCommandsTest, CloneCopiesTheSelectionInSelectionOrder)
{
    cObjekt3D* a = Add(MakeStrip(1, "A"));
    cObjekt3D* b = Add(MakeStrip(2, "B"));
    doc.m_Selection.AddObject(a, TRUE);
    doc.m_Selection.AddObject(b, TRUE);
    doc.CloneObjects(SelectFaces);
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());

    doc.CloneObjects(SelectObjects);
    EXPECT_EQ(ObjectIds(doc), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_STREQ(static_cast<LPCTSTR>(doc.m_Objects.GetHead()->m_Name), "A");
    EXPECT_STREQ(static_cast<LPCTSTR>(doc.FindObjectById(2)->m_Name), "B");
    EXPECT_EQ(SelectedObjectIds(doc.m_Selection), (std::vector<int>{1, 0}));
    EXPECT_EQ(UndoText(), "&Undo Clone Object \tCtrl+Z");
    doc.m_pUndoManager->Undo();
    ExpectUndoRedoExact([&] { doc.CloneObjects(SelectObjects); });
}

TEST_F(EditCommandsTest, DeletingFacesRemovesExactlyThoseWhateverTheOrder)
{
    for (const bool ascending : {true, false}) {
        doc.ClearScene(TRUE);
        cObjekt3D* object = Add(MakeStrip(4));  // face f: f, f+1, f+2
        const int first = ascending ? 1 : 2;
        doc.m_Selection.AddFace(new SelectedElement{object, first}, TRUE);
        doc.m_Selection.AddFace(new SelectedElement{object, 3 - first}, TRUE);
        ExpectUndoRedoExact([&] { doc.DeleteSelection(SelectFaces); });
        doc.m_pUndoManager->Redo();
        const cObjekt3D* left = doc.m_Objects.GetHead();
        ASSERT_EQ(left->GetFaceCount(), 2);
        EXPECT_EQ(left->m_Indices[0], 0);
        EXPECT_EQ(left->m_Indices[3], 3);
        EXPECT_TRUE(doc.m_Selection.m_Faces.IsEmpty());
    }
}

TEST_F(EditCommandsTest, DeletingEveryFaceOrVertexRemovesTheObject)
{
    cObjekt3D* a = Add(MakeStrip(2, "A"));
    cObjekt3D* b = Add(MakeStrip(2, "B"));
    // B loses all its faces first; a later record of B must not be read.
    doc.m_Selection.AddFace(new SelectedElement{b, 1}, FALSE);
    doc.m_Selection.AddFace(new SelectedElement{a, 0}, TRUE);
    doc.m_Selection.AddFace(new SelectedElement{b, 1}, FALSE);
    doc.m_Selection.AddFace(new SelectedElement{b, 0}, TRUE);
    doc.DeleteSelection(SelectFaces);
    EXPECT_EQ(ObjectIds(doc), (std::vector<int>{0}));
    EXPECT_EQ(a->GetFaceCount(), 1);
    EXPECT_EQ(CheckConsistent(doc), "");

    cObjekt3D* c = Add(MakeStrip(1, "C"));
    for (int v = 0; v < 3; ++v)
        doc.m_Selection.AddVertex(new SelectedElement{c, v}, TRUE);
    ExpectUndoRedoExact([&] { doc.DeleteSelection(SelectVertices); });
    doc.m_pUndoManager->Redo();
    EXPECT_EQ(doc.FindObjectById(2), nullptr);
    EXPECT_EQ(UndoText(), "&Undo Delete \tCtrl+Z");
}

TEST_F(EditCommandsTest, DeleteInObjectModeWithOnlyFacesClearsTheSelection)
{
    cObjekt3D* a = Add(MakeStrip(2));
    doc.m_Selection.AddFace(new SelectedElement{a, 0}, TRUE);
    doc.DeleteSelection(SelectObjects);
    EXPECT_EQ(a->GetFaceCount(), 2);
    EXPECT_TRUE(doc.m_Selection.m_Faces.IsEmpty());
    EXPECT_TRUE(doc.m_pUndoManager->CanUndo());

    cObjekt3D* b = Add(MakeStrip(2));
    doc.m_Selection.AddObject(b, TRUE);
    doc.m_Selection.AddObject(a, TRUE);
    ExpectUndoRedoExact([&] { doc.DeleteSelection(SelectObjects); });

    doc.m_Selection.Clear();
    cObjekt3D* c = doc.m_Objects.GetHead();
    doc.m_Selection.AddObject(c, FALSE);
    doc.m_Selection.AddObject(c, FALSE);  // listed twice: deleted once
    doc.DeleteSelection(SelectObjects);
    EXPECT_EQ(doc.m_Objects.GetCount(), 1);
}

TEST_F(EditCommandsTest, JoinKeepsEveryVertexWhereItWasInTheWorld)
{
    cObjekt3D* other = Add(MakeCube());
    other->m_Position = D3DXVECTOR3(2, 0, 0);
    other->SetFaceMaterial(-1, 1);
    cObjekt3D* base = Add(MakeCube());
    base->m_Rotation = D3DXVECTOR3(0.4f, 0.3f, 0.2f);
    base->m_Scale = D3DXVECTOR3(1, 2, 1);
    base->SetFaceMaterial(-1, 0);
    base->m_Name = "Base";
    doc.m_Materials.Add(new cMaterial);
    doc.m_Materials.Add(new cMaterial);
    std::vector<D3DXVECTOR3> expected;
    for (const cObjekt3D* object : {base, other}) {
        for (int v = 0; v < 8; ++v)
            expected.push_back(WorldPosition(*object, v));
    }
    doc.m_Selection.AddObject(other, TRUE);
    doc.m_Selection.AddObject(base, TRUE);  // the base is selected last

    ExpectUndoRedoExact([&] { doc.JoinObjects(); });
    doc.m_pUndoManager->Redo();
    ASSERT_EQ(doc.m_Objects.GetCount(), 1);
    const cObjekt3D* joined = doc.m_Objects.GetHead();
    EXPECT_STREQ(static_cast<LPCTSTR>(joined->m_Name), "Base");
    EXPECT_EQ(joined->m_Id, 1);
    ASSERT_EQ(joined->m_Vertices.GetSize(), 16);
    for (int v = 0; v < 16; ++v) {
        const D3DXVECTOR3 now = WorldPosition(*joined, v);
        EXPECT_NEAR(now.x, expected[v].x, 1e-4f);
        EXPECT_NEAR(now.y, expected[v].y, 1e-4f);
        EXPECT_NEAR(now.z, expected[v].z, 1e-4f);
    }
    EXPECT_EQ(joined->m_Indices[36], 8);  // the second cube's first face, shifted
    const auto runs = Runs(*joined);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].material, 1);
    EXPECT_EQ(runs[1].firstFace, 12);
    EXPECT_TRUE(doc.m_Selection.m_Objects.IsEmpty());
    EXPECT_EQ(UndoText(), "&Undo Join Objects \tCtrl+Z");
}

TEST_F(EditCommandsTest, JoinAppendsOnlyWholeFacesAndToleratesRepeatedEntries)
{
    cObjekt3D* other = Add(MakeStrip(2));
    other->AddIndex(0);  // stray
    cObjekt3D* base = Add(MakeStrip(4));
    base->AddIndex(1);  // stray
    doc.m_Selection.AddObject(other, FALSE);
    doc.m_Selection.AddObject(base, FALSE);
    doc.m_Selection.AddObject(other, FALSE);
    doc.m_Selection.AddObject(base, FALSE);  // the base also comes again later
    doc.JoinObjects();
    ASSERT_EQ(doc.m_Objects.GetCount(), 1);
    EXPECT_EQ(base->GetFaceCount(), 6);
    EXPECT_EQ(base->m_Indices.GetSize(), 18);
    EXPECT_EQ(base->m_Indices[12], 6);  // 0 + the base's six vertices
    EXPECT_EQ(CheckConsistent(doc), "");
}

TEST_F(EditCommandsTest, JoinThatCannotWorkChangesNothing)
{
    cObjekt3D* big = Add(MakeStrip(40000));
    cObjekt3D* base = Add(MakeStrip(25534));  // 65,538 vertices together
    doc.m_Selection.AddObject(big, TRUE);
    doc.m_Selection.AddObject(base, TRUE);
    const Bytes before = Save();
    doc.JoinObjects();
    EXPECT_EQ(Save(), before);
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());

    base->m_Vertices.SetSize(base->m_Vertices.GetSize() - 2);
    base->m_Indices.SetSize(base->m_Indices.GetSize() - 6);
    base->m_Scale.y = 0.0f;  // flat: no inverse
    const Bytes flat = Save();
    doc.JoinObjects();
    EXPECT_EQ(Save(), flat);
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());

    base->m_Scale.y = 1.0f;
    doc.JoinObjects();  // exactly 65,536 vertices join
    ASSERT_EQ(doc.m_Objects.GetCount(), 1);
    EXPECT_EQ(base->m_Vertices.GetSize(), 65536);
    EXPECT_EQ(base->m_Indices[base->m_Indices.GetSize() - 1], 65535);
}

TEST_F(EditCommandsTest, ACommandWhoseSnapshotFailsChangesNothing)
{
    std::filesystem::remove_all(folder.TempPath());
    cObjekt3D* a = Add(MakeStrip(2));
    doc.m_Selection.AddObject(a, TRUE);
    bool failed = false;
    try {
        doc.DeleteSelection(SelectObjects);
    } catch (CException* e) {
        failed = e->IsKindOf(RUNTIME_CLASS(CFileException));
        e->Delete();
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(doc.m_Objects.GetCount(), 1);
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());
}
