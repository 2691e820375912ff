// Message maps: static tables that bind window messages, commands and
// control notifications to member functions. Each entry's handler is a
// captureless lambda that unpacks the message into the member function's
// typed arguments, so handlers keep the familiar signatures.
//
// Left out: ON_REGISTERED_MESSAGE, ON_THREAD_MESSAGE, OLE dispatch and
// event maps, and handler signatures for messages the layer never sends.
#pragma once

#include <win32/Types.h>

// Marks message handlers in class declarations.
#ifndef afx_msg
#define afx_msg
#endif

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;
struct NMHDR;
struct tagCREATESTRUCTA;
struct tagDRAWITEMSTRUCT;

// Everything a handler thunk may need from the message being dispatched.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;      // command or control id (commands, notifications)
    void* pExtra;  // CCmdUI* for update handlers, AFX_NOTIFY* for WM_NOTIFY
};

using AFX_PMSG = LRESULT (*)(CCmdTarget* target, const AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_* (WM_COMMAND and WM_NOTIFY for commands and notifications)
    UINT nCode;     // notification or CN_* code
    UINT nID;       // first control or command id
    UINT nLastID;   // last id of a range
    AFX_PMSG pfn;   // null marks the end of a table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Passed to OnCmdMsg as pExtra for WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Non-null pHandlerInfo asks OnCmdMsg only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

// The two messages every command target routes: commands and menu
// choices, and notifications of common controls.
#define WM_NOTIFY 0x004E
#define WM_COMMAND 0x0111

// Codes of OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<UINT>(-1))
#define CN_NOTIFY_CODE(code) (static_cast<UINT>(code))

// Finds the entry of a message map chain that handles (message, code, id).
ORBEL_API const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

#define DECLARE_MESSAGE_MAP()                             \
protected:                                                \
    static const AFX_MSGMAP* GetThisMessageMap();         \
    const AFX_MSGMAP* GetMessageMap() const override;     \
                                                          \
public:

// CCmdTarget itself declares the root of the chain (not an override).
#define DECLARE_ROOT_MESSAGE_MAP()                        \
protected:                                                \
    static const AFX_MSGMAP* GetThisMessageMap();         \
    virtual const AFX_MSGMAP* GetMessageMap() const;      \
                                                          \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                    \
        using ThisClass = theClass;                                                      \
        using TheBaseClass = baseClass;                                                  \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                \
        {0, 0, 0, 0, nullptr}};                                                          \
        static_assert(sizeof(ThisClass) > 0);                                            \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                              \
    }

#define AFX_MSG_THUNK(body) \
    [](CCmdTarget* _t, const AFX_MSGCALL& _c) -> LRESULT { auto* self = static_cast<ThisClass*>(_t); (void)self; (void)_c; body }

#define AFX_MSG_POINT (CPoint(GET_X_LPARAM(_c.lParam), GET_Y_LPARAM(_c.lParam)))
#define AFX_MSG_WND(h) (CWnd::FromHandle(reinterpret_cast<HWND>(h)))

// Window messages.
#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, AFX_MSG_THUNK(return self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(_c.lParam));)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AFX_MSG_THUNK(self->OnDestroy(); return 0;)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AFX_MSG_THUNK(self->OnClose(); return 0;)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AFX_MSG_THUNK(self->OnPaint(); return 0;)},
#define ON_WM_SIZE() \
    {WM_SIZE, 0, 0, 0, AFX_MSG_THUNK(self->OnSize(static_cast<UINT>(_c.wParam), LOWORD(_c.lParam), HIWORD(_c.lParam)); return 0;)},
#define ON_WM_MOVE() \
    {WM_MOVE, 0, 0, 0, AFX_MSG_THUNK(self->OnMove(GET_X_LPARAM(_c.lParam), GET_Y_LPARAM(_c.lParam)); return 0;)},
#define ON_WM_SHOWWINDOW() \
    {WM_SHOWWINDOW, 0, 0, 0, AFX_MSG_THUNK(self->OnShowWindow(static_cast<BOOL>(_c.wParam), static_cast<UINT>(_c.lParam)); return 0;)},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, AFX_MSG_THUNK(return self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(_c.wParam)));)},
#define AFX_ON_MOUSE(msg, fn) \
    {msg, 0, 0, 0, AFX_MSG_THUNK(self->fn(static_cast<UINT>(_c.wParam), AFX_MSG_POINT); return 0;)},
#define ON_WM_LBUTTONDOWN() AFX_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_ON_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEWHEEL()                                                                              \
    {WM_MOUSEWHEEL, 0, 0, 0, AFX_MSG_THUNK(return self->OnMouseWheel(LOWORD(_c.wParam),                \
                                                                     static_cast<short>(HIWORD(_c.wParam)), AFX_MSG_POINT);)},
#define ON_WM_MOUSEACTIVATE()                                                                           \
    {WM_MOUSEACTIVATE, 0, 0, 0, AFX_MSG_THUNK(return self->OnMouseActivate(AFX_MSG_WND(_c.wParam),     \
                                                                           LOWORD(_c.lParam), HIWORD(_c.lParam));)},
#define AFX_ON_KEY(msg, fn)                                                                             \
    {msg, 0, 0, 0, AFX_MSG_THUNK(self->fn(static_cast<UINT>(_c.wParam), LOWORD(_c.lParam), HIWORD(_c.lParam)); return 0;)},
#define ON_WM_KEYDOWN() AFX_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_ON_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, AFX_MSG_THUNK(self->OnSetFocus(AFX_MSG_WND(_c.wParam)); return 0;)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, AFX_MSG_THUNK(self->OnKillFocus(AFX_MSG_WND(_c.wParam)); return 0;)},
#define ON_WM_CONTEXTMENU() \
    {WM_CONTEXTMENU, 0, 0, 0, AFX_MSG_THUNK(self->OnContextMenu(AFX_MSG_WND(_c.wParam), AFX_MSG_POINT); return 0;)},
#define ON_WM_DROPFILES() {WM_DROPFILES, 0, 0, 0, AFX_MSG_THUNK(self->OnDropFiles(reinterpret_cast<HDROP>(_c.wParam)); return 0;)},
#define ON_WM_DRAWITEM()                                                                                \
    {WM_DRAWITEM, 0, 0, 0, AFX_MSG_THUNK(self->OnDrawItem(static_cast<int>(_c.wParam),                  \
                                                          reinterpret_cast<tagDRAWITEMSTRUCT*>(_c.lParam)); return TRUE;)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AFX_MSG_THUNK(self->OnTimer(static_cast<UINT_PTR>(_c.wParam)); return 0;)},
#define ON_WM_HSCROLL()                                                                                 \
    {WM_HSCROLL, 0, 0, 0, AFX_MSG_THUNK(self->OnHScroll(LOWORD(_c.wParam), static_cast<short>(HIWORD(_c.wParam)), \
                                                        reinterpret_cast<CScrollBar*>(AFX_MSG_WND(_c.lParam))); return 0;)},
#define ON_WM_VSCROLL()                                                                                 \
    {WM_VSCROLL, 0, 0, 0, AFX_MSG_THUNK(self->OnVScroll(LOWORD(_c.wParam), static_cast<short>(HIWORD(_c.wParam)), \
                                                        reinterpret_cast<CScrollBar*>(AFX_MSG_WND(_c.lParam))); return 0;)},
#define ON_WM_SETCURSOR()                                                                               \
    {WM_SETCURSOR, 0, 0, 0, AFX_MSG_THUNK(return self->OnSetCursor(AFX_MSG_WND(_c.wParam), LOWORD(_c.lParam), HIWORD(_c.lParam));)},
#define ON_WM_INITMENUPOPUP()                                                                           \
    {WM_INITMENUPOPUP, 0, 0, 0, AFX_MSG_THUNK(self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(_c.wParam)), \
                                                                    LOWORD(_c.lParam), HIWORD(_c.lParam)); return 0;)},

// Any message with the raw arguments: LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(msg, memberFxn) {static_cast<UINT>(msg), 0, 0, 0, AFX_MSG_THUNK(return self->memberFxn(_c.wParam, _c.lParam);)},

// Commands (menu, accelerator, tool bar): void fn().
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AFX_MSG_THUNK(self->memberFxn(); return TRUE;)},
// BOOL fn(UINT nID): FALSE lets the command route on.
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AFX_MSG_THUNK(return self->memberFxn(_c.nID);)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AFX_MSG_THUNK(return self->memberFxn(_c.nID);)},
// void fn(UINT nID).
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AFX_MSG_THUNK(self->memberFxn(_c.nID); return TRUE;)},
// void fn(CCmdUI*).
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                            \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(id), \
     AFX_MSG_THUNK(self->memberFxn(static_cast<CCmdUI*>(_c.pExtra)); return TRUE;)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                  \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(idLast), \
     AFX_MSG_THUNK(self->memberFxn(static_cast<CCmdUI*>(_c.pExtra)); return TRUE;)},

// Control notifications through WM_COMMAND: void fn().
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), AFX_MSG_THUNK(self->memberFxn(); return TRUE;)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// WM_NOTIFY: void fn(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn)                                                             \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),           \
     AFX_MSG_THUNK(auto* _n = static_cast<AFX_NOTIFY*>(_c.pExtra); self->memberFxn(_n->pNMHDR, _n->pResult); return TRUE;)},
