// Plain meshes: creation, the attribute lock and the shared array helpers.
#include "MeshBase.h"
#include "MeshOptimize.h"

#include <d3d8/FvfLayout.h>

#include <algorithm>
#include <new>

namespace orbel::d3dx8 {
namespace {

class Mesh final : public MeshBase<ID3DXMesh> {
public:
    using MeshBase::MeshBase;

    HRESULT LockAttributeBuffer(DWORD Flags, DWORD** ppData) override {
        if (!ppData) return D3DERR_INVALIDCALL;
        if (!(Flags & D3DLOCK_READONLY)) data_.table.clear();
        ++attributeLocks_;
        *ppData = data_.attributes.data();
        return D3D_OK;
    }
    HRESULT UnlockAttributeBuffer() override { return Unlock(attributeLocks_); }

    HRESULT OptimizeInplace(DWORD Flags, const DWORD* pAdjacencyIn, DWORD* pAdjacencyOut, DWORD* pFaceRemap,
                            ID3DXBuffer** ppVertexRemap) override {
        if (Locked()) return D3DERR_INVALIDCALL;
        try {
            return OptimizeMeshInPlace(data_, Flags, pAdjacencyIn, pAdjacencyOut, pFaceRemap, ppVertexRemap);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
};

}  // namespace

bool IndicesInRange(const MeshData& mesh) {
    const DWORD count = mesh.NumVertices();
    if (mesh.indices.size() != std::size_t{mesh.NumFaces()} * 3) return false;
    return std::all_of(mesh.indices.begin(), mesh.indices.end(), [count](WORD i) { return i < count; });
}

bool AdjacencyInRange(const MeshData& mesh, const DWORD* adjacency) {
    const DWORD faces = mesh.NumFaces();
    return std::all_of(adjacency, adjacency + std::size_t{faces} * 3,
                       [faces](DWORD f) { return f < faces || f == kNoFace; });
}

UINT VertexStride(DWORD fvf) {
    const d3d8::FvfLayout layout = d3d8::ParseFvf(fvf);
    return layout.valid ? layout.size : 0;
}

bool OptionsSupported(DWORD options) { return !(options & D3DXMESH_32BIT); }

std::vector<D3DXATTRIBUTERANGE> BuildAttributeTable(const MeshData& mesh) {
    std::vector<D3DXATTRIBUTERANGE> table;
    const DWORD faces = mesh.NumFaces();
    for (DWORD f = 0; f < faces;) {
        DWORD end = f;
        DWORD low = 0xFFFF, high = 0;
        while (end < faces && mesh.attributes[end] == mesh.attributes[f]) {
            for (int c = 0; c < 3; ++c) {
                const DWORD i = mesh.indices[std::size_t{end} * 3 + c];
                low = std::min(low, i);
                high = std::max(high, i);
            }
            ++end;
        }
        table.push_back({mesh.attributes[f], f, end - f, low, high - low + 1});
        f = end;
    }
    return table;
}

void ConvertVertices(const MeshData& from, DWORD toFvf, UINT toStride, std::vector<BYTE>& out) {
    const d3d8::FvfLayout src = d3d8::ParseFvf(from.fvf);
    const d3d8::FvfLayout dst = d3d8::ParseFvf(toFvf);
    struct Span {
        int from, to, bytes;
    };
    std::vector<Span> spans{{0, 0, 12}};
    auto add = [&](int a, int b, int bytes) {
        if (a >= 0 && b >= 0) spans.push_back({a, b, bytes});
    };
    add(src.normal, dst.normal, 12);
    add(src.pointSize, dst.pointSize, 4);
    add(src.diffuse, dst.diffuse, 4);
    add(src.specular, dst.specular, 4);
    for (int set = 0; set < std::min(src.texCount, dst.texCount); ++set)
        add(src.texCoord[set], dst.texCoord[set], 4 * std::min(src.texCoordSize[set], dst.texCoordSize[set]));

    const DWORD count = from.NumVertices();
    out.assign(std::size_t{count} * toStride, 0);
    for (DWORD v = 0; v < count; ++v) {
        const BYTE* a = from.vertices.data() + std::size_t{v} * from.stride;
        BYTE* b = out.data() + std::size_t{v} * toStride;
        for (const Span& s : spans) std::memcpy(b + s.to, a + s.from, static_cast<std::size_t>(s.bytes));
    }
}

HRESULT DrawMeshSubset(IDirect3DDevice8* device, const MeshData& mesh, DWORD attribute) {
    if (!device || !IndicesInRange(mesh)) return D3DERR_INVALIDCALL;
    HRESULT result = device->SetVertexShader(mesh.fvf);
    if (FAILED(result)) return result;
    // Each stretch of faces with the attribute is one draw over the vertices
    // it actually uses, so a stale table can never send vertices that are gone.
    const DWORD faces = mesh.NumFaces();
    for (DWORD f = 0; f < faces;) {
        if (mesh.attributes[f] != attribute) {
            ++f;
            continue;
        }
        DWORD end = f;
        WORD low = 0xFFFF, high = 0;
        for (; end < faces && mesh.attributes[end] == attribute; ++end) {
            for (int c = 0; c < 3; ++c) {
                const WORD i = mesh.indices[std::size_t{end} * 3 + c];
                low = std::min(low, i);
                high = std::max(high, i);
            }
        }
        result = device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, low, UINT{high} - low + 1u, end - f,
                                                mesh.indices.data() + std::size_t{f} * 3, D3DFMT_INDEX16,
                                                mesh.vertices.data(), mesh.stride);
        if (FAILED(result)) return result;
        f = end;
    }
    return D3D_OK;
}

MeshAccess* AccessOf(ID3DXBaseMesh* mesh) { return mesh ? dynamic_cast<MeshAccess*>(mesh) : nullptr; }

ID3DXMesh* NewMesh(IDirect3DDevice8* device, MeshData&& data) {
    try {
        return new Mesh(device, std::move(data));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace orbel::d3dx8

using namespace orbel::d3dx8;

HRESULT D3DXCreateMeshFVF(DWORD NumFaces, DWORD NumVertices, DWORD Options, DWORD FVF, IDirect3DDevice8* pDevice,
                          ID3DXMesh** ppMesh) {
    if (!ppMesh) return D3DERR_INVALIDCALL;
    *ppMesh = nullptr;
    const UINT stride = VertexStride(FVF);
    // A face count whose index buffer would not fit in 32 bits of bytes is as
    // unusable as no face at all.
    constexpr DWORD kMaxFaces = 0x7FFFFFFFu / 6;
    if (NumFaces == 0 || NumFaces > kMaxFaces || NumVertices == 0 || NumVertices > kMaxMeshVertices || !stride ||
        !OptionsSupported(Options))
        return D3DERR_INVALIDCALL;
    MeshData data;
    data.fvf = FVF;
    data.stride = stride;
    data.options = Options;
    try {
        data.vertices.assign(std::size_t{NumVertices} * stride, 0);
        data.indices.assign(std::size_t{NumFaces} * 3, 0);
        data.attributes.assign(NumFaces, 0);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *ppMesh = NewMesh(pDevice, std::move(data));
    return *ppMesh ? D3D_OK : E_OUTOFMEMORY;
}
