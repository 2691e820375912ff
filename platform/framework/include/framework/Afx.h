// Everything of the application framework: one include for the program,
// the model and the plug-ins.
#pragma once

#include <win32/Win32.h>

#include <framework/Object.h>
#include <framework/CString.h>
#include <framework/Exceptions.h>
#include <framework/FailureReport.h>
#include <framework/Plex.h>
#include <framework/File.h>
#include <framework/Archive.h>
#include <framework/Array.h>
#include <framework/List.h>
#include <framework/CmdTarget.h>
#include <framework/Document.h>
