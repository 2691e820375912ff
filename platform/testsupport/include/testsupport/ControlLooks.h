// How the controls look to the user, for checks that a layout fits its font.
#pragma once

#include <win32/Types.h>

#include <string>
#include <vector>

namespace orbel::test {

// The texts of the dialog's text labels that their control is too small to
// show whole, in the font the dialog shows them with.
ORBEL_API std::vector<std::string> ClippedLabels(HWND dialog);

}  // namespace orbel::test
