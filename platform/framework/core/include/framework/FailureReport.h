// The one channel through which the framework core tells the user about a
// failure (a file that cannot be opened or read, a save that went wrong).
// Without a reporter the text goes to the standard error stream; the window
// side of the framework installs a reporter that shows a message box.
//
// This is the layer's own seam; the framework it stands in for shows its
// failures in message boxes directly.
#pragma once

#include <win32/MessageBoxCodes.h>
#include <win32/Types.h>

#include <functional>

namespace orbel {

// Receives the text and the message box style (MB_*); returns the answer (ID*).
using FailureReporter = std::function<int(LPCTSTR text, UINT type)>;

// Returns the previous reporter; an empty function restores the default.
ORBEL_API FailureReporter SetFailureReporter(FailureReporter reporter);
ORBEL_API int ReportFailure(LPCTSTR text, UINT type = MB_OK | MB_ICONEXCLAMATION);

} // namespace orbel
