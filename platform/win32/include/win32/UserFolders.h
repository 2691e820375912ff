// The current user's own folders on the desktop, for what a program cannot
// keep beside itself when it is installed where the user may not write.
//
// Emulated the way the desktop names them (the XDG base folders): the
// cache and the data folder, under the user's home when not set.
// Left out: every other known folder (documents, pictures, roaming data).
#pragma once

#include <win32/Types.h>

#include <string>

namespace orbel {

enum class UserFolderKind {
    Cache,  // $XDG_CACHE_HOME, else ~/.cache: files the program may lose
    Data,   // $XDG_DATA_HOME, else ~/.local/share: files the user keeps
};

// The user's folder of that kind with `subfolder` (a relative program path
// such as "Orbel\Temp") inside it, made as needed; a program path ending in
// '\'. Empty when the user has no home or the folder cannot be made.
ORBEL_API std::string UserFolder(UserFolderKind kind, const std::string& subfolder);

// Whether `folder` (a program path) is an existing folder this process may
// create files in.
ORBEL_API bool IsWritableFolder(const std::string& folder);

} // namespace orbel
