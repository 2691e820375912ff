// What the view's paint and its render to an image file share: the swap
// chain parameters they draw through, a guard that releases the Direct3D
// objects of one drawing, and the render states the scene is drawn with.
#pragma once

#include <d3d8/D3D8.h>

// Releases a Direct3D object of one drawing when the drawing ends.
template <typename T>
struct Released {
    T* p = nullptr;
    Released() = default;
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
    ~Released()
    {
        if (p) p->Release();
    }
};

// A windowed, discarding swap chain of one back buffer in the display's
// format, with its own depth buffer. A zero width or height takes the
// window's client size; a null window draws for no window of its own.
D3DPRESENT_PARAMETERS MakeViewSwapChainParameters(IDirect3DDevice8* device, UINT width, UINT height, HWND window,
                                                  D3DFORMAT depthFormat);

// The scene is drawn with the view's own cull mode and with texels of alpha
// 0 left out; both are set before every drawing, so the picture never
// depends on which view drew last. EndSceneStates turns the alpha test off
// again for the next painter.
void BeginSceneStates(IDirect3DDevice8* device, int cullMode);
void EndSceneStates(IDirect3DDevice8* device);
