// CView: a window that shows a document. A click activates the view in its
// frame and gives it the focus; painting goes through OnDraw.
//
// Left out: printing (OnPrint, OnPreparePrinting), scroll and form views,
// drag and drop into views, and split-view switching.
#pragma once

#include <framework/Document.h>
#include <framework/Wnd.h>

class CFrameWnd;
class CSplitterWnd;
struct CCreateContext;

class ORBEL_API CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CSplitterWnd* GetParentSplitter(BOOL bAnyState = FALSE) const;

    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = nullptr);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;

    friend class CDocument;
    friend class CFrameWnd;
    DECLARE_MESSAGE_MAP()
};
