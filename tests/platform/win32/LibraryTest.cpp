#include <win32/SleepHook.h>
#include <win32/Win32.h>

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using orbel::test::ScratchFolder;

namespace {

// The test libraries report their entry calls through Sleep; the hook
// records them (and nobody waits).
class Library : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = orbel::SetSleepHook([this](DWORD ms) { calls.push_back(ms); });
        std::filesystem::current_path(ORBEL_TEST_LIBRARY_DIR);
    }
    void TearDown() override { orbel::SetSleepHook(previous); }

    std::vector<DWORD> calls;
    orbel::SleepHook previous;
    ScratchFolder restoresCurrentDirectory;
};

std::string BackslashedLibraryDir()
{
    std::string path = ORBEL_TEST_LIBRARY_DIR;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace

TEST_F(Library, LoadsFromTheCurrentDirectoryAndRunsItsEntry)
{
    HMODULE module = LoadLibraryA("ACCEPTING.dlc");  // bare name, another case
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(calls, (std::vector<DWORD>{1000 + DLL_PROCESS_ATTACH}));

    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "Answer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    // Only the library's own exports: Sleep comes from a library it uses.
    EXPECT_EQ(GetProcAddress(module, "Sleep"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, path, sizeof path);
    EXPECT_EQ(std::string(path, length), BackslashedLibraryDir() + "\\accepting.dlc");
    EXPECT_EQ(GetModuleHandleA("accepting.dlc"), module);

    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(calls, (std::vector<DWORD>{1000 + DLL_PROCESS_ATTACH, 1000 + DLL_PROCESS_DETACH}));
    EXPECT_EQ(GetModuleHandleA("accepting.dlc"), nullptr);
    EXPECT_FALSE(FreeLibrary(module));
}

TEST_F(Library, LoadingTwiceCountsReferencesAndAttachesOnce)
{
    std::filesystem::current_path("/");
    const std::string path = BackslashedLibraryDir() + "\\accepting.dlc";
    HMODULE first = LoadLibraryA(path.c_str());
    HMODULE second = LoadLibraryA(path.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(calls.size(), 1u);  // still loaded
    EXPECT_NE(GetProcAddress(second, "Answer"), nullptr);
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(Library, AnEntryThatRefusesFailsTheLoad)
{
    EXPECT_EQ(LoadLibraryA("refusing.dlc"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(calls, (std::vector<DWORD>{2000 + DLL_PROCESS_ATTACH, 2000 + DLL_PROCESS_DETACH}));
    EXPECT_EQ(GetModuleHandleA("refusing.dlc"), nullptr);
}

TEST_F(Library, LibrariesWithoutEntryAndFilesThatAreNoLibraries)
{
    HMODULE plain = LoadLibraryA("plain.dlc");
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(reinterpret_cast<int (*)()>(GetProcAddress(plain, "Answer"))(), 7);
    EXPECT_TRUE(FreeLibrary(plain));

    ScratchFolder folder;
    folder.WriteFile("broken.dlc", "this is not a library");
    EXPECT_EQ(LoadLibraryA(folder.Backslashed("broken.dlc").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    EXPECT_EQ(LoadLibraryA("missing.dlc"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(nullptr, nullptr), nullptr);
}

TEST(Modules, TheProgramNamesItselfWithBackslashes)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    ASSERT_GT(length, 0u);
    const std::string name(path, length);
    EXPECT_EQ(name.find('/'), std::string::npos);
    EXPECT_EQ(name.substr(name.rfind('\\') + 1), "test_win32");
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);

    // Too small a buffer: truncated, terminated, reported.
    char tiny[5];
    EXPECT_EQ(GetModuleFileNameA(nullptr, tiny, sizeof tiny), 5u);
    EXPECT_EQ(std::string(tiny), name.substr(0, 4));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(SleepHook, RecordsInsteadOfWaitingAndRestores)
{
    std::vector<DWORD> outer, inner;
    auto original = orbel::SetSleepHook([&](DWORD ms) { outer.push_back(ms); });
    Sleep(2000);
    auto previous = orbel::SetSleepHook([&](DWORD ms) { inner.push_back(ms); });
    Sleep(5);
    orbel::SetSleepHook(previous);
    Sleep(7);
    orbel::SetSleepHook(original);
    EXPECT_EQ(outer, (std::vector<DWORD>{2000, 7}));
    EXPECT_EQ(inner, (std::vector<DWORD>{5}));
}
