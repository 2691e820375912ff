#include "plugins/Pemmit/OptimizerPanel.h"

IMPLEMENT_DYNAMIC(cDialogPlugin, CDialog)

BEGIN_MESSAGE_MAP(cDialogPlugin, cPluginPanel)
    ON_BN_CLICKED(IDC_OPTIMIZER_RUN, OnOptimize)
END_MESSAGE_MAP()

cDialogPlugin::cDialogPlugin()
    : cPluginPanel(IDD_OPTIMIZER_PANEL, IDC_OPTIMIZER_STATUS)
{
}

void cDialogPlugin::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OPTIMIZER_PERCENT, m_Percentage);
    DDX_Control(pDX, IDC_OPTIMIZER_PERCENT_SPIN, m_PercentageSpin);
}

BOOL cDialogPlugin::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_OPTIMIZER_PERCENT_SPIN, UDM_SETRANGE, 0, MAKELPARAM(100, 0));
    return TRUE;
}

void cDialogPlugin::OnOptimize()
{
    // An entry the exchange rejects has been reported to the user; the run
    // goes on with the percentage read last.
    UpdateData(TRUE);
    OnPanelAction();
}

ResourceTables OptimizerResources()
{
    ResourceTables tables;
    tables.dialogs.push_back(MakePluginPanelTemplate(
        IDD_OPTIMIZER_PANEL, WS_CHILD, 94,
        {
            DialogControl("STATIC", "", IDC_OPTIMIZER_STATUS, SS_LEFT | WS_GROUP, 15, 26, 104, 13, WS_EX_STATICEDGE),
            DialogControl("BUTTON", "Optimize", IDC_OPTIMIZER_RUN, BS_PUSHBUTTON | WS_TABSTOP, 33, 66, 64, 13),
            DialogControl("BUTTON", "Optimize Mesh", IDC_STATIC, BS_GROUPBOX, 7, 7, 119, 80),
            DialogControl("EDIT", "", IDC_OPTIMIZER_PERCENT, WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 69,
                          46, 32, 12),
            DialogControl("msctls_updown32", "", IDC_OPTIMIZER_PERCENT_SPIN,
                          UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 79, 39, 11, 12),
            DialogControl("STATIC", "Vertex Count:", IDC_STATIC, SS_LEFT | WS_GROUP, 21, 49, 46, 8),
            DialogControl("STATIC", "%", IDC_STATIC, SS_LEFT | WS_GROUP, 103, 49, 10, 8),
        }));
    return tables;
}
