// Serving the current plug-in's requests after a mouse event it claimed.
#include "orbel/host/RequestServing.h"
#include "orbel/views/MyOrbelView.h"
#include "orbel/views/ViewFrame.h"

#include "model/MyOrbelDoc.h"
#include "model/SelectionBounds.h"

#include <plugins/common/Plugin.h>

void CMyOrbelView::ServePluginRequests(int x, int y)
{
    cPlugin* plugin = CurrentPlugin();
    CMyOrbelDoc* document = GetDocument();
    if (!plugin || !document) return;
    cViewFrame* frame = GetViewFrame();

    ServeRequestList(plugin, [&](int code) {
        switch (code) {
        case PR_POINT: {
            // Without a finite point under the cursor the plug-in keeps the
            // last one it was given.
            D3DXVECTOR3 point;
            if (ConstructionPoint(x, y, &point)) plugin->SetParam(PR_POINT, static_cast<float*>(point));
            break;
        }
        case PR_CAPTURE_MOUSE: SetCapture(); break;
        case PR_PICK_POINT: {
            // On the face selected last, in its object's own coordinates.
            D3DXVECTOR3 origin, direction, hit;
            const cSelection& selection = document->m_Selection;
            const bool found = !selection.m_Faces.IsEmpty() && selection.m_Faces.GetHead() != nullptr &&
                               ScreenToRay(x, y, &origin, &direction) &&
                               PickPointOnObject(*selection.m_Faces.GetHead(), origin, direction, &hit);
            plugin->SetParam(PR_PICK_POINT, found ? static_cast<float*>(hit) : nullptr);
            break;
        }
        default:
            if (frame) frame->ServeRequest(plugin, code);
            break;
        }
    });
    // The plug-in may have shortened objects whose faces or vertices are
    // selected.
    PruneSelection(document->m_Selection);
}
