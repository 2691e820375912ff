// Loading libraries at run time and naming modules.
//
// Emulated: LoadLibraryA, GetProcAddress, FreeLibrary, GetModuleHandleA and
// GetModuleFileNameA over dlopen, with a reference count per library. A
// library's entry point is emulated too: if it exports
//   extern "C" BOOL DllMain(HINSTANCE, DWORD, LPVOID)
// it is called with DLL_PROCESS_ATTACH after the first load and with
// DLL_PROCESS_DETACH before the last FreeLibrary; FALSE from the attach call
// fails the load (DllMain then hears DLL_PROCESS_DETACH, the library is
// closed and NULL returned, with ERROR_DLL_INIT_FAILED). Libraries are opened
// with local symbol binding, so equally named classes of two libraries never
// bind to each other.
// Left out: the system's search order (a bare name means the current
// folder), exports by ordinal, thread attach and detach calls, LoadLibraryEx.
// Refused: a missing file or a folder (ERROR_MOD_NOT_FOUND), a file the
// loader cannot open (ERROR_BAD_EXE_FORMAT), an unknown symbol
// (ERROR_PROC_NOT_FOUND).
#pragma once

#include <win32/Types.h>

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// Returns nothing, unlike the original's INT_PTR: the compiler accepts a cast
// from this type to any function pointer type without a warning.
using FARPROC = void (*)();
using DllMainProc = BOOL (*)(HINSTANCE, DWORD, LPVOID);

// A name without a folder separator is looked up in the current directory.
ORBEL_API HMODULE LoadLibraryA(LPCSTR lpLibFileName);
ORBEL_API FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
ORBEL_API BOOL FreeLibrary(HMODULE hLibModule);

// NULL names the program itself; otherwise the name of a library loaded
// with LoadLibraryA (as given or its file name, case-insensitively).
ORBEL_API HMODULE GetModuleHandleA(LPCSTR lpModuleName);
// The full path of the program (hModule NULL) or of a loaded library, with
// "\" separators. Returns the length copied; a too small buffer gets the
// truncated, terminated path, nSize is returned and the last error is
// ERROR_INSUFFICIENT_BUFFER.
ORBEL_API DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

#define LoadLibrary LoadLibraryA
#define GetModuleHandle GetModuleHandleA
#define GetModuleFileName GetModuleFileNameA
