// The widget behind every window that draws for itself: it shows the
// retained image and turns Qt input into queued window messages.
#include "WindowState.h"

#include <win32/Paths.h>

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QUrl>
#include <QWheelEvent>

namespace orbel::window {

namespace {

class HostWidget : public QWidget {
public:
    HostWidget(HWND hWnd, QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags), m_hWnd(hWnd) {
        setMouseTracking(true);  // moves without buttons reach the window too
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        HWND__* r = Record(m_hWnd);
        SettleImage(r);
        if (r == nullptr || r->image.isNull())
            return;
        QPainter painter(this);
        painter.drawImage(e->rect(), r->image, e->rect());
    }

    void resizeEvent(QResizeEvent*) override {
        HWND__* r = Record(m_hWnd);
        if (r == nullptr || (r->style & WS_CHILD) || r->rect.size() == size())
            return;
        // The user or the desktop resized a top-level window.
        r->rect.setSize(size());
        UpdateInsets(r);
        ResizeImage(r);
        Invalidate(r, QRegion(), true);
        QRect c = r->clientRect();
        ::SendMessage(m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.width(), c.height()));
    }

    void moveEvent(QMoveEvent*) override {
        HWND__* r = Record(m_hWnd);
        if (r != nullptr && !(r->style & WS_CHILD))
            r->rect.moveTo(pos());
    }

    void mousePressEvent(QMouseEvent* e) override { PostMouse(e, ButtonMessage(e->button(), 0)); }
    void mouseReleaseEvent(QMouseEvent* e) override { PostMouse(e, ButtonMessage(e->button(), 1)); }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        HWND__* r = Record(m_hWnd);
        const bool dblClks = r != nullptr && (r->classStyle & 0x0008 /* CS_DBLCLKS */);
        PostMouse(e, ButtonMessage(e->button(), dblClks ? 2 : 0));
    }
    void mouseMoveEvent(QMouseEvent* e) override { PostMouse(e, WM_MOUSEMOVE); }
    void leaveEvent(QEvent*) override {
        if (Record(m_hWnd) != nullptr)
            ::PostMessage(m_hWnd, WM_MOUSELEAVE, 0, 0);
    }

    void wheelEvent(QWheelEvent* e) override {
        NoteModifiers(e->modifiers());
        NoteMouseButtons(e->buttons());
        const QPoint global = e->globalPosition().toPoint();
        NoteCursor(global);
        // The wheel goes to the window with the focus, as on Windows.
        HWND target = Record(GetState().focus) ? GetState().focus : m_hWnd;
        const int delta = e->angleDelta().y();
        if (delta == 0)
            return;
        PostInput(target, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeyFlags(), static_cast<WORD>(static_cast<short>(delta))),
                  MAKELPARAM(global.x(), global.y()));
        e->accept();
    }

    void keyPressEvent(QKeyEvent* e) override { PostKey(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { PostKey(e, false); }

    void focusInEvent(QFocusEvent* e) override {
        if (e->reason() == Qt::MouseFocusReason || e->reason() == Qt::TabFocusReason)
            ::SetFocus(m_hWnd);
    }

    void closeEvent(QCloseEvent* e) override {
        // The window decides itself whether and how it closes.
        e->ignore();
        ::PostMessage(m_hWnd, WM_CLOSE, 0, 0);
    }

    void dragEnterEvent(QDragEnterEvent* e) override {
        HWND__* r = Record(m_hWnd);
        if (r != nullptr && (r->exStyle & WS_EX_ACCEPTFILES) && e->mimeData()->hasUrls())
            e->acceptProposedAction();
    }

    void dropEvent(QDropEvent* e) override {
        HWND__* r = Record(m_hWnd);
        if (r == nullptr || !(r->exStyle & WS_EX_ACCEPTFILES))
            return;
        std::vector<std::string> files;
        for (const QUrl& url : e->mimeData()->urls())
            if (url.isLocalFile())
                files.push_back(orbel::ToProgramPath(url.toLocalFile().toStdString()));
        if (files.empty())
            return;
        const QPoint p = e->position().toPoint() - QPoint(r->insets.left, r->insets.top);
        ::PostMessage(m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(std::move(files), POINT{p.x(), p.y()})), 0);
        e->acceptProposedAction();
    }

private:
    static UINT ButtonMessage(Qt::MouseButton button, int kind) {
        UINT base = WM_LBUTTONDOWN;
        if (button == Qt::RightButton)
            base = WM_RBUTTONDOWN;
        else if (button == Qt::MiddleButton)
            base = WM_MBUTTONDOWN;
        else if (button != Qt::LeftButton)
            return 0;
        return base + static_cast<UINT>(kind);  // DOWN, UP, DBLCLK follow each other
    }

    void PostMouse(QMouseEvent* e, UINT message) {
        if (message == 0)
            return;
        NoteModifiers(e->modifiers());
        NoteMouseButtons(e->buttons());
        const QPoint global = e->globalPosition().toPoint();
        NoteCursor(global);
        State& s = GetState();
        HWND target = Record(s.capture) ? s.capture : m_hWnd;
        HWND__* r = Record(target);
        if (r == nullptr || (!r->enabled && target != s.capture))
            return;
        const QPoint client = global - ClientOrigin(r);
        PostInput(target, message, MouseKeyFlags(),
                      MAKELPARAM(static_cast<WORD>(static_cast<short>(client.x())), static_cast<WORD>(static_cast<short>(client.y()))));
        e->accept();
    }

    void PostKey(QKeyEvent* e, bool down) {
        NoteModifiers(e->modifiers());
        const UINT vk = VirtualKeyOf(e->key());
        if (vk == 0)
            return;
        State& s = GetState();
        s.keysDown[vk] = down;
        HWND target = Record(s.focus) ? s.focus : m_hWnd;
        HWND__* r = Record(target);
        if (r == nullptr || !r->enabled)
            return;
        const bool alt = e->modifiers() & Qt::AltModifier;
        UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        LPARAM lParam = 1 | (e->isAutoRepeat() ? (1L << 30) : 0) | (down ? 0 : (3L << 30));
        unsigned ch = 0;
        const QString text = e->text();
        if (down && !text.isEmpty()) {
            const QByteArray bytes = text.toLatin1();
            ch = bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes[0]);
        }
        PostInput(target, message, vk, lParam, ch);
        e->accept();
    }

    HWND m_hWnd;
};

} // namespace

QWidget* MakeHostWidget(HWND hWnd, QWidget* parent, bool topLevel, DWORD style) {
    Qt::WindowFlags flags;
    if (topLevel) {
        flags = Qt::Window;
        if ((style & WS_CAPTION) != WS_CAPTION)
            flags |= Qt::FramelessWindowHint;
        if (parent != nullptr && (style & WS_POPUP))
            flags |= Qt::Tool;
    }
    return new HostWidget(hWnd, parent, flags);
}

} // namespace orbel::window
