// Direct3D presents into the retained images of windows. Presented images
// arrive late: Present returns while the rasteriser still draws, so that the
// next view's drawing overlaps it. What a paint draws after presenting (a
// view's title, its axis triad, its focus frame) is recorded and replayed
// over the image when it lands. Every drawing call stays as it is, only the
// device it paints on changes, and the replay paints the same pixels onto
// the same image as drawing straight onto it would: composing a transparent
// layer instead blends anti-aliased text differently where the platform
// corrects text gamma on opaque images.
#include "WindowState.h"

#include <d3d8/PresentTarget.h>

#include <QPainter>

#include <utility>

namespace orbel::window {

namespace {

void ClearOverlay(HWND__* r) {
    r->overlay.clear();
    r->overlayArea = QRegion();
}

// Replays what GDI drew while the image was on its way over the image.
void ComposeOverlay(HWND__* r) {
    if (r->overlay.empty())
        return;
    if (!r->image.isNull()) {
        QPainter painter(&r->image);
        for (const QPicture& drawing : r->overlay)
            painter.drawPicture(0, 0, drawing);
        painter.end();
        const QRect shown = r->overlayArea.boundingRect();
        ShowImage(r, &shown);
    }
    ClearOverlay(r);
}

class WindowPresentTarget final : public IPresentTarget {
public:
    bool GetClientSize(HWND hWnd, int& width, int& height) override {
        HWND__* r = Record(hWnd);
        if (r == nullptr)
            return false;
        const QRect c = r->clientRect();
        width = c.width();
        height = c.height();
        return true;
    }

    bool TakesLateImages() override { return true; }

    void ImageComing(HWND hWnd) override {
        HWND__* r = Record(hWnd);
        if (r == nullptr || r->image.isNull())
            return;
        r->imageComing = true;
        // Drawn over an image that this one replaces, it is covered by it.
        ClearOverlay(r);
    }

    void PresentImage(HWND hWnd, const void* bgra, int width, int height, int pitch) override {
        HWND__* r = Record(hWnd);
        if (r == nullptr)
            return;
        const bool wasComing = std::exchange(r->imageComing, false);
        if (bgra != nullptr && width > 0 && height > 0 && !r->image.isNull()) {
            // B, G, R, A bytes are ARGB32 words on this little-endian platform.
            const QImage source(static_cast<const uchar*>(bgra), width, height, pitch, QImage::Format_RGB32);
            const QRect client = r->clientRect();
            QPainter painter(&r->image);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(client, source);
            painter.end();
            ShowImage(hWnd, &client);
        }
        if (wasComing)
            ComposeOverlay(r);
    }
};

} // namespace

void RegisterPresentTarget() {
    static WindowPresentTarget target;
    D3D8SetPresentTarget(&target);
}

void SettleImage(HWND__* r) {
    if (r == nullptr || !r->imageComing)
        return;
    D3D8LandPresentsFor(r);
    // Whatever became of the image, what was drawn meanwhile is shown.
    if (r->imageComing) {
        r->imageComing = false;
        ComposeOverlay(r);
    }
}

void SettleImages() { D3D8LandPresents(); }

QPaintDevice& DrawingTarget(HWND__* r, const QRegion& area) {
    if (!r->imageComing)
        return r->image;
    r->overlayArea += area;
    return r->overlay.emplace_back();
}

} // namespace orbel::window
