// BMP files: core and info headers (up to V5), 1/4/8-bit palettes, 16/24/32
// bits, bit fields, RLE8 and RLE4.
#include "ImageCodecs.h"

#include <array>
#include <bit>
#include <cstdint>

namespace orbel::d3dx8 {
namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

std::uint16_t U16(FileBytes f, std::size_t at) { return static_cast<std::uint16_t>(f[at] | f[at + 1] << 8); }
std::uint32_t U32(FileBytes f, std::size_t at) {
    return static_cast<std::uint32_t>(f[at]) | static_cast<std::uint32_t>(f[at + 1]) << 8 |
           static_cast<std::uint32_t>(f[at + 2]) << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
}

// One channel of a bit-field pixel scaled to 0..255.
struct Field {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Field(std::uint32_t m = 0) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m);
    }
    BYTE Extract(std::uint32_t pixel) const {
        if (!mask) return 0;
        const std::uint32_t value = (pixel & mask) >> shift;
        const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1u;
        return static_cast<BYTE>((static_cast<std::uint64_t>(value) * 255u + max / 2) / max);
    }
};

struct Header {
    long long width = 0;
    long long height = 0;  // positive: bottom-up
    int bpp = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[4] = {};
    bool core = false;
    std::size_t paletteAt = 0;
};

bool ReadHeader(FileBytes f, Header& h) {
    if (f.size() < 26) return false;
    const std::uint32_t headerSize = U32(f, 14);
    if (headerSize == 12) {
        h.core = true;
        h.width = U16(f, 18);
        h.height = U16(f, 20);
        if (U16(f, 22) != 1) return false;
        h.bpp = U16(f, 24);
    } else if (headerSize >= 40 && headerSize <= 124) {
        if (f.size() < 14 + static_cast<std::size_t>(headerSize)) return false;
        h.width = static_cast<std::int32_t>(U32(f, 18));
        h.height = static_cast<std::int32_t>(U32(f, 22));
        if (U16(f, 26) != 1) return false;
        h.bpp = U16(f, 28);
        h.compression = U32(f, 30);
        h.colorsUsed = U32(f, 46);
        if (headerSize >= 52) {
            for (int k = 0; k < 3; ++k) h.masks[k] = U32(f, 54 + 4 * static_cast<std::size_t>(k));
            if (headerSize >= 56) h.masks[3] = U32(f, 66);
        } else if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
            // Masks follow a plain info header.
            const int count = h.compression == kAlphaBitFields ? 4 : 3;
            if (f.size() < 54 + 4 * static_cast<std::size_t>(count)) return false;
            for (int k = 0; k < count; ++k) h.masks[k] = U32(f, 54 + 4 * static_cast<std::size_t>(k));
            h.paletteAt = 54 + 4 * static_cast<std::size_t>(count);
        }
    } else {
        return false;
    }
    if (h.paletteAt == 0) h.paletteAt = 14 + headerSize;
    return true;
}

// True when the codes from `at` end in the end-of-bitmap code with every
// run they name inside the file.
bool CompleteRle(FileBytes f, std::size_t at, bool four) {
    while (at + 1 < f.size()) {
        const BYTE count = f[at], value = f[at + 1];
        at += 2;
        if (count > 0 || value == 0) continue;
        if (value == 1) return true;
        if (value == 2) {
            at += 2;
        } else {
            const std::size_t bytes = four ? (value + 1u) / 2u : value;
            at += bytes + (bytes & 1u);
        }
    }
    return false;
}

bool DecodeRle(FileBytes f, std::size_t at, const Header& h, const std::array<std::uint32_t, 256>& palette,
               int paletteSize, DecodedImage& image) {
    const bool four = h.compression == kRle4;
    // Pixels the codes skip over are black.
    for (std::size_t k = 3; k < image.bgra.size(); k += 4) image.bgra[k] = 0xFF;
    int x = 0, y = 0;  // y counts from the bottom row
    auto put = [&](unsigned index) {
        if (x < image.width && y < image.height) {
            const std::uint32_t c = index < static_cast<unsigned>(paletteSize) ? palette[index] : 0xFF000000u;
            BYTE* p = image.Row(image.height - 1 - y) + static_cast<std::size_t>(x) * 4;
            p[0] = static_cast<BYTE>(c);
            p[1] = static_cast<BYTE>(c >> 8);
            p[2] = static_cast<BYTE>(c >> 16);
            p[3] = 0xFF;
        }
        ++x;
    };
    // Only the end-of-bitmap code ends the data; running out before it
    // means the file was cut short.
    while (at + 1 < f.size()) {
        const BYTE count = f[at], value = f[at + 1];
        at += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) put(four ? (k % 2 == 0 ? value >> 4 : value & 0xF) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta
            if (at + 1 >= f.size()) return false;
            x += f[at];
            y += f[at + 1];
            at += 2;
        } else {  // absolute run of `value` pixels, padded to 16 bits
            const std::size_t bytes = four ? (value + 1u) / 2u : value;
            if (at + bytes > f.size()) return false;
            for (int k = 0; k < value; ++k) {
                const BYTE b = f[at + (four ? static_cast<std::size_t>(k / 2) : static_cast<std::size_t>(k))];
                put(four ? (k % 2 == 0 ? b >> 4 : b & 0xF) : b);
            }
            at += bytes + (bytes & 1u);
        }
    }
    return false;
}

}  // namespace

bool DecodeBmp(FileBytes f, DecodedImage& image) {
    Header h;
    if (f.size() < 14 || f[0] != 'B' || f[1] != 'M' || !ReadHeader(f, h)) return false;
    const std::size_t pixelsAt = U32(f, 10);
    const bool topDown = h.height < 0;
    const long long height = topDown ? -h.height : h.height;
    if (topDown && (h.compression == kRle8 || h.compression == kRle4)) return false;
    if (h.width < 1 || height < 1 || h.width > kMaxImageDimension || height > kMaxImageDimension) return false;

    const bool rle = (h.compression == kRle8 && h.bpp == 8) || (h.compression == kRle4 && h.bpp == 4);
    const bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    if (!rle && h.compression != kRgb && !(fields && (h.bpp == 16 || h.bpp == 32))) return false;
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32) return false;

    std::array<std::uint32_t, 256> palette{};
    int paletteSize = 0;
    if (h.bpp <= 8) {
        const std::uint32_t maxColors = 1u << h.bpp;
        const std::uint32_t colors = h.colorsUsed == 0 || h.colorsUsed > maxColors ? maxColors : h.colorsUsed;
        const std::size_t entry = h.core ? 3 : 4;
        if (h.paletteAt + colors * entry > f.size()) return false;
        for (std::uint32_t k = 0; k < colors; ++k) {
            const std::size_t at = h.paletteAt + k * entry;
            palette[k] = 0xFF000000u | static_cast<std::uint32_t>(f[at + 2]) << 16 |
                         static_cast<std::uint32_t>(f[at + 1]) << 8 | f[at];
        }
        paletteSize = static_cast<int>(colors);
    }
    if (pixelsAt >= f.size()) return false;
    // Nothing is allocated before the file is known to hold its pixels (or,
    // run-length coded, a complete list of codes).
    if (rle) return CompleteRle(f, pixelsAt, h.compression == kRle4) && image.Allocate(h.width, height) &&
                    DecodeRle(f, pixelsAt, h, palette, paletteSize, image);

    const std::size_t rowBytes = ((static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.bpp) + 31) / 32) * 4;
    if (pixelsAt + rowBytes * static_cast<std::size_t>(height) > f.size() || !image.Allocate(h.width, height))
        return false;

    Field red, green, blue, alpha;
    if (h.bpp == 16) {
        const bool given = fields && (h.masks[0] | h.masks[1] | h.masks[2]);
        red = Field(given ? h.masks[0] : 0x7C00u);
        green = Field(given ? h.masks[1] : 0x03E0u);
        blue = Field(given ? h.masks[2] : 0x001Fu);
        if (h.compression == kAlphaBitFields || (given && h.masks[3])) alpha = Field(h.masks[3]);
    } else if (h.bpp == 32 && fields) {
        red = Field(h.masks[0]);
        green = Field(h.masks[1]);
        blue = Field(h.masks[2]);
        alpha = Field(h.masks[3]);
    }
    // Plain 32-bit rows carry an unused fourth byte: only explicit alpha
    // masks make an image transparent.
    image.hasAlpha = alpha.mask != 0;

    for (int row = 0; row < image.height; ++row) {
        const std::size_t src = pixelsAt + rowBytes * static_cast<std::size_t>(topDown ? row : image.height - 1 - row);
        BYTE* out = image.Row(row);
        for (int x = 0; x < image.width; ++x, out += 4) {
            const std::size_t xs = static_cast<std::size_t>(x);
            switch (h.bpp) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / h.bpp;
                const BYTE b = f[src + xs / static_cast<std::size_t>(perByte)];
                const int shift = 8 - h.bpp * (x % perByte + 1);
                const unsigned index = (b >> shift) & ((1u << h.bpp) - 1u);
                const std::uint32_t c = index < static_cast<unsigned>(paletteSize) ? palette[index] : 0xFF000000u;
                out[0] = static_cast<BYTE>(c);
                out[1] = static_cast<BYTE>(c >> 8);
                out[2] = static_cast<BYTE>(c >> 16);
                out[3] = 0xFF;
                break;
            }
            case 24:
                out[0] = f[src + xs * 3];
                out[1] = f[src + xs * 3 + 1];
                out[2] = f[src + xs * 3 + 2];
                out[3] = 0xFF;
                break;
            case 16:
            case 32: {
                const std::uint32_t pixel = h.bpp == 16 ? U16(f, src + xs * 2) : U32(f, src + xs * 4);
                if (h.bpp == 32 && !fields) {
                    out[0] = static_cast<BYTE>(pixel);
                    out[1] = static_cast<BYTE>(pixel >> 8);
                    out[2] = static_cast<BYTE>(pixel >> 16);
                    out[3] = 0xFF;
                } else {
                    out[0] = blue.Extract(pixel);
                    out[1] = green.Extract(pixel);
                    out[2] = red.Extract(pixel);
                    out[3] = alpha.mask ? alpha.Extract(pixel) : 0xFF;
                }
                break;
            }
            default:
                return false;
            }
        }
    }
    return true;
}

std::vector<BYTE> EncodeBmp(const BYTE* bgra, int width, int height, int pitch, bool withAlpha) {
    const std::size_t bytesPerPixel = withAlpha ? 4 : 3;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~static_cast<std::size_t>(3);
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(height);
    const std::size_t offset = 14 + 40;
    std::vector<BYTE> file(offset + imageBytes, 0);
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        file[at] = static_cast<BYTE>(v);
        file[at + 1] = static_cast<BYTE>(v >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFFu);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, static_cast<std::uint32_t>(offset));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, withAlpha ? 32 : 24);
    put32(30, kRgb);
    put32(34, static_cast<std::uint32_t>(imageBytes));
    put32(38, 2835);  // 72 dots per inch
    put32(42, 2835);
    for (int y = 0; y < height; ++y) {
        const BYTE* src = bgra + static_cast<std::ptrdiff_t>(y) * pitch;
        BYTE* dst = file.data() + offset + rowBytes * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x, src += 4, dst += bytesPerPixel) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            if (withAlpha) dst[3] = src[3];
        }
    }
    return file;
}

}  // namespace orbel::d3dx8
