// Scripted answers for the dialog side's modals: message boxes, modal
// dialogs, file and colour dialogs. Each call queues one answer; the modal
// that appears next of that kind takes it (see <testsupport/ModalScript.h>).
//
// Test-only, like all of testsupport: it emulates nothing, and the program
// links none of it.
#pragma once

#include <testsupport/ModalScript.h>
#include <win32/MessageBoxCodes.h>

#include <functional>
#include <string>

namespace orbel::test {

// The next message box answers IDOK, IDYES, IDNO, IDCANCEL, ...
ORBEL_API void ScriptMessageBox(int answer);
// The next file dialog chooses this path ("\" or "/" separators), and the
// filter entry filterIndex (1-based; 0 keeps the dialog's own).
ORBEL_API void ScriptFileDialog(const std::string& path, int filterIndex = 0);
ORBEL_API void ScriptFileDialogCancel();
// The next colour dialog chooses this colour.
ORBEL_API void ScriptColorDialog(COLORREF color);
ORBEL_API void ScriptColorDialogCancel();
// The next modal dialog of template `id`: `act` works its controls, then
// the command `result` is given as if its button were pressed (IDOK runs
// the dialog's OnOK with its checks; 0 leaves ending it to `act`).
ORBEL_API void ScriptDialog(UINT id, std::function<void(HWND dialog)> act, int result = IDOK);

// The texts of the message boxes shown while scripted, oldest first.
ORBEL_API std::vector<std::string> MessageBoxTexts();

}  // namespace orbel::test
