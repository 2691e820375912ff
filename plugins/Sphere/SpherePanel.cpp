#include "plugins/Sphere/SpherePanel.h"

IMPLEMENT_DYNAMIC(cDialogPlugin, CDialog)

BEGIN_MESSAGE_MAP(cDialogPlugin, cPluginPanel)
    ON_EN_CHANGE(IDC_SPHERE_SLICES, OnPanelAction)
    ON_EN_CHANGE(IDC_SPHERE_STACKS, OnPanelAction)
END_MESSAGE_MAP()

namespace {

constexpr short kMaxCount = 9999;

}  // namespace

cDialogPlugin::cDialogPlugin()
    : cPluginPanel(IDD_SPHERE_PANEL)
{
}

void cDialogPlugin::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SPHERE_RADIUS, m_Radius);
    DDX_Text(pDX, IDC_SPHERE_SLICES, m_Slices);
    DDX_Text(pDX, IDC_SPHERE_STACKS, m_Stacks);
    DDX_Control(pDX, IDC_SPHERE_SLICES_SPIN, m_SlicesSpin);
    DDX_Control(pDX, IDC_SPHERE_STACKS_SPIN, m_StacksSpin);
}

BOOL cDialogPlugin::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_SPHERE_SLICES_SPIN, UDM_SETRANGE, 0, MAKELPARAM(kMaxCount, 0));
    SendDlgItemMessage(IDC_SPHERE_STACKS_SPIN, UDM_SETRANGE, 0, MAKELPARAM(kMaxCount, 0));
    return TRUE;
}

void cDialogPlugin::OnOK()
{
    ReadAndPostPanelAction();
}

void cDialogPlugin::OnCancel()
{
    // The panel lives in the tools panel; Esc must not close it.
}

ResourceTables SphereResources()
{
    const DWORD numberEdit = WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL;
    const DWORD upDown = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
    ResourceTables tables;
    tables.dialogs.push_back(MakePluginPanelTemplate(
        IDD_SPHERE_PANEL, WS_CHILD, 91,
        {
            DialogControl("BUTTON", "Create Sphere", IDC_STATIC, BS_GROUPBOX, 7, 7, 119, 77),
            DialogControl("EDIT", "", IDC_SPHERE_RADIUS, numberEdit, 54, 24, 36, 13),
            DialogControl("STATIC", "Radius:", IDC_STATIC, SS_LEFT, 24, 24, 25, 13),
            DialogControl("EDIT", "", IDC_SPHERE_SLICES, numberEdit, 54, 42, 36, 12),
            DialogControl("msctls_updown32", "", IDC_SPHERE_SLICES_SPIN, upDown, 96, 42, 11, 12),
            DialogControl("EDIT", "", IDC_SPHERE_STACKS, numberEdit, 54, 60, 36, 12),
            DialogControl("msctls_updown32", "", IDC_SPHERE_STACKS_SPIN, upDown, 96, 60, 11, 12),
            DialogControl("STATIC", "Slices:", IDC_STATIC, SS_LEFT, 28, 42, 20, 13),
            DialogControl("STATIC", "Stacks:", IDC_STATIC, SS_LEFT, 24, 60, 25, 13),
        }));
    return tables;
}
