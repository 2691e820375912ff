// How the device hands presented images to windows. The window layer
// registers one target; without one, presented images go to the device
// hook (<d3d8/DeviceHook.h>) when a test installed one.
//
// Present need not wait for the rasteriser: for a target that takes late
// images (and for the kept test image) it only flushes the drawing and
// returns, and the back buffer is read when the image is landed: by
// D3D8LandPresents or D3D8LandPresentsFor, which the window layer calls
// before anything reads or shows a window's image and at the latest when
// its loop waits for events, or by drawing into that back buffer again.
// Until then a newer present for the same window replaces an older one,
// which then never arrives: the newer covers the whole client area.
//
// This is the layer's own seam; Direct3D presents into windows itself.
// Left out: dirty regions and source or destination rectangles.
#pragma once

#include <win32/Types.h>

struct IPresentTarget {
    // The client size of a window; false when the handle is not a window.
    virtual bool GetClientSize(HWND hWnd, int& width, int& height) = 0;
    // Shows an image in the window's client area, stretched to it. The
    // pixels are 32-bit B, G, R, A bytes, rows top first, pitch in bytes;
    // they are valid only during the call.
    virtual void PresentImage(HWND hWnd, const void* bgra, int width, int height, int pitch) = 0;
    // Whether images may arrive after Present has returned. A target that
    // says no is handed each image within Present, which then waits for it.
    virtual bool TakesLateImages() { return false; }
    // Called within Present when the target takes late images: an image for
    // the window is on its way and PresentImage follows when it lands,
    // unless a newer present for the window replaces it.
    virtual void ImageComing(HWND) {}

protected:
    ~IPresentTarget() = default;
};

// Registers the target (NULL removes it). Not owned. Images still on their
// way land on the target they were presented to first.
ORBEL_API void D3D8SetPresentTarget(IPresentTarget* target);

// Lands every presented image still on its way, oldest first, waiting for
// the GPU where it has not finished. Nothing when none is.
ORBEL_API void D3D8LandPresents();
// The same for the images presented to one window.
ORBEL_API void D3D8LandPresentsFor(HWND hWnd);
