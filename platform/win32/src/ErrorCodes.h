// Internal: the last-error code that corresponds to a native errno value.
#pragma once

#include <win32/Errors.h>

namespace orbel::detail {

DWORD ErrorFromErrno(int error);
// Sets the last error from errno and returns FALSE, for failing calls.
BOOL FailWithErrno();
BOOL FailWith(DWORD error);

} // namespace orbel::detail
