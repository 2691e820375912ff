#include "FuzzEntries.h"

#include <d3dx8/ImageDecoders.h>

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace orbel::fuzz {
namespace {

// A decoded image has the size it claims.
bool Decode(bool (*decoder)(d3dx8::FileBytes, d3dx8::DecodedImage&), const std::uint8_t* data, std::size_t size,
            d3dx8::DecodedImage& image) {
    const bool ok = decoder({data, size}, image);
    if (ok && image.bgra.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4)
        __builtin_trap();
    return ok;
}

int DecodeOnly(bool (*decoder)(d3dx8::FileBytes, d3dx8::DecodedImage&), const std::uint8_t* data, std::size_t size) {
    d3dx8::DecodedImage image;
    Decode(decoder, data, size, image);
    return 0;
}

// The library's own reading of the file, bottom row first, in RGBA: where
// our decoder took the file, the library reads it too, with the same size,
// the same alpha verdict and the same pixels, rows top first and channels in
// B, G, R, A order.
void CheckPngAgainstLibrary(const std::uint8_t* data, std::size_t size, const d3dx8::DecodedImage& image) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data, size)) __builtin_trap();
    if (static_cast<int>(png.width) != image.width || static_cast<int>(png.height) != image.height ||
        ((png.format & PNG_FORMAT_FLAG_ALPHA) != 0) != image.hasAlpha)
        __builtin_trap();
    png.format = PNG_FORMAT_RGBA;
    const std::size_t pitch = static_cast<std::size_t>(image.width) * 4;
    std::vector<std::uint8_t> rgba(pitch * static_cast<std::size_t>(image.height));
    if (!png_image_finish_read(&png, nullptr, rgba.data(), -static_cast<png_int_32>(pitch), nullptr)) __builtin_trap();
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* ours = image.bgra.data() + pitch * static_cast<std::size_t>(y);
        const std::uint8_t* theirs = rgba.data() + pitch * static_cast<std::size_t>(image.height - 1 - y);
        for (std::size_t x = 0; x < pitch; x += 4)
            if (ours[x] != theirs[x + 2] || ours[x + 1] != theirs[x + 1] || ours[x + 2] != theirs[x] ||
                ours[x + 3] != theirs[x + 3])
                __builtin_trap();
    }
}

struct JpegErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }
void Silent(j_common_ptr) {}

// As for PNG: the library reads what we read, at our size, pixel for pixel,
// without alpha. A jump back from the library ends in a trap, so nothing
// needs unwinding.
void CheckJpegAgainstLibrary(const std::uint8_t* data, std::size_t size, const d3dx8::DecodedImage& image) {
    if (image.hasAlpha) __builtin_trap();
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    errors.base.output_message = Silent;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        __builtin_trap();
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (static_cast<int>(info.output_width) != image.width || static_cast<int>(info.output_height) != image.height)
        __builtin_trap();
    const std::size_t pitch = static_cast<std::size_t>(image.width) * 3;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rows.data() + pitch * (info.output_height - 1 - info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* ours = image.bgra.data() + static_cast<std::size_t>(image.width) * 4 * static_cast<std::size_t>(y);
        const std::uint8_t* theirs = rows.data() + pitch * static_cast<std::size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x, ours += 4, theirs += 3)
            if (ours[0] != theirs[2] || ours[1] != theirs[1] || ours[2] != theirs[0] || ours[3] != 0xFF)
                __builtin_trap();
    }
}

}  // namespace

int DecodeBmpEntry(const std::uint8_t* data, std::size_t size) { return DecodeOnly(d3dx8::DecodeBmp, data, size); }
int DecodeTgaEntry(const std::uint8_t* data, std::size_t size) { return DecodeOnly(d3dx8::DecodeTga, data, size); }

int DecodePngEntry(const std::uint8_t* data, std::size_t size) {
    d3dx8::DecodedImage image;
    if (Decode(d3dx8::DecodePng, data, size, image)) CheckPngAgainstLibrary(data, size, image);
    return 0;
}

int DecodeJpegEntry(const std::uint8_t* data, std::size_t size) {
    d3dx8::DecodedImage image;
    if (Decode(d3dx8::DecodeJpeg, data, size, image)) CheckJpegAgainstLibrary(data, size, image);
    return 0;
}

}  // namespace orbel::fuzz
