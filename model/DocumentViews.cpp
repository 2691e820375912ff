// The document's side of its views: resets, file blocks and repaints.
// Views are windows, which the model does not link: it reaches them
// through the framework core's view links.
#include "model/MyOrbelDoc.h"
#include "model/SceneView.h"

namespace {

template <typename Action>
void ForEachSceneView(const CDocument& document, Action action)
{
    for (POSITION pos = document.GetFirstViewPosition(); pos != nullptr;) {
        if (auto* view = dynamic_cast<cSceneView*>(orbel::ViewObject(document.GetNextView(pos))))
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
    if (view != nullptr) {
        orbel::RepaintView(view, false);
        return;
    }
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
        orbel::RepaintView(GetNextView(pos), true);
    SetModifiedFlag(TRUE);
}
