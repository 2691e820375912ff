// Everything of the Windows-shaped system interface.
//
// Emulated: the kernel calls the program and the plug-ins use: files and
// folders, libraries, the last error, Sleep and string helpers (the window,
// message and GDI side is part of the framework, <framework/WinUser.h>).
// Left out: processes, threads, synchronisation, the registry (the profile
// lives in a text file, see <framework/WinApp.h>), memory and console calls.
#pragma once

#include <win32/Types.h>
#include <win32/Errors.h>
#include <win32/FileSystem.h>
#include <win32/Library.h>
#include <win32/MessageBoxCodes.h>
#include <win32/Paths.h>
#include <win32/Sleep.h>
#include <win32/Strings.h>
