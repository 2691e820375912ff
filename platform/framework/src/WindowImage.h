// Internal: the memory behind a window's retained image. While a frame lays
// itself out its windows are resized many times; the image keeps its pixels
// in a buffer at least as large as the window, so that a resize within that
// buffer moves and allocates nothing.
#pragma once

#include <QImage>

#include <memory>

namespace orbel::window {

struct ImageStore;

// Gives `image` the size `size` in Format_RGB32 (a null image when the size
// is empty). Pixels inside both the old and the new size keep their values;
// the others are `background`. The memory comes from `store` while nobody
// but `image` uses it and it is large enough (and not wastefully so);
// otherwise a new store is made for the new size.
void ResizeRetainedImage(QImage& image, std::shared_ptr<ImageStore>& store, QSize size, QRgb background);

}  // namespace orbel::window
