// Win32's message hooks, the one kind the layer keeps: WH_CALLWNDPROC, which
// sees every message sent to a window (SendMessage) before the window does.
// Left out: every other hook kind (keyboard, mouse, CBT, message filter,
// journal ...), which SetWindowsHookEx refuses with NULL; hooks in other
// threads or processes (the module and thread arguments are ignored: the
// layer has one UI thread); posted messages, which no WH_CALLWNDPROC hook
// sees in Win32 either.
#pragma once

#include <win32/Types.h>

#define WH_CALLWNDPROC 4
#define HC_ACTION 0

struct HHOOK__;
using HHOOK = HHOOK__*;
using HOOKPROC = LRESULT (*)(int nCode, WPARAM wParam, LPARAM lParam);

// What a WH_CALLWNDPROC hook is handed in its lParam.
typedef struct tagCWPSTRUCT {
    LPARAM lParam;
    WPARAM wParam;
    UINT message;
    HWND hwnd;
} CWPSTRUCT, *PCWPSTRUCT, *LPCWPSTRUCT;

// The newest hook runs first and passes on through CallNextHookEx.
ORBEL_API HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
ORBEL_API BOOL UnhookWindowsHookEx(HHOOK hhk);
ORBEL_API LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
#define SetWindowsHookEx SetWindowsHookExA
