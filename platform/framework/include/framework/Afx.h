// Everything of the application framework: one include for the program,
// the model and the plug-ins.
#pragma once

#include <win32/Win32.h>
#include <framework/Resources.h>
