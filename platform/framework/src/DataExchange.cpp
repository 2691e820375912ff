#include <framework/DataExchange.h>

#include <framework/ControlStyles.h>
#include <framework/Exceptions.h>
#include <framework/MessageBox.h>
#include <framework/Resources.h>
#include <framework/Wnd.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

// The framework's own prompts; a program may replace them with string
// resources of the same ids.
std::string prompt(UINT id) {
    std::string text;
    if (AfxLoadString(id, text)) return text;
    switch (id) {
    case AFX_IDP_PARSE_INT: return "Please enter an integer.";
    case AFX_IDP_PARSE_REAL: return "Please enter a number.";
    case AFX_IDP_PARSE_INT_RANGE: return "Please enter an integer between %1 and %2.";
    case AFX_IDP_PARSE_REAL_RANGE: return "Please enter a number between %1 and %2.";
    case AFX_IDP_PARSE_STRING_SIZE: return "Please enter no more than %1 characters.";
    case AFX_IDP_PARSE_UINT: return "Please enter a positive integer.";
    default: return {};
    }
}

std::string substitute(std::string text, const std::string& one, const std::string& two) {
    for (size_t at; (at = text.find("%1")) != std::string::npos;) text.replace(at, 2, one);
    for (size_t at; (at = text.find("%2")) != std::string::npos;) text.replace(at, 2, two);
    return text;
}

void complain(UINT id, const std::string& one = {}, const std::string& two = {}) {
    AfxMessageBox(substitute(prompt(id), one, two).c_str(), MB_ICONEXCLAMATION, id);
}

std::string windowText(HWND hWnd) {
    const int length = ::GetWindowTextLengthA(hWnd);
    std::string text(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
    const int got = ::GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(got < 0 ? 0 : got));
    return text;
}

// Writing the same text again would send EN_CHANGE for nothing.
void setWindowTextIfChanged(HWND hWnd, const std::string& text) {
    if (windowText(hWnd) != text) ::SetWindowTextA(hWnd, text.c_str());
}

bool onlyBlanks(const char* p) {
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
    return *p == '\0';
}

bool parseWhole(const std::string& text, long long& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(begin, &end, 10);
    return end != begin && errno == 0 && onlyBlanks(end);
}

bool parseReal(const std::string& text, double& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    value = std::strtod(begin, &end);
    return end != begin && errno == 0 && std::isfinite(value) && onlyBlanks(end);
}

template <class Int>
void exchangeInteger(CDataExchange* pDX, int nIDC, Int& value, const char* format, UINT failPrompt) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd) return;
    if (pDX->m_bSaveAndValidate) {
        long long read = 0;
        // Values beyond the member's range fail like text that is no number,
        // instead of wrapping around silently.
        if (!parseWhole(windowText(hWnd), read) || read < static_cast<long long>(std::numeric_limits<Int>::min()) ||
            read > static_cast<long long>(std::numeric_limits<Int>::max())) {
            complain(failPrompt);
            pDX->Fail();
            return;
        }
        value = static_cast<Int>(read);
    } else {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, format, value);
        setWindowTextIfChanged(hWnd, buffer);
    }
}

template <class Real>
void exchangeReal(CDataExchange* pDX, int nIDC, Real& value, int digits) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd) return;
    if (pDX->m_bSaveAndValidate) {
        double read = 0;
        if (!parseReal(windowText(hWnd), read) || std::fabs(read) > static_cast<double>(std::numeric_limits<Real>::max())) {
            complain(AFX_IDP_PARSE_REAL);
            pDX->Fail();
            return;
        }
        value = static_cast<Real>(read);
    } else {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
        setWindowTextIfChanged(hWnd, buffer);
    }
}

template <class Number>
void checkRange(CDataExchange* pDX, Number value, Number minVal, Number maxVal, UINT id, const char* format) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    char low[64], high[64];
    std::snprintf(low, sizeof low, format, minVal);
    std::snprintf(high, sizeof high, format, maxVal);
    complain(id, low, high);
    pDX->Fail();
}

void exchangeIndex(CDataExchange* pDX, int nIDC, int& index, UINT getMessage, UINT setMessage) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd) return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWnd, getMessage, 0, 0));
    else
        ::SendMessage(hWnd, setMessage, static_cast<WPARAM>(index), 0);
}

}  // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWnd = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC) : nullptr;
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = hWnd != nullptr;
    return hWnd;
}

void CDataExchange::Fail() {
    if (!m_bSaveAndValidate) return;
    if (m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    exchangeInteger(pDX, nIDC, value, "%d", AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    exchangeInteger(pDX, nIDC, value, "%u", AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    exchangeInteger(pDX, nIDC, value, "%ld", AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
    exchangeReal(pDX, nIDC, value, FLT_DIG);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    exchangeReal(pDX, nIDC, value, DBL_DIG);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd) return;
    if (pDX->m_bSaveAndValidate)
        value = windowText(hWnd).c_str();
    else
        setWindowTextIfChanged(hWnd, value.GetString());
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    exchangeIndex(pDX, nIDC, value, BM_GETCHECK, BM_SETCHECK);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
    exchangeIndex(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    exchangeIndex(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.GetSafeHwnd()) return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    // The control has no object of its own yet (templates make none), so
    // this one takes its messages from now on.
    if (hWnd) rControl.Attach(hWnd);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    checkRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, "%d");
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    checkRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, "%u");
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
    checkRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, "%ld");
}

void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    char low[64], high[64];
    std::snprintf(low, sizeof low, "%.*g", FLT_DIG, static_cast<double>(minVal));
    std::snprintf(high, sizeof high, "%.*g", FLT_DIG, static_cast<double>(maxVal));
    complain(AFX_IDP_PARSE_REAL_RANGE, low, high);
    pDX->Fail();
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    char low[64], high[64];
    std::snprintf(low, sizeof low, "%.*g", DBL_DIG, minVal);
    std::snprintf(high, sizeof high, "%.*g", DBL_DIG, maxVal);
    complain(AFX_IDP_PARSE_REAL_RANGE, low, high);
    pDX->Fail();
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        char count[32];
        std::snprintf(count, sizeof count, "%d", nChars);
        complain(AFX_IDP_PARSE_STRING_SIZE, count);
        pDX->Fail();
    } else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}
