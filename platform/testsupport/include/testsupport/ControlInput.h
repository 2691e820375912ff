// The user's hand on the standard controls: each call changes a control the
// way a click or a key would, so the control sends what it sends for users
// (LBN_SELCHANGE, CBN_SELENDOK, TCN_SELCHANGE, UDN_DELTAPOS, BN_CLICKED).
//
// Test-only, like all of testsupport: it emulates nothing, and the program
// links none of it.
#pragma once

#include <win32/Types.h>

namespace orbel::test {

ORBEL_API void ClickButton(HWND button);
ORBEL_API void ChooseListLine(HWND listBox, int line);
ORBEL_API void ChooseComboLine(HWND comboBox, int line);
ORBEL_API void ChooseTab(HWND tabControl, int tab);
// Presses the up (true) or down arrow of an up-down control.
ORBEL_API void ClickUpDown(HWND upDown, bool up);
// Replaces an edit's text as typing would (one EN_CHANGE per change).
ORBEL_API void TypeIntoEdit(HWND edit, const char* text);

}  // namespace orbel::test
