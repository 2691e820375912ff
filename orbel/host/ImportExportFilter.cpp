#include "orbel/host/ImportExportFilter.h"

#include <algorithm>
#include <string>

int ImportExportFilter::PluginForFilterIndex(DWORD filterIndex) const
{
    if (filterIndex < 1 || filterIndex > pluginOf.size())
        return -1;
    return pluginOf[filterIndex - 1];
}

ImportExportFilter BuildImportExportFilter(const PluginList& plugins)
{
    ImportExportFilter filter;
    for (INT_PTR i = 0; i < plugins.GetSize(); ++i) {
        cPlugin* plugin = plugins[i].plugin;
        const char* name = plugin != nullptr ? plugin->GetName() : nullptr;
        if (name == nullptr || *name == '\0')
            continue;
        std::string pairs = name;
        if (pairs.back() != '|')
            pairs += '|';
        const auto bars = std::count(pairs.begin(), pairs.end(), '|');
        if (bars % 2 != 0)
            continue;
        filter.text += pairs.c_str();
        filter.pluginOf.insert(filter.pluginOf.end(), static_cast<std::size_t>(bars / 2), static_cast<int>(i));
    }
    return filter;
}
