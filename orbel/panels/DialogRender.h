// The render dialog: the image file's name and its width and height in
// pixels, with six preset sizes and a file-dialog button. It renders
// nothing itself; every use starts with an empty name and 800 x 600.
#pragma once

#include <framework/Afx.h>

class cDialogRender : public CDialog {
    DECLARE_DYNAMIC(cDialogRender)

public:
    explicit cDialogRender(CWnd* parent = nullptr);

    // Both sizes are checked to 0..99999 when the dialog is confirmed.
    static constexpr int kMaxImageSize = 99999;

    CString m_FileName;
    int m_Width = 800;
    int m_Height = 600;

protected:
    void DoDataExchange(CDataExchange* exchange) override;

    // A preset or a chosen file writes all three fields into the controls,
    // replacing whatever was typed and not yet taken over.
    afx_msg void OnBrowse();
    afx_msg void OnSize320x240();
    afx_msg void OnSize640x480();
    afx_msg void OnSize800x600();
    afx_msg void OnSize1024x768();
    afx_msg void OnSize1280x1024();
    afx_msg void OnSize1600x1200();
    DECLARE_MESSAGE_MAP()

private:
    void SetSize(int width, int height);
};
