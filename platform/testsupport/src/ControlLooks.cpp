#include <testsupport/ControlLooks.h>

#include <framework/WindowAccess.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace orbel::test {

std::vector<std::string> ClippedLabels(HWND dialog) {
    std::vector<std::string> clipped;
    if (!window::IsLive(dialog)) return clipped;
    for (HWND child : window::ChildrenOf(dialog)) {
        auto* label = qobject_cast<QLabel*>(window::WidgetOf(child));
        if (!label || label->text().isEmpty()) continue;
        const int margin = label->margin();
        const QRect room = label->contentsRect().marginsRemoved(QMargins(margin, margin, margin, margin));
        // A word too long for its line sticks out to the right even when
        // the label wraps; lines that do not fit stick out at the bottom.
        const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
        const QRect needed = QFontMetrics(label->font()).boundingRect(room, flags, label->text());
        if (needed.width() > room.width() || needed.height() > room.height())
            clipped.push_back(label->text().toStdString());
    }
    return clipped;
}

bool ShowsSelection(HWND edit) {
    auto* line = qobject_cast<QLineEdit*>(window::WidgetOf(edit));
    return line != nullptr && line->hasSelectedText();
}

}  // namespace orbel::test
