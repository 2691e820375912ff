// The document's side of its views: resets, file blocks and repaints.
#include "model/MyOrbelDoc.h"
#include "model/SceneView.h"

namespace {

template <typename Action>
void ForEachSceneView(const CDocument& document, Action action)
{
    for (POSITION pos = document.GetFirstViewPosition(); pos != nullptr;) {
        if (auto* view = dynamic_cast<cSceneView*>(document.GetNextView(pos)))
            action(*view);
    }
}

}  // namespace

void CMyOrbelDoc::ResetViewsToKind()
{
    ForEachSceneView(*this, [](cSceneView& view) { view.ResetViewToKind(); });
}

void CMyOrbelDoc::WriteViewBlocks(CArchive& ar)
{
    ForEachSceneView(*this, [&ar](cSceneView& view) { view.WriteViewBlock(ar); });
}

void CMyOrbelDoc::ReadViewBlocks(CArchive& ar)
{
    ForEachSceneView(*this, [&ar](cSceneView& view) { view.ReadViewBlock(ar); });
}

void CMyOrbelDoc::ApplyViewBlocks()
{
    ForEachSceneView(*this, [](cSceneView& view) { view.ApplyViewBlock(); });
}

void CMyOrbelDoc::RedrawViews(CView* view)
{
    m_BoundsValid = 0;
    // A view without a window yet has nothing to repaint (a null window
    // would mean the whole desktop).
    if (view != nullptr) {
        if (view->GetSafeHwnd() != nullptr)
            ::InvalidateRect(view->GetSafeHwnd(), nullptr, FALSE);
        return;
    }
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
        const HWND window = GetNextView(pos)->GetSafeHwnd();
        if (window != nullptr)
            ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE);
    }
    SetModifiedFlag(TRUE);
}
