// What the ".x" object reader collects before the meshes are put together:
// each mesh as the file states it, the frame tree and the named materials.
#pragma once

#include <d3dx8/XFileData.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace orbel::d3dx8::xfile {

// One entry of a material list: a material of its own or a reference by
// name to one stated elsewhere.
struct MaterialSlot {
    bool reference = false;
    std::string target;
    XMaterial material;
};

struct ParsedMesh {
    int frame = -1;  // enclosing frame, -1 at the top of the file
    std::vector<float> positions;  // x, y, z per vertex
    std::vector<std::uint32_t> faceSizes;  // corners per polygon
    std::vector<std::uint32_t> corners;    // vertex numbers, polygon after polygon

    bool hasNormals = false;
    std::vector<float> normals;
    std::vector<std::uint32_t> normalFaceSizes;
    std::vector<std::uint32_t> normalCorners;

    bool hasTexCoords = false;
    std::vector<float> uv;  // u, v per vertex

    bool hasMaterialList = false;
    std::uint32_t materialCount = 0;
    std::vector<std::uint32_t> faceMaterials;  // may be shorter than the face list
    std::vector<MaterialSlot> materials;
};

struct ParsedFrame {
    int parent = -1;
    float local[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

struct ParsedFile {
    std::vector<ParsedFrame> frames;  // parents come before their children
    std::vector<ParsedMesh> meshes;
    std::unordered_map<std::string, XMaterial> namedMaterials;
};

// Applies each mesh's frames, splits vertices whose corners carry different
// normals, fans polygons into triangles (dropping those of fewer than three
// corners) and concatenates meshes and materials. False when the normals do
// not match the faces they belong to, or when a position is not finite;
// other values that are not finite are replaced (normals by the face
// normal, texture coordinates and material values by 0).
bool BuildMesh(const ParsedFile& file, XMeshData& mesh);

}  // namespace orbel::d3dx8::xfile
