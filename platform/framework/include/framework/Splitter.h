// CSplitterWnd (static): a grid of panes separated by bars. Columns and
// rows take their ideal sizes from the left and top; the last one takes
// what remains. A pane smaller than its minimum is collapsed to 0.
//
// Left out: dynamic splitters (panes added and removed by the user), scroll
// bars shared between panes, and dragging that resizes while the bar moves
// (the panes take their new sizes when the button is released).
#pragma once

#include <framework/DocTemplate.h>
#include <framework/Wnd.h>

#include <vector>

class ORBEL_API CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);

    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    virtual void RecalcLayout();

    // F6 / Shift+F6: the next or previous pane becomes the active view.
    virtual void ActivateNext(BOOL bPrev = FALSE);
    virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);

    // Width of the bar between two panes, in pixels.
    static constexpr int kSplitterGap = 4;

protected:
    struct RowColInfo {
        int nMinSize = 10;
        int nIdealSize = 0;
        int nCurSize = 0;
    };
    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<RowColInfo> m_rowInfo;
    std::vector<RowColInfo> m_colInfo;
    int m_nDragBar = -1;  // divider being dragged: column index, or 100 + row index
    CPoint m_ptDragStart;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    DECLARE_MESSAGE_MAP()
};
