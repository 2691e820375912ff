// Where the small x/y/z triad in a view's lower left corner goes: the world
// axes as the camera sees them, scaled to a fixed length in pixels.
#pragma once

#include <d3dx8/D3DX8.h>
#include <win32/Types.h>

struct AxisTriadAxis {
    POINT lineEnd;  // the line runs from the triad origin to here
    POINT label;    // top left of the label text
    COLORREF colour;
    const char* text;
};

struct AxisTriadLayout {
    int length = 0;  // L, pixels
    POINT origin{0, 0};
    bool labels = false;  // only in views wider and higher than 80 pixels
    AxisTriadAxis axes[3]{};  // x, y, z
};

AxisTriadLayout LayoutAxisTriad(int clientWidth, int clientHeight, const D3DXMATRIX& view,
                                const D3DXMATRIX& projection);
