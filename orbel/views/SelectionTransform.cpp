#include "orbel/views/SelectionTransform.h"

#include "orbel/frame/FrameModes.h"
#include "orbel/views/CameraNavigation.h"
#include "orbel/views/PickingGeometry.h"

#include "model/Objekt3D.h"
#include "model/Selection.h"
#include "model/SelectionBounds.h"

#include <cstdint>
#include <unordered_set>

namespace {

using ElementList = CList<SelectedElement*, SelectedElement*>;

D3DXVECTOR3 PositionOf(const MeshVertex& vertex) { return {vertex.x, vertex.y, vertex.z}; }

// The components whose axis is active take the new value.
D3DXVECTOR3 Masked(const D3DXVECTOR3& old, const D3DXVECTOR3& now, const AxisMasks& masks)
{
    return {masks.x > 0.0f ? now.x : old.x, masks.y > 0.0f ? now.y : old.y, masks.z > 0.0f ? now.z : old.z};
}

// Objects are told apart by id, as everywhere in the selection.
class VertexSet {
public:
    bool Insert(const VertexRef& ref)
    {
        const auto key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(ref.object->m_Id)) << 16) | ref.index;
        return m_Seen.insert(key).second;
    }

private:
    std::unordered_set<std::uint64_t> m_Seen;
};

void SetPosition(const VertexRef& ref, const D3DXVECTOR3& position)
{
    // Only the position changes; normal and texture coordinates stay.
    if (!IsFiniteVector(position)) return;
    MeshVertex& vertex = ref.object->m_Vertices[ref.index];
    vertex.x = position.x;
    vertex.y = position.y;
    vertex.z = position.z;
}

// Each vertex p becomes (p - g) x matrix + g, g the vertices' centroid in
// their objects' own space (one centroid for all objects together).
void TransformAboutCentroid(const std::vector<VertexRef>& vertices, const D3DXMATRIX& matrix)
{
    if (vertices.empty()) return;
    D3DXVECTOR3 sum(0, 0, 0);
    for (const VertexRef& ref : vertices) sum += PositionOf(ref.object->m_Vertices[ref.index]);
    const D3DXVECTOR3 g = sum * (1.0f / static_cast<float>(vertices.size()));
    if (!IsFiniteVector(g)) return;
    D3DXMATRIX toCentre, fromCentre;
    D3DXMatrixTranslation(&toCentre, -g.x, -g.y, -g.z);
    D3DXMatrixTranslation(&fromCentre, g.x, g.y, g.z);
    D3DXMATRIX about;
    D3DXMatrixMultiply(&about, &toCentre, &matrix);
    for (const VertexRef& ref : vertices)
        SetPosition(ref, TransformPoint(TransformPoint(PositionOf(ref.object->m_Vertices[ref.index]), about), fromCentre));
}

// Every vertex record that lies within its object, head first, as listed.
template <typename Visit>
void ForEachSelectedVertex(const cSelection& selection, Visit visit)
{
    for (POSITION pos = selection.m_Vertices.GetHeadPosition(); pos != nullptr;) {
        const SelectedElement* record = selection.m_Vertices.GetNext(pos);
        if (record && record->object && VertexWithinObject(*record->object, record->index))
            visit(VertexRef{record->object, static_cast<WORD>(record->index)});
    }
}

D3DXVECTOR3 MovedPosition(const VertexRef& ref, const D3DXVECTOR3& delta, const AxisMasks& masks)
{
    const D3DXVECTOR3 p = PositionOf(ref.object->m_Vertices[ref.index]);
    return Masked(p, p + delta, masks);
}

std::vector<VertexRef> ChangedVertices(const cSelection& selection, int mode)
{
    if (mode == SelectFaces) return DistinctFaceCorners(selection);
    if (mode == SelectVertices) return DistinctSelectedVertices(selection);
    return {};
}

}  // namespace

D3DXVECTOR3 RemapDragDelta(D3DXVECTOR3 d, const D3DXVECTOR3& planeNormal, const AxisMasks& masks)
{
    if (planeNormal.x != 0.0f) d.x = d.z;
    if (planeNormal.y != 0.0f) d.y = d.z;
    if (masks.y == 0.0f)
        d.z = d.y;
    else if (masks.x == 0.0f)
        d.z = d.x;
    return d;
}

D3DXVECTOR3 RotationAngles(POINT last, POINT now, float remappedZ, const AxisMasks& masks)
{
    D3DXVECTOR3 angles;
    angles.x = static_cast<float>(last.x - now.x) * 0.5f * kRadiansPerDegree;
    angles.y = static_cast<float>(last.y - now.y) * 0.5f * kRadiansPerDegree;
    if (masks.y == 0.0f)
        angles.z = angles.x;
    else if (masks.x == 0.0f)
        angles.z = angles.y;
    else
        angles.z = remappedZ;
    return angles;
}

std::vector<VertexRef> DistinctFaceCorners(const cSelection& selection)
{
    std::vector<VertexRef> corners;
    VertexSet seen;
    const ElementList& faces = selection.m_Faces;
    for (POSITION pos = faces.GetHeadPosition(); pos != nullptr;) {
        const SelectedElement* record = faces.GetNext(pos);
        WORD indices[3];
        if (!record || !record->object || !FaceWithinObject(*record->object, record->index, indices)) continue;
        for (WORD index : indices) {
            const VertexRef ref{record->object, index};
            if (seen.Insert(ref)) corners.push_back(ref);
        }
    }
    return corners;
}

std::vector<VertexRef> DistinctSelectedVertices(const cSelection& selection)
{
    std::vector<VertexRef> vertices;
    VertexSet seen;
    ForEachSelectedVertex(selection, [&](const VertexRef& ref) {
        if (seen.Insert(ref)) vertices.push_back(ref);
    });
    return vertices;
}

void MoveSelection(cSelection& selection, int mode, const D3DXVECTOR3& delta, const AxisMasks& masks)
{
    if (!IsFiniteVector(delta)) return;
    switch (mode) {
    case SelectObjects:
        for (POSITION pos = selection.m_Objects.GetHeadPosition(); pos != nullptr;) {
            cObjekt3D* object = selection.m_Objects.GetNext(pos);
            const D3DXVECTOR3 moved = Masked(object->m_Position, object->m_Position + delta, masks);
            if (IsFiniteVector(moved)) object->m_Position = moved;
        }
        break;
    case SelectFaces:
        for (const VertexRef& ref : DistinctFaceCorners(selection)) SetPosition(ref, MovedPosition(ref, delta, masks));
        break;
    case SelectVertices:
        // Every record moves its vertex, as the list holds it.
        ForEachSelectedVertex(selection, [&](const VertexRef& ref) { SetPosition(ref, MovedPosition(ref, delta, masks)); });
        break;
    default: break;
    }
}

void ScaleSelection(cSelection& selection, int mode, const D3DXVECTOR3& delta, const AxisMasks& masks)
{
    if (!IsFiniteVector(delta)) return;
    const D3DXVECTOR3 step(delta.x * masks.x, delta.y * masks.y, delta.z * masks.z);
    if (mode == SelectObjects) {
        for (POSITION pos = selection.m_Objects.GetHeadPosition(); pos != nullptr;) {
            cObjekt3D* object = selection.m_Objects.GetNext(pos);
            const D3DXVECTOR3 scale = object->m_Scale + step;
            // SetScale keeps the whole scale when a factor would reach 0.001.
            if (IsFiniteVector(scale)) object->SetScale(scale.x, scale.y, scale.z);
        }
        return;
    }
    // Factors are not limited: 0 or below flattens or mirrors.
    D3DXMATRIX scaling;
    D3DXMatrixScaling(&scaling, 1.0f + step.x, 1.0f + step.y, 1.0f + step.z);
    TransformAboutCentroid(ChangedVertices(selection, mode), scaling);
}

void RotateSelection(cSelection& selection, int mode, const D3DXVECTOR3& angles, const AxisMasks& masks)
{
    if (!IsFiniteVector(angles)) return;
    // A horizontal drag yaws about Y, a vertical one pitches about X.
    const D3DXVECTOR3 turn(angles.x * masks.y, angles.y * masks.x, angles.z * masks.z);
    if (mode == SelectObjects) {
        for (POSITION pos = selection.m_Objects.GetHeadPosition(); pos != nullptr;) {
            cObjekt3D* object = selection.m_Objects.GetNext(pos);
            const D3DXVECTOR3 rotation = object->m_Rotation + turn;
            if (IsFiniteVector(rotation)) object->m_Rotation = rotation;
        }
        return;
    }
    D3DXMATRIX rotation;
    D3DXMatrixRotationYawPitchRoll(&rotation, turn.x, turn.y, turn.z);
    TransformAboutCentroid(ChangedVertices(selection, mode), rotation);
}
