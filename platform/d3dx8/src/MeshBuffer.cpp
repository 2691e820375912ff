#include "MeshBuffer.h"

#include <d3d8/ComObject.h>

#include <cstring>
#include <limits>
#include <new>

namespace orbel::d3dx8 {
namespace {

class Buffer final : public d3d8::ComObject<ID3DXBuffer> {
public:
    explicit Buffer(std::size_t size) : bytes_(size) {}
    void* GetBufferPointer() override { return bytes_.empty() ? nullptr : bytes_.data(); }
    DWORD GetBufferSize() override { return static_cast<DWORD>(bytes_.size()); }
    BYTE* Bytes() { return bytes_.data(); }

private:
    std::vector<BYTE> bytes_;
};

}  // namespace

ID3DXBuffer* NewBuffer(const void* bytes, std::size_t size) {
    if (size > std::numeric_limits<DWORD>::max()) return nullptr;
    try {
        Buffer* buffer = new Buffer(size);
        if (bytes && size) std::memcpy(buffer->Bytes(), bytes, size);
        return buffer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace orbel::d3dx8

using namespace orbel::d3dx8;

HRESULT D3DXCreateBuffer(DWORD NumBytes, ID3DXBuffer** ppBuffer) {
    if (!ppBuffer) return D3DERR_INVALIDCALL;
    *ppBuffer = NewBuffer(nullptr, NumBytes);
    return *ppBuffer ? D3D_OK : E_OUTOFMEMORY;
}
