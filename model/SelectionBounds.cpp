#include "model/SelectionBounds.h"

#include "model/Objekt3D.h"
#include "model/Selection.h"

namespace {

using ElementList = CList<SelectedElement*, SelectedElement*>;

template <typename Within>
int PruneList(ElementList& list, Within within)
{
    int removed = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const POSITION here = pos;
        SelectedElement* record = list.GetNext(pos);
        if (record != nullptr && record->object != nullptr && within(*record->object, record->index))
            continue;
        list.RemoveAt(here);
        delete record;
        ++removed;
    }
    return removed;
}

}  // namespace

bool FaceWithinObject(const cObjekt3D& object, int face, WORD corners[3])
{
    if (face < 0 || face >= object.GetFaceCount())
        return false;
    WORD triple[3];
    object.GetFaceIndices(face, triple);
    const INT_PTR vertexCount = object.m_Vertices.GetSize();
    for (WORD corner : triple)
        if (corner >= vertexCount)
            return false;
    if (corners != nullptr)
        for (int k = 0; k < 3; ++k)
            corners[k] = triple[k];
    return true;
}

bool VertexWithinObject(const cObjekt3D& object, int vertex)
{
    return vertex >= 0 && vertex < object.m_Vertices.GetSize();
}

int PruneSelection(cSelection& selection)
{
    return PruneList(selection.m_Faces, [](const cObjekt3D& o, int i) { return FaceWithinObject(o, i); }) +
           PruneList(selection.m_Vertices, [](const cObjekt3D& o, int i) { return VertexWithinObject(o, i); });
}
