#include "orbel/views/GridLines.h"
#include "orbel/views/LineVertex.h"

#include <cstring>
#include <vector>

namespace {

bool ReadVertices(IDirect3DVertexBuffer8* buffer, UINT count, LineVertex* out)
{
    D3DVERTEXBUFFER_DESC description{};
    if (!buffer || FAILED(buffer->GetDesc(&description)) || description.Size < count * sizeof(LineVertex))
        return false;
    BYTE* data = nullptr;
    const UINT bytes = count * static_cast<UINT>(sizeof(LineVertex));
    if (FAILED(buffer->Lock(0, bytes, &data, D3DLOCK_READONLY)) || !data) return false;
    std::memcpy(out, data, bytes);
    buffer->Unlock();
    return true;
}

LineVertex Shifted(LineVertex v, float dx, float dz)
{
    v.x += dx;
    v.z += dz;
    return v;
}

}  // namespace

IDirect3DVertexBuffer8* MakePlacedGridLines(IDirect3DDevice8* device, IDirect3DVertexBuffer8* cell,
                                            IDirect3DVertexBuffer8* axes)
{
    LineVertex outline[5];
    LineVertex axisEnds[4];
    if (!device || !ReadVertices(cell, 5, outline) || !ReadVertices(axes, 4, axisEnds)) return nullptr;

    // The same order as drawing cell by cell: rows of cells, then the axes'
    // segments in turn, so overlapping lines still end up the same way.
    std::vector<LineVertex> lines;
    lines.reserve(2 * kPlacedGridSegments);
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 20; ++j) {
            const float dx = static_cast<float>(j - 10);
            const float dz = static_cast<float>(i - 10);
            for (int k = 0; k < 4; ++k) {
                lines.push_back(Shifted(outline[k], dx, dz));
                lines.push_back(Shifted(outline[k + 1], dx, dz));
            }
        }
    }
    for (int k = 0; k < 20; ++k) {
        const float s = static_cast<float>(k - 10);
        lines.push_back(Shifted(axisEnds[0], s, 0.0f));
        lines.push_back(Shifted(axisEnds[1], s, 0.0f));
        lines.push_back(Shifted(axisEnds[2], 0.0f, s));
        lines.push_back(Shifted(axisEnds[3], 0.0f, s));
    }

    const UINT bytes = static_cast<UINT>(lines.size() * sizeof(LineVertex));
    IDirect3DVertexBuffer8* placed = nullptr;
    if (FAILED(device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, kLineVertexFormat, D3DPOOL_DEFAULT, &placed)) ||
        !placed)
        return nullptr;
    BYTE* data = nullptr;
    if (FAILED(placed->Lock(0, bytes, &data, 0)) || !data) {
        placed->Release();
        return nullptr;
    }
    std::memcpy(data, lines.data(), bytes);
    placed->Unlock();
    return placed;
}
