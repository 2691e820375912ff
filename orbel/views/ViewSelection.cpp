// Click and rectangle selection.
#include "orbel/views/MyOrbelView.h"

#include "model/MyOrbelDoc.h"
#include "model/SelectionBounds.h"

#include <plugins/common/Plugin.h>

#include <algorithm>
#include <memory>

namespace {

D3DXVECTOR3 PositionOf(const MeshVertex& vertex) { return {vertex.x, vertex.y, vertex.z}; }

D3DXMATRIX WorldOf(const cObjekt3D& object)
{
    D3DXMATRIX world;
    object.GetWorldMatrix(&world);
    return world;
}

// The face's corners in world space, when the face lies within its object.
bool WorldCorners(const cObjekt3D& object, int face, const D3DXMATRIX& world, D3DXVECTOR3 corners[3],
                  D3DXVECTOR3 (*transform)(const D3DXVECTOR3&, const D3DXMATRIX&))
{
    WORD indices[3];
    if (!FaceWithinObject(object, face, indices)) return false;
    for (int k = 0; k < 3; ++k) corners[k] = transform(PositionOf(object.m_Vertices[indices[k]]), world);
    return true;
}

D3DXVECTOR3 TransformCoord(const D3DXVECTOR3& point, const D3DXMATRIX& matrix)
{
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &point, &matrix);
    return out;
}

// What a click found: an object, or a face or vertex record.
struct ClickCandidate {
    cObjekt3D* object = nullptr;
    std::unique_ptr<SelectedElement> element;
    float best = 0.0f;

    bool Found() const { return object != nullptr || element != nullptr; }
};

void ApplyToSelection(cSelection& selection, int mode, int action, cObjekt3D* object,
                      std::unique_ptr<SelectedElement> element)
{
    const bool add = action != SelectRemove;
    if (mode == SelectObjects) {
        if (add)
            selection.AddObject(object, TRUE);
        else
            selection.RemoveObject(object);
    } else if (mode == SelectFaces) {
        if (add)
            selection.AddFace(element.release(), TRUE);
        else
            selection.RemoveFace(element.get());
    } else if (mode == SelectVertices) {
        if (add)
            selection.AddVertex(element.release(), TRUE);
        else
            selection.RemoveVertex(element.get());
    }
}

}  // namespace

void CMyOrbelView::BeginSelectionChange(int action)
{
    CMyOrbelDoc* document = GetDocument();
    // A tool that answers the refresh keeps its own history of the change.
    cPlugin* plugin = CurrentPlugin();
    const bool vetoed = plugin != nullptr && plugin->OnEvent(PE_REFRESH);
    if (!vetoed) document->SaveUndoState("Change Selection");
    if (action == SelectReplace) document->m_Selection.Clear();
}

void CMyOrbelView::ClickSelect(int x, int y, int action)
{
    CMyOrbelDoc* document = GetDocument();
    if (!document) return;
    BeginSelectionChange(action);

    const int mode = CurrentSelectionMode();
    D3DXVECTOR3 origin, direction;
    if (mode < SelectObjects || mode > SelectVertices || !ScreenToRay(x, y, &origin, &direction)) return;
    const D3DXVECTOR3 along = origin + direction;

    ClickCandidate candidate;
    for (POSITION pos = document->m_Objects.GetHeadPosition(); pos != nullptr;) {
        cObjekt3D* object = document->m_Objects.GetNext(pos);
        const D3DXMATRIX world = WorldOf(*object);
        if (mode == SelectVertices) {
            for (INT_PTR i = 0; i < object->m_Vertices.GetSize(); ++i) {
                const D3DXVECTOR3 v = TransformPoint(PositionOf(object->m_Vertices[i]), world);
                const float distance = PointLineDistance(origin, along, v);
                const D3DXVECTOR3 fromOrigin = origin - v;
                // The tolerance grows with the distance from the ray origin;
                // the vertex nearest the line wins, not the nearest to the eye.
                if (!(0.01f * D3DXVec3Length(&fromOrigin) > distance)) continue;
                if (candidate.Found() && !(distance < candidate.best)) continue;
                candidate.element.reset(new SelectedElement{object, static_cast<int>(i)});
                candidate.best = distance;
            }
            continue;
        }
        for (int face = 0; face < object->GetFaceCount(); ++face) {
            D3DXVECTOR3 corners[3];
            if (!WorldCorners(*object, face, world, corners, &TransformPoint)) continue;
            float t = 0.0f, u = 0.0f, v = 0.0f;
            if (!IntersectTriangle(origin, direction, corners[0], corners[1], corners[2], &t, &u, &v)) continue;
            // Front and back sides alike; of equal depths the first met stays.
            if (candidate.Found() && !(t < candidate.best)) continue;
            candidate.best = t;
            if (mode == SelectObjects)
                candidate.object = object;
            else
                candidate.element.reset(new SelectedElement{object, face});
        }
    }
    if (candidate.Found())
        ApplyToSelection(document->m_Selection, mode, action, candidate.object, std::move(candidate.element));
}

void CMyOrbelView::RectangleSelect(int action)
{
    CMyOrbelDoc* document = GetDocument();
    if (!document) return;
    const int x0 = std::min(m_DownPoint.x, m_LastPoint.x), x1 = std::max(m_DownPoint.x, m_LastPoint.x);
    const int y0 = std::min(m_DownPoint.y, m_LastPoint.y), y1 = std::max(m_DownPoint.y, m_LastPoint.y);
    ViewFrustum frustum;
    const bool haveVolume = GetPickingCamera().BuildRectangleFrustum(x0, y0, x1, y1, &frustum);
    PlaneEquation planes[FRUSTUM_SIDES];
    if (haveVolume) FrustumToPlanes(frustum, planes);

    BeginSelectionChange(action);
    const int mode = CurrentSelectionMode();
    if (!haveVolume || mode < SelectObjects || mode > SelectVertices) return;

    // Only vertices count: a face is taken whole when one corner is inside.
    cSelection& selection = document->m_Selection;
    for (POSITION pos = document->m_Objects.GetHeadPosition(); pos != nullptr;) {
        cObjekt3D* object = document->m_Objects.GetNext(pos);
        const D3DXMATRIX world = WorldOf(*object);
        auto inside = [&](const D3DXVECTOR3& point) { return IsPointInFrustum(planes, point); };
        if (mode == SelectObjects) {
            for (INT_PTR i = 0; i < object->m_Vertices.GetSize(); ++i) {
                if (!inside(TransformCoord(PositionOf(object->m_Vertices[i]), world))) continue;
                ApplyToSelection(selection, mode, action, object, nullptr);
                break;
            }
        } else if (mode == SelectFaces) {
            for (int face = 0; face < object->GetFaceCount(); ++face) {
                D3DXVECTOR3 corners[3];
                if (!WorldCorners(*object, face, world, corners, &TransformCoord)) continue;
                if (std::any_of(corners, corners + 3, inside))
                    ApplyToSelection(selection, mode, action, nullptr,
                                     std::make_unique<SelectedElement>(SelectedElement{object, face}));
            }
        } else {
            for (INT_PTR i = 0; i < object->m_Vertices.GetSize(); ++i) {
                if (!inside(TransformCoord(PositionOf(object->m_Vertices[i]), world))) continue;
                ApplyToSelection(selection, mode, action, nullptr,
                                 std::make_unique<SelectedElement>(SelectedElement{object, static_cast<int>(i)}));
            }
        }
    }
}
