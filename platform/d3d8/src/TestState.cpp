#include "TestState.h"

#include <d3d8/ComObject.h>

#include <cstring>

namespace orbel::d3d8 {
namespace {

IPresentTarget*& Target() {
    static IPresentTarget* target = nullptr;
    return target;
}

}  // namespace

D3D8TestControl& CurrentTestControl() {
    static D3D8TestControl control;
    return control;
}

IPresentTarget* CurrentPresentTarget() { return Target(); }

std::optional<D3D8PresentedImage>& KeptPresentedImage() {
    static std::optional<D3D8PresentedImage> image;
    return image;
}

void KeepPresentedImage(HWND window, const void* bgra, int width, int height, int pitch) {
    // The kept image's storage is reused from one present to the next.
    if (!KeptPresentedImage()) KeptPresentedImage().emplace();
    D3D8PresentedImage& image = *KeptPresentedImage();
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

}  // namespace orbel::d3d8

void D3D8SetPresentTarget(IPresentTarget* target) {
    D3D8LandPresents();
    orbel::d3d8::Target() = target;
}
