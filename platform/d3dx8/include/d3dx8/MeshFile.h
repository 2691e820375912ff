// ".x" mesh files: D3DXLoadMeshFromX reads one into a mesh with its
// materials, D3DXSaveMeshToX writes a mesh with its materials as text.
//
// Read: text, binary and compressed files (versions 0302 and 0303, 32- or
// 64-bit floats); every mesh of the file, with its frames' transforms
// applied, collapsed into one mesh, materials concatenated in file order.
// Names and references may be spelled any way a word can (digits, "-" and
// "." first included); old-style non-finite spellings ("1.#QNAN0",
// "-1.#INF00") are read as the values they spell. Normals, texture
// coordinates and material values that are not finite are made finite;
// frames nest up to 10,000 levels.
// Left out: loading from memory or resources, skinning, animation, vertex
// colours, the frame hierarchy itself, and writing binary or compressed
// files.
// Refused: a file whose positions are not finite (through a frame matrix
// too), frames nested past 10,000 levels or objects inside a mesh past 64,
// an unterminated file, counts and indices outside their range, more than
// 65,536 vertices, and headers of other forms.
#pragma once

#include <d3d8/D3D8.h>
#include <d3dx8/Mesh.h>

// A material as files carry it: the colours and power, and the texture file
// name as the file spells it (null when the material has none).
struct D3DXMATERIAL {
    D3DMATERIAL8 MatD3D;
    char* pTextureFilename;
};
using LPD3DXMATERIAL = D3DXMATERIAL*;

#define DXFILEFORMAT_BINARY 0
#define DXFILEFORMAT_TEXT 1
#define DXFILEFORMAT_COMPRESSED 2

// Loads pFilename (relative to the current folder, "\" or "/" separators)
// into a new mesh of vertex format XYZ, with NORMAL when the file has
// normals and TEX1 when it has texture coordinates. A position whose corners
// carry different normals becomes one vertex per normal; polygons are split
// into triangle fans; faces of fewer than three corners are dropped.
// Outputs, each optional but ppMesh: the adjacency (three DWORDs per face,
// epsilon 0), the materials as a buffer of D3DXMATERIAL records followed by
// the texture names they point to (null and a count of 0 when the file has
// no materials), and their count. A missing, unreadable or damaged file, no
// faces, or more vertices than 16-bit indices address give a negative result
// and no outputs.
ORBEL_API HRESULT D3DXLoadMeshFromX(const char* pFilename, DWORD Options, IDirect3DDevice8* pDevice,
                                    ID3DXBuffer** ppAdjacency, ID3DXBuffer** ppMaterials, DWORD* pNumMaterials,
                                    ID3DXMesh** ppMesh);

// Writes the mesh's vertices, faces, normals and texture coordinates (as far
// as its vertex format has them) and, when NumMaterials is not 0, its
// material list: each face's attribute names its material, and a null
// texture name is written as "". Only DXFILEFORMAT_TEXT is written.
// pAdjacency is not needed and may be null. A face attribute not below
// NumMaterials fails, and no file is written.
ORBEL_API HRESULT D3DXSaveMeshToX(const char* pFilename, ID3DXMesh* pMesh, const DWORD* pAdjacency,
                                  const D3DXMATERIAL* pMaterials, DWORD NumMaterials, DWORD Format);
