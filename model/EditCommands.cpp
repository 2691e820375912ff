// Delete, Clone Object, Join Objects and Assign Material.
#include "model/MyOrbelDoc.h"

#include <unordered_set>
#include <vector>

namespace {

using ElementList = CList<SelectedElement*, SelectedElement*>;
using RemovedObjects = std::unordered_set<const cObjekt3D*>;

// The largest vertex count 16-bit indices can address.
constexpr INT_PTR kMaxJoinedVertices = 65536;

BOOL HasAnySelection(const cSelection& selection)
{
    return !selection.m_Objects.IsEmpty() || !selection.m_Faces.IsEmpty() || !selection.m_Vertices.IsEmpty();
}

// After element `done` of `object` is gone, the other records of the same
// object keep naming the same elements; a duplicate of `done` names nothing
// any more (-1).
void RenumberAfterRemoval(ElementList& list, const SelectedElement* done, const cObjekt3D* object, int removed)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        SelectedElement* other = list.GetNext(pos);
        if (other == done || other->object != object)
            continue;
        if (other->index > removed)
            other->index -= 1;
        else if (other->index == removed)
            other->index = -1;
    }
}

}  // namespace

void CMyOrbelDoc::AssignMaterial(int material, int mode)
{
    // A run naming a material the table doesn't have would make the scene
    // unloadable.
    if (material < -1 || material >= m_Materials.GetSize())
        return;
    if (m_Selection.m_Objects.IsEmpty() && m_Selection.m_Faces.IsEmpty())
        return;
    SaveUndoState("Assign Material");

    if (mode == SelectFaces) {
        for (POSITION pos = m_Selection.m_Faces.GetHeadPosition(); pos != nullptr;) {
            const SelectedElement* face = m_Selection.m_Faces.GetNext(pos);
            face->object->SetFaceMaterial(face->index, material);
        }
    } else if (mode == SelectObjects) {
        for (POSITION pos = m_Selection.m_Objects.GetHeadPosition(); pos != nullptr;)
            m_Selection.m_Objects.GetNext(pos)->SetFaceMaterial(-1, material);
    }
}

void CMyOrbelDoc::CloneObjects(int mode)
{
    if (mode != SelectObjects || m_Selection.m_Objects.IsEmpty())
        return;
    SaveUndoState("Clone Object");
    for (POSITION pos = m_Selection.m_Objects.GetHeadPosition(); pos != nullptr;)
        AddObject(new cObjekt3D(*m_Selection.m_Objects.GetNext(pos)));
}

void CMyOrbelDoc::DeleteSelection(int mode)
{
    if (HasAnySelection(m_Selection))
        SaveUndoState("Delete");

    // Records may still name an object this command has already deleted;
    // those are recognised by pointer and never read.
    RemovedObjects removed;
    auto removeObject = [this, &removed](int id) {
        for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
            const cObjekt3D* object = m_Objects.GetNext(pos);
            if (object->m_Id == id)
                removed.insert(object);
        }
        RemoveObject(id);
    };

    if (mode == SelectObjects) {
        // The ids are taken first: the same object may be listed twice.
        std::vector<int> ids;
        for (POSITION pos = m_Selection.m_Objects.GetHeadPosition(); pos != nullptr;)
            ids.push_back(m_Selection.m_Objects.GetNext(pos)->m_Id);
        for (int id : ids)
            removeObject(id);
    } else if (mode == SelectFaces || mode == SelectVertices) {
        const bool faces = mode == SelectFaces;
        ElementList& list = faces ? m_Selection.m_Faces : m_Selection.m_Vertices;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            const SelectedElement* record = list.GetNext(pos);
            cObjekt3D* object = record->object;
            if (removed.count(object) != 0)
                continue;
            const int index = record->index;
            const INT_PTR available = faces ? object->GetFaceCount() : object->m_Vertices.GetSize();
            if (index < 0 || index >= available)
                continue;
            if (faces)
                object->DeleteFace(index);
            else
                object->DeleteVertex(index);
            RenumberAfterRemoval(list, record, object, index);
            const INT_PTR left = faces ? object->GetFaceCount() : object->m_Vertices.GetSize();
            if (left == 0)
                removeObject(object->m_Id);
        }
    }
    m_Selection.Clear();
    RedrawViews(nullptr);
}

void CMyOrbelDoc::JoinObjects()
{
    if (m_Selection.m_Objects.GetCount() < 2)
        return;
    POSITION pos = m_Selection.m_Objects.GetHeadPosition();
    cObjekt3D* base = m_Selection.m_Objects.GetNext(pos);

    // An object listed twice, or the base listed again, joins once at most:
    // joining the base into itself would delete it.
    std::vector<cObjekt3D*> others;
    std::unordered_set<int> seen{base->m_Id};
    INT_PTR joinedVertices = base->m_Vertices.GetSize();
    while (pos != nullptr) {
        cObjekt3D* object = m_Selection.m_Objects.GetNext(pos);
        if (!seen.insert(object->m_Id).second)
            continue;
        others.push_back(object);
        joinedVertices += object->m_Vertices.GetSize();
    }
    if (others.empty() || joinedVertices > kMaxJoinedVertices)
        return;
    D3DXMATRIX baseWorld;
    D3DXMATRIX toBase;
    base->GetWorldMatrix(&baseWorld);
    if (D3DXMatrixInverse(&toBase, nullptr, &baseWorld) == nullptr)
        return;

    SaveUndoState("Join Objects");

    // Only whole faces join: a stray index at the end of the base would
    // shift every appended face.
    base->m_Indices.SetSize(3 * static_cast<INT_PTR>(base->GetFaceCount()));
    for (cObjekt3D* object : others) {
        D3DXMATRIX world;
        object->GetWorldMatrix(&world);
        const WORD firstVertex = static_cast<WORD>(base->m_Vertices.GetSize());
        const int firstFace = base->GetFaceCount();

        const INT_PTR vertexCount = object->m_Vertices.GetSize();
        for (INT_PTR i = 0; i < vertexCount; ++i) {
            MeshVertex vertex = object->m_Vertices[i];
            D3DXVECTOR3 position(vertex.x, vertex.y, vertex.z);
            D3DXVECTOR4 moved;
            D3DXVec3Transform(&moved, &position, &world);
            position = D3DXVECTOR3(moved.x, moved.y, moved.z);
            D3DXVec3Transform(&moved, &position, &toBase);
            vertex.x = moved.x;
            vertex.y = moved.y;
            vertex.z = moved.z;
            base->m_Vertices.Add(vertex);
        }
        const INT_PTR wholeFaceIndices = 3 * static_cast<INT_PTR>(object->GetFaceCount());
        for (INT_PTR i = 0; i < wholeFaceIndices; ++i)
            base->m_Indices.Add(static_cast<WORD>(object->m_Indices[i] + firstVertex));
        for (POSITION run = object->m_Runs.GetHeadPosition(); run != nullptr;) {
            MaterialRun moved = object->m_Runs.GetNext(run);
            moved.firstFace += firstFace;
            base->m_Runs.AddTail(moved);
        }

        for (POSITION at = m_Objects.GetHeadPosition(); at != nullptr;) {
            const POSITION here = at;
            cObjekt3D* candidate = m_Objects.GetNext(at);
            if (candidate == object) {
                m_Objects.RemoveAt(here);
                delete candidate;
                break;
            }
        }
    }
    m_Selection.Clear();
    RedrawViews(nullptr);
}
