// Resources of a library loaded and freed at run time, as plug-ins are.
#include <framework/Afx.h>
#include <win32/Library.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const ResourceRegistration hostStrings([] {
    ResourceTables t;
    t.strings.push_back({4207, "from the host"});
    return t;
}());

std::string load(UINT id) {
    std::string text;
    return AfxLoadString(id, text) ? text : "<none>";
}

TEST(ResourceLibraryTest, LibraryResourcesLiveAsLongAsTheLibrary) {
    ASSERT_EQ(AfxFindDialogTemplate(nullptr, 3000), nullptr);
    HMODULE library = LoadLibraryA(ORBEL_TEST_RESOURCEFUL_LIBRARY);
    ASSERT_NE(library, nullptr);

    const DialogTemplate* panel = AfxFindDialogTemplate(nullptr, 3000);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->caption, "Library panel");
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(3000), RT_DIALOG), library)
        << "named by the handle the loader gave";
    EXPECT_EQ(load(4207), "from the host") << "the program is searched first";
    EXPECT_EQ(load(4208), "only the library");

    using Switch = HINSTANCE (*)();
    auto useOwn = reinterpret_cast<Switch>(GetProcAddress(library, "UseOwnResources"));
    ASSERT_NE(useOwn, nullptr);
    const HINSTANCE previous = useOwn();
    EXPECT_EQ(previous, AfxGetInstanceHandle());
    EXPECT_EQ(load(4207), "from the library") << "the resource module is searched first";
    char buffer[32];
    EXPECT_GT(LoadStringA(library, 4208, buffer, sizeof buffer), 0);

    // Freed while still the resource module: lookups must not reach it.
    ASSERT_TRUE(FreeLibrary(library));
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    EXPECT_EQ(AfxFindDialogTemplate(nullptr, 3000), nullptr);
    EXPECT_EQ(load(4208), "<none>");
    EXPECT_EQ(load(4207), "from the host");
}

}  // namespace
