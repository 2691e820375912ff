#include <d3d8/TestControl.h>

#include <d3d8/DeviceHook.h>

#include <d3d8/ComObject.h>
#include "DeviceHookState.h"

#include <cstring>
#include <optional>

namespace {

// The device hook of every program that links this library: refuses what
// the control asks and keeps the last image no window took.
class ControlledDevice final : public ID3D8DeviceHook {
public:
    D3D8TestControl control;
    std::optional<D3D8PresentedImage> kept;

    bool Refuses(D3D8Refusal step) override {
        switch (step) {
        case D3D8Refusal::Direct3DCreate: return control.failDirect3DCreate;
        case D3D8Refusal::CreateDevice: return control.failCreateDevice;
        case D3D8Refusal::DepthD16: return control.refuseD16;
        case D3D8Refusal::DepthD24S8: return control.refuseD24S8;
        case D3D8Refusal::DepthD32: return control.refuseD32;
        case D3D8Refusal::HardwareTnL: return control.noHardwareTnL;
        case D3D8Refusal::AdditionalSwapChain: return control.refuseAdditionalSwapChains;
        }
        return false;
    }

    void PresentedUnshown(HWND window, const void* bgra, int width, int height, int pitch) override {
        // The kept image's storage is reused from one present to the next.
        if (!kept) kept.emplace();
        D3D8PresentedImage& image = *kept;
        image.window = window;
        image.width = width;
        image.height = height;
        image.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        // B, G, R, A bytes are one little-endian 0xAARRGGBB word.
        for (int y = 0; y < height; ++y)
            std::memcpy(image.argb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                        static_cast<const BYTE*>(bgra) + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch),
                        static_cast<std::size_t>(width) * 4);
    }
};

ControlledDevice& TheHook() {
    static ControlledDevice* hook = [] {
        auto* made = new ControlledDevice;
        D3D8SetDeviceHook(made);
        return made;
    }();
    return *hook;
}

// Installed as the library loads, so that no present before the first call
// here goes unkept.
[[maybe_unused]] ControlledDevice& g_installed = TheHook();

}  // namespace

void D3D8SetTestControl(const D3D8TestControl& control) { TheHook().control = control; }

bool D3D8TakeLastPresentedImage(D3D8PresentedImage& image) {
    D3D8LandPresents();
    std::optional<D3D8PresentedImage>& kept = TheHook().kept;
    if (!kept) return false;
    image = std::move(*kept);
    kept.reset();
    return true;
}

long D3D8LiveObjectCount() { return orbel::d3d8::LiveObjects().load(); }

IPresentTarget* D3D8GetPresentTarget() { return orbel::d3d8::CurrentPresentTarget(); }
