// Emptying the snapshot folder: "Temp" under the program directory, or the
// folder of the running instance.
#pragma once

#include <framework/Core.h>

// Deletes the files (not the folders) in programDir + "Temp". Does nothing
// unless programDir is an absolute path ending in '\' and the folder exists,
// so a missing program directory never empties the current directory.
void EmptyTempFolder(const CString& programDir);

// Deletes the files (not the folders) in folder, under the same rule: an
// absolute path ending in '\', or nothing happens.
void EmptyFolder(const CString& folder);
