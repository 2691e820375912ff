#include <win32/Paths.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

namespace orbel {
namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The spelling of name inside folder that matches it ignoring case, or
// name itself when there is none.
std::string MatchInFolder(const std::string& folder, const std::string& name)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return name;
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0)
            matches.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    if (matches.empty())
        return name;
    return *std::min_element(matches.begin(), matches.end());
}

} // namespace

std::string ToNativePath(const std::string& programPath)
{
    std::string path = programPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || Exists(path))
        return path;

    // Rebuild the path component by component, fixing the case of each one
    // that does not exist as written.
    std::string result;
    std::size_t pos = 0;
    if (path[0] == '/') {
        result = "/";
        pos = 1;
    }
    bool parentExists = true;
    while (pos <= path.size()) {
        std::size_t next = path.find('/', pos);
        if (next == std::string::npos)
            next = path.size();
        std::string component = path.substr(pos, next - pos);
        if (!component.empty() && component != "." && component != "..") {
            const std::string folder = result;
            std::string candidate = folder + component;
            if (parentExists && !Exists(candidate)) {
                component = MatchInFolder(folder, component);
                candidate = folder + component;
                parentExists = Exists(candidate);
            }
            result = candidate;
        } else if (!component.empty()) {
            result += component;
        }
        if (next < path.size())
            result += '/';
        pos = next + 1;
    }
    return result;
}

std::string ToNativePath(const char* programPath)
{
    return ToNativePath(std::string(programPath != nullptr ? programPath : ""));
}

std::string ToProgramPath(std::string nativePath)
{
    std::replace(nativePath.begin(), nativePath.end(), '/', '\\');
    return nativePath;
}

} // namespace orbel
