// The options dialog: the red, green and blue of the light's diffuse colour
// as integers on a 0..255 scale. The arrows keep to 0..255; typed values are
// not range-checked, so a brighter than white light can be asked for.
#pragma once

#include <framework/Afx.h>

class cOptionsDialog : public CDialog {
    DECLARE_DYNAMIC(cOptionsDialog)

public:
    explicit cOptionsDialog(CWnd* parent = nullptr);

    int m_Red = 0;
    int m_Green = 0;
    int m_Blue = 0;
    CSpinButtonCtrl m_RedSpin;
    CSpinButtonCtrl m_GreenSpin;
    CSpinButtonCtrl m_BlueSpin;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
};
