#include "TestHooks.h"

#include "ComObject.h"

#include <cstring>
#include <optional>

namespace orbel::d3d8 {
namespace {

D3D8TestControl& Control() {
    static D3D8TestControl control;
    return control;
}

IPresentTarget*& Target() {
    static IPresentTarget* target = nullptr;
    return target;
}

std::optional<D3D8PresentedImage>& LastImage() {
    static std::optional<D3D8PresentedImage> image;
    return image;
}

}  // namespace

std::atomic<long>& LiveObjects() {
    static std::atomic<long> count{0};
    return count;
}

const D3D8TestControl& CurrentTestControl() { return Control(); }

IPresentTarget* CurrentPresentTarget() { return Target(); }

void KeepPresentedImage(HWND window, const void* bgra, int width, int height, int pitch) {
    // The kept image's storage is reused from one present to the next.
    if (!LastImage()) LastImage().emplace();
    D3D8PresentedImage& image = *LastImage();
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

using namespace orbel::d3d8;

void D3D8SetTestControl(const D3D8TestControl& control) { Control() = control; }

D3D8TestControl D3D8GetTestControl() { return Control(); }

bool D3D8TakeLastPresentedImage(D3D8PresentedImage& image) {
    if (!LastImage()) return false;
    image = std::move(*LastImage());
    LastImage().reset();
    return true;
}

long D3D8LiveObjectCount() { return LiveObjects().load(); }

void D3D8SetPresentTarget(IPresentTarget* target) { Target() = target; }

IPresentTarget* D3D8GetPresentTarget() { return Target(); }
