// Test library: its entry refuses the load; it reports each call through
// Sleep(2000 + reason).
#include <win32/Win32.h>

extern "C" ORBEL_API BOOL DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    Sleep(2000 + reason);
    return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
}
