// Files and folders: current directory, search, copy, delete, attributes.
// Paths may use "\" or "/"; paths and names handed back use "\".
//
// Emulated: the ANSI calls below over POSIX; file times and sizes in the
// search records; the DIRECTORY, ARCHIVE and READONLY (no write bit)
// attributes.
// Left out: wide-character calls, 8.3 names (cAlternateFileName stays
// empty), the HIDDEN and SYSTEM attributes, security attributes (accepted
// and ignored), wildcards in the folder part of a search pattern, moving
// and renaming, and file handles (files are opened through CFile).
// Refused: null or empty names (ERROR_INVALID_PARAMETER), deleting a folder
// (ERROR_ACCESS_DENIED), copying a file onto itself (ERROR_SHARING_VIOLATION).
#pragma once

#include <win32/Types.h>

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(0xFFFFFFFF))

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA*;
using WIN32_FIND_DATA = WIN32_FIND_DATAA;
using LPWIN32_FIND_DATA = WIN32_FIND_DATAA*;

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// Returns the length written (without the terminator), or the size needed
// (with the terminator) when the buffer is too small, or 0 on failure.
ORBEL_API DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
ORBEL_API BOOL SetCurrentDirectoryA(LPCSTR lpPathName);

// Search a folder for names matching a pattern with "*" and "?" (for
// example "Plugins\*.dlc"), case-insensitively. "*.*" matches every name,
// "." and ".." included. Results come sorted by name, "." and ".." first.
ORBEL_API HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData);
ORBEL_API BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData);
ORBEL_API BOOL FindClose(HANDLE hFindFile);

// Fails for folders (ERROR_ACCESS_DENIED) and missing files.
ORBEL_API BOOL DeleteFileA(LPCSTR lpFileName);
ORBEL_API BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
ORBEL_API DWORD GetFileAttributesA(LPCSTR lpFileName);
ORBEL_API BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);

#define GetCurrentDirectory GetCurrentDirectoryA
#define SetCurrentDirectory SetCurrentDirectoryA
#define FindFirstFile FindFirstFileA
#define FindNextFile FindNextFileA
#define DeleteFile DeleteFileA
#define CopyFile CopyFileA
#define GetFileAttributes GetFileAttributesA
#define CreateDirectory CreateDirectoryA
