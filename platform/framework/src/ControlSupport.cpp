#include "ControlSupport.h"

#include "WindowImpl.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <mutex>

namespace orbel::controls {

void NotifyCommand(HWND control, UINT code) {
    HWND parent = ::GetParent(control);
    if (!parent) return;
    const int id = ::GetDlgCtrlID(control);
    ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, NMHDR& hdr) {
    HWND parent = ::GetParent(control);
    if (!parent) return 0;
    hdr.hwndFrom = control;
    hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(control));
    return ::SendMessage(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

QString ToQt(const char* text) { return QString::fromUtf8(text ? text : ""); }
QString ToQt(const std::string& text) { return QString::fromUtf8(text.c_str()); }
std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

LRESULT CopyText(const std::string& text, WPARAM max, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || max == 0) return 0;
    const size_t n = std::min(text.size(), static_cast<size_t>(max) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

DWORD StyleOf(HWND control) {
    return window::IsLive(control) ? control->style : 0;
}

void StoreText(HWND control, const std::string& text) {
    if (window::IsLive(control)) control->text = text;
}

void FollowEnabledFlag(HWND control, QWidget* widget, bool initiallyEnabled) {
    // A control has no child windows of its own, so disabling its widget
    // touches nothing but itself; parents are never disabled in Qt.
    control->applyEnabled = [widget](bool enabled) { widget->setEnabled(enabled); };
    widget->setEnabled(initiallyEnabled);
}

void Guard(const std::function<void()>& reaction) {
    window::Guarded([&]() -> LRESULT {
        reaction();
        return 0;
    });
}

void RegisterStandardControls() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterButtonClass();
        RegisterEditClass();
        RegisterStaticClass();
        RegisterListBoxClass();
        RegisterComboBoxClass();
        RegisterUpDownClass();
        RegisterTabControlClass();
    });
}

namespace {
// The classes exist as soon as the framework is loaded.
const bool registered = (RegisterStandardControls(), true);
}  // namespace

}  // namespace orbel::controls
