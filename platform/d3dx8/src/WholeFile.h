// Reading a whole file named by a program path into memory.
#pragma once

#include <win32/Types.h>

#include <cstddef>
#include <vector>

namespace orbel::d3dx8 {

// Files above this size are nothing the layer's readers can use.
constexpr std::size_t kMaxFileBytes = std::size_t{512} << 20;

// False for a missing, unreadable, empty or oversized file.
bool ReadWholeFile(const char* programPath, std::vector<BYTE>& bytes);

}  // namespace orbel::d3dx8
