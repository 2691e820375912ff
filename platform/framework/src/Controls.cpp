#include <framework/Controls.h>

#include "ControlSupport.h"

#include <cstring>
#include <string>

namespace {

LRESULT send(HWND h, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessage(h, message, wParam, lParam);
}

LPARAM textParam(LPCTSTR text) { return reinterpret_cast<LPARAM>(text ? text : ""); }

BOOL createControl(CWnd& wnd, LPCTSTR className, LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    orbel::controls::RegisterStandardControls();
    return wnd.CreateEx(0, className, text, style, rect, parent, id);
}

}  // namespace

IMPLEMENT_DYNAMIC(CButton, CWnd)
CButton::CButton() = default;
CButton::~CButton() { DestroyWindow(); }
BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(*this, "BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}
int CButton::GetCheck() const { return static_cast<int>(send(m_hWnd, BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { send(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
UINT CButton::GetState() const { return static_cast<UINT>(send(m_hWnd, BM_GETSTATE)); }
void CButton::SetState(BOOL bHighlight) { send(m_hWnd, BM_SETSTATE, static_cast<WPARAM>(bHighlight)); }
UINT CButton::GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFF); }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { send(m_hWnd, BM_SETSTYLE, nStyle, bRedraw); }
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

IMPLEMENT_DYNAMIC(CStatic, CWnd)
CStatic::CStatic() = default;
CStatic::~CStatic() { DestroyWindow(); }
BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(*this, "STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
    return reinterpret_cast<HBITMAP>(send(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(send(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP)); }

IMPLEMENT_DYNAMIC(CEdit, CWnd)
CEdit::CEdit() = default;
CEdit::~CEdit() { DestroyWindow(); }
BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(*this, "EDIT", "", dwStyle, rect, pParentWnd, nID);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
    send(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
}
void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0, end = 0;
    send(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}
void CEdit::LimitText(int nChars) { send(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return static_cast<BOOL>(send(m_hWnd, EM_SETREADONLY, bReadOnly)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(send(m_hWnd, EM_GETMODIFY)); }
void CEdit::SetModify(BOOL bModified) { send(m_hWnd, EM_SETMODIFY, static_cast<WPARAM>(bModified)); }

IMPLEMENT_DYNAMIC(CListBox, CWnd)
CListBox::CListBox() = default;
CListBox::~CListBox() { DestroyWindow(); }
BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(*this, "LISTBOX", "", dwStyle, rect, pParentWnd, nID);
}
int CListBox::AddString(LPCTSTR s) { return static_cast<int>(send(m_hWnd, LB_ADDSTRING, 0, textParam(s))); }
int CListBox::InsertString(int i, LPCTSTR s) {
    return static_cast<int>(send(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(i), textParam(s)));
}
int CListBox::DeleteString(UINT i) { return static_cast<int>(send(m_hWnd, LB_DELETESTRING, i)); }
void CListBox::ResetContent() { send(m_hWnd, LB_RESETCONTENT); }
int CListBox::GetCount() const { return static_cast<int>(send(m_hWnd, LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(send(m_hWnd, LB_GETCURSEL)); }
int CListBox::SetCurSel(int i) { return static_cast<int>(send(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(i))); }
int CListBox::GetText(int i, LPTSTR buffer) const {
    return static_cast<int>(send(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer)));
}
void CListBox::GetText(int i, CString& rString) const {
    const int length = GetTextLen(i);
    if (length < 0) {
        rString.Empty();
        return;
    }
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    GetText(i, buffer.data());
    rString = buffer.c_str();
}
int CListBox::GetTextLen(int i) const { return static_cast<int>(send(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(i))); }
int CListBox::FindString(int after, LPCTSTR s) const {
    return static_cast<int>(send(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(after), textParam(s)));
}
int CListBox::FindStringExact(int after, LPCTSTR s) const {
    return static_cast<int>(send(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(after), textParam(s)));
}
int CListBox::SelectString(int after, LPCTSTR s) {
    return static_cast<int>(send(m_hWnd, LB_SELECTSTRING, static_cast<WPARAM>(after), textParam(s)));
}
DWORD_PTR CListBox::GetItemData(int i) const {
    return static_cast<DWORD_PTR>(send(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(i)));
}
int CListBox::SetItemData(int i, DWORD_PTR data) {
    return static_cast<int>(send(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(data)));
}

IMPLEMENT_DYNAMIC(CComboBox, CWnd)
CComboBox::CComboBox() = default;
CComboBox::~CComboBox() { DestroyWindow(); }
BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(*this, "COMBOBOX", "", dwStyle, rect, pParentWnd, nID);
}
int CComboBox::AddString(LPCTSTR s) { return static_cast<int>(send(m_hWnd, CB_ADDSTRING, 0, textParam(s))); }
int CComboBox::InsertString(int i, LPCTSTR s) {
    return static_cast<int>(send(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(i), textParam(s)));
}
int CComboBox::DeleteString(UINT i) { return static_cast<int>(send(m_hWnd, CB_DELETESTRING, i)); }
void CComboBox::ResetContent() { send(m_hWnd, CB_RESETCONTENT); }
int CComboBox::GetCount() const { return static_cast<int>(send(m_hWnd, CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(send(m_hWnd, CB_GETCURSEL)); }
int CComboBox::SetCurSel(int i) { return static_cast<int>(send(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(i))); }
int CComboBox::GetLBText(int i, LPTSTR buffer) const {
    return static_cast<int>(send(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer)));
}
void CComboBox::GetLBText(int i, CString& rString) const {
    const int length = GetLBTextLen(i);
    if (length < 0) {
        rString.Empty();
        return;
    }
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    GetLBText(i, buffer.data());
    rString = buffer.c_str();
}
int CComboBox::GetLBTextLen(int i) const {
    return static_cast<int>(send(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(i)));
}
int CComboBox::FindString(int after, LPCTSTR s) const {
    return static_cast<int>(send(m_hWnd, CB_FINDSTRING, static_cast<WPARAM>(after), textParam(s)));
}
int CComboBox::FindStringExact(int after, LPCTSTR s) const {
    return static_cast<int>(send(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(after), textParam(s)));
}
int CComboBox::SelectString(int after, LPCTSTR s) {
    return static_cast<int>(send(m_hWnd, CB_SELECTSTRING, static_cast<WPARAM>(after), textParam(s)));
}
DWORD_PTR CComboBox::GetItemData(int i) const {
    return static_cast<DWORD_PTR>(send(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(i)));
}
int CComboBox::SetItemData(int i, DWORD_PTR data) {
    return static_cast<int>(send(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(data)));
}
void CComboBox::ShowDropDown(BOOL bShowIt) { send(m_hWnd, CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt)); }

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
CSpinButtonCtrl::CSpinButtonCtrl() = default;
CSpinButtonCtrl::~CSpinButtonCtrl() { DestroyWindow(); }
BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(*this, "msctls_updown32", "", dwStyle, rect, pParentWnd, nID);
}
void CSpinButtonCtrl::SetRange(short nLower, short nUpper) {
    send(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
}
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) {
    send(m_hWnd, UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
}
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    const DWORD range = static_cast<DWORD>(send(m_hWnd, UDM_GETRANGE));
    lower = static_cast<short>(HIWORD(range));
    upper = static_cast<short>(LOWORD(range));
}
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
    send(m_hWnd, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}
int CSpinButtonCtrl::SetPos(int nPos) {
    return static_cast<short>(LOWORD(send(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0))));
}
int CSpinButtonCtrl::GetPos() const { return static_cast<int>(static_cast<DWORD>(send(m_hWnd, UDM_GETPOS))); }
int CSpinButtonCtrl::SetPos32(int nPos) { return static_cast<int>(send(m_hWnd, UDM_SETPOS32, 0, nPos)); }
int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const {
    return static_cast<int>(send(m_hWnd, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
    HWND previous = reinterpret_cast<HWND>(
        send(m_hWnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->GetSafeHwnd() : nullptr)));
    return previous ? CWnd::FromHandle(previous) : nullptr;
}
CWnd* CSpinButtonCtrl::GetBuddy() const {
    HWND buddy = reinterpret_cast<HWND>(send(m_hWnd, UDM_GETBUDDY));
    return buddy ? CWnd::FromHandle(buddy) : nullptr;
}
int CSpinButtonCtrl::SetBase(int nBase) { return static_cast<int>(send(m_hWnd, UDM_SETBASE, static_cast<WPARAM>(nBase))); }
UINT CSpinButtonCtrl::GetBase() const { return static_cast<UINT>(send(m_hWnd, UDM_GETBASE)); }

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
CTabCtrl::CTabCtrl() = default;
CTabCtrl::~CTabCtrl() { DestroyWindow(); }
BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(*this, "SysTabControl32", "", dwStyle, rect, pParentWnd, nID);
}
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(lpszItem ? lpszItem : "");
    return InsertItem(nItem, &item);
}
LONG CTabCtrl::InsertItem(int nItem, TCITEM* pItem) {
    return static_cast<LONG>(send(m_hWnd, TCM_INSERTITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pItem)));
}
BOOL CTabCtrl::GetItem(int nItem, TCITEM* pItem) const {
    return static_cast<BOOL>(send(m_hWnd, TCM_GETITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pItem)));
}
BOOL CTabCtrl::SetItem(int nItem, TCITEM* pItem) {
    return static_cast<BOOL>(send(m_hWnd, TCM_SETITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pItem)));
}
BOOL CTabCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(send(m_hWnd, TCM_DELETEITEM, static_cast<WPARAM>(nItem))); }
BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(send(m_hWnd, TCM_DELETEALLITEMS)); }
int CTabCtrl::GetItemCount() const { return static_cast<int>(send(m_hWnd, TCM_GETITEMCOUNT)); }
int CTabCtrl::GetCurSel() const { return static_cast<int>(send(m_hWnd, TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int nItem) { return static_cast<int>(send(m_hWnd, TCM_SETCURSEL, static_cast<WPARAM>(nItem))); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const {
    return static_cast<BOOL>(send(m_hWnd, TCM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) {
    send(m_hWnd, TCM_ADJUSTRECT, static_cast<WPARAM>(bLarger), reinterpret_cast<LPARAM>(lpRect));
}
