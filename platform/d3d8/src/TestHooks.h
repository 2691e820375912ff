// The layer's side of <d3d8/TestControl.h> and <d3d8/PresentTarget.h>.
#pragma once

#include <d3d8/PresentTarget.h>
#include <d3d8/TestControl.h>

namespace orbel::d3d8 {

const D3D8TestControl& CurrentTestControl();
IPresentTarget* CurrentPresentTarget();
// Keeps an image presented while no target is registered.
void KeepPresentedImage(HWND window, const void* bgra, int width, int height, int pitch);

}  // namespace orbel::d3d8
