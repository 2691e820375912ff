// GDI handles: pens, brushes, fonts, bitmaps and device contexts.
#include "GdiObjects.h"
#include "WindowState.h"

#include <framework/Resources.h>

#include <cstring>
#include <unordered_map>
#include <memory>
#include <unordered_set>

namespace orbel::gdi {

namespace {

std::unordered_set<Object*>& LiveObjects() {
    static auto* set = new std::unordered_set<Object*>;
    return *set;
}

std::unordered_set<DC*>& LiveDCs() {
    static auto* set = new std::unordered_set<DC*>;
    return *set;
}

HGDIOBJ Handle(Object* o) { return reinterpret_cast<HGDIOBJ>(o); }

HGDIOBJ NewObject(Object o) {
    auto* p = new Object(std::move(o));
    LiveObjects().insert(p);
    return Handle(p);
}

} // namespace

Object* FromHandle(HGDIOBJ h) {
    auto* o = reinterpret_cast<Object*>(h);
    return (o != nullptr && LiveObjects().count(o)) ? o : nullptr;
}

DC* DCFromHandle(HDC h) {
    auto* d = reinterpret_cast<DC*>(h);
    return (d != nullptr && LiveDCs().count(d)) ? d : nullptr;
}

LOGFONT DefaultLogFont() {
    LOGFONT lf{};
    lf.lfHeight = -11;  // 8 points at 96 dots per inch
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, "MS Shell Dlg", LF_FACESIZE - 1);
    return lf;
}

QFont ToQFont(const LOGFONT& lf) {
    QFont font;
    std::string face(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    // Windows' dialog faces are not installed here. DejaVu Sans Condensed
    // stands in: at the dialog size (11 pixels) its letters average 6 pixels
    // across and its lines are 13 high, the base units every template is laid
    // out in, so texts fill their controls as designed. Plain DejaVu Sans
    // averages nearly 7 and overflows them; it is only the fallback.
    if (face.empty() || face == "MS Shell Dlg" || face == "MS Shell Dlg 2" || face == "MS Sans Serif" ||
        face == "Tahoma" || face == "Arial" || face == "System")
        font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    else
        font.setFamily(QString::fromUtf8(face.c_str()));
    font.setStyleHint(QFont::SansSerif);
    const int height = lf.lfHeight == 0 ? 11 : std::abs(static_cast<int>(lf.lfHeight));
    font.setPixelSize(std::max(1, lf.lfHeight > 0 ? height * 4 / 5 : height));
    font.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

HGDIOBJ Stock(int index) {
    static HGDIOBJ stock[DEFAULT_GUI_FONT + 1] = {};
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    if (stock[index] != nullptr)
        return stock[index];
    Object o;
    o.kind = Kind::Brush;
    o.stock = true;
    switch (index) {
    case WHITE_BRUSH: o.color = RGB(255, 255, 255); break;
    case LTGRAY_BRUSH: o.color = RGB(192, 192, 192); break;
    case GRAY_BRUSH: o.color = RGB(128, 128, 128); break;
    case DKGRAY_BRUSH: o.color = RGB(64, 64, 64); break;
    case BLACK_BRUSH: o.color = RGB(0, 0, 0); break;
    case NULL_BRUSH: o.nullBrush = true; break;
    case WHITE_PEN: o.kind = Kind::Pen; o.color = RGB(255, 255, 255); break;
    case BLACK_PEN: o.kind = Kind::Pen; o.color = RGB(0, 0, 0); break;
    case NULL_PEN: o.kind = Kind::Pen; o.penStyle = PS_NULL; break;
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
        o.kind = Kind::Font;
        o.logFont = DefaultLogFont();
        if (index == SYSTEM_FONT) {
            o.logFont.lfHeight = 16;
            o.logFont.lfWeight = FW_BOLD;
        }
        break;
    default: return nullptr;
    }
    stock[index] = NewObject(std::move(o));
    return stock[index];
}

HDC NewDC(HWND hwnd) {
    auto* d = new DC;
    d->hwnd = hwnd;
    d->state.pen = Stock(BLACK_PEN);
    d->state.brush = Stock(WHITE_BRUSH);
    d->state.font = Stock(DEFAULT_GUI_FONT);
    LiveDCs().insert(d);
    return reinterpret_cast<HDC>(d);
}

void FreeDC(HDC h) {
    DC* d = DCFromHandle(h);
    if (d == nullptr)
        return;
    LiveDCs().erase(d);
    if (d->temp != nullptr) {
        d->temp->m_hDC = nullptr;
        d->temp->m_hAttribDC = nullptr;
        delete d->temp;
    }
    delete d;
}

} // namespace orbel::gdi

using namespace orbel::gdi;

HGDIOBJ GetStockObject(int i) { return Stock(i); }

BOOL DeleteObject(HGDIOBJ ho) {
    Object* o = FromHandle(ho);
    if (o == nullptr || o->stock)
        return FALSE;
    // Windows refuses to delete an object that a DC still has selected.
    for (DC* d : LiveDCs())
        if (d->state.pen == ho || d->state.brush == ho || d->state.font == ho || d->bitmap == ho)
            return FALSE;
    LiveObjects().erase(o);
    if (o->temp != nullptr) {
        o->temp->m_hObject = nullptr;
        delete o->temp;
    }
    delete o;
    return TRUE;
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    Object o;
    o.kind = Kind::Pen;
    o.penStyle = iStyle;
    o.penWidth = cWidth;
    o.color = color;
    return reinterpret_cast<HPEN>(NewObject(std::move(o)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    Object o;
    o.kind = Kind::Brush;
    o.color = color;
    return reinterpret_cast<HBRUSH>(NewObject(std::move(o)));
}

HFONT CreateFontIndirect(const LOGFONT* lplf) {
    if (lplf == nullptr)
        return nullptr;
    Object o;
    o.kind = Kind::Font;
    o.logFont = *lplf;
    return reinterpret_cast<HFONT>(NewObject(std::move(o)));
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT, UINT nBitCount, const void* lpBits) {
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    Object o;
    o.kind = Kind::Bitmap;
    o.image = QImage(nWidth, nHeight, QImage::Format_ARGB32);
    o.image.fill(0xFF000000);
    if (lpBits != nullptr && nBitCount == 32) {
        // Rows top first, B G R A bytes: the same layout as ARGB32 words here.
        for (int y = 0; y < nHeight; ++y)
            std::memcpy(o.image.scanLine(y), static_cast<const BYTE*>(lpBits) + static_cast<std::size_t>(y) * nWidth * 4,
                        static_cast<std::size_t>(nWidth) * 4);
    }
    return reinterpret_cast<HBITMAP>(NewObject(std::move(o)));
}

HBITMAP LoadBitmap(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    if (!IS_INTRESOURCE(lpBitmapName))
        return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpBitmapName));
    const BitmapResource* res = AfxFindBitmap(hInstance, id);
    if (res == nullptr)
        res = AfxFindBitmap(nullptr, id);
    if (res == nullptr || res->width <= 0 || res->height <= 0 ||
        res->pixels.size() < static_cast<std::size_t>(res->width) * res->height)
        return nullptr;
    return CreateBitmap(res->width, res->height, 1, 32, res->pixels.data());
}

DWORD GetSysColor(int nIndex) {
    switch (nIndex) {
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_BTNTEXT:
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    default: return RGB(240, 240, 240);
    }
}

HBRUSH GetSysColorBrush(int nIndex) {
    static std::unordered_map<int, HGDIOBJ> brushes;
    auto it = brushes.find(nIndex);
    if (it != brushes.end())
        return reinterpret_cast<HBRUSH>(it->second);
    Object o;
    o.kind = Kind::Brush;
    o.stock = true;
    o.color = GetSysColor(nIndex);
    HGDIOBJ h = NewObject(std::move(o));
    brushes[nIndex] = h;
    return reinterpret_cast<HBRUSH>(h);
}

HDC GetDC(HWND hWnd) {
    if (hWnd != nullptr && !orbel::window::IsLive(hWnd))
        return nullptr;
    return NewDC(hWnd);
}

int ReleaseDC(HWND, HDC hDC) {
    if (DCFromHandle(hDC) == nullptr)
        return 0;
    FreeDC(hDC);
    return 1;
}

HDC CreateCompatibleDC(HDC) { return NewDC(nullptr); }

BOOL DeleteDC(HDC hdc) {
    if (DCFromHandle(hdc) == nullptr)
        return FALSE;
    FreeDC(hdc);
    return TRUE;
}
