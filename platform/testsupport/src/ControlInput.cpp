#include <testsupport/ControlInput.h>

#include <framework/ControlStyles.h>

#include <framework/WindowAccess.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabBar>
#include <QToolButton>

namespace orbel::test {

namespace {

template <class Widget>
Widget* widgetAs(HWND h) {
    QWidget* w = window::WidgetOf(h);
    if (!w) return nullptr;
    if (auto* direct = qobject_cast<Widget*>(w)) return direct;
    return w->findChild<Widget*>();
}

}  // namespace

void ClickButton(HWND button) {
    // Owner-drawn buttons have no widget of their own; they take the click
    // as a message.
    if (auto* b = widgetAs<QAbstractButton>(button))
        b->click();
    else
        ::SendMessage(button, BM_CLICK, 0, 0);
}

void ChooseListLine(HWND listBox, int line) {
    if (auto* list = widgetAs<QListWidget>(listBox)) list->setCurrentRow(line);
}

void ChooseComboLine(HWND comboBox, int line) {
    auto* combo = widgetAs<QComboBox>(comboBox);
    if (!combo) return;
    combo->setCurrentIndex(line);
    emit combo->activated(line);
}

void ChooseTab(HWND tabControl, int tab) {
    auto* bar = widgetAs<QTabBar>(tabControl);
    if (!bar || tab < 0 || tab >= bar->count()) return;
    const QPointF at = bar->tabRect(tab).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &release);
}

void ClickUpDown(HWND upDown, bool up) {
    QWidget* w = window::WidgetOf(upDown);
    if (!w) return;
    for (auto* arrow : w->findChildren<QToolButton*>()) {
        const Qt::ArrowType type = arrow->arrowType();
        const bool isUp = type == Qt::UpArrow || type == Qt::RightArrow;
        if (isUp == up) {
            arrow->click();
            return;
        }
    }
}

void TypeIntoEdit(HWND edit, const char* text) {
    auto* line = widgetAs<QLineEdit>(edit);
    if (!line) return;
    line->selectAll();
    line->insert(QString::fromUtf8(text ? text : ""));
}

}  // namespace orbel::test
