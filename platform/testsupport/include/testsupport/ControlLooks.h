// How the controls look to the user, for checks that a layout fits its font.
//
// Test-only, like all of testsupport: it emulates nothing, and the program
// links none of it.
#pragma once

#include <win32/Types.h>

#include <string>
#include <vector>

namespace orbel::test {

// The texts of the dialog's text labels that their control is too small to
// show whole, in the font the dialog shows them with.
ORBEL_API std::vector<std::string> ClippedLabels(HWND dialog);

// Whether the edit draws a selection (an edit without the focus keeps its
// selection but does not show it).
ORBEL_API bool ShowsSelection(HWND edit);

}  // namespace orbel::test
