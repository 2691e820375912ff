// The "Optimize Material Changes" panel: a status line and the "Optimize"
// button.
#pragma once

#include <plugins/common/PluginPanel.h>

inline constexpr UINT IDD_SORTER_PANEL = 11000;
inline constexpr UINT IDC_SORTER_STATUS = 11000;
inline constexpr UINT IDC_SORTER_RUN = 11001;

class cDialogPlugin : public cPluginPanel {
    DECLARE_DYNAMIC(cDialogPlugin)
public:
    cDialogPlugin();

protected:
    DECLARE_MESSAGE_MAP()
};

ResourceTables SorterResources();
