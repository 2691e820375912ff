// A small drawing surface for the program's own pictures (tool bar images,
// splash picture), made in code so that no image file has to ship.
#pragma once

#include <win32/Types.h>

#include <string_view>
#include <vector>

class PixelCanvas {
public:
    PixelCanvas(int width, int height, DWORD argb);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<DWORD>& Pixels() const { return pixels_; }
    DWORD At(int x, int y) const;

    // Everything clips at the canvas edges.
    void Set(int x, int y, DWORD argb);
    void FillRect(int left, int top, int right, int bottom, DWORD argb);  // right, bottom exclusive
    void FrameRect(int left, int top, int right, int bottom, DWORD argb);
    void Line(int x0, int y0, int x1, int y1, DWORD argb);
    void Circle(int cx, int cy, int radius, DWORD argb);
    void VerticalGradient(DWORD topArgb, DWORD bottomArgb);
    // Capital letters, digits and blanks in a 5 x 7 block font, each cell
    // scale x scale pixels, letters one cell apart.
    void Text(int x, int y, std::string_view text, int scale, DWORD argb);

private:
    int width_;
    int height_;
    std::vector<DWORD> pixels_;
};
