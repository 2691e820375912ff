#include <d3d8/TestControl.h>

#include <d3d8/ComObject.h>
#include "TestState.h"

using namespace orbel::d3d8;

void D3D8SetTestControl(const D3D8TestControl& control) { CurrentTestControl() = control; }

bool D3D8TakeLastPresentedImage(D3D8PresentedImage& image) {
    D3D8LandPresents();
    std::optional<D3D8PresentedImage>& kept = KeptPresentedImage();
    if (!kept) return false;
    image = std::move(*kept);
    kept.reset();
    return true;
}

long D3D8LiveObjectCount() { return LiveObjects().load(); }

IPresentTarget* D3D8GetPresentTarget() { return CurrentPresentTarget(); }
