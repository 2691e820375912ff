// The Qt side of the layer's windows, for tools that drive them as a user
// would (the test library): the widget behind a window and back, the
// top-level windows, the retained image, and what the records count. The
// program goes through the Win32 calls and needs none of this.
//
// This is the layer's own seam; nothing in the framework it stands in for
// corresponds to it.
#pragma once

#include <win32/Types.h>

#include <string>
#include <vector>

class QImage;
class QRect;
class QWidget;

namespace orbel::window {

// Makes the Qt application object when there is none yet.
ORBEL_API void EnsureApplication();

ORBEL_API bool IsLive(HWND hWnd);
ORBEL_API QWidget* WidgetOf(HWND hWnd);
// The window a widget belongs to: the nearest record up its parent chain.
ORBEL_API HWND HwndOf(const QWidget* widget);
// All live top-level windows, creation order.
ORBEL_API std::vector<HWND> TopLevelWindows();
// A top-level window's owner; NULL for none or no window.
ORBEL_API HWND OwnerOf(HWND hWnd);
// The child windows, creation order; none for no window.
ORBEL_API std::vector<HWND> ChildrenOf(HWND hWnd);
// The client area in the coordinates of the window's widget; empty for no
// window.
ORBEL_API QRect ClientRectOf(HWND hWnd);
// The retained image (what the screen shows), widget coordinates.
ORBEL_API QImage* ImageOf(HWND hWnd);
// WM_PAINT messages the window has received; 0 for no window.
ORBEL_API int PaintCountOf(HWND hWnd);

// Runs the Qt loop and the queue until nothing is left to do.
ORBEL_API void RunUntilIdle();
// The Qt key of a virtual-key code.
ORBEL_API int QtKeyOf(UINT vk);
// What CWinApp::ParseCommandLine reads.
ORBEL_API void SetProgramArguments(std::vector<std::string> arguments);

}  // namespace orbel::window
