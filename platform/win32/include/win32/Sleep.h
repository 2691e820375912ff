// Sleep: waits the given milliseconds. Tests record waits instead through
// the hook of the test library (<win32/SleepHook.h>).
//
// Left out: SleepEx and alertable waits.
#pragma once

#include <win32/Types.h>

ORBEL_API void Sleep(DWORD dwMilliseconds);
