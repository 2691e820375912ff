// Copying an object into a D3DX mesh and back, for the plug-ins that let
// D3DX rework an object's geometry. A face's attribute is its material + 1,
// so attribute 0 stands for the object's own colour (material -1).
#pragma once

#include <d3d8/D3D8.h>
#include <d3dx8/D3DX8.h>

#include <vector>

class cObjekt3D;

// A new system-memory mesh of the object's index count / 3 faces (surplus
// indices are left out) and all its vertices, with each face's attribute
// from the material runs; runs that reach outside the faces are clipped to
// them. Null when no mesh can hold the object (no faces, no vertices, more
// vertices than 16-bit indices reach): the caller then leaves the object
// as it is. The caller releases the mesh.
ID3DXMesh* BuildMeshFromObject(const cObjekt3D& object, IDirect3DDevice8* device);

// Sorts the faces by attribute, drops unused vertices and orders each
// attribute's faces for the vertex cache. When the sort fails the mesh is
// left as it is. Nothing for a null mesh. adjacency, when given, receives
// the adjacency of the mesh as the sort leaves it (faces joined across
// edges between shared points), so that later steps need not make it again.
void SortMeshByMaterial(ID3DXMesh* mesh, std::vector<DWORD>* adjacency = nullptr);

// Copies the mesh's vertices and indices over the object's from the start
// and rebuilds its runs from the face attributes. With shorten the arrays
// end where the mesh's do; without, entries past the mesh's counts keep
// their former contents. Nothing for a null mesh.
void WriteMeshToObject(ID3DXMesh* mesh, cObjekt3D& object, bool shorten);

// The runs for faces with the given attributes, one per maximal stretch of
// equal attributes in face order, built in one pass. When the object has
// more faces than that (old faces an in-place write kept), a run of the
// object's colour starts at the first of them. The result equals setting
// each face's material in ascending order from the single run {-1, 0}.
void WriteRunsFromAttributes(cObjekt3D& object, const DWORD* attributes, int meshFaces);
