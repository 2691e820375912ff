#include "orbel/resources/PixelCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Rows of five bits, most significant bit leftmost.
struct Glyph {
    char c;
    BYTE rows[7];
};

constexpr Glyph kGlyphs[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}}, {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}}, {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}}, {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}}, {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}}, {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}},
};

const Glyph* FindGlyph(char c)
{
    for (const Glyph& glyph : kGlyphs)
        if (glyph.c == c)
            return &glyph;
    return nullptr;
}

BYTE Channel(DWORD argb, int shift)
{
    return static_cast<BYTE>((argb >> shift) & 0xFF);
}

}  // namespace

PixelCanvas::PixelCanvas(int width, int height, DWORD argb)
    : width_(std::max(width, 0))
    , height_(std::max(height, 0))
    , pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), argb)
{
}

DWORD PixelCanvas::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void PixelCanvas::Set(int x, int y, DWORD argb)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = argb;
}

void PixelCanvas::FillRect(int left, int top, int right, int bottom, DWORD argb)
{
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x)
            Set(x, y, argb);
}

void PixelCanvas::FrameRect(int left, int top, int right, int bottom, DWORD argb)
{
    Line(left, top, right - 1, top, argb);
    Line(left, bottom - 1, right - 1, bottom - 1, argb);
    Line(left, top, left, bottom - 1, argb);
    Line(right - 1, top, right - 1, bottom - 1, argb);
}

void PixelCanvas::Line(int x0, int y0, int x1, int y1, DWORD argb)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Set(x0, y0, argb);
        if (x0 == x1 && y0 == y1)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void PixelCanvas::Circle(int cx, int cy, int radius, DWORD argb)
{
    int x = radius;
    int y = 0;
    int error = 1 - radius;
    while (x >= y) {
        const int points[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : points)
            Set(cx + p[0], cy + p[1], argb);
        ++y;
        if (error < 0) {
            error += 2 * y + 1;
        } else {
            --x;
            error += 2 * (y - x) + 1;
        }
    }
}

void PixelCanvas::VerticalGradient(DWORD topArgb, DWORD bottomArgb)
{
    const int span = std::max(height_ - 1, 1);
    for (int y = 0; y < height_; ++y) {
        DWORD colour = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const int from = Channel(topArgb, shift);
            const int to = Channel(bottomArgb, shift);
            colour |= static_cast<DWORD>(from + (to - from) * y / span) << shift;
        }
        FillRect(0, y, width_, y + 1, colour);
    }
}

void PixelCanvas::Text(int x, int y, std::string_view text, int scale, DWORD argb)
{
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (const Glyph* glyph = FindGlyph(c)) {
            for (int row = 0; row < 7; ++row)
                for (int column = 0; column < 5; ++column)
                    if (glyph->rows[row] & (0x10 >> column))
                        FillRect(x + column * scale, y + row * scale, x + (column + 1) * scale,
                                 y + (row + 1) * scale, argb);
        }
        x += 6 * scale;
    }
}
