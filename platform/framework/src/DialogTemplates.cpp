#include "DialogTemplates.h"

#include <framework/ControlStyles.h>
#include <framework/DialogUnits.h>

#include "ControlSupport.h"
#include "GdiObjects.h"
#include "WindowImpl.h"

#include <QFont>

#include <cstring>

namespace orbel::dialogs {

RECT PixelRect(const DialogTemplate& tmpl) {
    RECT r{tmpl.x, tmpl.y, tmpl.x + tmpl.cx, tmpl.y + tmpl.cy};
    ::MapDialogRect(nullptr, &r);
    return r;
}

void FitClientSize(HWND window, const DialogTemplate& tmpl) {
    const RECT wanted = PixelRect(tmpl);
    RECT client{}, outer{};
    ::GetClientRect(window, &client);
    ::GetWindowRect(window, &outer);
    const int dx = (wanted.right - wanted.left) - (client.right - client.left);
    const int dy = (wanted.bottom - wanted.top) - (client.bottom - client.top);
    if (dx == 0 && dy == 0) return;
    ::SetWindowPos(window, nullptr, 0, 0, (outer.right - outer.left) + dx, (outer.bottom - outer.top) + dy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CreateControls(HWND window, const DialogTemplate& tmpl) {
    controls::RegisterStandardControls();
    CWnd* parent = CWnd::FromHandle(window);
    for (const DialogItemTemplate& item : tmpl.items) {
        RECT r{item.x, item.y, item.x + item.cx, item.y + item.cy};
        ::MapDialogRect(window, &r);
        // The controls belong to the dialog; no object of the program stands
        // behind them until DDX_Control binds one.
        CWnd maker;
        if (!maker.CreateEx(item.exStyle, item.windowClass.c_str(), item.text.c_str(), item.style | WS_CHILD, r, parent,
                            item.id))
            return false;
        maker.Detach();
    }
    return true;
}

void ApplyDialogFont(HWND window, const DialogTemplate& tmpl) {
    QWidget* widget = window::WidgetOf(window);
    if (!widget) return;
    // Points at 96 dpi, in pixels, so that the layout does not depend on the
    // screen; the face stands in for the template's as GDI fonts do.
    LOGFONT lf = gdi::DefaultLogFont();
    lf.lfHeight = -((tmpl.fontSize * 96 + 36) / 72);
    if (!tmpl.fontName.empty())
        std::strncpy(lf.lfFaceName, tmpl.fontName.c_str(), LF_FACESIZE - 1);
    widget->setFont(gdi::ToQFont(lf));
}

}  // namespace orbel::dialogs
