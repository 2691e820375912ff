#include <win32/Paths.h>
#include <win32/UserFolders.h>

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace orbel {

namespace {

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/')
        return user->pw_dir;
    return {};
}

// The base folder of a kind; relative settings are ignored, as the desktop's
// rules for these variables ask.
std::string BaseFolder(UserFolderKind kind)
{
    const char* variable = kind == UserFolderKind::Cache ? "XDG_CACHE_HOME" : "XDG_DATA_HOME";
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') return value;
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    return home + (kind == UserFolderKind::Cache ? "/.cache" : "/.local/share");
}

} // namespace

std::string UserFolder(UserFolderKind kind, const std::string& subfolder)
{
    const std::string base = BaseFolder(kind);
    if (base.empty()) return {};
    std::string relative = subfolder;
    for (char& c : relative)
        if (c == '\\') c = '/';
    const std::filesystem::path folder = std::filesystem::path(base) / relative;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) return {};
    std::string path = ToProgramPath(folder.lexically_normal().string());
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

bool IsWritableFolder(const std::string& folder)
{
    const std::string native = ToNativePath(folder);
    std::error_code error;
    return std::filesystem::is_directory(native, error) && ::access(native.c_str(), W_OK | X_OK) == 0;
}

} // namespace orbel
