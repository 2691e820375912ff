// Internal: the window records behind HWNDs, the message queue and the hooks
// that the controls (dialog side) use. Nothing here is part of the library's
// interface; what tools may reach is in <framework/WindowAccess.h>.
#pragma once

#include <framework/WinUser.h>
#include <framework/WindowAccess.h>

#include <QImage>
#include <QPicture>
#include <QRegion>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CWnd;
class QMenuBar;
namespace orbel::window {
struct ImageStore;
}

// Non-client space around the client area, inside the widget.
struct WindowInsets {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The record an HWND points to. The widget covers the whole window
// (non-client border and menu bar included); the retained image covers the
// same area and is all a paint of the widget shows.
struct HWND__ {
    std::uint64_t sequence = 0;   // creation order
    CWnd* wnd = nullptr;          // the permanent C++ object, if any
    CWnd* tempWnd = nullptr;      // temporary object made by CWnd::FromHandle
    QWidget* widget = nullptr;
    bool hostWidget = false;      // our own painting widget (else a control's)
    QImage image;                 // window-sized, Format_RGB32
    std::shared_ptr<orbel::window::ImageStore> imageStore;  // the memory behind image
    // While a presented Direct3D image is on its way, GDI drawing in the
    // window is recorded, and replayed over the image when it lands
    // (PresentTarget.cpp).
    bool imageComing = false;
    std::deque<QPicture> overlay; // one recording per drawing call, in order
    QRegion overlayArea;          // image coordinates the recordings may touch
    HWND parent = nullptr;        // WS_CHILD parent
    HWND owner = nullptr;         // top-level windows: the owner
    std::vector<HWND> children;   // creation order (z-order top first is last)
    std::string className;
    WNDPROC classProc = nullptr;  // the window class's procedure (controls)
    UINT classStyle = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::string text;
    bool enabled = true;          // the Win32 flag, independent of parents
    bool destroyed = false;
    bool destroying = false;
    bool inCreate = false;
    QRect rect;                   // window rectangle in parent client coordinates (top-level: screen)
    WindowInsets insets;
    QRegion updateRegion;         // client coordinates
    bool eraseNeeded = false;
    QRgb background = 0xFFF0F0F0;
    HMENU menu = nullptr;
    QMenuBar* menuBar = nullptr;
    HFONT font = nullptr;
    int paintCount = 0;           // WM_PAINT messages dispatched (tests)
    bool modalLoopRunning = false;
    int modalResult = 0;
    std::function<void(bool)> applyEnabled;  // controls: reflect the flag on their own input

    QRect clientRect() const;  // in widget coordinates
};

namespace orbel::window {

// ---- window classes (controls register theirs) ----
struct WindowClassImpl {
    std::string name;  // compared without regard to case
    // Makes the widget of a new window; parent is the parent's widget (null
    // for top-level windows).
    std::function<QWidget*(HWND, QWidget* parent, const CREATESTRUCT&)> makeWidget;
    WNDPROC classProc = nullptr;
    UINT classStyle = 0;
};
void RegisterWindowClassImpl(WindowClassImpl windowClass);
const WindowClassImpl* FindWindowClassImpl(const std::string& name);

// ---- records (and those of <framework/WindowAccess.h>) ----
HWND TopLevelOf(HWND hWnd);

// ---- the retained image (ImageOf in <framework/WindowAccess.h>) ----
// Shows a changed part of the image (widget coordinates) without any
// WM_PAINT; null shows all.
void ShowImage(HWND hWnd, const QRect* area = nullptr);

// ---- message queue ----
// Dispatches one queued message, or one WM_PAINT, or the idle work.
// Returns false when there was nothing to do.
bool PumpOne();
// Runs the main loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

// ---- modal loops ----
// A nested loop that keeps delivering posted messages until EndModalLoop
// is called for the same window (or it is destroyed).
int RunModalLoop(HWND hWnd);
void EndModalLoop(HWND hWnd, int result);

// ---- input (Qt events become messages) ----
void NoteModifiers(Qt::KeyboardModifiers modifiers);
void NoteMouseButtons(Qt::MouseButtons buttons);
void NoteCursor(const QPoint& globalPos);
UINT MouseKeyFlags();  // MK_* of the current state
UINT VirtualKeyOf(int qtKey);
// Runs the accelerators and PreTranslateMessage chain for a key that a
// control's widget received; true when it was consumed.
bool PreTranslateKey(HWND target, UINT message, WPARAM vk, LPARAM lParam);
// True when typing goes to a text field now (plain-key accelerators stay
// off): an edit, a toolkit text field or a combo box; a drop-down list
// (which takes typed letters but has no text to edit) counts only when
// dropDownListCounts.
bool FocusIsTextEntry(bool dropDownListCounts);

// ---- exceptions at the dispatch boundary ----
// Calls f; an exception (CException* or any other) is reported and
// swallowed. Returns fallback then.
LRESULT Guarded(const std::function<LRESULT()>& f, LRESULT fallback = 0);

} // namespace orbel::window
