// The state behind <d3d8/PresentTarget.h> and behind the controls of the
// test library (<d3d8/TestControl.h>): what the device reads. Only the test
// library sets the controls and takes the kept images.
#pragma once

#include <d3d8/PresentTarget.h>
#include <d3d8/TestControl.h>

#include <optional>

namespace orbel::d3d8 {

ORBEL_TESTING_API D3D8TestControl& CurrentTestControl();
ORBEL_TESTING_API IPresentTarget* CurrentPresentTarget();
// Keeps an image presented while no target is registered.
void KeepPresentedImage(HWND window, const void* bgra, int width, int height, int pitch);
// The image kept last; empty when none was presented since it was taken.
ORBEL_TESTING_API std::optional<D3D8PresentedImage>& KeptPresentedImage();

}  // namespace orbel::d3d8
