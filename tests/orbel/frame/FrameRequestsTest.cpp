// The frame serving plug-in requests, its notifications and the object
// panel's posted codes.
#include "FrameFixture.h"

#include "orbel/host/RequestServing.h"
#include "orbel/resources/Resource.h"

#include <algorithm>

namespace {

using Kind = PluginDouble::CallKind;

// Where in the double's record the first call of that kind and code is.
std::ptrdiff_t IndexOf(const PluginDouble& plugin, Kind kind, int code)
{
    const auto& calls = plugin.Calls();
    const auto found = std::find_if(calls.begin(), calls.end(), [&](const PluginDouble::Call& call) {
        return call.kind == kind && call.code == code;
    });
    return found == calls.end() ? -1 : found - calls.begin();
}

using FrameRequestsTest = FrameTest;

TEST_F(FrameRequestsTest, NewObjectIsSelectedAloneWithTheNextIdBeforeTheRefresh)
{
    cObjekt3D* old = AddStrip(2);
    Select({old});
    PluginDouble* tool = AddTool(PLUGIN_CREATE, "Sphere");
    Activate(0);
    tool->SetUndoLabel("Create Sphere");
    tool->Accept(PE_LBUTTONDOWN, {{PR_UNDO_POINT, PR_POINT, PR_NEW_OBJECT}});
    tool->Accept(PE_REFRESH);
    // The plug-in names its object while it is handed over.
    tool->onSetParam = [](int code, void* value) {
        if (code == PR_NEW_OBJECT)
            static_cast<cObjekt3D*>(value)->m_Name = "Ball";
    };
    tool->ClearCalls();

    std::vector<int> ownCodes;
    EXPECT_TRUE(frame->ServePlugin(tool, PE_LBUTTONDOWN, [&](int code) {
        ownCodes.push_back(code);
        return code == PR_POINT;
    }));

    EXPECT_EQ(ownCodes, (std::vector<int>{PR_UNDO_POINT, PR_POINT, PR_NEW_OBJECT}));
    EXPECT_EQ(ObjectIds(), (std::vector<int>{1, 0}));
    EXPECT_EQ(SelectedIds(), std::vector<int>{1});
    EXPECT_EQ(tool->SetParamCodes(), std::vector<int>{PR_NEW_OBJECT});
    EXPECT_EQ(tool->LastSetParam(PR_NEW_OBJECT)->value, document->m_Objects.GetHead());
    const auto handed = IndexOf(*tool, Kind::SetParam, PR_NEW_OBJECT);
    const auto refreshed = IndexOf(*tool, Kind::OnEvent, PE_REFRESH);
    ASSERT_GE(handed, 0);
    EXPECT_GT(refreshed, handed);
    EXPECT_EQ(std::string(document->m_pUndoManager->GetUndoText()), "&Undo Create Sphere \tCtrl+Z");
    EXPECT_EQ(std::string(frame->GetObjectPanel().GetObjectName()), "Ball");
}

TEST_F(FrameRequestsTest, MaterialsSelectionAndDeviceAreHandedOver)
{
    document->m_Materials.Add(new cMaterial);
    document->m_Materials.Add(new cMaterial);
    PluginDouble* tool = AddTool(PLUGIN_IMPORT);
    tool->Accept(PE_EXECUTE, {{PR_NEW_MATERIAL, PR_MATERIAL_INDEX, PR_MATERIALS, PR_SELECTION, PR_DEVICE, PR_EXECUTE}});

    EXPECT_TRUE(frame->ServePlugin(tool, PE_EXECUTE));

    ASSERT_EQ(document->m_Materials.GetSize(), 3);
    EXPECT_EQ(tool->LastSetParam(PR_NEW_MATERIAL)->value, document->m_Materials[2]);
    EXPECT_EQ(tool->LastSetParam(PR_MATERIAL_INDEX)->number, 2);
    EXPECT_EQ(tool->LastSetParam(PR_MATERIALS)->value, &document->m_Materials);
    EXPECT_EQ(tool->LastSetParam(PR_SELECTION)->value, &document->m_Selection);
    EXPECT_EQ(tool->LastSetParam(PR_DEVICE)->value, frame->GetDevice());
    EXPECT_NE(frame->GetDevice(), nullptr);
    ASSERT_TRUE(tool->LastSetParam(PR_EXECUTE));
    EXPECT_EQ(tool->LastSetParam(PR_EXECUTE)->value, nullptr);
}

TEST_F(FrameRequestsTest, SelectionModeRequestsKeepTheSelectionAndClearingEmptiesIt)
{
    cObjekt3D* strip = AddStrip(2);
    Select({strip});
    PluginDouble* tool = AddTool(PLUGIN_MODIFY);

    tool->Accept(PE_EXECUTE, {{PR_SELECT_FACES}, {PR_SELECT_VERTICES}, {PR_SELECT_OBJECTS}, {PR_CLEAR_SELECTION}});
    frame->ServePlugin(tool, PE_EXECUTE);
    EXPECT_EQ(frame->GetSelectionMode(), 1);
    EXPECT_EQ(SelectedIds(), std::vector<int>{strip->m_Id});
    frame->ServePlugin(tool, PE_EXECUTE);
    EXPECT_EQ(frame->GetSelectionMode(), 2);
    frame->ServePlugin(tool, PE_EXECUTE);
    EXPECT_EQ(frame->GetSelectionMode(), 0);
    EXPECT_EQ(SelectedIds(), std::vector<int>{strip->m_Id});
    frame->ServePlugin(tool, PE_EXECUTE);
    EXPECT_TRUE(SelectedIds().empty());
}

TEST_F(FrameRequestsTest, UndoPointWithoutTextRecordsAnEmptyLabel)
{
    PluginDouble* tool = AddTool(PLUGIN_MODIFY);
    tool->Accept(PE_EXECUTE, {{PR_UNDO_POINT}});
    frame->ServePlugin(tool, PE_EXECUTE);
    ASSERT_TRUE(document->m_pUndoManager->CanUndo());
    EXPECT_EQ(std::string(document->m_pUndoManager->GetUndoText()), "&Undo  \tCtrl+Z");
}

TEST_F(FrameRequestsTest, CodesOfOtherStartersAndUnknownCodesAreIgnored)
{
    cObjekt3D* strip = AddStrip(1);
    Select({strip});
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    tool->Accept(PE_ACTIVATE, {{PR_POINT, PR_CAPTURE_MOUSE, PR_PICK_POINT, PR_FILE_PATH, PR_FILE_TITLE,
                                PR_PANEL_ACTION, 0, 120, -1}});
    ::ReleaseCapture();
    Activate(0);
    EXPECT_EQ(tool->Count(Kind::SetParam), 0);
    EXPECT_EQ(SelectedIds(), std::vector<int>{strip->m_Id});
    EXPECT_EQ(ObjectIds(), std::vector<int>{strip->m_Id});
    EXPECT_EQ(CWnd::GetCapture(), nullptr) << "PR_CAPTURE_MOUSE is a view's code";
}

TEST_F(FrameRequestsTest, ANewObjectForEveryRefreshStopsAtTheServingCap)
{
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    Activate(0);
    tool->Accept(PE_REFRESH, std::vector<std::vector<int>>(200, std::vector<int>{PR_NEW_OBJECT}));
    tool->ClearCalls();

    frame->NotifySelectionChanged();

    EXPECT_EQ(tool->Count(Kind::OnEvent), kMaxServingNesting);
    EXPECT_EQ(ObjectIds().size(), static_cast<std::size_t>(kMaxServingNesting));
    EXPECT_EQ(SelectedIds(), std::vector<int>{document->m_Objects.GetHead()->m_Id});
    EXPECT_EQ(ServingNestingDepth(), 0);
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);

    // Serving works as before afterwards.
    tool->Accept(PE_REFRESH, {{PR_SELECTION}});
    frame->NotifySelectionChanged();
    EXPECT_EQ(tool->LastSetParam(PR_SELECTION)->value, &document->m_Selection);
}

TEST_F(FrameRequestsTest, EndlessRepeatThroughTheFrameStopsAtTheCap)
{
    PluginDouble* tool = AddTool(PLUGIN_MODIFY);
    tool->Accept(PE_EXECUTE, std::vector<std::vector<int>>(200, std::vector<int>{PR_DEVICE, PR_REPEAT}));
    frame->ServePlugin(tool, PE_EXECUTE);
    EXPECT_EQ(tool->LastSetParam(PR_REPEAT).has_value(), true);
    int repeats = 0;
    for (int code : tool->SetParamCodes())
        repeats += code == PR_REPEAT;
    EXPECT_EQ(repeats, kMaxRepeatNesting);
    EXPECT_EQ(RepeatNestingDepth(), 0);
}

TEST_F(FrameRequestsTest, SelectionChangeShowsNameAndColourAndRefreshesTheTool)
{
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    Activate(0);
    tool->Accept(PE_REFRESH, {{PR_SELECTION}});
    cDialogy1& panel = frame->GetObjectPanel();
    CWnd* nameEdit = panel.GetDlgItem(IDC_OBJECT_NAME);
    ASSERT_NE(nameEdit, nullptr);

    cObjekt3D* red = AddStrip(1, "Red");
    red->m_Colour[0] = 200.0f;
    red->m_Colour[1] = 10.0f;
    red->m_Colour[2] = 20.0f;
    cObjekt3D* other = AddStrip(1, "Other");

    Select({red});
    frame->NotifySelectionChanged();
    EXPECT_EQ(std::string(panel.GetObjectName()), "Red");
    EXPECT_TRUE(nameEdit->IsWindowEnabled());
    EXPECT_EQ(panel.m_Red, 200.0f);
    EXPECT_EQ(panel.m_Green, 10.0f);
    EXPECT_EQ(panel.m_Blue, 20.0f);
    EXPECT_EQ(tool->Events().back(), PE_REFRESH);
    EXPECT_EQ(tool->LastSetParam(PR_SELECTION)->value, &document->m_Selection);

    Select({red, other});
    frame->NotifySelectionChanged();
    EXPECT_EQ(std::string(panel.GetObjectName()), "Multiple Selection");
    EXPECT_FALSE(nameEdit->IsWindowEnabled());
    // The head of the selection, the one selected last, gives the colour.
    EXPECT_EQ(panel.m_Red, 0.0f);
    EXPECT_EQ(panel.m_Blue, 150.0f);

    Select({});
    frame->NotifySelectionChanged();
    EXPECT_EQ(std::string(panel.GetObjectName()), "None Selected");
    EXPECT_FALSE(nameEdit->IsWindowEnabled());
    EXPECT_EQ(panel.m_Red, 150.0f);
    EXPECT_EQ(panel.m_Green, 150.0f);
    EXPECT_EQ(panel.m_Blue, 150.0f);
    EXPECT_EQ(panel.m_Alpha, 1.0f);
    EXPECT_TRUE(document->IsModified());
}

TEST_F(FrameRequestsTest, ActivatingAToolHidesThePreviousOneAndIgnoresIndicesOutsideTheList)
{
    PluginDouble* first = AddTool(PLUGIN_CREATE, "First");
    PluginDouble* second = AddTool(PLUGIN_CREATE, "Second");
    second->Accept(PE_ACTIVATE, {{PR_DEVICE}});

    Activate(0);
    EXPECT_EQ(frame->GetCurrentPlugin(), first);
    Activate(1);
    EXPECT_EQ(frame->GetCurrentPlugin(), second);
    EXPECT_EQ(first->Count(Kind::HidePanel), 1);
    ASSERT_EQ(second->Count(Kind::ShowPanel), 1);
    CWnd* toolArea = frame->GetToolsPanel().GetDlgItem(IDC_PLUGIN_AREA);
    EXPECT_EQ(second->CallsOf(Kind::ShowPanel)[0].value, toolArea);
    EXPECT_FALSE(toolArea->IsWindowEnabled());
    EXPECT_EQ(second->Events(), std::vector<int>{PE_ACTIVATE});
    EXPECT_EQ(second->LastSetParam(PR_DEVICE)->value, frame->GetDevice());

    second->ClearCalls();
    Activate(2);
    Activate(-1);
    EXPECT_EQ(frame->GetCurrentPlugin(), second);
    EXPECT_TRUE(second->Calls().empty());

    // The tool already current is shown again.
    Activate(1);
    EXPECT_EQ(second->Count(Kind::HidePanel), 1);
    EXPECT_EQ(second->Count(Kind::ShowPanel), 1);
    EXPECT_EQ(frame->SendMessage(WM_USER, 0, 0), 1);
    EXPECT_EQ(frame->SendMessage(WM_USER, 104, 0), 1);
}

TEST_F(FrameRequestsTest, RenameGivesTheLastSelectedObjectThePanelTextAndMarksTheSceneModified)
{
    cObjekt3D* first = AddStrip(1, "First");
    cObjekt3D* second = AddStrip(1, "Second");
    document->SetModifiedFlag(FALSE);
    Select({first, second});
    frame->GetObjectPanel().GetDlgItem(IDC_OBJECT_NAME)->SetWindowText("Renamed");
    frame->SendMessage(WM_USER, FM_RENAME, 0);
    EXPECT_EQ(std::string(second->m_Name), "Renamed");
    EXPECT_EQ(std::string(first->m_Name), "First");
    EXPECT_TRUE(document->IsModified());
    EXPECT_FALSE(document->m_pUndoManager->CanUndo());

    document->SetModifiedFlag(FALSE);
    Select({});
    frame->SendMessage(WM_USER, FM_RENAME, 0);
    EXPECT_FALSE(document->IsModified());
}

TEST_F(FrameRequestsTest, ColourGoesToEverySelectedObjectAndBackIntoThePanel)
{
    cObjekt3D* first = AddStrip(1);
    cObjekt3D* second = AddStrip(1);
    Select({first, second});
    cDialogy1& panel = frame->GetObjectPanel();
    panel.m_Red = 1.0f;
    panel.m_Green = 2.0f;
    panel.m_Blue = 3.0f;
    frame->SendMessage(WM_USER, FM_SET_COLOUR, 0);
    for (cObjekt3D* object : {first, second}) {
        EXPECT_EQ(object->m_Colour[0], 1.0f);
        EXPECT_EQ(object->m_Colour[2], 3.0f);
    }
    EXPECT_FALSE(document->m_pUndoManager->CanUndo());

    Select({});
    panel.m_Red = 9.0f;
    frame->SendMessage(WM_USER, FM_SET_COLOUR, 0);
    EXPECT_EQ(panel.m_Red, 150.0f);
    EXPECT_EQ(first->m_Colour[0], 1.0f);
}

TEST_F(FrameRequestsTest, NewSceneDropsAToolThatHoldsAnObjectOfTheOldOne)
{
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    tool->Accept(PE_LBUTTONDOWN, {{PR_NEW_OBJECT}});
    Activate(0);
    ASSERT_EQ(frame->GetCurrentPlugin(), tool);

    // Without an object handed over the tool survives a new scene.
    orbel::test::ScriptSavePrompt(IDNO);
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);

    frame->ServePlugin(tool, PE_LBUTTONDOWN);
    ASSERT_EQ(ObjectIds().size(), 1u);
    orbel::test::ScriptSavePrompt(IDNO);
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_TRUE(ObjectIds().empty());
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);
    EXPECT_EQ(tool->Count(Kind::HidePanel), 1);
}

}  // namespace
