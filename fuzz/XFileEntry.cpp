#include "FuzzEntries.h"

#include <d3dx8/XFileData.h>

namespace orbel::fuzz {

int ReadXFileEntry(const std::uint8_t* data, std::size_t size) {
    d3dx8::XMeshData mesh;
    if (!d3dx8::ReadXFile({data, size}, mesh)) return 0;
    for (std::uint32_t index : mesh.indices)
        if (index >= mesh.vertices.size()) __builtin_trap();
    if (mesh.attributes.size() != mesh.FaceCount()) __builtin_trap();
    for (std::uint32_t attribute : mesh.attributes)
        if (!mesh.materials.empty() && attribute >= mesh.materials.size()) __builtin_trap();

    // Whatever was read can be written and read back to the same counts.
    const std::string text = d3dx8::WriteXFileText(mesh);
    d3dx8::XMeshData back;
    if (!d3dx8::ReadXFile({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, back)) __builtin_trap();
    if (back.vertices.size() != mesh.vertices.size() || back.indices != mesh.indices ||
        back.materials.size() != mesh.materials.size())
        __builtin_trap();
    return 0;
}

}  // namespace orbel::fuzz
