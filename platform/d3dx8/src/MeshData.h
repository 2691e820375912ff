// The contents of a mesh as plain arrays, and the checks every mesh call
// makes on them before it trusts an index.
#pragma once

#include <d3dx8/Mesh.h>

#include <cstring>
#include <vector>

namespace orbel::d3dx8 {

// 16-bit indices address this many vertices.
constexpr DWORD kMaxMeshVertices = 65536;
constexpr DWORD kNoFace = 0xFFFFFFFFu;

struct MeshData {
    DWORD fvf = 0;
    UINT stride = 0;
    DWORD options = 0;
    std::vector<BYTE> vertices;     // stride bytes each
    std::vector<WORD> indices;      // three per face
    std::vector<DWORD> attributes;  // one per face
    // Empty, or the attribute table of the arrays as they are (a writable
    // lock drops it): a step that leaves the arrays alone keeps it.
    std::vector<D3DXATTRIBUTERANGE> table;

    DWORD NumFaces() const { return static_cast<DWORD>(attributes.size()); }
    DWORD NumVertices() const { return stride ? static_cast<DWORD>(vertices.size() / stride) : 0; }
    // Positions are the first three floats of every vertex format held here.
    void Position(DWORD vertex, float out[3]) const {
        std::memcpy(out, vertices.data() + std::size_t{vertex} * stride, 3 * sizeof(float));
    }
};

// Every index below the vertex count.
bool IndicesInRange(const MeshData& mesh);

// Every adjacency entry names an existing face or none.
bool AdjacencyInRange(const MeshData& mesh, const DWORD* adjacency);

// Stride of a vertex format this layer holds (D3DFVF_XYZ positions), or 0.
UINT VertexStride(DWORD fvf);

// Options a mesh may be made with: everything but 32-bit indices.
bool OptionsSupported(DWORD options);

// The attribute table of faces that are grouped by attribute: one range per
// maximal stretch of equal attributes, with the span of vertices it uses.
std::vector<D3DXATTRIBUTERANGE> BuildAttributeTable(const MeshData& mesh);

// Interface of this layer's mesh objects for the functions that work on
// their arrays directly.
class MeshAccess {
public:
    virtual MeshData& Data() = 0;
    virtual IDirect3DDevice8* Device() = 0;
    // True while any of the mesh's buffers is locked.
    virtual bool Locked() const = 0;

protected:
    ~MeshAccess() = default;
};

// This layer's view of a mesh interface, or null for a foreign object.
MeshAccess* AccessOf(ID3DXBaseMesh* mesh);

// A new mesh object holding `data` (moved in); null when out of memory.
ID3DXMesh* NewMesh(IDirect3DDevice8* device, MeshData&& data);

}  // namespace orbel::d3dx8
