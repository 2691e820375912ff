// How the device hands presented images to windows. The window layer
// registers one target; without one, presented images go to the device
// hook (<d3d8/DeviceHook.h>) when a test installed one.
#pragma once

#include <win32/Types.h>

struct IPresentTarget {
    // The client size of a window; false when the handle is not a window.
    virtual bool GetClientSize(HWND hWnd, int& width, int& height) = 0;
    // Shows an image in the window's client area, stretched to it. The
    // pixels are 32-bit B, G, R, A bytes, rows top first, pitch in bytes;
    // they are valid only during the call.
    virtual void PresentImage(HWND hWnd, const void* bgra, int width, int height, int pitch) = 0;

protected:
    ~IPresentTarget() = default;
};

// Registers the target (NULL removes it). Not owned.
ORBEL_API void D3D8SetPresentTarget(IPresentTarget* target);
