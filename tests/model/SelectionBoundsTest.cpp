#include <gtest/gtest.h>

#include "ModelTestSupport.h"
#include "model/SelectionBounds.h"

#include <memory>

TEST(SelectionBounds, FacesAndVerticesMustLieWithinTheirObject)
{
    std::unique_ptr<cObjekt3D> strip(modeltest::MakeStrip(2));
    WORD corners[3] = {9, 9, 9};
    EXPECT_TRUE(FaceWithinObject(*strip, 1, corners));
    EXPECT_NE(corners[0], 9);
    EXPECT_FALSE(FaceWithinObject(*strip, 2));
    EXPECT_FALSE(FaceWithinObject(*strip, -1));
    EXPECT_TRUE(VertexWithinObject(*strip, static_cast<int>(strip->m_Vertices.GetSize()) - 1));
    EXPECT_FALSE(VertexWithinObject(*strip, static_cast<int>(strip->m_Vertices.GetSize())));
    EXPECT_FALSE(VertexWithinObject(*strip, -1));

    // A face whose corner names a vertex that is gone.
    strip->m_Vertices.SetSize(strip->m_Vertices.GetSize() - 1);
    EXPECT_FALSE(FaceWithinObject(*strip, 1));
}

// A plug-in shortened the object while its faces and vertices were selected.
TEST(SelectionBounds, PruningDropsOnlyTheRecordsThatNoLongerFit)
{
    std::unique_ptr<cObjekt3D> strip(modeltest::MakeStrip(4));
    strip->m_Id = 3;
    cSelection selection;
    for (int i : {0, 3}) selection.AddFace(new SelectedElement{strip.get(), i}, TRUE);
    for (int i : {1, 8}) selection.AddVertex(new SelectedElement{strip.get(), i}, TRUE);
    selection.AddObject(strip.get(), TRUE);

    strip->m_Indices.SetSize(3);
    strip->m_Vertices.SetSize(3);
    EXPECT_EQ(PruneSelection(selection), 2);
    ASSERT_EQ(selection.m_Faces.GetCount(), 1);
    EXPECT_EQ(selection.m_Faces.GetHead()->index, 0);
    ASSERT_EQ(selection.m_Vertices.GetCount(), 1);
    EXPECT_EQ(selection.m_Vertices.GetHead()->index, 1);
    EXPECT_EQ(selection.m_Objects.GetCount(), 1);
    EXPECT_EQ(PruneSelection(selection), 0);
}
