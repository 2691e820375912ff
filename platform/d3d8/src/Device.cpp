#include "Device.h"

#include <d3d8/ComObject.h>
#include "Direct3D.h"
#include "Matrix.h"
#include "Resources.h"
#include "DeviceHookState.h"

#include <bit>
#include <cstring>

namespace orbel::d3d8 {
namespace {

DWORD FloatBits(float value) { return std::bit_cast<DWORD>(value); }

template <class T>
T* Adopt(IUnknown* object) {
    return object ? dynamic_cast<T*>(object) : nullptr;
}

bool ValidLightType(D3DLIGHTTYPE type) {
    return type == D3DLIGHT_POINT || type == D3DLIGHT_SPOT || type == D3DLIGHT_DIRECTIONAL;
}

}  // namespace

Device* Device::Create(Direct3D* d3d, const D3DDEVICE_CREATION_PARAMETERS& creation,
                       D3DPRESENT_PARAMETERS& presentation) {
    auto* device = new Device(d3d, creation);
    SwapChain* chain = nullptr;
    if (FAILED(device->MakeSwapChain(presentation, &chain))) {
        device->Release();
        return nullptr;
    }
    device->implicitChain_ = chain;
    IDirect3DSurface8* backBuffer = nullptr;
    chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    device->renderTarget_ = static_cast<Surface*>(backBuffer);
    if (presentation.EnableAutoDepthStencil) {
        device->depthStencil_ = Surface::Create(device, presentation.AutoDepthStencilFormat,
                                                presentation.BackBufferWidth, presentation.BackBufferHeight);
        if (!device->depthStencil_) {
            device->Release();
            return nullptr;
        }
    }
    device->SetDefaultStates();
    device->viewport_ = D3DVIEWPORT8{0, 0, presentation.BackBufferWidth, presentation.BackBufferHeight, 0.0f, 1.0f};
    device->renderStates_[D3DRS_ZENABLE] = presentation.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
    device->renderStates_[D3DRS_SOFTWAREVERTEXPROCESSING] =
        (creation.BehaviorFlags & D3DCREATE_SOFTWARE_VERTEXPROCESSING) ? TRUE : FALSE;
    return device;
}

Device::Device(Direct3D* d3d, const D3DDEVICE_CREATION_PARAMETERS& creation)
    : d3d_(d3d), creation_(creation), gl_(GlContext::Get()) {
    ++LiveObjects();
    d3d_->AddRef();
    glCreateFramebuffers(1, &framebuffer_);
    glCreateVertexArrays(1, &vertexArray_);
    GLint alignment = 256;
    glGetIntegerv(GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT, &alignment);
    uniformAlignment_ = static_cast<std::size_t>(alignment > 16 ? alignment : 16);
    glCreateSamplers(1, &sampler_);
    stream_ring_ = std::make_unique<StreamBuffer>(kStreamRingStartCapacity, kStreamRingMaxCapacity);
    SetDefaultStates();
}

Device::~Device() {
    stream_ring_.reset();
    glDeleteSamplers(1, &sampler_);
    glDeleteVertexArrays(1, &vertexArray_);
    glDeleteFramebuffers(1, &framebuffer_);
    if (gl_->owner == this) gl_->owner = nullptr;
    d3d_->Release();
    --LiveObjects();
}

void Device::SetDefaultStates() {
    renderStates_.fill(0);
    auto& rs = renderStates_;
    rs[D3DRS_ZENABLE] = D3DZB_FALSE;
    rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
    rs[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    rs[D3DRS_ZWRITEENABLE] = TRUE;
    rs[D3DRS_LASTPIXEL] = TRUE;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRS_CULLMODE] = D3DCULL_CCW;
    rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_FOGEND] = FloatBits(1.0f);
    rs[D3DRS_FOGDENSITY] = FloatBits(1.0f);
    rs[D3DRS_STENCILFAIL] = 1;
    rs[D3DRS_STENCILZFAIL] = 1;
    rs[D3DRS_STENCILPASS] = 1;
    rs[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_STENCILMASK] = 0xFFFFFFFFu;
    rs[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFFu;
    rs[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFFu;
    rs[D3DRS_CLIPPING] = TRUE;
    rs[D3DRS_LIGHTING] = TRUE;
    rs[D3DRS_COLORVERTEX] = TRUE;
    rs[D3DRS_LOCALVIEWER] = TRUE;
    rs[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    rs[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
    rs[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
    rs[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_MATERIAL;
    rs[D3DRS_POINTSIZE] = FloatBits(1.0f);
    rs[D3DRS_POINTSCALE_A] = FloatBits(1.0f);
    rs[D3DRS_MULTISAMPLEANTIALIAS] = TRUE;
    rs[D3DRS_MULTISAMPLEMASK] = 0xFFFFFFFFu;
    rs[D3DRS_PATCHSEGMENTS] = FloatBits(1.0f);
    rs[D3DRS_POINTSIZE_MAX] = FloatBits(64.0f);
    rs[D3DRS_COLORWRITEENABLE] = 0xFu;
    rs[D3DRS_BLENDOP] = 1;
    rs[D3DRS_POSITIONORDER] = 3;
    rs[D3DRS_NORMALORDER] = 1;

    for (int stage = 0; stage < kStages; ++stage) {
        auto& ss = stageStates_[static_cast<std::size_t>(stage)];
        ss.fill(0);
        ss[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        ss[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        ss[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        ss[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        ss[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        ss[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        ss[D3DTSS_TEXCOORDINDEX] = static_cast<DWORD>(stage);
        ss[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
        ss[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
        ss[D3DTSS_ADDRESSW] = D3DTADDRESS_WRAP;
        ss[D3DTSS_MAGFILTER] = D3DTEXF_POINT;
        ss[D3DTSS_MINFILTER] = D3DTEXF_POINT;
        ss[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
        ss[D3DTSS_MAXANISOTROPY] = 1;
        ss[D3DTSS_COLORARG0] = D3DTA_CURRENT;
        ss[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
        ss[D3DTSS_RESULTARG] = D3DTA_CURRENT;
    }
    transforms_.clear();
    material_ = D3DMATERIAL8{};
    fixedStateDirty_ = uniformsDirty_ = samplerDirty_ = true;
}

HRESULT Device::QueryInterface(REFIID, void** ppvObj) {
    if (!ppvObj) return E_POINTER;
    *ppvObj = nullptr;
    return E_NOINTERFACE;
}

ULONG Device::AddRef() { return ++refs_; }

ULONG Device::Release() {
    const ULONG left = --refs_;
    if (left == 0) {
        ReleaseBindings();
        DestroyIfUnused();
    }
    return left;
}

void Device::ReleaseInternalRef() {
    --internalRefs_;
    DestroyIfUnused();
}

void Device::DestroyIfUnused() {
    if (refs_ == 0 && internalRefs_ == 0 && !releasingBindings_) delete this;
}

void Device::ReleaseBindings() {
    // Bound objects hold the device in turn; drop them all before deciding.
    releasingBindings_ = true;
    for (auto& texture : textures_) Assign<Texture>(texture, nullptr);
    Assign<VertexBuffer>(stream_, nullptr);
    Assign<IndexBuffer>(indices_, nullptr);
    Assign<Surface>(renderTarget_, nullptr);
    Assign<Surface>(depthStencil_, nullptr);
    Assign<SwapChain>(implicitChain_, nullptr);
    releasingBindings_ = false;
}

void Device::InvalidateGlBindings() {
    boundTexture_ = 0;
    boundVertexBuffer_ = 0;
    boundVertexOffset_ = -1;
    boundElementBuffer_ = 0;
    targetsDirty_ = true;
}

bool Device::ClientSize(HWND window, int& width, int& height) {
    IPresentTarget* target = CurrentPresentTarget();
    return window && target && target->GetClientSize(window, width, height);
}

HRESULT Device::MakeSwapChain(D3DPRESENT_PARAMETERS& pp, SwapChain** chain) {
    *chain = nullptr;
    if (pp.MultiSampleType != D3DMULTISAMPLE_NONE || pp.BackBufferCount > 3) return D3DERR_INVALIDCALL;
    if (pp.BackBufferFormat == D3DFMT_UNKNOWN) pp.BackBufferFormat = CurrentDisplayMode().Format;
    if (!IsColorFormat(pp.BackBufferFormat)) return D3DERR_INVALIDCALL;
    HWND window = pp.hDeviceWindow ? pp.hDeviceWindow : creation_.hFocusWindow;
    if (pp.BackBufferWidth == 0 || pp.BackBufferHeight == 0) {
        // The window's client size; a window that cannot tell (or has none)
        // still gets a drawable one-pixel buffer.
        int width = 0, height = 0;
        if (!ClientSize(window, width, height)) width = height = 1;
        if (pp.BackBufferWidth == 0) pp.BackBufferWidth = static_cast<UINT>(width > 0 ? width : 1);
        if (pp.BackBufferHeight == 0) pp.BackBufferHeight = static_cast<UINT>(height > 0 ? height : 1);
    }
    if (pp.BackBufferCount == 0) pp.BackBufferCount = 1;
    Surface* backBuffer = Surface::Create(this, pp.BackBufferFormat, pp.BackBufferWidth, pp.BackBufferHeight);
    if (!backBuffer) return D3DERR_OUTOFVIDEOMEMORY;
    *chain = new SwapChain(this, backBuffer, window);
    return D3D_OK;
}

HRESULT Device::TestCooperativeLevel() { return D3D_OK; }

UINT Device::GetAvailableTextureMem() { return 256u << 20; }

HRESULT Device::ResourceManagerDiscardBytes(DWORD) { return D3D_OK; }

HRESULT Device::GetDirect3D(IDirect3D8** ppD3D8) {
    if (!ppD3D8) return D3DERR_INVALIDCALL;
    d3d_->AddRef();
    *ppD3D8 = d3d_;
    return D3D_OK;
}

HRESULT Device::GetDeviceCaps(D3DCAPS8* pCaps) {
    if (!pCaps) return D3DERR_INVALIDCALL;
    FillCaps(*pCaps);
    pCaps->DeviceType = creation_.DeviceType;
    return D3D_OK;
}

HRESULT Device::GetDisplayMode(D3DDISPLAYMODE* pMode) {
    if (!pMode) return D3DERR_INVALIDCALL;
    *pMode = CurrentDisplayMode();
    return D3D_OK;
}

HRESULT Device::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* pParameters) {
    if (!pParameters) return D3DERR_INVALIDCALL;
    *pParameters = creation_;
    return D3D_OK;
}

HRESULT Device::CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* pPresentationParameters,
                                          IDirect3DSwapChain8** pSwapChain) {
    if (!pSwapChain) return D3DERR_INVALIDCALL;
    *pSwapChain = nullptr;
    if (!pPresentationParameters || !pPresentationParameters->Windowed) return D3DERR_INVALIDCALL;
    if (Refused(D3D8Refusal::AdditionalSwapChain)) return D3DERR_OUTOFVIDEOMEMORY;
    SwapChain* chain = nullptr;
    const HRESULT hr = MakeSwapChain(*pPresentationParameters, &chain);
    if (FAILED(hr)) return hr;
    *pSwapChain = chain;
    return D3D_OK;
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS*) { return D3DERR_INVALIDCALL; }

HRESULT Device::Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride,
                        const RGNDATA* pDirtyRegion) {
    if (!implicitChain_) return D3DERR_INVALIDCALL;
    return implicitChain_->Present(pSourceRect, pDestRect, hDestWindowOverride, pDirtyRegion);
}

HRESULT Device::GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type, IDirect3DSurface8** ppBackBuffer) {
    if (!implicitChain_) return D3DERR_INVALIDCALL;
    return implicitChain_->GetBackBuffer(BackBuffer, Type, ppBackBuffer);
}

HRESULT Device::CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                              IDirect3DTexture8** ppTexture) {
    if (!ppTexture) return D3DERR_INVALIDCALL;
    *ppTexture = nullptr;
    Texture* texture = Texture::Create(this, Width, Height, Levels, Usage, Format, Pool);
    if (!texture) return D3DERR_INVALIDCALL;
    *ppTexture = texture;
    return D3D_OK;
}

HRESULT Device::CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                   IDirect3DVertexBuffer8** ppVertexBuffer) {
    if (!ppVertexBuffer) return D3DERR_INVALIDCALL;
    *ppVertexBuffer = nullptr;
    if (Length == 0 || Pool > D3DPOOL_SYSTEMMEM) return D3DERR_INVALIDCALL;
    D3DVERTEXBUFFER_DESC desc{D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, Usage, Pool, Length, FVF};
    *ppVertexBuffer = new VertexBuffer(this, desc);
    return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                  IDirect3DIndexBuffer8** ppIndexBuffer) {
    if (!ppIndexBuffer) return D3DERR_INVALIDCALL;
    *ppIndexBuffer = nullptr;
    if (Length == 0 || Pool > D3DPOOL_SYSTEMMEM) return D3DERR_INVALIDCALL;
    if (Format != D3DFMT_INDEX16 && Format != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
    D3DINDEXBUFFER_DESC desc{Format, D3DRTYPE_INDEXBUFFER, Usage, Pool, Length};
    *ppIndexBuffer = new IndexBuffer(this, desc);
    return D3D_OK;
}

HRESULT Device::CreateRenderTarget(UINT Width, UINT Height, D3DFORMAT Format, D3DMULTISAMPLE_TYPE MultiSample,
                                   BOOL, IDirect3DSurface8** ppSurface) {
    if (!ppSurface) return D3DERR_INVALIDCALL;
    *ppSurface = nullptr;
    if (!IsColorFormat(Format) || MultiSample != D3DMULTISAMPLE_NONE) return D3DERR_INVALIDCALL;
    Surface* surface = Surface::Create(this, Format, Width, Height);
    if (!surface) return D3DERR_INVALIDCALL;
    *ppSurface = surface;
    return D3D_OK;
}

HRESULT Device::CreateDepthStencilSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DMULTISAMPLE_TYPE MultiSample,
                                          IDirect3DSurface8** ppSurface) {
    if (!ppSurface) return D3DERR_INVALIDCALL;
    *ppSurface = nullptr;
    if (!IsDepthFormat(Format) || MultiSample != D3DMULTISAMPLE_NONE) return D3DERR_INVALIDCALL;
    Surface* surface = Surface::Create(this, Format, Width, Height);
    if (!surface) return D3DERR_INVALIDCALL;
    *ppSurface = surface;
    return D3D_OK;
}

HRESULT Device::CreateImageSurface(UINT Width, UINT Height, D3DFORMAT Format, IDirect3DSurface8** ppSurface) {
    return CreateRenderTarget(Width, Height, Format, D3DMULTISAMPLE_NONE, TRUE, ppSurface);
}

HRESULT Device::SetRenderTarget(IDirect3DSurface8* pRenderTarget, IDirect3DSurface8* pNewZStencil) {
    Surface* color = Adopt<Surface>(pRenderTarget);
    Surface* depth = Adopt<Surface>(pNewZStencil);
    if ((pRenderTarget && (!color || color->IsDepth())) || (pNewZStencil && (!depth || !depth->IsDepth())))
        return D3DERR_INVALIDCALL;
    // No new colour target keeps the current one; no depth surface draws
    // without depth.
    if (color) Assign(renderTarget_, color);
    Assign(depthStencil_, depth);
    targetsDirty_ = true;
    if (renderTarget_) {
        viewport_ = D3DVIEWPORT8{0, 0, static_cast<DWORD>(renderTarget_->Width()),
                                 static_cast<DWORD>(renderTarget_->Height()), 0.0f, 1.0f};
    }
    fixedStateDirty_ = uniformsDirty_ = true;
    return D3D_OK;
}

HRESULT Device::GetRenderTarget(IDirect3DSurface8** ppRenderTarget) {
    if (!ppRenderTarget) return D3DERR_INVALIDCALL;
    *ppRenderTarget = renderTarget_;
    if (!renderTarget_) return D3DERR_NOTFOUND;
    renderTarget_->AddRef();
    return D3D_OK;
}

HRESULT Device::GetDepthStencilSurface(IDirect3DSurface8** ppZStencilSurface) {
    if (!ppZStencilSurface) return D3DERR_INVALIDCALL;
    *ppZStencilSurface = depthStencil_;
    if (!depthStencil_) return D3DERR_NOTFOUND;
    depthStencil_->AddRef();
    return D3D_OK;
}

HRESULT Device::BeginScene() { return D3D_OK; }

HRESULT Device::EndScene() { return D3D_OK; }

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE State, const D3DMATRIX* pMatrix) {
    if (!pMatrix) return D3DERR_INVALIDCALL;
    transforms_[State] = *pMatrix;
    uniformsDirty_ = true;
    return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE State, D3DMATRIX* pMatrix) {
    if (!pMatrix) return D3DERR_INVALIDCALL;
    auto found = transforms_.find(State);
    *pMatrix = found != transforms_.end() ? found->second : IdentityMatrix();
    return D3D_OK;
}

HRESULT Device::MultiplyTransform(D3DTRANSFORMSTATETYPE State, const D3DMATRIX* pMatrix) {
    if (!pMatrix) return D3DERR_INVALIDCALL;
    D3DMATRIX current;
    GetTransform(State, &current);
    transforms_[State] = MultiplyMatrices(*pMatrix, current);
    uniformsDirty_ = true;
    return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT8* pViewport) {
    if (!pViewport || !renderTarget_) return D3DERR_INVALIDCALL;
    const D3DVIEWPORT8& v = *pViewport;
    if (v.Width == 0 || v.Height == 0 || v.X + v.Width > static_cast<DWORD>(renderTarget_->Width()) ||
        v.Y + v.Height > static_cast<DWORD>(renderTarget_->Height()) || v.MinZ < 0.0f || v.MaxZ > 1.0f)
        return D3DERR_INVALIDCALL;
    viewport_ = v;
    fixedStateDirty_ = uniformsDirty_ = true;
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT8* pViewport) {
    if (!pViewport) return D3DERR_INVALIDCALL;
    *pViewport = viewport_;
    return D3D_OK;
}

HRESULT Device::SetMaterial(const D3DMATERIAL8* pMaterial) {
    if (!pMaterial) return D3DERR_INVALIDCALL;
    material_ = *pMaterial;
    uniformsDirty_ = true;
    return D3D_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL8* pMaterial) {
    if (!pMaterial) return D3DERR_INVALIDCALL;
    *pMaterial = material_;
    return D3D_OK;
}

HRESULT Device::SetLight(DWORD Index, const D3DLIGHT8* pLight) {
    if (!pLight || !ValidLightType(pLight->Type)) return D3DERR_INVALIDCALL;
    lights_[Index].light = *pLight;
    uniformsDirty_ = true;
    return D3D_OK;
}

HRESULT Device::GetLight(DWORD Index, D3DLIGHT8* pLight) {
    auto found = lights_.find(Index);
    if (!pLight || found == lights_.end()) return D3DERR_INVALIDCALL;
    *pLight = found->second.light;
    return D3D_OK;
}

HRESULT Device::LightEnable(DWORD Index, BOOL Enable) {
    auto found = lights_.find(Index);
    if (found == lights_.end()) {
        // Enabling a light never set gives the default white light shining
        // along +z.
        LightSlot slot;
        slot.light.Type = D3DLIGHT_DIRECTIONAL;
        slot.light.Diffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 0.0f};
        slot.light.Direction = D3DVECTOR{0.0f, 0.0f, 1.0f};
        found = lights_.emplace(Index, slot).first;
    }
    found->second.enabled = Enable != FALSE;
    uniformsDirty_ = true;
    return D3D_OK;
}

HRESULT Device::GetLightEnable(DWORD Index, BOOL* pEnable) {
    auto found = lights_.find(Index);
    if (!pEnable || found == lights_.end()) return D3DERR_INVALIDCALL;
    *pEnable = found->second.enabled ? TRUE : FALSE;
    return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) {
    if (State >= renderStates_.size()) return D3DERR_INVALIDCALL;
    renderStates_[State] = Value;
    fixedStateDirty_ = uniformsDirty_ = true;
    return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) {
    if (!pValue || State >= renderStates_.size()) return D3DERR_INVALIDCALL;
    *pValue = renderStates_[State];
    return D3D_OK;
}

HRESULT Device::GetTexture(DWORD Stage, IDirect3DBaseTexture8** ppTexture) {
    if (!ppTexture || Stage >= kStages) return D3DERR_INVALIDCALL;
    Texture* texture = textures_[Stage];
    if (texture) texture->AddRef();
    *ppTexture = texture;
    return D3D_OK;
}

HRESULT Device::SetTexture(DWORD Stage, IDirect3DBaseTexture8* pTexture) {
    if (Stage >= kStages) return D3DERR_INVALIDCALL;
    Texture* texture = Adopt<Texture>(pTexture);
    if (pTexture && !texture) return D3DERR_INVALIDCALL;
    Assign(textures_[Stage], texture);
    return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD* pValue) {
    if (!pValue || Stage >= kStages || Type >= kStageStates) return D3DERR_INVALIDCALL;
    *pValue = stageStates_[Stage][Type];
    return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD Value) {
    if (Stage >= kStages || Type >= kStageStates) return D3DERR_INVALIDCALL;
    stageStates_[Stage][Type] = Value;
    samplerDirty_ = true;
    return D3D_OK;
}

HRESULT Device::SetVertexShader(DWORD Handle) {
    vertexShader_ = Handle;
    return D3D_OK;
}

HRESULT Device::GetVertexShader(DWORD* pHandle) {
    if (!pHandle) return D3DERR_INVALIDCALL;
    *pHandle = vertexShader_;
    return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer8* pStreamData, UINT Stride) {
    if (StreamNumber != 0) return D3DERR_INVALIDCALL;
    VertexBuffer* buffer = Adopt<VertexBuffer>(pStreamData);
    if (pStreamData && !buffer) return D3DERR_INVALIDCALL;
    Assign(stream_, buffer);
    streamStride_ = Stride;
    return D3D_OK;
}

HRESULT Device::GetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer8** ppStreamData, UINT* pStride) {
    if (StreamNumber != 0 || !ppStreamData || !pStride) return D3DERR_INVALIDCALL;
    if (stream_) stream_->AddRef();
    *ppStreamData = stream_;
    *pStride = streamStride_;
    return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer8* pIndexData, UINT BaseVertexIndex) {
    IndexBuffer* buffer = Adopt<IndexBuffer>(pIndexData);
    if (pIndexData && !buffer) return D3DERR_INVALIDCALL;
    Assign(indices_, buffer);
    baseVertexIndex_ = BaseVertexIndex;
    return D3D_OK;
}

HRESULT Device::GetIndices(IDirect3DIndexBuffer8** ppIndexData, UINT* pBaseVertexIndex) {
    if (!ppIndexData || !pBaseVertexIndex) return D3DERR_INVALIDCALL;
    if (indices_) indices_->AddRef();
    *ppIndexData = indices_;
    *pBaseVertexIndex = baseVertexIndex_;
    return D3D_OK;
}

}  // namespace orbel::d3d8
