// Message boxes: the Win32 function, the framework's AfxMessageBox and the
// caption they share. All block until answered (in tests: by the installed
// modal answerer) and return IDOK, IDCANCEL, IDYES, IDNO, ...
//
// Emulated over the toolkit's message box: every button set, default button
// and icon of <win32/MessageBoxCodes.h>.
// Left out: help buttons, timeouts, MB_TOPMOST and MB_SYSTEMMODAL ordering
// (every box is modal to the program), and message box sounds.
#pragma once

#include <win32/MessageBoxCodes.h>
#include <win32/Types.h>

// lpCaption null: "Error", as Windows does.
ORBEL_API int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
// A function rather than a macro, so that members named MessageBox keep their name.
inline int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    return MessageBoxA(hWnd, lpText, lpCaption, uType);
}

// The caption is the program's title (string AFX_IDS_APP_TITLE when the
// program registered one). nIDHelp is accepted and ignored: there is no help.
ORBEL_API int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is string nIDPrompt of the resources; a missing string shows an
// empty box rather than failing.
ORBEL_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// The caption AfxMessageBox uses.
ORBEL_API const char* AfxGetMessageBoxCaption();

namespace orbel {
// Routes the framework core's failure reports (orbel::ReportFailure) into
// AfxMessageBox. The application object installs it; tests that want the
// core's plain default leave it out.
ORBEL_API void InstallMessageBoxFailureReporter();
}  // namespace orbel
