// The snapshot folder "Temp" under the program directory.
#pragma once

#include <framework/Core.h>

// Deletes the files (not the folders) in programDir + "Temp". Does nothing
// unless programDir is an absolute path ending in '\' and the folder exists,
// so a missing program directory never empties the current directory.
void EmptyTempFolder(const CString& programDir);
