#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "ModelTestSupport.h"

using namespace modeltest;

namespace {

class SceneFileTest : public ::testing::Test {
protected:
    std::filesystem::path Scratch() const { return folder.Path() / "scene.f3D"; }
    Bytes Save(CMyOrbelDoc& d) { return SaveScene(d, Scratch()); }
    bool Load(CMyOrbelDoc& d, const Bytes& bytes) { return LoadScene(d, bytes, Scratch()); }

    // Two materials, three objects (one with an empty run, a run at the face
    // count and a stray index), a face selection.
    void BuildRichScene(CMyOrbelDoc& d)
    {
        auto* red = new cMaterial;
        red->SetName("Red");
        red->m_TextureName = "red.bmp";
        red->m_TexturePath = "C:\\textures\\red.bmp";
        red->m_pMaterial->Power = 12.5f;
        d.m_Materials.Add(red);
        d.m_Materials.Add(new cMaterial);

        cObjekt3D* strip = MakeStrip(4, "Strip");
        strip->SetFaceMaterial(1, 0);
        strip->SetFaceMaterial(3, 1);
        strip->DeleteFace(1);  // leaves an empty run
        strip->AddIndex(0);    // an index count that is not a multiple of 3
        d.AddObject(strip);
        cObjekt3D* cube = MakeCube();
        cube->m_Position = D3DXVECTOR3(1.5f, -2.0f, 3.25f);
        cube->m_Rotation = D3DXVECTOR3(0.1f, 0.2f, 0.3f);
        cube->SetFaceMaterial(-1, 1);
        d.AddObject(cube);
        d.AddObject(new cObjekt3D);  // no geometry at all

        d.m_Selection.AddFace(new SelectedElement{cube, 5}, TRUE);
        d.m_Selection.AddFace(new SelectedElement{strip, 2}, TRUE);
    }

    ProgramFolder folder;
    CMyOrbelDoc doc;
};

}  // namespace

TEST_F(SceneFileTest, EmptySceneIsFourIntegers)
{
    doc.m_NextObjectId = 3;
    EXPECT_EQ(Save(doc), ByteWriter().Int(3).Int(0).Int(0).Int(0).Get());
}

TEST_F(SceneFileTest, ObjectAndMaterialBlocksHaveTheirByteLayout)
{
    auto* material = new cMaterial;
    material->m_pMaterial->Ambient = {0.1f, 0.2f, 0.3f, 0.4f};
    material->m_pMaterial->Diffuse = {1.1f, 1.2f, 1.3f, 1.4f};
    material->m_pMaterial->Specular = {2.1f, 2.2f, 2.3f, 2.4f};
    material->m_pMaterial->Emissive = {3.1f, 3.2f, 3.3f, 3.4f};
    material->m_TextureName = "t.bmp";
    material->m_TexturePath = "p\\t.bmp";
    doc.m_Materials.Add(material);
    cObjekt3D* object = MakeStrip(100, "Obj");  // 300 indices
    object->m_Colour[0] = 255.0f;
    object->SetFaceMaterial(99, 0);
    doc.AddObject(object);
    doc.m_Selection.AddObject(object, TRUE);

    ByteWriter expected;
    expected.Int(1).Int(1);
    expected.String("UnNamed Material").String("t.bmp").String("p\\t.bmp");
    expected.Float(0.1f).Float(0.2f).Float(0.3f).Float(0.4f);  // ambient
    expected.Float(1.1f).Float(1.2f).Float(1.3f).Float(1.4f);  // diffuse
    expected.Float(3.1f).Float(3.2f).Float(3.3f).Float(3.4f);  // emissive
    expected.Float(2.1f).Float(2.2f).Float(2.3f).Float(2.4f);  // specular
    expected.Float(30.0f);
    expected.Int(1).String("Obj").Int(0);
    expected.Float(255.0f).Float(0.0f).Float(150.0f);
    expected.Float(0).Float(0).Float(0).Float(0).Float(0).Float(0).Float(1).Float(1).Float(1);
    expected.Word(300).Raw(object->m_Indices.GetData(), 600);
    expected.Int(102).Raw(object->m_Vertices.GetData(), 102 * 32);
    expected.Int(2).Int(0).Int(-1).Int(99).Int(0);  // runs: first face, then material
    expected.Int(1).Int(1).Int(0);                  // selection: objects, one, id 0
    EXPECT_EQ(Save(doc), expected.Get());

    // The colours come back into the right members.
    CMyOrbelDoc loaded;
    ASSERT_TRUE(Load(loaded, Save(doc)));
    const D3DMATERIAL8& back = *loaded.m_Materials[0]->m_pMaterial;
    EXPECT_EQ(back.Ambient.r, 0.1f);
    EXPECT_EQ(back.Diffuse.g, 1.2f);
    EXPECT_EQ(back.Specular.b, 2.3f);
    EXPECT_EQ(back.Emissive.a, 3.4f);
}

TEST_F(SceneFileTest, LargeIndexCountsUseTheLongCountForm)
{
    cObjekt3D* object = MakeStrip(1);
    object->m_Name = "";
    for (int i = 3; i < 70000; ++i)
        object->AddIndex(static_cast<WORD>(i % 3));
    doc.AddObject(object);
    const Bytes bytes = Save(doc);
    // next id, M, N, empty name, id, 12 floats: the count starts at byte 65.
    const std::size_t at = 4 + 4 + 4 + 1 + 4 + 48;
    ASSERT_GT(bytes.size(), at + 6);
    EXPECT_EQ(Bytes(bytes.begin() + at, bytes.begin() + at + 6), ByteWriter().Word(0xFFFF).Int(70000).Get());
    CMyOrbelDoc loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(loaded.m_Objects.GetHead()->m_Indices.GetSize(), 70000);
}

TEST_F(SceneFileTest, NameLengthPrefixChangesAt255)
{
    for (const int length : {254, 255}) {
        CMyOrbelDoc d;
        auto* object = new cObjekt3D;
        object->m_Name = std::string(static_cast<std::size_t>(length), 'n').c_str();
        d.AddObject(object);
        const Bytes bytes = Save(d);
        const Bytes prefix(bytes.begin() + 12, bytes.begin() + 15);
        if (length == 254)
            EXPECT_EQ(prefix[0], 254);
        else
            EXPECT_EQ(prefix, ByteWriter().Raw("\xff", 1).Word(255).Get());
        CMyOrbelDoc loaded;
        ASSERT_TRUE(Load(loaded, bytes));
        EXPECT_EQ(loaded.m_Objects.GetHead()->m_Name.GetLength(), length);
    }
}

TEST_F(SceneFileTest, ListAndSelectionOrderAreKept)
{
    cObjekt3D* c = MakeStrip(1, "C");
    cObjekt3D* b = MakeStrip(1, "B");
    cObjekt3D* a = MakeStrip(1, "A");
    doc.AddObject(c);
    doc.AddObject(b);
    doc.AddObject(a);  // list A, B, C
    doc.m_Selection.AddObject(a, TRUE);
    doc.m_Selection.AddObject(b, TRUE);  // selection B, A
    const Bytes bytes = Save(doc);
    EXPECT_EQ(Bytes(bytes.end() - 16, bytes.end()), ByteWriter().Int(1).Int(2).Int(b->m_Id).Int(a->m_Id).Get());

    CMyOrbelDoc loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(ObjectIds(loaded), (std::vector<int>{a->m_Id, b->m_Id, c->m_Id}));
    // B stays the first selected object.
    EXPECT_EQ(SelectedObjectIds(loaded.m_Selection), (std::vector<int>{b->m_Id, a->m_Id}));
}

TEST_F(SceneFileTest, StoredIdsAndNextIdAreKept)
{
    Bytes bytes = ByteWriter().Int(10).Int(0).Int(2).Get();
    for (const int id : {4, 9}) {
        CMyOrbelDoc d;
        auto* object = new cObjekt3D;
        d.AddObject(object);
        object->m_Id = id;
        const Bytes one = Save(d);
        bytes.insert(bytes.end(), one.begin() + 12, one.end() - 4);  // the object block
    }
    ByteWriter tail;
    tail.Int(0);
    bytes.insert(bytes.end(), tail.Get().begin(), tail.Get().end());

    ASSERT_TRUE(Load(doc, bytes));
    EXPECT_EQ(ObjectIds(doc), (std::vector<int>{4, 9}));
    auto* added = new cObjekt3D;
    doc.AddObject(added);
    EXPECT_EQ(added->m_Id, 10);
}

TEST_F(SceneFileTest, SaveLoadSaveGivesTheSameBytes)
{
    BuildRichScene(doc);
    const Bytes first = Save(doc);
    CMyOrbelDoc loaded;
    ASSERT_TRUE(Load(loaded, first));
    EXPECT_EQ(CheckConsistent(loaded), "");
    EXPECT_EQ(FirstDifference(Save(loaded), first), -1);
    EXPECT_EQ(loaded.m_Selection.m_Faces.GetCount(), 2);
    EXPECT_EQ(Runs(*loaded.m_Objects.GetTail()), Runs(*doc.m_Objects.GetTail()));
}

TEST_F(SceneFileTest, OpeningAFileStartsANewHistoryButASnapshotLoadDoesNot)
{
    BuildRichScene(doc);
    const Bytes bytes = Save(doc);
    UndoEntry step;
    step.kind = UK_FUNCTION;
    step.label = "Move";
    doc.m_pUndoManager->Push(step);
    ASSERT_TRUE(LoadScene(doc, bytes, Scratch(), FALSE));
    EXPECT_TRUE(doc.m_pUndoManager->CanUndo());
    ASSERT_TRUE(LoadScene(doc, bytes, Scratch(), TRUE));
    EXPECT_FALSE(doc.m_pUndoManager->CanUndo());
}

TEST_F(SceneFileTest, EveryTruncationFailsAndKeepsTheScene)
{
    BuildRichScene(doc);
    const Bytes full = Save(doc);
    CMyOrbelDoc target;
    target.AddObject(MakeCube());
    const Bytes before = Save(target);
    for (std::size_t length = 0; length < full.size(); ++length) {
        ASSERT_FALSE(Load(target, Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length))))
            << "a file cut at " << length << " bytes loaded";
    }
    EXPECT_EQ(Save(target), before);
    EXPECT_TRUE(Load(target, full));
}

TEST_F(SceneFileTest, RandomDamageNeverBreaksTheScene)
{
    BuildRichScene(doc);
    const Bytes original = Save(doc);
    CMyOrbelDoc target;
    std::mt19937 random(20261208);
    int loaded = 0;
    for (int round = 0; round < 2000; ++round) {
        Bytes damaged = original;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i) {
            const std::size_t at = random() % damaged.size();
            damaged[at] = (random() % 3 == 0) ? 0xFF : static_cast<unsigned char>(random());
        }
        const Bytes before = Save(target);
        if (Load(target, damaged)) {
            ++loaded;
            ASSERT_EQ(CheckConsistent(target), "") << "round " << round;
        } else {
            ASSERT_EQ(Save(target), before) << "round " << round;
        }
    }
    // Most damage hits floats and names, which load.
    EXPECT_GT(loaded, 100);
}

TEST_F(SceneFileTest, FilesThatWouldBreakTheSceneAreRejected)
{
    const Bytes header = ByteWriter().Int(1).Int(0).Int(1).Get();
    auto object = [](int indexCount, const std::vector<int>& indices, int vertexCount, const std::vector<int>& runs) {
        ByteWriter block;
        block.String("X").Int(0);
        for (int i = 0; i < 12; ++i)
            block.Float(1.0f);
        block.Word(static_cast<unsigned>(indexCount));
        for (int index : indices)
            block.Word(static_cast<unsigned>(index));
        block.Int(vertexCount);
        for (int i = 0; i < vertexCount * 8; ++i)
            block.Float(0.0f);
        block.Int(static_cast<int>(runs.size() / 2));
        for (int value : runs)
            block.Int(value);
        return block.Get();
    };
    auto file = [&](const Bytes& block, const Bytes& selection) {
        Bytes bytes = header;
        bytes.insert(bytes.end(), block.begin(), block.end());
        bytes.insert(bytes.end(), selection.begin(), selection.end());
        return bytes;
    };
    const Bytes none = ByteWriter().Int(0).Get();
    const Bytes good = object(3, {0, 1, 2}, 3, {0, -1, 1, -1});  // a run at the face count loads
    ASSERT_TRUE(Load(doc, file(good, none)));

    CMyOrbelDoc target;
    target.AddObject(MakeCube());
    const Bytes before = Save(target);
    EXPECT_FALSE(Load(target, file(object(3, {0, 1, 3}, 3, {0, -1}), none))) << "index past the vertices";
    EXPECT_FALSE(Load(target, file(object(3, {0, 1, 2}, -1, {0, -1}), none))) << "negative vertex count";
    EXPECT_FALSE(Load(target, file(object(3, {0, 1, 2}, 3, {0, 0}), none))) << "material the table lacks";
    EXPECT_FALSE(Load(target, file(object(3, {0, 1, 2}, 3, {0, -2}), none))) << "material below -1";
    EXPECT_FALSE(Load(target, file(object(3, {0, 1, 2}, 3, {2, -1}), none))) << "run past the faces";
    EXPECT_FALSE(Load(target, file(object(6, {0, 1, 2, 0, 1, 2}, 3, {1, -1, 0, -1}), none))) << "runs going back";
    EXPECT_FALSE(Load(target, file(object(3, {0, 1, 2}, 3, {-1, -1}), none))) << "negative first face";
    EXPECT_FALSE(Load(target, file(good, ByteWriter().Int(4).Get()))) << "unknown selection kind";
    EXPECT_FALSE(Load(target, file(good, ByteWriter().Int(1).Int(0x7fffffff).Get()))) << "huge selection count";
    Bytes twice = ByteWriter().Int(1).Int(0).Int(2).Get();
    twice.insert(twice.end(), good.begin(), good.end());
    twice.insert(twice.end(), good.begin(), good.end());
    twice.insert(twice.end(), none.begin(), none.end());
    EXPECT_FALSE(Load(target, twice)) << "duplicate ids";
    Bytes hugeCount = ByteWriter().Int(1).Int(0x10000000).Get();
    EXPECT_FALSE(Load(target, hugeCount)) << "material count beyond the file";
    EXPECT_EQ(Save(target), before);
}

TEST_F(SceneFileTest, SelectionEntriesNamingNothingAreLeftOut)
{
    BuildRichScene(doc);
    Bytes bytes = Save(doc);
    ASSERT_GT(bytes.size(), 24u);
    bytes.erase(bytes.end() - 24, bytes.end());  // drop the face selection block
    ByteWriter selection;
    selection.Int(2).Int(4);
    selection.Int(1).Int(11);   // the cube's last face
    selection.Int(1).Int(12);   // one past it
    selection.Int(77).Int(0);   // no such object
    selection.Int(0).Int(-1);   // negative index
    bytes.insert(bytes.end(), selection.Get().begin(), selection.Get().end());

    ASSERT_TRUE(Load(doc, bytes));
    ASSERT_EQ(doc.m_Selection.m_Faces.GetCount(), 1);
    EXPECT_EQ(doc.m_Selection.m_Faces.GetHead()->index, 11);
    EXPECT_EQ(CheckConsistent(doc), "");
}

TEST_F(SceneFileTest, NextIdIsRaisedAboveTheStoredIds)
{
    BuildRichScene(doc);
    Bytes bytes = Save(doc);
    bytes[0] = 0;  // next id 0, below the stored ids 0..2
    ASSERT_TRUE(Load(doc, bytes));
    EXPECT_EQ(doc.m_NextObjectId, 3);
}
