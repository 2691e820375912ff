#include "orbel/views/PaintTargets.h"

#include <cstring>

D3DPRESENT_PARAMETERS MakeViewSwapChainParameters(IDirect3DDevice8* device, UINT width, UINT height, HWND window,
                                                  D3DFORMAT depthFormat)
{
    D3DDISPLAYMODE mode{};
    device->GetDisplayMode(&mode);
    D3DPRESENT_PARAMETERS parameters;
    std::memset(&parameters, 0, sizeof parameters);
    parameters.BackBufferWidth = width;
    parameters.BackBufferHeight = height;
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 0;
    parameters.MultiSampleType = D3DMULTISAMPLE_NONE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = window;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = depthFormat;
    return parameters;
}

void BeginSceneStates(IDirect3DDevice8* device, int cullMode)
{
    device->SetRenderState(D3DRS_CULLMODE, static_cast<DWORD>(cullMode));
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0xFF000000);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
}

void EndSceneStates(IDirect3DDevice8* device)
{
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
}
