// Presentation parameters for devices and swap chains that draw offscreen:
// the window handles they name need no real window behind them.
#pragma once

#include <d3d8/D3D8.h>

namespace orbel::test {

// Windowed, discarding, sized from the focus window; an automatic depth
// buffer of `depth` unless it is D3DFMT_UNKNOWN.
inline D3DPRESENT_PARAMETERS DevicePresentation(D3DFORMAT backBuffer = D3DFMT_X8R8G8B8,
                                                D3DFORMAT depth = D3DFMT_UNKNOWN) {
    D3DPRESENT_PARAMETERS pp{};
    pp.Windowed = TRUE;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.BackBufferFormat = backBuffer;
    if (depth != D3DFMT_UNKNOWN) {
        pp.EnableAutoDepthStencil = TRUE;
        pp.AutoDepthStencilFormat = depth;
    }
    return pp;
}

// An additional chain of its own size (0 takes the window's), presenting to
// `window` or, without one, to the device's focus window.
inline D3DPRESENT_PARAMETERS ChainPresentation(UINT width, UINT height, HWND window = nullptr,
                                               D3DFORMAT backBuffer = D3DFMT_X8R8G8B8) {
    D3DPRESENT_PARAMETERS pp = DevicePresentation(backBuffer);
    pp.BackBufferWidth = width;
    pp.BackBufferHeight = height;
    pp.hDeviceWindow = window;
    return pp;
}

}  // namespace orbel::test
