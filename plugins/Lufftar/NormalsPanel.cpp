#include "plugins/Lufftar/NormalsPanel.h"

IMPLEMENT_DYNAMIC(cDialogPlugin, CDialog)

BEGIN_MESSAGE_MAP(cDialogPlugin, cPluginPanel)
    ON_BN_CLICKED(IDC_NORMALS_RUN, OnPanelAction)
END_MESSAGE_MAP()

cDialogPlugin::cDialogPlugin()
    : cPluginPanel(IDD_NORMALS_PANEL, IDC_NORMALS_STATUS)
{
}

ResourceTables NormalsResources()
{
    ResourceTables tables;
    tables.dialogs.push_back(MakePluginPanelTemplate(
        IDD_NORMALS_PANEL, WS_POPUP, 94,
        {
            DialogControl("BUTTON", "Compute object normals", IDC_STATIC, BS_GROUPBOX, 7, 7, 119, 80),
            DialogControl("STATIC", "", IDC_NORMALS_STATUS, SS_LEFT | WS_GROUP, 15, 23, 103, 12, WS_EX_STATICEDGE),
            DialogControl("BUTTON", "Compute", IDC_NORMALS_RUN, BS_PUSHBUTTON | WS_TABSTOP, 34, 49, 65, 13),
        }));
    return tables;
}
