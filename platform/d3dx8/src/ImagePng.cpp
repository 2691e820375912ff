// PNG files through libpng's simplified reader, which keeps its error
// handling (setjmp) inside the library.
#include "ImageCodecs.h"

#include <png.h>

#include <cstdint>
#include <cstring>

namespace orbel::d3dx8 {
namespace {

// Deflate packs at most about 1032 bytes into one.
constexpr std::uint64_t kBestDeflateRatio = 1032;

// Whether the file is long enough to hold the compressed rows its header
// (read and checked by libpng already) promises, so that no memory is taken
// for an image the data cannot fill.
bool CanHoldRows(FileBytes f, std::uint64_t width, std::uint64_t height) {
    constexpr std::size_t kDepthAt = 24, kColourTypeAt = 25;
    if (f.size() <= kColourTypeAt) return false;
    const std::uint64_t depth = f[kDepthAt];
    const std::uint64_t channels = [&]() -> std::uint64_t {
        switch (f[kColourTypeAt]) {
        case 2: return 3;   // RGB
        case 4: return 2;   // grey and alpha
        case 6: return 4;   // RGBA
        default: return 1;  // grey, palette
        }
    }();
    const std::uint64_t rowBytes = 1 + (width * channels * depth + 7) / 8;  // with the filter byte
    return rowBytes * height / kBestDeflateRatio <= f.size();
}

}  // namespace

bool DecodePng(FileBytes f, DecodedImage& image) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, f.data(), f.size())) {
        png_image_free(&png);
        return false;
    }
    image.hasAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    png.format = PNG_FORMAT_BGRA;
    if (!CanHoldRows(f, png.width, png.height) || !image.Allocate(png.width, png.height)) {
        png_image_free(&png);
        return false;
    }
    const int ok = png_image_finish_read(&png, nullptr, image.bgra.data(), static_cast<png_int_32>(png.width * 4), nullptr);
    png_image_free(&png);
    return ok != 0;
}

}  // namespace orbel::d3dx8
