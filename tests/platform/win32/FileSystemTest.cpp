#include <win32/Win32.h>

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orbel::test::ScratchFolder;

namespace {

struct Found {
    std::string name;
    DWORD attributes;
    DWORD size;
};

// Every entry a search yields, in order; empty when FindFirstFileA fails.
std::vector<Found> FindAll(const std::string& pattern)
{
    std::vector<Found> found;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        found.push_back({data.cFileName, data.dwFileAttributes, data.nFileSizeLow});
    } while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    return found;
}

std::vector<std::string> Names(const std::vector<Found>& found)
{
    std::vector<std::string> names;
    for (const auto& entry : found)
        names.push_back(entry.name);
    return names;
}

class FileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteFile("Plugins/b.dlc", "bb");
        folder.WriteFile("Plugins/A.DLC", "aaaa");
        folder.WriteFile("Plugins/c.dlm", "");
        folder.WriteFile("Plugins/README", "r");
        folder.WriteFile("Plugins/Sub/x.dlc", "");
    }
    ScratchFolder folder;
};

} // namespace

TEST_F(FileSystem, PatternsMatchIgnoringCaseSortedByName)
{
    EXPECT_EQ(Names(FindAll(folder.Backslashed("Plugins\\*.dlc"))), (std::vector<std::string>{"A.DLC", "b.dlc"}));
    EXPECT_EQ(Names(FindAll(folder.Backslashed("plugins\\*.DLM"))), (std::vector<std::string>{"c.dlm"}));
    EXPECT_EQ(Names(FindAll(folder.Backslashed("Plugins\\?.dl?"))),
              (std::vector<std::string>{"A.DLC", "b.dlc", "c.dlm"}));
    EXPECT_EQ(Names(FindAll(folder.Backslashed("Plugins\\readme"))), (std::vector<std::string>{"README"}));
}

TEST_F(FileSystem, StarDotStarListsEverythingWithDotEntriesFirst)
{
    const auto found = FindAll(folder.Backslashed("Plugins\\*.*"));
    EXPECT_EQ(Names(found), (std::vector<std::string>{".", "..", "A.DLC", "b.dlc", "c.dlm", "README", "Sub"}));
    for (const auto& entry : found) {
        const bool isFolder = entry.name == "." || entry.name == ".." || entry.name == "Sub";
        EXPECT_EQ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, isFolder) << entry.name;
    }
    EXPECT_EQ(found[2].size, 4u);
    EXPECT_EQ(found[3].size, 2u);
}

TEST_F(FileSystem, SearchFailuresSayWhy)
{
    WIN32_FIND_DATAA data;
    EXPECT_EQ(FindFirstFileA(folder.Backslashed("Plugins\\*.dle").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA(folder.Backslashed("Nowhere\\*.*").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    int notASearch = 0;
    EXPECT_FALSE(FindNextFileA(&notASearch, &data));
    EXPECT_FALSE(FindClose(&notASearch));
}

TEST_F(FileSystem, CurrentDirectoryTravelsInProgramForm)
{
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Backslashed("plugins").c_str()));
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    EXPECT_EQ(std::string(buffer, length), folder.Backslashed("Plugins"));
    EXPECT_EQ(std::string(buffer).find('/'), std::string::npos);

    // Too small a buffer: the size needed, terminator included.
    char tiny[4];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), length + 1);

    // A relative search now works in the new current directory.
    EXPECT_EQ(Names(FindAll("*.dlc")), (std::vector<std::string>{"A.DLC", "b.dlc"}));
    EXPECT_TRUE(SetCurrentDirectoryA(".."));
    EXPECT_FALSE(SetCurrentDirectoryA("NoSuchFolder"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    // An empty program directory must not silently mean "stay where you are".
    EXPECT_FALSE(SetCurrentDirectoryA(""));
    EXPECT_FALSE(SetCurrentDirectoryA(nullptr));
}

TEST_F(FileSystem, CopyHonoursFailIfExistsAndNeverEmptiesItsSource)
{
    const std::string source = folder.Backslashed("Plugins\\A.DLC");
    const std::string target = folder.Backslashed("Temp\\Uzal.bin");
    folder.WriteFile("Temp/Uzal.bin", "old");

    EXPECT_FALSE(CopyFileA(source.c_str(), target.c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(folder.ReadFile("Temp/Uzal.bin"), "old");

    EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE));
    EXPECT_EQ(folder.ReadFile("Temp/Uzal.bin"), "aaaa");

    EXPECT_FALSE(CopyFileA(source.c_str(), folder.Backslashed("plugins\\a.dlc").c_str(), FALSE));
    EXPECT_EQ(folder.ReadFile("Plugins/A.DLC"), "aaaa");

    EXPECT_FALSE(CopyFileA(folder.Backslashed("Missing.bin").c_str(), target.c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileSystem, DeleteRemovesFilesButNotFolders)
{
    EXPECT_TRUE(DeleteFileA(folder.Backslashed("Plugins\\b.DLC").c_str()));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Plugins/b.dlc"));
    EXPECT_FALSE(DeleteFileA(folder.Backslashed("Plugins\\b.dlc").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileA(folder.Backslashed("Plugins\\Sub").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "Plugins/Sub/x.dlc"));
}

TEST_F(FileSystem, AttributesAndNewFolders)
{
    EXPECT_EQ(GetFileAttributesA(folder.Backslashed("Plugins\\Sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesA(folder.Backslashed("Plugins\\README").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(GetFileAttributesA(folder.Backslashed("None").c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_TRUE(CreateDirectoryA(folder.Backslashed("Images").c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA(folder.Backslashed("Images").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA(folder.Backslashed("No\\Parent").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(Strings, ByteWiseComparison)
{
    EXPECT_EQ(_mbscmp("abc", "abc"), 0);
    EXPECT_LT(_mbscmp("ABC", "abc"), 0);
    EXPECT_GT(_mbscmp("\xC3\xA9", "z"), 0);  // bytes compare unsigned
    EXPECT_LT(_mbscmp("ab", "abc"), 0);
}
