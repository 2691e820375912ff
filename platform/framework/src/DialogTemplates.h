// Internal: building a window's controls from a dialog template.
#pragma once

#include <framework/Resources.h>
#include <framework/Wnd.h>

namespace orbel::dialogs {

// The template's rectangle in pixels: position and client size.
RECT PixelRect(const DialogTemplate& tmpl);

// Gives the window the client size the template asks for.
void FitClientSize(HWND window, const DialogTemplate& tmpl);

// Creates the template's controls as children of the window, in template
// order (which is also the tab order and the order UDS_AUTOBUDDY sees).
// Returns false when a control could not be made.
bool CreateControls(HWND window, const DialogTemplate& tmpl);

// The dialog font: "MS Shell Dlg" 8 pt, on the window and its controls.
void ApplyDialogFont(HWND window, const DialogTemplate& tmpl);

}  // namespace orbel::dialogs
