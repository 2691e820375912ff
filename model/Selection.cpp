#include "model/Selection.h"

#include "model/Objekt3D.h"

IMPLEMENT_SERIAL(cSelection, CObject, 1)

namespace {

using ElementList = CList<SelectedElement*, SelectedElement*>;

bool SameElement(const SelectedElement* a, const SelectedElement* b)
{
    return a->object->m_Id == b->object->m_Id && a->index == b->index;
}

void AddElement(ElementList& list, SelectedElement* record, BOOL unique)
{
    if (unique) {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            if (SameElement(list.GetNext(pos), record)) {
                delete record;
                return;
            }
        }
    }
    list.AddHead(record);
}

void RemoveElement(ElementList& list, const SelectedElement* record)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const POSITION here = pos;
        SelectedElement* stored = list.GetNext(pos);
        if (SameElement(stored, record)) {
            list.RemoveAt(here);
            delete stored;
            return;
        }
    }
}

void FreeElements(ElementList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

}  // namespace

cSelection::cSelection() : m_Objects(10), m_Faces(10), m_Vertices(10) {}

cSelection::~cSelection()
{
    Clear();
}

void cSelection::AddObject(cObjekt3D* object, BOOL unique)
{
    if (unique) {
        for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
            if (m_Objects.GetNext(pos)->m_Id == object->m_Id)
                return;
        }
    }
    m_Objects.AddHead(object);
}

void cSelection::AddFace(SelectedElement* record, BOOL unique)
{
    AddElement(m_Faces, record, unique);
}

void cSelection::AddVertex(SelectedElement* record, BOOL unique)
{
    AddElement(m_Vertices, record, unique);
}

void cSelection::RemoveObject(cObjekt3D* object)
{
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
        const POSITION here = pos;
        if (m_Objects.GetNext(pos)->m_Id == object->m_Id) {
            m_Objects.RemoveAt(here);
            return;
        }
    }
}

void cSelection::RemoveFace(const SelectedElement* record)
{
    RemoveElement(m_Faces, record);
}

void cSelection::RemoveVertex(const SelectedElement* record)
{
    RemoveElement(m_Vertices, record);
}

BOOL cSelection::Clear()
{
    const BOOL hadEntries = !m_Objects.IsEmpty() || !m_Faces.IsEmpty() || !m_Vertices.IsEmpty();
    m_Objects.RemoveAll();
    FreeElements(m_Faces);
    FreeElements(m_Vertices);
    return hadEntries;
}

void cSelection::GetColour(float colour[4]) const
{
    if (m_Objects.IsEmpty()) {
        colour[0] = colour[1] = colour[2] = 150.0f;
    } else {
        const cObjekt3D* head = m_Objects.GetHead();
        colour[0] = head->m_Colour[0];
        colour[1] = head->m_Colour[1];
        colour[2] = head->m_Colour[2];
    }
    colour[3] = 1.0f;
}

void cSelection::SetColour(float r, float g, float b, float /*a*/)
{
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
        cObjekt3D* object = m_Objects.GetNext(pos);
        object->m_Colour[0] = r;
        object->m_Colour[1] = g;
        object->m_Colour[2] = b;
    }
}

CString cSelection::GetName() const
{
    if (m_Objects.IsEmpty())
        return CString("None Selected");
    if (m_Objects.GetCount() > 1)
        return CString("Multiple Selection");
    return m_Objects.GetHead()->m_Name;
}

void cSelection::SetName(const CString& name)
{
    if (!m_Objects.IsEmpty())
        m_Objects.GetHead()->m_Name = name;
}
