// The plug-in libraries as the program meets them: found in "Plugins" by
// the real program, bound through GetPlugin, their panel templates present
// exactly while they are loaded, and released cleanly whatever was shown.
#include <framework/Afx.h>
#include <plugins/common/Plugin.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string BuiltLibrary(const char* name)
{
    return std::string(ORBEL_PLUGIN_DIR) + "/" + name;
}

TEST(PluginLibrary, GetPluginHandsOverOneObjectAndTheTemplatesLiveWithTheLibrary)
{
    orbel::test::EnsureApplication();
    for (auto [file, panel] : {std::pair{"Point.dlc", 8000u}}) {
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

}  // namespace
