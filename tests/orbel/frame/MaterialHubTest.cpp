// The "Materials" tab driven as a user drives it: the material list's
// buttons and lines, the material panel's edits, and the codes they post,
// handled by the frame after pumping.
#include "FrameFixture.h"

#include "orbel/TextureFiles.h"
#include "orbel/resources/Resource.h"

#include <testsupport/ControlInput.h>
#include <testsupport/ControlLooks.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using FaceRun = std::pair<int, int>;  // material, first face

class MaterialHubTest : public FrameTest {
protected:
    cMaterial* AddMaterial(const char* name)
    {
        auto* material = new cMaterial;
        material->SetName(name);
        document->m_Materials.Add(material);
        return material;
    }

    void ChooseMaterialsTab()
    {
        orbel::test::ChooseTab(frame->GetToolsPanel().GetDlgItem(IDC_TOOL_TABS)->GetSafeHwnd(), TabMaterials);
        orbel::test::RunUntilIdle();
    }

    HWND ListControl(int id) const { return ::GetDlgItem(frame->GetMaterialList().GetSafeHwnd(), id); }
    HWND PanelControl(int id) const { return ::GetDlgItem(frame->GetMaterialPanel().GetSafeHwnd(), id); }
    void Click(int listButton)
    {
        orbel::test::ClickButton(ListControl(listButton));
        orbel::test::RunUntilIdle();
    }
    void ChooseLine(int line)
    {
        orbel::test::ChooseListLine(ListControl(IDC_MATERIAL_LIST), line);
        orbel::test::RunUntilIdle();
    }
    void Post(WPARAM code, LPARAM value)
    {
        frame->PostMessage(WM_USER, code, value);
        orbel::test::RunUntilIdle();
    }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        auto* list = static_cast<CListBox*>(frame->GetMaterialList().GetDlgItem(IDC_MATERIAL_LIST));
        for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            lines.emplace_back(static_cast<LPCSTR>(text));
        }
        return lines;
    }
    int SelectedLine() { return frame->GetMaterialList().GetCurSel(); }
    bool PanelOpen() const { return frame->GetMaterialPanel().GetSafeHwnd() != nullptr; }
    std::string PanelName() const
    {
        CString text;
        frame->GetMaterialPanel().GetDlgItemText(IDC_MATERIAL_NAME, text);
        return static_cast<LPCSTR>(text);
    }

    static std::vector<FaceRun> RunsOf(const cObjekt3D& object)
    {
        std::vector<FaceRun> runs;
        for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
            const MaterialRun& run = object.m_Runs.GetNext(pos);
            runs.emplace_back(run.material, run.firstFace);
        }
        return runs;
    }
};

TEST_F(MaterialHubTest, TheTabListsTheMaterialsWithoutSelectionAndAddOpensTheNewOne)
{
    AddMaterial("Brass");
    AddMaterial("Brass");
    ChooseMaterialsTab();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Brass", "Brass"}));
    EXPECT_EQ(SelectedLine(), -1);
    EXPECT_FALSE(PanelOpen());
    document->SetModifiedFlag(FALSE);

    Click(IDC_ADD_MATERIAL);
    ASSERT_EQ(document->m_Materials.GetSize(), 3);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Brass", "Brass", "UnNamed Material"}));
    EXPECT_EQ(SelectedLine(), 2);
    ASSERT_TRUE(PanelOpen());
    EXPECT_EQ(PanelName(), "UnNamed Material");
    EXPECT_FALSE(document->IsModified()) << "adding and showing change nothing the user made";

    // The panel area below the tabs takes the panel's size.
    CRect panel;
    frame->GetMaterialPanel().GetWindowRect(&panel);
    CRect area;
    frame->GetToolsPanel().GetDlgItem(IDC_PLUGIN_AREA)->GetClientRect(&area);
    EXPECT_EQ(area.Width(), panel.Width());
    EXPECT_EQ(area.Height(), panel.Height());
}

TEST_F(MaterialHubTest, ShowingAMaterialLeavesItAsItWas)
{
    AddMaterial("Plain");
    cMaterial* fine = AddMaterial("Fine");
    fine->m_pMaterial->Ambient.a = 0.335f;
    fine->m_pMaterial->Power = 12.9f;
    ChooseMaterialsTab();
    document->SetModifiedFlag(FALSE);

    ChooseLine(1);
    ASSERT_TRUE(PanelOpen());
    EXPECT_EQ(PanelName(), "Fine");
    EXPECT_EQ(fine->m_pMaterial->Ambient.a, 0.335f);
    EXPECT_EQ(fine->m_pMaterial->Power, 12.9f);
    EXPECT_FALSE(document->IsModified());

    ChooseLine(0);
    EXPECT_EQ(PanelName(), "Plain");
}

TEST_F(MaterialHubTest, PanelEditsApplyToTheSelectedMaterialAndRenameItsLine)
{
    AddMaterial("First");
    cMaterial* second = AddMaterial("Second");
    ChooseMaterialsTab();
    ChooseLine(1);
    document->SetModifiedFlag(FALSE);

    orbel::test::TypeIntoEdit(PanelControl(IDC_MATERIAL_NAME), "Red Shiny");
    orbel::test::TypeIntoEdit(PanelControl(IDC_MATERIAL_POWER), "80");
    orbel::test::ScriptColorDialog(RGB(255, 0, 0));
    orbel::test::Click(PanelControl(IDC_DIFFUSE_SWATCH), orbel::test::Button::Left, {4, 4});
    orbel::test::RunUntilIdle();

    EXPECT_EQ(second->GetName(), "Red Shiny");
    EXPECT_EQ(second->m_pMaterial->Power, 80.0f);
    EXPECT_EQ(second->m_pMaterial->Diffuse.r, 1.0f);
    EXPECT_EQ(second->m_pMaterial->Diffuse.g, 0.0f);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"First", "Red Shiny"}));
    EXPECT_EQ(SelectedLine(), 1);
    EXPECT_TRUE(document->IsModified());
}

TEST_F(MaterialHubTest, ARefusedNumberGivesOneMessageAndSelectsOnlyTheRefusedField)
{
    cMaterial* material = AddMaterial("Glass");
    ChooseMaterialsTab();
    ChooseLine(0);
    HWND diffuse = PanelControl(IDC_DIFFUSE_ALPHA);
    HWND power = PanelControl(IDC_MATERIAL_POWER);
    auto selection = [](HWND edit) {
        DWORD start = 99, end = 99;
        ::SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::pair<DWORD, DWORD>(start, end);
    };
    const std::vector<std::string> oneRefusal{"Please enter an integer between 0 and 100."};

    // Typed faster than the frame applies: three changes wait for it.
    orbel::test::Focus(diffuse);
    for (const char* typed : {"5", "50", "500"})
        orbel::test::TypeIntoEdit(diffuse, typed);
    orbel::test::ScriptMessageBox(IDOK);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::MessageBoxTexts(), oneRefusal);
    EXPECT_EQ(::GetFocus(), diffuse);
    EXPECT_EQ(selection(diffuse), (std::pair<DWORD, DWORD>(0, 3)));
    EXPECT_EQ(material->m_pMaterial->Diffuse.a, 1.0f);

    // Refused again from another field, whose selection the refusal hides.
    orbel::test::Focus(power);
    ::SendMessage(power, EM_SETSEL, 0, -1);
    orbel::modal::Reset();
    orbel::test::ScriptMessageBox(IDOK);
    orbel::test::ClickUpDown(PanelControl(IDC_SPECULAR_ALPHA_SPIN), false);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::MessageBoxTexts(), oneRefusal);
    EXPECT_EQ(::GetFocus(), diffuse);
    EXPECT_TRUE(orbel::test::ShowsSelection(diffuse));
    EXPECT_FALSE(orbel::test::ShowsSelection(power));
    EXPECT_EQ(selection(power), (std::pair<DWORD, DWORD>(0, 2))) << "kept for when it has the focus again";
}

TEST_F(MaterialHubTest, RemovingRenumbersTheRunsAndShowsTheMaterialAbove)
{
    AddMaterial("A");
    AddMaterial("B");
    AddMaterial("C");
    cObjekt3D* strip = AddStrip(3);
    strip->SetFaceMaterial(0, 0);
    strip->SetFaceMaterial(1, 1);
    strip->SetFaceMaterial(2, 2);
    const std::vector<FaceRun> before = RunsOf(*strip);
    ASSERT_EQ(before, (std::vector<FaceRun>{{0, 0}, {1, 1}, {2, 2}}));
    ChooseMaterialsTab();

    ChooseLine(1);
    Click(IDC_REMOVE_MATERIAL);
    ASSERT_EQ(document->m_Materials.GetSize(), 2);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(RunsOf(*strip), (std::vector<FaceRun>{{0, 0}, {-1, 1}, {1, 2}}));
    EXPECT_EQ(SelectedLine(), 0);
    ASSERT_TRUE(PanelOpen());
    EXPECT_EQ(PanelName(), "A");

    Click(IDC_REMOVE_MATERIAL);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"C"}));
    EXPECT_EQ(document->m_Materials[0]->GetName(), "C");
    EXPECT_EQ(SelectedLine(), -1);
    EXPECT_FALSE(PanelOpen()) << "removing line 0 leaves nothing to show";
}

TEST_F(MaterialHubTest, AssignGivesTheSelectionTheMaterialAsOneUndoStep)
{
    AddMaterial("A");
    AddMaterial("B");
    cObjekt3D* strip = AddStrip(2);
    Select({strip});
    ChooseMaterialsTab();

    Click(IDC_ASSIGN_MATERIAL);
    EXPECT_EQ(RunsOf(*strip), (std::vector<FaceRun>{{-1, 0}})) << "no line selected: nothing to assign";
    ChooseLine(1);
    Click(IDC_ASSIGN_MATERIAL);
    EXPECT_EQ(RunsOf(*strip), (std::vector<FaceRun>{{1, 0}}));
    EXPECT_EQ(document->m_pUndoManager->GetUndoText(), "&Undo Assign Material \tCtrl+Z");
    EXPECT_TRUE(document->IsModified());
}

TEST_F(MaterialHubTest, IndicesOutsideTheMaterialArrayAreIgnored)
{
    AddMaterial("Only");
    cObjekt3D* strip = AddStrip(2);
    strip->SetFaceMaterial(-1, 0);
    Select({strip});
    ChooseMaterialsTab();
    const CString undoText = document->m_pUndoManager->GetUndoText();

    for (LPARAM index : {LPARAM{1}, LPARAM{-2}, LPARAM{1000000}}) {
        Post(FM_SHOW_MATERIAL, index);
        Post(FM_REMOVE_MATERIAL, index);
        Post(FM_ASSIGN_MATERIAL, index);
    }
    EXPECT_FALSE(PanelOpen());
    EXPECT_EQ(document->m_Materials.GetSize(), 1);
    EXPECT_EQ(RunsOf(*strip), (std::vector<FaceRun>{{0, 0}}));
    EXPECT_EQ(document->m_pUndoManager->GetUndoText(), undoText) << "no step for an assignment not made";

    // -1 is "no material": the object's colour again.
    Post(FM_ASSIGN_MATERIAL, -1);
    EXPECT_EQ(RunsOf(*strip), (std::vector<FaceRun>{{-1, 0}}));

    // A list out of step with the array (a line with no material behind it)
    // neither applies nor draws.
    ChooseLine(0);
    frame->GetMaterialList().SetCurSel(frame->GetMaterialList().AddMaterialName("Ghost"));
    Post(FM_APPLY_MATERIAL, 0);
    Post(FM_DRAW_MATERIAL, 0);
    EXPECT_EQ(document->m_Materials[0]->GetName(), "Only");
}

TEST_F(MaterialHubTest, ATextureChosenInThePanelLoadsAndNoneReleasesIt)
{
    cMaterial* material = AddMaterial("Textured");
    ChooseMaterialsTab();
    ChooseLine(0);
    const std::filesystem::path image = program.folder.Root() / "halves.jpg";
    WriteHalvesJpeg(image);

    orbel::test::ScriptFileDialog(image.string());
    orbel::test::ClickButton(PanelControl(IDC_TEXTURE_BROWSE));
    orbel::test::RunUntilIdle();
    EXPECT_NE(material->m_pTexture, nullptr);
    EXPECT_EQ(material->GetTextureName(), "halves.jpg");
    CString shown;
    frame->GetMaterialPanel().GetDlgItemText(IDC_TEXTURE_BROWSE, shown);
    EXPECT_EQ(shown, "halves.jpg");

    orbel::test::ClickButton(PanelControl(IDC_TEXTURE_NONE));
    orbel::test::RunUntilIdle();
    EXPECT_EQ(material->m_pTexture, nullptr);
    EXPECT_EQ(material->GetTexturePath(), "");
    frame->GetMaterialPanel().GetDlgItemText(IDC_TEXTURE_BROWSE, shown);
    EXPECT_EQ(shown, "...");
}

TEST_F(MaterialHubTest, ANewOrOpenedSceneRebuildsTheListWithoutSelectionAndClosesThePanel)
{
    AddMaterial("Saved One");
    AddMaterial("Saved Two");
    const std::string scene = (program.folder.Root() / "two.f3D").string();
    orbel::test::ScriptFileDialog(scene);
    frame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    AddMaterial("Unsaved");
    ChooseMaterialsTab();
    ChooseLine(2);
    ASSERT_TRUE(PanelOpen());

    orbel::test::ScriptSavePrompt(IDNO);
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(PanelOpen());

    AddMaterial("Scratch");
    orbel::test::ScriptFileDialog(scene);
    orbel::test::ScriptSavePrompt(IDNO);
    frame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Saved One", "Saved Two"}));
    EXPECT_EQ(SelectedLine(), -1);
    // Line k is material k again: a rename reaches the material it shows.
    ChooseLine(1);
    orbel::test::TypeIntoEdit(PanelControl(IDC_MATERIAL_NAME), "Renamed");
    orbel::test::RunUntilIdle();
    EXPECT_EQ(document->m_Materials[1]->GetName(), "Renamed");
}

TEST_F(MaterialHubTest, UndoAndRedoRebuildTheListFromTheRestoredScene)
{
    AddMaterial("Kept");
    Select({AddStrip(1)});
    ChooseMaterialsTab();
    ChooseLine(0);
    Click(IDC_ASSIGN_MATERIAL);
    // Materials added after the step are not in its snapshot.
    Click(IDC_ADD_MATERIAL);
    ASSERT_EQ(Lines(), (std::vector<std::string>{"Kept", "UnNamed Material"}));
    ASSERT_TRUE(PanelOpen());

    frame->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(document->m_Materials.GetSize(), 1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Kept"}));
    EXPECT_EQ(SelectedLine(), -1);
    EXPECT_FALSE(PanelOpen());

    frame->SendMessage(WM_COMMAND, ID_EDIT_REDO);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Kept", "UnNamed Material"}));
    EXPECT_FALSE(PanelOpen());
}

TEST_F(MaterialHubTest, ANewSceneShowsItsEmptySelectionInTheObjectPanel)
{
    cObjekt3D* strip = AddStrip(1, "Old Strip");
    Select({strip});
    frame->NotifySelectionChanged();
    ASSERT_EQ(frame->GetObjectPanel().GetObjectName(), "Old Strip");

    orbel::test::ScriptSavePrompt(IDNO);
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetObjectPanel().GetObjectName(), "None Selected");
    EXPECT_EQ(frame->GetObjectPanel().m_Red, 150.0f);
}

}  // namespace
