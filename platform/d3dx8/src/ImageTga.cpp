// TGA files: true-colour images of 24 or 32 bits, uncompressed or RLE, with
// either origin.
#include "ImageCodecs.h"

#include <cstdint>

namespace orbel::d3dx8 {

bool DecodeTga(FileBytes f, DecodedImage& image) {
    constexpr std::size_t kHeader = 18;
    if (f.size() < kHeader) return false;
    const std::size_t idLength = f[0];
    const int colorMapType = f[1];
    const int imageType = f[2];
    const std::size_t mapLength = static_cast<std::size_t>(f[5] | f[6] << 8);
    const int mapEntryBits = f[7];
    const int width = f[12] | f[13] << 8;
    const int height = f[14] | f[15] << 8;
    const int bpp = f[16];
    const int descriptor = f[17];
    if (colorMapType > 1 || (imageType != 2 && imageType != 10) || (bpp != 24 && bpp != 32)) return false;
    if (colorMapType == 1 && mapEntryBits != 15 && mapEntryBits != 16 && mapEntryBits != 24 && mapEntryBits != 32)
        return false;
    const std::size_t mapBytes = colorMapType == 1 ? mapLength * static_cast<std::size_t>((mapEntryBits + 7) / 8) : 0;
    std::size_t at = kHeader + idLength + mapBytes;
    if (at > f.size() || width < 1 || height < 1) return false;
    const std::size_t bytesPerPixel = static_cast<std::size_t>(bpp / 8);
    // The pixels must fit in what is left of the file before any memory is
    // taken for them: one packet of a header byte and a pixel holds 128
    // pixels at most.
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t least = imageType == 2 ? pixels * bytesPerPixel : (pixels + 127) / 128 * (1 + bytesPerPixel);
    if (least > f.size() - at || !image.Allocate(width, height)) return false;

    const bool topOrigin = (descriptor & 0x20) != 0;
    const bool rightOrigin = (descriptor & 0x10) != 0;
    image.hasAlpha = bpp == 32;
    const std::size_t total = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    auto store = [&](std::size_t index, const BYTE* pixel) {
        const int fileRow = static_cast<int>(index / static_cast<std::size_t>(width));
        const int fileColumn = static_cast<int>(index % static_cast<std::size_t>(width));
        const int y = topOrigin ? fileRow : height - 1 - fileRow;
        const int x = rightOrigin ? width - 1 - fileColumn : fileColumn;
        BYTE* out = image.Row(y) + static_cast<std::size_t>(x) * 4;
        out[0] = pixel[0];
        out[1] = pixel[1];
        out[2] = pixel[2];
        out[3] = bpp == 32 ? pixel[3] : 0xFF;
    };

    if (imageType == 2) {
        if (total * bytesPerPixel > f.size() - at) return false;
        for (std::size_t k = 0; k < total; ++k, at += bytesPerPixel) store(k, &f[at]);
        return true;
    }
    // RLE packets may run across rows but never past the image.
    std::size_t k = 0;
    while (k < total) {
        if (at >= f.size()) return false;
        const BYTE packet = f[at++];
        const std::size_t count = static_cast<std::size_t>(packet & 0x7F) + 1;
        if (count > total - k) return false;
        if (packet & 0x80) {
            if (bytesPerPixel > f.size() - at) return false;
            for (std::size_t n = 0; n < count; ++n) store(k++, &f[at]);
            at += bytesPerPixel;
        } else {
            if (count * bytesPerPixel > f.size() - at) return false;
            for (std::size_t n = 0; n < count; ++n, at += bytesPerPixel) store(k++, &f[at]);
        }
    }
    return true;
}

}  // namespace orbel::d3dx8
