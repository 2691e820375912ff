// The material list of the "Materials" tab: one line per material of the
// document, in array order, with "Add", "Remove" and "Assign". It changes no
// scene data: it posts FM_SHOW_MATERIAL, FM_ADD_MATERIAL, FM_REMOVE_MATERIAL
// and FM_ASSIGN_MATERIAL to the main frame, which keeps the lines in step
// with the material array through the operations below. Only a line the user
// chooses posts anything; lines selected by the program stay silent.
#pragma once

#include <framework/Afx.h>

class cDialog2 : public CDialog {
    DECLARE_DYNAMIC(cDialog2)

public:
    cDialog2();

    // The frame keeps one list for its whole life and re-creates only its
    // window, inside the tools panel's panel area.
    BOOL CreatePanel(CWnd* parent);

    // Appends a line; returns its index.
    int AddMaterialName(LPCSTR text);
    // The line gets the text and is selected.
    void ReplaceMaterialName(int index, LPCSTR text);
    // The selected line (-1: none), scrolled into view.
    int GetCurSel();
    void SetCurSel(int index);
    int GetLineCount() const;

protected:
    // Enter and Esc must not close a panel inside the tools panel.
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnAdd();
    afx_msg void OnSelChangeList();
    afx_msg void OnRemove();
    afx_msg void OnAssign();
    DECLARE_MESSAGE_MAP()

private:
    LRESULT SendToList(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
};
