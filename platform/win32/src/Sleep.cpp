#include <win32/Sleep.h>

#include <chrono>
#include <thread>
#include <utility>

namespace {

orbel::SleepHook& Hook()
{
    static orbel::SleepHook hook;
    return hook;
}

} // namespace

void Sleep(DWORD dwMilliseconds)
{
    if (Hook()) {
        Hook()(dwMilliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

namespace orbel {

SleepHook SetSleepHook(SleepHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

} // namespace orbel
