// Byte buffers handed out by the mesh functions.
#pragma once

#include <d3dx8/Mesh.h>

#include <vector>

namespace orbel::d3dx8 {

// A new buffer holding a copy of `bytes`; null when out of memory.
ID3DXBuffer* NewBuffer(const void* bytes, std::size_t size);

template <class T>
ID3DXBuffer* NewBuffer(const std::vector<T>& items) {
    return NewBuffer(items.data(), items.size() * sizeof(T));
}

}  // namespace orbel::d3dx8
