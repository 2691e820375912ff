// Window records, handle lookups and the registry of window classes.
#include "WindowState.h"
#include "WindowImage.h"

#include <QApplication>
#include <QMenuBar>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace orbel::window {

namespace {
std::string UpperCase(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

State& GetState() {
    static State* state = new State;  // outlives static destructors of plug-ins and tests
    return *state;
}

HWND__* Record(HWND hWnd) {
    State& s = GetState();
    if (hWnd == nullptr || s.live.count(hWnd) == 0)
        return nullptr;
    return hWnd;
}

HWND NewRecord() {
    State& s = GetState();
    s.records.push_back(std::make_unique<HWND__>());
    HWND h = s.records.back().get();
    h->sequence = s.nextSequence++;
    s.live.insert(h);
    s.liveInOrder.emplace(h->sequence, h);
    return h;
}

void ForgetRecord(HWND hWnd) {
    State& s = GetState();
    s.live.erase(hWnd);
    s.liveInOrder.erase(hWnd->sequence);
    s.topLevels.erase(std::remove(s.topLevels.begin(), s.topLevels.end(), hWnd), s.topLevels.end());
    for (auto it = s.byWidget.begin(); it != s.byWidget.end();) {
        if (it->second == hWnd)
            it = s.byWidget.erase(it);
        else
            ++it;
    }
    if (s.focus == hWnd)
        s.focus = nullptr;
    if (s.capture == hWnd)
        s.capture = nullptr;
    if (s.active == hWnd)
        s.active = nullptr;
    hWnd->image = QImage();
    hWnd->imageStore.reset();
    hWnd->imageComing = false;
    hWnd->overlay.clear();
    hWnd->overlayArea = QRegion();
    hWnd->updateRegion = QRegion();
}

void EnsureQtApp() {
    static bool hooked = false;
    if (QCoreApplication::instance() != nullptr) {
        if (!hooked) {
            hooked = true;
            InstallKeyFilter();
            RegisterPresentTarget();
        }
        return;
    }
    static int argc = 1;
    static char name[] = "Orbel";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    hooked = true;
    InstallKeyFilter();
    RegisterPresentTarget();
}

void RegisterWindowClassImpl(WindowClassImpl windowClass) {
    std::string key = UpperCase(windowClass.name);
    GetState().classes[key] = std::move(windowClass);
}

const WindowClassImpl* FindWindowClassImpl(const std::string& name) {
    auto& classes = GetState().classes;
    auto it = classes.find(UpperCase(name));
    return it == classes.end() ? nullptr : &it->second;
}

bool IsLive(HWND hWnd) { return Record(hWnd) != nullptr; }

QWidget* WidgetOf(HWND hWnd) {
    HWND__* r = Record(hWnd);
    return r ? r->widget : nullptr;
}

HWND HwndOf(const QWidget* widget) {
    auto& map = GetState().byWidget;
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        auto it = map.find(w);
        if (it != map.end())
            return it->second;
    }
    return nullptr;
}

HWND TopLevelOf(HWND hWnd) {
    HWND__* r = Record(hWnd);
    while (r != nullptr && r->parent != nullptr && (r->style & WS_CHILD))
        r = Record(r->parent);
    return r;
}

std::vector<HWND> TopLevelWindows() { return GetState().topLevels; }

QImage* ImageOf(HWND hWnd) {
    HWND__* r = Record(hWnd);
    SettleImage(r);
    return r ? &r->image : nullptr;
}

void ShowImage(HWND hWnd, const QRect* area) {
    HWND__* r = Record(hWnd);
    if (r == nullptr || r->widget == nullptr)
        return;
    if (area != nullptr)
        r->widget->update(*area);
    else
        r->widget->update();
}

void ResizeImage(HWND__* r) {
    QSize size(std::max(0, r->rect.width()), std::max(0, r->rect.height()));
    if (r->image.size() == size)
        return;
    SettleImage(r);
    ResizeRetainedImage(r->image, r->imageStore, size, r->background);
    // The frame of bordered windows lives in the image too.
    const WindowInsets& in = r->insets;
    const int menuHeight = r->menuBar ? r->menuBar->height() : 0;
    if (in.left > 0 || in.right > 0 || in.bottom > 0 || in.top - menuHeight > 0) {
        const QRgb dark = 0xFF808080, light = 0xFFFFFFFF;
        const int w = r->image.width(), h = r->image.height();
        for (int x = 0; x < w; ++x) {
            for (int t = menuHeight; t < in.top && t < h; ++t)
                r->image.setPixel(x, t, dark);
            for (int b = 0; b < in.bottom && b < h; ++b)
                r->image.setPixel(x, h - 1 - b, in.bottom > 1 ? light : dark);
        }
        for (int y = menuHeight; y < h; ++y) {
            for (int l = 0; l < in.left && l < w; ++l)
                r->image.setPixel(l, y, dark);
            for (int rr = 0; rr < in.right && rr < w; ++rr)
                r->image.setPixel(w - 1 - rr, y, in.right > 1 ? light : dark);
        }
    }
}

void UpdateInsets(HWND__* r) {
    WindowInsets in;
    const bool child = (r->style & WS_CHILD) != 0;
    const bool caption = (r->style & WS_CAPTION) == WS_CAPTION;
    if (child || !caption) {
        int border = 0;
        if (r->style & WS_DLGFRAME)
            border = 3;
        else if (r->style & WS_BORDER)
            border = 1;
        if (r->exStyle & WS_EX_CLIENTEDGE)
            border += 2;
        if (r->exStyle & WS_EX_STATICEDGE)
            border += 1;
        in = {border, border, border, border};
    }
    if (r->menuBar != nullptr)
        in.top += r->menuBar->sizeHint().height();
    r->insets = in;
    if (r->menuBar != nullptr)
        r->menuBar->setGeometry(0, 0, std::max(0, r->rect.width()), r->menuBar->sizeHint().height());
}

QPoint ClientOrigin(HWND__* r) {
    QPoint p(r->insets.left, r->insets.top);
    if (r->widget != nullptr)
        return r->widget->mapToGlobal(p);
    return r->rect.topLeft() + p;
}

void ApplyGeometry(HWND__* r) {
    if (r->widget == nullptr)
        return;
    QRect g = r->rect;
    if ((r->style & WS_CHILD) && r->parent != nullptr) {
        if (HWND__* p = Record(r->parent))
            g.translate(p->insets.left, p->insets.top);
    }
    r->widget->setGeometry(g);
    if (r->menuBar != nullptr)
        r->menuBar->setGeometry(0, 0, std::max(0, g.width()), r->menuBar->sizeHint().height());
}

} // namespace orbel::window

QRect HWND__::clientRect() const {
    return QRect(insets.left, insets.top, std::max(0, rect.width() - insets.left - insets.right),
                 std::max(0, rect.height() - insets.top - insets.bottom));
}
