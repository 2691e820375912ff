// The GDI classes: thin owners of GDI handles, and CDC over an HDC.
#include "GdiObjects.h"

#include <framework/CString.h>
#include <framework/Resources.h>
#include <framework/Wnd.h>

#include <cstring>

using namespace orbel::gdi;

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

// The temporary wrapper of a handle, kept with the handle's record.
template <class T>
T* TempWrapper(HGDIOBJ h) {
    Object* o = orbel::gdi::FromHandle(h);
    if (o == nullptr)
        return nullptr;
    if (o->temp == nullptr) {
        auto* t = new T;
        t->m_hObject = h;
        o->temp = t;
    }
    return static_cast<T*>(o->temp);
}

} // namespace

// ---- CGdiObject ----
CGdiObject::~CGdiObject() {
    Object* o = orbel::gdi::FromHandle(m_hObject);
    if (o != nullptr && o->temp == this)
        return;  // a temporary wrapper never owns its handle
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (hObject == nullptr)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() { return std::exchange(m_hObject, nullptr); }

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ h = std::exchange(m_hObject, nullptr);
    Object* o = orbel::gdi::FromHandle(h);
    if (o != nullptr && o->temp == this)
        o->temp = nullptr;
    return ::DeleteObject(h);
}

BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

// ---- CPen, CBrush, CFont, CBitmap ----
CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(reinterpret_cast<HGDIOBJ>(::CreatePen(nPenStyle, nWidth, crColor)));
}
CPen* CPen::FromHandle(HPEN hPen) { return TempWrapper<CPen>(reinterpret_cast<HGDIOBJ>(hPen)); }

CBrush::CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return Attach(reinterpret_cast<HGDIOBJ>(::CreateSolidBrush(crColor)));
}
BOOL CBrush::CreateSysColorBrush(int nIndex) { return CreateSolidBrush(::GetSysColor(nIndex)); }
CBrush* CBrush::FromHandle(HBRUSH hBrush) { return TempWrapper<CBrush>(reinterpret_cast<HGDIOBJ>(hBrush)); }

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return Attach(reinterpret_cast<HGDIOBJ>(::CreateFontIndirect(lpLogFont)));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
    LOGFONT lf{nHeight,  nWidth,        nEscapement,    nOrientation, nWeight,         bItalic, bUnderline,
               cStrikeOut, nCharSet,    nOutPrecision,  nClipPrecision, nQuality, nPitchAndFamily, {}};
    if (lpszFacename != nullptr)
        std::strncpy(lf.lfFaceName, lpszFacename, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC*) {
    LOGFONT lf = DefaultLogFont();
    // Tenths of a point at 96 dots per inch, as a character height.
    lf.lfHeight = -((nPointSize * 96 + 360) / 720);
    if (lpszFaceName != nullptr) {
        std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
        std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    }
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) {
    Object* o = orbel::gdi::FromHandle(m_hObject);
    if (o == nullptr || pLogFont == nullptr)
        return 0;
    *pLogFont = o->logFont;
    return static_cast<int>(sizeof(LOGFONT));
}

CFont* CFont::FromHandle(HFONT hFont) { return TempWrapper<CFont>(reinterpret_cast<HGDIOBJ>(hFont)); }

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    return Attach(reinterpret_cast<HGDIOBJ>(::LoadBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_BITMAP),
                                                         MAKEINTRESOURCE(nIDResource))));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    return Attach(reinterpret_cast<HGDIOBJ>(::LoadBitmap(nullptr, lpszResourceName)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
    return Attach(reinterpret_cast<HGDIOBJ>(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits)));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int nWidth, int nHeight) {
    return CreateBitmap(nWidth, nHeight, 1, 32, nullptr);
}

int CBitmap::GetBitmap(BITMAP* pBitMap) {
    Object* o = orbel::gdi::FromHandle(m_hObject);
    if (o == nullptr || pBitMap == nullptr)
        return 0;
    *pBitMap = BITMAP{0, o->image.width(), o->image.height(), o->image.width() * 4, 1, 32, nullptr};
    return static_cast<int>(sizeof(BITMAP));
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    Object* o = orbel::gdi::FromHandle(m_hObject);
    if (o == nullptr || lpObject == nullptr || nCount <= 0)
        return 0;
    auto copy = [&](const auto& value) {
        if (nCount < static_cast<int>(sizeof value))
            return 0;
        std::memcpy(lpObject, &value, sizeof value);
        return static_cast<int>(sizeof value);
    };
    switch (o->kind) {
    case Kind::Pen:
        return copy(LOGPEN{static_cast<UINT>(o->penStyle), POINT{o->penWidth, 0}, o->color});
    case Kind::Brush:
        return copy(LOGBRUSH{o->nullBrush ? static_cast<UINT>(BS_NULL) : static_cast<UINT>(BS_SOLID), o->color, 0});
    case Kind::Font:
        return copy(o->logFont);
    case Kind::Bitmap:
        return copy(BITMAP{0, o->image.width(), o->image.height(), o->image.width() * 4, 1, 32, nullptr});
    }
    return 0;
}

CSize CBitmap::GetBitmapDimension() const {
    Object* o = orbel::gdi::FromHandle(m_hObject);
    return o ? CSize(o->image.width(), o->image.height()) : CSize();
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) { return TempWrapper<CBitmap>(reinterpret_cast<HGDIOBJ>(hBitmap)); }

// ---- CDC ----
CDC::CDC() = default;

CDC::~CDC() {
    if (m_hDC != nullptr && !m_bTemporary)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC) {
    DC* d = DCFromHandle(hDC);
    if (d == nullptr)
        return nullptr;
    if (d->temp == nullptr) {
        d->temp = new CDC;
        d->temp->m_hDC = d->temp->m_hAttribDC = hDC;
        d->temp->m_bTemporary = true;
    }
    return d->temp;
}

BOOL CDC::Attach(HDC hDC) {
    if (hDC == nullptr)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const {
    DC* d = DCFromHandle(m_hDC);
    return d ? CWnd::FromHandle(d->hwnd) : nullptr;
}

CPen* CDC::SelectObject(CPen* pPen) {
    return CPen::FromHandle(reinterpret_cast<HPEN>(::SelectObject(m_hDC, pPen ? pPen->m_hObject : nullptr)));
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
    return CBrush::FromHandle(reinterpret_cast<HBRUSH>(::SelectObject(m_hDC, pBrush ? pBrush->m_hObject : nullptr)));
}
CFont* CDC::SelectObject(CFont* pFont) {
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SelectObject(m_hDC, pFont ? pFont->m_hObject : nullptr)));
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return CBitmap::FromHandle(
        reinterpret_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap ? pBitmap->m_hObject : nullptr)));
}
HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }

CGdiObject* CDC::SelectStockObject(int nIndex) {
    HGDIOBJ old = ::SelectObject(m_hDC, ::GetStockObject(nIndex));
    Object* o = orbel::gdi::FromHandle(old);
    if (o == nullptr)
        return nullptr;
    switch (o->kind) {
    case Kind::Pen: return CPen::FromHandle(reinterpret_cast<HPEN>(old));
    case Kind::Brush: return CBrush::FromHandle(reinterpret_cast<HBRUSH>(old));
    case Kind::Font: return CFont::FromHandle(reinterpret_cast<HFONT>(old));
    case Kind::Bitmap: return CBitmap::FromHandle(reinterpret_cast<HBITMAP>(old));
    }
    return nullptr;
}

COLORREF CDC::SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
COLORREF CDC::GetTextColor() const {
    DC* d = DCFromHandle(m_hDC);
    return d ? d->state.textColor : 0;
}
COLORREF CDC::SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
COLORREF CDC::GetBkColor() const {
    DC* d = DCFromHandle(m_hDC);
    return d ? d->state.bkColor : 0;
}
int CDC::SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
int CDC::GetBkMode() const {
    DC* d = DCFromHandle(m_hDC);
    return d ? d->state.bkMode : 0;
}

int CDC::SaveDC() {
    DC* d = DCFromHandle(m_hDC);
    if (d == nullptr)
        return 0;
    d->saved.push_back(d->state);
    return static_cast<int>(d->saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC) {
    DC* d = DCFromHandle(m_hDC);
    if (d == nullptr || d->saved.empty())
        return FALSE;
    std::size_t index = nSavedDC < 0 ? d->saved.size() + static_cast<std::size_t>(nSavedDC)
                                     : static_cast<std::size_t>(nSavedDC) - 1;
    if (index >= d->saved.size())
        return FALSE;
    d->state = d->saved[index];
    d->saved.resize(index);
    return TRUE;
}

CPoint CDC::MoveTo(int x, int y) {
    POINT old{0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
    DrawEllipse(m_hDC, x1, y1, x2, y2);
    return TRUE;
}
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) {
    DrawPolyline(m_hDC, lpPoints, nCount);
    return TRUE;
}
void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FillRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(*pBrush) : nullptr);
}
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FrameRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(*pBrush) : nullptr);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    // The background colour stays changed afterwards, as with the real thing.
    ::SetBkColor(m_hDC, clr);
    FillSolid(m_hDC, QRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top), clr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT r{x, y, x + cx, y + cy};
    CRect normal(r);
    normal.NormalizeRect();
    FillSolidRect(&normal, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT) {
    const bool sunken = (nEdge & EDGE_SUNKEN) == EDGE_SUNKEN;
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
    Draw3dRect(lpRect, sunken ? dark : light, sunken ? light : dark);
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOutA(m_hDC, x, y, lpszString, nCount); }
BOOL CDC::TextOut(int x, int y, const CString& str) { return ::TextOutA(m_hDC, x, y, str, str.GetLength()); }
int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}
int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, str, str.GetLength(), lpRect, nFormat);
}
CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const { return TextExtent(m_hDC, lpszString, nCount); }
CSize CDC::GetTextExtent(const CString& str) const { return TextExtent(m_hDC, str, str.GetLength()); }
BOOL CDC::GetTextMetrics(TEXTMETRIC* lpMetrics) const {
    if (lpMetrics == nullptr)
        return FALSE;
    TextMetrics(m_hDC, lpMetrics);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, nullptr, 0, 0, nWidth, nHeight, dwRop);
}

BOOL CDC::GetClipBox(LPRECT lpRect) const { return lpRect && ClipBox(m_hDC, lpRect); }

// ---- window DCs ----
CPaintDC::CPaintDC(CWnd* pWnd) : m_ps{}, m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    Attach(::BeginPaint(m_hWnd, &m_ps));
}
CPaintDC::~CPaintDC() {
    if (m_hDC != nullptr) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
CClientDC::~CClientDC() {
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
CWindowDC::~CWindowDC() {
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

// ---- CWnd's DC helpers ----
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return GetDC(); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }
