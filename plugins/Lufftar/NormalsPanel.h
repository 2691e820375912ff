// The "Compute Normals" panel: a status line and the "Compute" button.
#pragma once

#include <plugins/common/PluginPanel.h>

inline constexpr UINT IDD_NORMALS_PANEL = 13000;
inline constexpr UINT IDC_NORMALS_STATUS = 13000;
inline constexpr UINT IDC_NORMALS_RUN = 13001;

class cDialogPlugin : public cPluginPanel {
    DECLARE_DYNAMIC(cDialogPlugin)
public:
    cDialogPlugin();

protected:
    DECLARE_MESSAGE_MAP()
};

ResourceTables NormalsResources();
