#include "orbel/views/AxisTriad.h"

#include <algorithm>
#include <cmath>

namespace {

const COLORREF kAxisColours[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
const char* const kAxisLabels[3] = {"x", "y", "z"};

// Truncation toward zero; a direction that is not finite draws no line.
LONG Pixels(float v) { return std::isfinite(v) ? static_cast<LONG>(v) : 0; }

}  // namespace

AxisTriadLayout LayoutAxisTriad(int w, int h, const D3DXMATRIX& view, const D3DXMATRIX& projection)
{
    AxisTriadLayout layout;
    int length = 25;
    if (w < 125 || h < 125) length = (2 * std::min(w, h)) / 10;
    layout.length = length;
    layout.origin = POINT{length + 5, h - length - 5};
    layout.labels = w > 80 && h > 80;

    D3DVIEWPORT8 viewport{};
    viewport.X = 0;
    viewport.Y = 0;
    viewport.Width = static_cast<DWORD>(std::max(w, 0));
    viewport.Height = static_cast<DWORD>(std::max(h, 0));
    viewport.MinZ = 0.0f;
    viewport.MaxZ = 0.0f;
    D3DXMATRIX world;
    D3DXMatrixIdentity(&world);

    const D3DXVECTOR3 zero(0, 0, 0);
    D3DXVECTOR3 origin;
    D3DXVec3Project(&origin, &zero, &viewport, &projection, &view, &world);
    const D3DXVECTOR3 unit[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int i = 0; i < 3; ++i) {
        D3DXVECTOR3 end;
        D3DXVec3Project(&end, &unit[i], &viewport, &projection, &view, &world);
        D3DXVECTOR3 d = end - origin;
        float len = D3DXVec3Length(&d);
        if (len != 0.0f) d = d * (1.0f / len) * static_cast<float>(length);
        AxisTriadAxis& axis = layout.axes[i];
        axis.lineEnd = POINT{layout.origin.x + Pixels(d.x), layout.origin.y + Pixels(d.y)};
        axis.label = POINT{length + 7 + Pixels(d.x), h - length - 7 + Pixels(d.y)};
        axis.colour = kAxisColours[i];
        axis.text = kAxisLabels[i];
    }
    return layout;
}
