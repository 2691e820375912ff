#include "orbel/views/CameraMatrices.h"
#include "orbel/views/MyOrbelView.h"
#include "orbel/views/PaintTargets.h"

#include "model/MyOrbelDoc.h"

namespace {

constexpr D3DCOLOR kImageBackground = 0xFFFFFFFF;

}  // namespace

bool CMyOrbelView::RenderToFile(CString fileName, int width, int height)
{
    // A size of 0 would make the swap chain take the window's size instead;
    // negative sizes would wrap to huge unsigned ones.
    if (width <= 0 || height <= 0) return false;
    CMyOrbelDoc* document = GetDocument();
    if (!document || !document->m_pDevice) return false;
    IDirect3DDevice8* device = document->m_pDevice;

    // The picture is the view's own: its window, not the image, gives the
    // aspect ratio. A collapsed pane keeps the matrices of its last paint.
    int clientWidth = 0;
    int clientHeight = 0;
    if (ClientSize(&clientWidth, &clientHeight))
        ComputeCameraMatrices(GetCamera(), IsPerspectiveKind(m_Kind), clientWidth, clientHeight, &m_ViewMatrix,
                              &m_ProjectionMatrix);
    device->SetTransform(D3DTS_VIEW, &m_ViewMatrix);
    device->SetTransform(D3DTS_PROJECTION, &m_ProjectionMatrix);

    D3DPRESENT_PARAMETERS parameters = MakeViewSwapChainParameters(
        device, static_cast<UINT>(width), static_cast<UINT>(height), nullptr, D3DFMT_D16);
    Released<IDirect3DSwapChain8> swapChain;
    if (FAILED(device->CreateAdditionalSwapChain(&parameters, &swapChain.p)) || !swapChain.p) return false;
    Released<IDirect3DSurface8> backBuffer;
    if (FAILED(swapChain.p->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer.p)) || !backBuffer.p) return false;
    Released<IDirect3DSurface8> depth;
    device->CreateDepthStencilSurface(static_cast<UINT>(width), static_cast<UINT>(height), D3DFMT_D16,
                                      D3DMULTISAMPLE_NONE, &depth.p);
    device->SetRenderTarget(backBuffer.p, depth.p);

    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kImageBackground, 1.0f, 0);
    device->BeginScene();
    BeginSceneStates(device, m_CullMode);
    DrawScene(device);
    EndSceneStates(device);
    device->EndScene();
    swapChain.p->Present(nullptr, nullptr, nullptr, nullptr);

    return SUCCEEDED(D3DXSaveSurfaceToFileA(fileName, D3DXIFF_BMP, backBuffer.p, nullptr, nullptr));
}
