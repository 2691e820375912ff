// Simplifying an object's mesh: the full-detail base mesh a selection's
// reductions all start from, its progressive form, and a level of it as a
// plain mesh.
#pragma once

#include <d3d8/D3D8.h>
#include <d3dx8/D3DX8.h>

#include <vector>

class cObjekt3D;

// The object's faces sorted by material with unused vertices dropped,
// bow-tie vertices split and exact duplicate vertices welded. Null when
// D3DX makes no mesh of the object (no faces, more vertices than 16-bit
// indices reach). A step that fails after that leaves the mesh as the
// steps before it made it. adjacency receives the base mesh's adjacency.
ID3DXMesh* BuildBaseMesh(const cObjekt3D& object, IDirect3DDevice8* device, std::vector<DWORD>& adjacency);

// The progressive form of a base mesh with its adjacency, at full detail,
// with levels down to minVertices or as far as collapsing goes; null when
// D3DX cannot make one. The base mesh is left as it is.
ID3DXPMesh* GenerateProgressiveMesh(ID3DXMesh* base, const std::vector<DWORD>& adjacency, DWORD minVertices = 1);

// percent of maxVertices, rounded down and never below minVertices; a
// percent below 0 counts as 0 and one above 100 as 100. Any int is safe.
DWORD TargetVertexCount(DWORD minVertices, DWORD maxVertices, int percent);

// A plain copy of the progressive mesh at percent of its vertices
// (TargetVertexCount); null when it cannot be copied.
ID3DXMesh* ReduceToPercentage(ID3DXPMesh* progressive, int percent, IDirect3DDevice8* device);

// A selection's base mesh and the progressive mesh made from it so far.
// Collapsing runs cheapest first and stops where asked, so a sequence that
// stops early is the start of the full one: the first run generates levels
// only down to the one it asks for, and a run that goes lower makes the
// progressive mesh again from the base, then with every level. Every level
// equals that of the full sequence.
class KeptBaseMesh {
public:
    KeptBaseMesh() = default;
    KeptBaseMesh(const KeptBaseMesh&) = delete;
    KeptBaseMesh& operator=(const KeptBaseMesh&) = delete;
    ~KeptBaseMesh() { Clear(); }

    bool Empty() const { return m_pBase == nullptr; }
    // Takes over the caller's reference to base; null keeps nothing.
    void Keep(ID3DXMesh* base, std::vector<DWORD> adjacency);
    void Clear();

    // A plain copy of the base at percent of its vertices (as
    // ReduceToPercentage on its full progressive mesh); null when D3DX
    // cannot make it or nothing is kept.
    ID3DXMesh* Reduce(int percent, IDirect3DDevice8* device);

private:
    ID3DXMesh* m_pBase = nullptr;
    std::vector<DWORD> m_Adjacency;
    ID3DXPMesh* m_pProgressive = nullptr;
    // The vertex count m_pProgressive was asked to collapse down to.
    DWORD m_Floor = 0;
};
