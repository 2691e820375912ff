#include "ImageSamples.h"
#include "ImageTestSupport.h"

#include <d3dx8/ImageDecoders.h>

#include <zlib.h>

#include <random>

namespace orbel::test {
namespace {

struct Sample {
    const char* name;
    Bytes bytes;
};

std::vector<Sample> ValidSamples() {
    const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    Bytes rows24(2 * 12, 0x40);
    return {
        {"a.bmp", MakeBmp(3, 2, 24, 0, {}, rows24)},
        {"p.bmp", MakeBmp(3, 1, 8, 0, palette, {1, 2, 3, 0})},
        {"r.bmp", MakeBmp(6, 1, 8, 1, palette, {3, 2, 0, 3, 1, 3, 1, 0, 0, 1})},
        {"t.tga", MakeTga(2, 2, 32, false, true, Bytes(16, 0x80))},
        {"r.tga", MakeTga(2, 2, 32, true, false, {0x83, 1, 2, 3, 4})},
        {"a.png", Bytes(std::begin(kPngRgba2x2), std::end(kPngRgba2x2))},
        {"h.jpg", Bytes(std::begin(kJpegHalves16), std::end(kJpegHalves16))},
    };
}

TEST_F(ImageTest, TruncatedFilesOfEveryFormatFail) {
    for (const Sample& sample : ValidSamples()) {
        ASSERT_FALSE(Load(Write(sample.name, sample.bytes)).empty()) << sample.name;
        // A PNG cut inside its closing IEND chunk still holds every pixel.
        const bool png = std::string(sample.name).ends_with(".png");
        const std::size_t end = sample.bytes.size() - (png ? 12 : 0);
        for (std::size_t length = 0; length < end; ++length) {
            const Bytes cut(sample.bytes.begin(), sample.bytes.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_TRUE(Load(Write(sample.name, cut)).empty()) << sample.name << " cut at " << length;
        }
    }
}

TEST_F(ImageTest, HeadersClaimingMoreThanTheFileHoldsFail) {
    // A BMP claiming 60000 x 60000 pixels, and one within limits but whose
    // rows run past the end of the file.
    Bytes huge = MakeBmp(60000, 60000, 24, 0, {}, Bytes(12, 0));
    EXPECT_TRUE(Load(Write("huge.bmp", huge)).empty());
    Bytes tall = MakeBmp(3, 2000, 24, 0, {}, Bytes(24, 0));
    EXPECT_TRUE(Load(Write("tall.bmp", tall)).empty());
    // A palette larger than the file, and a pixel offset beyond it.
    Bytes palette = MakeBmp(1, 1, 8, 0, {0x123456}, {0, 0, 0, 0});
    palette[46] = 0xFF;  // colours used: 255
    palette[47] = 0;
    EXPECT_TRUE(Load(Write("pal.bmp", palette)).empty());
    Bytes offset = MakeBmp(1, 1, 24, 0, {}, {1, 2, 3, 0});
    offset[10] = 0xFF;
    offset[11] = 0xFF;
    EXPECT_TRUE(Load(Write("off.bmp", offset)).empty());
    // A TGA RLE run past the last pixel, and one of zero width.
    EXPECT_TRUE(Load(Write("run.tga", MakeTga(2, 1, 24, true, true, {0x85, 1, 2, 3}))).empty());
    EXPECT_TRUE(Load(Write("zero.tga", MakeTga(0, 4, 24, false, true, {}))).empty());
}

TEST(ImageDecoders, HugeHeadersOverLittleDataAreRefusedBeforePixelMemoryIsTaken) {
    // Each file claims 8192 x 8192 pixels (256 MiB decoded) over a few
    // bytes; the decoder must refuse it without having allocated them.
    const auto refused = [](bool (*decode)(d3dx8::FileBytes, d3dx8::DecodedImage&), const Bytes& file) {
        d3dx8::DecodedImage image;
        return !decode(file, image) && image.bgra.capacity() == 0;
    };
    EXPECT_TRUE(refused(d3dx8::DecodeTga, MakeTga(8192, 8192, 32, false, true, {})));
    EXPECT_TRUE(refused(d3dx8::DecodeTga, MakeTga(8192, 8192, 32, true, true, Bytes(5000, 0xFF))));
    EXPECT_TRUE(refused(d3dx8::DecodeBmp, MakeBmp(8192, 8192, 24, 0, {}, Bytes(12, 0))));
    // Run-length codes that never reach the end-of-bitmap code.
    EXPECT_TRUE(refused(d3dx8::DecodeBmp, MakeBmp(8192, 8192, 8, 1, {0xFF0000}, Bytes(600, 0xFF))));

    // The 2 x 2 PNG with its header (and header checksum) made 8192 x 8192.
    Bytes png(std::begin(kPngRgba2x2), std::end(kPngRgba2x2));
    for (std::size_t at : {16u, 20u}) {
        png[at] = 0;
        png[at + 1] = 0;
        png[at + 2] = 0x20;
        png[at + 3] = 0;
    }
    const uLong crc = crc32(0, png.data() + 12, 17);
    for (int k = 0; k < 4; ++k) png[29 + static_cast<std::size_t>(k)] = static_cast<unsigned char>(crc >> (24 - 8 * k));
    EXPECT_TRUE(refused(d3dx8::DecodePng, png));

    // The 16 x 16 JPEG with its frame header made 8192 x 8192.
    Bytes jpeg(std::begin(kJpegHalves16), std::end(kJpegHalves16));
    std::size_t frame = 2;
    while (frame + 1 < jpeg.size() && !(jpeg[frame] == 0xFF && (jpeg[frame + 1] == 0xC0 || jpeg[frame + 1] == 0xC2)))
        ++frame;
    ASSERT_LT(frame + 9, jpeg.size());
    for (std::size_t at : {frame + 5, frame + 7}) {
        jpeg[at] = 0x20;
        jpeg[at + 1] = 0;
    }
    EXPECT_TRUE(refused(d3dx8::DecodeJpeg, jpeg));
}

TEST_F(ImageTest, RandomlyDamagedFilesNeverCrash) {
    std::mt19937 random(20261208);
    for (const Sample& sample : ValidSamples()) {
        for (int round = 0; round < 150; ++round) {
            Bytes damaged = sample.bytes;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int k = 0; k < flips; ++k) {
                // Mostly in the headers, where sizes and offsets live.
                const std::size_t span = std::min<std::size_t>(damaged.size(), round % 2 ? 64 : damaged.size());
                damaged[random() % span] = static_cast<unsigned char>(random());
            }
            Load(Write(sample.name, damaged));  // either result, but safely
        }
    }
}

}  // namespace
}  // namespace orbel::test
