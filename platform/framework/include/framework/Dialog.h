// CDialog: a window built from a dialog template of the resources, with its
// controls placed in dialog units (see DialogUnits.h).
//
// Modal (DoModal): the owner is disabled while a nested loop runs, which
// still delivers posted messages; EndDialog ends it. In tests the installed
// modal answerer works the dialog instead of a user.
// Modeless (Create): WS_CHILD templates become children of the parent (tool
// panels), others top-level windows owned by it.
//
// Keys: Enter in a dialog sends IDOK (or the default push button's id, or the
// focused push button's), Esc sends IDCANCEL; CDialog maps them to OnOK and
// OnCancel, which read the data and end the dialog. EndDialog on a modeless
// dialog hides it, as Windows does.
//
// Left out: property sheets, dialog help, DS_CONTROL nesting of templates in
// templates, and dialog procedures without a CDialog object (DialogBox).
#pragma once

#include <framework/CString.h>
#include <framework/ControlStyles.h>
#include <framework/DataExchange.h>
#include <framework/DialogUnits.h>
#include <framework/Wnd.h>

struct DialogTemplate;

class ORBEL_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    using CWnd::Create;
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // Ends a modal dialog with nResult; hides a modeless one.
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // TRUE reads the controls into the members (validating); FALSE writes.
    // A read asked for while this dialog's read is still under way (from the
    // message loop of its refusal's box) reads nothing and returns FALSE.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    void MapDialogRect(LPRECT lpRect) const;
    void SetDefID(UINT nID);
    DWORD GetDefID() const;  // MAKELONG(id, DC_HASDEFID), or 0
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Dialog items by id.
    int GetDlgItemText(int nID, CString& rString) const;
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The result DoModal returns (IDOK, IDCANCEL, or EndDialog's value).
    int m_nModalResult = -1;
    UINT m_nIDHelp = 0;
    LPCTSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    // The template, searched in the resource chain; null when missing.
    const DialogTemplate* FindTemplate() const;
    // Makes the dialog window and its controls, then sends WM_INITDIALOG.
    BOOL CreateIndirect(const DialogTemplate& tmpl, CWnd* pParentWnd);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    bool m_modal = false;
    bool m_modalEnded = false;
    UINT m_defaultId = 0;
    BOOL HandleEnterOrEscape(const MSG& msg);
};

// The control functions of the Win32 dialog manager, usable on any window.
ORBEL_API UINT GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
ORBEL_API BOOL SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
ORBEL_API UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned);
ORBEL_API BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
ORBEL_API BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
ORBEL_API UINT IsDlgButtonChecked(HWND hDlg, int nIDButton);
ORBEL_API BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
ORBEL_API LRESULT SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT msg, WPARAM wParam, LPARAM lParam);
ORBEL_API BOOL EndDialog(HWND hDlg, INT_PTR nResult);
inline UINT GetDlgItemText(HWND hDlg, int id, LPSTR s, int cchMax) { return GetDlgItemTextA(hDlg, id, s, cchMax); }
inline BOOL SetDlgItemText(HWND hDlg, int id, LPCSTR s) { return SetDlgItemTextA(hDlg, id, s); }
inline LRESULT SendDlgItemMessage(HWND hDlg, int id, UINT msg, WPARAM w, LPARAM l) {
    return SendDlgItemMessageA(hDlg, id, msg, w, l);
}
