// PNG files through libpng's simplified reader, which keeps its error
// handling (setjmp) inside the library.
#include "ImageCodecs.h"

#include <png.h>

#include <cstring>

namespace orbel::d3dx8 {

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
    if (!image.Allocate(png.width, png.height)) {
        png_image_free(&png);
        return false;
    }
    const int ok = png_image_finish_read(&png, nullptr, image.bgra.data(), static_cast<png_int_32>(png.width * 4), nullptr);
    png_image_free(&png);
    return ok != 0;
}

}  // namespace orbel::d3dx8
