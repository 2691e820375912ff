#include "orbel/host/PluginLoader.h"

#include "orbel/host/PluginCatalog.h"

namespace {

void LoadCategory(const PluginCategoryInfo& info, PluginList& list, PluginBindFunction bind,
                  const PluginStatusFunction& showStatus)
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
        if (bind(name, record)) {
            list.Add(record);
        } else {
            showStatus(CString(kPluginLoadFailedPrefix) + name);
            ::Sleep(kPluginWarningPauseMs);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

}  // namespace

void LoadPluginsFromFolder(const CString& programDirectory, PluginLists& lists, PluginBindFunction bind,
                           const PluginStatusFunction& showStatus)
{
    // Without a "Plugins" folder the search runs in the program folder itself.
    ::SetCurrentDirectoryA(programDirectory);
    ::SetCurrentDirectoryA("Plugins");

    for (int category = PLUGIN_CREATE; category < PLUGIN_CATEGORY_COUNT; ++category)
        LoadCategory(*GetPluginCategoryInfo(category), lists[category], bind, showStatus);

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
