#include "WindowImage.h"

#include <algorithm>
#include <cstdint>

namespace orbel::window {

struct ImageStore {
    std::unique_ptr<QRgb[]> pixels;
    int width = 0;  // pixels per row
    int height = 0;
};

namespace {

// A store bigger than this many times the image it serves is given back.
constexpr std::int64_t kMaxSpareFactor = 4;

using StoreReference = std::shared_ptr<ImageStore>;

void DropReference(void* reference) { delete static_cast<StoreReference*>(reference); }

// An image over the store's memory. Every image made here, and every copy
// of it, keeps the store alive.
QImage ImageOver(const StoreReference& store, QSize size) {
    return QImage(reinterpret_cast<uchar*>(store->pixels.get()), size.width(), size.height(),
                  static_cast<qsizetype>(store->width) * 4, QImage::Format_RGB32, DropReference,
                  new StoreReference(store));
}

// Only the record and its one image (no copy of it) use the store, so its
// pixels may change in place.
bool UsedOnlyBy(const QImage& image, const StoreReference& store) {
    return store != nullptr && store.use_count() == 2 && image.isDetached() &&
           image.constBits() == reinterpret_cast<const uchar*>(store->pixels.get());
}

bool Fits(const ImageStore& store, QSize size) {
    const std::int64_t capacity = static_cast<std::int64_t>(store.width) * store.height;
    const std::int64_t needed = static_cast<std::int64_t>(size.width()) * size.height();
    return size.width() <= store.width && size.height() <= store.height && needed * kMaxSpareFactor >= capacity;
}

// Fills what lies outside the top left `kept` rectangle.
void FillOutside(QImage& image, QSize kept, QRgb background) {
    const int keptWidth = std::min(kept.width(), image.width());
    const int keptHeight = std::min(kept.height(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (y < keptHeight)
            std::fill(row + keptWidth, row + image.width(), background);
        else
            std::fill(row, row + image.width(), background);
    }
}

}  // namespace

void ResizeRetainedImage(QImage& image, std::shared_ptr<ImageStore>& store, QSize size, QRgb background) {
    const QSize old = image.size();
    if (size.isEmpty()) {
        image = QImage(size, QImage::Format_RGB32);
        return;
    }
    if (UsedOnlyBy(image, store) && Fits(*store, size)) {
        // The rows keep their stride, so every kept pixel stays where it is.
        image = QImage();
        image = ImageOver(store, size);
        FillOutside(image, old, background);
        return;
    }
    auto fresh = std::make_shared<ImageStore>();
    fresh->pixels.reset(new QRgb[static_cast<std::size_t>(size.width()) * size.height()]);
    fresh->width = size.width();
    fresh->height = size.height();
    QImage resized = ImageOver(fresh, size);
    const int keptWidth = std::min(old.width(), size.width());
    const int keptHeight = std::min(old.height(), size.height());
    for (int y = 0; y < keptHeight; ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(image.constScanLine(y)), keptWidth,
                    reinterpret_cast<QRgb*>(resized.scanLine(y)));
    FillOutside(resized, QSize(keptWidth, keptHeight), background);
    image = std::move(resized);
    store = std::move(fresh);
}

}  // namespace orbel::window
