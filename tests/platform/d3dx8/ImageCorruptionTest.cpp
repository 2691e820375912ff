#include "ImageSamples.h"
#include "ImageTestSupport.h"

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
