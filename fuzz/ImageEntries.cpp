#include "FuzzEntries.h"

#include "ImageCodecs.h"

namespace orbel::fuzz {
namespace {

// A decoded image has the size it claims.
int Decode(bool (*decoder)(d3dx8::FileBytes, d3dx8::DecodedImage&), const std::uint8_t* data, std::size_t size) {
    d3dx8::DecodedImage image;
    if (decoder({data, size}, image) &&
        image.bgra.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4)
        __builtin_trap();
    return 0;
}

}  // namespace

int DecodeBmpEntry(const std::uint8_t* data, std::size_t size) { return Decode(d3dx8::DecodeBmp, data, size); }
int DecodeTgaEntry(const std::uint8_t* data, std::size_t size) { return Decode(d3dx8::DecodeTga, data, size); }
int DecodePngEntry(const std::uint8_t* data, std::size_t size) { return Decode(d3dx8::DecodePng, data, size); }
int DecodeJpegEntry(const std::uint8_t* data, std::size_t size) { return Decode(d3dx8::DecodeJpeg, data, size); }

}  // namespace orbel::fuzz
