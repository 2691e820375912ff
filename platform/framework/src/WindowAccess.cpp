#include <framework/WindowAccess.h>

#include "WindowImpl.h"
#include "WindowState.h"

#include <QRect>

namespace orbel::window {

void EnsureApplication() { EnsureQtApp(); }

HWND OwnerOf(HWND hWnd) { return IsLive(hWnd) ? hWnd->owner : nullptr; }

std::vector<HWND> ChildrenOf(HWND hWnd) { return IsLive(hWnd) ? hWnd->children : std::vector<HWND>{}; }

QRect ClientRectOf(HWND hWnd) { return IsLive(hWnd) ? hWnd->clientRect() : QRect(); }

int PaintCountOf(HWND hWnd) { return IsLive(hWnd) ? hWnd->paintCount : 0; }

}  // namespace orbel::window
