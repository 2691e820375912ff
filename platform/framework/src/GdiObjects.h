// Internal: the records behind GDI handles.
#pragma once

#include <framework/Gdi.h>

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRegion>

#include <string>
#include <vector>

class CGdiObject;

namespace orbel::gdi {

enum class Kind { Pen, Brush, Font, Bitmap };

struct Object {
    Kind kind = Kind::Pen;
    bool stock = false;
    // pen
    int penStyle = PS_SOLID;
    int penWidth = 1;
    // pen and brush
    COLORREF color = 0;
    bool nullBrush = false;
    // font
    LOGFONT logFont{};
    // bitmap
    QImage image;
    CGdiObject* temp = nullptr;  // wrapper made by FromHandle
};

struct DCState {
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    QPoint position;
};

struct DC {
    HWND hwnd = nullptr;        // a window's client area
    HGDIOBJ bitmap = nullptr;   // a memory DC's selected bitmap
    bool clipped = false;
    QRegion clip;               // client coordinates
    DCState state;
    std::vector<DCState> saved;
    CDC* temp = nullptr;
};

Object* FromHandle(HGDIOBJ h);     // null when not a live object
DC* DCFromHandle(HDC h);           // null when not a live DC
HGDIOBJ Stock(int index);
HDC NewDC(HWND hwnd);
void FreeDC(HDC h);
QFont ToQFont(const LOGFONT& lf);
LOGFONT DefaultLogFont();

} // namespace orbel::gdi

namespace orbel::gdi {
CSize TextExtent(HDC hdc, LPCSTR s, int n);
void TextMetrics(HDC hdc, TEXTMETRIC* tm);
void FillSolid(HDC hdc, const QRect& r, COLORREF c);
void DrawEllipse(HDC hdc, int x1, int y1, int x2, int y2);
void DrawPolyline(HDC hdc, const POINT* points, int count);
bool ClipBox(HDC hdc, RECT* rect);
} // namespace orbel::gdi
