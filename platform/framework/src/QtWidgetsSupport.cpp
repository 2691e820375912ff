#include "QtWidgetsSupport.h"

#include <framework/Wnd.h>

#include "WindowImpl.h"
#include "WindowState.h"

namespace orbel {

void EnsureQtApplication() {
    window::EnsureQtApp();
}

QWidget* DialogParentOf(HWND owner) {
    QWidget* widget = owner ? window::WidgetOf(owner) : nullptr;
    return widget ? widget->window() : nullptr;
}

HWND ActiveOwnerWindow() {
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

}  // namespace orbel
