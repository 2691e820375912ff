// Which mouse events reach the current plug-in, what the view does when it
// refuses them, and how the view serves the requests of a claimed event.
#include "InputStage.h"
#include "VectorExpect.h"

#include "model/SelectionBounds.h"
#include "tests/support/PluginDouble.h"

using orbel::test::Button;

namespace {

class PluginDispatch : public InputStage {
protected:
    void SetUp() override
    {
        InputStage::SetUp();
        stage.currentPlugin = &tool;
    }
    bool Received(int event) const
    {
        const std::vector<int> events = tool.Events();
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    PluginDouble tool{"Tool"};
};

}  // namespace

TEST_F(PluginDispatch, AClaimedPressIsServedInsteadOfSelecting)
{
    tool.Accept(PE_LBUTTONDOWN, {{PR_POINT, PR_UNDO_POINT, PR_CAPTURE_MOUSE, PR_PICK_POINT, PR_DEVICE}});
    Press(At({0.5f, 0, -0.5f}));
    EXPECT_EQ(tool.Events(), (std::vector<int>{PE_LBUTTONDOWN}));
    EXPECT_EQ(tool.SetParamCodes(), (std::vector<int>{PR_POINT, PR_PICK_POINT}));
    ExpectNear(D3DXVECTOR3(tool.LastSetParam(PR_POINT)->point->data()), D3DXVECTOR3(0.5f, 0, -0.5f));
    EXPECT_EQ(tool.LastSetParam(PR_PICK_POINT)->value, nullptr) << "no face is selected";
    EXPECT_EQ(stage.Frame().servedCodes, (std::vector<int>{PR_UNDO_POINT, PR_DEVICE}));
    EXPECT_TRUE(Selection().m_Objects.IsEmpty());
    EXPECT_TRUE(Labels().empty());
    EXPECT_EQ(stage.Frame().notifications, 0);
    EXPECT_TRUE(stage.Document().IsModified());
    Release(At({0.5f, 0, -0.5f}));
}

// A refused press selects (asking the tool whether to record the step);
// with a navigation mode set it selects nothing.
TEST_F(PluginDispatch, ARefusedPressSelectsOnlyWithoutANavigationMode)
{
    Press(At({0, 0, 0}));
    Release(At({0, 0, 0}));
    EXPECT_EQ(tool.Events(), (std::vector<int>{PE_LBUTTONDOWN, PE_REFRESH, PE_LBUTTONUP}));
    EXPECT_EQ(Selection().m_Objects.GetCount(), 1);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"Change Selection"}));

    // A tool that answers the refresh keeps the step from being recorded.
    tool.Accept(PE_REFRESH);
    Press(At({4, 0, 3}));
    Release(At({4, 0, 3}));
    EXPECT_TRUE(Selection().m_Objects.IsEmpty());
    EXPECT_EQ(Labels().size(), 1u);

    tool.ClearCalls();
    stage.viewMode = ViewModeMove;
    Press(At({0, 0, 0}));
    Release(At({0, 0, 0}));
    EXPECT_EQ(tool.Events(), (std::vector<int>{PE_LBUTTONDOWN, PE_LBUTTONUP}));
    EXPECT_TRUE(Selection().m_Objects.IsEmpty());
}

// A tool that claims nothing still sees a band drawn; one that claims the
// release ends the band without a rectangle selection.
TEST_F(PluginDispatch, AReleaseTheToolClaimsEndsTheBandWithoutSelecting)
{
    const CPoint start = At({-2, 0, 2});
    Press(start);
    MoveTo(Offset(start, 60, 50));
    EXPECT_TRUE(view->m_bRubberBand);
    EXPECT_TRUE(Received(PE_MOUSEMOVE));
    tool.Accept(PE_LBUTTONUP);
    Release(Offset(start, 60, 50));
    EXPECT_FALSE(view->m_bRubberBand);
    EXPECT_TRUE(Selection().m_Objects.IsEmpty());

    tool.ClearCalls();
    stage.currentPlugin = nullptr;
    Press(start);
    MoveTo(Offset(start, 60, 50));
    Release(Offset(start, 60, 50));
    EXPECT_EQ(Selection().m_Objects.GetCount(), 1) << "without the tool the band selects";
}

TEST_F(PluginDispatch, AClaimedMoveIsServedOnlyWhileTheViewHasCaptureAndFocus)
{
    tool.Accept(PE_MOUSEMOVE, {{PR_POINT}, {PR_POINT}});
    tool.Accept(PE_RBUTTONDOWN, {{PR_CAPTURE_MOUSE}});
    orbel::test::MouseMove(Window(), At({1, 0, 1}));
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(tool.Events().empty()) << "no capture";

    orbel::test::MouseDown(Window(), Button::Right, At({0, 0, 0}));
    orbel::test::RunUntilIdle();
    EXPECT_EQ(CWnd::GetCapture(), view) << "PR_CAPTURE_MOUSE";
    orbel::test::MouseMove(Window(), At({2, 0, 1}));
    orbel::test::RunUntilIdle();
    ASSERT_TRUE(tool.LastSetParam(PR_POINT).has_value());
    ExpectNear(D3DXVECTOR3(tool.LastSetParam(PR_POINT)->point->data()), D3DXVECTOR3(2, 0, 1));
    EXPECT_FALSE(view->m_bRubberBand);
    ReleaseCapture();
}

// A refused right release closes the tool and shows no menu; a release that
// ends a navigation mode sends the tool nothing.
TEST_F(PluginDispatch, RightReleases)
{
    stage.viewMode = ViewModeRotate;
    RightClick(CPoint(40, 40));
    EXPECT_EQ(stage.viewMode, ViewModeNone);
    EXPECT_EQ(tool.Events(), (std::vector<int>{PE_RBUTTONDOWN}));
    EXPECT_EQ(stage.currentPlugin, &tool);

    tool.Accept(PE_RBUTTONUP, {{PR_POINT}});
    RightClick(CPoint(40, 40));
    EXPECT_EQ(stage.currentPlugin, &tool);
    EXPECT_EQ(tool.SetParamCodes(), (std::vector<int>{PR_POINT}));

    PluginDouble refusing("Refusing");
    stage.currentPlugin = &refusing;
    RightClick(CPoint(40, 40));
    EXPECT_EQ(stage.currentPlugin, nullptr);
    EXPECT_EQ(refusing.Count(PluginDouble::CallKind::HidePanel), 1);
    EXPECT_TRUE(orbel::modal::Appearances().empty()) << "no context menu";
}

// The point on the face selected last, in its object's own coordinates.
TEST_F(PluginDispatch, APickedPointIsInTheFacesOwnSpaceOrNull)
{
    square->m_Scale = D3DXVECTOR3(2, 2, 2);
    square->m_Position = D3DXVECTOR3(1, 0, 0);
    Selection().AddFace(new SelectedElement{square, 0}, TRUE);  // corners (-1,-1) (1,-1) (1,1)
    tool.Accept(PE_LBUTTONDOWN, {{PR_PICK_POINT}, {PR_PICK_POINT}});
    Press(At({2, 0, -1}));
    Release(At({2, 0, -1}));
    ASSERT_TRUE(tool.LastSetParam(PR_PICK_POINT)->point.has_value());
    ExpectNear(D3DXVECTOR3(tool.LastSetParam(PR_PICK_POINT)->point->data()), D3DXVECTOR3(0.5f, 0, -0.5f), 1e-3f);

    Press(At({-0.5f, 0, 2.5f}));  // inside the other face only
    Release(At({-0.5f, 0, 2.5f}));
    EXPECT_EQ(tool.LastSetParam(PR_PICK_POINT)->value, nullptr);
}

// A tool that shortens an object while faces and vertices of it are
// selected: what no longer fits leaves the selection with the serving.
TEST_F(PluginDispatch, RecordsOutsideTheirObjectAreDroppedAfterServing)
{
    Selection().AddFace(new SelectedElement{square, 1}, TRUE);
    Selection().AddVertex(new SelectedElement{square, 3}, TRUE);
    Selection().AddVertex(new SelectedElement{square, 0}, TRUE);
    tool.Accept(PE_LBUTTONDOWN, {{PR_SELECTION}});
    stage.Frame().onServe = [this](cPlugin*, int) {
        square->m_Indices.SetSize(3);
        square->m_Vertices.SetSize(3);
    };
    Press(At({0, 0, 0}));
    EXPECT_TRUE(Selection().m_Faces.IsEmpty());
    ASSERT_EQ(Selection().m_Vertices.GetCount(), 1);
    EXPECT_EQ(Selection().m_Vertices.GetHead()->index, 0);
    Release(At({0, 0, 0}));
}
