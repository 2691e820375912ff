// What the tools-panel panels share: posting a code to the main frame, and
// the owner-drawn colour swatches.
#pragma once

#include <framework/Afx.h>

// Posts WM_USER (code, value) to the top-level window above the panel (the
// main frame); the frame's handler runs it later, in posting order.
void PostToMainFrame(const CWnd& panel, WPARAM code, LPARAM value);

// A 0..255 channel as a GDI byte: truncated toward zero, low 8 bits kept
// (256 shows as 0). Values no int holds (from files) count as 0.
BYTE ChannelByte(float value);
COLORREF SwatchColour(float red, float green, float blue);

// Fills the control's client area with the colour, outlined by the default
// black pen; nothing when the control is missing.
void PaintSwatch(CWnd* control, COLORREF colour);
