// "Import..." and "Export Selected ..." with scripted file dialogs.
#include "FrameFixture.h"

#include "orbel/host/ImportExportFilter.h"
#include "orbel/resources/Resource.h"

#include <testsupport/TestSupport.h>

namespace {

using Kind = PluginDouble::CallKind;

class ImportExportTest : public FrameTest {
protected:
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    static std::string LastDialog() { return LastAppearance(orbel::modal::kFileDialog); }

    int PaintsOfUpperLeft() const { return orbel::test::PaintCount(frame->GetPaneView(0, 0)->GetSafeHwnd()); }
};

TEST_F(ImportExportTest, ImportServesThePluginWithPathAndFileName)
{
    PluginDouble* importer = AddTool(PLUGIN_IMPORT, "Microsoft X (*.x)|*.x|");
    importer->Accept(PE_IMPORT, {{PR_UNDO_POINT, PR_FILE_PATH, PR_FILE_TITLE, PR_NEW_OBJECT}});
    importer->SetUndoLabel("Import");

    orbel::test::ScriptFileDialog("/tmp/models/ship.x");
    Command(ID_FILE_IMPORT);

    EXPECT_EQ(LastDialog(), "Open: Microsoft X (*.x)|*.x||");
    EXPECT_EQ(importer->Events(), std::vector<int>{PE_IMPORT});
    EXPECT_EQ(importer->LastSetParam(PR_FILE_PATH)->text, "\\tmp\\models\\ship.x");
    EXPECT_EQ(importer->LastSetParam(PR_FILE_TITLE)->text, "ship.x");
    EXPECT_EQ(ObjectIds().size(), 1u);
    EXPECT_EQ(std::string(document->m_pUndoManager->GetUndoText()), "&Undo Import \tCtrl+Z");
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
