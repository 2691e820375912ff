// "STATIC": labels, frames and pictures. They take no input and send nothing.
#include "ControlSupport.h"

#include <framework/Resources.h>

#include "GdiObjects.h"
#include "WindowImpl.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>

#include <cstdlib>

namespace orbel::controls {
namespace {

class StaticLabel : public QLabel {
public:
    StaticLabel(QWidget* parent) : QLabel(parent) {}
    HANDLE image = nullptr;  // STM_SETIMAGE keeps it for STM_GETIMAGE
};

// A bitmap static names its picture by resource id: "145" or "#145".
QImage resourcePicture(const char* name) {
    if (!name) return {};
    if (*name == '#') ++name;
    char* end = nullptr;
    const long id = std::strtol(name, &end, 10);
    if (end == name || *end != '\0') return {};
    const BitmapResource* bitmap = AfxFindBitmap(nullptr, static_cast<UINT>(id));
    if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0 ||
        bitmap->pixels.size() < static_cast<size_t>(bitmap->width) * static_cast<size_t>(bitmap->height))
        return {};
    QImage image(bitmap->width, bitmap->height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap->height; ++y)
        for (int x = 0; x < bitmap->width; ++x)
            image.setPixel(x, y, bitmap->pixels[static_cast<size_t>(y) * bitmap->width + x]);
    return image;
}

void showPicture(StaticLabel& label, const QImage& image) {
    if (image.isNull()) label.clear();
    else label.setPixmap(QPixmap::fromImage(image));
}

QWidget* makeStatic(HWND h, QWidget* parent, const CREATESTRUCT& cs) {
    const DWORD style = static_cast<DWORD>(cs.style);
    const DWORD type = style & SS_TYPEMASK;
    auto* label = new StaticLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents, !(style & SS_NOTIFY));
    switch (type) {
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        break;
    case SS_ETCHEDFRAME:
        label->setFrameStyle(QFrame::Box | QFrame::Sunken);
        break;
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
        label->setAutoFillBackground(true);
        break;
    case SS_BITMAP:
        showPicture(*label, resourcePicture(cs.lpszName));
        label->setAlignment((style & SS_CENTERIMAGE) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
        break;
    case SS_ICON:
        break;
    default:
        label->setText(ToQt(cs.lpszName));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
        label->setAlignment((type == SS_CENTER ? Qt::AlignHCenter : type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft) |
                            ((style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop));
        break;
    }
    if (style & SS_SUNKEN) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FollowEnabledFlag(h, label, !(style & WS_DISABLED));
    return label;
}

LRESULT staticProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* label = dynamic_cast<StaticLabel*>(window::WidgetOf(h));
    switch (message) {
    case WM_SETTEXT: {
        const DWORD type = StyleOf(h) & SS_TYPEMASK;
        if (label && type != SS_BITMAP && type != SS_ICON) label->setText(ToQt(reinterpret_cast<const char*>(lParam)));
        return ::DefWindowProc(h, message, wParam, lParam);
    }
    case WM_CREATE: {
        // A picture static takes the size of its picture, as on Windows.
        const LRESULT result = ::DefWindowProc(h, message, wParam, lParam);
        if (label && (StyleOf(h) & SS_TYPEMASK) == SS_BITMAP && !(StyleOf(h) & SS_CENTERIMAGE)) {
            const QPixmap picture = label->pixmap();
            if (!picture.isNull())
                ::SetWindowPos(h, nullptr, 0, 0, picture.width(), picture.height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return result;
    }
    case STM_SETIMAGE:
    case STM_SETICON: {
        if (!label) return 0;
        HANDLE previous = label->image;
        label->image = reinterpret_cast<HANDLE>(message == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
        if (message == STM_SETIMAGE && wParam == IMAGE_BITMAP) {
            const gdi::Object* bitmap = gdi::FromHandle(reinterpret_cast<HGDIOBJ>(lParam));
            showPicture(*label, bitmap && bitmap->kind == gdi::Kind::Bitmap ? bitmap->image : QImage());
        }
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE:
    case STM_GETICON:
        return label ? reinterpret_cast<LRESULT>(label->image) : 0;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

}  // namespace

void RegisterStaticClass() {
    window::RegisterWindowClassImpl({"STATIC", makeStatic, staticProc, 0});
}

}  // namespace orbel::controls
