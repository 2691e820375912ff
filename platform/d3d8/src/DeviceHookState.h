// The state behind <d3d8/PresentTarget.h> and <d3d8/DeviceHook.h>: what the
// device reads.
#pragma once

#include <d3d8/DeviceHook.h>
#include <d3d8/PresentTarget.h>

namespace orbel::d3d8 {

// True only when an installed hook refuses the step.
bool Refused(D3D8Refusal step);
ORBEL_TESTING_API IPresentTarget* CurrentPresentTarget();
// Hands an image presented while no target is registered to the hook.
void PresentUnshown(HWND window, const void* bgra, int width, int height, int pitch);

}  // namespace orbel::d3d8
