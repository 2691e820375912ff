#include <win32/SleepHook.h>

#include "SleepState.h"

#include <utility>

namespace orbel {

SleepHook SetSleepHook(SleepHook hook) { return std::exchange(win32::CurrentSleepHook(), std::move(hook)); }

} // namespace orbel
