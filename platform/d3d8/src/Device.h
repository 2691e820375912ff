// The Direct3D 8 device: all render state, the bound resources, and the
// drawing calls mapped onto OpenGL. The device lives while the program holds
// a reference or any of its resources exists; when the program's last
// reference goes, it lets go of everything bound to it.
#pragma once

#include "EdgeList.h"
#include "FixedFunction.h"
#include <d3d8/FvfLayout.h>
#include "GlContext.h"
#include "StreamBuffer.h"

#include <d3d8/D3D8.h>

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace orbel::d3d8 {

class Direct3D;
class Surface;
class SwapChain;
class Texture;
class VertexBuffer;
class IndexBuffer;

class Device final : public IDirect3DDevice8 {
public:
    // nullptr when the implicit swap chain or depth surface cannot be made.
    static Device* Create(Direct3D* d3d, const D3DDEVICE_CREATION_PARAMETERS& creation,
                          D3DPRESENT_PARAMETERS& presentation);

    HRESULT QueryInterface(REFIID riid, void** ppvObj) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT TestCooperativeLevel() override;
    UINT GetAvailableTextureMem() override;
    HRESULT ResourceManagerDiscardBytes(DWORD Bytes) override;
    HRESULT GetDirect3D(IDirect3D8** ppD3D8) override;
    HRESULT GetDeviceCaps(D3DCAPS8* pCaps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* pMode) override;
    HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* pParameters) override;
    HRESULT CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* pPresentationParameters,
                                      IDirect3DSwapChain8** pSwapChain) override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* pPresentationParameters) override;
    HRESULT Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride,
                    const RGNDATA* pDirtyRegion) override;
    HRESULT GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type, IDirect3DSurface8** ppBackBuffer) override;
    HRESULT CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                          IDirect3DTexture8** ppTexture) override;
    HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                               IDirect3DVertexBuffer8** ppVertexBuffer) override;
    HRESULT CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                              IDirect3DIndexBuffer8** ppIndexBuffer) override;
    HRESULT CreateRenderTarget(UINT Width, UINT Height, D3DFORMAT Format, D3DMULTISAMPLE_TYPE MultiSample,
                               BOOL Lockable, IDirect3DSurface8** ppSurface) override;
    HRESULT CreateDepthStencilSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DMULTISAMPLE_TYPE MultiSample,
                                      IDirect3DSurface8** ppSurface) override;
    HRESULT CreateImageSurface(UINT Width, UINT Height, D3DFORMAT Format, IDirect3DSurface8** ppSurface) override;
    HRESULT SetRenderTarget(IDirect3DSurface8* pRenderTarget, IDirect3DSurface8* pNewZStencil) override;
    HRESULT GetRenderTarget(IDirect3DSurface8** ppRenderTarget) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface8** ppZStencilSurface) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z, DWORD Stencil) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE State, const D3DMATRIX* pMatrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE State, D3DMATRIX* pMatrix) override;
    HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE State, const D3DMATRIX* pMatrix) override;
    HRESULT SetViewport(const D3DVIEWPORT8* pViewport) override;
    HRESULT GetViewport(D3DVIEWPORT8* pViewport) override;
    HRESULT SetMaterial(const D3DMATERIAL8* pMaterial) override;
    HRESULT GetMaterial(D3DMATERIAL8* pMaterial) override;
    HRESULT SetLight(DWORD Index, const D3DLIGHT8* pLight) override;
    HRESULT GetLight(DWORD Index, D3DLIGHT8* pLight) override;
    HRESULT LightEnable(DWORD Index, BOOL Enable) override;
    HRESULT GetLightEnable(DWORD Index, BOOL* pEnable) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) override;
    HRESULT GetTexture(DWORD Stage, IDirect3DBaseTexture8** ppTexture) override;
    HRESULT SetTexture(DWORD Stage, IDirect3DBaseTexture8* pTexture) override;
    HRESULT GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD* pValue) override;
    HRESULT SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD Value) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT MinIndex, UINT NumVertices, UINT StartIndex,
                                 UINT PrimitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT PrimitiveCount, const void* pVertexStreamZeroData,
                            UINT VertexStreamZeroStride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT MinVertexIndex, UINT NumVertexIndices,
                                   UINT PrimitiveCount, const void* pIndexData, D3DFORMAT IndexDataFormat,
                                   const void* pVertexStreamZeroData, UINT VertexStreamZeroStride) override;
    HRESULT SetVertexShader(DWORD Handle) override;
    HRESULT GetVertexShader(DWORD* pHandle) override;
    HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer8* pStreamData, UINT Stride) override;
    HRESULT GetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer8** ppStreamData, UINT* pStride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer8* pIndexData, UINT BaseVertexIndex) override;
    HRESULT GetIndices(IDirect3DIndexBuffer8** ppIndexData, UINT* pBaseVertexIndex) override;

    // Kept alive by the resources it made.
    void AddInternalRef() { ++internalRefs_; }
    void ReleaseInternalRef();
    GlContext& Gl() const { return *gl_; }
    // The client size of a window through the present target; false without.
    static bool ClientSize(HWND window, int& width, int& height);
    // Room for presented pixels, kept across the swap chains of each paint.
    std::vector<BYTE>& PresentScratch() { return presentScratch_; }
    // Called when a GL object of a resource goes, so no cached binding
    // refers to a name GL may hand out again.
    void InvalidateGlBindings();

private:
    Device(Direct3D* d3d, const D3DDEVICE_CREATION_PARAMETERS& creation);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    void SetDefaultStates();
    void ReleaseBindings();
    void DestroyIfUnused();
    HRESULT MakeSwapChain(D3DPRESENT_PARAMETERS& presentation, SwapChain** chain);

    // Drawing (DeviceDraw.cpp).
    // `mode` is the GL primitive the draw is made with.
    bool PrepareDraw(const FvfLayout& layout, GLenum mode);
    void ApplyFixedState();
    void UploadUniforms();
    void BindVertexLayout(const FvfLayout& layout, GLuint buffer, GLintptr offset, GLsizei stride);
    void BindElements(GLuint buffer);
    // The line list a wireframe triangle list is drawn with; no buffer where
    // the triangles must go through the polygon mode (culling needs each
    // triangle's facing, flat shading its first vertex's colour) or are too
    // few to be worth a look-up.
    EdgeListCache::Lines WireframeEdges(D3DPRIMITIVETYPE type, UINT primitives, const void* indices,
                                        std::size_t indexSize);
    void BindFramebuffer();
    void AttachTargets();

    ULONG refs_ = 1;
    ULONG internalRefs_ = 0;
    bool releasingBindings_ = false;
    Direct3D* d3d_;
    D3DDEVICE_CREATION_PARAMETERS creation_;
    GlContext* gl_;

    // State.
    std::array<DWORD, 256> renderStates_{};
    std::map<DWORD, D3DMATRIX> transforms_;
    D3DMATERIAL8 material_{};
    struct LightSlot {
        D3DLIGHT8 light{};
        bool enabled = false;
    };
    std::map<DWORD, LightSlot> lights_;
    std::uint32_t enabledLights_ = 0;  // counted by UploadUniforms
    bool directionalOnly_ = true;
    static constexpr int kStages = 8;
    static constexpr int kStageStates = 29;
    std::array<std::array<DWORD, kStageStates>, kStages> stageStates_{};
    std::array<Texture*, kStages> textures_{};
    DWORD vertexShader_ = 0;
    VertexBuffer* stream_ = nullptr;
    UINT streamStride_ = 0;
    IndexBuffer* indices_ = nullptr;
    UINT baseVertexIndex_ = 0;
    D3DVIEWPORT8 viewport_{};
    SwapChain* implicitChain_ = nullptr;
    Surface* renderTarget_ = nullptr;
    Surface* depthStencil_ = nullptr;

    // GL objects and what they currently carry.
    GLuint framebuffer_ = 0;
    GLuint vertexArray_ = 0;
    std::size_t uniformAlignment_ = 256;
    GLuint sampler_ = 0;
    std::unique_ptr<StreamBuffer> stream_ring_;
    GLuint streamRingName_ = 0;
    std::vector<BYTE> presentScratch_;
    ProgramCache programs_;
    EdgeListCache edgeLists_;
    bool targetsDirty_ = true;
    bool fixedStateDirty_ = true;
    bool uniformsDirty_ = true;
    unsigned uniformLap_ = 0;
    bool samplerDirty_ = true;
    GLuint boundProgram_ = 0;
    GLuint boundTexture_ = 0;
    DWORD boundLayoutFvf_ = 0xFFFFFFFFu;
    GLuint boundVertexBuffer_ = 0;
    GLintptr boundVertexOffset_ = -1;
    GLsizei boundVertexStride_ = -1;
    GLuint boundElementBuffer_ = 0;
};

}  // namespace orbel::d3d8
