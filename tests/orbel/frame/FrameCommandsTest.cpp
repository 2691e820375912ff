// The frame's commands as the menu, the tool bar and the keys send them,
// and the update handlers that enable, check and name them.
#include "FrameFixture.h"

#include "orbel/frame/FrameModes.h"
#include "orbel/resources/Resource.h"

namespace {

using Kind = PluginDouble::CallKind;

// What an update handler set.
class RecordingCmdUI : public CCmdUI {
public:
    explicit RecordingCmdUI(UINT id) { m_nID = id; }
    void Enable(BOOL on) override
    {
        enabled = on != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check) override { checked = check; }
    void SetText(LPCTSTR text) override { this->text = text; }

    bool enabled = true;
    int checked = -1;
    std::string text;
};

class FrameCommandsTest : public FrameTest {
protected:
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    RecordingCmdUI Update(UINT id)
    {
        RecordingCmdUI ui(id);
        frame->OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &ui, nullptr);
        return ui;
    }
    int Checked(UINT id) { return Update(id).checked; }

    std::vector<int> Masks() const
    {
        const float* masks = frame->GetAxisMasks();
        return {static_cast<int>(masks[0]), static_cast<int>(masks[1]), static_cast<int>(masks[2])};
    }
};

TEST_F(FrameCommandsTest, ModeButtonsToggleEndEachOtherAndDropTheTool)
{
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    Activate(0);

    Command(ID_VIEW_MOVE);
    EXPECT_EQ(frame->GetViewMode(), ViewModeMove);
    EXPECT_EQ(Checked(ID_VIEW_MOVE), 1);
    EXPECT_EQ(Checked(ID_VIEW_ROTATE), 0);
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);
    EXPECT_EQ(tool->Count(Kind::HidePanel), 1);
    Command(ID_VIEW_MOVE);
    EXPECT_EQ(frame->GetViewMode(), ViewModeNone);

    Command(ID_VIEW_ZOOM);
    Command(ID_ROTATE_OBJECT);
    EXPECT_EQ(frame->GetViewMode(), ViewModeNone);
    EXPECT_EQ(frame->GetTransformMode(), TransformRotate);
    EXPECT_EQ(Checked(ID_ROTATE_OBJECT), 1);
    EXPECT_EQ(Checked(ID_VIEW_ZOOM), 0);
    Command(ID_VIEW_ROTATE);
    EXPECT_EQ(frame->GetViewMode(), ViewModeRotate);
    EXPECT_EQ(frame->GetTransformMode(), TransformSelect);
    Command(ID_SCALE_OBJECT);
    Command(ID_MOVE_OBJECT);
    EXPECT_EQ(frame->GetTransformMode(), TransformMove);
    EXPECT_EQ(Checked(ID_MOVE_OBJECT), 1);
    EXPECT_EQ(Checked(ID_SCALE_OBJECT), 0);

    // Choosing a tool ends both modes.
    Activate(0);
    EXPECT_EQ(frame->GetTransformMode(), TransformSelect);
    EXPECT_EQ(frame->GetViewMode(), ViewModeNone);
}

TEST_F(FrameCommandsTest, AtMostTwoAxesAreActive)
{
    EXPECT_EQ(Masks(), (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(Checked(ID_MASK_Z_AXIS), 0);
    // Z cannot join two active axes.
    Command(ID_MASK_Z_AXIS);
    EXPECT_EQ(Masks(), (std::vector<int>{1, 1, 0}));
    Command(ID_MASK_X_AXIS);
    EXPECT_EQ(Masks(), (std::vector<int>{0, 1, 0}));
    Command(ID_MASK_Z_AXIS);
    EXPECT_EQ(Masks(), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(Checked(ID_MASK_Z_AXIS), 1);
    EXPECT_EQ(Checked(ID_MASK_X_AXIS), 0);
    // X comes back only once Y or Z is masked.
    Command(ID_MASK_X_AXIS);
    EXPECT_EQ(Masks(), (std::vector<int>{0, 1, 1}));
    Command(ID_MASK_Y_AXIS);
    Command(ID_MASK_X_AXIS);
    EXPECT_EQ(Masks(), (std::vector<int>{1, 0, 1}));
    // All three masked is reachable.
    Command(ID_MASK_X_AXIS);
    Command(ID_MASK_Z_AXIS);
    EXPECT_EQ(Masks(), (std::vector<int>{0, 0, 0}));

    Command(ID_PIVOT_MODE);
    EXPECT_EQ(frame->GetPivot(), 1);
    EXPECT_EQ(Checked(ID_PIVOT_MODE), 1);
    Command(ID_PIVOT_MODE);
    EXPECT_EQ(frame->GetPivot(), 0);
}

TEST_F(FrameCommandsTest, SelectionModesClearTheSelectionEvenWhenAlreadyChosen)
{
    cObjekt3D* strip = AddStrip(2);
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    Activate(0);
    struct Case {
        UINT command;
        int mode;
    };
    for (const Case& c : {Case{ID_SELECT_POLYGON, SelectFaces}, Case{ID_SELECT_POLYGON, SelectFaces},
                          Case{ID_SELECT_LINE, SelectLines}, Case{ID_SELECT_POINT, SelectVertices},
                          Case{ID_SELECT_OBJECT, SelectObjects}}) {
        Select({strip});
        Command(c.command);
        EXPECT_EQ(frame->GetSelectionMode(), c.mode);
        EXPECT_TRUE(SelectedIds().empty());
        EXPECT_EQ(Checked(c.command), 1);
    }
    EXPECT_EQ(Checked(ID_SELECT_POLYGON), 0);
    // No undo step, and the tool is neither dropped nor refreshed.
    EXPECT_FALSE(document->m_pUndoManager->CanUndo());
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);
    EXPECT_EQ(tool->Events(), std::vector<int>{PE_ACTIVATE});
}

TEST_F(FrameCommandsTest, SelectAllSelectsByModeAsOneUndoStep)
{
    cObjekt3D* older = AddStrip(2);
    cObjekt3D* newer = AddStrip(3);
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    Activate(0);

    Command(ID_SELECT_ALL);
    // Walking the list from its head puts the oldest object at the selection's head.
    EXPECT_EQ(SelectedIds(), (std::vector<int>{older->m_Id, newer->m_Id}));
    EXPECT_EQ(std::string(document->m_pUndoManager->GetUndoText()), "&Undo Select All \tCtrl+Z");
    EXPECT_EQ(tool->Events().back(), PE_REFRESH);
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);

    Command(ID_SELECT_POLYGON);
    Command(ID_SELECT_ALL);
    EXPECT_EQ(document->m_Selection.m_Faces.GetCount(), 5);
    EXPECT_EQ(document->m_Selection.m_Faces.GetHead()->object, older);
    EXPECT_EQ(document->m_Selection.m_Faces.GetHead()->index, 1);

    Command(ID_SELECT_POINT);
    Command(ID_SELECT_ALL);
    EXPECT_EQ(document->m_Selection.m_Vertices.GetCount(), 4 + 5);
    EXPECT_TRUE(document->m_Selection.m_Faces.IsEmpty());

    Command(ID_SELECT_LINE);
    document->m_pUndoManager->Undo();
    document->m_pUndoManager->Redo();
    Command(ID_SELECT_ALL);
    EXPECT_TRUE(document->m_Selection.m_Objects.IsEmpty());
    EXPECT_TRUE(document->m_Selection.m_Vertices.IsEmpty());
    EXPECT_EQ(std::string(document->m_pUndoManager->GetUndoText()), "&Undo Select All \tCtrl+Z");
    EXPECT_FALSE(document->m_pUndoManager->CanRedo());
}

TEST_F(FrameCommandsTest, UndoAndRedoFollowTheHistory)
{
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    Activate(0);

    // An empty history: both grey, plain texts, and Undo keeps the tool
    // whether it comes through the menu or is called directly.
    RecordingCmdUI undo = Update(ID_EDIT_UNDO);
    EXPECT_FALSE(undo.enabled);
    EXPECT_EQ(undo.text, "&Undo\tCtrl+Z");
    RecordingCmdUI redo = Update(ID_EDIT_REDO);
    EXPECT_FALSE(redo.enabled);
    EXPECT_EQ(redo.text, "&Redo\tCtrl+Y");
    Command(ID_EDIT_UNDO);
    frame->OnEditUndo();
    frame->OnEditRedo();
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);
    EXPECT_EQ(tool->Count(Kind::HidePanel), 0);

    cObjekt3D* strip = AddStrip(1);
    Select({strip});
    Command(ID_DELETE_SELECTION);
    EXPECT_TRUE(ObjectIds().empty());
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);
    undo = Update(ID_EDIT_UNDO);
    EXPECT_TRUE(undo.enabled);
    EXPECT_EQ(undo.text, "&Undo Delete \tCtrl+Z");

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(ObjectIds(), std::vector<int>{0});
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);
    EXPECT_EQ(tool->Count(Kind::HidePanel), 1);
    redo = Update(ID_EDIT_REDO);
    EXPECT_TRUE(redo.enabled);
    EXPECT_EQ(redo.text, "&Redo Delete \tCtrl+Y");
    EXPECT_FALSE(Update(ID_EDIT_UNDO).enabled);

    // Redo keeps whatever tool is current.
    Activate(0);
    Command(ID_EDIT_REDO);
    EXPECT_TRUE(ObjectIds().empty());
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);
}

TEST_F(FrameCommandsTest, EditCommandsAreEnabledByTheSelectedObjects)
{
    cObjekt3D* first = AddStrip(2);
    cObjekt3D* second = AddStrip(2);
    EXPECT_FALSE(Update(ID_DELETE_SELECTION).enabled);
    EXPECT_FALSE(Update(ID_CLONE_OBJECT).enabled);
    EXPECT_FALSE(Update(ID_JOIN_OBJECTS).enabled);

    // Faces alone enable Delete; Join wants two objects, whatever else.
    document->m_Selection.AddFace(new SelectedElement{first, 0}, TRUE);
    EXPECT_TRUE(Update(ID_DELETE_SELECTION).enabled);
    EXPECT_FALSE(Update(ID_CLONE_OBJECT).enabled);
    document->m_Selection.AddObject(first, TRUE);
    EXPECT_TRUE(Update(ID_CLONE_OBJECT).enabled);
    EXPECT_FALSE(Update(ID_JOIN_OBJECTS).enabled);
    document->m_Selection.AddObject(second, TRUE);
    EXPECT_TRUE(Update(ID_JOIN_OBJECTS).enabled);
    EXPECT_TRUE(Update(ID_SELECT_ALL).enabled);

    // A command its update handler disables does not run: no undo step.
    Select({first});
    Command(ID_JOIN_OBJECTS);
    EXPECT_FALSE(document->m_pUndoManager->CanUndo());
}

TEST_F(FrameCommandsTest, CloneAndJoinChangeTheSceneAndMarkItModified)
{
    cObjekt3D* first = AddStrip(2);
    cObjekt3D* second = AddStrip(2);
    Select({first, second});
    document->SetModifiedFlag(FALSE);
    Command(ID_CLONE_OBJECT);
    EXPECT_EQ(ObjectIds().size(), 4u);
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(std::string(document->m_pUndoManager->GetUndoText()), "&Undo Clone Object \tCtrl+Z");

    // Clone copies whole objects only.
    document->SetModifiedFlag(FALSE);
    Command(ID_SELECT_POLYGON);
    document->SetModifiedFlag(FALSE);
    Select({first});
    Command(ID_CLONE_OBJECT);
    EXPECT_EQ(ObjectIds().size(), 4u);
    EXPECT_FALSE(document->IsModified());

    Command(ID_SELECT_OBJECT);
    Select({first, second});
    Command(ID_JOIN_OBJECTS);
    EXPECT_EQ(ObjectIds().size(), 3u);
    EXPECT_EQ(second->GetFaceCount(), 4);
    EXPECT_TRUE(SelectedIds().empty());
}

TEST_F(FrameCommandsTest, DeleteOrJoinOfTheObjectATookHoldsDropsTheTool)
{
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    tool->Accept(PE_LBUTTONDOWN, {{PR_NEW_OBJECT}, {PR_NEW_OBJECT}, {PR_NEW_OBJECT}});
    Activate(0);
    cObjekt3D* other = AddStrip(1);

    // Deleting another object keeps the tool.
    frame->ServePlugin(tool, PE_LBUTTONDOWN);
    Select({other});
    Command(ID_DELETE_SELECTION);
    EXPECT_EQ(frame->GetCurrentPlugin(), tool);
    // Deleting its object drops it.
    Command(ID_SELECT_ALL);
    Command(ID_DELETE_SELECTION);
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);
    EXPECT_EQ(tool->Count(Kind::HidePanel), 1);

    // In face mode the object goes once its last face does.
    Activate(0);
    frame->ServePlugin(tool, PE_LBUTTONDOWN);
    cObjekt3D* held = document->m_Objects.GetHead();
    held->AddVertex(MeshVertex{});
    held->AddVertex(MeshVertex{});
    held->AddVertex(MeshVertex{});
    held->AddIndex(0);
    held->AddIndex(1);
    held->AddIndex(2);
    Command(ID_SELECT_POLYGON);
    document->m_Selection.AddFace(new SelectedElement{held, 0}, TRUE);
    Command(ID_DELETE_SELECTION);
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);

    // Joined as the merged object, or as the base, it drops the tool too.
    Command(ID_SELECT_OBJECT);
    Activate(0);
    frame->ServePlugin(tool, PE_LBUTTONDOWN);
    cObjekt3D* base = AddStrip(1);
    Select({document->m_Objects.GetAt(document->m_Objects.FindIndex(1)), base});
    Command(ID_JOIN_OBJECTS);
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);
    EXPECT_EQ(tool->Count(Kind::HidePanel), 3);
}

TEST_F(FrameCommandsTest, AcceleratorsReachTheCommands)
{
    AddStrip(1);
    AddStrip(1);
    orbel::test::Focus(frame->GetPaneView(0, 0)->GetSafeHwnd());
    orbel::test::PressKey('A', MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(SelectedIds().size(), 2u);
    orbel::test::PressKey(VK_DELETE);
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(ObjectIds().empty());
    orbel::test::PressKey('Z', MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(ObjectIds().size(), 2u);
    orbel::test::PressKey('X');
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Masks(), (std::vector<int>{0, 1, 0}));
}

TEST_F(FrameCommandsTest, EditingKeysInAPanelFieldEditItsTextAndLeaveTheScene)
{
    cObjekt3D* box = AddStrip(1, "Box");
    AddStrip(1);
    Select({box});
    frame->NotifySelectionChanged();
    const std::string undoBefore = static_cast<LPCSTR>(document->m_pUndoManager->GetUndoText());
    HWND name = frame->GetObjectPanel().GetDlgItem(IDC_OBJECT_NAME)->GetSafeHwnd();
    orbel::test::Focus(name);
    auto text = [name] {
        char buffer[32] = {};
        ::GetWindowTextA(name, buffer, sizeof buffer);
        return std::string(buffer);
    };

    orbel::test::PressKey('A', MK_CONTROL);
    orbel::test::RunUntilIdle();
    DWORD start = 9, end = 9;
    ::SendMessage(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u) << "Ctrl+A selects the name";
    EXPECT_EQ(SelectedIds(), std::vector<int>{box->m_Id}) << "and not every object";
    EXPECT_TRUE(::IsWindowEnabled(name));

    orbel::test::PressKey(VK_DELETE);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(text(), "");
    orbel::test::PressKey('Z', MK_CONTROL);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(text(), "Box") << "Ctrl+Z undoes the typing";
    EXPECT_EQ(ObjectIds().size(), 2u);
    EXPECT_EQ(static_cast<LPCSTR>(document->m_pUndoManager->GetUndoText()), undoBefore);
}

}  // namespace
