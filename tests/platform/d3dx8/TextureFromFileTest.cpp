#include "ImageSamples.h"
#include "ImageTestSupport.h"
#include "TestData.h"

#include <cstdlib>

namespace orbel::test {
namespace {

using Texels = std::vector<std::uint32_t>;

// Channels within `tolerance` (lossy formats).
bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu);
        if (d > tolerance || d < -tolerance) return false;
    }
    return true;
}

std::string TestData(const char* name) {
    return TestDataPath(std::string("x/") + name);
}

TEST_F(ImageTest, BmpTrueColourFilesOfEveryLayout) {
    // 24 bits, bottom-up, rows padded from 9 to 12 bytes.
    const Bytes rows24 = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,               // bottom: red green blue
                          255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0};       // top: white black grey
    UINT width = 0, height = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    EXPECT_EQ(Load(Write("a.bmp", MakeBmp(3, 2, 24, 0, {}, rows24)), &width, &height, &format),
              (Texels{0xFFFFFFFF, 0xFF000000, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
    EXPECT_EQ(width, 3u);
    EXPECT_EQ(height, 2u);
    EXPECT_EQ(format, D3DFMT_X8R8G8B8);

    // Negative height: top-down rows.
    Bytes topDown = MakeBmp(3, 2, 24, 0, {}, rows24);
    const std::uint32_t minusTwo = static_cast<std::uint32_t>(-2);
    std::memcpy(&topDown[22], &minusTwo, 4);
    EXPECT_EQ(Load(Write("b.bmp", topDown)),
              (Texels{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080}));

    // 32 bits without masks: the fourth byte is not alpha.
    const Bytes rows32 = {1, 2, 3, 0, 4, 5, 6, 0};
    EXPECT_EQ(Load(Write("c.bmp", MakeBmp(2, 1, 32, 0, {}, rows32)), nullptr, nullptr, &format),
              (Texels{0xFF030201, 0xFF060504}));
    EXPECT_EQ(format, D3DFMT_X8R8G8B8);
}

TEST_F(ImageTest, BmpPaletteFilesOfOneFourAndEightBits) {
    const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    // 8 bits: indices 1 2 3 on one row (padded to 4 bytes).
    EXPECT_EQ(Load(Write("p8.bmp", MakeBmp(3, 1, 8, 0, palette, {1, 2, 3, 0}))),
              (Texels{0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
    // 4 bits: indices 3 1 2.
    EXPECT_EQ(Load(Write("p4.bmp", MakeBmp(3, 1, 4, 0, palette, {0x31, 0x20, 0, 0}))),
              (Texels{0xFF0000FF, 0xFFFF0000, 0xFF00FF00}));
    // 1 bit across a byte boundary: 9 pixels 1 0 1 0 1 0 1 0 | 1.
    const Texels ones = Load(Write("p1.bmp", MakeBmp(9, 1, 1, 0, {0x000000, 0xFFFFFF}, {0xAA, 0x80, 0, 0})));
    ASSERT_EQ(ones.size(), 9u);
    for (int x = 0; x < 9; ++x) EXPECT_EQ(ones[x], x % 2 == 0 ? 0xFFFFFFFFu : 0xFF000000u) << x;

    // RLE8: a run of three 2s, an absolute run 1 3 1 (padded), end of bitmap.
    const Bytes rle = {3, 2, 0, 3, 1, 3, 1, 0, 0, 1};
    EXPECT_EQ(Load(Write("r8.bmp", MakeBmp(6, 1, 8, 1, palette, rle))),
              (Texels{0xFF00FF00, 0xFF00FF00, 0xFF00FF00, 0xFFFF0000, 0xFF0000FF, 0xFFFF0000}));
    // RLE4: a run of three alternating 1 and 2, end of line, a delta of
    // one row up, end of bitmap; the skipped row stays black.
    const Bytes rle4 = {3, 0x12, 0, 0, 0, 1};
    EXPECT_EQ(Load(Write("r4.bmp", MakeBmp(3, 2, 4, 2, palette, rle4))),
              (Texels{0xFF000000, 0xFF000000, 0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFFFF0000}));
}

TEST_F(ImageTest, BmpSixteenBitFilesWithAndWithoutBitFields) {
    // 5-5-5 by default: pure red, pure blue; rows padded to 4 bytes.
    EXPECT_EQ(Load(Write("555.bmp", MakeBmp(2, 1, 16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}))),
              (Texels{0xFFFF0000, 0xFF0000FF}));
    // 5-6-5 through masks placed after the header: pure green, white.
    const std::vector<std::uint32_t> masks = {0xF800, 0x07E0, 0x001F};
    EXPECT_EQ(Load(Write("565.bmp", MakeBmp(2, 1, 16, 3, masks, {0xE0, 0x07, 0xFF, 0xFF}))),
              (Texels{0xFF00FF00, 0xFFFFFFFF}));
}

TEST_F(ImageTest, RealBmpAndTgaFilesLoad) {
    UINT width = 0, height = 0;
    EXPECT_EQ(Load(TestData("tiger.bmp"), &width, &height).size(), 256u * 256u);
    EXPECT_EQ(width, 256u);
    EXPECT_EQ(Load(TestData("top.tga"), &width, &height).size(), 256u * 256u);
    EXPECT_EQ(height, 256u);
    EXPECT_FALSE(Load(TestData("bottom.tga")).empty());
    const Texels png = Load(TestData("test.png"), &width, &height);
    EXPECT_EQ(width, 512u);
    EXPECT_EQ(png.size(), 512u * 512u);
}

TEST_F(ImageTest, TgaBothOriginsCompressedOrNotKeepAlpha) {
    // Two rows of two pixels, in file order, B G R A.
    const Bytes first = {0, 0, 255, 255, 0, 255, 0, 0};    // red opaque, green transparent
    const Bytes second = {255, 0, 0, 128, 255, 255, 255, 255};  // blue half, white opaque
    Bytes pixels = first;
    pixels.insert(pixels.end(), second.begin(), second.end());
    const Texels firstOnTop = {0xFFFF0000, 0x0000FF00, 0x800000FF, 0xFFFFFFFF};
    const Texels secondOnTop = {0x800000FF, 0xFFFFFFFF, 0xFFFF0000, 0x0000FF00};
    D3DFORMAT format = D3DFMT_UNKNOWN;
    EXPECT_EQ(Load(Write("t.tga", MakeTga(2, 2, 32, false, true, pixels)), nullptr, nullptr, &format), firstOnTop);
    EXPECT_EQ(format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(Load(Write("b.tga", MakeTga(2, 2, 32, false, false, pixels))), secondOnTop);

    // RLE: one run packet of three red pixels, one raw packet of one white.
    const Bytes rle = {0x82, 0, 0, 255, 255, 0x00, 255, 255, 255, 255};
    EXPECT_EQ(Load(Write("r.tga", MakeTga(2, 2, 32, true, true, rle))),
              (Texels{0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFFFFFF}));

    // 24 bits: opaque, no alpha format.
    const Bytes rgb = {0, 0, 255, 0, 255, 0};
    EXPECT_EQ(Load(Write("c.tga", MakeTga(2, 1, 24, false, true, rgb)), nullptr, nullptr, &format),
              (Texels{0xFFFF0000, 0xFF00FF00}));
    EXPECT_EQ(format, D3DFMT_X8R8G8B8);
}

TEST_F(ImageTest, PngKeepsAlphaAndJpegDecodes) {
    D3DFORMAT format = D3DFMT_UNKNOWN;
    const Bytes png(std::begin(kPngRgba2x2), std::end(kPngRgba2x2));
    EXPECT_EQ(Load(Write("a.png", png), nullptr, nullptr, &format),
              (Texels{0xFFFF0000, 0x0000FF00, 0x800000FF, 0xFFFFFFFF}));
    EXPECT_EQ(format, D3DFMT_A8R8G8B8);

    const Bytes jpeg(std::begin(kJpegHalves16), std::end(kJpegHalves16));
    UINT width = 0;
    const Texels texels = Load(Write("h.jpg", jpeg), &width, nullptr, &format);
    ASSERT_EQ(texels.size(), 256u);
    EXPECT_EQ(format, D3DFMT_X8R8G8B8);
    EXPECT_TRUE(Near(texels[2 * 16 + 5], 0xFFFF0000, 12)) << std::hex << texels[2 * 16 + 5];
    EXPECT_TRUE(Near(texels[13 * 16 + 5], 0xFF0000FF, 12)) << std::hex << texels[13 * 16 + 5];
}

TEST_F(ImageTest, MissingFilesAndBadArgumentsFailWithoutATexture) {
    IDirect3DTexture8* texture = reinterpret_cast<IDirect3DTexture8*>(8);
    EXPECT_TRUE(FAILED(D3DXCreateTextureFromFileA(device, (folder + "\\none.bmp").c_str(), &texture)));
    EXPECT_EQ(texture, nullptr);
    EXPECT_TRUE(FAILED(D3DXCreateTextureFromFileA(nullptr, TestData("tiger.bmp").c_str(), &texture)));
    EXPECT_TRUE(FAILED(D3DXCreateTextureFromFileA(device, nullptr, &texture)));
    EXPECT_TRUE(Load(Write("empty.bmp", {})).empty());
    EXPECT_TRUE(Load(Write("text.tga", {'h', 'e', 'l', 'l', 'o'})).empty());
}

}  // namespace
}  // namespace orbel::test
