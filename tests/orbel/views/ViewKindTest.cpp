#include "ViewHarness.h"

#include "orbel/resources/Resource.h"

#include <gtest/gtest.h>

using viewtest::ViewHarness;

namespace {

void ExpectNear(const D3DXVECTOR3& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-4f);
    EXPECT_NEAR(v.y, y, 1e-4f);
    EXPECT_NEAR(v.z, z, 1e-4f);
}

}  // namespace

TEST(ViewKinds, EachKindGetsItsTitleCameraAndAxes)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindTop);
    struct Row {
        int kind;
        const char* title;
        D3DXVECTOR3 normal, roll;
    };
    const Row rows[] = {
        {1, "Top", {0, 1, 0}, {0, 1, 0}},    {2, "Bottom", {0, 1, 0}, {0, 1, 0}},
        {3, "Left", {-1, 0, 0}, {1, 0, 0}},  {4, "Right", {1, 0, 0}, {1, 0, 0}},
        {5, "Front", {0, 0, 1}, {0, 0, 1}},  {6, "Back", {0, 0, 1}, {0, 0, 1}},
        {7, "User", {0, 1, 0}, {1, 1, 1}},   {8, "Perspective", {0, 1, 0}, {1, 1, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        view->m_Zoom = 3.0f;
        view->m_Target = D3DXVECTOR3(1, 2, 3);
        view->m_bGrid = false;
        view->m_FieldOfView = 1.0f;
        view->SetViewKind(row.kind, nullptr);
        EXPECT_EQ(view->m_Kind, row.kind);
        EXPECT_STREQ(static_cast<LPCTSTR>(view->m_Title), row.title);
        EXPECT_EQ(view->m_PlaneNormal, row.normal);
        EXPECT_EQ(view->m_RollAxis, row.roll);
        ExpectNear(view->m_Target, 0, 0, 0);
        EXPECT_FLOAT_EQ(view->m_Zoom, 10.0f);
        EXPECT_FLOAT_EQ(view->m_FieldOfView, 0.7853982f);
        EXPECT_TRUE(view->m_bGrid);
    }
    view->SetViewKind(ViewKindTop, nullptr);
    ExpectNear(view->m_Eye, 0, 10, 0);
    ExpectNear(view->m_Up, 0, 0, 1);
    view->SetViewKind(ViewKindLeft, nullptr);
    ExpectNear(view->m_Eye, -10, 0, 0);
    ExpectNear(view->m_Up, 0, 1, 0);
}

TEST(ViewKinds, UserAndPerspectiveStartFromTheOrbitAndSwitchNavigationOff)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindTop);
    view->m_FillMode = D3DFILL_WIREFRAME;
    stage.viewMode = 1;
    view->SetViewKind(ViewKindUser, nullptr);
    ExpectNear(view->m_Eye, 2.3457f, 4.2262f, -8.7543f);
    ExpectNear(view->m_Up, -0.1094f, 0.9063f, 0.4082f);
    EXPECT_EQ(stage.viewMode, 0);
    EXPECT_EQ(view->m_FillMode, D3DFILL_WIREFRAME) << "only Perspective sets the fill mode";
    EXPECT_EQ(view->m_LastPoint, CPoint(0, 0));

    stage.viewMode = 3;
    view->SetViewKind(ViewKindPerspective, nullptr);
    ExpectNear(view->m_Eye, 2.3457f, 4.2262f, -8.7543f);
    EXPECT_EQ(view->m_FillMode, D3DFILL_SOLID);
    EXPECT_EQ(stage.viewMode, 0);
}

TEST(ViewKinds, AKindOutsideTheTableKeepsTheCameraButResetsTheCommonFields)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindFront);
    view->m_Zoom = 4.0f;
    view->SetViewKind(0, nullptr);
    EXPECT_EQ(view->m_Kind, 0);
    EXPECT_STREQ(static_cast<LPCTSTR>(view->m_Title), "Front");
    ExpectNear(view->m_Eye, 0, 0, -10);
    EXPECT_FLOAT_EQ(view->m_Zoom, 10.0f);
}

TEST(ChangeView, ChoosingTheSameKindResetsTheCameraAndRecordsAStep)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindTop);
    view->m_Eye = D3DXVECTOR3(3, 10, 1);
    view->m_Zoom = 2.0f;
    view->m_bGrid = false;
    view->OnViewKind(ID_VIEW_KIND_TOP);
    ExpectNear(view->m_Eye, 0, 10, 0);
    EXPECT_FLOAT_EQ(view->m_Zoom, 10.0f);
    EXPECT_TRUE(view->m_bGrid);
    cUndoManager& undo = *stage.Document().m_pUndoManager;
    ASSERT_TRUE(undo.CanUndo());
    EXPECT_NE(std::string(static_cast<LPCTSTR>(undo.GetUndoText())).find("Change View"), std::string::npos);
    EXPECT_TRUE(stage.Document().IsModified()) << "a kind change redraws all views";
}

TEST(ChangeView, UndoRestoresTheRecordedStateButNotRollOrCulling)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindFront);
    view->m_Eye = D3DXVECTOR3(1, 2, -7);
    view->m_Target = D3DXVECTOR3(1, 2, 0);
    view->m_Zoom = 6.0f;
    view->m_FieldOfView = 0.5f;
    view->m_bGrid = false;
    view->m_FillMode = D3DFILL_POINT;
    view->m_bWireOverlay = true;
    view->m_Up = D3DXVECTOR3(1, 0, 0);  // rolled
    view->m_CullMode = D3DCULL_CCW;

    view->OnViewKind(ID_VIEW_KIND_TOP);
    EXPECT_EQ(view->m_Kind, ViewKindTop);
    stage.Document().m_pUndoManager->Undo();

    EXPECT_EQ(view->m_Kind, ViewKindFront);
    EXPECT_STREQ(static_cast<LPCTSTR>(view->m_Title), "Front");
    ExpectNear(view->m_Eye, 1, 2, -7);
    ExpectNear(view->m_Target, 1, 2, 0);
    EXPECT_FLOAT_EQ(view->m_Zoom, 6.0f);
    EXPECT_FLOAT_EQ(view->m_FieldOfView, 0.5f);
    EXPECT_FALSE(view->m_bGrid);
    EXPECT_EQ(view->m_FillMode, D3DFILL_POINT);
    EXPECT_TRUE(view->m_bWireOverlay);
    ExpectNear(view->m_Up, 0, 1, 0);  // the kind's default, not the rolled one
    EXPECT_EQ(view->m_CullMode, D3DCULL_CCW);

    stage.Document().m_pUndoManager->Redo();
    EXPECT_EQ(view->m_Kind, ViewKindTop);
    ExpectNear(view->m_Eye, 0, 10, 0);
    EXPECT_TRUE(view->m_bGrid);
    stage.Document().m_pUndoManager->Undo();
    EXPECT_EQ(view->m_Kind, ViewKindFront);
    ExpectNear(view->m_Eye, 1, 2, -7);
}

TEST(ChangeView, PerspectiveToTopAndBackTakesTheRecordedFillMode)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindPerspective);
    view->m_FillMode = D3DFILL_WIREFRAME;
    view->OnViewKind(ID_VIEW_KIND_TOP);
    stage.viewMode = 1;
    stage.Document().m_pUndoManager->Undo();
    EXPECT_EQ(view->m_Kind, ViewKindPerspective);
    EXPECT_EQ(view->m_FillMode, D3DFILL_WIREFRAME);
    EXPECT_EQ(stage.viewMode, 0) << "restoring kind 8 runs its start orbit";
}

TEST(ChangeView, StepsOfADestroyedViewAreDiscardedWithoutTouchingIt)
{
    ViewHarness stage;
    CMyOrbelView* kept = stage.AddView(ViewKindFront);
    CMyOrbelView* gone = stage.AddView(ViewKindTop);
    kept->OnViewKind(ID_VIEW_KIND_BACK);
    gone->OnViewKind(ID_VIEW_KIND_LEFT);
    stage.DestroyView(gone);
    cUndoManager& undo = *stage.Document().m_pUndoManager;
    ASSERT_TRUE(undo.CanUndo());
    undo.Undo();  // the step of the destroyed view is gone; this one is kept's
    EXPECT_EQ(kept->m_Kind, ViewKindFront);
    EXPECT_FALSE(undo.CanUndo());
}

TEST(DisplayCommands, GridBackFacesAndFillModesChangeOnlyThisView)
{
    ViewHarness stage;
    CMyOrbelView* view = stage.AddView(ViewKindTop);
    CMyOrbelView* other = stage.AddView(ViewKindFront);
    stage.Document().SetModifiedFlag(FALSE);
    view->OnGrid();
    EXPECT_FALSE(view->m_bGrid);
    EXPECT_TRUE(other->m_bGrid);
    view->OnShowBackFaces();
    EXPECT_EQ(view->m_CullMode, D3DCULL_CCW);
    view->OnShowBackFaces();
    EXPECT_EQ(view->m_CullMode, D3DCULL_NONE);
    view->OnFillMode(ID_FILL_MODE_SOLID_WIRE);
    EXPECT_EQ(view->m_FillMode, D3DFILL_SOLID);
    EXPECT_TRUE(view->m_bWireOverlay);
    view->OnFillMode(ID_FILL_MODE_POINT);
    EXPECT_EQ(view->m_FillMode, D3DFILL_POINT);
    EXPECT_FALSE(view->m_bWireOverlay);
    EXPECT_FALSE(stage.Document().IsModified());
    EXPECT_FALSE(stage.Document().m_pUndoManager->CanUndo());
}
