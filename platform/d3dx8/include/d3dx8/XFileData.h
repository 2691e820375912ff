// ".x" mesh files in a form that knows nothing of meshes or devices: the
// reader collapses every mesh of a file (frames applied) into one indexed
// triangle list with per-face material numbers, and the writer turns such a
// list back into a text file. D3DXLoadMeshFromX and D3DXSaveMeshToX sit on
// top of these; the fuzzers and file tests reach the reader and writer
// here. Not part of D3DX, which has no such mesh-free form.
//
// The reader takes text ("txt "), binary ("bin ") and MSZIP-compressed
// ("bzip", "tzip") files of versions 0302 and 0303 with 32- or 64-bit floats.
// It reads Frame, FrameTransformMatrix, Mesh, MeshNormals, MeshTextureCoords,
// MeshMaterialList, Material and TextureFilename; templates and every other
// object are skipped. Every count is checked against the data left and every
// index against its range, so a damaged file fails instead of being read
// past its end.
#pragma once

#include <win32/Types.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orbel::d3dx8 {

struct XVertex {
    float position[3] = {0, 0, 0};
    float normal[3] = {0, 0, 0};
    float uv[2] = {0, 0};
};

struct XMaterial {
    float diffuse[4] = {1, 1, 1, 1};  // the file's face colour
    float power = 0;
    float specular[3] = {0, 0, 0};
    float emissive[3] = {0, 0, 0};
    std::string texture;  // as the file spells it; empty when none
};

struct XMeshData {
    std::vector<XVertex> vertices;
    std::vector<std::uint32_t> indices;     // three per triangle
    std::vector<std::uint32_t> attributes;  // material number per triangle
    std::vector<XMaterial> materials;       // empty when no mesh had any
    bool hasNormals = false;
    bool hasTexCoords = false;

    std::size_t FaceCount() const { return indices.size() / 3; }
};

// Reads a whole ".x" file. On failure returns false and leaves `mesh` empty.
// No value in a mesh it returns is infinite or not a number.
ORBEL_API bool ReadXFile(std::span<const BYTE> file, XMeshData& mesh);

// The text file for `mesh`: vertices, faces, normals, texture coordinates
// and the material list with every material's colours, power and texture
// name ("" when it has none). Values that are not finite are written as 0.
ORBEL_API std::string WriteXFileText(const XMeshData& mesh);

}  // namespace orbel::d3dx8
