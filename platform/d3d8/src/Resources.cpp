#include "Resources.h"

#include "Device.h"
#include "PresentReadBacks.h"
#include "DeviceHookState.h"

#include <algorithm>
#include <cstring>

namespace orbel::d3d8 {
namespace {

constexpr UINT kMaxDimension = 8192;

bool DepthInternalFormat(D3DFORMAT format, GLenum& internalFormat) {
    switch (format) {
    case D3DFMT_D16:
    case D3DFMT_D16_LOCKABLE: internalFormat = GL_DEPTH_COMPONENT16; return true;
    case D3DFMT_D24S8: internalFormat = GL_DEPTH24_STENCIL8; return true;
    case D3DFMT_D24X8: internalFormat = GL_DEPTH_COMPONENT24; return true;
    case D3DFMT_D32: internalFormat = GL_DEPTH_COMPONENT32F; return true;
    default: return false;
    }
}

int LevelsFor(UINT width, UINT height) {
    int levels = 1;
    while (width > 1 || height > 1) {
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
        ++levels;
    }
    return levels;
}

// A lock rectangle inside a width x height image; NULL means all of it.
bool ValidRect(const RECT* rect, int width, int height) {
    return !rect || (rect->left >= 0 && rect->top >= 0 && rect->left < rect->right && rect->top < rect->bottom &&
                     rect->right <= width && rect->bottom <= height);
}

std::size_t RectOffset(const RECT* rect, int width) {
    if (!rect) return 0;
    return (static_cast<std::size_t>(rect->top) * static_cast<std::size_t>(width) +
            static_cast<std::size_t>(rect->left)) * 4;
}

}  // namespace

DeviceLink::DeviceLink(Device* device) : device_(device) { device_->AddInternalRef(); }

DeviceLink::~DeviceLink() { device_->ReleaseInternalRef(); }

HRESULT DeviceLink::GetDevice(IDirect3DDevice8** ppDevice) const {
    if (!ppDevice) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *ppDevice = device_;
    return D3D_OK;
}

// ---- Surface

Surface* Surface::Create(Device* device, D3DFORMAT format, UINT width, UINT height) {
    if (width == 0 || height == 0 || width > kMaxDimension || height > kMaxDimension) return nullptr;
    GLenum internalFormat = GL_RGBA8;
    bool depth = false;
    if (format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8)
        internalFormat = GL_RGBA8;
    else if (DepthInternalFormat(format, internalFormat))
        depth = true;
    else
        return nullptr;
    return new Surface(device, format, static_cast<int>(width), static_cast<int>(height), internalFormat, depth);
}

Surface::Surface(Device* device, D3DFORMAT format, int width, int height, GLenum internalFormat, bool depth)
    : link_(device), format_(format), width_(width), height_(height), internalFormat_(internalFormat),
      depth_(depth) {
    GlContext& gl = device->Gl();
    name_ = depth_ ? gl.AcquireRenderbuffer(internalFormat_, width_, height_)
                   : gl.AcquireTexture(internalFormat_, width_, height_);
}

Surface::~Surface() {
    GlContext& gl = link_.device()->Gl();
    if (depth_)
        gl.ReturnRenderbuffer(name_, internalFormat_, width_, height_);
    else if (!AdoptReadTexture(name_))
        gl.ReturnTexture(name_, internalFormat_, width_, height_);
    link_.device()->InvalidateGlBindings();
}

HRESULT Surface::GetContainer(REFIID, void** ppContainer) {
    if (ppContainer) *ppContainer = nullptr;
    return E_NOINTERFACE;
}

HRESULT Surface::GetDesc(D3DSURFACE_DESC* pDesc) {
    if (!pDesc) return D3DERR_INVALIDCALL;
    const UINT bytesPerPixel = internalFormat_ == GL_DEPTH_COMPONENT16 ? 2 : 4;
    *pDesc = D3DSURFACE_DESC{format_,
                             D3DRTYPE_SURFACE,
                             depth_ ? D3DUSAGE_DEPTHSTENCIL : D3DUSAGE_RENDERTARGET,
                             D3DPOOL_DEFAULT,
                             static_cast<UINT>(width_) * static_cast<UINT>(height_) * bytesPerPixel,
                             D3DMULTISAMPLE_NONE,
                             static_cast<UINT>(width_),
                             static_cast<UINT>(height_)};
    return D3D_OK;
}

void Surface::ReadPixels(std::vector<BYTE>& bgra) const {
    const std::size_t size = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4;
    bgra.resize(size);
    // Waiting for the drawing first is much faster on llvmpipe than letting
    // the read itself stall on the unfinished scene.
    glFinish();
    glGetTextureImage(name_, 0, GL_BGRA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(size), bgra.data());
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) {
    if (!pLockedRect || depth_ || locked_ || !ValidRect(pRect, width_, height_)) return D3DERR_INVALIDCALL;
    ReadPixels(lockBuffer_);
    locked_ = true;
    lockReadOnly_ = (Flags & D3DLOCK_READONLY) != 0;
    pLockedRect->Pitch = width_ * 4;
    pLockedRect->pBits = lockBuffer_.data() + RectOffset(pRect, width_);
    return D3D_OK;
}

HRESULT Surface::UnlockRect() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    if (!lockReadOnly_) {
        LandReadBacksOf(name_);
        glTextureSubImage2D(name_, 0, 0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, lockBuffer_.data());
    }
    return D3D_OK;
}

// ---- Texture

Texture* Texture::Create(Device* device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                         D3DPOOL pool) {
    if (width == 0 || height == 0 || width > kMaxDimension || height > kMaxDimension) return nullptr;
    if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8) return nullptr;
    if (usage & D3DUSAGE_DEPTHSTENCIL) return nullptr;
    const int fullChain = LevelsFor(width, height);
    const int count = levels == 0 ? fullChain : static_cast<int>(levels);
    if (count > fullChain) return nullptr;
    std::vector<Level> chain;
    UINT w = width, h = height;
    for (int k = 0; k < count; ++k) {
        Level level{static_cast<int>(w), static_cast<int>(h), {}};
        level.pixels.assign(static_cast<std::size_t>(w) * h * 4, 0);
        chain.push_back(std::move(level));
        w = std::max(1u, w / 2);
        h = std::max(1u, h / 2);
    }
    return new Texture(device, format, usage, pool, std::move(chain));
}

Texture::Texture(Device* device, D3DFORMAT format, DWORD usage, D3DPOOL pool, std::vector<Level> levels)
    : ResourceObject(device), format_(format), usage_(usage), pool_(pool), levels_(std::move(levels)) {
    glCreateTextures(GL_TEXTURE_2D, 1, &name_);
    glTextureStorage2D(name_, static_cast<GLsizei>(levels_.size()), GL_RGBA8, levels_[0].width, levels_[0].height);
    glTextureParameteri(name_, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels_.size()) - 1);
    if (format_ == D3DFMT_X8R8G8B8) glTextureParameteri(name_, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    for (std::size_t k = 0; k < levels_.size(); ++k)
        glTextureSubImage2D(name_, static_cast<GLint>(k), 0, 0, levels_[k].width, levels_[k].height, GL_BGRA,
                            GL_UNSIGNED_BYTE, levels_[k].pixels.data());
}

Texture::~Texture() {
    glDeleteTextures(1, &name_);
    device()->InvalidateGlBindings();
}

HRESULT Texture::GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) {
    if (!pDesc || Level >= levels_.size()) return D3DERR_INVALIDCALL;
    const auto& level = levels_[Level];
    *pDesc = D3DSURFACE_DESC{format_,
                             D3DRTYPE_SURFACE,
                             usage_,
                             pool_,
                             static_cast<UINT>(level.pixels.size()),
                             D3DMULTISAMPLE_NONE,
                             static_cast<UINT>(level.width),
                             static_cast<UINT>(level.height)};
    return D3D_OK;
}

HRESULT Texture::GetSurfaceLevel(UINT, IDirect3DSurface8** ppSurfaceLevel) {
    if (ppSurfaceLevel) *ppSurfaceLevel = nullptr;
    return D3DERR_NOTAVAILABLE;
}

HRESULT Texture::LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) {
    if (!pLockedRect || Level >= levels_.size()) return D3DERR_INVALIDCALL;
    auto& level = levels_[Level];
    if (level.locked || !ValidRect(pRect, level.width, level.height)) return D3DERR_INVALIDCALL;
    level.locked = true;
    level.readOnly = (Flags & D3DLOCK_READONLY) != 0;
    pLockedRect->Pitch = level.width * 4;
    pLockedRect->pBits = level.pixels.data() + RectOffset(pRect, level.width);
    return D3D_OK;
}

HRESULT Texture::UnlockRect(UINT Level) {
    if (Level >= levels_.size() || !levels_[Level].locked) return D3DERR_INVALIDCALL;
    auto& level = levels_[Level];
    level.locked = false;
    if (!level.readOnly)
        glTextureSubImage2D(name_, static_cast<GLint>(Level), 0, 0, level.width, level.height, GL_BGRA,
                            GL_UNSIGNED_BYTE, level.pixels.data());
    return D3D_OK;
}

// ---- Vertex and index buffers

template <class Interface, class Desc>
Buffer<Interface, Desc>::Buffer(Device* device, const Desc& desc)
    : ResourceObject<Interface>(device), desc_(desc), bytes_(desc.Size, 0) {
    glCreateBuffers(1, &name_);
    glNamedBufferStorage(name_, static_cast<GLsizeiptr>(bytes_.size()), bytes_.data(), GL_DYNAMIC_STORAGE_BIT);
}

template <class Interface, class Desc>
Buffer<Interface, Desc>::~Buffer() {
    glDeleteBuffers(1, &name_);
    this->device()->InvalidateGlBindings();
}

template <class Interface, class Desc>
HRESULT Buffer<Interface, Desc>::Lock(UINT OffsetToLock, UINT SizeToLock, BYTE** ppbData, DWORD Flags) {
    if (!ppbData) return D3DERR_INVALIDCALL;
    *ppbData = nullptr;
    const UINT size = desc_.Size;
    if (OffsetToLock >= size) return D3DERR_INVALIDCALL;
    const UINT length = SizeToLock == 0 ? size - OffsetToLock : SizeToLock;
    if (length > size - OffsetToLock) return D3DERR_INVALIDCALL;
    if (!(Flags & D3DLOCK_READONLY)) {
        if (dirtyBegin_ == dirtyEnd_) {
            dirtyBegin_ = OffsetToLock;
            dirtyEnd_ = OffsetToLock + length;
        } else {
            dirtyBegin_ = std::min(dirtyBegin_, OffsetToLock);
            dirtyEnd_ = std::max(dirtyEnd_, OffsetToLock + length);
        }
    }
    ++locks_;
    *ppbData = bytes_.data() + OffsetToLock;
    return D3D_OK;
}

template <class Interface, class Desc>
HRESULT Buffer<Interface, Desc>::Unlock() {
    if (locks_ == 0) return D3DERR_INVALIDCALL;
    if (--locks_ == 0 && dirtyEnd_ > dirtyBegin_) {
        glNamedBufferSubData(name_, dirtyBegin_, dirtyEnd_ - dirtyBegin_, bytes_.data() + dirtyBegin_);
        dirtyBegin_ = dirtyEnd_ = 0;
    }
    return D3D_OK;
}

template <class Interface, class Desc>
HRESULT Buffer<Interface, Desc>::GetDesc(Desc* pDesc) {
    if (!pDesc) return D3DERR_INVALIDCALL;
    *pDesc = desc_;
    return D3D_OK;
}

template class Buffer<IDirect3DVertexBuffer8, D3DVERTEXBUFFER_DESC>;
template class Buffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC>;

D3DFORMAT IndexBuffer::IndexFormat() const {
    D3DINDEXBUFFER_DESC desc;
    const_cast<IndexBuffer*>(this)->GetDesc(&desc);
    return desc.Format;
}

// ---- Swap chain

SwapChain::SwapChain(Device* device, Surface* backBuffer, HWND window)
    : link_(device), backBuffer_(backBuffer), window_(window) {}

SwapChain::~SwapChain() { backBuffer_->Release(); }

HRESULT SwapChain::Present(const RECT*, const RECT*, HWND hDestWindowOverride, const RGNDATA*) {
    // The back buffer keeps its pixels: callers save it after presenting.
    const HWND window = hDestWindowOverride ? hDestWindowOverride : window_;
    const int width = backBuffer_->Width(), height = backBuffer_->Height();
    IPresentTarget* target = CurrentPresentTarget();
    if (!target || target->TakesLateImages()) {
        BeginReadBack(link_.device()->Gl(), backBuffer_->Name(), width, height, window, target);
        return D3D_OK;
    }
    std::vector<BYTE>& pixels = link_.device()->PresentScratch();
    backBuffer_->ReadPixels(pixels);
    target->PresentImage(window, pixels.data(), width, height, width * 4);
    return D3D_OK;
}

HRESULT SwapChain::GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type, IDirect3DSurface8** ppBackBuffer) {
    if (!ppBackBuffer) return D3DERR_INVALIDCALL;
    *ppBackBuffer = nullptr;
    if (BackBuffer != 0 || Type != D3DBACKBUFFER_TYPE_MONO) return D3DERR_INVALIDCALL;
    backBuffer_->AddRef();
    *ppBackBuffer = backBuffer_;
    return D3D_OK;
}

}  // namespace orbel::d3d8
