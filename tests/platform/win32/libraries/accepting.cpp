// Test library: its entry accepts the load; it reports each call through
// Sleep(1000 + reason).
#include <win32/Win32.h>

extern "C" ORBEL_API BOOL DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    Sleep(1000 + reason);
    return TRUE;
}

extern "C" ORBEL_API int Answer()
{
    return 42;
}
