// Drawing through device contexts into retained window images and bitmaps.
// Whatever is drawn into a window's image is shown at once (a repaint of
// the widget from the image), never by a new WM_PAINT.
#include "GdiObjects.h"
#include "WindowState.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

using namespace orbel::gdi;
using namespace orbel::window;

namespace {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

COLORREF ToColorRef(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

QImage& Scratch() {
    static QImage* image = new QImage(1, 1, QImage::Format_RGB32);
    return *image;
}

struct Target {
    QImage* image = nullptr;
    QPoint origin;  // client (0,0) in image coordinates
    QRegion clip;   // client coordinates
    HWND hwnd = nullptr;
};

bool TargetOf(DC* d, Target& t) {
    if (d == nullptr)
        return false;
    if (d->hwnd != nullptr) {
        HWND__* r = Record(d->hwnd);
        if (r == nullptr || r->image.isNull())
            return false;
        t.image = &r->image;
        const QRect c = r->clientRect();
        t.origin = c.topLeft();
        t.clip = QRegion(0, 0, c.width(), c.height());
        t.hwnd = d->hwnd;
    } else if (Object* bitmap = FromHandle(d->bitmap); bitmap != nullptr && !bitmap->image.isNull()) {
        t.image = &bitmap->image;
        t.clip = QRegion(bitmap->image.rect());
    } else {
        t.image = &Scratch();
        t.clip = QRegion(0, 0, 1, 1);
    }
    if (d->clipped)
        t.clip = t.clip.intersected(d->clip);
    return true;
}

// One drawing operation on a DC's target; shows the result when it ends.
class Painter {
public:
    explicit Painter(HDC hdc) : m_dc(DCFromHandle(hdc)) {
        if (!TargetOf(m_dc, m_target) || m_target.clip.isEmpty())
            return;
        QPaintDevice* device = m_target.image;
        if (HWND__* r = Record(m_target.hwnd)) {
            device = &DrawingTarget(r, m_target.clip.translated(m_target.origin));
            m_overlay = device != &r->image;
        }
        m_painter.begin(device);
        m_painter.setClipRegion(m_target.clip.translated(m_target.origin));
        m_painter.translate(m_target.origin);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    }
    ~Painter() {
        if (!m_painter.isActive())
            return;
        m_painter.end();
        // An overlay is shown with the image it lies over.
        if (m_target.hwnd != nullptr && !m_overlay) {
            QRect shown = m_target.clip.boundingRect().translated(m_target.origin);
            ShowImage(m_target.hwnd, &shown);
        }
    }
    bool ok() const { return m_painter.isActive(); }
    QPainter& p() { return m_painter; }
    DC* dc() { return m_dc; }

    QPen Pen() {
        Object* o = FromHandle(m_dc->state.pen);
        if (o == nullptr || o->penStyle == PS_NULL)
            return QPen(Qt::NoPen);
        QPen pen(ToQColor(o->color));
        pen.setWidth(o->penWidth <= 1 ? 0 : o->penWidth);
        switch (o->penStyle) {
        case PS_DASH: pen.setStyle(Qt::DashLine); break;
        case PS_DOT: pen.setStyle(Qt::DotLine); break;
        case PS_DASHDOT: pen.setStyle(Qt::DashDotLine); break;
        case PS_DASHDOTDOT: pen.setStyle(Qt::DashDotDotLine); break;
        default: break;
        }
        return pen;
    }
    QBrush Brush() {
        Object* o = FromHandle(m_dc->state.brush);
        if (o == nullptr || o->nullBrush)
            return QBrush(Qt::NoBrush);
        return QBrush(ToQColor(o->color));
    }

private:
    DC* m_dc;
    Target m_target;
    bool m_overlay = false;
    QPainter m_painter;
};

// Pixels of a window are read only once its presented image has landed.
void SettleWindowOf(HDC hdc) {
    if (DC* d = DCFromHandle(hdc); d != nullptr && d->hwnd != nullptr)
        SettleImage(Record(d->hwnd));
}

QFont FontOf(DC* d) {
    Object* o = d ? FromHandle(d->state.font) : nullptr;
    return ToQFont(o ? o->logFont : DefaultLogFont());
}

QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// "&x" marks a mnemonic in control and menu texts; "&&" is a plain "&".
std::string WithoutPrefixes(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size()) {
            ++i;
        }
        out += s[i];
    }
    return out;
}

int TextLength(LPCSTR s, int n) { return n < 0 ? static_cast<int>(std::strlen(s)) : n; }

} // namespace

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    DC* d = DCFromHandle(hdc);
    Object* o = FromHandle(h);
    if (d == nullptr || o == nullptr)
        return nullptr;
    HGDIOBJ* slot = nullptr;
    switch (o->kind) {
    case Kind::Pen: slot = &d->state.pen; break;
    case Kind::Brush: slot = &d->state.brush; break;
    case Kind::Font: slot = &d->state.font; break;
    case Kind::Bitmap:
        if (d->hwnd != nullptr)
            return nullptr;
        slot = &d->bitmap;
        break;
    }
    HGDIOBJ old = *slot;
    *slot = h;
    return old;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DC* d = DCFromHandle(hdc);
    if (d == nullptr)
        return 0;
    return std::exchange(d->state.textColor, color);
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DC* d = DCFromHandle(hdc);
    if (d == nullptr)
        return 0;
    return std::exchange(d->state.bkColor, color);
}

int SetBkMode(HDC hdc, int mode) {
    DC* d = DCFromHandle(hdc);
    if (d == nullptr)
        return 0;
    return std::exchange(d->state.bkMode, mode);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (lpString == nullptr)
        return FALSE;
    Painter pt(hdc);
    if (!pt.ok())
        return DCFromHandle(hdc) != nullptr;
    const QString text = QString::fromUtf8(lpString, TextLength(lpString, c));
    const QFont font = FontOf(pt.dc());
    QFontMetrics metrics(font);
    pt.p().setFont(font);
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (pt.dc()->state.bkMode == OPAQUE)
        pt.p().fillRect(box, ToQColor(pt.dc()->state.bkColor));
    pt.p().setPen(ToQColor(pt.dc()->state.textColor));
    pt.p().drawText(QPoint(x, y + metrics.ascent()), text);
    return TRUE;
}

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    DC* d = DCFromHandle(hdc);
    if (d == nullptr || lpchText == nullptr || lprc == nullptr)
        return 0;
    std::string raw(lpchText, static_cast<std::size_t>(TextLength(lpchText, cchText)));
    if (!(format & DT_NOPREFIX))
        raw = WithoutPrefixes(raw);
    if (format & DT_SINGLELINE)
        std::replace(raw.begin(), raw.end(), '\n', ' ');
    const QString text = QString::fromUtf8(raw.c_str());
    const QFont font = FontOf(d);
    QFontMetrics metrics(font);
    int flags = 0;
    flags |= (format & DT_CENTER) ? Qt::AlignHCenter : (format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    if (format & DT_SINGLELINE)
        flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : (format & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    else
        flags |= Qt::AlignTop;
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    const QRect box = ToQRect(*lprc);
    // Sizes follow the characters' advances, as GDI measures; only word
    // wrapping needs the layout engine.
    QRect needed;
    if (format & DT_WORDBREAK) {
        needed = metrics.boundingRect(box.width() > 0 ? box : QRect(box.topLeft(), QSize(100000, 100000)), flags, text);
    } else {
        const QStringList lines = text.split(QLatin1Char('\n'));
        int width = 0;
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        const int height = metrics.height() * static_cast<int>(lines.size());
        int x = box.left(), y = box.top();
        if (format & DT_CENTER)
            x += (box.width() - width) / 2;
        else if (format & DT_RIGHT)
            x = box.left() + box.width() - width;
        if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
            y += (box.height() - height) / 2;
        else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
            y = box.top() + box.height() - height;
        needed = QRect(x, y, width, height);
    }
    if (format & DT_CALCRECT) {
        lprc->right = lprc->left + needed.width();
        lprc->bottom = lprc->top + needed.height();
        return needed.height();
    }
    Painter pt(hdc);
    if (!pt.ok())
        return needed.height();
    pt.p().setFont(font);
    if (!(format & DT_NOCLIP))
        pt.p().setClipRect(box, Qt::IntersectClip);
    if (d->state.bkMode == OPAQUE)
        pt.p().fillRect(needed.intersected(box), ToQColor(d->state.bkColor));
    pt.p().setPen(ToQColor(d->state.textColor));
    pt.p().drawText(box, flags, text);
    return needed.height();
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    Object* brush = FromHandle(reinterpret_cast<HGDIOBJ>(hbr));
    if (lprc == nullptr || brush == nullptr)
        return 0;
    Painter pt(hDC);
    if (pt.ok() && !brush->nullBrush)
        pt.p().fillRect(ToQRect(*lprc), ToQColor(brush->color));
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    Object* brush = FromHandle(reinterpret_cast<HGDIOBJ>(hbr));
    if (lprc == nullptr || brush == nullptr)
        return 0;
    Painter pt(hDC);
    if (!pt.ok() || brush->nullBrush)
        return 1;
    const QRect r = ToQRect(*lprc);
    const QColor c = ToQColor(brush->color);
    pt.p().fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
    pt.p().fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
    pt.p().fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
    pt.p().fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
    return 1;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DC* d = DCFromHandle(hdc);
    if (d == nullptr)
        return FALSE;
    if (lppt)
        *lppt = POINT{d->state.position.x(), d->state.position.y()};
    d->state.position = QPoint(x, y);
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DC* d = DCFromHandle(hdc);
    if (d == nullptr)
        return FALSE;
    const QPoint from = d->state.position;
    d->state.position = QPoint(x, y);
    Painter pt(hdc);
    if (!pt.ok())
        return TRUE;
    const QPen pen = pt.Pen();
    if (pen.style() == Qt::NoPen)
        return TRUE;
    pt.p().setPen(pen);
    // GDI leaves out the last point of a line.
    const QPoint to(x, y);
    if (from == to)
        return TRUE;
    QLineF line(from, to);
    const double length = line.length();
    if (length >= 1.0)
        line.setLength(length - 1.0);
    pt.p().drawLine(line);
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    Painter pt(hdc);
    if (!pt.ok())
        return DCFromHandle(hdc) != nullptr;
    QRect r(QPoint(std::min(left, right), std::min(top, bottom)), QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
    const QBrush brush = pt.Brush();
    if (brush.style() != Qt::NoBrush)
        pt.p().fillRect(r, brush);
    const QPen pen = pt.Pen();
    if (pen.style() != Qt::NoPen) {
        pt.p().setPen(pen);
        pt.p().setBrush(Qt::NoBrush);
        pt.p().drawRect(r.adjusted(0, 0, -1, -1));
    }
    return TRUE;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
    SettleWindowOf(hdcSrc);
    // Raster operations combine with what the window shows.
    if (rop != BLACKNESS && rop != WHITENESS && rop != PATCOPY && rop != SRCCOPY)
        SettleWindowOf(hdcDest);
    Painter pt(hdcDest);
    if (!pt.ok())
        return DCFromHandle(hdcDest) != nullptr;
    const QRect dest(xDest, yDest, wDest, hDest);
    if (rop == BLACKNESS || rop == WHITENESS || rop == PATCOPY) {
        QColor c = rop == BLACKNESS ? Qt::black : rop == WHITENESS ? Qt::white : pt.Brush().color();
        pt.p().fillRect(dest, c);
        return TRUE;
    }
    Target src;
    if (!TargetOf(DCFromHandle(hdcSrc), src))
        return FALSE;
    const QRect from(QPoint(xSrc, ySrc) + src.origin, QSize(wSrc, hSrc));
    QImage part = src.image->copy(from).convertToFormat(QImage::Format_ARGB32);
    if (rop == SRCCOPY) {
        pt.p().setCompositionMode(QPainter::CompositionMode_SourceOver);
        pt.p().drawImage(dest, part);
        return TRUE;
    }
    QPainter::CompositionMode mode = QPainter::RasterOp_SourceAndDestination;
    if (rop == SRCPAINT)
        mode = QPainter::RasterOp_SourceOrDestination;
    else if (rop == SRCINVERT)
        mode = QPainter::RasterOp_SourceXorDestination;
    pt.p().setCompositionMode(mode);
    pt.p().drawImage(dest, part);
    return TRUE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    SettleWindowOf(hdc);
    Target t;
    if (!TargetOf(DCFromHandle(hdc), t) || !t.clip.contains(QPoint(x, y)))
        return 0xFFFFFFFFu;  // CLR_INVALID
    return ToColorRef(t.image->pixel(QPoint(x, y) + t.origin));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    Painter pt(hdc);
    if (!pt.ok())
        return 0xFFFFFFFFu;
    pt.p().fillRect(QRect(x, y, 1, 1), ToQColor(color));
    return color;
}

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || lpPaint == nullptr)
        return nullptr;
    HDC hdc = NewDC(hWnd);
    DC* d = DCFromHandle(hdc);
    const QRegion region = r->updateRegion;
    const bool erase = r->eraseNeeded;
    r->updateRegion = QRegion();
    r->eraseNeeded = false;
    d->clipped = true;
    d->clip = region;
    const QRect box = region.boundingRect();
    lpPaint->hdc = hdc;
    lpPaint->rcPaint = RECT{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
    lpPaint->fErase = FALSE;
    if (erase && !region.isEmpty())
        lpPaint->fErase = ::SendMessage(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
    return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    if (lpPaint == nullptr)
        return FALSE;
    FreeDC(lpPaint->hdc);
    return TRUE;
}

// ---- used by CDC ----
namespace orbel::gdi {

CSize TextExtent(HDC hdc, LPCSTR s, int n) {
    DC* d = DCFromHandle(hdc);
    QFontMetrics metrics(FontOf(d));
    const QString text = QString::fromUtf8(s ? s : "", s ? TextLength(s, n) : 0);
    return CSize(metrics.horizontalAdvance(text), metrics.height());
}

void TextMetrics(HDC hdc, TEXTMETRIC* tm) {
    QFontMetrics metrics(FontOf(DCFromHandle(hdc)));
    *tm = TEXTMETRIC{metrics.height(), metrics.ascent(), metrics.descent(), 0, metrics.leading(),
                     metrics.averageCharWidth(), metrics.maxWidth(), FW_NORMAL};
}

void FillSolid(HDC hdc, const QRect& r, COLORREF c) {
    Painter pt(hdc);
    if (pt.ok())
        pt.p().fillRect(r.normalized(), ToQColor(c));
}

void DrawEllipse(HDC hdc, int x1, int y1, int x2, int y2) {
    Painter pt(hdc);
    if (!pt.ok())
        return;
    pt.p().setPen(pt.Pen());
    pt.p().setBrush(pt.Brush());
    pt.p().drawEllipse(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).adjusted(0, 0, -1, -1));
}

void DrawPolyline(HDC hdc, const POINT* points, int count) {
    Painter pt(hdc);
    if (!pt.ok() || count < 2)
        return;
    pt.p().setPen(pt.Pen());
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    pt.p().drawPolyline(poly);
}

bool ClipBox(HDC hdc, RECT* rect) {
    Target t;
    if (!TargetOf(DCFromHandle(hdc), t))
        return false;
    const QRect b = t.clip.boundingRect();
    *rect = RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    return true;
}

} // namespace orbel::gdi
