// What Sleep calls instead of waiting while the test library's hook
// (<win32/SleepHook.h>) is set; empty otherwise.
#pragma once

#include <win32/Types.h>

#include <functional>

namespace orbel::win32 {

ORBEL_TESTING_API std::function<void(DWORD milliseconds)>& CurrentSleepHook();

} // namespace orbel::win32
