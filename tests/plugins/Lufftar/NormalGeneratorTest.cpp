// The "Compute Normals" tool through the test host on real documents: the
// normals it computes, what it leaves alone, and its one undo step per press.
#include "plugins/testhost/MeshObjects.h"
#include "plugins/testhost/ModifyToolTest.h"

#include <testsupport/ControlInput.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace orbel::test;

constexpr int kStatusId = 13000;
constexpr int kRunId = 13001;

class ComputeNormals : public ModifyToolTest {
protected:
    ComputeNormals() : ModifyToolTest("Lufftar.dlm", kRunId, kStatusId) {}

    // A square of two faces sharing an edge, tilted out of every axis
    // plane, clockwise as seen from the side its normal points to; the
    // normals it starts with are wrong.
    static cObjekt3D* MakeSquare()
    {
        auto* square = new cObjekt3D;
        const D3DXVECTOR3 corners[4] = {{0, 0, 0}, {0, 2, 1}, {2, 2, 2}, {2, 0, 1}};
        for (const D3DXVECTOR3& c : corners)
            square->AddVertex(MeshVertex{c.x, c.y, c.z, 1, 0, 0, c.x, c.y});
        for (WORD i : {0, 1, 2, 0, 2, 3})
            square->AddIndex(i);
        return square;
    }
};

TEST_F(ComputeNormals, ActivationAsksForDeviceAndSelection)
{
    EXPECT_TRUE(::GetWindowLong(host.Panel(), GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(host.servedCodes, (std::vector<int>{PR_DEVICE, PR_SELECTION}));
    EXPECT_STREQ(tool->GetName(), "Compute Normals");
    EXPECT_STREQ(tool->GetText(PR_UNDO_POINT), "Compute Normals");
    EXPECT_EQ(Status(), "Select objects for compute");
}

TEST_F(ComputeNormals, WithNothingSelectedThePressRecordsNothing)
{
    cObjekt3D* square = AddObject(host, MakeSquare(), false);
    host.Notify(tool, PE_REFRESH);
    const int steps = RecordedSteps(host);
    Press();
    EXPECT_EQ(host.runs, 0);
    EXPECT_EQ(RecordedSteps(host), steps);
    EXPECT_EQ(Status(), "Select objects for compute");
    EXPECT_EQ(square->m_Vertices[0].nx, 1.0f);
}

TEST_F(ComputeNormals, AFlatSquareGetsOneNormalOnItsFrontAndAnUnusedVertexNoNaN)
{
    cObjekt3D* square = AddObject(host, MakeSquare());
    square->AddVertex(MeshVertex{5, 5, 5, 0, 0, 0, 0, 0});
    host.Notify(tool, PE_REFRESH);
    EXPECT_EQ(Status(), "Objects selected");

    Press();
    EXPECT_EQ(Status(), "Normals computed");
    // Clockwise front faces: (v1 - v0) x (v2 - v0) points out of the front.
    D3DXVECTOR3 front(2, 2, -4);
    D3DXVec3Normalize(&front, &front);
    for (int i = 0; i < 4; ++i) {
        const MeshVertex& v = square->m_Vertices[i];
        EXPECT_NEAR(v.nx, front.x, 1e-5f) << i;
        EXPECT_NEAR(v.ny, front.y, 1e-5f) << i;
        EXPECT_NEAR(v.nz, front.z, 1e-5f) << i;
    }
    const MeshVertex& lone = square->m_Vertices[4];
    EXPECT_FALSE(std::isnan(lone.nx) || std::isnan(lone.ny) || std::isnan(lone.nz));
    // Positions, texture coordinates and faces stay.
    EXPECT_EQ(square->m_Vertices[2].x, 2.0f);
    EXPECT_EQ(square->m_Vertices[2].u, 2.0f);
    EXPECT_EQ(square->m_Indices[5], 3);
}

TEST_F(ComputeNormals, TwoObjectsAreOneStepAndComeBackWithUndo)
{
    cObjekt3D* square = AddObject(host, MakeSquare());
    cObjekt3D* sphere = AddObject(host, MakeSphere(host.Device(), 8, 6));
    for (INT_PTR i = 0; i < sphere->m_Vertices.GetSize(); ++i)
        sphere->m_Vertices[i].nz = 9.0f;
    host.Notify(tool, PE_REFRESH);
    const int steps = RecordedSteps(host);

    Press();
    EXPECT_EQ(RecordedSteps(host), steps + 1);
    EXPECT_EQ(host.UndoText(), "&Undo Compute Normals \tCtrl+Z");
    EXPECT_NE(square->m_Vertices[0].nx, 1.0f);
    for (INT_PTR i = 0; i < sphere->m_Vertices.GetSize(); ++i) {
        const MeshVertex& v = sphere->m_Vertices[i];
        EXPECT_NEAR(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz, 1.0f, 1e-4f);
    }

    host.Undo();
    for (POSITION pos = host.Document().m_Objects.GetHeadPosition(); pos != nullptr;) {
        const cObjekt3D* object = host.Document().m_Objects.GetNext(pos);
        EXPECT_TRUE(object->m_Vertices[0].nx == 1.0f || object->m_Vertices[0].nz == 9.0f);
    }
}

TEST_F(ComputeNormals, RunsComeBackNormalised)
{
    cObjekt3D* grid = AddObject(host, MakeGrid(1, {2}));
    grid->AddIndex(0);
    grid->AddIndex(1);
    grid->AddIndex(3);
    for (int i = 0; i < 9; ++i)
        grid->AddIndex(static_cast<WORD>(i % 3));
    ASSERT_EQ(grid->GetFaceCount(), 6);
    grid->m_Runs.RemoveAll();
    grid->m_Runs.AddTail(MaterialRun{2, 0});
    grid->m_Runs.AddTail(MaterialRun{2, 3});
    host.Notify(tool, PE_REFRESH);

    Press();
    EXPECT_EQ(Runs(*grid), (std::vector<std::array<int, 2>>{{2, 0}}));
}

TEST_F(ComputeNormals, ARunAskedForAfterTheSelectionEmptiedRecordsNothing)
{
    AddObject(host, MakeSquare());
    host.Notify(tool, PE_REFRESH);
    const int steps = RecordedSteps(host);
    tool->SetParam(PR_PANEL_ACTION, nullptr);
    host.Document().m_Selection.Clear();
    host.DeliverPosted();
    EXPECT_EQ(host.runs, 1);
    EXPECT_EQ(RecordedSteps(host), steps);
}

}  // namespace
