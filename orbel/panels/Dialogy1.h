// The object panel of the "Create" and "Modify" tabs: the selection's name,
// its colour swatch with the colour button, and the list of the tab's tools.
// It changes nothing itself: it posts FM_ACTIVATE_TOOL, FM_RENAME and
// FM_SET_COLOUR to the main frame, which reads the values back.
#pragma once

#include <framework/Afx.h>

class cDialogy1 : public CDialog {
    DECLARE_DYNAMIC(cDialogy1)

public:
    cDialogy1();

    // The frame keeps one panel for its whole life and re-creates only its
    // window, inside the tools panel's panel area.
    BOOL CreatePanel(CWnd* parent);

    // Line k of the tools list is the k-th name added.
    void AddToolName(LPCSTR name);
    // The tools list shows line k as chosen (-1: none), without asking
    // the frame for that tool.
    void ShowToolLine(int line);
    CString GetObjectName() const;
    // The edit is disabled for the texts that name no single object.
    void SetObjectName(LPCSTR name);
    // r, g, b (0..255) and alpha as they stand.
    void GetColour(float colour[4]) const;
    // Paints the swatch button in the colour fields, outlined.
    void DrawColourSwatch();
    // The colour fields as a GDI colour: each channel truncated and cut to
    // its low 8 bits, as the swatch and the colour dialog show it.
    COLORREF SwatchColour() const;

    afx_msg void OnToolSelected();
    afx_msg void OnColourButton();
    afx_msg void OnNameChanged();
    afx_msg void OnDrawItem(int controlId, LPDRAWITEMSTRUCT drawItem);

    // The selection's colour, 0..255 per channel; kept across windows.
    float m_Red = 150.0f;
    float m_Green = 150.0f;
    float m_Blue = 150.0f;
    float m_Alpha = 1.0f;

protected:
    BOOL OnInitDialog() override;
    // Enter renames while the name edit is enabled; Esc does nothing.
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()

private:
    void PostToFrame(WPARAM code, LPARAM value);
};
