// The plug-in libraries as the program meets them: found in "Plugins" by
// the real program, bound through GetPlugin, their panel templates present
// exactly while they are loaded, and released cleanly whatever was shown.
#include "orbel/frame/ProgramHarness.h"
#include "orbel/resources/Resource.h"
#include "plugins/testhost/PluginTestHost.h"

#include <framework/Afx.h>
#include <plugins/common/Plugin.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string BuiltLibrary(const char* name)
{
    return std::string(ORBEL_PLUGIN_DIR) + "/" + name;
}

TEST(PluginLibrary, GetPluginHandsOverOneObjectAndTheTemplatesLiveWithTheLibrary)
{
    orbel::test::EnsureApplication();
    for (auto [file, panel] : {std::pair{"Sphere.dlc", 3000u}, std::pair{"Point.dlc", 8000u}}) {
        EXPECT_EQ(AfxFindDialogTemplate(nullptr, panel), nullptr) << file;
        HMODULE library = ::LoadLibraryA(BuiltLibrary(file).c_str());
        ASSERT_NE(library, nullptr) << file;
        const DialogTemplate* found = AfxFindDialogTemplate(nullptr, panel);
        ASSERT_NE(found, nullptr) << file;
        EXPECT_EQ(found->cx, 133);
        EXPECT_EQ(found->style & (WS_CHILD | WS_POPUP | WS_VISIBLE | WS_CAPTION), static_cast<DWORD>(WS_CHILD));

        auto getPlugin = reinterpret_cast<GetPluginFunction>(::GetProcAddress(library, ORBEL_GET_PLUGIN_NAME));
        ASSERT_NE(getPlugin, nullptr) << file;
        cPlugin* stored = nullptr;
        cPlugin* returned = getPlugin(&stored);
        EXPECT_NE(stored, nullptr);
        EXPECT_EQ(returned, stored);
        // Never shown: Release has only the object to free.
        stored->Release();
        ::FreeLibrary(library);
        EXPECT_EQ(AfxFindDialogTemplate(nullptr, panel), nullptr) << file;
    }
}

TEST(PluginLibrary, ToolsReleasedWhileTheirPanelIsUpTakeThePanelWithThem)
{
    PluginTestHost host;
    cPlugin* sphere = host.Load("Sphere.dlc");
    cPlugin* point = host.Load("Point.dlc");
    ASSERT_NE(sphere, nullptr);
    ASSERT_NE(point, nullptr);
    host.Activate(point);
    host.Activate(sphere);
    // The host ends both without HidePanel, as the program does at exit.
}

TEST(PluginLibrary, TheProgramListsBothCreateToolsInLoadOrder)
{
    ProgramHarness program;
    program.folder.AddPlugins({"Sphere.dlc", "Point.dlc"});
    ASSERT_TRUE(program.Start());
    CMainFrame* frame = program.Frame();
    ASSERT_NE(frame, nullptr);

    const PluginList& tools = frame->GetPlugins(PLUGIN_CREATE);
    ASSERT_EQ(tools.GetSize(), 2);
    std::vector<std::string> loaded;
    for (INT_PTR i = 0; i < tools.GetSize(); ++i)
        loaded.emplace_back(tools[i].plugin->GetName());
    // The folder search returns the files by name.
    EXPECT_EQ(loaded, (std::vector<std::string>{"Point", "Sphere"}));
    for (int kind = PLUGIN_MODIFY; kind < PLUGIN_CATEGORY_COUNT; ++kind)
        EXPECT_EQ(frame->GetPlugins(kind).GetSize(), 0);

    HWND list = ::GetDlgItem(frame->GetObjectPanel().GetSafeHwnd(), IDC_TOOL_LIST);
    ASSERT_NE(list, nullptr);
    std::vector<std::string> listed;
    const int count = static_cast<int>(::SendMessage(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        ::SendMessage(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        listed.emplace_back(text);
    }
    EXPECT_EQ(listed, loaded);
}

}  // namespace
