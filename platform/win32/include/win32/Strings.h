// C run-time string helpers the program uses.
//
// Emulated: byte-wise comparison and the lstr* length and copy calls on
// 8-bit strings.
// Left out: multi-byte code pages (_mbscmp compares bytes), wide strings.
#pragma once

#include <win32/Types.h>

// Byte-wise comparison of two strings: <0, 0 or >0 (bytes compared unsigned).
ORBEL_API int _mbscmp(const unsigned char* string1, const unsigned char* string2);
// Convenience for the program's char strings.
ORBEL_API int _mbscmp(const char* string1, const char* string2);
ORBEL_API int lstrlenA(LPCSTR lpString);
ORBEL_API LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2);
#define lstrlen lstrlenA
#define lstrcpy lstrcpyA
