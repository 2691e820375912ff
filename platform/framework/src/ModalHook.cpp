// The installed modal hook, and whether anybody could answer a modal.
#include <framework/ModalHook.h>

#include "HeadlessModals.h"
#include "QtWidgetsSupport.h"

#include <QGuiApplication>

#include <utility>

namespace orbel::modal {
namespace {

Hook& Installed() {
    static Hook* hook = new Hook;
    return *hook;
}

}  // namespace

Hook SetHook(Hook hook) { return std::exchange(Installed(), std::move(hook)); }

bool HasHook() { return static_cast<bool>(Installed()); }

std::optional<Answer> Ask(const std::string& kind, const std::string& description) {
    if (!Installed()) return std::nullopt;
    return Installed()(kind, description);
}

}  // namespace orbel::modal

bool orbel::NobodyToAnswerModals() {
    orbel::EnsureQtApplication();
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}
