#include "plugins/Tovrin/TextureLookup.h"

#include <win32/FileSystem.h>

#include <string>

namespace {

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Runs of separators become one "\", and leading ".\" steps go.
std::string Tidy(const std::string& name)
{
    std::string out;
    for (char c : name) {
        if (IsSeparator(c)) {
            if (!out.empty() && out.back() == '\\')
                continue;
            c = '\\';
        }
        out += c;
    }
    while (out.size() > 2 && out[0] == '.' && out[1] == '\\')
        out.erase(0, 2);
    return out;
}

}  // namespace

CString FindTextureFile(const CString& xFilePath, const CString& textureName)
{
    const std::string name(static_cast<LPCTSTR>(textureName));
    if (name.empty() || IsFile(name))
        return textureName;
    const std::string path(static_cast<LPCTSTR>(xFilePath));
    std::size_t cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    const std::string folder = path.substr(0, cut);
    const std::string tidy = Tidy(name);
    const bool absolute = tidy.size() > 1 && (tidy[1] == ':' || tidy[0] == '\\');
    if (!absolute && IsFile(folder + tidy))
        return CString((folder + tidy).c_str());
    const std::size_t last = tidy.find_last_of('\\');
    const std::string leaf = last == std::string::npos ? tidy : tidy.substr(last + 1);
    if (!leaf.empty() && IsFile(folder + leaf))
        return CString((folder + leaf).c_str());
    return textureName;
}
