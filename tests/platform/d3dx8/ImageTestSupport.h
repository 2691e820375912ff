// A device for loading textures, a scratch folder under the current one,
// and builders for small BMP and TGA files.
#pragma once

#include "Presentation.h"

#include <d3d8/D3D8.h>
#include <d3dx8/D3DX8.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <random>
#include <vector>

namespace orbel::test {

using Bytes = std::vector<unsigned char>;

inline void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFFu);
    Put16(b, v >> 16);
}

// A BMP with an info header; `palette` as 0x00RRGGBB, `rows` already in file
// order and padded.
inline Bytes MakeBmp(int width, int height, int bpp, std::uint32_t compression,
                     const std::vector<std::uint32_t>& palette, const Bytes& rows) {
    Bytes b{'B', 'M'};
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size()) * 4;
    Put32(b, offset + static_cast<std::uint32_t>(rows.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bpp));
    Put32(b, compression);
    Put32(b, static_cast<std::uint32_t>(rows.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, static_cast<std::uint32_t>(palette.size()));
    Put32(b, 0);
    for (std::uint32_t c : palette) Put32(b, c);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

// A true-colour TGA; `pixels` as B, G, R(, A) bytes in file order.
inline Bytes MakeTga(int width, int height, int bpp, bool rle, bool topOrigin, const Bytes& pixels) {
    Bytes b(18, 0);
    b[2] = rle ? 10 : 2;
    b[12] = static_cast<unsigned char>(width);
    b[13] = static_cast<unsigned char>(width >> 8);
    b[14] = static_cast<unsigned char>(height);
    b[15] = static_cast<unsigned char>(height >> 8);
    b[16] = static_cast<unsigned char>(bpp);
    b[17] = static_cast<unsigned char>((bpp == 32 ? 8 : 0) | (topOrigin ? 0x20 : 0));
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::string("image_test_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                 std::to_string(std::random_device{}() % 1000000);
        std::filesystem::create_directory(folder);
        d3d = Direct3DCreate8(D3D_SDK_VERSION);
        if (!d3d) GTEST_SKIP() << "no OpenGL device";
        D3DPRESENT_PARAMETERS pp = DevicePresentation();
        ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(1),
                                    D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device),
                  D3D_OK);
    }
    void TearDown() override {
        if (device) device->Release();
        if (d3d) d3d->Release();
        std::filesystem::remove_all(folder);
    }

    // Writes the bytes into the scratch folder; returns the program path
    // with a backslash separator.
    std::string Write(const std::string& name, const Bytes& bytes) {
        std::ofstream(folder + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return folder + "\\" + name;
    }

    // Texels of a loaded texture as 0xAARRGGBB, rows top first; empty when
    // loading failed.
    std::vector<std::uint32_t> Load(const std::string& path, UINT* width = nullptr, UINT* height = nullptr,
                                    D3DFORMAT* format = nullptr) {
        IDirect3DTexture8* texture = nullptr;
        if (FAILED(D3DXCreateTextureFromFileA(device, path.c_str(), &texture))) {
            EXPECT_EQ(texture, nullptr);
            return {};
        }
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(0, &desc);
        if (width) *width = desc.Width;
        if (height) *height = desc.Height;
        if (format) *format = desc.Format;
        std::vector<std::uint32_t> texels(static_cast<std::size_t>(desc.Width) * desc.Height);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        for (UINT y = 0; y < desc.Height; ++y)
            std::memcpy(&texels[y * desc.Width], static_cast<BYTE*>(locked.pBits) + y * locked.Pitch, desc.Width * 4);
        texture->UnlockRect(0);
        texture->Release();
        return texels;
    }

    std::string folder;
    IDirect3D8* d3d = nullptr;
    IDirect3DDevice8* device = nullptr;
};

}  // namespace orbel::test
