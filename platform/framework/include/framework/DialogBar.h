// CDialogBar: a control bar whose contents come from a dialog template (the
// tools panel). The frame docks it; what its controls report (commands,
// notifications, owner-drawn items) and the bar does not handle goes on to
// the frame, as for every control bar.
//
// Left out: floating and re-docking by the user, size grips, and
// CBRS_FLYBY prompts other than the status bar's.
#pragma once

#include <framework/ControlBars.h>
#include <framework/Geometry.h>

class ORBEL_API CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;

    using CWnd::Create;
    // nStyle: CBRS_* (alignment, tool tips); nID: the bar's own id.
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);

    // The template's size; stretched to the whole side when docked stretched.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    CSize m_sizeDefault;
};
