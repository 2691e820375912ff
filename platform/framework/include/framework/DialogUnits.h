// Dialog units: templates give positions and sizes in them; windows use
// pixels. Every dialog uses "MS Shell Dlg" 8 pt, whose base units at 96 dpi
// are 6 pixels across and 13 down: a horizontal unit is a quarter of the
// base width, a vertical unit an eighth of the base height, so a 50 x 14
// button is 75 x 23 pixels. The figures are fixed, not measured, so that
// layouts do not depend on the fonts a machine has; the face standing in for
// "MS Shell Dlg" is one whose letters average those 6 x 13 pixels.
//
// Left out: measuring a dialog's own font (every dialog gets these base
// units whatever its template names) and DPI scaling.
#pragma once

#include <win32/Types.h>

#define ORBEL_DIALOG_BASE_UNIT_X 6
#define ORBEL_DIALOG_BASE_UNIT_Y 13

// Converts a rectangle from dialog units to pixels, rounding to nearest.
// The window argument is accepted for the Win32 signature; all dialogs share
// one font.
ORBEL_API BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
// The base units as Windows reports them: width in the low word.
ORBEL_API LONG GetDialogBaseUnits();
