#include <gtest/gtest.h>

#include <framework/View.h>

#include "ModelTestSupport.h"
#include "model/SceneView.h"

using namespace modeltest;

namespace {

// A view without a window whose block is one byte; a stored 0xEE is a block
// it refuses.
class FakeView : public CView, public cSceneView {
public:
    void OnDraw(CDC*) override {}
    void ResetViewToKind() override
    {
        ++resets;
        shown = 0;
    }
    void WriteViewBlock(CArchive& ar) override { ar << shown; }
    void ReadViewBlock(CArchive& ar) override
    {
        ar >> pending;
        if (pending == 0xEE)
            AfxThrowArchiveException(CArchiveException::badIndex);
    }
    void ApplyViewBlock() override { shown = pending; }

    BYTE shown = 0;
    BYTE pending = 0;
    int resets = 0;
};

class DocumentViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.m_ProgramDir = folder.ProgramDir();
        doc.AddView(&first);
        doc.AddView(&second);
        doc.AddObject(MakeCube());
        first.shown = 1;
        second.shown = 2;
    }
    void TearDown() override
    {
        doc.RemoveView(&first);
        doc.RemoveView(&second);
    }

    Bytes Save() { return SaveScene(doc, folder.Path() / "scene.f3D"); }

    ProgramFolder folder;
    CMyOrbelDoc doc;
    FakeView first;
    FakeView second;
};

}  // namespace

TEST_F(DocumentViewsTest, EachViewWritesItsBlockAfterTheSelectionAndReadsItBack)
{
    Bytes bytes = Save();
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(Bytes(bytes.end() - 6, bytes.end()), (Bytes{0, 0, 0, 0, 1, 2}));  // kind 0, then the views

    bytes[bytes.size() - 2] = 5;
    ASSERT_TRUE(LoadScene(doc, bytes, folder.Path() / "open.f3D"));
    EXPECT_EQ(first.resets, 1);  // every view goes back to its kind first
    EXPECT_EQ(first.shown, 5);
    EXPECT_EQ(second.shown, 2);
}

TEST_F(DocumentViewsTest, ARefusedViewBlockLeavesSceneAndViewsAlone)
{
    Bytes bytes = Save();
    bytes.back() = 0xEE;
    doc.AddObject(MakeStrip(2));
    const Bytes before = Save();
    EXPECT_FALSE(LoadScene(doc, bytes, folder.Path() / "open.f3D"));
    EXPECT_EQ(Save(), before);
    EXPECT_EQ(first.resets, 0);
    EXPECT_EQ(first.shown, 1);
}

TEST_F(DocumentViewsTest, ClearingTheSceneResetsEveryViewAndUndoBringsTheCamerasBack)
{
    doc.SaveUndoState("View Change");
    first.shown = 7;
    doc.m_pUndoManager->Undo();
    EXPECT_EQ(first.shown, 1);
    EXPECT_EQ(second.resets, 1);
    EXPECT_TRUE(doc.IsModified());
    doc.m_pUndoManager->Redo();
    EXPECT_EQ(first.shown, 7);

    doc.ClearScene(FALSE);
    EXPECT_EQ(first.shown, 0);
    EXPECT_EQ(second.resets, 3);
}

TEST_F(DocumentViewsTest, RepaintingOneViewLeavesTheModifiedFlag)
{
    doc.SetModifiedFlag(FALSE);
    doc.m_BoundsValid = 1;
    doc.RedrawViews(&first);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_BoundsValid, 0);
    doc.RedrawViews(nullptr);
    EXPECT_TRUE(doc.IsModified());
}
