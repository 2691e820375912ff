#include "Direct3D.h"

#include "Device.h"
#include "GlContext.h"
#include "DeviceHookState.h"

#include <cstring>

namespace orbel::d3d8 {
namespace {

bool ValidAdapter(UINT adapter) { return adapter == 0; }
bool ValidDeviceType(D3DDEVTYPE type) { return type == D3DDEVTYPE_HAL || type == D3DDEVTYPE_REF; }

bool DepthFormatOffered(D3DFORMAT format) {
    switch (format) {
    case D3DFMT_D16:
    case D3DFMT_D16_LOCKABLE:
        return !Refused(D3D8Refusal::DepthD16);
    case D3DFMT_D24S8:
        return !Refused(D3D8Refusal::DepthD24S8);
    case D3DFMT_D24X8:
        return true;
    case D3DFMT_D32:
        return !Refused(D3D8Refusal::DepthD32);
    default:
        return false;
    }
}

}  // namespace

bool IsColorFormat(D3DFORMAT format) { return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8; }

bool IsDepthFormat(D3DFORMAT format) {
    return format == D3DFMT_D16 || format == D3DFMT_D16_LOCKABLE || format == D3DFMT_D24S8 ||
           format == D3DFMT_D24X8 || format == D3DFMT_D32;
}

D3DDISPLAYMODE CurrentDisplayMode() { return D3DDISPLAYMODE{1280, 1024, 60, D3DFMT_X8R8G8B8}; }

void FillCaps(D3DCAPS8& caps) {
    std::memset(&caps, 0, sizeof caps);
    caps.DeviceType = D3DDEVTYPE_HAL;
    caps.DevCaps = D3DDEVCAPS_EXECUTESYSTEMMEMORY | D3DDEVCAPS_TLVERTEXSYSTEMMEMORY | D3DDEVCAPS_TEXTUREVIDEOMEMORY |
                   D3DDEVCAPS_DRAWPRIMTLVERTEX | D3DDEVCAPS_DRAWPRIMITIVES2 | D3DDEVCAPS_DRAWPRIMITIVES2EX |
                   D3DDEVCAPS_HWRASTERIZATION;
    if (!Refused(D3D8Refusal::HardwareTnL)) caps.DevCaps |= D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    caps.MaxTextureWidth = 8192;
    caps.MaxTextureHeight = 8192;
    caps.MaxTextureBlendStages = 8;
    caps.MaxSimultaneousTextures = 1;
    caps.MaxActiveLights = 8;
    caps.MaxPointSize = 64.0f;
    caps.MaxPrimitiveCount = 0xFFFFFF;
    caps.MaxVertexIndex = 0xFFFFFF;
    caps.MaxStreams = 1;
    caps.MaxStreamStride = 255;
}

HRESULT Direct3D::RegisterSoftwareDevice(void*) { return D3DERR_INVALIDCALL; }

UINT Direct3D::GetAdapterCount() { return 1; }

HRESULT Direct3D::GetAdapterIdentifier(UINT Adapter, DWORD, D3DADAPTER_IDENTIFIER8* pIdentifier) {
    if (!ValidAdapter(Adapter) || !pIdentifier) return D3DERR_INVALIDCALL;
    std::memset(pIdentifier, 0, sizeof *pIdentifier);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::strncpy(pIdentifier->Description, renderer ? renderer : "OpenGL", sizeof pIdentifier->Description - 1);
    std::strncpy(pIdentifier->Driver, "OpenGL", sizeof pIdentifier->Driver - 1);
    return D3D_OK;
}

UINT Direct3D::GetAdapterModeCount(UINT Adapter) { return ValidAdapter(Adapter) ? 1 : 0; }

HRESULT Direct3D::EnumAdapterModes(UINT Adapter, UINT Mode, D3DDISPLAYMODE* pMode) {
    if (!ValidAdapter(Adapter) || Mode != 0 || !pMode) return D3DERR_INVALIDCALL;
    *pMode = CurrentDisplayMode();
    return D3D_OK;
}

HRESULT Direct3D::GetAdapterDisplayMode(UINT Adapter, D3DDISPLAYMODE* pMode) {
    if (!ValidAdapter(Adapter) || !pMode) return D3DERR_INVALIDCALL;
    *pMode = CurrentDisplayMode();
    return D3D_OK;
}

HRESULT Direct3D::CheckDeviceType(UINT Adapter, D3DDEVTYPE CheckType, D3DFORMAT DisplayFormat,
                                  D3DFORMAT BackBufferFormat, BOOL) {
    if (!ValidAdapter(Adapter) || !ValidDeviceType(CheckType)) return D3DERR_INVALIDCALL;
    return IsColorFormat(DisplayFormat) && IsColorFormat(BackBufferFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D::CheckDeviceFormat(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT AdapterFormat, DWORD Usage,
                                    D3DRESOURCETYPE RType, D3DFORMAT CheckFormat) {
    if (!ValidAdapter(Adapter) || !ValidDeviceType(DeviceType) || !IsColorFormat(AdapterFormat))
        return D3DERR_INVALIDCALL;
    if (Usage & D3DUSAGE_DEPTHSTENCIL)
        return RType == D3DRTYPE_SURFACE && DepthFormatOffered(CheckFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    if (RType == D3DRTYPE_SURFACE || RType == D3DRTYPE_TEXTURE)
        return IsColorFormat(CheckFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    return D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D::CheckDeviceMultiSampleType(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT, BOOL,
                                             D3DMULTISAMPLE_TYPE MultiSampleType) {
    if (!ValidAdapter(Adapter) || !ValidDeviceType(DeviceType)) return D3DERR_INVALIDCALL;
    return MultiSampleType == D3DMULTISAMPLE_NONE ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D::CheckDepthStencilMatch(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT AdapterFormat,
                                         D3DFORMAT RenderTargetFormat, D3DFORMAT DepthStencilFormat) {
    if (!ValidAdapter(Adapter) || !ValidDeviceType(DeviceType) || !IsColorFormat(AdapterFormat))
        return D3DERR_INVALIDCALL;
    return IsColorFormat(RenderTargetFormat) && DepthFormatOffered(DepthStencilFormat) ? D3D_OK
                                                                                        : D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D::GetDeviceCaps(UINT Adapter, D3DDEVTYPE DeviceType, D3DCAPS8* pCaps) {
    if (!ValidAdapter(Adapter) || !ValidDeviceType(DeviceType) || !pCaps) return D3DERR_INVALIDCALL;
    FillCaps(*pCaps);
    pCaps->DeviceType = DeviceType;
    return D3D_OK;
}

HMONITOR Direct3D::GetAdapterMonitor(UINT) { return nullptr; }

HRESULT Direct3D::CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD BehaviorFlags,
                               D3DPRESENT_PARAMETERS* pPresentationParameters,
                               IDirect3DDevice8** ppReturnedDeviceInterface) {
    if (!ppReturnedDeviceInterface) return D3DERR_INVALIDCALL;
    *ppReturnedDeviceInterface = nullptr;
    if (!ValidAdapter(Adapter) || !ValidDeviceType(DeviceType) || !pPresentationParameters)
        return D3DERR_INVALIDCALL;
    // Exactly one way of processing vertices must be asked for.
    const DWORD processing = BehaviorFlags & (D3DCREATE_SOFTWARE_VERTEXPROCESSING |
                                              D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING);
    if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING && processing != D3DCREATE_HARDWARE_VERTEXPROCESSING &&
        processing != D3DCREATE_MIXED_VERTEXPROCESSING)
        return D3DERR_INVALIDCALL;
    if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING && Refused(D3D8Refusal::HardwareTnL))
        return D3DERR_INVALIDCALL;
    if (Refused(D3D8Refusal::CreateDevice)) return D3DERR_NOTAVAILABLE;
    D3DPRESENT_PARAMETERS& pp = *pPresentationParameters;
    if (!pp.Windowed || pp.MultiSampleType != D3DMULTISAMPLE_NONE) return D3DERR_INVALIDCALL;
    if (pp.BackBufferFormat != D3DFMT_UNKNOWN && !IsColorFormat(pp.BackBufferFormat)) return D3DERR_INVALIDCALL;
    if (pp.EnableAutoDepthStencil && !DepthFormatOffered(pp.AutoDepthStencilFormat)) return D3DERR_INVALIDCALL;
    if (!pp.hDeviceWindow && !hFocusWindow) return D3DERR_INVALIDCALL;

    D3DDEVICE_CREATION_PARAMETERS creation{Adapter, DeviceType, hFocusWindow, BehaviorFlags};
    Device* device = Device::Create(this, creation, pp);
    if (!device) return D3DERR_NOTAVAILABLE;
    *ppReturnedDeviceInterface = device;
    return D3D_OK;
}

}  // namespace orbel::d3d8

IDirect3D8* Direct3DCreate8(UINT SDKVersion) {
    using namespace orbel::d3d8;
    if (SDKVersion != D3D_SDK_VERSION || Refused(D3D8Refusal::Direct3DCreate)) return nullptr;
    if (!GlContext::Get()) return nullptr;
    return new Direct3D();
}
