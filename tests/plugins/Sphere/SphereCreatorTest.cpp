// The Sphere tool through the test host: drawing by dragging, the panel's
// rebuilds and clamps, and how long the tool holds on to its object.
#include "plugins/testhost/PluginTestHost.h"

#include <model/Objekt3D.h>
#include <testsupport/ScriptedModals.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kRadiusId = 3001;
constexpr int kSlicesId = 3002;
constexpr int kStacksId = 3005;

// What D3DX makes of the counts: slices x (stacks - 1) + 2 vertices.
INT_PTR SphereVertices(int slices, int stacks)
{
    return static_cast<INT_PTR>(slices) * (stacks - 1) + 2;
}
INT_PTR SphereIndices(int slices, int stacks)
{
    return static_cast<INT_PTR>(6) * slices * (stacks - 1);
}

class SphereTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        sphere = host.Load("Sphere.dlc");
        ASSERT_NE(sphere, nullptr);
        host.Activate(sphere);
    }

    int ObjectCount() { return static_cast<int>(host.Document().m_Objects.GetCount()); }

    // The largest distance of a vertex from the object's origin.
    static float Extent(const cObjekt3D& object)
    {
        float extent = 0.0f;
        for (INT_PTR i = 0; i < object.m_Vertices.GetSize(); ++i) {
            const MeshVertex& v = object.m_Vertices[i];
            extent = std::max(extent, std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
        }
        return extent;
    }

    void PressEnterInPanel() { ::SendMessage(host.Panel(), WM_COMMAND, IDOK, 0); host.DeliverPosted(); }

    PluginTestHost host;
    cPlugin* sphere = nullptr;
};

TEST_F(SphereTool, ActivationAsksForTheDeviceAndShowsTheDefaults)
{
    EXPECT_EQ(host.servedCodes, (std::vector<int>{PR_DEVICE}));
    EXPECT_STREQ(sphere->GetName(), "Sphere");
    EXPECT_STREQ(sphere->GetText(PR_UNDO_POINT), "Create Sphere");
    EXPECT_EQ(sphere->GetText(PR_DEVICE), nullptr);
    EXPECT_EQ(host.PanelText(kRadiusId), "0");
    EXPECT_EQ(host.PanelText(kSlicesId), "10");
    EXPECT_EQ(host.PanelText(kStacksId), "10");
}

TEST_F(SphereTool, DragDrawsASphereOfTheDraggedRadiusAroundThePress)
{
    host.servedCodes.clear();
    ASSERT_TRUE(host.Press({1, 2, 3}));
    // Undo point first, then the centre, then the object (its refresh is refused).
    EXPECT_EQ(host.servedCodes, (std::vector<int>{PR_UNDO_POINT, PR_POINT, PR_NEW_OBJECT}));
    EXPECT_EQ(host.UndoText(), "&Undo Create Sphere \tCtrl+Z");
    ASSERT_EQ(ObjectCount(), 1);
    cObjekt3D* object = host.FirstSelected();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->m_Vertices.GetSize(), 0);

    ASSERT_TRUE(host.Move({4, 2, 3}));
    EXPECT_EQ(host.mouseCaptures, 1);
    EXPECT_EQ(object->m_Vertices.GetSize(), SphereVertices(10, 10));
    EXPECT_EQ(object->m_Indices.GetSize(), SphereIndices(10, 10));
    EXPECT_NEAR(Extent(*object), 3.0f, 1e-4f);
    EXPECT_EQ(host.PanelText(kRadiusId), "3");

    ASSERT_TRUE(host.Move({1, 2, 8}));
    ASSERT_TRUE(host.Release({1, 6, 3}));
    EXPECT_NEAR(Extent(*object), 4.0f, 1e-4f);
    EXPECT_EQ(object->m_Position, D3DXVECTOR3(1, 2, 3));
    EXPECT_EQ(object->m_Rotation, D3DXVECTOR3(0, static_cast<float>(D3DX_PI / 2), 0));
    EXPECT_EQ(object->m_Scale, D3DXVECTOR3(1, 1, 1));

    // Finished: moves and releases go back to the view.
    EXPECT_FALSE(host.Move({9, 9, 9}));
    EXPECT_FALSE(host.Release({9, 9, 9}));
    EXPECT_NEAR(Extent(*object), 4.0f, 1e-4f);

    // The step was recorded before the object was made.
    host.Undo();
    EXPECT_EQ(ObjectCount(), 0);
    host.Redo();
    EXPECT_EQ(ObjectCount(), 1);
}

TEST_F(SphereTool, PressDuringADragIsRefusedAndBackOnTheCentreKeepsTheSphere)
{
    ASSERT_TRUE(host.Press({0, 0, 0}));
    ASSERT_TRUE(host.Move({2, 0, 0}));
    EXPECT_FALSE(host.Press({5, 5, 5}));
    EXPECT_EQ(ObjectCount(), 1);

    cObjekt3D* object = host.FirstSelected();
    ASSERT_TRUE(host.Move({0, 0, 0}));
    EXPECT_NEAR(Extent(*object), 2.0f, 1e-4f);
    // Still dragging.
    ASSERT_TRUE(host.Move({0, 3, 0}));
    EXPECT_NEAR(Extent(*object), 3.0f, 1e-4f);
    ASSERT_TRUE(host.Release({0, 3, 0}));

    // A right click is never the tool's, so it closes the tool.
    EXPECT_FALSE(sphere->OnEvent(PE_RBUTTONUP));
    EXPECT_FALSE(sphere->OnEvent(PE_REFRESH));
}

TEST_F(SphereTool, PressAndReleaseOnOnePointLeavesAnEmptyObject)
{
    host.Drag({1, 1, 1}, {});
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(host.FirstSelected()->m_Vertices.GetSize(), 0);
    // Finished all the same: the next press starts a new sphere.
    EXPECT_TRUE(host.Press({2, 2, 2}));
    EXPECT_EQ(ObjectCount(), 2);
}

TEST_F(SphereTool, PanelCountsRebuildTheFinishedSphere)
{
    host.Drag({0, 0, 0}, {{2, 0, 0}});
    cObjekt3D* object = host.FirstSelected();

    host.TypeIntoPanel(kSlicesId, "20");
    EXPECT_EQ(object->m_Vertices.GetSize(), SphereVertices(20, 10));
    host.TypeIntoPanel(kStacksId, "5");
    EXPECT_EQ(object->m_Vertices.GetSize(), SphereVertices(20, 5));
    EXPECT_EQ(object->m_Indices.GetSize(), SphereIndices(20, 5));
    EXPECT_NEAR(Extent(*object), 2.0f, 1e-4f);

    // A typed radius waits for Enter.
    host.TypeIntoPanel(kRadiusId, "7");
    EXPECT_NEAR(Extent(*object), 2.0f, 1e-4f);
    PressEnterInPanel();
    EXPECT_NEAR(Extent(*object), 7.0f, 1e-4f);
    EXPECT_EQ(object->m_Position, D3DXVECTOR3(0, 0, 0));
    // Panel edits are no undo steps of their own, and Enter leaves the panel up.
    EXPECT_EQ(host.UndoText(), "&Undo Create Sphere \tCtrl+Z");
    EXPECT_TRUE(::IsWindowVisible(host.Panel()));
}

TEST_F(SphereTool, PanelClampsCountsAndRadiusAndShowsTheCorrection)
{
    host.Drag({0, 0, 0}, {{1, 0, 0}});
    cObjekt3D* object = host.FirstSelected();

    host.TypeIntoPanel(kSlicesId, "2");
    EXPECT_EQ(host.PanelText(kSlicesId), "4");
    host.TypeIntoPanel(kStacksId, "1");
    EXPECT_EQ(host.PanelText(kStacksId), "2");
    EXPECT_EQ(object->m_Vertices.GetSize(), SphereVertices(4, 2));

    // Above D3DX's limit the panel keeps the number and the sphere stops at 240.
    host.TypeIntoPanel(kSlicesId, "300");
    EXPECT_EQ(host.PanelText(kSlicesId), "300");
    EXPECT_EQ(object->m_Vertices.GetSize(), SphereVertices(240, 2));

    ::SetDlgItemTextA(host.Panel(), kRadiusId, "-3");
    PressEnterInPanel();
    EXPECT_EQ(host.PanelText(kRadiusId), "0");
    EXPECT_EQ(Extent(*object), 0.0f);
    for (INT_PTR i = 0; i < object->m_Vertices.GetSize(); ++i)
        EXPECT_EQ(object->m_Vertices[i].v, 0.5f);
}

TEST_F(SphereTool, ARejectedEntryDoesNotRunThePanelAction)
{
    host.Drag({0, 0, 0}, {{1, 0, 0}});
    cObjekt3D* object = host.FirstSelected();
    const int actionsBefore = host.panelActions;
    ::SetDlgItemTextA(host.Panel(), kRadiusId, "");
    const std::size_t boxesBefore = orbel::test::MessageBoxTexts().size();
    orbel::test::ScriptMessageBox(IDOK);
    PressEnterInPanel();
    // The exchange told the user what is wrong.
    EXPECT_EQ(orbel::test::MessageBoxTexts().size(), boxesBefore + 1);
    EXPECT_EQ(host.panelActions, actionsBefore);
    EXPECT_NEAR(Extent(*object), 1.0f, 1e-4f);
}

TEST_F(SphereTool, TheToolHoldsItsObjectOnlyUntilTheNextPressOrHiding)
{
    host.Drag({0, 0, 0}, {{1, 0, 0}});
    cObjekt3D* first = host.FirstSelected();
    host.Drag({10, 0, 0}, {{12, 0, 0}});
    cObjekt3D* second = host.FirstSelected();
    ASSERT_NE(first, second);

    host.TypeIntoPanel(kStacksId, "3");
    EXPECT_EQ(second->m_Vertices.GetSize(), SphereVertices(10, 3));
    EXPECT_EQ(first->m_Vertices.GetSize(), SphereVertices(10, 10));

    // A new activation starts without an object: panel values only wait.
    host.Deactivate();
    host.Activate(sphere);
    host.TypeIntoPanel(kSlicesId, "6");
    EXPECT_EQ(second->m_Vertices.GetSize(), SphereVertices(10, 3));
    EXPECT_EQ(host.PanelText(kSlicesId), "6");
}

TEST_F(SphereTool, ANewSphereStartsFromTenByTenAndItsFirstRebuildEndsTheDrag)
{
    host.Drag({0, 0, 0}, {{1, 0, 0}});
    host.TypeIntoPanel(kSlicesId, "20");

    // The first rebuild of the next sphere writes 10 over the panel's 20;
    // that change is a panel action, which finishes the sphere.
    ASSERT_TRUE(host.Press({5, 0, 0}));
    ASSERT_TRUE(host.Move({7, 0, 0}));
    cObjekt3D* object = host.FirstSelected();
    EXPECT_EQ(host.PanelText(kSlicesId), "10");
    EXPECT_EQ(object->m_Vertices.GetSize(), SphereVertices(10, 10));
    EXPECT_FALSE(host.Move({9, 0, 0}));
    EXPECT_NEAR(Extent(*object), 2.0f, 1e-4f);
}

TEST_F(SphereTool, EscapeLeavesThePanelUp)
{
    ::SendMessage(host.Panel(), WM_COMMAND, IDCANCEL, 0);
    host.DeliverPosted();
    EXPECT_TRUE(::IsWindowVisible(host.Panel()));
}

}  // namespace
