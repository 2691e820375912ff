#include <win32/Strings.h>

#include <cstring>

int _mbscmp(const unsigned char* string1, const unsigned char* string2)
{
    // strcmp compares as unsigned char, which is the byte order wanted here.
    return std::strcmp(reinterpret_cast<const char*>(string1), reinterpret_cast<const char*>(string2));
}

int _mbscmp(const char* string1, const char* string2)
{
    return std::strcmp(string1, string2);
}

int lstrlenA(LPCSTR lpString)
{
    return lpString != nullptr ? static_cast<int>(std::strlen(lpString)) : 0;
}

LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2)
{
    if (lpString1 == nullptr || lpString2 == nullptr)
        return nullptr;
    return std::strcpy(lpString1, lpString2);
}
