// Test library without an entry point.
#include <win32/Win32.h>

extern "C" ORBEL_API int Answer()
{
    return 7;
}
