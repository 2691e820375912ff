// What the program knows about each kind of plug-in library: the file
// pattern that finds it and the texts shown while it is being loaded.
#pragma once

#include <plugins/common/Plugin.h>

struct PluginCategoryInfo {
    const char* pattern;        // e.g. "*.dlc"
    const char* noneFoundText;  // shown when the folder has no such file
    const char* loadingPrefix;  // followed by the file name
};

// Categories are PLUGIN_CREATE .. PLUGIN_EXPORT; anything else yields null.
const PluginCategoryInfo* GetPluginCategoryInfo(int category);

extern const char* const kPluginLoadFailedPrefix;  // "Can't Load Plugin - "
