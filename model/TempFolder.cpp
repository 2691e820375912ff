#include "model/TempFolder.h"

#include <cctype>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsAbsoluteFolder(const CString& path)
{
    const int length = path.GetLength();
    if (length == 0 || !IsSeparator(path[length - 1]))
        return false;
    if (IsSeparator(path[0]))
        return true;
    return length >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && IsSeparator(path[2]);
}

}  // namespace

void EmptyTempFolder(const CString& programDir)
{
    if (IsAbsoluteFolder(programDir))
        EmptyFolder(programDir + "Temp\\");
}

void EmptyFolder(const CString& folder)
{
    if (!IsAbsoluteFolder(folder))
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder + "*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            DeleteFileA(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
