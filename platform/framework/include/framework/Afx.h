// Everything of the application framework: one include for the program,
// the model and the plug-ins.
//
// Left out of the framework as a whole: MDI, OLE and COM, printing and
// print preview, Unicode builds, property sheets, tree and list views,
// rich edit, sockets, database classes, threads (CWinThread is the
// application alone), diagnostics (ASSERT_VALID, Dump, AssertValid) and
// help. Each header says what its own part leaves out.
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
#include <framework/Resources.h>
#include <framework/WinUser.h>
#include <framework/Geometry.h>
#include <framework/MessageMap.h>
#include <framework/CmdUI.h>
#include <framework/Wnd.h>
#include <framework/Gdi.h>
#include <framework/Menu.h>
#include <framework/DocTemplate.h>
#include <framework/WinApp.h>
#include <framework/ControlBars.h>
#include <framework/FrameWnd.h>
#include <framework/View.h>
#include <framework/Splitter.h>
#include <framework/ControlStyles.h>
#include <framework/DialogUnits.h>
#include <framework/MessageBox.h>
#include <framework/DataExchange.h>
#include <framework/Dialog.h>
#include <framework/Controls.h>
#include <framework/DialogBar.h>
#include <framework/CommonDialogs.h>
