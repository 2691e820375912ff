// The WH_CALLWNDPROC chain as SendMessage runs it (<framework/WindowHooks.h>).
#pragma once

#include <win32/Types.h>

namespace orbel::window {

// Shows a sent message to the installed hooks, newest first; does nothing
// without one.
void ShowSentMessageToHooks(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace orbel::window
