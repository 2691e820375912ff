#include "WholeFile.h"

#include <win32/Paths.h>

#include <fstream>

namespace orbel::d3dx8 {

bool ReadWholeFile(const char* programPath, std::vector<BYTE>& bytes) {
    std::ifstream in(orbel::ToNativePath(programPath), std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::size_t>(size) > kMaxFileBytes) return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}

}  // namespace orbel::d3dx8
