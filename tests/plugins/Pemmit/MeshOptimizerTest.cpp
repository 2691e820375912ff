// The "Optimize Mesh" tool through the test host on real documents: who may
// run it, the percentages it takes, the base mesh it keeps between runs and
// the undo steps it records.
#include "plugins/Pemmit/MeshReduction.h"
#include "plugins/testhost/MeshObjects.h"
#include "plugins/testhost/PluginTestHost.h"

#include <plugins/common/MeshConversion.h>
#include <testsupport/ControlInput.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>

namespace {

using namespace orbel::test;

constexpr int kRunId = 14000;
constexpr int kStatusId = 14001;
constexpr int kPercentId = 14002;

class OptimizeMesh : public ::testing::Test {
protected:
    void SetUp() override
    {
        tool = host.Load("Pemmit.dlm");
        ASSERT_NE(tool, nullptr);
        host.Activate(tool);
    }

    // Types the percentage and presses "Optimize", as the user does.
    void Optimize(const std::string& percent)
    {
        ::SetDlgItemTextA(host.Panel(), kPercentId, percent.c_str());
        ClickButton(::GetDlgItem(host.Panel(), kRunId));
        host.DeliverPosted();
    }

    std::string Status() const { return host.PanelText(kStatusId); }
    int UndoSteps() { return RecordedSteps(host); }

    // The vertex counts the object's progressive mesh spans.
    std::pair<DWORD, DWORD> VertexRange(const cObjekt3D& object)
    {
        std::vector<DWORD> adjacency;
        ID3DXMesh* base = BuildBaseMesh(object, host.Device(), adjacency);
        ID3DXPMesh* progressive = GenerateProgressiveMesh(base, adjacency);
        base->Release();
        EXPECT_NE(progressive, nullptr);
        if (progressive == nullptr)
            return {0, 0};
        std::pair<DWORD, DWORD> range{progressive->GetMinVertices(), progressive->GetMaxVertices()};
        progressive->Release();
        return range;
    }

    PluginTestHost host;
    cPlugin* tool = nullptr;
};

TEST_F(OptimizeMesh, ActivationAsksForDeviceAndSelectionAndStartsAtAHundred)
{
    EXPECT_EQ(host.servedCodes, (std::vector<int>{PR_DEVICE, PR_SELECTION}));
    EXPECT_STREQ(tool->GetName(), "Optimize Mesh");
    EXPECT_STREQ(tool->GetText(PR_UNDO_POINT), "Optimize Mesh");
    EXPECT_EQ(tool->GetText(PR_SELECTION), nullptr);
    EXPECT_EQ(Status(), "Select object for optimize");
    EXPECT_EQ(host.PanelText(kPercentId), "100");
    // The list of an activation began by forgetting the event.
    EXPECT_EQ(tool->GetRequestCount(), 0);
}

TEST_F(OptimizeMesh, NoneOrTwoSelectedChangeNothingAndSaySo)
{
    cObjekt3D* a = AddObject(host, MakeSphere(host.Device(), 8, 6), false);
    cObjekt3D* b = AddObject(host, MakeSphere(host.Device(), 8, 6), false);
    const std::multiset<FaceKey> before = FaceSet(*a);
    const int steps = UndoSteps();

    SelectOnly(host, {});
    Optimize("50");
    EXPECT_EQ(Status(), "Select object for optimize");
    SelectOnly(host, {a, b});
    EXPECT_EQ(Status(), "Select only one object");
    Optimize("50");
    EXPECT_EQ(Status(), "Select only one object");

    EXPECT_EQ(host.runs, 0);
    EXPECT_EQ(UndoSteps(), steps);
    EXPECT_EQ(FaceSet(*a), before);
    SelectOnly(host, {b});
    EXPECT_EQ(Status(), "Object selected");
}

TEST_F(OptimizeMesh, ARunAskedForAfterTheToolOrTheSelectionWentDoesNothing)
{
    cObjekt3D* sphere = AddObject(host, MakeSphere(host.Device(), 8, 6));
    host.Notify(tool, PE_REFRESH);
    const INT_PTR vertices = sphere->m_Vertices.GetSize();
    const int steps = UndoSteps();

    // The button's run is posted; the selection empties before it arrives.
    tool->SetParam(PR_PANEL_ACTION, nullptr);
    host.Document().m_Selection.Clear();
    host.DeliverPosted();
    // Or a second object joins it.
    host.Document().m_Selection.AddObject(sphere, TRUE);
    tool->SetParam(PR_PANEL_ACTION, nullptr);
    AddObject(host, MakeSphere(host.Device(), 4, 4));
    host.DeliverPosted();
    // Or the tool is dropped (its panel goes) first.
    SelectOnly(host, {sphere});
    tool->SetParam(PR_PANEL_ACTION, nullptr);
    host.Deactivate();

    EXPECT_EQ(host.runs, 3);
    EXPECT_EQ(UndoSteps(), steps);
    EXPECT_EQ(sphere->m_Vertices.GetSize(), vertices);
}

TEST_F(OptimizeMesh, PercentagesOutsideTheRangeGiveTheMinimumOrTheMaximum)
{
    cObjekt3D* sphere = AddObject(host, MakeSphere(host.Device(), 16, 12));
    host.Notify(tool, PE_REFRESH);
    const auto [least, most] = VertexRange(*sphere);
    ASSERT_LT(least, most / 10);

    Optimize("0");
    EXPECT_EQ(Status(), "Object optimized");
    EXPECT_EQ(static_cast<DWORD>(sphere->m_Vertices.GetSize()), least);
    ExpectSoundMesh(*sphere, {-1});
    Optimize("-40");
    EXPECT_EQ(static_cast<DWORD>(sphere->m_Vertices.GetSize()), least);
    // Far more than 100 would wrap around in 32 bits.
    Optimize("250");
    EXPECT_EQ(static_cast<DWORD>(sphere->m_Vertices.GetSize()), most);
    Optimize("66076419");
    EXPECT_EQ(static_cast<DWORD>(sphere->m_Vertices.GetSize()), most);
    ExpectSoundMesh(*sphere, {-1});
}

TEST(TargetVertexCount, StaysBetweenMinimumAndMaximumForEveryPercentage)
{
    EXPECT_EQ(TargetVertexCount(4, 65536, 0), 4u);
    EXPECT_EQ(TargetVertexCount(4, 65536, 1), 655u);
    EXPECT_EQ(TargetVertexCount(4, 65535, 33), 21626u);
    EXPECT_EQ(TargetVertexCount(4, 65536, 100), 65536u);
    EXPECT_EQ(TargetVertexCount(4, 65536, 65537), 65536u);
    EXPECT_EQ(TargetVertexCount(4, 65536, INT_MAX), 65536u);
    EXPECT_EQ(TargetVertexCount(4, 65536, -1), 4u);
    EXPECT_EQ(TargetVertexCount(4, 65536, INT_MIN), 4u);
    EXPECT_EQ(TargetVertexCount(7, 10, 50), 7u);
    EXPECT_EQ(TargetVertexCount(1, 0xFFFFFFFFu, 99), 4252017622u);
}

TEST_F(OptimizeMesh, FullDetailIsTheWeldedMaterialSortedMesh)
{
    // Every face has vertices of its own, equal to its neighbours'.
    cObjekt3D* grid = AddObject(host, MakeSoupGrid(4, {2, 0}));
    host.Notify(tool, PE_REFRESH);
    const std::multiset<FaceKey> faces = FaceSet(*grid);
    ASSERT_EQ(grid->m_Vertices.GetSize(), 96);

    Optimize("100");
    EXPECT_EQ(Status(), "Object optimized");
    EXPECT_EQ(grid->m_Vertices.GetSize(), 25);
    EXPECT_EQ(grid->m_Indices.GetSize(), 96);
    EXPECT_EQ(Runs(*grid), (std::vector<std::array<int, 2>>{{0, 0}, {2, 16}}));
    EXPECT_EQ(FaceSet(*grid), faces);
    ExpectSoundMesh(*grid, {0, 2});
}

TEST_F(OptimizeMesh, TheBaseMeshComesWithItsOwnAdjacency)
{
    // Sorting, splitting and welding keep the faces and the points they
    // meet at, so the adjacency made once holds for the base mesh.
    std::unique_ptr<cObjekt3D> soup(MakeSoupGrid(4, {2, 0})), sphere(MakeSphere(host.Device(), 12, 8));
    for (const cObjekt3D* object : {soup.get(), sphere.get()}) {
        std::vector<DWORD> adjacency;
        ID3DXMesh* base = BuildBaseMesh(*object, host.Device(), adjacency);
        ASSERT_NE(base, nullptr);
        std::vector<DWORD> fresh(static_cast<std::size_t>(base->GetNumFaces()) * 3);
        ASSERT_EQ(base->GenerateAdjacency(0.0f, fresh.data()), D3D_OK);
        EXPECT_EQ(adjacency, fresh);
        base->Release();
    }
}

TEST_F(OptimizeMesh, RunsOfOneSelectionStartFromTheSameBaseUntilTheSelectionIsHandedOver)
{
    cObjekt3D* sphere = AddObject(host, MakeSphere(host.Device(), 24, 16));
    host.Notify(tool, PE_REFRESH);
    const DWORD most = VertexRange(*sphere).second;
    ASSERT_EQ(most, static_cast<DWORD>(sphere->m_Vertices.GetSize()));

    Optimize("25");
    EXPECT_EQ(sphere->m_Vertices.GetSize(), most * 25 / 100);
    ExpectSoundMesh(*sphere, {-1});
    Optimize("50");
    EXPECT_EQ(sphere->m_Vertices.GetSize(), most * 50 / 100);
    ExpectSoundMesh(*sphere, {-1});

    // A refresh hands the selection over again: the object as it is now is
    // the new base.
    host.Notify(tool, PE_REFRESH);
    const DWORD reducedMost = VertexRange(*sphere).second;
    EXPECT_LT(reducedMost, most * 60 / 100);
    Optimize("50");
    EXPECT_EQ(sphere->m_Vertices.GetSize(), reducedMost * 50 / 100);
    ExpectSoundMesh(*sphere, {-1});
}

TEST_F(OptimizeMesh, RunsGoingDownAndUpGiveTheLevelsOfTheWholeSequence)
{
    // Levels are made only as far down as a run has asked; whatever order
    // the percentages come in, each result is that of the full sequence.
    cObjekt3D* sphere = AddObject(host, MakeSphere(host.Device(), 24, 16));
    const cObjekt3D original(*sphere);
    host.Notify(tool, PE_REFRESH);
    std::vector<DWORD> adjacency;
    ID3DXMesh* base = BuildBaseMesh(original, host.Device(), adjacency);
    ID3DXPMesh* full = GenerateProgressiveMesh(base, adjacency);
    base->Release();
    ASSERT_NE(full, nullptr);

    for (int percent : {60, 80, 30, 45, 0, 100, 10}) {
        SCOPED_TRACE(percent);
        Optimize(std::to_string(percent));
        ID3DXMesh* expected = ReduceToPercentage(full, percent, host.Device());
        ASSERT_NE(expected, nullptr);
        cObjekt3D level;
        WriteMeshToObject(expected, level, true);
        expected->Release();
        ASSERT_EQ(sphere->m_Vertices.GetSize(), level.m_Vertices.GetSize());
        EXPECT_EQ(std::memcmp(sphere->m_Vertices.GetData(), level.m_Vertices.GetData(),
                              sizeof(MeshVertex) * static_cast<std::size_t>(level.m_Vertices.GetSize())),
                  0);
        ASSERT_EQ(sphere->m_Indices.GetSize(), level.m_Indices.GetSize());
        EXPECT_TRUE(std::equal(level.m_Indices.GetData(), level.m_Indices.GetData() + level.m_Indices.GetSize(),
                               sphere->m_Indices.GetData()));
        EXPECT_EQ(Runs(*sphere), Runs(level));
    }
    full->Release();
}

TEST_F(OptimizeMesh, EveryRunIsOneUndoStepTakenBeforeTheChange)
{
    cObjekt3D* sphere = AddObject(host, MakeSphere(host.Device(), 12, 8));
    sphere->m_Name = "Ball";
    sphere->m_Position = D3DXVECTOR3(1, 2, 3);
    host.Notify(tool, PE_REFRESH);
    const INT_PTR original = sphere->m_Vertices.GetSize();
    const int steps = UndoSteps();

    Optimize("30");
    Optimize("60");
    EXPECT_EQ(UndoSteps(), steps + 2);
    EXPECT_EQ(host.UndoText(), "&Undo Optimize Mesh \tCtrl+Z");
    EXPECT_EQ(sphere->m_Name, "Ball");
    EXPECT_EQ(sphere->m_Position, D3DXVECTOR3(1, 2, 3));

    host.Undo();
    host.Undo();
    EXPECT_EQ(host.FirstSelected()->m_Vertices.GetSize(), original);
    host.Redo();
    EXPECT_EQ(host.FirstSelected()->m_Vertices.GetSize(), original * 30 / 100);
}

TEST_F(OptimizeMesh, AnObjectWithoutFacesReportsAnErrorAndStays)
{
    auto* points = new cObjekt3D;
    points->AddVertex(MeshVertex{1, 2, 3, 0, 1, 0, 0, 0});
    points->AddVertex(MeshVertex{4, 5, 6, 0, 1, 0, 0, 0});
    AddObject(host, points);
    host.Notify(tool, PE_REFRESH);

    Optimize("50");
    EXPECT_EQ(Status(), "Error by optimizing");
    EXPECT_EQ(points->m_Vertices.GetSize(), 2);
    EXPECT_EQ(points->m_Indices.GetSize(), 0);
    // The step was taken before the work, as for every run.
    EXPECT_EQ(host.UndoText(), "&Undo Optimize Mesh \tCtrl+Z");
}

}  // namespace
