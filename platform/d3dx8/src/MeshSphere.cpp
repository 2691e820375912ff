// The sphere: rings of vertices between two poles on the z axis.
#include "MeshBase.h"
#include "MeshBuffer.h"

#include <cmath>
#include <new>

namespace orbel::d3dx8 {
namespace {

constexpr UINT kMaxSegments = 240;

struct SphereVertex {
    float x, y, z;
    float nx, ny, nz;
};

MeshData BuildSphere(float radius, UINT slices, UINT stacks) {
    MeshData mesh;
    mesh.fvf = D3DFVF_XYZ | D3DFVF_NORMAL;
    mesh.stride = sizeof(SphereVertex);
    mesh.options = D3DXMESH_SYSTEMMEM;

    std::vector<SphereVertex> vertices;
    vertices.reserve(std::size_t{slices} * (stacks - 1) + 2);
    auto add = [&](double nx, double ny, double nz) {
        vertices.push_back({static_cast<float>(radius * nx), static_cast<float>(radius * ny),
                            static_cast<float>(radius * nz), static_cast<float>(nx), static_cast<float>(ny),
                            static_cast<float>(nz)});
    };
    const double pi = 3.14159265358979323846;
    add(0.0, 0.0, 1.0);
    for (UINT stack = 1; stack < stacks; ++stack) {
        const double phi = pi * stack / stacks;
        for (UINT slice = 0; slice < slices; ++slice) {
            const double theta = 2.0 * pi * slice / slices;
            add(std::sin(phi) * std::cos(theta), std::sin(phi) * std::sin(theta), std::cos(phi));
        }
    }
    add(0.0, 0.0, -1.0);

    // Ring r (1 .. stacks - 1), slice s; the cross product of each face's
    // edges points away from the centre, which is front-facing under
    // clockwise winding.
    auto ring = [slices](UINT r, UINT s) { return static_cast<WORD>(1 + (r - 1) * slices + s % slices); };
    const WORD top = 0;
    const WORD bottom = static_cast<WORD>(vertices.size() - 1);
    auto face = [&mesh](WORD a, WORD b, WORD c) { mesh.indices.insert(mesh.indices.end(), {a, b, c}); };
    mesh.indices.reserve(std::size_t{slices} * (stacks - 1) * 6);
    for (UINT s = 0; s < slices; ++s) face(top, ring(1, s), ring(1, s + 1));
    for (UINT r = 1; r + 1 < stacks; ++r) {
        for (UINT s = 0; s < slices; ++s) {
            face(ring(r, s), ring(r + 1, s), ring(r, s + 1));
            face(ring(r, s + 1), ring(r + 1, s), ring(r + 1, s + 1));
        }
    }
    for (UINT s = 0; s < slices; ++s) face(bottom, ring(stacks - 1, s + 1), ring(stacks - 1, s));

    const BYTE* bytes = reinterpret_cast<const BYTE*>(vertices.data());
    mesh.vertices.assign(bytes, bytes + vertices.size() * sizeof(SphereVertex));
    mesh.attributes.assign(mesh.indices.size() / 3, 0);
    mesh.table = BuildAttributeTable(mesh);
    return mesh;
}

}  // namespace
}  // namespace orbel::d3dx8

using namespace orbel::d3dx8;

HRESULT D3DXCreateSphere(IDirect3DDevice8* pDevice, float Radius, UINT Slices, UINT Stacks, ID3DXMesh** ppMesh,
                         ID3DXBuffer** ppAdjacency) {
    if (!ppMesh) return D3DERR_INVALIDCALL;
    *ppMesh = nullptr;
    if (ppAdjacency) *ppAdjacency = nullptr;
    if (Slices < 2 || Stacks < 2 || !(Radius >= 0.0f)) return D3DERR_INVALIDCALL;
    Slices = std::min(Slices, kMaxSegments);
    Stacks = std::min(Stacks, kMaxSegments);
    try {
        MeshData mesh = BuildSphere(Radius, Slices, Stacks);
        ID3DXBuffer* adjacency = nullptr;
        if (ppAdjacency) {
            std::vector<DWORD> entries(mesh.indices.size());
            ComputeAdjacency(mesh, 0.0f, entries.data());
            adjacency = NewBuffer(entries);
            if (!adjacency) return E_OUTOFMEMORY;
        }
        ID3DXMesh* sphere = NewMesh(pDevice, std::move(mesh));
        if (!sphere) {
            if (adjacency) adjacency->Release();
            return E_OUTOFMEMORY;
        }
        *ppMesh = sphere;
        if (ppAdjacency) *ppAdjacency = adjacency;
        return D3D_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
