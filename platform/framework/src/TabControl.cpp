// "SysTabControl32": a row of tabs over a display area. The pages are the
// program's own sibling windows; the control only reports the user's choice:
// TCN_SELCHANGING (a non-zero answer keeps the old tab), then TCN_SELCHANGE.
// TCM_SETCURSEL changes the tab silently.
#include "ControlSupport.h"

#include "WindowImpl.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTabBar>

#include <cstring>
#include <vector>

namespace orbel::controls {
namespace {

class TabBar : public QTabBar {
public:
    TabBar(HWND h, QWidget* parent) : QTabBar(parent), m_hwnd(h) {
        setDrawBase(false);
        setExpanding(false);
        // Windows' tabs are as wide as their text plus a few pixels; the
        // tools panel's three tabs must fit side by side.
        setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 6px; }"));
        setUsesScrollButtons(true);
    }

    // Changes the tab the way the user does.
    void choose(int index) {
        if (index < 0 || index >= count() || index == currentIndex()) return;
        NMHDR changing{};
        changing.code = TCN_SELCHANGING;
        if (NotifyParent(m_hwnd, changing) != 0) return;
        {
            const QSignalBlocker quiet(this);
            setCurrentIndex(index);
        }
        NMHDR changed{};
        changed.code = TCN_SELCHANGE;
        NotifyParent(m_hwnd, changed);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        const int index = tabAt(e->position().toPoint());
        Guard([this, index] { choose(index); });
    }
    void mouseReleaseEvent(QMouseEvent*) override {}
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Left) Guard([this] { choose(currentIndex() - 1); });
        else if (e->key() == Qt::Key_Right) Guard([this] { choose(currentIndex() + 1); });
        else e->ignore();
    }
    void wheelEvent(QWheelEvent*) override {}

private:
    HWND m_hwnd;
};

class TabControl : public QWidget {
public:
    TabControl(HWND h, QWidget* parent) : QWidget(parent) {
        frame = new QFrame(this);
        frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        bar = new TabBar(h, this);
        bar->raise();
    }
    int stripHeight() const { return bar->count() ? bar->sizeHint().height() : bar->minimumSizeHint().height(); }

    TabBar* bar;
    QFrame* frame;
    std::vector<LPARAM> itemData;

    void relayout() {
        const int strip = stripHeight();
        bar->setGeometry(0, 0, width(), strip);
        frame->setGeometry(0, strip - 2, width(), height() - strip + 2);
    }

protected:
    void resizeEvent(QResizeEvent*) override { relayout(); }
};

// Space between the display area and the control's edges below the tabs.
constexpr int kBorder = 4;

QWidget* makeTabControl(HWND h, QWidget* parent, const CREATESTRUCT& cs) {
    auto* tabs = new TabControl(h, parent);
    tabs->bar->setFocusPolicy((cs.style & TCS_FOCUSNEVER) ? Qt::NoFocus : Qt::TabFocus);
    FollowEnabledFlag(h, tabs, !(cs.style & WS_DISABLED));
    return tabs;
}

LRESULT tabControlProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tabs = dynamic_cast<TabControl*>(window::WidgetOf(h));
    if (!tabs) return ::DefWindowProc(h, message, wParam, lParam);
    TabBar& bar = *tabs->bar;
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    const bool valid = index >= 0 && index < bar.count();
    switch (message) {
    case TCM_INSERTITEMA: {
        const auto* item = reinterpret_cast<const TCITEMA*>(lParam);
        if (!item || index < 0) return -1;
        const int at = std::min(index, bar.count());
        {
            const QSignalBlocker quiet(&bar);
            bar.insertTab(at, (item->mask & TCIF_TEXT) ? ToQt(item->pszText) : QString());
        }
        tabs->itemData.insert(tabs->itemData.begin() + at, (item->mask & TCIF_PARAM) ? item->lParam : 0);
        tabs->relayout();
        return at;
    }
    case TCM_SETITEMA: {
        const auto* item = reinterpret_cast<const TCITEMA*>(lParam);
        if (!valid || !item) return FALSE;
        if (item->mask & TCIF_TEXT) bar.setTabText(index, ToQt(item->pszText));
        if (item->mask & TCIF_PARAM) tabs->itemData[static_cast<size_t>(index)] = item->lParam;
        return TRUE;
    }
    case TCM_GETITEMA: {
        auto* item = reinterpret_cast<TCITEMA*>(lParam);
        if (!valid || !item) return FALSE;
        if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0)
            CopyText(FromQt(bar.tabText(index)), static_cast<WPARAM>(item->cchTextMax),
                     reinterpret_cast<LPARAM>(item->pszText));
        if (item->mask & TCIF_PARAM) item->lParam = tabs->itemData[static_cast<size_t>(index)];
        return TRUE;
    }
    case TCM_DELETEITEM: {
        if (!valid) return FALSE;
        const QSignalBlocker quiet(&bar);
        bar.removeTab(index);
        tabs->itemData.erase(tabs->itemData.begin() + index);
        return TRUE;
    }
    case TCM_DELETEALLITEMS: {
        const QSignalBlocker quiet(&bar);
        while (bar.count()) bar.removeTab(0);
        tabs->itemData.clear();
        return TRUE;
    }
    case TCM_GETITEMCOUNT: return bar.count();
    case TCM_GETCURSEL: return bar.currentIndex();
    case TCM_GETCURFOCUS: return bar.currentIndex();
    case TCM_SETCURSEL:
    case TCM_SETCURFOCUS: {
        const int previous = bar.currentIndex();
        if (!valid) return -1;
        const QSignalBlocker quiet(&bar);
        bar.setCurrentIndex(index);
        return previous;
    }
    case TCM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!valid || !rect) return FALSE;
        const QRect r = bar.tabRect(index);
        *rect = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        return TRUE;
    }
    case TCM_ADJUSTRECT: {
        // wParam FALSE: window rectangle -> display area; TRUE: the reverse.
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect) return 0;
        const int strip = tabs->stripHeight();
        if (wParam) {
            rect->left -= kBorder;
            rect->right += kBorder;
            rect->top -= strip + kBorder;
            rect->bottom += kBorder;
        } else {
            rect->left += kBorder;
            rect->right -= kBorder;
            rect->top += strip + kBorder;
            rect->bottom -= kBorder;
        }
        return 0;
    }
    default: return ::DefWindowProc(h, message, wParam, lParam);
    }
}

}  // namespace

void RegisterTabControlClass() {
    window::RegisterWindowClassImpl({"SysTabControl32", makeTabControl, tabControlProc, 0});
}

}  // namespace orbel::controls
