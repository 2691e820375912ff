// The file-dialog filter of the "Import..." and "Export Selected ..."
// commands, built from the GetName texts of the import or export plug-ins
// ("Description|pattern|" each), with the plug-in behind each filter entry.
#pragma once

#include "orbel/host/PluginLoader.h"

#include <vector>

struct ImportExportFilter {
    CString text;                // the joined pairs, "" when none
    std::vector<int> pluginOf;   // filter entry (0-based) -> index in the plug-in list

    // The plug-in for the dialog's 1-based filter index; -1 outside the filter.
    int PluginForFilterIndex(DWORD filterIndex) const;
    bool Empty() const { return pluginOf.empty(); }
};

// A text that is null, empty or not made of whole "text|pattern|" pairs adds
// nothing, so it cannot shift the entries of the plug-ins after it. A text
// lacking only its last "|" gets it; a text of several pairs maps each one to
// its plug-in.
ImportExportFilter BuildImportExportFilter(const PluginList& plugins);
