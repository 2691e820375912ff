#include "orbel/panels/OptionsDialog.h"

#include "orbel/resources/Resource.h"

IMPLEMENT_DYNAMIC(cOptionsDialog, CDialog)

cOptionsDialog::cOptionsDialog(CWnd* parent)
    : CDialog(IDD_OPTIONS, parent)
{
}

void cOptionsDialog::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_LIGHT_RED, m_Red);
    DDX_Text(exchange, IDC_LIGHT_GREEN, m_Green);
    DDX_Text(exchange, IDC_LIGHT_BLUE, m_Blue);
    DDX_Control(exchange, IDC_LIGHT_RED_SPIN, m_RedSpin);
    DDX_Control(exchange, IDC_LIGHT_GREEN_SPIN, m_GreenSpin);
    DDX_Control(exchange, IDC_LIGHT_BLUE_SPIN, m_BlueSpin);
}

BOOL cOptionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int spin : {IDC_LIGHT_RED_SPIN, IDC_LIGHT_GREEN_SPIN, IDC_LIGHT_BLUE_SPIN})
        SendDlgItemMessage(spin, UDM_SETRANGE, 0, MAKELONG(255, 0));
    return TRUE;
}
