// Discovery and loading of plug-in libraries from a scratch program folder,
// with the libraries built beside these tests.
#include "orbel/host/PluginLoader.h"

#include "orbel/frame/MainFrm.h"

#include "orbel/host/PluginTestFolder.h"

#include <win32/SleepHook.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_released;

void RecordRelease(const char* name)
{
    g_released.emplace_back(name);
}

std::vector<std::string> NamesOf(const PluginList& list)
{
    std::vector<std::string> names;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        names.emplace_back(list[i].plugin->GetName());
    return names;
}

class PluginLoaderTest : public ::testing::Test {
protected:
    PluginTestFolder folder;
    std::vector<DWORD> waits;
    std::vector<std::string> statusLines;
    PluginLists lists;
    orbel::SleepHook previousSleep;

    void SetUp() override
    {
        previousSleep = orbel::SetSleepHook([this](DWORD milliseconds) { waits.push_back(milliseconds); });
    }

    void Load()
    {
        LoadPluginsFromFolder(folder.ProgramDirectory(), lists, &CMainFrame::LoadPlugin,
                              [this](LPCSTR text) { statusLines.emplace_back(text); });
    }

    void TearDown() override
    {
        ReleasePlugins(lists);
        orbel::SetSleepHook(previousSleep);
    }
};

TEST_F(PluginLoaderTest, LoadsEveryKindInOrderWithoutWarnings)
{
    folder.AddPlugins({"CreateBeta.dlc", "CreateAlpha.dlc", "ModifyTwo.dlm", "ModifyOne.dlm", "ModifyThree.dlm",
                       "ImportOne.dli", "ExportOne.dle"});
    Load();

    const std::vector<std::string> expected = {
        "Loading Plugin For Create - CreateAlpha.dlc", "Loading Plugin For Create - CreateBeta.dlc",
        "Loading Plugin For Modify - ModifyOne.dlm",    "Loading Plugin For Modify - ModifyThree.dlm",
        "Loading Plugin For Modify - ModifyTwo.dlm",    "Loading Plugin For Import - ImportOne.dli",
        "Loading Plugin For Export - ExportOne.dle",
    };
    EXPECT_EQ(statusLines, expected);
    EXPECT_EQ(waits, std::vector<DWORD>(7, 50));

    // The tools lists show the plug-ins in the order the folder search found them.
    EXPECT_EQ(NamesOf(lists[PLUGIN_CREATE]), (std::vector<std::string>{"CreateAlpha", "CreateBeta"}));
    EXPECT_EQ(NamesOf(lists[PLUGIN_MODIFY]), (std::vector<std::string>{"ModifyOne", "ModifyThree", "ModifyTwo"}));
    EXPECT_EQ(NamesOf(lists[PLUGIN_IMPORT]), (std::vector<std::string>{"ImportOne"}));
    EXPECT_EQ(NamesOf(lists[PLUGIN_EXPORT]), (std::vector<std::string>{"ExportOne"}));
    for (const PluginList& list : lists)
        for (INT_PTR i = 0; i < list.GetSize(); ++i)
            EXPECT_NE(list[i].hModule, nullptr);

    EXPECT_TRUE(folder.IsCurrentDirectoryTheProgramDirectory());
}

TEST_F(PluginLoaderTest, EmptyFolderWarnsForEveryKindAndWaitsEightSeconds)
{
    Load();
    const std::vector<std::string> expected = {
        "Warning: No Plugins For Create Find !",
        "Warning: No Plugins For Modify Find !",
        "Warning: No Plugins For Import Find !",
        "Warning: No Plugins For Export Find !",
    };
    EXPECT_EQ(statusLines, expected);
    EXPECT_EQ(waits, std::vector<DWORD>(4, 2000));
    for (const PluginList& list : lists)
        EXPECT_EQ(list.GetSize(), 0);
    EXPECT_TRUE(folder.IsCurrentDirectoryTheProgramDirectory());
}

TEST_F(PluginLoaderTest, BadFilesAreReportedSkippedAndTheNextOneStillLoads)
{
    folder.AddPlugins({"CreateAlpha.dlc", "NullObject.dlc", "NoExport.dlm", "ModifyOne.dlm", "ImportOne.dli",
                       "ExportOne.dle"});
    folder.AddFile("Broken.dlc", "this is not a library\n");
    Load();

    const std::vector<std::string> expected = {
        "Loading Plugin For Create - Broken.dlc",     "Can't Load Plugin - Broken.dlc",
        "Loading Plugin For Create - CreateAlpha.dlc", "Loading Plugin For Create - NullObject.dlc",
        "Can't Load Plugin - NullObject.dlc",          "Loading Plugin For Modify - ModifyOne.dlm",
        "Loading Plugin For Modify - NoExport.dlm",    "Can't Load Plugin - NoExport.dlm",
        "Loading Plugin For Import - ImportOne.dli",   "Loading Plugin For Export - ExportOne.dle",
    };
    EXPECT_EQ(statusLines, expected);
    EXPECT_EQ(waits, (std::vector<DWORD>{50, 2000, 50, 50, 2000, 50, 50, 2000, 50, 50}));
    EXPECT_EQ(NamesOf(lists[PLUGIN_CREATE]), (std::vector<std::string>{"CreateAlpha"}));
    EXPECT_EQ(NamesOf(lists[PLUGIN_MODIFY]), (std::vector<std::string>{"ModifyOne"}));
}

TEST_F(PluginLoaderTest, WithoutPluginsFolderTheProgramFolderIsSearched)
{
    folder.RemovePluginsFolder();
    folder.AddFileToProgramDirectory("CreateAlpha.dlc", folder.BuiltPlugin("CreateAlpha.dlc"));
    Load();
    EXPECT_EQ(NamesOf(lists[PLUGIN_CREATE]), (std::vector<std::string>{"CreateAlpha"}));
    EXPECT_EQ(statusLines.size(), 4u);
    EXPECT_TRUE(folder.IsCurrentDirectoryTheProgramDirectory());
}

TEST_F(PluginLoaderTest, SingleLibraryFailuresLeaveTheRecordEmpty)
{
    folder.AddPlugins({"NullObject.dlc", "NoExport.dlm", "CreateAlpha.dlc"});
    folder.EnterPluginsFolder();

    PluginRecord record;
    EXPECT_FALSE(CMainFrame::LoadPlugin("NullObject.dlc", record));
    EXPECT_EQ(record.plugin, nullptr);
    EXPECT_EQ(record.hModule, nullptr);
    EXPECT_FALSE(CMainFrame::LoadPlugin("NoExport.dlm", record));
    EXPECT_EQ(record.hModule, nullptr);
    EXPECT_FALSE(CMainFrame::LoadPlugin("Missing.dlc", record));
    EXPECT_EQ(record.hModule, nullptr);

    ASSERT_TRUE(CMainFrame::LoadPlugin("CreateAlpha.dlc", record));
    ASSERT_NE(record.plugin, nullptr);
    EXPECT_STREQ(record.plugin->GetName(), "CreateAlpha");
    lists[PLUGIN_CREATE].Add(record);
}

TEST_F(PluginLoaderTest, ReleaseEndsPluginsKindByKindInLoadOrder)
{
    folder.AddPlugins({"ExportOne.dle", "ImportOne.dli", "ModifyTwo.dlm", "ModifyOne.dlm", "CreateBeta.dlc",
                       "CreateAlpha.dlc"});
    Load();
    for (PluginList& list : lists)
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            using SetLog = void (*)(void (*)(const char*));
            auto exported = reinterpret_cast<void (*)()>(::GetProcAddress(list[i].hModule, "TestPluginSetReleaseLog"));
            auto setLog = reinterpret_cast<SetLog>(exported);
            ASSERT_NE(setLog, nullptr);
            setLog(&RecordRelease);
        }

    g_released.clear();
    ReleasePlugins(lists);
    const std::vector<std::string> expected = {"CreateAlpha", "CreateBeta", "ModifyOne",
                                               "ModifyTwo",   "ImportOne",  "ExportOne"};
    EXPECT_EQ(g_released, expected);
    for (const PluginList& list : lists)
        EXPECT_EQ(list.GetSize(), 0);
}

}  // namespace
