// Everything of the Windows-shaped system interface.
#pragma once

#include <win32/Types.h>
#include <win32/Errors.h>
#include <win32/FileSystem.h>
#include <win32/Library.h>
#include <win32/MessageBoxCodes.h>
#include <win32/Paths.h>
#include <win32/Sleep.h>
#include <win32/Strings.h>
