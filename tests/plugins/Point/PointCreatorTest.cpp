// The Point tool through the test host: clicks add lone vertices to the first
// selected object, in its own coordinates, one undo step each.
#include "plugins/testhost/PluginTestHost.h"

#include <model/Objekt3D.h>

#include <gtest/gtest.h>

namespace {

constexpr int kStatusId = 8000;

class PointTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        point = host.Load("Point.dlc");
        ASSERT_NE(point, nullptr);
    }

    // An object of the document with one triangle, selected or not.
    cObjekt3D* AddTriangle(bool select)
    {
        auto* object = new cObjekt3D;
        for (int i = 0; i < 3; ++i) {
            MeshVertex v{};
            v.x = static_cast<float>(i);
            object->AddVertex(v);
            object->AddIndex(static_cast<WORD>(i));
        }
        host.Document().AddObject(object);
        if (select)
            host.Document().m_Selection.AddObject(object, TRUE);
        return object;
    }

    PluginTestHost host;
    cPlugin* point = nullptr;
};

TEST_F(PointTool, NamesItselfAndItsUndoStep)
{
    EXPECT_STREQ(point->GetName(), "Point");
    EXPECT_STREQ(point->GetText(PR_UNDO_POINT), "Create Point");
    EXPECT_EQ(point->GetText(PR_POINT), nullptr);
    EXPECT_EQ(point->UndoAction(3, 1), 1);
}

TEST_F(PointTool, WithNothingSelectedClicksPassThroughUntilAnObjectIsSelected)
{
    cObjekt3D* object = AddTriangle(false);
    host.Activate(point);
    EXPECT_EQ(host.PanelText(kStatusId), "Select main object for point");

    EXPECT_FALSE(host.Press({1, 1, 0}));
    EXPECT_EQ(object->m_Vertices.GetSize(), 3);

    // The view selects under the cursor and the frame refreshes the tool.
    host.Document().m_Selection.AddObject(object, TRUE);
    EXPECT_TRUE(host.Notify(point, PE_REFRESH));
    EXPECT_EQ(host.PanelText(kStatusId), "Click in viewport to add point");
    EXPECT_TRUE(host.Press({1, 1, 0}));
    EXPECT_EQ(object->m_Vertices.GetSize(), 4);
}

TEST_F(PointTool, ClickGoesIntoObjectSpaceThroughScaleRotationAndTranslation)
{
    cObjekt3D* object = AddTriangle(true);
    object->m_Position = D3DXVECTOR3(10, 0, 0);
    object->m_Scale = D3DXVECTOR3(2, 2, 2);
    host.Activate(point);
    ASSERT_TRUE(host.Press({12, 4, 0}));
    const MeshVertex& added = object->m_Vertices[3];
    EXPECT_NEAR(added.x, 1.0f, 1e-5f);
    EXPECT_NEAR(added.y, 2.0f, 1e-5f);
    EXPECT_NEAR(added.z, 0.0f, 1e-5f);
    EXPECT_EQ(added.nx, 0.0f);
    EXPECT_EQ(added.ny, 1.0f);
    EXPECT_EQ(added.nz, 0.0f);
    EXPECT_EQ(added.u, 0.0f);
    EXPECT_EQ(added.v, 0.0f);

    // With a quarter turn of yaw the way back goes through the rotation too.
    object->m_Rotation = D3DXVECTOR3(static_cast<float>(D3DX_PI / 2), 0, 0);
    D3DXMATRIX world;
    object->GetWorldMatrix(&world);
    D3DXVECTOR3 local(0.5f, -1.5f, 3.0f), clicked;
    D3DXVec3TransformCoord(&clicked, &local, &world);
    ASSERT_TRUE(host.Press(clicked));
    const MeshVertex& turned = object->m_Vertices[4];
    EXPECT_NEAR(turned.x, 0.5f, 1e-4f);
    EXPECT_NEAR(turned.y, -1.5f, 1e-4f);
    EXPECT_NEAR(turned.z, 3.0f, 1e-4f);
}

TEST_F(PointTool, EachClickIsOneVertexAndOneUndoStepLeavingFacesAlone)
{
    for (int i = 0; i < 3; ++i)
        host.Document().m_Materials.Add(new cMaterial);
    cObjekt3D* object = AddTriangle(true);
    object->SetFaceMaterial(-1, 2);
    host.Activate(point);
    for (int click = 1; click <= 3; ++click) {
        host.servedCodes.clear();
        ASSERT_TRUE(host.Press({static_cast<float>(click), 0, 0}));
        EXPECT_EQ(host.servedCodes, (std::vector<int>{PR_UNDO_POINT, PR_POINT}));
        EXPECT_EQ(object->m_Vertices.GetSize(), 3 + click);
    }
    EXPECT_EQ(object->m_Indices.GetSize(), 3);
    ASSERT_EQ(object->m_Runs.GetCount(), 1);
    EXPECT_EQ(object->m_Runs.GetHead().material, 2);
    EXPECT_EQ(host.UndoText(), "&Undo Create Point \tCtrl+Z");

    // Moves and releases are not the tool's.
    EXPECT_FALSE(host.Move({5, 5, 0}));
    EXPECT_FALSE(host.Release({5, 5, 0}));

    // The snapshot was taken before the vertex went in.
    const int id = object->m_Id;
    host.Undo();  // the scene is replaced: `object` is gone
    cObjekt3D* restored = host.Document().FindObjectById(id);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->m_Vertices.GetSize(), 5);
}

TEST_F(PointTool, PointGoesToTheFirstSelectedObjectOnly)
{
    cObjekt3D* earlier = AddTriangle(true);
    cObjekt3D* later = AddTriangle(true);  // selected last: the head
    host.Activate(point);
    ASSERT_TRUE(host.Press({0, 0, 0}));
    EXPECT_EQ(later->m_Vertices.GetSize(), 4);
    EXPECT_EQ(earlier->m_Vertices.GetSize(), 3);
}

TEST_F(PointTool, RequestListsFollowTheLastEvent)
{
    AddTriangle(true);
    host.Activate(point);

    // An event the tool does not answer is still stored: no list follows.
    EXPECT_FALSE(point->OnEvent(PE_RBUTTONUP));
    EXPECT_EQ(point->GetRequestCount(), 0);

    EXPECT_TRUE(point->OnEvent(PE_REFRESH));
    ASSERT_EQ(point->GetRequestCount(), 1);
    EXPECT_EQ(point->GetRequest(0), PR_SELECTION);
    // Asked again without a new event, the same list is built anew.
    EXPECT_EQ(point->GetRequestCount(), 1);
    EXPECT_EQ(point->GetRequest(0), PR_SELECTION);

    // Hiding the panel clears the event and the selection: a click after
    // a new activation without PR_SELECTION is not taken.
    point->HidePanel();
    EXPECT_EQ(point->GetRequestCount(), 0);
    EXPECT_FALSE(point->OnEvent(PE_LBUTTONDOWN));
}

TEST_F(PointTool, PanelIsAChildOfThePlaceholderAndGoesWithTheTool)
{
    host.Activate(point);
    HWND panel = host.Panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(::IsWindowVisible(panel));
    EXPECT_EQ(::GetParent(panel), host.Placeholder()->GetSafeHwnd());
    host.Deactivate();
    EXPECT_EQ(host.Panel(), nullptr);
    EXPECT_FALSE(::IsWindow(panel));
}

}  // namespace
