// Everything of the framework's core, which knows no windows: one include
// for the model and for tools that read and write files without a screen.
// <framework/Afx.h> has all of it and the windows besides.
//
// This split is the layer's own; the framework it stands in for is one
// library.
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
#include <framework/MessageMap.h>
#include <framework/CommandIds.h>
#include <framework/CmdTarget.h>
#include <framework/CmdUI.h>
#include <framework/Document.h>
