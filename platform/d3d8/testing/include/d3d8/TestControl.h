// Test hooks of the Direct3D device: injected failures, capabilities, a
// view of what was presented without a window layer and of the present
// target. A library of its own that only tests and benchmarks link: while
// it is loaded it is the device's hook (<d3d8/DeviceHook.h>).
#pragma once

#include <d3d8/D3D8.h>
#include <d3d8/PresentTarget.h>

#include <cstdint>
#include <vector>

struct D3D8TestControl {
    bool failDirect3DCreate = false;  // Direct3DCreate8 returns NULL
    bool failCreateDevice = false;    // CreateDevice fails
    bool refuseD32 = false;           // depth format checks refuse D3DFMT_D32
    bool refuseD24S8 = false;         // ... D3DFMT_D24S8
    bool refuseD16 = false;           // ... D3DFMT_D16
    bool noHardwareTnL = false;       // caps lack D3DDEVCAPS_HWTRANSFORMANDLIGHT
    bool refuseAdditionalSwapChains = false;  // CreateAdditionalSwapChain runs out of video memory
};

// Replaces the current control (defaults: nothing injected).
ORBEL_API void D3D8SetTestControl(const D3D8TestControl& control);

struct D3D8PresentedImage {
    HWND window = nullptr;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // rows top first, 0xAARRGGBB
};

// The last image presented while no present target was registered (images
// still on their way land first); false when nothing was presented since
// the last call.
ORBEL_API bool D3D8TakeLastPresentedImage(D3D8PresentedImage& image);

// Direct3D objects alive in this process (for leak and lifetime checks).
ORBEL_API long D3D8LiveObjectCount();

// The target registered now, so that a benchmark can watch presents on
// their way to it; NULL when there is none.
ORBEL_API IPresentTarget* D3D8GetPresentTarget();
