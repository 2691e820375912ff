// The picture window shown while the main frame starts up and loads the
// plug-ins, with a one-line status bar for the progress texts.
#pragma once

#include <framework/Afx.h>

class cSplashWnd : public CWnd {
public:
    cSplashWnd();
    ~cSplashWnd() override;

    // Creates the window over the owner, centred, and paints it at once.
    // Without the splash picture no window is made.
    BOOL ShowSplash(CWnd* owner);
    void SetStatusText(LPCSTR text);
    void HideSplash();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR timerId);
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_Picture;
    CStatusBarCtrl m_StatusLine;
};
