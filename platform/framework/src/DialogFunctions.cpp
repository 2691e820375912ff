// The Win32 dialog manager's item functions, on any window.
#include <framework/Dialog.h>

#include "WindowImpl.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

UINT GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    HWND item = ::GetDlgItem(hDlg, nIDDlgItem);
    if (!item) {
        if (lpString && cchMax > 0) lpString[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(::GetWindowTextA(item, lpString, cchMax));
}

BOOL SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    HWND item = ::GetDlgItem(hDlg, nIDDlgItem);
    if (!item) return FALSE;
    return ::SetWindowTextA(item, lpString ? lpString : "");
}

UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
    if (lpTranslated) *lpTranslated = FALSE;
    HWND item = ::GetDlgItem(hDlg, nIDDlgItem);
    if (!item) return 0;
    char text[64] = {};
    ::GetWindowTextA(item, text, sizeof text);
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(p, &end, 10);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == p || !end || *end != '\0' || errno != 0) return 0;
    if (bSigned ? (value < INT32_MIN || value > INT32_MAX) : (value < 0 || value > UINT32_MAX)) return 0;
    if (lpTranslated) *lpTranslated = TRUE;
    return static_cast<UINT>(value);
}

BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
    char text[32];
    if (bSigned) std::snprintf(text, sizeof text, "%d", static_cast<int>(uValue));
    else std::snprintf(text, sizeof text, "%u", uValue);
    return SetDlgItemTextA(hDlg, nIDDlgItem, text);
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    HWND item = ::GetDlgItem(hDlg, nIDButton);
    if (!item) return FALSE;
    ::SendMessage(item, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    HWND item = ::GetDlgItem(hDlg, nIDButton);
    return item ? static_cast<UINT>(::SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (HWND item = ::GetDlgItem(hDlg, id))
            ::SendMessage(item, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

LRESULT SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND item = ::GetDlgItem(hDlg, nIDDlgItem);
    return item ? ::SendMessage(item, msg, wParam, lParam) : 0;
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult) {
    if (!orbel::window::IsLive(hDlg)) return FALSE;
    if (auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hDlg))) {
        dialog->EndDialog(static_cast<int>(nResult));
        return TRUE;
    }
    ::ShowWindow(hDlg, SW_HIDE);
    return TRUE;
}
