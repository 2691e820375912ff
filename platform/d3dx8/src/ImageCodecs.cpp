#include "ImageCodecs.h"

#include <cstring>

namespace orbel::d3dx8 {

bool DecodedImage::Allocate(long long w, long long h) {
    if (w < 1 || h < 1 || w > kMaxImageDimension || h > kMaxImageDimension) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    bgra.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4, 0);
    return true;
}

bool DecodeImage(FileBytes file, DecodedImage& image) {
    static constexpr BYTE kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') return DecodeBmp(file, image);
    if (file.size() >= 8 && std::memcmp(file.data(), kPng, 8) == 0) return DecodePng(file, image);
    if (file.size() >= 3 && file[0] == 0xFF && file[1] == 0xD8 && file[2] == 0xFF) return DecodeJpeg(file, image);
    return DecodeTga(file, image);
}

}  // namespace orbel::d3dx8
