#include "plugins/Corrobin/SorterPanel.h"

IMPLEMENT_DYNAMIC(cDialogPlugin, CDialog)

BEGIN_MESSAGE_MAP(cDialogPlugin, cPluginPanel)
    ON_BN_CLICKED(IDC_SORTER_RUN, OnPanelAction)
END_MESSAGE_MAP()

cDialogPlugin::cDialogPlugin()
    : cPluginPanel(IDD_SORTER_PANEL, IDC_SORTER_STATUS)
{
}

ResourceTables SorterResources()
{
    ResourceTables tables;
    tables.dialogs.push_back(MakePluginPanelTemplate(
        IDD_SORTER_PANEL, WS_POPUP, 84,
        {
            DialogControl("STATIC", "", IDC_SORTER_STATUS, SS_LEFT | WS_GROUP, 16, 22, 103, 12, WS_EX_STATICEDGE),
            DialogControl("BUTTON", "Optimize material changes", IDC_STATIC, BS_GROUPBOX, 7, 7, 119, 70),
            DialogControl("BUTTON", "Optimize", IDC_SORTER_RUN, BS_PUSHBUTTON | WS_TABSTOP, 34, 47, 63, 13),
        }));
    return tables;
}
