// Direct3D presents into the retained images of windows. Presented images
// arrive late: Present returns while the rasteriser still draws, so that the
// next view's drawing overlaps it. What a paint draws after presenting (a
// view's title, its axis triad, its focus frame) goes into an overlay that
// is composed over the image when it lands. Every drawing call stays as it
// is, only its target changes, and composing premultiplied pixels over the
// image gives the bytes that drawing straight onto it gives, for
// anti-aliased text as well.
#include "WindowState.h"

#include <d3d8/PresentTarget.h>

#include <QPainter>

#include <utility>

namespace orbel::window {

namespace {

void ClearOverlay(HWND__* r) {
    if (r->overlayArea.isEmpty())
        return;
    QPainter painter(&r->overlay);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : r->overlayArea)
        painter.fillRect(rect, Qt::transparent);
    painter.end();
    r->overlayArea = QRegion();
}

// Draws what GDI drew while the image was on its way over the image.
void ComposeOverlay(HWND__* r) {
    if (r->overlayArea.isEmpty())
        return;
    if (!r->image.isNull() && r->overlay.size() == r->image.size()) {
        QPainter painter(&r->image);
        painter.setClipRegion(r->overlayArea);
        painter.drawImage(0, 0, r->overlay);
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

QImage& DrawingImage(HWND__* r, const QRegion& area) {
    if (!r->imageComing)
        return r->image;
    if (r->overlay.size() != r->image.size()) {
        r->overlay = QImage(r->image.size(), QImage::Format_ARGB32_Premultiplied);
        r->overlay.fill(Qt::transparent);
        r->overlayArea = QRegion();
    }
    r->overlayArea += area;
    return r->overlay;
}

} // namespace orbel::window
