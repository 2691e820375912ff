// Dialog data exchange: moving member values into controls and back, with
// validation. A failed conversion or range check shows the framework's
// message, puts the focus on the control and throws CUserException, which
// UpdateData catches (it then returns FALSE).
//
// Left out: DDX for controls that are not emulated (sliders, date, IP
// address, rich edit), DDV of string lengths in multi-byte characters, and
// OLE control properties.
#pragma once

#include <framework/CString.h>
#include <win32/Types.h>

class CWnd;

class ORBEL_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The control nIDC of the dialog; remembered for Fail.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focuses the last prepared control (selecting an edit's text) and
    // throws CUserException; does nothing while writing into the controls.
    void Fail();
};

// Text of an edit: numbers are written with %d, %u, %.6g, %.15g and read
// back whole (leading and trailing blanks allowed, nothing else). The text is
// only written when it differs, so unchanged edits send no EN_CHANGE.
ORBEL_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
ORBEL_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
ORBEL_API void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
ORBEL_API void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
ORBEL_API void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
ORBEL_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

// Check box state (BST_*), selected line of a list or combo box (-1: none).
ORBEL_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
ORBEL_API void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
ORBEL_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

// Binds a control object to the dialog's control nIDC the first time.
ORBEL_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Range checks, made only while reading the controls.
ORBEL_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
ORBEL_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
ORBEL_API void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
ORBEL_API void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
ORBEL_API void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
ORBEL_API void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);

// The framework's prompts.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_UINT 0xF116
