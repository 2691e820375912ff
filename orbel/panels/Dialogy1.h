// The object panel of the "Create" and "Modify" tabs: the selection's name,
// its colour swatch and the list of the tab's tools.
#pragma once

#include <framework/Afx.h>

class cDialogy1 : public CDialog {
public:
    cDialogy1();

    // The frame keeps one panel for its whole life and re-creates only its
    // window, inside the tools panel's panel area.
    BOOL CreatePanel(CWnd* parent);

    void AddToolName(LPCSTR name);
    CString GetObjectName() const;
    void SetObjectName(LPCSTR name);

    // The selection's colour, 0..255 per channel; kept across windows.
    float m_Red = 150.0f;
    float m_Green = 150.0f;
    float m_Blue = 150.0f;
    float m_Alpha = 1.0f;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
};
