// The Win32 window side: messages, styles, keys, records and the window
// functions. Values are the documented Windows ones, since resources,
// plug-ins and tests quote them as numbers.
//
// Emulated: the window functions below and the messages the program, the
// plug-ins and the framework send; a message sent to a window reaches its
// window object through its message map.
// Left out: window classes registered by the program (RegisterClass), hooks,
// timers, the clipboard, caret calls, raw input, touch and
// pen messages, and the wide-character calls.
#pragma once

#include <framework/CommandIds.h>
#include <framework/MessageMap.h>
#include <framework/Resources.h>
#include <win32/MessageBoxCodes.h>
#include <win32/Types.h>

// ---- Messages -------------------------------------------------------------
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_SETCURSOR 0x0020
#define WM_MOUSEACTIVATE 0x0021
#define WM_GETMINMAXINFO 0x0024
#define WM_DRAWITEM 0x002B
#define WM_MEASUREITEM 0x002C
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_CONTEXTMENU 0x007B
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_INITDIALOG 0x0110
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_HSCROLL 0x0114
#define WM_VSCROLL 0x0115
#define WM_INITMENUPOPUP 0x0117
#define WM_MENUSELECT 0x011F
#define WM_CTLCOLORSTATIC 0x0138
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSEWHEEL 0x020A
// Sent to a window when the mouse leaves it.
#define WM_MOUSELEAVE 0x02A3
#define WM_PARENTNOTIFY 0x0210
#define WM_DROPFILES 0x0233
#define WM_CAPTURECHANGED 0x0215
#define WM_USER 0x0400
#define WM_APP 0x8000

// Framework-private messages (MFC's range).
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_SIZEPARENT 0x0361
#define WM_SETMESSAGESTRING 0x0362

#define WHEEL_DELTA 120

// ---- Mouse and key state ----------------------------------------------------
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_NUMPAD0 0x60
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B

// ---- Mouse activation -------------------------------------------------------
#define MA_ACTIVATE 1
#define MA_ACTIVATEANDEAT 2
#define MA_NOACTIVATE 3
#define MA_NOACTIVATEANDEAT 4
#define HTCLIENT 1

// ---- Window styles ----------------------------------------------------------
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)

#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_ACCEPTFILES 0x00000010L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_CONTROLPARENT 0x00010000L
#define WS_EX_STATICEDGE 0x00020000L

#define CW_USEDEFAULT (static_cast<int>(0x80000000))

// ---- ShowWindow, SetWindowPos, RedrawWindow ---------------------------------
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2

#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define HWND_TOP (static_cast<HWND>(nullptr))
#define HWND_TOPMOST (reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)))

#define RDW_INVALIDATE 0x0001
#define RDW_INTERNALPAINT 0x0002
#define RDW_ERASE 0x0004
#define RDW_VALIDATE 0x0008
#define RDW_NOINTERNALPAINT 0x0010
#define RDW_NOERASE 0x0020
#define RDW_NOCHILDREN 0x0040
#define RDW_ALLCHILDREN 0x0080
#define RDW_UPDATENOW 0x0100
#define RDW_ERASENOW 0x0200
#define RDW_FRAME 0x0400
#define RDW_NOFRAME 0x0800

#define GW_HWNDFIRST 0
#define GW_HWNDNEXT 2
#define GW_OWNER 4
#define GW_CHILD 5

#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_ID (-12)

// ---- Commands and notifications ---------------------------------------------
#define BN_CLICKED 0
#define BN_DOUBLECLICKED 5
#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2
#define CBN_SELCHANGE 1
#define CBN_SELENDOK 9

#define NM_FIRST 0U
#define NM_CLICK (NM_FIRST - 2)
#define TCN_FIRST (0U - 550U)
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)
#define UDN_FIRST (0U - 721U)
#define UDN_DELTAPOS (UDN_FIRST - 1)

// ---- Records ----------------------------------------------------------------
struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
using LPMSG = MSG*;

typedef struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCT, *LPCREATESTRUCT;

struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};
using LPNMHDR = NMHDR*;

#define ODT_MENU 1
#define ODT_BUTTON 4
#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004
#define ODS_SELECTED 0x0001
#define ODS_DISABLED 0x0004
#define ODS_FOCUS 0x0010

typedef struct tagDRAWITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    ULONG_PTR itemData;
} DRAWITEMSTRUCT, *LPDRAWITEMSTRUCT;

struct WINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// ---- Window functions -------------------------------------------------------
// All act on windows made through CWnd; they run on the one UI thread.
ORBEL_API BOOL PostMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
ORBEL_API LRESULT SendMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
ORBEL_API BOOL IsWindow(HWND hWnd);
ORBEL_API BOOL IsWindowVisible(HWND hWnd);
ORBEL_API BOOL IsWindowEnabled(HWND hWnd);
ORBEL_API BOOL EnableWindow(HWND hWnd, BOOL bEnable);
ORBEL_API BOOL ShowWindow(HWND hWnd, int nCmdShow);
ORBEL_API BOOL UpdateWindow(HWND hWnd);
ORBEL_API BOOL DestroyWindow(HWND hWnd);
ORBEL_API BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
ORBEL_API BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
ORBEL_API BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags);
ORBEL_API BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);
ORBEL_API BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
ORBEL_API BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
ORBEL_API BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
ORBEL_API BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
ORBEL_API BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
ORBEL_API BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
ORBEL_API BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString);
ORBEL_API int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
ORBEL_API int GetWindowTextLengthA(HWND hWnd);
#define SetWindowText SetWindowTextA
#define GetWindowText GetWindowTextA
#define GetWindowTextLength GetWindowTextLengthA
ORBEL_API HWND GetParent(HWND hWnd);
ORBEL_API HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
ORBEL_API int GetDlgCtrlID(HWND hWnd);
ORBEL_API HWND GetWindow(HWND hWnd, UINT uCmd);
ORBEL_API HWND GetTopWindow(HWND hWnd);
ORBEL_API LONG GetWindowLong(HWND hWnd, int nIndex);
ORBEL_API LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
ORBEL_API HWND SetFocus(HWND hWnd);
ORBEL_API HWND GetFocus();
ORBEL_API HWND GetActiveWindow();
ORBEL_API HWND SetActiveWindow(HWND hWnd);
ORBEL_API BOOL SetForegroundWindow(HWND hWnd);
ORBEL_API HWND SetCapture(HWND hWnd);
ORBEL_API BOOL ReleaseCapture();
ORBEL_API HWND GetCapture();
ORBEL_API BOOL IsChild(HWND hWndParent, HWND hWnd);
ORBEL_API SHORT GetKeyState(int nVirtKey);
ORBEL_API SHORT GetAsyncKeyState(int vKey);
ORBEL_API BOOL GetCursorPos(LPPOINT lpPoint);
ORBEL_API BOOL SetCursorPos(int x, int y);
ORBEL_API HWND WindowFromPoint(POINT point);
ORBEL_API int GetSystemMetrics(int nIndex);
ORBEL_API DWORD GetMessagePos();
ORBEL_API LONG GetMessageTime();
ORBEL_API BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
ORBEL_API BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
ORBEL_API BOOL TranslateMessage(const MSG* lpMsg);
ORBEL_API LRESULT DispatchMessage(const MSG* lpMsg);
ORBEL_API void PostQuitMessage(int nExitCode);
ORBEL_API LRESULT DefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
ORBEL_API int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);
ORBEL_API BOOL MessageBeep(UINT uType);
ORBEL_API HCURSOR SetCursor(HCURSOR hCursor);
ORBEL_API HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName);
ORBEL_API void DragAcceptFiles(HWND hWnd, BOOL fAccept);
ORBEL_API UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
ORBEL_API void DragFinish(HDROP hDrop);
ORBEL_API HDC GetDC(HWND hWnd);
ORBEL_API int ReleaseDC(HWND hWnd, HDC hDC);

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CYCAPTION 4
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CYMENU 15
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
