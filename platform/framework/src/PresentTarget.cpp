// Direct3D presents into the retained images of windows.
#include "WindowState.h"

#include <d3d8/PresentTarget.h>

#include <QPainter>

namespace orbel::window {

namespace {

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

    void PresentImage(HWND hWnd, const void* bgra, int width, int height, int pitch) override {
        HWND__* r = Record(hWnd);
        if (r == nullptr || bgra == nullptr || width <= 0 || height <= 0 || r->image.isNull())
            return;
        // B, G, R, A bytes are ARGB32 words on this little-endian platform.
        const QImage source(static_cast<const uchar*>(bgra), width, height, pitch, QImage::Format_RGB32);
        const QRect client = r->clientRect();
        QPainter painter(&r->image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(client, source);
        painter.end();
        ShowImage(hWnd, &client);
    }
};

} // namespace

void RegisterPresentTarget() {
    static WindowPresentTarget target;
    D3D8SetPresentTarget(&target);
}

} // namespace orbel::window
