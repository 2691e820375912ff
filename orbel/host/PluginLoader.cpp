#include "orbel/host/PluginLoader.h"

#include "orbel/host/PluginCatalog.h"

BOOL LoadPluginLibrary(LPCSTR fileName, PluginRecord& record)
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

namespace {

void LoadCategory(const PluginCategoryInfo& info, PluginList& list, const PluginStatusFunction& showStatus)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA(info.pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        showStatus(info.noneFoundText);
        ::Sleep(kPluginWarningPauseMs);
        return;
    }
    do {
        CString name = found.cFileName;
        showStatus(CString(info.loadingPrefix) + name);
        ::Sleep(kPluginLoadingPauseMs);

        PluginRecord record;
        if (LoadPluginLibrary(name, record)) {
            list.Add(record);
        } else {
            showStatus(CString(kPluginLoadFailedPrefix) + name);
            ::Sleep(kPluginWarningPauseMs);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

}  // namespace

void LoadPluginsFromFolder(const CString& programDirectory, PluginLists& lists,
                           const PluginStatusFunction& showStatus)
{
    // Without a "Plugins" folder the search runs in the program folder itself.
    ::SetCurrentDirectoryA(programDirectory);
    ::SetCurrentDirectoryA("Plugins");

    for (int category = PLUGIN_CREATE; category < PLUGIN_CATEGORY_COUNT; ++category)
        LoadCategory(*GetPluginCategoryInfo(category), lists[category], showStatus);

    ::SetCurrentDirectoryA(programDirectory);
}

void ReleasePlugins(PluginLists& lists)
{
    for (PluginList& list : lists) {
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            PluginRecord& record = list[i];
            if (record.plugin != nullptr)
                record.plugin->Release();
            record.plugin = nullptr;
            if (record.hModule != nullptr)
                ::FreeLibrary(record.hModule);
            record.hModule = nullptr;
        }
        list.RemoveAll();
    }
}
