#include "orbel/panels/PanelSupport.h"

#include <cmath>
#include <limits>

void PostToMainFrame(const CWnd& panel, WPARAM code, LPARAM value)
{
    if (CWnd* frame = panel.GetTopLevelParent())
        ::PostMessage(frame->GetSafeHwnd(), WM_USER, code, value);
}

BYTE ChannelByte(float value)
{
    if (!std::isfinite(value) || std::fabs(value) >= static_cast<float>(std::numeric_limits<int>::max()))
        return 0;
    return static_cast<BYTE>(static_cast<unsigned>(static_cast<int>(value)) & 0xFFu);
}

COLORREF SwatchColour(float red, float green, float blue)
{
    return RGB(ChannelByte(red), ChannelByte(green), ChannelByte(blue));
}

void PaintSwatch(CWnd* control, COLORREF colour)
{
    if (control == nullptr || control->GetSafeHwnd() == nullptr)
        return;
    CRect area;
    control->GetClientRect(&area);
    CDC* dc = control->GetDC();
    if (dc == nullptr)
        return;
    CBrush brush(colour);
    CBrush* previous = dc->SelectObject(&brush);
    dc->Rectangle(&area);
    dc->SelectObject(previous);
    control->ReleaseDC(dc);
}
