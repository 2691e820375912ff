// Triangle meshes of the D3DX utility interface: mesh objects with their
// vertex, index and attribute buffers, progressive meshes, and the functions
// that build, check, clean, weld, optimise and light them.
//
// What this layer holds: triangle lists with 16-bit indices in system memory
// (every D3DXMESH_* pool or usage bit is accepted and means system memory
// here; D3DXMESH_32BIT is refused), any vertex format with D3DFVF_XYZ
// positions. A null device is accepted everywhere except DrawSubset, so code
// that only builds and reshapes meshes runs without a display.
// Left out: 32-bit indices, vertex buffers and index buffers as Direct3D
// objects (the locks hand out the mesh's own memory), skinning, strips,
// point representatives, vertex declarations other than FVF codes, and the
// ".x" file functions (they live with the file code).
//
// Every call checks what it is given: a null output, an index not below the
// vertex count, a count that overflows or a face range outside the mesh makes
// it fail with a negative result and leave its outputs as they were (output
// interface pointers are set to null on failure).
//
// Adjacency arrays hold three entries per face, for the edges v0-v1, v1-v2
// and v2-v0, each the number of the face across that edge or 0xFFFFFFFF for
// none. Where a call takes adjacency in and out, both may be the same array.
#pragma once

#include <d3d8/D3D8.h>
#include <d3dx8/Math.h>

struct ID3DXBuffer;
struct ID3DXBaseMesh;
struct ID3DXMesh;
struct ID3DXPMesh;

using LPD3DXBUFFER = ID3DXBuffer*;
using LPD3DXBASEMESH = ID3DXBaseMesh*;
using LPD3DXMESH = ID3DXMesh*;
using LPD3DXPMESH = ID3DXPMesh*;

#define D3DXERR_INVALIDMESH MAKE_D3DHRESULT(2901)
#define D3DXERR_CANNOTATTRSORT MAKE_D3DHRESULT(2902)

// Mesh creation options.
#define D3DXMESH_32BIT 0x001u
#define D3DXMESH_DONOTCLIP 0x002u
#define D3DXMESH_POINTS 0x004u
#define D3DXMESH_RTPATCHES 0x008u
#define D3DXMESH_NPATCHES 0x4000u
#define D3DXMESH_VB_SYSTEMMEM 0x010u
#define D3DXMESH_VB_MANAGED 0x020u
#define D3DXMESH_VB_WRITEONLY 0x040u
#define D3DXMESH_VB_DYNAMIC 0x080u
#define D3DXMESH_IB_SYSTEMMEM 0x100u
#define D3DXMESH_IB_MANAGED 0x200u
#define D3DXMESH_IB_WRITEONLY 0x400u
#define D3DXMESH_IB_DYNAMIC 0x800u
#define D3DXMESH_VB_SHARE 0x1000u
#define D3DXMESH_USEHWONLY 0x2000u
#define D3DXMESH_SYSTEMMEM 0x110u
#define D3DXMESH_MANAGED 0x220u
#define D3DXMESH_WRITEONLY 0x440u
#define D3DXMESH_DYNAMIC 0x880u

// OptimizeInplace flags.
#define D3DXMESHOPT_COMPACT 0x01000000u
#define D3DXMESHOPT_ATTRSORT 0x02000000u
#define D3DXMESHOPT_VERTEXCACHE 0x04000000u

// What D3DXGeneratePMesh's minimum value counts.
#define D3DXMESHSIMP_VERTEX 0x1u
#define D3DXMESHSIMP_FACE 0x2u

// The faces FaceStart .. FaceStart + FaceCount - 1 all carry AttribId and use
// only the vertices VertexStart .. VertexStart + VertexCount - 1.
struct D3DXATTRIBUTERANGE {
    DWORD AttribId;
    DWORD FaceStart;
    DWORD FaceCount;
    DWORD VertexStart;
    DWORD VertexCount;
};
static_assert(sizeof(D3DXATTRIBUTERANGE) == 20, "attribute tables are read as 20-byte records");

// How far apart two vertices' components may lie and still be welded. This
// layer welds only exact duplicates: every field must be 0 (-0 and +0 count
// as equal).
struct D3DXWELDEPSILONS {
    float SkinWeights;
    float Normal;
    float Tex[8];
    DWORD Flags;
};

// Weights of the vertex components in the simplification error. Not
// supported: D3DXGeneratePMesh takes only a null pointer.
struct D3DXATTRIBUTEWEIGHTS {
    float Position;
    float Boundary;
    float Normal;
    float Diffuse;
    float Specular;
    float Tex[8];
};

// A block of bytes handed out by the functions below (remaps, error texts,
// adjacency); released with Release.
struct ID3DXBuffer : IUnknown {
    virtual void* GetBufferPointer() = 0;
    virtual DWORD GetBufferSize() = 0;

protected:
    ~ID3DXBuffer() = default;
};

struct ID3DXBaseMesh : IUnknown {
    // Draws the faces whose attribute is AttribId with the device's current
    // states, setting the mesh's vertex format as the vertex shader. Fails
    // without a device. A subset with no faces draws nothing and succeeds.
    virtual HRESULT DrawSubset(DWORD AttribId) = 0;
    virtual DWORD GetNumFaces() = 0;
    virtual DWORD GetNumVertices() = 0;
    virtual DWORD GetFVF() = 0;
    virtual DWORD GetOptions() = 0;
    // The device the mesh was made for (with a reference), or null.
    virtual HRESULT GetDevice(IDirect3DDevice8** ppDevice) = 0;
    // A new mesh with this one's faces, indices, attributes and attribute
    // table in the vertex format FVF: components both formats have are
    // copied, the others start at zero. A progressive mesh clones its
    // current level as a plain mesh.
    virtual HRESULT CloneMeshFVF(DWORD Options, DWORD FVF, IDirect3DDevice8* pDevice, ID3DXMesh** ppCloneMesh) = 0;
    // The locks hand out the mesh's own memory, valid until the matching
    // unlock. While any buffer is locked, calls that rearrange the mesh
    // (OptimizeInplace, SetNumVertices) fail. Locks may nest.
    virtual HRESULT LockVertexBuffer(DWORD Flags, BYTE** ppData) = 0;
    virtual HRESULT UnlockVertexBuffer() = 0;
    virtual HRESULT LockIndexBuffer(DWORD Flags, BYTE** ppData) = 0;
    virtual HRESULT UnlockIndexBuffer() = 0;
    // With pAttribTable null: the number of ranges into *pAttribTableSize.
    // Otherwise fills that many entries. 0 entries until an attribute sort
    // made a table.
    virtual HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* pAttribTable, DWORD* pAttribTableSize) = 0;
    // Faces are neighbours across an edge when they run through the same two
    // points in opposite directions; points are the same when their
    // positions differ by at most Epsilon in each coordinate (Epsilon 0:
    // exactly equal, -0 equal to +0). An edge shared by more than two faces
    // pairs each face with at most one other, the first ones in face order.
    // pAdjacency receives GetNumFaces() x 3 entries.
    virtual HRESULT GenerateAdjacency(float Epsilon, DWORD* pAdjacency) = 0;

protected:
    ~ID3DXBaseMesh() = default;
};

struct ID3DXMesh : ID3DXBaseMesh {
    // One attribute per face. A lock without D3DLOCK_READONLY drops the
    // attribute table, since the attributes may change under it.
    virtual HRESULT LockAttributeBuffer(DWORD Flags, DWORD** ppData) = 0;
    virtual HRESULT UnlockAttributeBuffer() = 0;
    // Reorders the mesh. ATTRSORT: each attribute's faces become contiguous
    // in ascending attribute order (keeping their order otherwise) and the
    // attribute table is built. COMPACT: vertices no face uses are dropped
    // and the others renumbered, keeping their order. VERTEXCACHE: faces are
    // reordered for the vertex cache within each attribute range only, and
    // vertices into the order the faces first use them.
    // pAdjacencyIn is not needed; when given, pAdjacencyOut receives it
    // renumbered to the new face order (entries naming no face become
    // 0xFFFFFFFF), otherwise adjacency generated with epsilon 0.
    // pFaceRemap receives, per new face, the old face's number; the vertex
    // remap buffer holds, per new vertex, the old vertex's number.
    // Returns D3D_OK, or D3DXERR_INVALIDMESH when an index is not below the
    // vertex count (the mesh is then unchanged).
    virtual HRESULT OptimizeInplace(DWORD Flags, const DWORD* pAdjacencyIn, DWORD* pAdjacencyOut,
                                    DWORD* pFaceRemap, ID3DXBuffer** ppVertexRemap) = 0;

protected:
    ~ID3DXMesh() = default;
};

// A mesh that can be shown at any vertex count between its minimum and its
// maximum. Its buffers hold the current level.
struct ID3DXPMesh : ID3DXBaseMesh {
    // The base mesh's vertex count.
    virtual DWORD GetMaxVertices() = 0;
    virtual DWORD GetMinVertices() = 0;
    // Moves to exactly Vertices vertices, clamped to [min, max]. Faces keep
    // their attribute and their relative order; vertices keep the base
    // mesh's data and relative order; no face of a level is degenerate. At
    // the maximum the buffers equal the base mesh's, less any face of it
    // that repeats a vertex. Fails while a buffer is locked.
    virtual HRESULT SetNumVertices(DWORD Vertices) = 0;

protected:
    ~ID3DXPMesh() = default;
};

// A buffer of NumBytes zero bytes.
ORBEL_API HRESULT D3DXCreateBuffer(DWORD NumBytes, ID3DXBuffer** ppBuffer);

// A mesh of NumFaces faces and NumVertices vertices, every buffer zero.
// Fails for 0 faces, 0 vertices, more vertices than 16-bit indices address,
// a vertex format without D3DFVF_XYZ positions, or D3DXMESH_32BIT.
ORBEL_API HRESULT D3DXCreateMeshFVF(DWORD NumFaces, DWORD NumVertices, DWORD Options, DWORD FVF,
                                    IDirect3DDevice8* pDevice, ID3DXMesh** ppMesh);

// A sphere around the origin with its poles on the z axis, vertex format
// XYZ | NORMAL: Slices x (Stacks - 1) + 2 vertices and
// 2 x Slices x (Stacks - 1) faces, front-facing from outside under
// clockwise winding. Slices and Stacks above 240 count as 240; below 2, or a
// negative radius, fail. A radius of 0 gives every vertex the origin and
// still unit normals. ppAdjacency, when not null, receives adjacency.
ORBEL_API HRESULT D3DXCreateSphere(IDirect3DDevice8* pDevice, float Radius, UINT Slices, UINT Stacks,
                                   ID3DXMesh** ppMesh, ID3DXBuffer** ppAdjacency);

// Checks that every index lies below the vertex count, that the adjacency
// names existing faces and agrees in both directions, and that no vertex is
// a bow-tie (used by two fans of faces that touch only at it). D3D_OK for a
// valid mesh, else D3DXERR_INVALIDMESH with one line per finding in the
// error buffer (when ppErrorsAndWarnings is not null). pAdjacency may be
// null: it is generated with epsilon 0.
ORBEL_API HRESULT D3DXValidMesh(ID3DXMesh* pMeshIn, const DWORD* pAdjacency, ID3DXBuffer** ppErrorsAndWarnings);

// A copy of the mesh prepared for simplification: every bow-tie vertex is
// split into one vertex per fan of faces (the copies appended after the
// existing vertices). Only neighbours that name each other join faces into
// a fan. pAdjacencyOut (may be pAdjacencyIn) receives the adjacency used,
// which splitting leaves true. Fails for an index not below the vertex
// count, an adjacency entry naming no face, or more vertices than 16-bit
// indices address.
ORBEL_API HRESULT D3DXCleanMesh(ID3DXMesh* pMeshIn, const DWORD* pAdjacencyIn, ID3DXMesh** ppMeshOut,
                                DWORD* pAdjacencyOut, ID3DXBuffer** ppErrorsAndWarnings);

// Merges vertices whose data are byte for byte the same (-0 read as +0) into
// the first of them, in place, where their faces meet across an edge of the
// adjacency (pAdjacencyIn, or one made with epsilon 0): so the copies that
// D3DXCleanMesh splits off a bow-tie vertex stay apart. A vertex no face
// uses joins its first duplicate. The others are removed and the indices
// renumbered. Faces are not moved: pFaceRemap receives the identity. The
// vertex remap holds, per new vertex, the old vertex's number.
// pAdjacencyOut (may be pAdjacencyIn) receives adjacency with epsilon 0.
ORBEL_API HRESULT D3DXWeldVertices(ID3DXMesh* pMesh, D3DXWELDEPSILONS* pEpsilons, const DWORD* pAdjacencyIn,
                                   DWORD* pAdjacencyOut, DWORD* pFaceRemap, ID3DXBuffer** ppVertexRemap);

// Every vertex normal becomes the normalised sum of the normals
// (v1 - v0) x (v2 - v0) of the faces that use it, so larger faces weigh
// more (area weighting). A vertex whose sum is zero (no face, or only
// degenerate ones) keeps its normal. The mesh needs D3DFVF_NORMAL.
// pAdjacency may be null; it is checked but not needed, since each vertex
// gathers its own faces.
ORBEL_API HRESULT D3DXComputeNormals(ID3DXBaseMesh* pMesh, const DWORD* pAdjacency);

// A progressive mesh of pMesh: a sequence of collapses, each moving one
// vertex onto a neighbour, chosen by quadric error with penalties that keep
// open borders and borders between attributes in place, and refusing
// collapses that would flip a face or make an edge shared by more than two
// faces. MinValue is the least vertex count (D3DXMESHSIMP_VERTEX) or face
// count (D3DXMESHSIMP_FACE) to reach; the sequence stops earlier where no
// collapse is allowed. pAdjacency may be null and is only checked.
// pVertexAttributeWeights and pVertexWeights must be null. The new mesh
// starts at its maximum.
ORBEL_API HRESULT D3DXGeneratePMesh(ID3DXMesh* pMesh, const DWORD* pAdjacency,
                                    const D3DXATTRIBUTEWEIGHTS* pVertexAttributeWeights,
                                    const float* pVertexWeights, DWORD MinValue, DWORD Options,
                                    ID3DXPMesh** ppPMesh);
