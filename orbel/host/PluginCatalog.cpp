#include "orbel/host/PluginCatalog.h"

namespace {

const PluginCategoryInfo kCategories[PLUGIN_CATEGORY_COUNT] = {
    {"*.dlc", "Warning: No Plugins For Create Find !", "Loading Plugin For Create - "},
    {"*.dlm", "Warning: No Plugins For Modify Find !", "Loading Plugin For Modify - "},
    {"*.dli", "Warning: No Plugins For Import Find !", "Loading Plugin For Import - "},
    {"*.dle", "Warning: No Plugins For Export Find !", "Loading Plugin For Export - "},
};

}  // namespace

const char* const kPluginLoadFailedPrefix = "Can't Load Plugin - ";

const PluginCategoryInfo* GetPluginCategoryInfo(int category)
{
    if (category < 0 || category >= PLUGIN_CATEGORY_COUNT)
        return nullptr;
    return &kCategories[category];
}
