// A seam for tests in the Direct3D layer. Before each step a test may want
// to see refused, the layer asks the installed hook; and it hands the hook
// every image presented while no window layer takes presents. Without a
// hook (the program as shipped) nothing is refused on purpose and such
// images are dropped. The device's test library (<d3d8/TestControl.h>)
// installs one.
//
// This is the layer's own seam; Direct3D has none.
#pragma once

#include <win32/Types.h>

enum class D3D8Refusal {
    Direct3DCreate,        // Direct3DCreate8 returns NULL
    CreateDevice,          // CreateDevice fails
    DepthD16,              // depth format checks refuse D3DFMT_D16 (and its lockable form)
    DepthD24S8,            // ... D3DFMT_D24S8
    DepthD32,              // ... D3DFMT_D32
    HardwareTnL,           // caps lack D3DDEVCAPS_HWTRANSFORMANDLIGHT
    AdditionalSwapChain,   // CreateAdditionalSwapChain runs out of video memory
};

struct ID3D8DeviceHook {
    virtual bool Refuses(D3D8Refusal step) = 0;
    // The pixels are 32-bit B, G, R, A bytes, rows top first, pitch in
    // bytes; they are valid only during the call.
    virtual void PresentedUnshown(HWND window, const void* bgra, int width, int height, int pitch) = 0;

protected:
    ~ID3D8DeviceHook() = default;
};

// Installs the hook (NULL removes it). Not owned.
ORBEL_API void D3D8SetDeviceHook(ID3D8DeviceHook* hook);
