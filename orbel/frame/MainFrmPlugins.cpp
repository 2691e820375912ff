// Binding one plug-in library: the frame's part of loading the "Plugins"
// folder, which orbel/host/PluginLoader scans.
#include "orbel/frame/MainFrm.h"

BOOL CMainFrame::LoadPlugin(LPCSTR fileName, PluginRecord& record)
{
    record.plugin = nullptr;
    record.hModule = ::LoadLibraryA(fileName);
    if (record.hModule == nullptr)
        return FALSE;

    // Through the generic function type, which converts to any other.
    auto exported = reinterpret_cast<void (*)()>(::GetProcAddress(record.hModule, ORBEL_GET_PLUGIN_NAME));
    auto getPlugin = reinterpret_cast<GetPluginFunction>(exported);
    if (getPlugin != nullptr)
        getPlugin(&record.plugin);

    // A library that cannot hand over an object is of no use and would
    // only be dereferenced later: it is not kept loaded.
    if (record.plugin == nullptr) {
        ::FreeLibrary(record.hModule);
        record.hModule = nullptr;
        return FALSE;
    }
    return TRUE;
}
