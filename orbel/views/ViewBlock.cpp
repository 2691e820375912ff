#include "orbel/views/ViewBlock.h"

#include "orbel/views/ViewKind.h"

#include "model/SelectionMode.h"

#include <bit>
#include <cstdint>

namespace {

class BlockWriter {
public:
    explicit BlockWriter(ViewBlockBytes& bytes) : bytes_(bytes) {}
    void U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) bytes_[pos_++] = static_cast<BYTE>(v >> (8 * i));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
    void Flag(bool v) { bytes_[pos_++] = v ? 1 : 0; }
    void Vec(const D3DXVECTOR3& v)
    {
        F32(v.x);
        F32(v.y);
        F32(v.z);
    }

private:
    ViewBlockBytes& bytes_;
    std::size_t pos_ = 0;
};

class BlockReader {
public:
    explicit BlockReader(const ViewBlockBytes& bytes) : bytes_(bytes) {}
    std::uint32_t U32()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= std::uint32_t{bytes_[pos_++]} << (8 * i);
        return v;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    float F32() { return std::bit_cast<float>(U32()); }
    bool Flag() { return bytes_[pos_++] != 0; }
    D3DXVECTOR3 Vec()
    {
        float x = F32();
        float y = F32();
        float z = F32();
        return D3DXVECTOR3(x, y, z);
    }

private:
    const ViewBlockBytes& bytes_;
    std::size_t pos_ = 0;
};

}  // namespace

ViewBlockBytes EncodeViewBlock(const ViewBlock& block)
{
    ViewBlockBytes bytes{};
    BlockWriter out(bytes);
    out.I32(block.kind);
    out.F32(block.zoom);
    out.F32(block.fieldOfView);
    out.Flag(block.grid);
    out.I32(block.fillMode);
    out.Flag(block.wireOverlay);
    out.Vec(block.up);
    out.Vec(block.eye);
    out.Vec(block.target);
    out.I32(block.selectionMode);
    return bytes;
}

ViewBlock DecodeViewBlock(const ViewBlockBytes& bytes)
{
    BlockReader in(bytes);
    ViewBlock block;
    block.kind = in.I32();
    block.zoom = in.F32();
    block.fieldOfView = in.F32();
    block.grid = in.Flag();
    block.fillMode = in.I32();
    block.wireOverlay = in.Flag();
    block.up = in.Vec();
    block.eye = in.Vec();
    block.target = in.Vec();
    block.selectionMode = in.I32();
    return block;
}

bool IsReadableViewBlock(const ViewBlock& block)
{
    return IsValidViewKind(block.kind) && block.fillMode >= 1 && block.fillMode <= 3 && block.selectionMode >= SelectObjects &&
           block.selectionMode <= SelectLines;
}

bool IsValidViewBlock(const ViewBlock& block) { return IsReadableViewBlock(block) && IsUsableCamera(CameraOfBlock(block)); }

ViewCamera CameraOfBlock(const ViewBlock& block)
{
    ViewCamera camera;
    camera.eye = block.eye;
    camera.target = block.target;
    camera.up = block.up;
    camera.zoom = block.zoom;
    camera.fieldOfView = block.fieldOfView;
    return camera;
}

void SetBlockCamera(ViewBlock& block, const ViewCamera& camera)
{
    block.eye = camera.eye;
    block.target = camera.target;
    block.up = camera.up;
    block.zoom = camera.zoom;
    block.fieldOfView = camera.fieldOfView;
}
