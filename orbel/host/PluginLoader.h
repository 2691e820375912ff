// Finding, binding and releasing the plug-in libraries of the "Plugins"
// folder. The main frame owns the lists; these functions fill and empty them.
#pragma once

#include <framework/Afx.h>
#include <plugins/common/Plugin.h>

#include <functional>

using PluginList = CArray<PluginRecord, PluginRecord&>;
using PluginLists = PluginList[PLUGIN_CATEGORY_COUNT];

// Receives every progress or failure text meant for the user.
using PluginStatusFunction = std::function<void(LPCSTR text)>;

// How long each message stays readable before loading goes on.
constexpr DWORD kPluginLoadingPauseMs = 50;
constexpr DWORD kPluginWarningPauseMs = 2000;

// Binds one library by its file name into a record; FALSE leaves the record
// empty (CMainFrame::LoadPlugin).
using PluginBindFunction = BOOL (*)(LPCSTR fileName, PluginRecord& record);

// Scans "Plugins" under the program folder kind by kind (create, modify,
// import, export), binds each file found with bind, appends one record per
// bound library in the order the folder search returns the files and
// reports each step through showStatus. The program folder is the current
// folder afterwards.
void LoadPluginsFromFolder(const CString& programDirectory, PluginLists& lists, PluginBindFunction bind,
                           const PluginStatusFunction& showStatus);

// Ends every plug-in (Release, then the library is freed) kind by kind in
// load order, and empties the lists.
void ReleasePlugins(PluginLists& lists);
