#include "InputStage.h"
#include "ViewHarness.h"

#include "orbel/views/CameraMatrices.h"

#include <testsupport/TestSupport.h>

#include "VectorExpect.h"

#include <gtest/gtest.h>

#include "support/FreshFolder.h"

#include <cmath>
#include <filesystem>
#include <string>

using viewtest::RefreshMatrices;
using viewtest::ViewHarness;

namespace {


D3DXVECTOR3 PointUnder(CMyOrbelView* view, int x, int y, const D3DXVECTOR3* normal)
{
    D3DXVECTOR3 origin, direction, point(NAN, NAN, NAN);
    EXPECT_TRUE(view->ScreenToRay(x, y, &origin, &direction));
    EXPECT_NE(view->IntersectViewPlane(&point, origin, direction, normal), nullptr);
    return point;
}

CPoint ScreenPoint(CMyOrbelView* view, int x, int y)
{
    CPoint p(x, y);
    view->ClientToScreen(&p);
    return p;
}

int UndoSteps(cUndoManager& undo)
{
    int steps = 0;
    while (undo.CanUndo()) {
        undo.Undo();
        ++steps;
    }
    return steps;
}

}  // namespace

TEST(Navigation, PanKeepsTheGrabbedPointUnderTheCursor)
{
    ViewHarness stage;
    for (int kind : {ViewKindTop, ViewKindPerspective}) {
        SCOPED_TRACE(kind);
        CMyOrbelView* view = stage.AddView(kind);
        RefreshMatrices(view);
        D3DXVECTOR3 normal = view->m_Eye - view->m_Target;
        D3DXVECTOR3 grabbed = PointUnder(view, 40, 30, &normal);
        stage.viewMode = 1;
        view->m_LastPoint = CPoint(40, 30);
        view->NavigateView(0, 100, 70);
        RefreshMatrices(view);
        ExpectNear(PointUnder(view, 100, 70, &normal), grabbed);
    }
}

TEST(Navigation, ZoomStepsFollowTheVerticalMouseStep)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindFront);
    RefreshMatrices(view);
    stage.viewMode = 3;
    view->m_LastPoint = CPoint(80, 60);
    view->NavigateView(0, 120, 60);  // horizontal only
    EXPECT_FLOAT_EQ(view->m_Zoom, 10.0f);
    view->NavigateView(0, 80, 56);  // 4 pixels up: 0.25 world units, times 5
    EXPECT_NEAR(view->m_Zoom, 8.75f, 1e-4f);
    ExpectNear(view->m_Eye, D3DXVECTOR3(0, 0, -8.75f));
}

TEST(Navigation, RotateRollsAxisViewsAndOrbitsTheUserView)
{
    ViewHarness stage;
    CMyOrbelView* top = stage.AddView(ViewKindTop);
    stage.viewMode = 2;
    top->m_LastPoint = CPoint(50, 50);
    top->NavigateView(0, 40, 52);  // dx = 10 wins: +10 degrees about Y
    float a = 10.0f * 0.017453292f;
    ExpectNear(top->m_Up, D3DXVECTOR3(std::sin(a), 0, std::cos(a)));
    ExpectNear(top->m_Eye, D3DXVECTOR3(0, 10, 0));

    CMyOrbelView* user = stage.AddView(ViewKindUser);
    stage.viewMode = 2;
    D3DXVECTOR3 before = user->m_Eye;
    user->m_LastPoint = CPoint(0, 0);
    user->NavigateView(0, 20, 0);
    EXPECT_NEAR(D3DXVec3Length(&user->m_Eye), 10.0f, 1e-3f);
    EXPECT_NEAR(user->m_Eye.y, before.y, 1e-4f) << "a horizontal step turns about the vertical axis";
}

TEST(Navigation, AViewWithoutAreaIgnoresPanAndZoom)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindTop, 0, 0);
    RefreshMatrices(view);
    ViewCamera before = view->GetCamera();
    for (int mode : {1, 3}) {
        stage.viewMode = mode;
        view->m_LastPoint = CPoint(0, 0);
        view->NavigateView(0, 5, 9);
    }
    EXPECT_EQ(view->m_Eye, before.eye);
    EXPECT_EQ(view->m_Target, before.target);
    EXPECT_EQ(view->m_Zoom, before.zoom);
    stage.Paint(view);  // nothing to render into; must not fail
    EXPECT_TRUE(IsFiniteCamera(view->GetCamera()));
}

class FocusedView : public testing::Test {
protected:
    void SetUp() override
    {
        view = stage.AddView(ViewKindTop);
        other = stage.AddView(ViewKindFront);
        RefreshMatrices(view);
        RefreshMatrices(other);
        view->SetFocus();
        if (CWnd::GetFocus() != view) GTEST_SKIP() << "the window layer gives no focus here";
    }

    ViewHarness stage;
    CMyOrbelView* view = nullptr;
    CMyOrbelView* other = nullptr;
};

TEST_F(FocusedView, ANotchTowardsTheUserZoomsInAndAwayZoomsOut)
{
    EXPECT_TRUE(view->OnMouseWheel(0, -120, ScreenPoint(view, 80, 60)));
    EXPECT_LT(view->m_Zoom, 10.0f);
    EXPECT_EQ(stage.viewMode, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    float zoomedIn = view->m_Zoom;
    RefreshMatrices(view);
    view->OnMouseWheel(0, 240, ScreenPoint(view, 80, 60));
    EXPECT_GT(view->m_Zoom, zoomedIn);
}

TEST_F(FocusedView, StepsBelowANotchMoveNothingButStillTakeTheSnapshot)
{
    view->OnMouseWheel(0, 119, ScreenPoint(view, 80, 60));
    EXPECT_FLOAT_EQ(view->m_Zoom, 10.0f);
    EXPECT_EQ(view->m_Eye, D3DXVECTOR3(0, 10, 0));
    cUndoManager& undo = *stage.Document().m_pUndoManager;
    ASSERT_TRUE(undo.CanUndo());
    EXPECT_NE(std::string(static_cast<LPCTSTR>(undo.GetUndoText())).find("View Change"), std::string::npos);
}

TEST_F(FocusedView, OneViewChangeStepUntilTheNextLeftRelease)
{
    view->OnMouseWheel(0, -120, ScreenPoint(view, 80, 60));
    RefreshMatrices(view);
    view->OnMouseWheel(0, -120, ScreenPoint(view, 80, 60));
    EXPECT_LT(view->m_Zoom, 10.0f);
    EXPECT_EQ(UndoSteps(*stage.Document().m_pUndoManager), 1);
    EXPECT_FLOAT_EQ(view->m_Zoom, 10.0f) << "undoing the snapshot brings the camera back";
    EXPECT_EQ(view->m_Eye, D3DXVECTOR3(0, 10, 0));
}

TEST_F(FocusedView, OnlyTheFocusedViewReacts)
{
    other->OnMouseWheel(0, -120, ScreenPoint(other, 80, 60));
    EXPECT_FLOAT_EQ(other->m_Zoom, 10.0f);
    EXPECT_FALSE(stage.Document().m_pUndoManager->CanUndo());
    EXPECT_EQ(stage.viewMode, 0);
}

TEST_F(FocusedView, ShiftRollsAxisViewsByMinusTenDegreesPerNotch)
{
    view->OnMouseWheel(MK_SHIFT, 120, ScreenPoint(view, 80, 60));
    float a = -10.0f * 0.017453292f;
    ExpectNear(view->m_Up, D3DXVECTOR3(std::sin(a), 0, std::cos(a)));
    EXPECT_EQ(stage.viewMode, 0);
}

// Right drags through real input events: Ctrl pans, Shift turns, one
// "View Change" step for the drag, and the mode ends with the release.
TEST_F(FocusedView, RightDragsWithCtrlPanAndWithShiftTurn)
{
    using orbel::test::Button;
    HWND hWnd = view->GetSafeHwnd();
    orbel::test::MouseDown(hWnd, Button::Right, {40, 30}, MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(stage.viewMode, 1);
    EXPECT_EQ(CWnd::GetCapture(), view);
    orbel::test::MouseMove(hWnd, {60, 30}, MK_CONTROL);
    orbel::test::MouseMove(hWnd, {80, 30}, MK_CONTROL);
    orbel::test::MouseUp(hWnd, Button::Right, {80, 30}, MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(stage.viewMode, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_NE(view->m_Eye.x, 0.0f) << "the camera moved sideways";
    EXPECT_EQ(view->m_Eye.x, view->m_Target.x) << "a pan moves eye and target together";
    EXPECT_EQ(UndoSteps(*stage.Document().m_pUndoManager), 1);

    RefreshMatrices(view);
    orbel::test::MouseDown(hWnd, Button::Right, {80, 60}, MK_SHIFT);
    orbel::test::MouseMove(hWnd, {80, 90}, MK_SHIFT);
    orbel::test::MouseUp(hWnd, Button::Right, {80, 90}, MK_SHIFT);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(stage.viewMode, 0);
    EXPECT_NE(view->m_Up, D3DXVECTOR3(0, 0, 1)) << "a Top view rolls its up vector";
}

// Zooming and panning as far out as the mouse takes a view, through the real
// input events, never leaves a camera that cannot be drawn, saved, opened or
// undone: the scene saves, opens again with the same camera, and every step
// taken on the way undoes and redoes.
class FarNavigation : public InputStage {
protected:
    void Wheel(int delta)
    {
        orbel::test::Wheel(Window(), delta, {80, 60});
        orbel::test::RunUntilIdle();
    }
    void RightDrag(CPoint from, CPoint to, UINT modifiers)
    {
        orbel::test::MouseDown(Window(), orbel::test::Button::Right, from, modifiers);
        orbel::test::MouseMove(Window(), to, modifiers | MK_RBUTTON);
        orbel::test::MouseUp(Window(), orbel::test::Button::Right, to, modifiers);
        orbel::test::RunUntilIdle();
    }
    void ExpectUsable(const char* after)
    {
        EXPECT_TRUE(IsUsableCamera(view->GetCamera())) << after;
        EXPECT_TRUE(IsUsableCamera(other->GetCamera())) << after;
        RefreshMatrices(view);
    }
};

TEST_F(FarNavigation, ZoomingAndPanningFarOutSavesOpensAndUndoes)
{
    orbel::test::Focus(Window());
    orbel::test::RunUntilIdle();
    if (CWnd::GetFocus() != view) GTEST_SKIP() << "the window layer gives no focus here";
    CMyOrbelDoc& document = stage.Document();

    // Far out with the wheel, back in a little, across with pans as far as
    // they go, and out again with left drags in the frame's zoom mode (each
    // its own "View Change" step).
    for (int notch = 0; notch < 400; ++notch) Wheel(120);  // away from the user: out
    ExpectUsable("the wheel");
    EXPECT_GT(view->m_Zoom, 1.0e5f) << "the wheel did zoom far out";
    for (int notch = 0; notch < 10; ++notch) Wheel(-120);
    ExpectUsable("the wheel back in");
    for (int drag = 0; drag < 200; ++drag) {
        RightDrag({0, 0}, {159, 119}, MK_CONTROL);
        ExpectUsable("a pan");
    }
    EXPECT_GT(std::fabs(view->m_Target.x) + std::fabs(view->m_Target.z), 1.0e5f) << "the pans went far out";
    RightDrag({0, 60}, {159, 60}, MK_SHIFT);
    ExpectUsable("a roll");
    for (int drag = 0; drag < 5; ++drag) {
        stage.viewMode = ViewModeZoom;
        Press({80, 0});
        MoveTo({80, 119});
        Release({80, 119});
        ExpectUsable("a zoom drag");
    }
    stage.viewMode = ViewModeNone;
    const ViewCamera far = view->GetCamera();

    const std::filesystem::path folder = orbel::test::MakeFreshFolder("orbel-far-navigation-");
    const CString path = (folder / "far.f3D").string().c_str();
    ASSERT_TRUE(document.OnSaveDocument(path));

    cUndoManager& undo = *document.m_pUndoManager;
    int steps = 0;
    while (undo.CanUndo()) {
        EXPECT_NO_THROW(undo.Undo());
        ++steps;
    }
    EXPECT_EQ(steps, 5) << "the wheel's step, which the pans and the first zoom drag join, and four more drags";
    EXPECT_EQ(view->m_Eye, D3DXVECTOR3(0, 10, 0)) << "the oldest step brings the start camera back";
    EXPECT_EQ(view->m_Zoom, 10.0f);
    while (undo.CanRedo()) EXPECT_NO_THROW(undo.Redo());
    EXPECT_EQ(view->m_Eye, far.eye);

    view->SetViewKind(ViewKindTop, nullptr);
    ASSERT_TRUE(document.OnOpenDocument(path)) << "the saved file opens again";
    EXPECT_EQ(view->m_Eye, far.eye);
    EXPECT_EQ(view->m_Target, far.target);
    EXPECT_EQ(view->m_Zoom, far.zoom);
    EXPECT_EQ(document.m_Objects.GetCount(), 1);
    ViewCamera before = far;
    for (int drag = 0; drag < 2; ++drag) {
        before = view->GetCamera();
        stage.viewMode = ViewModeZoom;
        Press({80, 100});
        MoveTo({80, 90});
        Release({80, 90});
    }
    stage.viewMode = ViewModeNone;
    ExpectUsable("zooming in again");
    EXPECT_LT(view->m_Zoom, far.zoom) << "the opened view still navigates";
    cUndoManager& afterOpen = *document.m_pUndoManager;  // an open starts a new history
    ASSERT_TRUE(afterOpen.CanUndo());
    EXPECT_NO_THROW(afterOpen.Undo());
    EXPECT_EQ(view->m_Eye, before.eye) << "and undoes";
    EXPECT_EQ(view->m_Zoom, before.zoom);
    std::filesystem::remove_all(folder);
}
