// The views driven through real input events: what a left press, a drag, a
// release and a right click do when no plug-in claims them.
#include "InputStage.h"
#include "VectorExpect.h"

#include "orbel/resources/Resource.h"

using orbel::test::Button;
using viewtest::MakeSquare;
using viewtest::RefreshMatrices;

using ViewInput = InputStage;

namespace {

// The red focus frame runs along the top edge.
bool ShowsFocusFrame(HWND window)
{
    const orbel::test::Image image = orbel::test::ReadWindowImage(window);
    return image.At(image.width / 2, 0) == RGB(255, 0, 0);
}

// The check marks of the view's context menu as it was shown.
std::vector<UINT> CheckedCommands(HMENU menu)
{
    std::vector<UINT> checked;
    for (UINT id : std::initializer_list<UINT>{ID_VIEW_GRID, ID_SHOW_BACK_FACES, ID_FILL_MODE_WIREFRAME, ID_FILL_MODE_SOLID_WIRE,
                    ID_FILL_MODE_SOLID, ID_FILL_MODE_POINT, ID_VIEW_KIND_TOP})
        if (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) checked.push_back(id);
    return checked;
}

}  // namespace

TEST_F(ViewInput, APressSelectsUnlessANavigationModeIsSet)
{
    Press(At({0.2f, 0, 0.3f}));
    Release(At({0.2f, 0, 0.3f}));
    EXPECT_EQ(Selection().m_Objects.GetCount(), 1);
    EXPECT_EQ(stage.Frame().notifications, 1);
    EXPECT_EQ(CWnd::GetFocus(), view) << "a click gives the view the focus";
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_TRUE(stage.Document().IsModified());

    stage.viewMode = ViewModeZoom;
    Press(At({3, 0, 3}));
    EXPECT_EQ(Selection().m_Objects.GetCount(), 1) << "a navigation press selects nothing";
    EXPECT_EQ(CWnd::GetCapture(), view);
    Release(At({3, 0, 3}));
    EXPECT_EQ(Labels(), (std::vector<std::string>{"Change Selection"}));
}

// Press, release and right press repaint every view and mark the scene
// modified even when nothing changed.
TEST_F(ViewInput, EveryPressAndReleaseMarksTheSceneModified)
{
    stage.viewMode = ViewModeMove;
    for (int step = 0; step < 3; ++step) {
        stage.Document().SetModifiedFlag(FALSE);
        const int paints = orbel::test::PaintCount(other->GetSafeHwnd());
        if (step == 0) Press(CPoint(5, 5));
        if (step == 1) Release(CPoint(5, 5));
        if (step == 2) {
            orbel::test::MouseDown(Window(), Button::Right, {5, 5}, MK_SHIFT);
            orbel::test::RunUntilIdle();
        }
        EXPECT_TRUE(stage.Document().IsModified()) << step;
        EXPECT_GT(orbel::test::PaintCount(other->GetSafeHwnd()), paints) << step;
    }
    orbel::test::MouseUp(Window(), Button::Right, {5, 5}, MK_SHIFT);
    orbel::test::RunUntilIdle();
}

TEST_F(ViewInput, ABandLargerThanTwoPixelsSelectsOverThePressAndTheLastMove)
{
    cObjekt3D* far = MakeSquare(0.2f, D3DXVECTOR3(3, 0, 2));
    stage.Document().AddObject(far);
    const CPoint start = At({2.5f, 0, 2.5f});
    Press(start);
    MoveTo(Offset(start, 2, 2));
    Release(Offset(start, 40, 40));
    EXPECT_TRUE(Selection().m_Objects.IsEmpty()) << "2 pixels select nothing";
    EXPECT_EQ(Labels().size(), 1u) << "only the press's click step";

    Press(start);
    MoveTo(Offset(start, 8, 3));
    MoveTo(Offset(start, 16, 16));
    Release(Offset(start, -60, -40));  // the release point does not count
    ASSERT_EQ(Selection().m_Objects.GetCount(), 1);
    EXPECT_EQ(Selection().m_Objects.GetHead(), far);
    EXPECT_FALSE(view->m_bRubberBand);
}

TEST_F(ViewInput, TheFocusFrameFollowsTheFocusedView)
{
    Press(CPoint(150, 110));
    Release(CPoint(150, 110));
    EXPECT_TRUE(ShowsFocusFrame(Window()));
    // As the next-pane key moves it: no click repaints the views.
    orbel::test::Focus(other->GetSafeHwnd());
    orbel::test::RunUntilIdle();
    EXPECT_FALSE(ShowsFocusFrame(Window())) << "the view that lost the focus repaints itself";
    EXPECT_TRUE(ShowsFocusFrame(other->GetSafeHwnd()));
}

TEST_F(ViewInput, ARightClickShowsTheContextMenuWithTheViewsSettingsChecked)
{
    std::vector<UINT> shown;
    orbel::test::ScriptPopupMenu(ID_FILL_MODE_SOLID_WIRE, [&](HMENU menu) { shown = CheckedCommands(menu); });
    RightClick(CPoint(40, 40));
    EXPECT_EQ(shown, (std::vector<UINT>{ID_VIEW_GRID, ID_SHOW_BACK_FACES, ID_FILL_MODE_WIREFRAME}));
    EXPECT_EQ(view->m_FillMode, D3DFILL_SOLID);
    EXPECT_TRUE(view->m_bWireOverlay);

    orbel::test::ScriptPopupMenu(ID_VIEW_GRID, [&](HMENU menu) { shown = CheckedCommands(menu); });
    RightClick(CPoint(40, 40));
    EXPECT_EQ(shown, (std::vector<UINT>{ID_VIEW_GRID, ID_SHOW_BACK_FACES, ID_FILL_MODE_SOLID_WIRE}));
    EXPECT_FALSE(view->m_bGrid);
    orbel::test::ScriptPopupMenu(ID_SHOW_BACK_FACES, [&](HMENU menu) { shown = CheckedCommands(menu); });
    RightClick(CPoint(40, 40));
    orbel::test::ScriptPopupMenu(ID_FILL_MODE_POINT, [&](HMENU menu) { shown = CheckedCommands(menu); });
    RightClick(CPoint(40, 40));
    EXPECT_EQ(shown, (std::vector<UINT>{ID_FILL_MODE_SOLID_WIRE}));
    EXPECT_EQ(view->m_CullMode, D3DCULL_CCW);
    EXPECT_FALSE(stage.Document().m_pUndoManager->CanUndo()) << "display commands are no undo steps";
}

TEST_F(ViewInput, ARightDragWithCtrlOrShiftShowsNoMenu)
{
    orbel::test::MouseDown(Window(), Button::Right, {40, 40}, MK_CONTROL);
    orbel::test::MouseMove(Window(), {50, 40}, MK_CONTROL);
    orbel::test::MouseUp(Window(), Button::Right, {50, 40}, MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(stage.viewMode, ViewModeNone);
    EXPECT_TRUE(orbel::modal::Appearances().empty());
}

// Top view, default masks: up the screen is world +Y, not Z; with Y masked
// the same drag moves along Z. One "Move" step per drag, at its first move.
TEST_F(ViewInput, AMoveDragFollowsTheActiveAxes)
{
    stage.transformMode = TransformMove;
    const CPoint start = At({0.2f, 0, 0.2f});
    Press(start);
    MoveTo(Offset(start, 8, -8));
    MoveTo(Offset(start, 16, -16));
    Release(Offset(start, 16, -16));
    ExpectNear(square->m_Position, D3DXVECTOR3(1, 1, 0));
    EXPECT_EQ(Labels(), (std::vector<std::string>{"Move", "Change Selection"}));

    stage.axisMasks[1] = 0.0f;
    stage.axisMasks[2] = 1.0f;
    Press(start);
    MoveTo(Offset(start, 0, -32));
    Release(Offset(start, 0, -32));
    ExpectNear(square->m_Position, D3DXVECTOR3(1, 1, 2));

    // Ctrl turns the drag into a rubber band.
    Press(start, MK_CONTROL);
    MoveTo(Offset(start, 30, 30), MK_CONTROL);
    EXPECT_TRUE(view->m_bRubberBand);
    Release(Offset(start, 30, 30), MK_CONTROL);
    ExpectNear(square->m_Position, D3DXVECTOR3(1, 1, 2));
}

// Shift copies once per press, before the source moves: the copy stays
// behind and its "Clone Object" step lies above the drag's "Move".
TEST_F(ViewInput, AShiftDragLeavesOneCopyBehindPerPressOfShift)
{
    stage.transformMode = TransformMove;
    const CPoint start = At({0, 0, 0});
    Press(start);
    Release(start);
    Press(At({4, 0, 3}), MK_SHIFT);  // removes nothing: nothing is there
    MoveTo(Offset(At({4, 0, 3}), 16, 0), MK_SHIFT);
    MoveTo(Offset(At({4, 0, 3}), 32, 0), MK_SHIFT);
    EXPECT_EQ(stage.Document().m_Objects.GetCount(), 2);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"Clone Object", "Move", "Change Selection", "Change Selection"}));
    MoveTo(Offset(At({4, 0, 3}), 48, 0));
    MoveTo(Offset(At({4, 0, 3}), 64, 0), MK_SHIFT);
    Release(Offset(At({4, 0, 3}), 64, 0), MK_SHIFT);
    EXPECT_EQ(stage.Document().m_Objects.GetCount(), 3);
    ExpectNear(square->m_Position, D3DXVECTOR3(4, 0, 0));
    ExpectNear(stage.Document().m_Objects.GetHead()->m_Position, D3DXVECTOR3(3, 0, 0));
}

// A drag ray parallel to the drag plane has no step: nothing moves and no
// coordinate without a value reaches the status bar.
TEST_F(ViewInput, RaysParallelToThePlaneChangeNothing)
{
    CMyOrbelView* side = stage.AddView(ViewKindPerspective, 160, 120);
    side->m_Eye = D3DXVECTOR3(10, 0, 0);
    side->m_Up = D3DXVECTOR3(0, 1, 0);
    RefreshMatrices(side);
    stage.Document().m_Selection.AddObject(square, TRUE);
    stage.transformMode = TransformMove;
    stage.axisMasks[2] = 1.0f;
    stage.axisMasks[0] = 0.0f;
    side->SetFocus();
    side->SetCapture();
    side->m_LastPoint = CPoint(80, 30);
    side->OnMouseMove(0, CPoint(80, 60));  // the centre column looks along z = 0
    side->OnMouseMove(0, CPoint(80, 90));
    ExpectNear(square->m_Position, D3DXVECTOR3(0, 0, 0));
    ASSERT_FALSE(stage.Frame().coordinates.empty());
    const auto& shown = stage.Frame().coordinates.front();
    EXPECT_FALSE(shown.show) << "the centre row looks along the construction plane y = 0";
    for (const auto& c : stage.Frame().coordinates) EXPECT_TRUE(IsFiniteVector(c.point));
    ReleaseCapture();
}

TEST_F(ViewInput, ThePerspectiveViewDragsOnThePlaneZEqualsZero)
{
    CMyOrbelView* perspective = stage.AddView(ViewKindPerspective, 160, 120);
    RefreshMatrices(perspective);
    stage.Document().m_Selection.AddObject(square, TRUE);
    stage.transformMode = TransformMove;
    const D3DXVECTOR3 normal(0, 0, 1);
    D3DXVECTOR3 o, d, from, to;
    ASSERT_TRUE(perspective->ScreenToRay(60, 50, &o, &d));
    ASSERT_TRUE(perspective->IntersectViewPlane(&from, o, d, &normal));
    ASSERT_TRUE(perspective->ScreenToRay(90, 40, &o, &d));
    ASSERT_TRUE(perspective->IntersectViewPlane(&to, o, d, &normal));
    perspective->m_LastPoint = CPoint(60, 50);
    perspective->TransformSelection(0, 90, 40);
    EXPECT_NEAR(square->m_Position.x, to.x - from.x, 1e-4f);
    EXPECT_NEAR(square->m_Position.y, to.y - from.y, 1e-4f);
    EXPECT_EQ(square->m_Position.z, 0.0f);
}

TEST_F(ViewInput, TheStatusBarShowsThePointUnderTheCursorOnlyInTheFocusedView)
{
    Press(At({1, 0, 2}));
    Release(At({1, 0, 2}));
    stage.Frame().coordinates.clear();
    orbel::test::MouseMove(Window(), At({2, 0, -1}));
    orbel::test::MouseMove(other->GetSafeHwnd(), {20, 20});
    orbel::test::RunUntilIdle();
    ASSERT_EQ(stage.Frame().coordinates.size(), 2u);
    EXPECT_TRUE(stage.Frame().coordinates[0].show);
    ExpectNear(stage.Frame().coordinates[0].point, D3DXVECTOR3(2, 0, -1));
    EXPECT_FALSE(stage.Frame().coordinates[1].show);
}
