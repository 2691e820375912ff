// Test hook of Sleep: records or answers waits instead of waiting. A library
// of its own that only tests and benchmarks link.
#pragma once

#include <win32/Types.h>

#include <functional>

namespace orbel {

// While a hook is set, Sleep calls it instead of waiting. Returns the
// previous hook; an empty function restores real waiting.
using SleepHook = std::function<void(DWORD milliseconds)>;
ORBEL_API SleepHook SetSleepHook(SleepHook hook);

} // namespace orbel
