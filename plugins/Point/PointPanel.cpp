#include "plugins/Point/PointPanel.h"

IMPLEMENT_DYNAMIC(cDialogPlugin, CDialog)

BEGIN_MESSAGE_MAP(cDialogPlugin, CDialog)
END_MESSAGE_MAP()

cDialogPlugin::cDialogPlugin()
    : cPluginPanel(IDD_POINT_PANEL, IDC_POINT_STATUS)
{
}

ResourceTables PointResources()
{
    ResourceTables tables;
    tables.dialogs.push_back(MakePluginPanelTemplate(
        IDD_POINT_PANEL, WS_CHILD, 94,
        {
            DialogControl("BUTTON", "Create Point", IDC_STATIC, BS_GROUPBOX, 7, 7, 119, 80),
            DialogControl("STATIC", "", IDC_POINT_STATUS, SS_LEFT | WS_GROUP, 14, 20, 105, 13, WS_EX_CLIENTEDGE),
        }));
    return tables;
}
