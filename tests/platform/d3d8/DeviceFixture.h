// A device drawing into a small offscreen target, and pixel helpers.
#pragma once

#include "Presentation.h"

#include <d3d8/D3D8.h>
#include <d3d8/TestControl.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace orbel::test {

inline HWND FakeWindow(std::uintptr_t id = 1) { return reinterpret_cast<HWND>(id); }

struct LitVertex {  // FVF 0x112
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

struct ColorVertex {  // FVF 0x42
    float x, y, z;
    D3DCOLOR color;
};

constexpr DWORD kLitFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr DWORD kColorFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;

inline D3DMATRIX IdentityMatrix() {
    D3DMATRIX m{};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

inline DWORD FloatBits(float f) { return std::bit_cast<DWORD>(f); }

// Skips the test when the machine has no OpenGL device at all.
class DeviceTest : public ::testing::Test {
protected:
    static constexpr UINT kWidth = 64;
    static constexpr UINT kHeight = 48;

    void SetUp() override {
        D3D8SetTestControl({});
        d3d = Direct3DCreate8(D3D_SDK_VERSION);
        if (!d3d) GTEST_SKIP() << "no OpenGL device";
        D3DPRESENT_PARAMETERS pp = DevicePresentation(D3DFMT_X8R8G8B8, D3DFMT_D16);
        ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, FakeWindow(), D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp,
                                    &device),
                  D3D_OK);
        MakeTarget(kWidth, kHeight);
        // Everything plain: identity transforms, no culling, no lighting.
        D3DMATRIX identity = IdentityMatrix();
        device->SetTransform(D3DTS_WORLD, &identity);
        device->SetTransform(D3DTS_VIEW, &identity);
        device->SetTransform(D3DTS_PROJECTION, &identity);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
    }

    void TearDown() override {
        ReleaseTarget();
        if (device) device->Release();
        if (d3d) d3d->Release();
        D3D8SetTestControl({});
    }

    void MakeTarget(UINT width, UINT height) {
        ReleaseTarget();
        D3DPRESENT_PARAMETERS pp = ChainPresentation(width, height, FakeWindow(2));
        ASSERT_EQ(device->CreateAdditionalSwapChain(&pp, &chain), D3D_OK);
        ASSERT_EQ(chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
        ASSERT_EQ(device->CreateDepthStencilSurface(width, height, D3DFMT_D16, D3DMULTISAMPLE_NONE, &depth), D3D_OK);
        ASSERT_EQ(device->SetRenderTarget(backBuffer, depth), D3D_OK);
        width_ = width;
        height_ = height;
    }

    void ReleaseTarget() {
        if (depth) depth->Release();
        if (backBuffer) backBuffer->Release();
        if (chain) chain->Release();
        depth = backBuffer = nullptr;
        chain = nullptr;
    }

    void Clear(D3DCOLOR color) {
        ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, color, 1.0f, 0), D3D_OK);
    }

    // The back buffer as 0xAARRGGBB words, rows top first.
    std::vector<std::uint32_t> Pixels() {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width_) * height_);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        if (!locked.pBits) return pixels;
        for (UINT y = 0; y < height_; ++y)
            std::memcpy(&pixels[y * width_], static_cast<BYTE*>(locked.pBits) + y * locked.Pitch, width_ * 4);
        backBuffer->UnlockRect();
        return pixels;
    }

    std::uint32_t Pixel(UINT x, UINT y) { return Pixels()[y * width_ + x] & 0xFFFFFFu; }

    int CountRgb(std::uint32_t rgb) {
        int count = 0;
        for (std::uint32_t p : Pixels()) count += (p & 0xFFFFFFu) == rgb;
        return count;
    }

    // Pixel centre (x, y) of the target as a position when all transforms
    // are the identity.
    float NdcX(float x) const { return 2.0f * x / static_cast<float>(width_) - 1.0f; }
    float NdcY(float y) const { return 1.0f - 2.0f * y / static_cast<float>(height_); }

    IDirect3D8* d3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    IDirect3DSwapChain8* chain = nullptr;
    IDirect3DSurface8* backBuffer = nullptr;
    IDirect3DSurface8* depth = nullptr;
    UINT width_ = 0;
    UINT height_ = 0;
};

// Channels of two 0xRRGGBB colours differ by at most `tolerance`.
inline bool NearRgb(std::uint32_t a, std::uint32_t b, int tolerance = 2) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFFu), cb = static_cast<int>((b >> shift) & 0xFFu);
        if (ca - cb > tolerance || cb - ca > tolerance) return false;
    }
    return true;
}

}  // namespace orbel::test
