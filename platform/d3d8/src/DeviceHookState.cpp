#include "DeviceHookState.h"

#include <atomic>

namespace orbel::d3d8 {
namespace {

IPresentTarget*& Target() {
    static IPresentTarget* target = nullptr;
    return target;
}

// Presents may come from another thread than the one installing the hook.
std::atomic<ID3D8DeviceHook*>& Hook() {
    static std::atomic<ID3D8DeviceHook*> hook{nullptr};
    return hook;
}

}  // namespace

bool Refused(D3D8Refusal step) {
    ID3D8DeviceHook* hook = Hook().load();
    return hook != nullptr && hook->Refuses(step);
}

IPresentTarget* CurrentPresentTarget() { return Target(); }

void PresentUnshown(HWND window, const void* bgra, int width, int height, int pitch) {
    if (ID3D8DeviceHook* hook = Hook().load()) hook->PresentedUnshown(window, bgra, width, height, pitch);
}

}  // namespace orbel::d3d8

void D3D8SetPresentTarget(IPresentTarget* target) {
    D3D8LandPresents();
    orbel::d3d8::Target() = target;
}

void D3D8SetDeviceHook(ID3D8DeviceHook* hook) { orbel::d3d8::Hook().store(hook); }
