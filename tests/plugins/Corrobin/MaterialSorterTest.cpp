// The "Optimize Material Changes" tool through the test host on real
// documents: which objects a press reorders, what it keeps, and that it
// records no undo step of its own.
#include "plugins/testhost/MeshObjects.h"
#include "plugins/testhost/ModifyToolTest.h"

#include <testsupport/ControlInput.h>

#include <gtest/gtest.h>

namespace {

using namespace orbel::test;

constexpr int kStatusId = 11000;
constexpr int kRunId = 11001;

class OptimizeMaterialChanges : public ModifyToolTest {
protected:
    OptimizeMaterialChanges() : ModifyToolTest("Corrobin.dlm", kRunId, kStatusId) {}
};

TEST_F(OptimizeMaterialChanges, ActivationShowsAPopupPanelAndAsksForDeviceAndSelection)
{
    ASSERT_NE(host.Panel(), nullptr);
    EXPECT_TRUE(::GetWindowLong(host.Panel(), GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(host.servedCodes, (std::vector<int>{PR_DEVICE, PR_SELECTION}));
    EXPECT_STREQ(tool->GetName(), "Optimize Material Changes");
    EXPECT_EQ(tool->GetText(PR_UNDO_POINT), nullptr);
    EXPECT_EQ(Status(), "Select objects for optimize");
    // It is never run by the frame as a step.
    EXPECT_FALSE(tool->OnEvent(PE_EXECUTE));
    EXPECT_EQ(tool->GetRequestCount(), 0);
}

TEST_F(OptimizeMaterialChanges, WithNothingSelectedThePressChangesNothing)
{
    cObjekt3D* grid = AddObject(host, MakeGrid(3, {1, 0}), false);
    const std::vector<std::array<int, 2>> runs = Runs(*grid);
    host.Notify(tool, PE_REFRESH);
    Press();
    EXPECT_EQ(host.panelActions, 1);
    EXPECT_EQ(Status(), "Select objects for optimize");
    EXPECT_EQ(Runs(*grid), runs);
}

TEST_F(OptimizeMaterialChanges, AlternatingMaterialsEndInTwoRunsAndASecondPressKeepsThem)
{
    cObjekt3D* grid = AddObject(host, MakeGrid(5, {3, 1}));
    host.Notify(tool, PE_REFRESH);
    EXPECT_EQ(Status(), "Objects selected");
    const std::multiset<FaceKey> faces = FaceSet(*grid);
    const INT_PTR vertices = grid->m_Vertices.GetSize();
    const int steps = RecordedSteps(host);

    Press();
    EXPECT_EQ(Status(), "Objects optimized");
    EXPECT_EQ(Runs(*grid), (std::vector<std::array<int, 2>>{{1, 0}, {3, 25}}));
    EXPECT_EQ(FaceSet(*grid), faces);
    EXPECT_EQ(grid->m_Vertices.GetSize(), vertices);
    ExpectSoundMesh(*grid, {1, 3});
    EXPECT_EQ(RecordedSteps(host), steps);

    Press();
    EXPECT_EQ(Runs(*grid), (std::vector<std::array<int, 2>>{{1, 0}, {3, 25}}));
    EXPECT_EQ(FaceSet(*grid), faces);
}

TEST_F(OptimizeMaterialChanges, OnePressDoesEverySelectedObjectAndSkipsOneWithoutFaces)
{
    cObjekt3D* first = AddObject(host, MakeGrid(2, {0, -1, 0}));
    cObjekt3D* second = AddObject(host, MakeSoupGrid(2, {4, 2}));
    cObjekt3D* third = AddObject(host, MakeSphere(host.Device(), 6, 4));
    third->SetFaceMaterial(3, 5);
    auto* points = AddObject(host, new cObjekt3D);
    points->AddVertex(MeshVertex{1, 1, 1, 0, 1, 0, 0, 0});
    cObjekt3D* untouched = AddObject(host, MakeGrid(2, {1, 0}), false);
    const std::vector<std::array<int, 2>> untouchedRuns = Runs(*untouched);
    host.Notify(tool, PE_REFRESH);

    Press();
    EXPECT_EQ(Status(), "Objects optimized");
    EXPECT_EQ(Runs(*first), (std::vector<std::array<int, 2>>{{-1, 0}, {0, 3}}));
    EXPECT_EQ(Runs(*second), (std::vector<std::array<int, 2>>{{2, 0}, {4, 4}}));
    EXPECT_EQ(Runs(*third), (std::vector<std::array<int, 2>>{{-1, 0}, {5, third->GetFaceCount() - 1}}));
    for (cObjekt3D* object : {first, second, third})
        ExpectSoundMesh(*object, {-1, 0, 2, 4, 5});
    EXPECT_EQ(points->m_Vertices.GetSize(), 1);
    EXPECT_EQ(points->m_Indices.GetSize(), 0);
    EXPECT_EQ(Runs(*untouched), untouchedRuns);
}

TEST_F(OptimizeMaterialChanges, UnusedVerticesStayPastTheCompactedOnes)
{
    cObjekt3D* grid = AddObject(host, MakeGrid(2, {0}));
    // A lone point at the front: no face uses it.
    grid->m_Vertices.InsertAt(0, MeshVertex{7, 7, 7, 0, 1, 0, 0, 0});
    for (INT_PTR i = 0; i < grid->m_Indices.GetSize(); ++i)
        grid->m_Indices[i] = static_cast<WORD>(grid->m_Indices[i] + 1);
    const std::multiset<FaceKey> faces = FaceSet(*grid);
    host.Notify(tool, PE_REFRESH);

    Press();
    EXPECT_EQ(grid->m_Vertices.GetSize(), 10);
    EXPECT_EQ(FaceSet(*grid), faces);
    for (INT_PTR i = 0; i < grid->m_Indices.GetSize(); ++i)
        EXPECT_LT(grid->m_Indices[i], 9);
}

}  // namespace
