// Direct3D presents into a window's retained image: a paint can present and
// then draw text over the picture, and a present outside a paint stays
// without bringing another paint.
#include "WindowTestSupport.h"

#include <d3d8/D3D8.h>
#include <d3d8/PresentTarget.h>
#include <d3d8/TestControl.h>

namespace {

class PresentingWnd : public CWnd {
public:
    IDirect3DDevice8* device = nullptr;
    D3DCOLOR clear = 0xFF0000FFu;  // blue

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, clear, 1.0f, 0);
        device->Present(nullptr, nullptr, m_hWnd, nullptr);
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(RGB(255, 255, 0));
        dc.TextOut(0, 0, "Top", 3);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PresentingWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

class PresentIntoWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(w.CreateEx(0, nullptr, "view", WS_POPUP | WS_VISIBLE, 0, 0, 80, 60, nullptr, nullptr));
        d3d = Direct3DCreate8(D3D_SDK_VERSION);
        ASSERT_NE(d3d, nullptr);
        D3DPRESENT_PARAMETERS pp{};
        pp.BackBufferFormat = D3DFMT_X8R8G8B8;  // width and height 0: the window's client size
        pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
        pp.hDeviceWindow = w.m_hWnd;
        pp.Windowed = TRUE;
        ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, w.m_hWnd, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &w.device),
                  D3D_OK);
    }
    void TearDown() override {
        w.DestroyWindow();
        if (w.device)
            w.device->Release();
        if (d3d)
            d3d->Release();
        WindowTest::TearDown();
    }
    PresentingWnd w;
    IDirect3D8* d3d = nullptr;
};

// Passes presents on to the window layer, counting the images that land.
class CountingTarget final : public IPresentTarget {
public:
    CountingTarget() : m_next(D3D8GetPresentTarget()) { D3D8SetPresentTarget(this); }
    ~CountingTarget() { D3D8SetPresentTarget(m_next); }
    bool GetClientSize(HWND hWnd, int& width, int& height) override {
        return m_next->GetClientSize(hWnd, width, height);
    }
    void PresentImage(HWND hWnd, const void* bgra, int width, int height, int pitch) override {
        ++landed;
        m_next->PresentImage(hWnd, bgra, width, height, pitch);
    }
    bool TakesLateImages() override { return m_next->TakesLateImages(); }
    void ImageComing(HWND hWnd) override { m_next->ImageComing(hWnd); }
    int landed = 0;

private:
    IPresentTarget* m_next;
};

void DrawOverlay(CDC& dc) {
    dc.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(240, 240, 240));
    dc.TextOut(12, 20, "Top", 3);
}

} // namespace

TEST_F(PresentIntoWindowTest, WhatIsDrawnOverAnImageOnItsWayLandsOnTopOfItAsIfDrawnAfter) {
    orbel::test::RunUntilIdle();
    CountingTarget counting;
    CClientDC dc(&w);
    // Drawn over the image before it lands, read after.
    w.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF2050A0u, 1.0f, 0);
    w.device->Present(nullptr, nullptr, w.m_hWnd, nullptr);
    DrawOverlay(dc);
    EXPECT_EQ(counting.landed, 0) << "the image lands late";
    EXPECT_EQ(dc.GetPixel(70, 50), RGB(0x20, 0x50, 0xA0)) << "a read lands it first";
    EXPECT_EQ(counting.landed, 1);
    const orbel::test::Image late = orbel::test::ReadWindowImage(w);
    // Drawn once the image has landed.
    w.device->Present(nullptr, nullptr, w.m_hWnd, nullptr);
    orbel::test::ReadWindowImage(w);
    DrawOverlay(dc);
    const orbel::test::Image after = orbel::test::ReadWindowImage(w);
    EXPECT_EQ(late.At(5, 5), RGB(255, 0, 0));
    EXPECT_TRUE(late.pixels == after.pixels) << "the text's edges blend as they do drawn straight on";

    // A newer image covers what was drawn over the one it replaces.
    w.device->Present(nullptr, nullptr, w.m_hWnd, nullptr);
    dc.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
    w.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00u, 1.0f, 0);
    w.device->Present(nullptr, nullptr, w.m_hWnd, nullptr);
    EXPECT_EQ(orbel::test::ReadWindowImage(w).At(5, 5), RGB(0, 255, 0));
}

TEST_F(PresentIntoWindowTest, PaintPresentsThenDrawsTextOverThePicture) {
    orbel::test::RunUntilIdle();
    const orbel::test::Image image = orbel::test::ReadWindowImage(w);
    ASSERT_EQ(image.width, 80);
    EXPECT_EQ(image.At(70, 50), RGB(0, 0, 255));
    EXPECT_EQ(image.At(0, 0), RGB(255, 255, 0)) << "the text's background lies over the picture";
}

TEST_F(PresentIntoWindowTest, APresentOutsideAPaintStaysAndCausesNoPaint) {
    orbel::test::RunUntilIdle();
    const int paints = orbel::test::PaintCount(w);
    w.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00u, 1.0f, 0);
    w.device->Present(nullptr, nullptr, w.m_hWnd, nullptr);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::PaintCount(w), paints);
    EXPECT_EQ(orbel::test::ReadWindowImage(w).At(70, 50), RGB(0, 255, 0));
}
