// The Point tool's panel: only a status line.
#pragma once

#include <plugins/common/PluginPanel.h>

inline constexpr UINT IDD_POINT_PANEL = 8000;
inline constexpr UINT IDC_POINT_STATUS = 8000;

class cDialogPlugin : public cPluginPanel {
    DECLARE_DYNAMIC(cDialogPlugin)
public:
    cDialogPlugin();

protected:
    DECLARE_MESSAGE_MAP()
};

ResourceTables PointResources();
