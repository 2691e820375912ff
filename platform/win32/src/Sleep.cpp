#include <win32/Sleep.h>

#include "SleepState.h"

#include <chrono>
#include <thread>

namespace orbel::win32 {

std::function<void(DWORD milliseconds)>& CurrentSleepHook()
{
    static std::function<void(DWORD milliseconds)> hook;
    return hook;
}

} // namespace orbel::win32

void Sleep(DWORD dwMilliseconds)
{
    if (const auto& hook = orbel::win32::CurrentSleepHook()) {
        hook(dwMilliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}
