// "Import..." and "Export Selected ..." with scripted file dialogs.
#include "FrameFixture.h"

#include "orbel/host/ImportExportFilter.h"
#include "orbel/resources/Resource.h"

#include <testsupport/ControlInput.h>
#include <testsupport/ScriptedModals.h>
#include <testsupport/TestSupport.h>

namespace {

using Kind = PluginDouble::CallKind;

class ImportExportTest : public FrameTest {
protected:
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    static std::string LastDialog() { return LastAppearance(orbel::modal::kFileDialog); }

    int PaintsOfUpperLeft() const { return orbel::test::PaintCount(frame->GetPaneView(0, 0)->GetSafeHwnd()); }

    // The importer reads one triangle into the object it is handed, as a
    // file it can read gives.
    static void ReadsATriangle(PluginDouble* importer)
    {
        importer->onSetParam = [](int code, void* value) {
            if (code != PR_NEW_OBJECT)
                return;
            auto* object = static_cast<cObjekt3D*>(value);
            for (int v = 0; v < 3; ++v) {
                MeshVertex vertex{};
                vertex.x = static_cast<float>(v);
                object->AddVertex(vertex);
                object->AddIndex(static_cast<WORD>(v));
            }
        };
    }
};

TEST_F(ImportExportTest, ImportServesThePluginWithPathAndFileName)
{
    PluginDouble* importer = AddTool(PLUGIN_IMPORT, "Microsoft X (*.x)|*.x|");
    importer->Accept(PE_IMPORT, {{PR_UNDO_POINT, PR_FILE_PATH, PR_FILE_TITLE, PR_NEW_OBJECT}});
    importer->SetUndoLabel("Import");
    ReadsATriangle(importer);

    orbel::test::ScriptFileDialog("/tmp/models/ship.x");
    Command(ID_FILE_IMPORT);

    EXPECT_EQ(LastDialog(), "Open: Microsoft X (*.x)|*.x||");
    EXPECT_EQ(importer->Events(), std::vector<int>{PE_IMPORT});
    EXPECT_EQ(importer->LastSetParam(PR_FILE_PATH)->text, "\\tmp\\models\\ship.x");
    EXPECT_EQ(importer->LastSetParam(PR_FILE_TITLE)->text, "ship.x");
    EXPECT_EQ(ObjectIds().size(), 1u);
    EXPECT_EQ(std::string(document->m_pUndoManager->GetUndoText()), "&Undo Import \tCtrl+Z");
}

TEST_F(ImportExportTest, AnImportThatReadsNoFaceIsTakenBackAndReported)
{
    cObjekt3D* kept = AddStrip(2, "Kept");
    document->m_Materials.Add(new cMaterial);
    Select({kept});
    document->SaveUndoState("Earlier");
    document->SetModifiedFlag(FALSE);
    const std::vector<int> objects = ObjectIds();
    const int nextId = document->m_NextObjectId;

    PluginDouble* importer = AddTool(PLUGIN_IMPORT, "Microsoft X (*.x)|*.x|");
    importer->SetUndoLabel("Import from .x");
    // An unreadable file: the object stays empty, a material was asked for.
    importer->Accept(PE_IMPORT, {{PR_UNDO_POINT, PR_FILE_PATH, PR_FILE_TITLE, PR_NEW_OBJECT, PR_NEW_MATERIAL}});
    orbel::test::ScriptFileDialog("/tmp/models/empty.x");
    orbel::test::ScriptMessageBox(IDOK);
    Command(ID_FILE_IMPORT);

    EXPECT_EQ(importer->Events(), std::vector<int>{PE_IMPORT});
    EXPECT_EQ(ObjectIds(), objects);
    EXPECT_EQ(SelectedIds(), std::vector<int>{kept->m_Id});
    EXPECT_EQ(document->m_Materials.GetSize(), 1);
    EXPECT_EQ(document->m_NextObjectId, nextId);
    EXPECT_EQ(std::string(document->m_pUndoManager->GetUndoText()), "&Undo Earlier \tCtrl+Z");
    EXPECT_FALSE(document->m_pUndoManager->CanRedo());
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(std::string(frame->GetObjectPanel().GetObjectName()), "Kept");
    ASSERT_EQ(orbel::test::MessageBoxTexts().size(), 1u);
    EXPECT_NE(orbel::test::MessageBoxTexts()[0].find("empty.x"), std::string::npos)
        << orbel::test::MessageBoxTexts()[0];

    // Undo still goes back to the step before.
    frame->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_FALSE(document->m_pUndoManager->CanUndo());
    EXPECT_EQ(ObjectIds(), objects);
}

TEST_F(ImportExportTest, TheMaterialListShowsTheImportedMaterialsAtOnce)
{
    document->m_Materials.Add(new cMaterial);
    auto* tabs = static_cast<CTabCtrl*>(frame->GetToolsPanel().GetDlgItem(IDC_TOOL_TABS));
    orbel::test::ChooseTab(tabs->GetSafeHwnd(), TabMaterials);
    orbel::test::RunUntilIdle();
    ASSERT_EQ(frame->GetCurrentTab(), TabMaterials);
    CWnd* list = frame->GetMaterialList().GetDlgItem(IDC_MATERIAL_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->SendMessage(LB_GETCOUNT), 1);

    PluginDouble* importer = AddTool(PLUGIN_IMPORT, "Microsoft X (*.x)|*.x|");
    importer->Accept(PE_IMPORT, {{PR_NEW_OBJECT, PR_NEW_MATERIAL, PR_NEW_MATERIAL}});
    ReadsATriangle(importer);
    orbel::test::ScriptFileDialog("/tmp/models/two.x");
    Command(ID_FILE_IMPORT);

    EXPECT_EQ(document->m_Materials.GetSize(), 3);
    EXPECT_EQ(list->SendMessage(LB_GETCOUNT), 3);
}

TEST_F(ImportExportTest, TheChosenEntryPicksItsPluginWhateverNamesCameBefore)
{
    PluginDouble* unnamed = AddTool(PLUGIN_EXPORT, nullptr);
    PluginDouble* empty = AddTool(PLUGIN_EXPORT, "");
    PluginDouble* first = AddTool(PLUGIN_EXPORT, "First (*.a)|*.a|");
    PluginDouble* broken = AddTool(PLUGIN_EXPORT, "Broken|");
    PluginDouble* second = AddTool(PLUGIN_EXPORT, "Second (*.b)|*.b");
    for (PluginDouble* exporter : {unnamed, empty, first, broken, second})
        exporter->Accept(PE_EXPORT);

    orbel::test::ScriptFileDialog("/tmp/out.b", 2);
    Command(ID_FILE_EXPORT);
    EXPECT_EQ(LastDialog(), "Save: First (*.a)|*.a|Second (*.b)|*.b||");
    EXPECT_EQ(second->Events(), std::vector<int>{PE_EXPORT});
    for (PluginDouble* other : {unnamed, empty, first, broken})
        EXPECT_TRUE(other->Events().empty());

    // An entry past the filter runs nothing.
    orbel::test::ScriptFileDialog("/tmp/out.b", 7);
    Command(ID_FILE_EXPORT);
    EXPECT_EQ(second->Events().size(), 1u);
    EXPECT_TRUE(first->Events().empty());
}

TEST_F(ImportExportTest, CancelledDialogRunsNothingAndRedrawsNothing)
{
    PluginDouble* importer = AddTool(PLUGIN_IMPORT, "Microsoft X (*.x)|*.x|");
    importer->Accept(PE_IMPORT);
    orbel::test::RunUntilIdle();
    document->SetModifiedFlag(FALSE);
    const int paints = PaintsOfUpperLeft();

    orbel::test::ScriptFileDialogCancel();
    Command(ID_FILE_IMPORT);
    orbel::test::RunUntilIdle();
    EXPECT_TRUE(importer->Events().empty());
    EXPECT_EQ(PaintsOfUpperLeft(), paints);
    EXPECT_FALSE(document->IsModified());

    // A refused event still redraws.
    importer->ClearCalls();
    PluginDouble* refusing = AddTool(PLUGIN_IMPORT, "Other (*.o)|*.o|");
    orbel::test::ScriptFileDialog("/tmp/a.o", 2);
    Command(ID_FILE_IMPORT);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(refusing->Events(), std::vector<int>{PE_IMPORT});
    EXPECT_GT(PaintsOfUpperLeft(), paints);
}

TEST_F(ImportExportTest, WithoutPluginsOfTheKindTheCommandsAreGreyAndShowNoDialog)
{
    CMenu* file = frame->GetMenu()->GetSubMenu(0);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->GetSafeHmenu()), 0);
    EXPECT_TRUE(file->GetMenuState(ID_FILE_IMPORT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(file->GetMenuState(ID_FILE_EXPORT, MF_BYCOMMAND) & MF_GRAYED);
    // Called directly as well: no dialog appears (an unscripted one would fail the test).
    frame->OnImportExport(TRUE);
    frame->OnImportExport(FALSE);

    AddTool(PLUGIN_EXPORT, nullptr);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->GetSafeHmenu()), 0);
    EXPECT_FALSE(file->GetMenuState(ID_FILE_EXPORT, MF_BYCOMMAND) & MF_GRAYED);
    // Its only plug-in has no filter entry: still no dialog.
    frame->OnImportExport(FALSE);
}

}  // namespace
