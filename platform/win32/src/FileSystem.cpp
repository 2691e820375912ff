#include <win32/Errors.h>
#include <win32/FileSystem.h>
#include <win32/Paths.h>

#include "ErrorCodes.h"
#include "Wildcard.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <memory>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using orbel::detail::FailWith;
using orbel::detail::FailWithErrno;

namespace {

struct FindState {
    std::vector<WIN32_FIND_DATAA> entries;
    std::size_t next = 0;
};

std::mutex& FindMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<FindState*>& OpenSearches()
{
    static auto* searches = new std::set<FindState*>;  // outlives every static that might search
    return *searches;
}

FILETIME ToFileTime(const timespec& time)
{
    // 100-nanosecond steps since 1 January 1601.
    constexpr ULONGLONG epochDifference = 116444736000000000ull;
    const ULONGLONG ticks = static_cast<ULONGLONG>(time.tv_sec) * 10000000ull +
                            static_cast<ULONGLONG>(time.tv_nsec) / 100ull + epochDifference;
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

DWORD AttributesOf(const struct stat& st)
{
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

bool FillFindData(const std::string& folder, const std::string& name, WIN32_FIND_DATAA& data)
{
    if (name.size() >= MAX_PATH)
        return false;
    struct stat st {};
    if (::stat((folder + name).c_str(), &st) != 0)
        return false;
    std::memset(&data, 0, sizeof data);
    data.dwFileAttributes = AttributesOf(st);
    data.ftCreationTime = ToFileTime(st.st_ctim);
    data.ftLastAccessTime = ToFileTime(st.st_atim);
    data.ftLastWriteTime = ToFileTime(st.st_mtim);
    if (!S_ISDIR(st.st_mode)) {
        const auto size = static_cast<ULONGLONG>(st.st_size);
        data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
    }
    std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
    return true;
}

// "." and ".." first, then by name ignoring case, then byte-wise.
bool ComesBefore(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b)
{
    auto rank = [](const char* name) {
        return std::strcmp(name, ".") == 0 ? 0 : std::strcmp(name, "..") == 0 ? 1 : 2;
    };
    const int rankA = rank(a.cFileName), rankB = rank(b.cFileName);
    if (rankA != rankB)
        return rankA < rankB;
    const int folded = ::strcasecmp(a.cFileName, b.cFileName);
    if (folded != 0)
        return folded < 0;
    return std::strcmp(a.cFileName, b.cFileName) < 0;
}

} // namespace

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    if (error)
        return static_cast<DWORD>(FailWith(orbel::detail::ErrorFromErrno(error.value())));
    const std::string path = orbel::ToProgramPath(cwd.string());
    if (lpBuffer == nullptr || path.size() + 1 > nBufferLength)
        return static_cast<DWORD>(path.size() + 1);
    std::memcpy(lpBuffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName)
{
    if (lpPathName == nullptr || *lpPathName == '\0')
        return FailWith(ERROR_INVALID_PARAMETER);
    if (::chdir(orbel::ToNativePath(lpPathName).c_str()) != 0)
        return errno == ENOENT ? FailWith(ERROR_PATH_NOT_FOUND) : FailWithErrno();
    return TRUE;
}

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData)
{
    if (lpFileName == nullptr || lpFindFileData == nullptr) {
        FailWith(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string pattern = lpFileName;
    std::replace(pattern.begin(), pattern.end(), '\\', '/');
    const std::size_t slash = pattern.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    const std::string namePattern = pattern.substr(folder.size());
    if (!folder.empty())
        folder = orbel::ToNativePath(folder);
    if (!folder.empty() && folder.back() != '/')
        folder += '/';

    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        FailWith(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto state = std::make_unique<FindState>();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!orbel::detail::MatchesWildcard(namePattern, name))
            continue;
        WIN32_FIND_DATAA data;
        if (FillFindData(folder, name, data))
            state->entries.push_back(data);
    }
    ::closedir(dir);
    if (state->entries.empty()) {
        FailWith(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(state->entries.begin(), state->entries.end(), ComesBefore);
    *lpFindFileData = state->entries[0];
    state->next = 1;
    std::lock_guard lock(FindMutex());
    OpenSearches().insert(state.get());
    return state.release();
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData)
{
    std::lock_guard lock(FindMutex());
    auto* state = static_cast<FindState*>(hFindFile);
    if (!OpenSearches().contains(state) || lpFindFileData == nullptr)
        return FailWith(ERROR_INVALID_HANDLE);
    if (state->next >= state->entries.size())
        return FailWith(ERROR_NO_MORE_FILES);
    *lpFindFileData = state->entries[state->next++];
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile)
{
    std::lock_guard lock(FindMutex());
    auto* state = static_cast<FindState*>(hFindFile);
    if (OpenSearches().erase(state) == 0)
        return FailWith(ERROR_INVALID_HANDLE);
    delete state;
    return TRUE;
}

BOOL DeleteFileA(LPCSTR lpFileName)
{
    if (lpFileName == nullptr)
        return FailWith(ERROR_INVALID_PARAMETER);
    const std::string path = orbel::ToNativePath(lpFileName);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return FailWithErrno();
    if (S_ISDIR(st.st_mode))
        return FailWith(ERROR_ACCESS_DENIED);
    if (::unlink(path.c_str()) != 0)
        return FailWithErrno();
    return TRUE;
}

BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr)
        return FailWith(ERROR_INVALID_PARAMETER);
    const std::string source = orbel::ToNativePath(lpExistingFileName);
    const std::string target = orbel::ToNativePath(lpNewFileName);
    struct stat sourceStat {};
    if (::stat(source.c_str(), &sourceStat) != 0)
        return FailWithErrno();
    if (S_ISDIR(sourceStat.st_mode))
        return FailWith(ERROR_ACCESS_DENIED);
    struct stat targetStat {};
    if (::stat(target.c_str(), &targetStat) == 0) {
        if (bFailIfExists)
            return FailWith(ERROR_FILE_EXISTS);
        if (S_ISDIR(targetStat.st_mode))
            return FailWith(ERROR_ACCESS_DENIED);
        if (targetStat.st_dev == sourceStat.st_dev && targetStat.st_ino == sourceStat.st_ino)
            return FailWith(ERROR_SHARING_VIOLATION);  // copying a file onto itself would empty it
    }
    std::error_code error;
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        return FailWith(orbel::detail::ErrorFromErrno(error.value()));
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    if (lpFileName == nullptr) {
        FailWith(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    struct stat st {};
    if (::stat(orbel::ToNativePath(lpFileName).c_str(), &st) != 0) {
        FailWithErrno();
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(st);
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
    if (lpPathName == nullptr || *lpPathName == '\0')
        return FailWith(ERROR_INVALID_PARAMETER);
    if (::mkdir(orbel::ToNativePath(lpPathName).c_str(), 0777) != 0)
        return errno == ENOENT ? FailWith(ERROR_PATH_NOT_FOUND) : FailWithErrno();
    return TRUE;
}
