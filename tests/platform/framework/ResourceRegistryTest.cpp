#include <framework/Resources.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Fake module handles stand in for libraries the loader would hand out.
HINSTANCE fakeModule(ULONG_PTR n) { return reinterpret_cast<HINSTANCE>(n); }

ResourceTables tablesWith(UINT stringId, const char* text) {
    ResourceTables t;
    t.strings.push_back({stringId, text});
    return t;
}

// Registered while this executable loads, like a plug-in's tables.
const ResourceRegistration selfRegistration(tablesWith(11, "self"));

// Each case plays the program with a fake handle, so that the executable's
// own static registration stays untouched.
class ResourceRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        realInstance = AfxGetInstanceHandle();
        AfxSetInstanceHandle(fakeModule(0x9000));
    }
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        AfxUnregisterModuleResources(AfxGetInstanceHandle());
        AfxSetInstanceHandle(realInstance);
        for (ULONG_PTR n = 1; n <= 3; ++n) AfxUnregisterModuleResources(fakeModule(0x1000 * n));
    }
    HINSTANCE realInstance = nullptr;
    std::string load(UINT id) {
        std::string text;
        return AfxLoadString(id, text) ? text : "<none>";
    }
};

TEST_F(ResourceRegistryTest, HostIsSearchedBeforePluginsAndPluginsInLoadOrder) {
    AfxRegisterModuleResources(fakeModule(0x2000), tablesWith(7, "second plug-in"));
    AfxRegisterModuleResources(fakeModule(0x1000), tablesWith(7, "first loaded is later"));
    ResourceTables host = tablesWith(7, "host");
    host.strings.push_back({8, "host only"});
    AfxRegisterModuleResources(AfxGetInstanceHandle(), host);

    EXPECT_EQ(load(7), "host");
    AfxUnregisterModuleResources(AfxGetInstanceHandle());
    EXPECT_EQ(load(7), "second plug-in");  // 0x2000 registered first
    AfxUnregisterModuleResources(fakeModule(0x2000));
    EXPECT_EQ(load(7), "first loaded is later");
    AfxUnregisterModuleResources(fakeModule(0x1000));
    EXPECT_EQ(load(7), "<none>");
}

TEST_F(ResourceRegistryTest, ResourceHandleIsSearchedFirstAndTheChainStillAnswers) {
    AfxRegisterModuleResources(AfxGetInstanceHandle(), tablesWith(7, "host"));
    ResourceTables plugin = tablesWith(7, "plug-in");
    DialogTemplate panelTemplate;
    panelTemplate.id = 3000;
    panelTemplate.caption = "Panel";
    plugin.dialogs.push_back(panelTemplate);
    AfxRegisterModuleResources(fakeModule(0x3000), plugin);

    const HINSTANCE previous = AfxGetResourceHandle();
    EXPECT_EQ(previous, AfxGetInstanceHandle());
    AfxSetResourceHandle(fakeModule(0x3000));
    EXPECT_EQ(load(7), "plug-in");
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(3000), RT_DIALOG), fakeModule(0x3000));
    AfxSetResourceHandle(previous);
    EXPECT_EQ(load(7), "host");
    // A template only the plug-in has is still found through the chain.
    const DialogTemplate* panel = AfxFindDialogTemplate(nullptr, 3000);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->caption, "Panel");
    EXPECT_EQ(panel->fontName, "MS Shell Dlg");
    EXPECT_EQ(panel->fontSize, 8);
    // An explicit module is searched alone.
    EXPECT_EQ(AfxFindDialogTemplate(AfxGetInstanceHandle(), 3000), nullptr);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(3001), RT_DIALOG), nullptr);
}

TEST_F(ResourceRegistryTest, ExtensionModuleBindsTheLoaderHandleToTheLibrary) {
    // The state object lives in this executable, so the loader's handle
    // becomes another name for the executable's registered tables.
    static AFX_EXTENSION_MODULE state;
    AfxRegisterResources(&state, tablesWith(9, "from the library"));
    ASSERT_TRUE(AfxInitExtensionModule(state, fakeModule(0x7000)));
    new CDynLinkLibrary(state);  // owned by the framework, deleted at termination
    char buffer[64];
    EXPECT_EQ(LoadStringA(fakeModule(0x7000), 9, buffer, sizeof buffer), 16);
    EXPECT_STREQ(buffer, "from the library");
    AfxSetResourceHandle(fakeModule(0x7000));
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(9), RT_STRING), fakeModule(0x7000));
    AfxTermExtensionModule(state);
    AfxUnregisterResources(&state);
    EXPECT_EQ(LoadStringA(fakeModule(0x7000), 9, buffer, sizeof buffer), 0);
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle()) << "a freed library stops being the resource module";
}

TEST_F(ResourceRegistryTest, StringsAndAcceleratorsAreCopiedOutSafely) {
    ResourceTables t = tablesWith(1, "Orbel");
    t.accelerators.push_back({128, {{FVIRTKEY | FCONTROL, 'N', 57600}, {FVIRTKEY, 'X', 32800}}});
    AfxRegisterModuleResources(AfxGetInstanceHandle(), t);

    char small[4];
    EXPECT_EQ(LoadStringA(nullptr, 1, small, sizeof small), 3);
    EXPECT_STREQ(small, "Orb");
    EXPECT_EQ(LoadStringA(nullptr, 1, small, 0), 0);
    EXPECT_EQ(LoadStringA(nullptr, 2, small, sizeof small), 0);

    HACCEL accel = LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(128));
    ASSERT_NE(accel, nullptr);
    EXPECT_EQ(CopyAcceleratorTableA(accel, nullptr, 0), 2);
    ACCEL one[1];
    EXPECT_EQ(CopyAcceleratorTableA(accel, one, 1), 1);
    EXPECT_EQ(one[0].cmd, 57600);
    AfxUnregisterModuleResources(AfxGetInstanceHandle());
    EXPECT_EQ(AfxAcceleratorTableFromHandle(accel), nullptr) << "a stale handle must not reach freed tables";
}

TEST_F(ResourceRegistryTest, StaticRegistrationNamesTheModuleThatHoldsIt) {
    EXPECT_EQ(load(11), "self");
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(11), RT_STRING), realInstance)
        << "the executable's handle is the program's by default";
    EXPECT_EQ(AfxModuleOfAddress(&selfRegistration), realInstance);
    EXPECT_EQ(AfxModuleOfAddress(&realInstance), nullptr) << "an address outside every image";
}

}  // namespace
