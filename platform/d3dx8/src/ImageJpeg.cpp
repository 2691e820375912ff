// JPEG files through libjpeg. libjpeg reports errors by calling error_exit,
// which must not return; it long-jumps back to DecodeJpeg. Nothing with a
// destructor lives in the frames jumped over: only libjpeg's own C frames
// and the plain locals of ReadScanlines.
#include "ImageCodecs.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

namespace orbel::d3dx8 {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

// Whether the file is long enough for the blocks its header promises, so
// that no memory is taken for an image the data cannot fill. Huffman codes
// spend at least one bit on every block's DC value; arithmetic coding has
// no such floor.
bool CanHoldBlocks(const jpeg_decompress_struct& info, std::size_t fileSize) {
    if (info.arith_code) return true;
    std::uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c)
        blocks += std::uint64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
    return blocks / 8 <= fileSize;
}

// Header, size check, then the scanlines into `image`, whose pixels were
// allocated before any jump could happen past them.
bool ReadScanlines(jpeg_decompress_struct& info, std::size_t fileSize, DecodedImage& image, std::vector<BYTE>& row) {
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    info.out_color_space = JCS_RGB;
    if (info.image_width < 1 || info.image_height < 1 || info.image_width > kMaxImageDimension ||
        info.image_height > kMaxImageDimension || !CanHoldBlocks(info, fileSize))
        return false;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || !image.Allocate(info.output_width, info.output_height)) return false;
    row.resize(static_cast<std::size_t>(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
        BYTE* out = image.Row(y);
        for (JDIMENSION x = 0; x < info.output_width; ++x, out += 4) {
            out[0] = row[x * 3 + 2];
            out[1] = row[x * 3 + 1];
            out[2] = row[x * 3];
            out[3] = 0xFF;
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool DecodeJpeg(FileBytes f, DecodedImage& image) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    // Buffers owned out here survive a jump from inside the decoder.
    std::vector<BYTE> row;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.output_message = Silent;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, f.data(), static_cast<unsigned long>(f.size()));
    // Damaged data only warns (and is filled in grey); such a file is not
    // the picture it claims to be.
    const bool ok = ReadScanlines(info, f.size(), image, row) && errors.base.num_warnings == 0;
    jpeg_destroy_decompress(&info);
    image.hasAlpha = false;
    return ok;
}

}  // namespace orbel::d3dx8
