// One increment of a move, rotate or scale drag in a view.
#include "orbel/views/MyOrbelView.h"
#include "orbel/views/SelectionTransform.h"

#include "model/MyOrbelDoc.h"

void CMyOrbelView::TransformSelection(UINT flags, int x, int y)
{
    CMyOrbelDoc* document = GetDocument();
    if (!document) return;
    const int selectionMode = CurrentSelectionMode();

    // Shift copies the selected objects once per press; the copies stay
    // behind and the sources move. Letting go of Shift arms it again.
    if (flags & MK_SHIFT) {
        if (!m_bCloneDone) {
            document->CloneObjects(selectionMode);
            m_bCloneDone = true;
        }
    } else {
        m_bCloneDone = false;
    }

    // User and Perspective drag on the plane z = 0 whatever the camera does.
    const bool freeCamera = m_Kind == ViewKindUser || m_Kind == ViewKindPerspective;
    const D3DXVECTOR3 normal = freeCamera ? D3DXVECTOR3(0, 0, 1) : m_PlaneNormal;
    const POINT last{m_LastPoint.x, m_LastPoint.y};
    const POINT now{x, y};
    const AxisMasks masks{AxisMask(0), AxisMask(1), AxisMask(2)};
    // A ray parallel to the drag plane gives no step: that increment moves
    // and scales nothing.
    const std::optional<D3DXVECTOR3> step = PlaneStep(last, now, normal);
    const D3DXVECTOR3 delta = step ? RemapDragDelta(*step, normal, masks) : D3DXVECTOR3(0, 0, 0);

    cSelection& selection = document->m_Selection;
    switch (CurrentTransformMode()) {
    case TransformMove:
        if (step) MoveSelection(selection, selectionMode, delta, masks);
        break;
    case TransformScale:
        if (step) ScaleSelection(selection, selectionMode, delta, masks);
        break;
    case TransformRotate:
        // The angles come from pixels; without a plane step only the roll
        // that a masked Z would ignore anyway is missing.
        RotateSelection(selection, selectionMode, RotationAngles(last, now, delta.z, masks), masks);
        break;
    default: break;
    }
    document->RedrawViews(nullptr);
}
