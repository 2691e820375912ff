// The object panel inside the running program: what it shows, and what its
// edit, tools list and colour button post to the frame.
#include "FrameFixture.h"

#include "orbel/resources/Resource.h"

#include <testsupport/ControlInput.h>
#include <testsupport/TestSupport.h>

namespace {

class ObjectPanelTest : public FrameTest {
protected:
    cDialogy1& Panel() { return frame->GetObjectPanel(); }
    HWND Item(int id) { return Panel().GetDlgItem(id)->GetSafeHwnd(); }
    bool NameEnabled() { return Panel().GetDlgItem(IDC_OBJECT_NAME)->IsWindowEnabled() != FALSE; }
    // Enter in the panel, then whatever it posted.
    void PressEnter()
    {
        Panel().SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        orbel::test::RunUntilIdle();
    }
    void ChooseTab(int tab)
    {
        orbel::test::ChooseTab(frame->GetToolsPanel().GetDlgItem(IDC_TOOL_TABS)->GetSafeHwnd(), tab);
        orbel::test::RunUntilIdle();
    }
    static std::string ColourDialogStart() { return LastAppearance(orbel::modal::kColorDialog); }
};

TEST_F(ObjectPanelTest, EnterRenamesOnlyWhileTheNameEditIsEnabled)
{
    cObjekt3D* object = AddStrip(1, "Box");
    EXPECT_FALSE(NameEnabled());
    PressEnter();  // "None Selected": nothing posted, nothing renamed

    Select({object});
    frame->NotifySelectionChanged();
    EXPECT_TRUE(NameEnabled());
    document->SetModifiedFlag(FALSE);
    orbel::test::TypeIntoEdit(Item(IDC_OBJECT_NAME), "Crate");
    EXPECT_EQ(std::string(object->m_Name), "Box");  // typing alone renames nothing
    PressEnter();
    EXPECT_EQ(std::string(object->m_Name), "Crate");
    EXPECT_TRUE(document->IsModified());

    // Unchanged text is posted as well.
    document->SetModifiedFlag(FALSE);
    PressEnter();
    EXPECT_EQ(std::string(object->m_Name), "Crate");
    EXPECT_TRUE(document->IsModified());

    // Esc leaves the panel where it is.
    Panel().SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(::IsWindow(Panel().GetSafeHwnd()));
    EXPECT_TRUE(Panel().IsWindowVisible());
}

TEST_F(ObjectPanelTest, AnObjectNamedLikeAPlaceholderCannotBeRenamedFromThePanel)
{
    for (const char* name : {"Multiple Selection", "None Selected"}) {
        cObjekt3D* object = AddStrip(1, name);
        Select({object});
        frame->NotifySelectionChanged();
        EXPECT_EQ(std::string(Panel().GetObjectName()), name);
        EXPECT_FALSE(NameEnabled());
        Panel().GetDlgItem(IDC_OBJECT_NAME)->SetWindowText("Other");
        PressEnter();
        EXPECT_EQ(std::string(object->m_Name), name);
    }
    // A longer name is not a placeholder.
    cObjekt3D* object = AddStrip(1, "Multiple Selections");
    Select({object});
    frame->NotifySelectionChanged();
    EXPECT_TRUE(NameEnabled());
}

TEST_F(ObjectPanelTest, ToolsListLineKActivatesToolK)
{
    PluginDouble* first = AddTool(PLUGIN_CREATE, "First");
    PluginDouble* second = AddTool(PLUGIN_CREATE, "Second");
    // The list is made afresh with the tab's tools.
    ChooseTab(1);
    ChooseTab(0);
    auto* list = static_cast<CComboBox*>(Panel().GetDlgItem(IDC_TOOL_LIST));
    ASSERT_EQ(list->GetCount(), 2);
    CString text;
    list->GetLBText(1, text);
    EXPECT_EQ(std::string(text), "Second");

    orbel::test::ChooseComboLine(list->GetSafeHwnd(), 1);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetCurrentPlugin(), second);
    orbel::test::ChooseComboLine(list->GetSafeHwnd(), 0);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetCurrentPlugin(), first);
}

TEST_F(ObjectPanelTest, ThePanelFollowsDeleteJoinAndTheEndOfATool)
{
    cObjekt3D* red = AddStrip(1, "Red");
    red->m_Colour[0] = 200.0f;
    Select({red});
    frame->NotifySelectionChanged();
    ASSERT_EQ(std::string(Panel().GetObjectName()), "Red");
    frame->SendMessage(WM_COMMAND, ID_DELETE_SELECTION);
    EXPECT_EQ(std::string(Panel().GetObjectName()), "None Selected");
    EXPECT_FALSE(NameEnabled());
    EXPECT_EQ(Panel().m_Red, 150.0f);

    cObjekt3D* first = AddStrip(1, "First");
    cObjekt3D* second = AddStrip(1, "Second");
    Select({first, second});
    frame->NotifySelectionChanged();
    ASSERT_EQ(std::string(Panel().GetObjectName()), "Multiple Selection");
    frame->SendMessage(WM_COMMAND, ID_JOIN_OBJECTS);
    ASSERT_EQ(ObjectIds().size(), 1u);
    EXPECT_EQ(std::string(Panel().GetObjectName()), std::string(document->m_Selection.GetName()));
    EXPECT_NE(std::string(Panel().GetObjectName()), "Multiple Selection");

    // A right click the tool refuses ends it, and the tools list names none.
    PluginDouble* tool = AddTool(PLUGIN_CREATE, "Sphere");
    ChooseTab(1);
    ChooseTab(0);
    auto* list = static_cast<CComboBox*>(Panel().GetDlgItem(IDC_TOOL_LIST));
    orbel::test::ChooseComboLine(list->GetSafeHwnd(), 0);
    orbel::test::RunUntilIdle();
    ASSERT_EQ(frame->GetCurrentPlugin(), tool);
    ASSERT_EQ(list->GetCurSel(), 0);
    HWND view = frame->GetPaneView(0, 0)->GetSafeHwnd();
    orbel::test::MouseDown(view, orbel::test::Button::Right, {20, 20});
    orbel::test::MouseUp(view, orbel::test::Button::Right, {20, 20});
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);
    EXPECT_EQ(tool->Count(PluginDouble::CallKind::HidePanel), 1);
    EXPECT_EQ(list->GetCurSel(), -1);

    // Choosing it again starts it again.
    orbel::test::ChooseComboLine(list->GetSafeHwnd(), 0);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);
    EXPECT_EQ(list->GetCurSel(), 0);
}

TEST_F(ObjectPanelTest, ColourButtonColoursTheSelectionThroughTheColourDialog)
{
    cObjekt3D* first = AddStrip(1);
    cObjekt3D* second = AddStrip(1);
    Select({first, second});
    frame->NotifySelectionChanged();

    orbel::test::ScriptColorDialog(RGB(10, 20, 30));
    orbel::test::ClickButton(Item(IDC_COLOUR_SWATCH));
    orbel::test::RunUntilIdle();
    EXPECT_EQ(ColourDialogStart(), "RGB(0, 0, 150)");
    for (cObjekt3D* object : {first, second}) {
        EXPECT_EQ(object->m_Colour[0], 10.0f);
        EXPECT_EQ(object->m_Colour[1], 20.0f);
        EXPECT_EQ(object->m_Colour[2], 30.0f);
    }
    EXPECT_EQ(Panel().m_Blue, 30.0f);

    // Cancel changes nothing.
    orbel::test::ScriptColorDialogCancel();
    orbel::test::ClickButton(Item(IDC_COLOUR_SWATCH));
    orbel::test::RunUntilIdle();
    EXPECT_EQ(first->m_Colour[0], 10.0f);

    // With nothing selected no object changes and grey comes back.
    Select({});
    orbel::test::ScriptColorDialog(RGB(1, 2, 3));
    orbel::test::ClickButton(Item(IDC_COLOUR_SWATCH));
    orbel::test::RunUntilIdle();
    EXPECT_EQ(first->m_Colour[0], 10.0f);
    EXPECT_EQ(Panel().m_Red, 150.0f);
}

TEST_F(ObjectPanelTest, SwatchShowsTheLowEightBitsOfEachChannel)
{
    cDialogy1& panel = Panel();
    panel.m_Red = 256.0f;
    panel.m_Green = 300.9f;
    panel.m_Blue = 255.0f;
    EXPECT_EQ(panel.SwatchColour(), RGB(0, 44, 255));
    panel.m_Red = -1.0f;
    panel.m_Green = 1e30f;
    panel.m_Blue = 0.99f;
    EXPECT_EQ(panel.SwatchColour(), RGB(255, 0, 0));

    panel.m_Red = 256.0f;
    panel.m_Green = 20.0f;
    panel.m_Blue = 200.0f;
    panel.DrawColourSwatch();
    const orbel::test::Image image = orbel::test::ReadWindowImage(Item(IDC_COLOUR_SWATCH));
    ASSERT_GT(image.width, 4);
    EXPECT_EQ(image.At(image.width / 2, image.height / 2), RGB(0, 20, 200));
    EXPECT_EQ(image.At(0, 0), RGB(0, 0, 0));  // the outline

    orbel::test::ScriptColorDialogCancel();
    orbel::test::ClickButton(Item(IDC_COLOUR_SWATCH));
    EXPECT_EQ(ColourDialogStart(), "RGB(0, 20, 200)");
}

TEST_F(ObjectPanelTest, ANewPanelWindowKeepsTheColourAndShowsTheSelectionName)
{
    cObjekt3D* object = AddStrip(1, "Kept");
    Select({object});
    Panel().m_Red = 12.0f;
    ChooseTab(2);
    EXPECT_FALSE(::IsWindow(Panel().GetSafeHwnd()));
    ChooseTab(1);
    ASSERT_TRUE(::IsWindow(Panel().GetSafeHwnd()));
    EXPECT_EQ(Panel().m_Red, 12.0f);
    EXPECT_EQ(std::string(Panel().GetObjectName()), "Kept");
    EXPECT_TRUE(NameEnabled());
}

TEST_F(ObjectPanelTest, ThePanelNamesItsClassAsADialog)
{
    EXPECT_STREQ(Panel().GetRuntimeClass()->m_lpszClassName, "cDialogy1");
    EXPECT_TRUE(Panel().IsKindOf(RUNTIME_CLASS(CDialog)));
}

}  // namespace
