#include <gtest/gtest.h>

#include "ModelTestSupport.h"

namespace {

struct TwoObjects {
    TwoObjects()
    {
        a.m_Id = 0;
        a.m_Name = "A";
        a.m_Colour[0] = 10.0f;
        b.m_Id = 1;
        b.m_Name = "B";
        b.m_Colour[0] = 20.0f;
    }
    cObjekt3D a;
    cObjekt3D b;
    cSelection selection;
};

}  // namespace

TEST(Selection, UniqueAddsMatchObjectsById)
{
    TwoObjects scene;
    scene.selection.AddObject(&scene.a, TRUE);
    scene.selection.AddObject(&scene.a, TRUE);
    cObjekt3D sameId;
    sameId.m_Id = scene.a.m_Id;
    scene.selection.AddObject(&sameId, TRUE);
    EXPECT_EQ(scene.selection.m_Objects.GetCount(), 1);
    scene.selection.AddObject(&scene.a, FALSE);
    EXPECT_EQ(scene.selection.m_Objects.GetCount(), 2);

    scene.selection.RemoveObject(&sameId);
    EXPECT_EQ(scene.selection.m_Objects.GetCount(), 1);
}

TEST(Selection, DuplicateFaceRecordIsFreedAndTheListKept)
{
    TwoObjects scene;
    scene.selection.AddFace(new SelectedElement{&scene.a, 3}, TRUE);
    scene.selection.AddFace(new SelectedElement{&scene.b, 3}, TRUE);
    scene.selection.AddFace(new SelectedElement{&scene.a, 3}, TRUE);  // freed (checked by LeakSanitizer)
    ASSERT_EQ(scene.selection.m_Faces.GetCount(), 2);
    EXPECT_EQ(scene.selection.m_Faces.GetHead()->object, &scene.b);

    const SelectedElement probe{&scene.a, 3};
    scene.selection.RemoveFace(&probe);
    EXPECT_EQ(scene.selection.m_Faces.GetCount(), 1);
    scene.selection.AddVertex(new SelectedElement{&scene.a, 0}, TRUE);
    scene.selection.AddVertex(new SelectedElement{&scene.a, 0}, FALSE);
    EXPECT_EQ(scene.selection.m_Vertices.GetCount(), 2);
}

TEST(Selection, TheLastAddedObjectIsTheFirstSelected)
{
    TwoObjects scene;
    scene.selection.AddObject(&scene.a, TRUE);
    scene.selection.AddObject(&scene.b, TRUE);
    float colour[4] = {};
    scene.selection.GetColour(colour);
    EXPECT_EQ(colour[0], 20.0f);
    EXPECT_EQ(colour[3], 1.0f);
    scene.selection.SetName("Renamed");
    EXPECT_STREQ(static_cast<LPCTSTR>(scene.b.m_Name), "Renamed");
    EXPECT_STREQ(static_cast<LPCTSTR>(scene.a.m_Name), "A");
    EXPECT_STREQ(static_cast<LPCTSTR>(scene.selection.GetName()), "Multiple Selection");

    scene.selection.SetColour(1.0f, 2.0f, 3.0f, 0.5f);
    EXPECT_EQ(scene.a.m_Colour[2], 3.0f);
    EXPECT_EQ(scene.b.m_Colour[1], 2.0f);
}

TEST(Selection, NamesAndColourCountObjectsOnly)
{
    TwoObjects scene;
    EXPECT_STREQ(static_cast<LPCTSTR>(scene.selection.GetName()), "None Selected");
    float colour[4] = {};
    scene.selection.GetColour(colour);
    EXPECT_EQ(colour[0], 150.0f);
    scene.selection.SetName("Nobody");  // nothing selected: nothing renamed

    scene.selection.AddObject(&scene.a, TRUE);
    scene.selection.AddFace(new SelectedElement{&scene.b, 0}, TRUE);
    scene.selection.AddFace(new SelectedElement{&scene.b, 1}, TRUE);
    EXPECT_STREQ(static_cast<LPCTSTR>(scene.selection.GetName()), "A");
}

TEST(Selection, ClearReportsWhetherAnythingWasSelected)
{
    TwoObjects scene;
    EXPECT_FALSE(scene.selection.Clear());
    scene.selection.AddVertex(new SelectedElement{&scene.a, 0}, TRUE);
    EXPECT_TRUE(scene.selection.Clear());
    EXPECT_TRUE(scene.selection.m_Vertices.IsEmpty());
}
