// Where a texture named in a ".x" file is: exporters write absolute paths
// of the machine they ran on, ".\" prefixes and doubled backslashes, and
// the file usually travels with its textures beside it.
#pragma once

#include <framework/Afx.h>

// The name itself when a file of that name exists (relative to the current
// folder), else the first existing of: the name below the ".x" file's
// folder, the name's last component beside the ".x" file. When none exists,
// the name as given.
CString FindTextureFile(const CString& xFilePath, const CString& textureName);
