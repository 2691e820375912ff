// The two codes plug-ins post to the frame: FM_RUN_PLUGIN with the plug-in
// that wants to run, and PR_PANEL_ACTION from a plug-in panel's button.
#include "FrameFixture.h"

#include <string>
#include <vector>

namespace {

using Kind = PluginDouble::CallKind;

class PluginMessagesTest : public FrameTest {
protected:
    void Post(WPARAM code, LPARAM value)
    {
        frame->PostMessage(WM_USER, code, value);
        orbel::test::RunUntilIdle();
    }
};

TEST_F(PluginMessagesTest, RunPluginServesTheGivenPluginWithItsUndoStepBeforeTheWork)
{
    AddTool(PLUGIN_CREATE, "Current");
    Activate(0);
    PluginDouble* runner = AddTool(PLUGIN_MODIFY, "Runner");
    runner->Accept(PE_EXECUTE, {{PR_UNDO_POINT, PR_EXECUTE}});
    runner->SetUndoLabel("Compute Normals");
    std::string undoTextAtWork;
    runner->onSetParam = [&](int code, void*) {
        if (code == PR_EXECUTE)
            undoTextAtWork = static_cast<LPCSTR>(document->m_pUndoManager->GetUndoText());
    };
    document->SetModifiedFlag(FALSE);

    Post(FM_RUN_PLUGIN, reinterpret_cast<LPARAM>(static_cast<cPlugin*>(runner)));
    EXPECT_EQ(runner->Events(), (std::vector<int>{PE_EXECUTE}));
    EXPECT_EQ(undoTextAtWork, "&Undo Compute Normals \tCtrl+Z");
    EXPECT_TRUE(document->IsModified()) << "an accepted run redraws";
    EXPECT_NE(frame->GetCurrentPlugin(), runner) << "running does not make a plug-in current";

    // A refused run changes and redraws nothing.
    PluginDouble* refuser = AddTool(PLUGIN_MODIFY, "Refuser");
    document->SetModifiedFlag(FALSE);
    Post(FM_RUN_PLUGIN, reinterpret_cast<LPARAM>(static_cast<cPlugin*>(refuser)));
    EXPECT_EQ(refuser->Events(), (std::vector<int>{PE_EXECUTE}));
    EXPECT_FALSE(document->IsModified());
}

TEST_F(PluginMessagesTest, RunPluginIgnoresPointersThatAreNoLoadedPlugin)
{
    PluginDouble stranger("Stranger");
    stranger.Accept(PE_EXECUTE, {{PR_EXECUTE}});
    int notAPlugin = 7;
    document->SetModifiedFlag(FALSE);

    Post(FM_RUN_PLUGIN, reinterpret_cast<LPARAM>(static_cast<cPlugin*>(&stranger)));
    Post(FM_RUN_PLUGIN, reinterpret_cast<LPARAM>(&notAPlugin));
    Post(FM_RUN_PLUGIN, 0);
    EXPECT_TRUE(stranger.Calls().empty());
    EXPECT_EQ(notAPlugin, 7);
    EXPECT_FALSE(document->IsModified());
}

TEST_F(PluginMessagesTest, PanelActionGoesToTheCurrentPluginOnly)
{
    document->SetModifiedFlag(FALSE);
    Post(PR_PANEL_ACTION, 0);
    EXPECT_FALSE(document->IsModified()) << "with no current plug-in nothing happens";

    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    Activate(0);
    tool->ClearCalls();
    document->SetModifiedFlag(FALSE);
    Post(PR_PANEL_ACTION, 0);
    ASSERT_EQ(tool->SetParamCodes(), (std::vector<int>{PR_PANEL_ACTION}));
    EXPECT_EQ(tool->LastSetParam(PR_PANEL_ACTION)->value, nullptr);
    EXPECT_TRUE(document->IsModified());
}

TEST_F(PluginMessagesTest, UnknownCodesDoNothingAndEveryCodeAnswersOne)
{
    PluginDouble* tool = AddTool(PLUGIN_CREATE);
    Activate(0);
    tool->ClearCalls();
    document->SetModifiedFlag(FALSE);
    for (WPARAM code : {WPARAM{0}, WPARAM{11}, WPARAM{104}, WPARAM{106}, WPARAM{0xFFFF}})
        EXPECT_EQ(frame->SendMessage(WM_USER, code, 1), 1);
    EXPECT_EQ(frame->SendMessage(WM_USER, PR_PANEL_ACTION, 0), 1);
    EXPECT_EQ(tool->SetParamCodes(), (std::vector<int>{PR_PANEL_ACTION}));
}

}  // namespace
