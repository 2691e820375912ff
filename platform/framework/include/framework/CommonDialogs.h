// The common file and colour dialogs. Both are modal: DoModal blocks until
// answered (in tests: by the installed modal answerer) and returns IDOK or
// IDCANCEL. Paths come back with "\" separators, like every path the layer
// hands to the program.
//
// Emulated over the toolkit's dialogs: open and save with filters, a default
// extension, the overwrite prompt (OFN_OVERWRITEPROMPT) and existing files
// only (OFN_FILEMUSTEXIST); the colour dialog with its starting colour
// (CC_RGBINIT).
// Left out: several files at once (OFN_ALLOWMULTISELECT), hooks and custom
// templates, the read-only box, help buttons, custom colours, and the find,
// font, print and page-setup dialogs.
#pragma once

#include <framework/CString.h>
#include <win32/Types.h>

#include <string>
#include <vector>

class CWnd;

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_ENABLESIZING 0x00800000

// The Windows record; its size differs from the 32-bit one and nothing
// depends on that size here.
struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;  // pairs separated by '\0', ending with "\0\0"
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;  // 1-based
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    void* lpfnHook;
    LPCSTR lpTemplateName;
};
using OPENFILENAME = OPENFILENAMEA;

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_SHOWHELP 0x00000008
#define CC_ENABLEHOOK 0x00000010
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

struct CHOOSECOLORA {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;
    COLORREF* lpCustColors;  // 16 entries
    DWORD Flags;
    LPARAM lCustData;
    void* lpfnHook;
    LPCSTR lpTemplateName;
};
using CHOOSECOLOR = CHOOSECOLORA;

class ORBEL_API CFileDialog {
public:
    // lpszFilter: "Text (*.ext)|*.ext;*.ex2|...||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog();
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    virtual INT_PTR DoModal();

    CString GetPathName() const;   // "C:\dir\name.ext" style, full path
    CString GetFileName() const;   // "name.ext"
    CString GetFileTitle() const;  // "name"
    CString GetFileExt() const;    // "ext"

    OPENFILENAME m_ofn;

private:
    BOOL m_bOpenFileDialog;
    std::string m_filter;  // the '\0'-separated form m_ofn points to
    std::string m_defExt;
    char m_fileBuffer[MAX_PATH * 4];
    char m_titleBuffer[MAX_PATH];
};

class ORBEL_API CColorDialog {
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    virtual ~CColorDialog();

    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr);
    // The 16 custom colours every colour dialog of the program shares.
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc;
};

namespace orbel {
// The entries the file dialog lists for a filter of CFileDialog's form, each
// naming its patterns once: "JPEG File (*.jpg)" for "JPEG File (*.jpg)|*.jpg",
// "All Formats (*.bmp *.jpg)" for "All Formats |*.bmp;*.jpg".
ORBEL_API std::vector<std::string> FileDialogFilterLabels(const std::string& filter);
}  // namespace orbel
