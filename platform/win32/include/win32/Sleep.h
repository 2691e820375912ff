// Sleep, with a hook so that tests record waits instead of waiting.
#pragma once

#include <win32/Types.h>

#include <functional>

ORBEL_API void Sleep(DWORD dwMilliseconds);

namespace orbel {

// While a hook is set, Sleep calls it instead of waiting. Returns the
// previous hook; an empty function restores real waiting.
using SleepHook = std::function<void(DWORD milliseconds)>;
ORBEL_API SleepHook SetSleepHook(SleepHook hook);

} // namespace orbel
