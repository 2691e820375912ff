// The MSZIP inflater of compressed ".x" files (<d3dx8/XFileData.h>).
#pragma once

#include <win32/Types.h>

#include <cstddef>
#include <span>
#include <vector>

namespace orbel::d3dx8 {

// Inflates the body of a compressed file (everything after the 16-byte
// header) into the uncompressed bytes that follow a header. At most
// `maxBytes` are produced; more fails.
bool InflateMszip(std::span<const BYTE> body, std::vector<BYTE>& out, std::size_t maxBytes);

}  // namespace orbel::d3dx8
