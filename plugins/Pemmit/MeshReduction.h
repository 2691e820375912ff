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

// The progressive form of a base mesh with its adjacency, at full detail;
// null when D3DX cannot make one. The base mesh is left as it is.
ID3DXPMesh* GenerateProgressiveMesh(ID3DXMesh* base, const std::vector<DWORD>& adjacency);

// percent of maxVertices, rounded down and never below minVertices; a
// percent below 0 counts as 0 and one above 100 as 100. Any int is safe.
DWORD TargetVertexCount(DWORD minVertices, DWORD maxVertices, int percent);

// A plain copy of the progressive mesh at percent of its vertices
// (TargetVertexCount); null when it cannot be copied.
ID3DXMesh* ReduceToPercentage(ID3DXPMesh* progressive, int percent, IDirect3DDevice8* device);
