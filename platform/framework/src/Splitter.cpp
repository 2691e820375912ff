// Static splitter: panes on a grid, separated by draggable bars.
#include <framework/FrameWnd.h>
#include <framework/Gdi.h>
#include <framework/Splitter.h>
#include <framework/View.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

// Sizes of one dimension: ideal sizes from the start, the last takes the
// rest; a part smaller than its minimum is collapsed to nothing.
template <class Info>
void Layout(std::vector<Info>& infos, int total, int gap) {
    int remaining = total;
    for (std::size_t i = 0; i < infos.size(); ++i) {
        Info& info = infos[i];
        const bool last = i + 1 == infos.size();
        int size = last ? remaining : std::min(info.nIdealSize, remaining);
        if (size < info.nMinSize && !last)
            size = 0;
        size = std::max(0, size);
        info.nCurSize = size;
        remaining -= size;
        if (!last)
            remaining -= gap;
        remaining = std::max(0, remaining);
    }
}

} // namespace

CSplitterWnd::CSplitterWnd() = default;
CSplitterWnd::~CSplitterWnd() = default;

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    if (pParentWnd == nullptr || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16)
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    m_rowInfo.assign(static_cast<std::size_t>(nRows), RowColInfo{});
    m_colInfo.assign(static_cast<std::size_t>(nCols), RowColInfo{});
    CRect rect;
    pParentWnd->GetClientRect(&rect);
    return CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext) {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == nullptr || GetPane(row, col))
        return FALSE;
    m_colInfo[static_cast<std::size_t>(col)].nIdealSize = sizeInit.cx;
    m_rowInfo[static_cast<std::size_t>(row)].nIdealSize = sizeInit.cy;
    CObject* object = pViewClass->CreateObject();
    auto* pane = dynamic_cast<CWnd*>(object);
    if (pane == nullptr) {
        delete object;
        return FALSE;
    }
    CCreateContext context;
    if (pContext != nullptr)
        context = *pContext;
    context.m_pNewViewClass = pViewClass;
    if (!pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, sizeInit.cx, sizeInit.cy), this,
                      static_cast<UINT>(IdFromRowCol(row, col)), &context))
        return FALSE;  // the pane deleted itself
    return TRUE;
}

int CSplitterWnd::IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    return GetDlgItem(IdFromRowCol(row, col));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
    if (pWnd == nullptr || pWnd->GetParent() != this)
        return FALSE;
    const int id = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    if (id < 0 || id / 16 >= m_nRows || id % 16 >= m_nCols)
        return FALSE;
    if (pRow)
        *pRow = id / 16;
    if (pCol)
        *pCol = id % 16;
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
    const RowColInfo& info = m_rowInfo.at(static_cast<std::size_t>(row));
    cyCur = info.nCurSize;
    cyMin = info.nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
    RowColInfo& info = m_rowInfo.at(static_cast<std::size_t>(row));
    info.nIdealSize = cyIdeal;
    info.nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
    const RowColInfo& info = m_colInfo.at(static_cast<std::size_t>(col));
    cxCur = info.nCurSize;
    cxMin = info.nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
    RowColInfo& info = m_colInfo.at(static_cast<std::size_t>(col));
    info.nIdealSize = cxIdeal;
    info.nMinSize = cxMin;
}

void CSplitterWnd::RecalcLayout() {
    if (m_hWnd == nullptr || m_nRows == 0)
        return;
    CRect client;
    GetClientRect(&client);
    Layout(m_colInfo, client.Width(), kSplitterGap);
    Layout(m_rowInfo, client.Height(), kSplitterGap);
    int y = 0;
    for (int row = 0; row < m_nRows; ++row) {
        const int height = m_rowInfo[static_cast<std::size_t>(row)].nCurSize;
        int x = 0;
        for (int col = 0; col < m_nCols; ++col) {
            const int width = m_colInfo[static_cast<std::size_t>(col)].nCurSize;
            if (CWnd* pane = GetPane(row, col))
                pane->MoveWindow(x, y, width, height, TRUE);
            x += width + kSplitterGap;
        }
        y += height + kSplitterGap;
    }
    Invalidate(TRUE);
}

void CSplitterWnd::OnSize(UINT, int, int) { RecalcLayout(); }

void CSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    int x = 0;
    for (int col = 0; col + 1 < m_nCols; ++col) {
        x += m_colInfo[static_cast<std::size_t>(col)].nCurSize;
        dc.FillSolidRect(x, 0, kSplitterGap, client.Height(), face);
        x += kSplitterGap;
    }
    int y = 0;
    for (int row = 0; row + 1 < m_nRows; ++row) {
        y += m_rowInfo[static_cast<std::size_t>(row)].nCurSize;
        dc.FillSolidRect(0, y, client.Width(), kSplitterGap, face);
        y += kSplitterGap;
    }
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
    // Which divider is under the point: a column bar, or 100 + a row bar.
    int x = 0;
    for (int col = 0; col + 1 < m_nCols; ++col) {
        x += m_colInfo[static_cast<std::size_t>(col)].nCurSize;
        if (point.x >= x && point.x < x + kSplitterGap)
            m_nDragBar = col;
        x += kSplitterGap;
    }
    int y = 0;
    for (int row = 0; row + 1 < m_nRows; ++row) {
        y += m_rowInfo[static_cast<std::size_t>(row)].nCurSize;
        if (point.y >= y && point.y < y + kSplitterGap)
            m_nDragBar = 100 + row;
        y += kSplitterGap;
    }
    if (m_nDragBar >= 0) {
        m_ptDragStart = point;
        SetCapture();
    }
}

void CSplitterWnd::OnMouseMove(UINT, CPoint) {}

void CSplitterWnd::OnLButtonUp(UINT, CPoint point) {
    if (m_nDragBar < 0)
        return;
    const int bar = m_nDragBar;
    m_nDragBar = -1;
    ::ReleaseCapture();
    if (bar >= 100) {
        RowColInfo& info = m_rowInfo[static_cast<std::size_t>(bar - 100)];
        info.nIdealSize = std::max(0, info.nCurSize + point.y - m_ptDragStart.y);
    } else {
        RowColInfo& info = m_colInfo[static_cast<std::size_t>(bar)];
        info.nIdealSize = std::max(0, info.nCurSize + point.x - m_ptDragStart.x);
    }
    RecalcLayout();
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
    CFrameWnd* frame = GetParentFrame();
    CWnd* view = frame ? static_cast<CWnd*>(frame->GetActiveView()) : nullptr;
    if (view == nullptr || !IsChildPane(view, pRow, pCol)) {
        view = CWnd::GetFocus();
        if (view == nullptr || !IsChildPane(view, pRow, pCol))
            return nullptr;
    }
    return view;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
    CWnd* pane = pWnd ? pWnd : GetPane(row, col);
    if (pane == nullptr)
        return;
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && pane->IsKindOf(RUNTIME_CLASS(CView)))
        frame->SetActiveView(static_cast<CView*>(pane));
    else
        pane->SetFocus();
}

void CSplitterWnd::ActivateNext(BOOL bPrev) {
    int row = 0, col = 0;
    if (GetActivePane(&row, &col) == nullptr) {
        SetActivePane(0, 0);
        return;
    }
    const int count = m_nRows * m_nCols;
    int index = row * m_nCols + col;
    for (int step = 0; step < count; ++step) {
        index = (index + (bPrev ? count - 1 : 1)) % count;
        if (GetPane(index / m_nCols, index % m_nCols) != nullptr) {
            SetActivePane(index / m_nCols, index % m_nCols);
            return;
        }
    }
}

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CWnd* parent = GetParent();
    return parent != nullptr && parent->SendMessage(WM_COMMAND, wParam, lParam) != 0;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return FALSE;
    *pResult = parent->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}
