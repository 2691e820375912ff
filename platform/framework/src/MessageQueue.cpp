// The Win32-like message queue on top of Qt's event loop.
//
// Posted messages wait in our own queue and are handled one per turn of the
// Qt loop, in the order posted, so nested loops (modal dialogs, popup menus)
// keep delivering them. WM_PAINT is made from invalidated regions only when
// the queue is empty, as Win32 does; after a batch of messages the idle work
// (update handlers of bars) runs once.
#include "WindowHooks.h"
#include "WindowState.h"

#include <framework/Exceptions.h>
#include <framework/FailureReport.h>
#include <framework/WinApp.h>
#include <framework/Wnd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>

#include <cstring>
#include <exception>

namespace orbel::window {

namespace {

const QEvent::Type kPumpEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class Pump : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() != kPumpEvent)
            return QObject::event(e);
        GetState().pumpPosted = false;
        if (GetState().flushing) {
            GetState().pumpDeferred = true;  // messages wait until the screen is up to date
            return true;
        }
        if (PumpOne())
            SchedulePump();
        else
            SettleImages();  // whatever loop runs, it is about to wait
        return true;
    }
};

Pump* ThePump() {
    static QPointer<Pump> pump;
    if (pump.isNull())
        pump = new Pump;
    return pump.data();
}

bool HasWork() {
    State& s = GetState();
    if (!s.queue.empty() || s.idleNeeded)
        return true;
    for (HWND h : s.live)
        if (!h->updateRegion.isEmpty())
            return true;
    return false;
}

HWND FindPaintWindow() {
    // Oldest window first: parents are made before their children.
    for (const auto& [sequence, h] : GetState().liveInOrder)
        if (!h->updateRegion.isEmpty())
            return h;
    return nullptr;
}

// Counts a message or modal loop as running while it lives.
struct RunningLoop {
    RunningLoop() { ++GetState().loopsRunning; }
    ~RunningLoop() { --GetState().loopsRunning; }
    RunningLoop(const RunningLoop&) = delete;
    RunningLoop& operator=(const RunningLoop&) = delete;
};

// Presented images land before a loop sleeps.
void WaitForEvents() {
    SettleImages();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

void RunIdle() {
    State& s = GetState();
    s.inIdle = true;
    Guarded([] {
        if (CWinApp* app = AfxGetApp())
            app->OnIdle(0);
        else
            for (HWND h : TopLevelWindows())
                ::SendMessage(h, WM_IDLEUPDATECMDUI, TRUE, 0);
        return LRESULT(0);
    });
    s.inIdle = false;
}

void ProcessQueued(const QueuedMessage& q) {
    MSG m = q.msg;
    State& s = GetState();
    if (q.hasInputState) {
        s.modifiers = q.modifiers;
        s.buttons = q.buttons;
    }
    if (IsButtonDown(m.message) && Record(m.hwnd)) {
        // Activation and focus come before the button message.
        LRESULT r = ::SendMessage(m.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(TopLevelOf(m.hwnd)),
                                  MAKELPARAM(HTCLIENT, m.message));
        if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT)
            return;
        if (!Record(m.hwnd))
            return;
    }
    s.pendingChar = q.charCode;
    BOOL translated = FALSE;
    s.current.push_back(m);
    translated = static_cast<BOOL>(Guarded([&m]() -> LRESULT {
        if (CWinApp* app = AfxGetApp())
            return app->PreTranslateMessage(&m);
        return PreTranslateKey(m.hwnd, m.message, m.wParam, m.lParam) ? TRUE : FALSE;
    }));
    s.current.pop_back();
    if (!translated) {
        ::TranslateMessage(&m);
        ::DispatchMessage(&m);
    }
    s.pendingChar = 0;
}

} // namespace

void PostInput(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned charCode) {
    State& s = GetState();
    QueuedMessage q;
    q.msg = MSG{hWnd, message, wParam, lParam, 0, {s.cursor.x(), s.cursor.y()}};
    q.charCode = charCode;
    q.hasInputState = true;
    q.modifiers = s.modifiers;
    q.buttons = s.buttons;
    s.queue.push_back(q);
    SchedulePump();
}

void SchedulePump() {
    State& s = GetState();
    if (s.pumpPosted || QCoreApplication::instance() == nullptr)
        return;
    s.pumpPosted = true;
    QCoreApplication::postEvent(ThePump(), new QEvent(kPumpEvent), Qt::LowEventPriority);
}

bool PumpOne() {
    State& s = GetState();
    if (!s.queue.empty()) {
        QueuedMessage q = s.queue.front();
        s.queue.pop_front();
        if (q.msg.message == WM_QUIT) {
            s.quit = true;
            s.exitCode = static_cast<int>(q.msg.wParam);
            return true;
        }
        if (q.msg.hwnd != nullptr && !Record(q.msg.hwnd))
            return true;  // the window went away meanwhile
        const bool needsIdle = q.msg.message != WM_PAINT && q.msg.message != WM_MOUSEMOVE;
        if (needsIdle)
            s.idleNeeded = true;
        ProcessQueued(q);
        // A modal loop inside the handler (a file dialog) ran the idle pass
        // before the handler was done; what it changed after (the title
        // after Save As) is caught up now.
        if (needsIdle)
            s.idleNeeded = true;
        return true;
    }
    if (HWND h = FindPaintWindow()) {
        PaintNow(h);
        return true;
    }
    if (s.idleNeeded && !s.inIdle) {
        s.idleNeeded = false;
        RunIdle();
        return true;
    }
    return false;
}

void FlushToScreen(HWND hWnd) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    State& s = GetState();
    HWND__* r = Record(hWnd);
    if (r == nullptr || r->widget == nullptr || s.flushing || !r->widget->window()->isVisible())
        return;
    // A running loop shows an image on its way as soon as it lands, before
    // the loop waits again; without one it must land now.
    if (r->imageComing && s.loopsRunning > 0)
        return;
    SettleImages();
    s.flushing = true;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if ((r = Record(hWnd)) != nullptr && r->widget != nullptr)
        r->widget->repaint();
    s.flushing = false;
    if (s.pumpDeferred) {
        s.pumpDeferred = false;
        SchedulePump();
    }
}

void PaintNow(HWND hWnd) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || r->updateRegion.isEmpty())
        return;
    ::SendMessage(hWnd, WM_PAINT, 0, 0);
    // A handler that never validates would otherwise be painted forever.
    if ((r = Record(hWnd)) != nullptr)
        r->updateRegion = QRegion();
}

void RunUntilIdle() {
    EnsureQtApp();
    // Whatever changed before, the idle work (titles, bar states) catches up.
    GetState().idleNeeded = true;
    // No loop runs here to end: a quit left over must not stop later loops.
    GetState().quit = false;
    for (int round = 0; round < 100000; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        bool worked = false;
        while (PumpOne())
            worked = true;
        if (!worked && !HasWork())
            break;
    }
    SettleImages();
}

int RunMessageLoop() {
    EnsureQtApp();
    State& s = GetState();
    s.quit = false;
    const RunningLoop running;
    SchedulePump();
    while (!s.quit) {
        WaitForEvents();
        // Everything that is ready is handled before waiting again.
        while (!s.quit && PumpOne()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        if (s.topLevels.empty() && s.queue.empty())
            break;
    }
    s.quit = false;  // this loop has taken the quit
    return s.exitCode;
}

int RunModalLoop(HWND hWnd) {
    EnsureQtApp();
    HWND__* r = Record(hWnd);
    if (r == nullptr)
        return -1;
    r->modalLoopRunning = true;
    r->modalResult = -1;
    const RunningLoop running;
    SchedulePump();
    while (true) {
        r = Record(hWnd);
        if (r == nullptr || !r->modalLoopRunning || GetState().quit)
            break;
        WaitForEvents();
        while (PumpOne()) {
            r = Record(hWnd);
            if (r == nullptr || !r->modalLoopRunning)
                break;
        }
    }
    r = Record(hWnd);
    if (r == nullptr)
        return hWnd->modalResult;  // record memory stays valid after destruction
    r->modalLoopRunning = false;
    return r->modalResult;
}

void EndModalLoop(HWND hWnd, int result) {
    if (HWND__* r = Record(hWnd)) {
        r->modalResult = result;
        r->modalLoopRunning = false;
    } else if (hWnd != nullptr) {
        hWnd->modalResult = result;
        hWnd->modalLoopRunning = false;
    }
    // Wake the loop up so it sees the end.
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::postEvent(ThePump(), new QEvent(QEvent::None));
}

LRESULT Guarded(const std::function<LRESULT()>& f, LRESULT fallback) {
    try {
        return f();
    } catch (CException* e) {
        if (CWinApp* app = AfxGetApp()) {
            MSG none{};
            const MSG* m = GetState().current.empty() ? &none : &GetState().current.back();
            app->ProcessWndProcException(e, m);
        } else if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) {
            e->ReportError(MB_OK | MB_ICONEXCLAMATION);
        }
        e->Delete();
    } catch (const std::exception& e) {
        orbel::ReportFailure(e.what(), MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
        orbel::ReportFailure("An unexpected error occurred.", MB_OK | MB_ICONEXCLAMATION);
    }
    return fallback;
}

} // namespace orbel::window

using namespace orbel::window;

BOOL PostMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && !Record(hWnd))
        return FALSE;
    State& s = GetState();
    MSG m{hWnd, msg, wParam, lParam, 0, {s.cursor.x(), s.cursor.y()}};
    QueuedMessage q;
    q.msg = m;
    s.queue.push_back(q);
    SchedulePump();
    return TRUE;
}

namespace {

// Hands a message to a live window's procedure, sent or posted alike.
LRESULT Deliver(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    State& s = GetState();
    MSG m{hWnd, msg, wParam, lParam, 0, {s.cursor.x(), s.cursor.y()}};
    s.current.push_back(m);
    LRESULT r = AfxWndProc(hWnd, msg, wParam, lParam);
    s.current.pop_back();
    return r;
}

} // namespace

LRESULT SendMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Record(hWnd))
        return 0;
    ShowSentMessageToHooks(hWnd, msg, wParam, lParam);
    return Deliver(hWnd, msg, wParam, lParam);
}

void PostQuitMessage(int nExitCode) {
    State& s = GetState();
    QueuedMessage q;
    q.msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(nExitCode), 0, 0, {0, 0}};
    s.queue.push_back(q);
    SchedulePump();
}

BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    State& s = GetState();
    for (auto it = s.queue.begin(); it != s.queue.end(); ++it) {
        const MSG& m = it->msg;
        if (hWnd != nullptr && m.hwnd != hWnd)
            continue;
        if ((wMsgFilterMin || wMsgFilterMax) && (m.message < wMsgFilterMin || m.message > wMsgFilterMax))
            continue;
        if (lpMsg)
            *lpMsg = m;
        if (wRemoveMsg & PM_REMOVE) {
            s.pendingChar = it->charCode;
            s.queue.erase(it);
        }
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    EnsureQtApp();
    while (!PeekMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE))
        WaitForEvents();
    return lpMsg->message != WM_QUIT;
}

BOOL TranslateMessage(const MSG* lpMsg) {
    State& s = GetState();
    if (lpMsg == nullptr || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN) ||
        s.pendingChar == 0)
        return FALSE;
    MSG ch{lpMsg->hwnd, lpMsg->message == WM_KEYDOWN ? static_cast<UINT>(WM_CHAR) : static_cast<UINT>(WM_SYSCHAR),
           s.pendingChar, lpMsg->lParam, 0, lpMsg->pt};
    s.pendingChar = 0;
    QueuedMessage q;
    q.msg = ch;
    s.queue.push_front(q);
    SchedulePump();
    return TRUE;
}

LRESULT DispatchMessage(const MSG* lpMsg) {
    if (lpMsg == nullptr || !Record(lpMsg->hwnd))
        return 0;
    return Deliver(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

DWORD GetMessagePos() {
    const QPoint& p = GetState().cursor;
    return static_cast<DWORD>(MAKELONG(p.x(), p.y()));
}

LONG GetMessageTime() { return 0; }
