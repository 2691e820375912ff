// "STATIC": labels and frames. They take no input and send nothing.
#include "ControlSupport.h"

#include "WindowImpl.h"

#include <QFrame>
#include <QLabel>

namespace orbel::controls {
namespace {

class StaticLabel : public QLabel {
public:
    StaticLabel(QWidget* parent) : QLabel(parent) {}
    HANDLE image = nullptr;  // STM_SETIMAGE keeps it for STM_GETIMAGE
};

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
    case SS_ICON:
        break;  // the text names a resource; the picture comes with STM_SETIMAGE
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
    case STM_SETIMAGE:
    case STM_SETICON: {
        if (!label) return 0;
        HANDLE previous = label->image;
        label->image = reinterpret_cast<HANDLE>(message == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
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
