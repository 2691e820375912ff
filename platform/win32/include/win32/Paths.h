// Path conversion at the boundary between the program's Windows-style paths
// and the native file system. Every platform component that takes a path
// from the program goes through ToNativePath; every path handed back to the
// program goes through ToProgramPath, so the program's "\"-based arithmetic
// (folder = text up to the last backslash) keeps working.
//
// This is the layer's own addition; Windows has no such calls.
// Left out: drive letters and UNC names (they are kept as plain text).
#pragma once

#include <win32/Types.h>

#include <string>

namespace orbel {

// Native form of a program path: "\" becomes "/". Where a component does not
// exist as spelled but exactly one spelling of it differing only in case does
// (the first in byte order when several do), that spelling is used, as names
// match case-insensitively on the program's original platform. A component
// that does not exist at all (a file about to be created) is kept as given.
ORBEL_API std::string ToNativePath(const char* programPath);
ORBEL_API std::string ToNativePath(const std::string& programPath);

// Program form of a native path: "/" becomes "\".
ORBEL_API std::string ToProgramPath(std::string nativePath);

} // namespace orbel
