#include "orbel/frame/AboutDlg.h"

#include "orbel/resources/Resource.h"

CAboutDlg::CAboutDlg()
    : CDialog(IDD_ABOUTBOX)
{
}

void CAboutDlg::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_ABOUT_TEXT, m_Text);
}
