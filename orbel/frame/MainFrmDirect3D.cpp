// The frame's Direct3D start-up: the one device, the states every view
// starts from, the grid and axes vertex buffers and the mode text of the
// About box.
#include "orbel/frame/MainFrm.h"

#include "orbel/frame/MyOrbelApp.h"
#include "orbel/views/LineVertex.h"

#include <cstring>

namespace {

// The program uses the first adapter only.
constexpr UINT kAdapter = 0;

constexpr D3DCOLOR kGridColour = 0xFF969696;
constexpr D3DCOLOR kAxisColour = 0xFF000000;

// One unit cell in the XZ plane as a closed strip of four lines.
const LineVertex kGridCell[5] = {
    {0, 0, 0, kGridColour}, {1, 0, 0, kGridColour}, {1, 0, 1, kGridColour},
    {0, 0, 1, kGridColour}, {0, 0, 0, kGridColour},
};
// Unit lines along X and Z.
const LineVertex kAxisLines[4] = {
    {0, 0, 0, kAxisColour}, {1, 0, 0, kAxisColour}, {0, 0, 0, kAxisColour}, {0, 0, 1, kAxisColour}};

IDirect3DVertexBuffer8* MakeLineBuffer(IDirect3DDevice8* device, const LineVertex* vertices, UINT count)
{
    const UINT bytes = count * sizeof(LineVertex);
    IDirect3DVertexBuffer8* buffer = nullptr;
    if (FAILED(device->CreateVertexBuffer(bytes, 0, kLineVertexFormat, D3DPOOL_DEFAULT, &buffer)))
        return nullptr;
    BYTE* data = nullptr;
    if (FAILED(buffer->Lock(0, bytes, &data, 0))) {
        buffer->Release();
        return nullptr;
    }
    std::memcpy(data, vertices, bytes);
    buffer->Unlock();
    return buffer;
}

DWORD FloatBits(float value)
{
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

}  // namespace

BOOL CMainFrame::CheckDepthFormat(IDirect3D8* direct3D, UINT adapter, D3DFORMAT displayFormat,
                                  D3DFORMAT depthFormat)
{
    if (FAILED(direct3D->CheckDeviceFormat(adapter, D3DDEVTYPE_HAL, displayFormat, D3DUSAGE_DEPTHSTENCIL,
                                           D3DRTYPE_SURFACE, depthFormat)))
        return FALSE;
    if (FAILED(direct3D->CheckDepthStencilMatch(adapter, D3DDEVTYPE_HAL, displayFormat, displayFormat,
                                                depthFormat)))
        return FALSE;
    return TRUE;
}

BOOL CMainFrame::InitDirect3D(HWND window)
{
    m_pD3D = Direct3DCreate8(D3D_SDK_VERSION);
    if (m_pD3D == nullptr)
        return FALSE;

    D3DDISPLAYMODE mode{};
    if (FAILED(m_pD3D->GetAdapterDisplayMode(kAdapter, &mode)))
        return FALSE;

    D3DPRESENT_PARAMETERS present{};
    present.Windowed = TRUE;
    present.SwapEffect = D3DSWAPEFFECT_DISCARD;
    present.BackBufferFormat = mode.Format;
    present.EnableAutoDepthStencil = TRUE;

    CString modeText = "Hardware mode: \n";
    if (CheckDepthFormat(m_pD3D, kAdapter, mode.Format, D3DFMT_D32)) {
        present.AutoDepthStencilFormat = D3DFMT_D32;
        modeText += "32-bit z-buffer \n";
    } else if (CheckDepthFormat(m_pD3D, kAdapter, mode.Format, D3DFMT_D24S8)) {
        present.AutoDepthStencilFormat = D3DFMT_D24S8;
        modeText += "24-bit z-buffer and 8 bits stencil buffer\n";
    } else {
        present.AutoDepthStencilFormat = D3DFMT_D16;
        modeText += "16-bit z-buffer \n";
    }

    D3DCAPS8 caps{};
    m_pD3D->GetDeviceCaps(kAdapter, D3DDEVTYPE_HAL, &caps);
    DWORD vertexProcessing = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    if (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) {
        vertexProcessing = D3DCREATE_HARDWARE_VERTEXPROCESSING;
        modeText += "Hardware vertexprocessing";
    } else {
        modeText += "Software vertexprocessing";
    }
    // Written before the device exists, so the About box tells also why a
    // start-up failed.
    if (auto* app = dynamic_cast<CMyOrbelApp*>(AfxGetApp()))
        app->m_Direct3DMode = modeText;

    if (FAILED(m_pD3D->CreateDevice(kAdapter, D3DDEVTYPE_HAL, window, vertexProcessing, &present,
                                    &m_pDevice))) {
        m_pDevice = nullptr;
        return FALSE;
    }

    m_pDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    m_pDevice->SetRenderState(D3DRS_ZENABLE, TRUE);
    m_pDevice->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    m_pDevice->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    m_pDevice->SetRenderState(D3DRS_AMBIENT, 0xFF323232);
    m_pDevice->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    m_pDevice->SetRenderState(D3DRS_POINTSIZE, FloatBits(2.0f));

    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Specular = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Direction = {-1.0f, -1.0f, 1.0f};
    m_pDevice->SetLight(0, &light);
    m_pDevice->LightEnable(0, TRUE);
    m_pDevice->SetRenderState(D3DRS_LIGHTING, TRUE);

    m_pGridBuffer = MakeLineBuffer(m_pDevice, kGridCell, 5);
    if (m_pGridBuffer == nullptr)
        return FALSE;
    m_pAxesBuffer = MakeLineBuffer(m_pDevice, kAxisLines, 4);
    if (m_pAxesBuffer == nullptr)
        return FALSE;
    return TRUE;
}
