// Drawing into the retained window images: what GDI calls leave behind,
// and that drawing outside WM_PAINT stays without causing a paint.
#include "WindowTestSupport.h"

#include <framework/DialogUnits.h>

#include <cstring>

namespace {

class DrawWnd : public CWnd {
public:
    COLORREF fill = RGB(255, 255, 255);
    BOOL CreateTop(int w, int h) { return CreateEx(0, nullptr, "draw", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr); }

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, fill);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DrawWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

class GdiDrawingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(w.CreateTop(64, 48));
        orbel::test::RunUntilIdle();
    }
    COLORREF At(int x, int y) { return orbel::test::ReadWindowImage(w).At(x, y); }
    DrawWnd w;
};

} // namespace

TEST_F(GdiDrawingTest, DrawingOutsideAPaintStaysAndCausesNoPaint) {
    const int paints = orbel::test::PaintCount(w);
    {
        CClientDC dc(&w);
        dc.FillSolidRect(10, 10, 5, 5, RGB(255, 0, 0));
    }
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::test::PaintCount(w), paints);
    EXPECT_EQ(At(12, 12), RGB(255, 0, 0));
    EXPECT_EQ(At(9, 9), RGB(255, 255, 255));

    // The next real paint draws over it again.
    w.fill = RGB(0, 128, 0);
    w.RedrawWindow();
    EXPECT_EQ(At(12, 12), RGB(0, 128, 0));
}

TEST_F(GdiDrawingTest, ImageIsTheClientAreaOnly) {
    const orbel::test::Image image = orbel::test::ReadWindowImage(w);
    CRect client;
    w.GetClientRect(&client);
    EXPECT_EQ(image.width, client.Width());
    EXPECT_EQ(image.height, client.Height());
}

TEST_F(GdiDrawingTest, RectanglesAndLinesLeaveOutTheirLastPixels) {
    CClientDC dc(&w);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brush(RGB(0, 0, 255));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(2, 2, 10, 8);
    EXPECT_EQ(At(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(At(9, 7), RGB(0, 0, 0));
    EXPECT_EQ(At(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(At(10, 8), RGB(255, 255, 255));

    dc.MoveTo(20, 20);
    dc.LineTo(30, 20);
    EXPECT_EQ(At(20, 20), RGB(0, 0, 0));
    EXPECT_EQ(At(29, 20), RGB(0, 0, 0));
    EXPECT_EQ(At(30, 20), RGB(255, 255, 255));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

TEST_F(GdiDrawingTest, FillSolidRectLeavesTheBackgroundColourAndText3dEdgesUseBothColours) {
    CClientDC dc(&w);
    dc.FillSolidRect(0, 0, 4, 4, RGB(1, 2, 3));
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
    dc.Draw3dRect(10, 10, 10, 10, RGB(255, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(19, 19), RGB(0, 255, 0));
    EXPECT_EQ(At(15, 15), RGB(255, 255, 255));
}

TEST_F(GdiDrawingTest, OpaqueTextPaintsItsBackgroundTransparentTextDoesNot) {
    CClientDC dc(&w);
    const CSize extent = dc.GetTextExtent("W", 1);
    ASSERT_GT(extent.cx, 0);
    ASSERT_GT(extent.cy, 0);
    dc.SetBkColor(RGB(0, 0, 255));
    dc.SetBkMode(OPAQUE);
    dc.TextOut(0, 0, "W", 1);
    EXPECT_EQ(At(0, 0), RGB(0, 0, 255));
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(30, 0, "W", 1);
    EXPECT_EQ(At(30, 0), RGB(255, 255, 255));
}

// Templates are laid out in units of the dialog face's average letter
// (Windows averages the 52 letters, rounded) and its line height; a stand-in
// face measuring wider than those units overflows every static text.
TEST_F(GdiDrawingTest, TheDialogFacesMeasureAsTheDialogBaseUnits) {
    CClientDC dc(&w);
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (const char* face : {"MS Shell Dlg", "MS Sans Serif"}) {
        SCOPED_TRACE(face);
        LOGFONT lf{};
        lf.lfHeight = -11;  // 8 points at 96 dots per inch
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        CFont* old = dc.SelectObject(&font);
        const CSize extent = dc.GetTextExtent(letters, 52);
        TEXTMETRIC metrics{};
        ASSERT_TRUE(dc.GetTextMetrics(&metrics));
        dc.SelectObject(old);
        EXPECT_EQ((extent.cx / 26 + 1) / 2, ORBEL_DIALOG_BASE_UNIT_X);
        EXPECT_EQ(metrics.tmHeight, ORBEL_DIALOG_BASE_UNIT_Y);
    }
}

TEST_F(GdiDrawingTest, BitBltCopiesFromABitmapAndStretchBltScales) {
    const DWORD pixels[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};  // 2 x 2, ARGB
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 32, pixels));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 2);
    CClientDC dc(&w);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&dc));
    CBitmap* old = memory.SelectObject(&bitmap);
    dc.BitBlt(40, 40, 2, 2, &memory, 0, 0, SRCCOPY);
    EXPECT_EQ(At(40, 40), RGB(255, 0, 0));
    EXPECT_EQ(At(41, 40), RGB(0, 255, 0));
    EXPECT_EQ(At(40, 41), RGB(0, 0, 255));
    dc.StretchBlt(0, 20, 8, 8, &memory, 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(At(3, 23), RGB(255, 0, 0));
    EXPECT_EQ(At(7, 27), RGB(255, 255, 255));
    memory.SelectObject(old);
}

TEST_F(GdiDrawingTest, PaintIsClippedToTheInvalidPart) {
    w.fill = RGB(10, 20, 30);
    CRect part(0, 0, 8, 8);
    w.InvalidateRect(&part);
    w.UpdateWindow();
    EXPECT_EQ(At(2, 2), RGB(10, 20, 30));
    EXPECT_EQ(At(20, 20), RGB(255, 255, 255));
}

TEST_F(GdiDrawingTest, ObjectsSelectedInADCAreNotDeleted) {
    CClientDC dc(&w);
    CPen* pen = new CPen(PS_SOLID, 1, RGB(1, 1, 1));
    dc.SelectObject(pen);
    EXPECT_FALSE(::DeleteObject(pen->m_hObject)) << "still selected";
    dc.SelectStockObject(BLACK_PEN);
    EXPECT_TRUE(pen->DeleteObject());
    delete pen;
}
