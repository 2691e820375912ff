// A stage for driving the views through real input events: two views of
// one document, the upper one a 160 x 120 Top view (16 pixels a unit, the
// origin at (80, 60)), one square at the origin, and any popup that nobody
// scripted is a failure.
#pragma once

#include "ViewHarness.h"

#include "orbel/views/ViewKind.h"

#include <testsupport/ModalScript.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class InputStage : public testing::Test {
protected:
    void SetUp() override
    {
        orbel::modal::Reset();
        previousHandler = orbel::modal::SetUnscriptedHandler(
            [](const orbel::modal::Appearance& a) { ADD_FAILURE() << "unexpected " << a.kind << ": " << a.description; });
        view = stage.AddView(ViewKindTop, 160, 120);
        other = stage.AddView(ViewKindFront, 160, 120);
        viewtest::RefreshMatrices(view);
        viewtest::RefreshMatrices(other);
        square = viewtest::MakeSquare(1);
        stage.Document().AddObject(square);
        stage.Document().SetModifiedFlag(FALSE);
    }
    void TearDown() override
    {
        orbel::modal::SetUnscriptedHandler(previousHandler);
        orbel::modal::Reset();
    }

    HWND Window() const { return view->GetSafeHwnd(); }
    CPoint At(const D3DXVECTOR3& world) { return viewtest::PixelOf(view, world); }
    void Press(CPoint p, UINT modifiers = 0)
    {
        orbel::test::MouseDown(Window(), orbel::test::Button::Left, p, modifiers);
        orbel::test::RunUntilIdle();
    }
    void MoveTo(CPoint p, UINT modifiers = 0)
    {
        orbel::test::MouseMove(Window(), p, modifiers | MK_LBUTTON);
        orbel::test::RunUntilIdle();
    }
    void Release(CPoint p, UINT modifiers = 0)
    {
        orbel::test::MouseUp(Window(), orbel::test::Button::Left, p, modifiers);
        orbel::test::RunUntilIdle();
    }
    void RightClick(CPoint p, UINT modifiers = 0)
    {
        orbel::test::Click(Window(), orbel::test::Button::Right, p, modifiers);
        orbel::test::RunUntilIdle();
    }
    std::vector<std::string> Labels() { return viewtest::UndoLabels(*stage.Document().m_pUndoManager); }
    cSelection& Selection() { return stage.Document().m_Selection; }

    viewtest::ViewHarness stage;
    CMyOrbelView* view = nullptr;
    CMyOrbelView* other = nullptr;
    cObjekt3D* square = nullptr;
    orbel::modal::UnscriptedHandler previousHandler;
};

inline CPoint Offset(CPoint p, int dx, int dy) { return CPoint(p.x + dx, p.y + dy); }
