// The objects a device makes: surfaces, textures, vertex and index buffers
// and swap chains. Each keeps its device alive (an internal reference) so
// it may outlive the device's last public Release.
#pragma once

#include <d3d8/ComObject.h>
#include "Gl.h"

#include <vector>

namespace orbel::d3d8 {

class Device;

// Holds the device for the object's whole life.
class DeviceLink {
public:
    explicit DeviceLink(Device* device);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;
    ~DeviceLink();
    Device* device() const { return device_; }
    HRESULT GetDevice(IDirect3DDevice8** ppDevice) const;

private:
    Device* device_;
};

// Private data and priorities are accepted and ignored: nothing the program
// does depends on them.
template <class Interface>
class ResourceObject : public ComObject<Interface> {
public:
    explicit ResourceObject(Device* device) : link_(device) {}
    HRESULT GetDevice(IDirect3DDevice8** ppDevice) override { return link_.GetDevice(ppDevice); }
    HRESULT SetPrivateData(REFGUID, const void*, DWORD, DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT GetPrivateData(REFGUID, void*, DWORD*) override { return D3DERR_NOTFOUND; }
    HRESULT FreePrivateData(REFGUID) override { return D3DERR_NOTFOUND; }
    DWORD SetPriority(DWORD) override { return 0; }
    DWORD GetPriority() override { return 0; }
    void PreLoad() override {}

protected:
    Device* device() const { return link_.device(); }

private:
    DeviceLink link_;
};

class Surface final : public ComObject<IDirect3DSurface8> {
public:
    // nullptr when the format cannot be drawn into.
    static Surface* Create(Device* device, D3DFORMAT format, UINT width, UINT height);

    HRESULT GetDevice(IDirect3DDevice8** ppDevice) override { return link_.GetDevice(ppDevice); }
    HRESULT SetPrivateData(REFGUID, const void*, DWORD, DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT GetPrivateData(REFGUID, void*, DWORD*) override { return D3DERR_NOTFOUND; }
    HRESULT FreePrivateData(REFGUID) override { return D3DERR_NOTFOUND; }
    HRESULT GetContainer(REFIID riid, void** ppContainer) override;
    HRESULT GetDesc(D3DSURFACE_DESC* pDesc) override;
    HRESULT LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect() override;

    bool IsDepth() const { return depth_; }
    D3DFORMAT Format() const { return format_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    GLuint Name() const { return name_; }
    bool HasStencil() const { return format_ == D3DFMT_D24S8; }
    // The whole colour image as B, G, R, A bytes, rows top first.
    void ReadPixels(std::vector<BYTE>& bgra) const;

private:
    Surface(Device* device, D3DFORMAT format, int width, int height, GLenum internalFormat, bool depth);
    ~Surface() override;

    DeviceLink link_;
    D3DFORMAT format_;
    int width_;
    int height_;
    GLenum internalFormat_;
    bool depth_;
    GLuint name_ = 0;
    std::vector<BYTE> lockBuffer_;
    bool locked_ = false;
    bool lockReadOnly_ = false;
};

class Texture final : public ResourceObject<IDirect3DTexture8> {
public:
    static Texture* Create(Device* device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                           D3DPOOL pool);

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD SetLOD(DWORD) override { return 0; }
    DWORD GetLOD() override { return 0; }
    DWORD GetLevelCount() override { return static_cast<DWORD>(levels_.size()); }
    HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) override;
    HRESULT GetSurfaceLevel(UINT Level, IDirect3DSurface8** ppSurfaceLevel) override;
    HRESULT LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect(UINT Level) override;
    HRESULT AddDirtyRect(const RECT*) override { return D3D_OK; }

    GLuint Name() const { return name_; }

private:
    struct Level {
        int width;
        int height;
        std::vector<BYTE> pixels;  // B, G, R, A bytes, rows top first
        bool locked = false;
        bool readOnly = false;
    };
    Texture(Device* device, D3DFORMAT format, DWORD usage, D3DPOOL pool, std::vector<Level> levels);
    ~Texture() override;

    D3DFORMAT format_;
    DWORD usage_;
    D3DPOOL pool_;
    std::vector<Level> levels_;
    GLuint name_ = 0;
};

// Vertex and index buffers keep their bytes in memory; Unlock copies what
// was locked to the GL buffer drawn from.
template <class Interface, class Desc>
class Buffer : public ResourceObject<Interface> {
public:
    Buffer(Device* device, const Desc& desc);
    ~Buffer() override;
    HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, BYTE** ppbData, DWORD Flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(Desc* pDesc) override;

    GLuint Name() const { return name_; }
    UINT Size() const { return desc_.Size; }
    const BYTE* Bytes() const { return bytes_.data(); }

private:
    Desc desc_;
    std::vector<BYTE> bytes_;
    GLuint name_ = 0;
    int locks_ = 0;
    UINT dirtyBegin_ = 0;
    UINT dirtyEnd_ = 0;
};

class VertexBuffer final : public Buffer<IDirect3DVertexBuffer8, D3DVERTEXBUFFER_DESC> {
public:
    using Buffer::Buffer;
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
};

class IndexBuffer final : public Buffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC> {
public:
    using Buffer::Buffer;
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
    D3DFORMAT IndexFormat() const;
};

class SwapChain final : public ComObject<IDirect3DSwapChain8> {
public:
    // Takes over the reference of backBuffer.
    SwapChain(Device* device, Surface* backBuffer, HWND window);

    HRESULT Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride,
                    const RGNDATA* pDirtyRegion) override;
    HRESULT GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type, IDirect3DSurface8** ppBackBuffer) override;

private:
    ~SwapChain() override;

    DeviceLink link_;
    Surface* backBuffer_;
    HWND window_;
};

}  // namespace orbel::d3d8
