// Internal: the state every window source shares (one UI thread).
#pragma once

#include "WindowImpl.h"

#include <deque>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace orbel::window {

struct QueuedMessage {
    MSG msg;
    unsigned charCode = 0;  // WM_KEYDOWN: the character TranslateMessage makes of it
    // Input carries the keyboard and mouse state of its moment: GetKeyState
    // answers for the message being handled, not for later input.
    bool hasInputState = false;
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
};

struct State {
    std::unordered_set<HWND> live;
    std::map<std::uint64_t, HWND> liveInOrder;  // by creation: parents before their children
    std::uint64_t nextSequence = 1;
    std::vector<std::unique_ptr<HWND__>> records;  // kept after destruction: stale handles stay safe
    std::unordered_map<const QWidget*, HWND> byWidget;
    std::vector<HWND> topLevels;
    std::map<std::string, WindowClassImpl> classes;  // upper-case names

    std::deque<QueuedMessage> queue;
    std::vector<MSG> current;  // messages being handled, innermost last
    unsigned pendingChar = 0;
    bool pumpPosted = false;
    bool flushing = false;      // showing paints on screen: the pump waits
    bool pumpDeferred = false;
    bool idleNeeded = false;
    bool inIdle = false;
    bool quit = false;
    int exitCode = 0;
    int loopsRunning = 0;       // message and modal loops now running

    HWND focus = nullptr;
    HWND capture = nullptr;
    HWND active = nullptr;
    std::unordered_map<UINT, bool> keysDown;
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
    QPoint cursor;
};

State& GetState();

HWND__* Record(HWND hWnd);  // null when not live
HWND NewRecord();
void ForgetRecord(HWND hWnd);
// Queues input with the current keyboard and mouse state.
void PostInput(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned charCode = 0);
// Puts what a window painted on the real screen now, even when no loop
// runs yet (start-up, the splash window). Nothing under "offscreen".
void FlushToScreen(HWND hWnd);
// Asks the Qt loop to run the pump soon.
void SchedulePump();
// Makes the Qt application when there is none (tests, early calls).
void EnsureQtApp();
// Sizes the retained image to the widget's size, keeping what it held.
void ResizeImage(HWND__* r);
// Places the widget of a window from its record.
void ApplyGeometry(HWND__* r);
// Sends WM_PAINT now when the window has something to paint.
void PaintNow(HWND hWnd);
// Computes the non-client insets from style and menu bar.
void UpdateInsets(HWND__* r);
// Client point of a window -> screen and back.
QPoint ClientOrigin(HWND__* r);
// Makes a host widget for a window.
QWidget* MakeHostWidget(HWND hWnd, QWidget* parent, bool topLevel, DWORD style);
// Builds the Qt menu bar of a window from its HMENU.
void RebuildMenuBar(HWND hWnd);
// Lets Direct3D present into window images (done with the Qt application).
void RegisterPresentTarget();
// Lands the Direct3D image on its way to the window, and what GDI drew over
// it meanwhile, before anything reads, resizes or shows the window's image.
void SettleImage(HWND__* r);
// Lands every image on its way: at the latest when a loop waits for events.
void SettleImages();
// What GDI draws `area` (image coordinates) of the window on: a recording
// for the overlay while a presented image is on its way, else the image.
QPaintDevice& DrawingTarget(HWND__* r, const QRegion& area);
// Installs the application-wide key filter (once).
void InstallKeyFilter();
// A drop record for WM_DROPFILES (freed by DragFinish).
HDROP MakeDrop(std::vector<std::string> files, POINT point);
// Adds to a window's update region (whole client when region is empty).
void Invalidate(HWND__* r, const QRegion& region, bool erase);

} // namespace orbel::window
