// The program's start-up and shut-down as a whole, headless.
#include "ProgramHarness.h"
#include "ReleaseLogSpy.h"

#include "orbel/resources/Resource.h"
#include "orbel/views/MyOrbelView.h"

#include <d3d8/TestControl.h>
#include <testsupport/ControlInput.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <ostream>
#include <string>

namespace {

const std::vector<std::string> kAllKinds = {"CreateBeta.dlc", "CreateAlpha.dlc", "ModifyOne.dlm", "ImportOne.dli",
                                            "ExportOne.dle"};

std::vector<std::string> ToolListOf(CMainFrame& frame)
{
    std::vector<std::string> names;
    auto* list = static_cast<CComboBox*>(frame.GetObjectPanel().GetDlgItem(IDC_TOOL_LIST));
    if (list == nullptr)
        return names;
    for (int i = 0; i < list->GetCount(); ++i) {
        CString text;
        list->GetLBText(i, text);
        names.emplace_back(static_cast<LPCSTR>(text));
    }
    return names;
}

class StartupTest : public ::testing::Test {
protected:
    ProgramHarness program;
};

TEST_F(StartupTest, ComesUpInOrderWithSplashTextsViewsAndCreateTools)
{
    program.folder.AddPlugins({"CreateBeta.dlc", "CreateAlpha.dlc", "ModifyOne.dlm", "ImportOne.dli",
                               "ExportOne.dle"});
    ASSERT_TRUE(program.Start());
    CMainFrame* frame = program.Frame();
    ASSERT_NE(frame, nullptr);

    const std::vector<std::string> splash = {
        " Starting Program",
        "Loading Plugin For Create - CreateAlpha.dlc",
        "Loading Plugin For Create - CreateBeta.dlc",
        "Loading Plugin For Modify - ModifyOne.dlm",
        "Loading Plugin For Import - ImportOne.dli",
        "Loading Plugin For Export - ExportOne.dle",
    };
    EXPECT_EQ(program.splashTexts, splash);
    EXPECT_EQ(program.sleeps.Waits(), std::vector<DWORD>(5, 50));

    // The document lists its views upper left, upper right, lower left,
    // lower right; they show Top, Front, Left and Perspective.
    CMyOrbelDoc* document = program.Document();
    ASSERT_NE(document, nullptr);
    std::vector<CView*> views;
    for (POSITION position = document->GetFirstViewPosition(); position != nullptr;)
        views.push_back(document->GetNextView(position));
    const std::vector<CView*> panes = {frame->GetPaneView(0, 0), frame->GetPaneView(0, 1), frame->GetPaneView(1, 0),
                                       frame->GetPaneView(1, 1)};
    EXPECT_EQ(views, panes);
    EXPECT_EQ(frame->GetPaneView(0, 0)->GetViewKind(), ViewKindTop);
    EXPECT_EQ(frame->GetPaneView(0, 1)->GetViewKind(), ViewKindFront);
    EXPECT_EQ(frame->GetPaneView(1, 0)->GetViewKind(), ViewKindLeft);
    EXPECT_EQ(frame->GetPaneView(1, 1)->GetViewKind(), ViewKindPerspective);

    EXPECT_EQ(frame->GetCurrentTab(), 0);
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);
    EXPECT_EQ(ToolListOf(*frame), (std::vector<std::string>{"CreateAlpha", "CreateBeta"}));

    ASSERT_NE(frame->GetDevice(), nullptr);
    EXPECT_EQ(document->m_pDevice, frame->GetDevice());
    EXPECT_STREQ(document->m_ProgramDir, program.folder.ProgramDirectory());
    EXPECT_TRUE(program.folder.IsCurrentDirectoryTheProgramDirectory());
}

// The program hands its document a snapshot folder of its own inside "Temp"
// and takes it away, files and all, when it ends; "Temp" itself stays.
TEST_F(StartupTest, EachRunKeepsItsSnapshotsInItsOwnFolderInsideTempUntilItEnds)
{
    const std::filesystem::path temp = program.folder.Root() / "Temp";
    std::filesystem::create_directories(temp);
    ASSERT_TRUE(program.Start());
    CMyOrbelDoc* document = program.Document();
    ASSERT_NE(document, nullptr);
    const std::string folder = static_cast<LPCTSTR>(document->GetSnapshotFolder());
    const std::string expectedStart = std::string(static_cast<LPCTSTR>(program.folder.ProgramDirectory())) + "Temp\\Orbel-";
    ASSERT_EQ(folder.rfind(expectedStart, 0), 0u) << folder;
    document->SaveUndoState("Move");
    const std::filesystem::path own = temp / folder.substr(expectedStart.size() - 6, 12);
    EXPECT_TRUE(std::filesystem::exists(own / "Un1.bin"));

    program.Close();
    EXPECT_FALSE(std::filesystem::exists(own));
    EXPECT_TRUE(std::filesystem::is_directory(temp));
}

TEST_F(StartupTest, ModifyTabListsModifyToolsAndDropsTheCurrentTool)
{
    program.folder.AddPlugins({"CreateAlpha.dlc", "ModifyTwo.dlm", "ModifyOne.dlm"});
    ASSERT_TRUE(program.Start());
    CMainFrame* frame = program.Frame();
    auto* tabs = static_cast<CTabCtrl*>(frame->GetToolsPanel().GetDlgItem(IDC_TOOL_TABS));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->GetItemCount(), 3);

    orbel::test::ChooseTab(tabs->GetSafeHwnd(), 1);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(frame->GetCurrentTab(), 1);
    EXPECT_EQ(ToolListOf(*frame), (std::vector<std::string>{"ModifyOne", "ModifyTwo"}));
    EXPECT_EQ(frame->GetCurrentPlugin(), nullptr);
}

TEST_F(StartupTest, ShutDownReleasesDeviceThenPluginsKindByKind)
{
    program.folder.AddPlugins(
        {"CreateBeta.dlc", "CreateAlpha.dlc", "ModifyOne.dlm", "ImportOne.dli", "ExportOne.dle"});
    ReleaseLogSpy spy(program.folder, kAllKinds);
    ASSERT_TRUE(program.Start());
    EXPECT_GT(D3D8LiveObjectCount(), 0);

    program.Close();
    const std::vector<std::string> order = {"CreateAlpha", "CreateBeta", "ModifyOne", "ImportOne", "ExportOne"};
    EXPECT_EQ(spy.released, order);
    EXPECT_EQ(D3D8LiveObjectCount(), 0);
}

TEST_F(StartupTest, FailedDirect3DStartShowsTheErrorAndStillReleasesPlugins)
{
    program.folder.AddPlugins(
        {"CreateBeta.dlc", "CreateAlpha.dlc", "ModifyOne.dlm", "ImportOne.dli", "ExportOne.dle"});
    ReleaseLogSpy spy(program.folder, kAllKinds);
    D3D8TestControl control;
    control.failCreateDevice = true;
    D3D8SetTestControl(control);

    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_FALSE(program.Start());
    EXPECT_EQ(orbel::test::MessageBoxTexts(), std::vector<std::string>{"Error on start Direct3D"});
    EXPECT_EQ(spy.released.size(), 5u);
    // The mode text is written before the device is asked for.
    EXPECT_FALSE(program.app->m_Direct3DMode.IsEmpty());
    EXPECT_EQ(D3D8LiveObjectCount(), 0);
}

TEST_F(StartupTest, MissingDirect3DShowsTheSameError)
{
    D3D8TestControl control;
    control.failDirect3DCreate = true;
    D3D8SetTestControl(control);
    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_FALSE(program.Start());
    EXPECT_EQ(orbel::test::MessageBoxTexts(), std::vector<std::string>{"Error on start Direct3D"});
    EXPECT_TRUE(program.app->m_Direct3DMode.IsEmpty());
}

struct ModeCase {
    const char* name;
    bool refuseD32;
    bool refuseD24S8;
    bool noHardwareTnL;
    const char* text;
};

void PrintTo(const ModeCase& mode, std::ostream* out)
{
    *out << mode.name;
}

class AboutTextTest : public ::testing::TestWithParam<ModeCase> {
protected:
    ProgramHarness program;
};

TEST_P(AboutTextTest, ShowsTheChosenDepthBufferAndVertexProcessing)
{
    const ModeCase& mode = GetParam();
    D3D8TestControl control;
    control.refuseD32 = mode.refuseD32;
    control.refuseD24S8 = mode.refuseD24S8;
    control.noHardwareTnL = mode.noHardwareTnL;
    D3D8SetTestControl(control);
    ASSERT_TRUE(program.Start());

    char shown[256] = "";
    char caption[64] = "";
    orbel::test::ScriptDialog(IDD_ABOUTBOX, [&](HWND dialog) {
        ::GetWindowTextA(dialog, caption, sizeof(caption));
        ::GetDlgItemTextA(dialog, IDC_ABOUT_TEXT, shown, sizeof(shown));
    });
    program.app->OnAppAbout();
    EXPECT_STREQ(caption, "About Orbel");
    EXPECT_STREQ(shown, mode.text);
}

INSTANTIATE_TEST_SUITE_P(
    DepthFormats, AboutTextTest,
    ::testing::Values(
        ModeCase{"D32", false, false, false, "Hardware mode: \n32-bit z-buffer \nHardware vertexprocessing"},
        ModeCase{"D24S8", true, false, true,
                 "Hardware mode: \n24-bit z-buffer and 8 bits stencil buffer\nSoftware vertexprocessing"},
        ModeCase{"D16", true, true, false, "Hardware mode: \n16-bit z-buffer \nHardware vertexprocessing"}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

TEST(Direct3DStartTest, TheDeviceStartsWithTheSceneStatesTheLightAndTheLineBuffers)
{
    ProgramHarness program;
    ASSERT_TRUE(program.Start());
    CMainFrame* frame = program.Frame();
    ASSERT_NE(frame, nullptr);

    // A frame of its own, so that no paint has touched the states yet.
    CMainFrame probe;
    ASSERT_TRUE(probe.InitDirect3D(frame->GetPaneView(1, 1)->GetSafeHwnd()));
    IDirect3DDevice8* device = probe.GetDevice();
    ASSERT_NE(device, nullptr);
    auto state = [device](D3DRENDERSTATETYPE which) {
        DWORD value = 0xDEADBEEF;
        device->GetRenderState(which, &value);
        return value;
    };
    EXPECT_EQ(state(D3DRS_CULLMODE), static_cast<DWORD>(D3DCULL_NONE));
    EXPECT_EQ(state(D3DRS_ZENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(state(D3DRS_FILLMODE), static_cast<DWORD>(D3DFILL_SOLID));
    EXPECT_EQ(state(D3DRS_SHADEMODE), static_cast<DWORD>(D3DSHADE_GOURAUD));
    EXPECT_EQ(state(D3DRS_AMBIENT), 0xFF323232u);
    EXPECT_EQ(state(D3DRS_SPECULARENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(state(D3DRS_LIGHTING), static_cast<DWORD>(TRUE));
    const DWORD pointSize = state(D3DRS_POINTSIZE);
    float size = 0.0f;
    std::memcpy(&size, &pointSize, sizeof size);
    EXPECT_EQ(size, 2.0f);

    D3DLIGHT8 light{};
    ASSERT_EQ(device->GetLight(0, &light), D3D_OK);
    EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(light.Diffuse.r, 1.0f);
    EXPECT_EQ(light.Diffuse.b, 1.0f);
    EXPECT_EQ(light.Specular.g, 1.0f);
    EXPECT_EQ(light.Ambient.r, 1.0f);
    EXPECT_EQ(light.Direction.x, -1.0f);
    EXPECT_EQ(light.Direction.y, -1.0f);
    EXPECT_EQ(light.Direction.z, 1.0f);
    BOOL enabled = FALSE;
    device->GetLightEnable(0, &enabled);
    EXPECT_TRUE(enabled);

    // The running frame's line buffers draw the grid in grey and the axes
    // in black in the Top view.
    orbel::test::RunUntilIdle();
    const orbel::test::Image top = orbel::test::ReadWindowImage(frame->GetPaneView(0, 0)->GetSafeHwnd());
    ASSERT_GT(top.width, 0);
    int grey = 0;
    int black = 0;
    for (COLORREF pixel : top.pixels) {
        grey += pixel == RGB(150, 150, 150);
        black += pixel == RGB(0, 0, 0);
    }
    EXPECT_GT(grey, top.width) << "grid lines";
    EXPECT_GT(black, top.width) << "axis lines";
}

}  // namespace
