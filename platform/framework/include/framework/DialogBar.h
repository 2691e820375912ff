// CDialogBar: a control bar whose contents come from a dialog template (the
// tools panel). The frame docks it; the bar's controls notify the bar, and
// what the bar does not handle itself goes on to its owner, the frame.
#pragma once

#include <framework/ControlBars.h>
#include <framework/Geometry.h>

class ORBEL_API CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;

    // nStyle: CBRS_* (alignment, tool tips); nID: the bar's own id.
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);

    // The template's size; stretched to the whole side when docked stretched.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    CSize m_sizeDefault;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
