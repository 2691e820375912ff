// The tool bar as a user meets it: button states that follow the update
// handlers from the start, tool tips and status-bar prompts.
#include "FrameFixture.h"

#include "orbel/resources/Resource.h"

#include <testsupport/TestSupport.h>

namespace {

class ToolBarTest : public ::testing::Test {
protected:
    CToolBar* Bar() const { return dynamic_cast<CToolBar*>(program.Frame()->GetControlBar(AFX_IDW_TOOLBAR)); }
    UINT Style(UINT id) const { return Bar()->GetButtonStyle(Bar()->CommandToIndex(id)); }
    bool Checked(UINT id) const { return (Style(id) & TBBS_CHECKED) != 0; }
    bool Disabled(UINT id) const { return (Style(id) & TBBS_DISABLED) != 0; }
    POINT CentreOf(UINT id) const
    {
        CRect r;
        Bar()->GetItemRect(Bar()->CommandToIndex(id), &r);
        return {r.CenterPoint().x, r.CenterPoint().y};
    }
    std::string StatusText() const
    {
        auto* status = dynamic_cast<CStatusBar*>(program.Frame()->GetControlBar(AFX_IDW_STATUS_BAR));
        return std::string(status->GetPaneText(0));
    }

    ProgramHarness program;
};

TEST_F(ToolBarTest, ButtonsShowTheModesBeforeTheFirstInputAndStayEnabledAfterAClick)
{
    // Start-up as the program does it, without the idle time that follows.
    program.app = std::make_unique<TestOrbelApp>(program.folder.ProgramDirectory());
    ASSERT_TRUE(program.app->InitInstance());
    ASSERT_NE(Bar(), nullptr);
    EXPECT_TRUE(Checked(ID_SELECT_OBJECT));
    EXPECT_TRUE(Checked(ID_MASK_X_AXIS));
    EXPECT_TRUE(Checked(ID_MASK_Y_AXIS));
    EXPECT_FALSE(Checked(ID_MASK_Z_AXIS));
    EXPECT_FALSE(Checked(ID_VIEW_MOVE));
    for (UINT id : std::initializer_list<UINT>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_APP_ABOUT, ID_VIEW_ROTATE,
                                               ID_VIEW_MOVE, ID_VIEW_ZOOM, ID_SELECT_OBJECT, ID_SELECT_POLYGON,
                                               ID_SELECT_POINT, ID_ROTATE_OBJECT, ID_MOVE_OBJECT, ID_SCALE_OBJECT,
                                               ID_MASK_X_AXIS, ID_MASK_Y_AXIS, ID_MASK_Z_AXIS})
        EXPECT_FALSE(Disabled(id)) << id;
    EXPECT_EQ(StatusText(), "Ready");

    orbel::test::RunUntilIdle();
    orbel::test::Click(Bar()->GetSafeHwnd(), orbel::test::Button::Left, CentreOf(ID_VIEW_MOVE));
    orbel::test::RunUntilIdle();
    EXPECT_EQ(program.Frame()->GetViewMode(), 1);
    EXPECT_TRUE(Checked(ID_VIEW_MOVE));
    for (UINT id : {ID_VIEW_ROTATE, ID_SELECT_POLYGON, ID_MOVE_OBJECT, ID_MASK_Z_AXIS})
        EXPECT_FALSE(Disabled(id)) << id;
}

TEST_F(ToolBarTest, HoveringAButtonShowsItsToolTipAndPrompt)
{
    ASSERT_TRUE(program.Start());
    HWND bar = Bar()->GetSafeHwnd();
    orbel::test::MouseMove(bar, CentreOf(ID_MASK_X_AXIS));
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::ToolTipOf(bar), "Mask X Axis");
    EXPECT_EQ(StatusText(), "Mask X Axis");

    orbel::test::MouseMove(bar, CentreOf(ID_SELECT_POLYGON));
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::ToolTipOf(bar), " Select Polygon");
    EXPECT_EQ(StatusText(), "Select Polygon");

    ::PostMessage(bar, WM_MOUSELEAVE, 0, 0);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::ToolTipOf(bar), "");
    EXPECT_EQ(StatusText(), "Ready");
}

}  // namespace
