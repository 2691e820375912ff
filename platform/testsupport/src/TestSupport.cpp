// Test hooks: input through Qt events, images read back from the window
// records, scripted modals, recorded waits, temporary user folders.
#include <testsupport/TestSupport.h>

#include <framework/WindowAccess.h>
#include <win32/Paths.h>
#include <win32/SleepHook.h>

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <QWheelEvent>

#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace orbel::test {

namespace {

Qt::MouseButtons g_held;

Qt::KeyboardModifiers ModifiersOf(UINT mk) {
    Qt::KeyboardModifiers m;
    if (mk & MK_SHIFT)
        m |= Qt::ShiftModifier;
    if (mk & MK_CONTROL)
        m |= Qt::ControlModifier;
    return m;
}

Qt::MouseButton QtButton(Button b) {
    switch (b) {
    case Button::Right: return Qt::RightButton;
    case Button::Middle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
    }
}

// Widget position of a client point.
QPointF WidgetPoint(HWND hWnd, POINT p) {
    const QRect client = window::ClientRectOf(hWnd);
    return QPointF(p.x + client.left(), p.y + client.top());
}

void SendMouse(HWND hWnd, QEvent::Type type, Qt::MouseButton button, POINT point, UINT modifiers) {
    QWidget* w = window::WidgetOf(hWnd);
    if (w == nullptr)
        return;
    const QPointF local = WidgetPoint(hWnd, point);
    const QPointF global = w->mapToGlobal(local);
    QMouseEvent event(type, local, global, button, g_held, ModifiersOf(modifiers));
    QCoreApplication::sendEvent(w, &event);
}

QWidget* KeyTarget() {
    if (QWidget* w = window::WidgetOf(::GetFocus())) {
        // A control's own widget may hold the real focus inside it.
        QWidget* inner = QApplication::focusWidget();
        if (inner != nullptr && window::HwndOf(inner) == ::GetFocus())
            return inner;
        return w;
    }
    return QApplication::focusWidget();
}

void SendKey(QEvent::Type type, UINT vk, UINT modifiers, const QString& text) {
    QWidget* w = KeyTarget();
    if (w == nullptr)
        return;
    QKeyEvent event(type, window::QtKeyOf(vk), ModifiersOf(modifiers), text);
    QCoreApplication::sendEvent(w, &event);
}

QString TextOf(UINT vk, UINT modifiers) {
    if (modifiers & MK_CONTROL)
        return QString();
    if (vk >= 'A' && vk <= 'Z')
        return QString(QChar((modifiers & MK_SHIFT) ? static_cast<char>(vk) : static_cast<char>(std::tolower(static_cast<int>(vk)))));
    if ((vk >= '0' && vk <= '9') || vk == VK_SPACE)
        return QString(QChar(static_cast<char>(vk)));
    if (vk == VK_RETURN)
        return QStringLiteral("\r");
    if (vk == VK_BACK)
        return QStringLiteral("\b");
    if (vk == VK_ESCAPE)
        return QString(QChar(0x1b));
    return QString();
}

} // namespace

void EnsureApplication() {
    // A test run from a terminal without a desktop still gets its windows.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    window::EnsureApplication();
    modal::SetScripted(true);
}

void RunUntilIdle() { window::RunUntilIdle(); }

void SetProgramArguments(std::vector<std::string> arguments) { window::SetProgramArguments(std::move(arguments)); }

void MouseDown(HWND hWnd, Button button, POINT point, UINT modifiers) {
    g_held |= QtButton(button);
    SendMouse(hWnd, QEvent::MouseButtonPress, QtButton(button), point, modifiers);
}

void MouseUp(HWND hWnd, Button button, POINT point, UINT modifiers) {
    g_held &= ~QtButton(button);
    SendMouse(hWnd, QEvent::MouseButtonRelease, QtButton(button), point, modifiers);
}

void MouseMove(HWND hWnd, POINT point, UINT modifiers) {
    SendMouse(hWnd, QEvent::MouseMove, Qt::NoButton, point, modifiers);
}

void Click(HWND hWnd, Button button, POINT point, UINT modifiers) {
    MouseDown(hWnd, button, point, modifiers);
    MouseUp(hWnd, button, point, modifiers);
}

void Wheel(HWND hWnd, int delta, POINT point, UINT modifiers) {
    QWidget* w = window::WidgetOf(hWnd);
    if (w == nullptr)
        return;
    const QPointF local = WidgetPoint(hWnd, point);
    QWheelEvent event(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), g_held, ModifiersOf(modifiers),
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &event);
}

void KeyDown(UINT vk, UINT modifiers) { SendKey(QEvent::KeyPress, vk, modifiers, TextOf(vk, modifiers)); }

void KeyUp(UINT vk, UINT modifiers) { SendKey(QEvent::KeyRelease, vk, modifiers, TextOf(vk, modifiers)); }

void PressKey(UINT vk, UINT modifiers) {
    KeyDown(vk, modifiers);
    KeyUp(vk, modifiers);
}

void TypeText(const std::string& text) {
    for (char c : text) {
        const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
        const UINT vk = static_cast<UINT>(std::toupper(static_cast<unsigned char>(c)));
        QWidget* w = KeyTarget();
        if (w == nullptr)
            return;
        QKeyEvent down(QEvent::KeyPress, window::QtKeyOf(vk), upper ? Qt::ShiftModifier : Qt::NoModifier,
                       QString(QChar(c)));
        QCoreApplication::sendEvent(w, &down);
        QKeyEvent up(QEvent::KeyRelease, window::QtKeyOf(vk), upper ? Qt::ShiftModifier : Qt::NoModifier,
                     QString(QChar(c)));
        QCoreApplication::sendEvent(w, &up);
    }
}

void Focus(HWND hWnd) { ::SetFocus(hWnd); }

void DropFiles(HWND hWnd, const std::vector<std::string>& paths, POINT point) {
    // The drop lands on the nearest window that takes files, as Qt passes
    // drops up to the first widget that accepts them.
    HWND target = hWnd;
    while (target != nullptr && !(::GetWindowLong(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
        target = ::GetParent(target);
    if (target == nullptr)
        return;
    QWidget* w = window::WidgetOf(target);
    QMimeData mime;
    QList<QUrl> urls;
    for (const std::string& p : paths)
        urls.append(QUrl::fromLocalFile(QString::fromStdString(orbel::ToNativePath(p))));
    mime.setUrls(urls);
    const QPointF local = WidgetPoint(target, point);
    QDragEnterEvent enter(local.toPoint(), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &enter);
    QDropEvent drop(local, Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &drop);
}

std::string ToolTipOf(HWND hWnd) {
    const QWidget* widget = window::WidgetOf(hWnd);
    if (widget == nullptr)
        return "";
    return widget->toolTip().toLocal8Bit().toStdString();
}

std::vector<HWND> OwnedWindows(HWND owner) {
    std::vector<HWND> owned;
    for (HWND h : window::TopLevelWindows())
        if (window::OwnerOf(h) == owner)
            owned.push_back(h);
    return owned;
}

Image ReadWindowImage(HWND hWnd) {
    Image result;
    const QImage* image = window::ImageOf(hWnd);
    if (image == nullptr)
        return result;
    const QRect client = window::ClientRectOf(hWnd).intersected(image->rect());
    result.width = client.width();
    result.height = client.height();
    result.pixels.reserve(static_cast<std::size_t>(result.width) * result.height);
    for (int y = client.top(); y < client.top() + client.height(); ++y)
        for (int x = client.left(); x < client.left() + client.width(); ++x) {
            const QRgb c = image->pixel(x, y);
            result.pixels.push_back(RGB(qRed(c), qGreen(c), qBlue(c)));
        }
    return result;
}

int PaintCount(HWND hWnd) { return window::PaintCountOf(hWnd); }

void ScriptPopupMenu(UINT command, std::function<void(HMENU)> look) {
    modal::Answer a;
    a.result = static_cast<int>(command);
    a.look = std::move(look);
    modal::Push(modal::kPopupMenu, std::move(a));
}

void ScriptSavePrompt(int answer) {
    modal::Answer a;
    a.result = answer;
    modal::Push(modal::kSavePrompt, std::move(a));
}

SleepRecorder::SleepRecorder() {
    m_previous = orbel::SetSleepHook([this](DWORD ms) { m_waits.push_back(ms); });
}

SleepRecorder::~SleepRecorder() { orbel::SetSleepHook(m_previous); }

TemporaryUserFolders::TemporaryUserFolders() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orbel-home-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data()))
        m_root = made;
    std::filesystem::create_directories(ConfigHome());
    std::filesystem::create_directories(DataHome());
    std::filesystem::create_directories(CacheHome());
    if (const char* c = std::getenv("XDG_CONFIG_HOME")) {
        m_hadConfig = true;
        m_oldConfig = c;
    }
    if (const char* d = std::getenv("XDG_DATA_HOME")) {
        m_hadData = true;
        m_oldData = d;
    }
    setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1);
    if (const char* c = std::getenv("XDG_CACHE_HOME")) {
        m_hadCache = true;
        m_oldCache = c;
    }
    setenv("XDG_DATA_HOME", DataHome().c_str(), 1);
    setenv("XDG_CACHE_HOME", CacheHome().c_str(), 1);
}

TemporaryUserFolders::~TemporaryUserFolders() {
    if (m_hadConfig)
        setenv("XDG_CONFIG_HOME", m_oldConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    if (m_hadData)
        setenv("XDG_DATA_HOME", m_oldData.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    if (m_hadCache)
        setenv("XDG_CACHE_HOME", m_oldCache.c_str(), 1);
    else
        unsetenv("XDG_CACHE_HOME");
    std::error_code ec;
    if (!m_root.empty())
        std::filesystem::remove_all(m_root, ec);
}

} // namespace orbel::test
