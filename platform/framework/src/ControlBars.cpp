// Control bars: the common docking part, the tool bar and the status bars.
#include "WindowState.h"

#include <framework/CmdUI.h>
#include <framework/ControlBars.h>
#include <framework/FrameWnd.h>
#include <framework/Gdi.h>
#include <framework/Resources.h>

#include <QPainter>

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

constexpr int kStatusHeight = 20;
constexpr int kPaneGap = 2;
constexpr int kSeparatorWidth = 8;
constexpr int kToolBarBorder = 2;

// Window styles without the bar bits that share their numbers.
DWORD WindowStyleOf(DWORD style) { return (style & ~static_cast<DWORD>(CBRS_ALL)) | WS_CHILD; }

void PaintPaneRow(CWnd* wnd, const std::vector<std::pair<CRect, CString>>& panes, const std::vector<bool>& borders) {
    CPaintDC dc(wnd);
    CRect client;
    wnd->GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    for (std::size_t i = 0; i < panes.size(); ++i) {
        CRect r = panes[i].first;
        if (borders[i])
            dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        r.DeflateRect(3, 1);
        dc.DrawText(panes[i].second, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

// Update handlers of a tool-bar button.
class CToolCmdUI : public CCmdUI {
public:
    UINT* style = nullptr;
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        *style = bOn ? (*style & ~static_cast<UINT>(TBBS_DISABLED)) : (*style | TBBS_DISABLED);
    }
    void SetCheck(int nCheck) override {
        *style = nCheck ? (*style | TBBS_CHECKED) : (*style & ~static_cast<UINT>(TBBS_CHECKED));
    }
    void SetText(LPCTSTR) override {}
};

// Update handlers of a status-bar pane.
class CStatusCmdUI : public CCmdUI {
public:
    CStatusBar* bar = nullptr;
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
        style = bOn ? (style & ~static_cast<UINT>(SBPS_DISABLED)) : (style | SBPS_DISABLED);
        bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
    }
    void SetCheck(int) override {}
    void SetText(LPCTSTR lpszText) override { bar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }
};

} // namespace

// ---- CControlBar ----
BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
    if (m_pDockSite != nullptr && ::IsWindow(m_pDockSite->GetSafeHwnd()))
        m_pDockSite->RemoveControlBar(this);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CRect r;
    GetWindowRect(&r);
    if (bStretch)
        return bHorz ? CSize(32767, r.Height()) : CSize(r.Width(), 32767);
    return r.Size();
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }

BOOL CControlBar::IsVisible() const { return IsWindowVisible(); }

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

void CControlBar::AttachToFrame(CWnd* pParentWnd) {
    CWnd* w = pParentWnd;
    while (w != nullptr && !w->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        w = w->GetParent();
    m_pDockSite = static_cast<CFrameWnd*>(w);
    if (m_pDockSite != nullptr) {
        m_pDockSite->AddControlBar(this);
        m_pDockSite->RecalcLayout();
    }
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM) {
        LRESULT result = 0;
        if (OnWndMsg(message, wParam, lParam, &result))
            return result;
        if (m_pDockSite != nullptr)
            return m_pDockSite->SendMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    return m_pDockSite != nullptr && m_pDockSite->SendMessage(WM_COMMAND, wParam, lParam) != 0;
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    if (m_pDockSite == nullptr)
        return FALSE;
    *pResult = m_pDockSite->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}

void CControlBar::OnDestroy() {
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    CWnd::OnDestroy();
}

void CControlBar::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
}

LRESULT CControlBar::OnIdleUpdate(WPARAM, LPARAM) {
    if (m_pDockSite != nullptr)
        OnUpdateCmdUI(m_pDockSite, TRUE);
    return 0;
}

// ---- CToolBar ----
BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CToolBar::CToolBar() = default;

CToolBar::~CToolBar() {
    if (m_hBitmap != nullptr)
        ::DeleteObject(reinterpret_cast<HGDIOBJ>(m_hBitmap));
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, CRect, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    if ((m_dwStyle & CBRS_ALIGN_ANY) == 0)
        m_dwStyle |= CBRS_ALIGN_TOP;
    if (!CWnd::CreateEx(0, nullptr, nullptr, WindowStyleOf(dwStyle), 0, 0, 0, m_sizeButton.cy + 2 * kToolBarBorder,
                        pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    AttachToFrame(pParentWnd);
    return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName) {
    HBITMAP bitmap = ::LoadBitmap(nullptr, lpszResourceName);
    if (bitmap == nullptr)
        return FALSE;
    if (m_hBitmap != nullptr)
        ::DeleteObject(reinterpret_cast<HGDIOBJ>(m_hBitmap));
    m_hBitmap = bitmap;
    BITMAP info{};
    CBitmap::FromHandle(bitmap)->GetBitmap(&info);
    if (info.bmHeight != m_sizeImage.cy) {
        // Images are one pixel wider than high, as the usual 16 x 15.
        SetSizes(CSize(info.bmHeight + 1 + 7, info.bmHeight + 7), CSize(info.bmHeight + 1, info.bmHeight));
    }
    Invalidate();
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_pDockSite != nullptr)
        m_pDockSite->RecalcLayout();
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    m_buttons.clear();
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        const UINT id = lpIDArray ? lpIDArray[i] : 0;
        if (id == ID_SEPARATOR)
            m_buttons.push_back({0, TBBS_SEPARATOR, -1});
        else
            m_buttons.push_back({id, TBBS_BUTTON, image++});
    }
    Invalidate();
    if (m_pDockSite != nullptr)
        m_pDockSite->RecalcLayout();
    return TRUE;
}

int CToolBar::GetCount() const { return static_cast<int>(m_buttons.size()); }

UINT CToolBar::GetItemID(int nIndex) const {
    return (nIndex >= 0 && nIndex < GetCount()) ? m_buttons[static_cast<std::size_t>(nIndex)].id : 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
    for (int i = 0; i < GetCount(); ++i)
        if (m_buttons[static_cast<std::size_t>(i)].id == nIDFind && nIDFind != 0)
            return i;
    return -1;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    int x = kToolBarBorder + ((m_dwStyle & CBRS_GRIPPER) ? 6 : 0);
    for (int i = 0; i < GetCount(); ++i) {
        const bool separator = m_buttons[static_cast<std::size_t>(i)].style & TBBS_SEPARATOR;
        const int width = separator ? kSeparatorWidth : m_sizeButton.cx;
        if (i == nIndex) {
            *lpRect = RECT{x, kToolBarBorder, x + width, kToolBarBorder + m_sizeButton.cy};
            return;
        }
        x += width;
    }
    *lpRect = RECT{0, 0, 0, 0};
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
    return (nIndex >= 0 && nIndex < GetCount()) ? m_buttons[static_cast<std::size_t>(nIndex)].style : 0;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    UINT& style = m_buttons[static_cast<std::size_t>(nIndex)].style;
    if (style != nStyle) {
        style = nStyle;
        CRect r;
        GetItemRect(nIndex, &r);
        InvalidateRect(&r);
    }
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    int width = 2 * kToolBarBorder + ((m_dwStyle & CBRS_GRIPPER) ? 6 : 0);
    for (const Button& b : m_buttons)
        width += (b.style & TBBS_SEPARATOR) ? kSeparatorWidth : m_sizeButton.cx;
    const int height = m_sizeButton.cy + 2 * kToolBarBorder;
    if (bHorz)
        return CSize(bStretch ? 32767 : width, height);
    return CSize(m_sizeButton.cx + 2 * kToolBarBorder, bStretch ? 32767 : width);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    for (int i = 0; i < GetCount(); ++i) {
        Button& b = m_buttons[static_cast<std::size_t>(i)];
        if (b.style & TBBS_SEPARATOR)
            continue;
        UINT style = b.style;
        CToolCmdUI state;
        state.style = &style;
        state.m_pOther = this;
        state.m_nID = b.id;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(GetCount());
        state.DoUpdate(pTarget, bDisableIfNoHndler);
        SetButtonStyle(i, style);
    }
}

int CToolBar::HitTest(CPoint point) const {
    for (int i = 0; i < GetCount(); ++i) {
        CRect r;
        GetItemRect(i, &r);
        if (r.PtInRect(point))
            return (m_buttons[static_cast<std::size_t>(i)].style & TBBS_SEPARATOR) ? -1 : i;
    }
    return -1;
}

void CToolBar::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    if (m_dwStyle & CBRS_GRIPPER)
        dc.Draw3dRect(kToolBarBorder + 1, kToolBarBorder + 1, 3, m_sizeButton.cy - 2, ::GetSysColor(COLOR_BTNHIGHLIGHT),
                      ::GetSysColor(COLOR_BTNSHADOW));
    CDC images;
    images.CreateCompatibleDC(&dc);
    CBitmap* old = m_hBitmap ? images.SelectObject(CBitmap::FromHandle(m_hBitmap)) : nullptr;
    for (int i = 0; i < GetCount(); ++i) {
        const Button& b = m_buttons[static_cast<std::size_t>(i)];
        CRect r;
        GetItemRect(i, &r);
        if (b.style & TBBS_SEPARATOR) {
            dc.FillSolidRect(r.left + kSeparatorWidth / 2 - 1, r.top + 2, 1, r.Height() - 4, ::GetSysColor(COLOR_BTNSHADOW));
            continue;
        }
        const bool down = (b.style & TBBS_CHECKED) || i == m_nPressed;
        if (down)
            dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        if (m_hBitmap == nullptr || b.image < 0)
            continue;
        const int x = r.left + (r.Width() - m_sizeImage.cx) / 2 + (down ? 1 : 0);
        const int y = r.top + (r.Height() - m_sizeImage.cy) / 2 + (down ? 1 : 0);
        dc.BitBlt(x, y, m_sizeImage.cx, m_sizeImage.cy, &images, b.image * m_sizeImage.cx, 0, SRCCOPY);
        if (b.style & TBBS_DISABLED) {
            // Disabled buttons are washed out towards the bar's face.
            if (QImage* image = orbel::window::ImageOf(m_hWnd)) {
                HWND__* rec = orbel::window::IsLive(m_hWnd) ? m_hWnd : nullptr;
                QPainter painter(image);
                QColor face(240, 240, 240, 170);
                const QPoint origin = rec ? rec->clientRect().topLeft() : QPoint();
                painter.fillRect(QRect(x + origin.x(), y + origin.y(), m_sizeImage.cx, m_sizeImage.cy), face);
            }
        }
    }
    if (old != nullptr)
        images.SelectObject(old);
}

void CToolBar::OnLButtonDown(UINT, CPoint point) {
    const int hit = HitTest(point);
    if (hit < 0 || (m_buttons[static_cast<std::size_t>(hit)].style & TBBS_DISABLED))
        return;
    m_nPressed = hit;
    SetCapture();
    Invalidate();
}

void CToolBar::OnLButtonUp(UINT, CPoint point) {
    if (m_nPressed < 0)
        return;
    const int pressed = m_nPressed;
    m_nPressed = -1;
    ::ReleaseCapture();
    Invalidate();
    if (HitTest(point) != pressed)
        return;
    const UINT id = m_buttons[static_cast<std::size_t>(pressed)].id;
    CWnd* target = m_pDockSite ? static_cast<CWnd*>(m_pDockSite) : GetParent();
    if (target != nullptr)
        target->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void CToolBar::OnMouseMove(UINT, CPoint point) {
    const int hit = HitTest(point);
    if (hit == m_nHover)
        return;
    m_nHover = hit;
    ShowHoverHelp();
}

LRESULT CToolBar::OnMouseLeave(WPARAM, LPARAM) {
    if (m_nHover >= 0) {
        m_nHover = -1;
        ShowHoverHelp();
    }
    return 0;
}

void CToolBar::ShowHoverHelp() {
    std::string text;
    if (m_nHover >= 0)
        AfxLoadString(GetItemID(m_nHover), text);
    const std::size_t newline = text.find('\n');
    const std::string prompt = text.substr(0, newline);
    const std::string tip = newline == std::string::npos ? std::string() : text.substr(newline + 1);
    if (m_dwStyle & CBRS_TOOLTIPS) {
        if (HWND__* r = orbel::window::Record(m_hWnd); r != nullptr && r->widget != nullptr)
            r->widget->setToolTip(QString::fromLocal8Bit(tip.c_str()));
    }
    if ((m_dwStyle & CBRS_FLYBY) && m_pDockSite != nullptr) {
        if (m_nHover >= 0)
            m_pDockSite->SetMessageText(prompt.c_str());
        else
            m_pDockSite->SetMessageText(AFX_IDS_IDLEMESSAGE);
    }
}

// ---- CStatusBarCtrl ----
CStatusBarCtrl::CStatusBarCtrl() { m_panes.resize(1); }
CStatusBarCtrl::~CStatusBarCtrl() = default;

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT&, CWnd* pParentWnd, UINT nID) {
    if (pParentWnd == nullptr)
        return FALSE;
    CRect parent;
    pParentWnd->GetClientRect(&parent);
    return CWnd::CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD, 0, parent.Height() - kStatusHeight, parent.Width(),
                          kStatusHeight, pParentWnd->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CStatusBarCtrl::SetParts(int nParts, int* pWidths) {
    if (nParts < 1 || nParts > 256)
        return FALSE;
    return static_cast<BOOL>(SendMessage(SB_SETPARTS, static_cast<WPARAM>(nParts), reinterpret_cast<LPARAM>(pWidths)));
}

int CStatusBarCtrl::GetParts(int nParts, int* pParts) const {
    for (int i = 0; pParts != nullptr && i < nParts && i < static_cast<int>(m_panes.size()); ++i)
        pParts[i] = m_panes[static_cast<std::size_t>(i)].right;
    return static_cast<int>(m_panes.size());
}

BOOL CStatusBarCtrl::SetText(LPCTSTR lpszText, int nPane, int nType) {
    return static_cast<BOOL>(
        SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nPane | nType), reinterpret_cast<LPARAM>(lpszText)));
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const {
    if (nPane < 0 || nPane >= static_cast<int>(m_panes.size()))
        return CString();
    if (pType)
        *pType = m_panes[static_cast<std::size_t>(nPane)].type;
    return m_panes[static_cast<std::size_t>(nPane)].text;
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const { return GetText(nPane, pType).GetLength(); }

void CStatusBarCtrl::PaintPanes() {
    CRect client;
    GetClientRect(&client);
    std::vector<std::pair<CRect, CString>> panes;
    std::vector<bool> borders;
    int left = 0;
    for (const Pane& p : m_panes) {
        const int right = p.right < 0 ? client.Width() : std::min<int>(p.right, client.Width());
        panes.emplace_back(CRect(left, 2, right, client.Height()), p.text);
        borders.push_back(!(p.type & SBT_NOBORDERS));
        left = right + kPaneGap;
    }
    PaintPaneRow(this, panes, borders);
}

LRESULT CStatusBarCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case SB_SETTEXTA: {
        const int pane = static_cast<int>(wParam & 0xFF);
        if (pane >= static_cast<int>(m_panes.size()))
            return FALSE;
        m_panes[static_cast<std::size_t>(pane)].text = lParam ? reinterpret_cast<LPCTSTR>(lParam) : "";
        m_panes[static_cast<std::size_t>(pane)].type = static_cast<int>(wParam & 0xFF00);
        // The new text shows at once, not at the next quiet moment.
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return TRUE;
    }
    case SB_GETTEXTLENGTHA:
        return GetTextLength(static_cast<int>(wParam));
    case SB_GETTEXTA: {
        const CString text = GetText(static_cast<int>(wParam));
        if (lParam != 0)
            std::memcpy(reinterpret_cast<char*>(lParam), text.GetString(), static_cast<std::size_t>(text.GetLength()) + 1);
        return text.GetLength();
    }
    case SB_SETPARTS: {
        const int n = static_cast<int>(wParam);
        const int* rights = reinterpret_cast<const int*>(lParam);
        if (rights == nullptr || n < 1)
            return FALSE;
        m_panes.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            m_panes[static_cast<std::size_t>(i)].right = rights[i];
        Invalidate();
        return TRUE;
    }
    case WM_SETTEXT:
        return SendMessage(SB_SETTEXTA, 0, lParam);
    case WM_PAINT:
        PaintPanes();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

// ---- CStatusBar ----
CStatusBar::CStatusBar() = default;
CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    if ((m_dwStyle & CBRS_ALIGN_ANY) == 0)
        m_dwStyle |= CBRS_ALIGN_BOTTOM;
    if (!CWnd::CreateEx(0, nullptr, nullptr, WindowStyleOf(dwStyle), 0, 0, 0, kStatusHeight,
                        pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    AttachToFrame(pParentWnd);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    m_panes.clear();
    for (int i = 0; i < nIDCount; ++i) {
        Pane p;
        p.id = lpIDArray ? lpIDArray[i] : 0;
        std::string text;
        if (p.id != 0 && AfxLoadString(p.id, text))
            p.text = text.c_str();
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        p.cx = dc.GetTextExtent(p.text).cx;
        m_panes.push_back(p);
    }
    if (!m_panes.empty())
        m_panes[0].style = SBPS_NOBORDERS | SBPS_STRETCH;
    Invalidate();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[static_cast<std::size_t>(i)].id == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return (nIndex >= 0 && nIndex < GetCount()) ? m_panes[static_cast<std::size_t>(nIndex)].id : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    CRect client;
    GetClientRect(&client);
    // Fixed panes sit at the right; the stretching one takes what is left.
    int fixed = 0;
    for (const Pane& p : m_panes)
        if (!(p.style & SBPS_STRETCH))
            fixed += p.cx + 2 * 3 + kPaneGap;
    int stretch = std::max(0, static_cast<int>(client.Width()) - fixed - kPaneGap);
    int x = 0;
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& p = m_panes[static_cast<std::size_t>(i)];
        const int width = (p.style & SBPS_STRETCH) ? stretch : p.cx + 2 * 3;
        if (i == nIndex) {
            *lpRect = RECT{x, 2, x + width, client.bottom};
            return;
        }
        x += width + kPaneGap;
    }
    *lpRect = RECT{0, 0, 0, 0};
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& p = m_panes[static_cast<std::size_t>(nIndex)];
    p.id = nID;
    p.style = nStyle;
    p.cx = cxWidth;
    Invalidate();
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const Pane& p = m_panes[static_cast<std::size_t>(nIndex)];
    nID = p.id;
    nStyle = p.style;
    cxWidth = p.cx;
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
    return (nIndex >= 0 && nIndex < GetCount()) ? m_panes[static_cast<std::size_t>(nIndex)].style : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[static_cast<std::size_t>(nIndex)].style == nStyle)
        return;
    m_panes[static_cast<std::size_t>(nIndex)].style = nStyle;
    Invalidate();
}

CString CStatusBar::GetPaneText(int nIndex) const {
    return (nIndex >= 0 && nIndex < GetCount()) ? m_panes[static_cast<std::size_t>(nIndex)].text : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& p = m_panes[static_cast<std::size_t>(nIndex)];
    const CString text(lpszNewText ? lpszNewText : "");
    if (p.text == text)
        return TRUE;
    p.text = text;
    if (bUpdate) {
        CRect r;
        GetItemRect(nIndex, &r);
        RedrawWindow(&r, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL) { return CSize(bStretch ? 32767 : 200, kStatusHeight); }

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<std::size_t>(i)].id == 0)
            continue;
        CStatusCmdUI state;
        state.bar = this;
        state.m_pOther = this;
        state.m_nID = m_panes[static_cast<std::size_t>(i)].id;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(GetCount());
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CStatusBar::PaintPanes() {
    std::vector<std::pair<CRect, CString>> panes;
    std::vector<bool> borders;
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& p = m_panes[static_cast<std::size_t>(i)];
        CRect r;
        GetItemRect(i, &r);
        panes.emplace_back(r, (p.style & SBPS_DISABLED) ? CString() : p.text);
        borders.push_back(!(p.style & SBPS_NOBORDERS));
    }
    PaintPaneRow(this, panes, borders);
}

LRESULT CStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case SB_SETTEXTA:
        return SetPaneText(static_cast<int>(wParam & 0xFF), reinterpret_cast<LPCTSTR>(lParam), TRUE);
    case SB_GETTEXTA: {
        const CString text = GetPaneText(static_cast<int>(wParam & 0xFF));
        if (lParam != 0)
            std::memcpy(reinterpret_cast<char*>(lParam), text.GetString(), static_cast<std::size_t>(text.GetLength()) + 1);
        return text.GetLength();
    }
    case SB_GETTEXTLENGTHA:
        return GetPaneText(static_cast<int>(wParam & 0xFF)).GetLength();
    case WM_SETTEXT:
        return SetPaneText(0, reinterpret_cast<LPCTSTR>(lParam), TRUE);
    case WM_PAINT:
        PaintPanes();
        return 0;
    default:
        return CControlBar::WindowProc(message, wParam, lParam);
    }
}
