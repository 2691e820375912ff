// The About box: the program's name and what Direct3D start-up chose.
#pragma once

#include <framework/Afx.h>

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    CString m_Text;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
};
