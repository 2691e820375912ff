#include <framework/Resources.h>
#include <framework/WinUser.h>

DialogItemTemplate DialogControl(const char* windowClass, const char* text, UINT id, DWORD style, short x, short y,
                                 short cx, short cy, DWORD exStyle) {
    return {windowClass, text, id, static_cast<DWORD>(style | WS_CHILD | WS_VISIBLE), exStyle, x, y, cx, cy};
}
