// Internal: what the dialog side needs from Qt and from the window core.
#pragma once

#include <win32/Types.h>

class QWidget;

namespace orbel {

// Qt needs its application object before any widget; tests and plug-in
// hosts may reach a dialog before the program made one.
void EnsureQtApplication();

// The top-level widget a real Qt dialog should be modal over (null: none).
QWidget* DialogParentOf(HWND owner);

// The owner of a message box without an explicit one: the main window.
HWND ActiveOwnerWindow();

}  // namespace orbel
