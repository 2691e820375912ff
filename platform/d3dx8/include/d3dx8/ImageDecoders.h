// The image file decoders behind the D3DX texture and surface file
// functions, open to the fuzzers and tests that feed them damaged files.
// Not part of D3DX: its own readers are reached only through the file
// functions (<d3dx8/Texture.h>). Decoders take the whole file in memory,
// check every header field and size against it, and fail (false) on
// anything they cannot read; they never print.
#pragma once

#include <win32/Types.h>

#include <cstddef>
#include <span>
#include <vector>

namespace orbel::d3dx8 {

// Largest width or height accepted: the device's texture limit.
constexpr int kMaxImageDimension = 8192;

struct DecodedImage {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<BYTE> bgra;  // B, G, R, A bytes, rows top first, no padding

    // Allocates the pixels; false for sizes outside 1..kMaxImageDimension.
    bool Allocate(long long w, long long h);
    BYTE* Row(int y) { return bgra.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4; }
};

using FileBytes = std::span<const BYTE>;

ORBEL_API bool DecodeBmp(FileBytes file, DecodedImage& image);
ORBEL_API bool DecodeTga(FileBytes file, DecodedImage& image);
ORBEL_API bool DecodePng(FileBytes file, DecodedImage& image);
ORBEL_API bool DecodeJpeg(FileBytes file, DecodedImage& image);

}  // namespace orbel::d3dx8
