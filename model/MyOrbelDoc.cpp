#include "model/MyOrbelDoc.h"

#include "model/TempFolder.h"

IMPLEMENT_DYNCREATE(CMyOrbelDoc, CDocument)

CMyOrbelDoc::CMyOrbelDoc()
    : m_Objects(10),
      m_NextObjectId(0),
      m_pUndoManager(new cUndoManager),
      m_pDevice(nullptr),
      m_BoundsValid(0)
{
}

CMyOrbelDoc::~CMyOrbelDoc()
{
    delete m_pUndoManager;
    m_pUndoManager = nullptr;
    DeleteSceneContents();
    if (m_SnapshotDir.IsEmpty())
        EmptyTempFolder(m_ProgramDir);
    else
        EmptyFolder(m_SnapshotDir);
}

void CMyOrbelDoc::DeleteSceneContents()
{
    m_Selection.Clear();
    while (!m_Objects.IsEmpty())
        delete m_Objects.RemoveHead();
    for (INT_PTR i = 0; i < m_Materials.GetSize(); ++i)
        delete m_Materials[i];
    m_Materials.RemoveAll();
}

BOOL CMyOrbelDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    ClearScene(TRUE);
    RedrawViews(nullptr);
    return TRUE;
}

void CMyOrbelDoc::Serialize(CArchive& ar)
{
    SerializeScene(ar, TRUE);
}

void CMyOrbelDoc::AddObject(cObjekt3D* object)
{
    object->m_Id = m_NextObjectId;
    m_NextObjectId += 1;
    m_Objects.AddHead(object);
}

cObjekt3D* CMyOrbelDoc::FindObjectById(int id) const
{
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
        cObjekt3D* object = m_Objects.GetNext(pos);
        if (object->m_Id == id)
            return object;
    }
    return nullptr;
}

void CMyOrbelDoc::RemoveObject(int id)
{
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
        const POSITION here = pos;
        cObjekt3D* object = m_Objects.GetNext(pos);
        if (object->m_Id == id) {
            m_Objects.RemoveAt(here);
            delete object;
        }
    }
}

void CMyOrbelDoc::RemoveMaterial(int index)
{
    if (index < 0 || index >= m_Materials.GetSize())
        return;
    cMaterial* material = m_Materials[index];
    m_Materials.RemoveAt(index);
    delete material;
    NotifyMaterialRemoved(index);
}

void CMyOrbelDoc::NotifyMaterialRemoved(int index)
{
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;)
        m_Objects.GetNext(pos)->OnMaterialRemoved(index);
}

void CMyOrbelDoc::ClearScene(BOOL reset)
{
    if (reset) {
        delete m_pUndoManager;
        m_pUndoManager = new cUndoManager;
    }
    DeleteSceneContents();
    m_NextObjectId = 0;
    ResetViewsToKind();
}
