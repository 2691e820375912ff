// The scene file: next id, materials, objects, the selection, view blocks.
#include <climits>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/ArchiveChecks.h"
#include "model/LoadedScene.h"
#include "model/MyOrbelDoc.h"

namespace {

enum SelectionKind : LONG { kNothing = 0, kObjects = 1, kFaces = 2, kVertices = 3 };

// The fewest bytes a block can take, to bound counts by the file's size.
constexpr std::size_t kMinMaterialBytes = 3 + 17 * 4;
constexpr std::size_t kMinObjectBytes = 1 + 4 + 12 * 4 + 2 + 4 + 4;

void WriteSelection(CArchive& ar, const cSelection& selection)
{
    const CList<SelectedElement*, SelectedElement*>* elements = nullptr;
    if (!selection.m_Objects.IsEmpty()) {
        ar << static_cast<LONG>(kObjects) << static_cast<LONG>(selection.m_Objects.GetCount());
        for (POSITION pos = selection.m_Objects.GetHeadPosition(); pos != nullptr;)
            ar << static_cast<LONG>(selection.m_Objects.GetNext(pos)->m_Id);
        return;
    }
    if (!selection.m_Faces.IsEmpty()) {
        ar << static_cast<LONG>(kFaces);
        elements = &selection.m_Faces;
    } else if (!selection.m_Vertices.IsEmpty()) {
        ar << static_cast<LONG>(kVertices);
        elements = &selection.m_Vertices;
    } else {
        ar << static_cast<LONG>(kNothing);
        return;
    }
    ar << static_cast<LONG>(elements->GetCount());
    for (POSITION pos = elements->GetHeadPosition(); pos != nullptr;) {
        const SelectedElement* element = elements->GetNext(pos);
        ar << static_cast<LONG>(element->object->m_Id) << static_cast<LONG>(element->index);
    }
}

void ReadMaterials(CArchive& ar, cLoadedScene& scene)
{
    LONG count = 0;
    ar >> count;
    scenefile::CheckCount(ar, count, kMinMaterialBytes);
    for (LONG i = 0; i < count; ++i) {
        auto* material = new cMaterial;
        scene.materials.Add(material);  // owned by the scene before it can throw
        material->Serialize(ar);
    }
}

void ReadObjects(CArchive& ar, cLoadedScene& scene)
{
    LONG count = 0;
    ar >> count;
    scenefile::CheckCount(ar, count, kMinObjectBytes);
    const int materialCount = static_cast<int>(scene.materials.GetSize());
    std::unordered_set<int> ids;
    std::int64_t largestId = -1;
    for (LONG i = 0; i < count; ++i) {
        auto* object = new cObjekt3D;
        scene.objects.AddTail(object);
        object->Serialize(ar);
        for (POSITION pos = object->m_Runs.GetHeadPosition(); pos != nullptr;) {
            if (object->m_Runs.GetNext(pos).material >= materialCount)
                scenefile::Reject();
        }
        // Ids are how the selection and every lookup find objects, and the
        // program counts them up from the stored next id.
        if (object->m_Id == INT_MAX || !ids.insert(object->m_Id).second)
            scenefile::Reject();
        if (object->m_Id > largestId)
            largestId = object->m_Id;
    }
    if (scene.nextObjectId <= largestId)
        scene.nextObjectId = static_cast<int>(largestId + 1);
}

// Entries naming no object, or a face or vertex the object doesn't have, are
// left out. The entries are added from the last to the first, so each list
// comes back in the order it was written: an undo must not change which
// object counts as the first selected one.
void ReadSelection(CArchive& ar, cLoadedScene& scene)
{
    LONG kind = 0;
    ar >> kind;
    if (kind == kNothing)
        return;
    if (kind < kObjects || kind > kVertices)
        scenefile::Reject();
    LONG count = 0;
    ar >> count;
    scenefile::CheckCount(ar, count, kind == kObjects ? 4 : 8);
    // Ids are unique by now; lookups and duplicate checks go through hashes
    // so a large selection loads in linear time.
    std::unordered_map<int, cObjekt3D*> byId;
    for (POSITION pos = scene.objects.GetHeadPosition(); pos != nullptr;) {
        cObjekt3D* object = scene.objects.GetNext(pos);
        byId.emplace(object->m_Id, object);
    }
    std::vector<SelectedElement> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (LONG i = 0; i < count; ++i) {
        LONG id = 0;
        LONG index = 0;
        ar >> id;
        if (kind != kObjects)
            ar >> index;
        const auto found = byId.find(id);
        if (found == byId.end())
            continue;
        cObjekt3D* object = found->second;
        if (kind == kFaces && (index < 0 || index >= object->GetFaceCount()))
            continue;
        if (kind == kVertices && (index < 0 || index >= object->m_Vertices.GetSize()))
            continue;
        entries.push_back(SelectedElement{object, index});
    }
    // Added as with "unique": an entry already listed is not added again.
    std::unordered_set<std::uint64_t> listed;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const auto key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(entry->object->m_Id)) << 32) |
                         static_cast<std::uint32_t>(entry->index);
        if (!listed.insert(key).second)
            continue;
        if (kind == kObjects)
            scene.selection.AddObject(entry->object, FALSE);
        else if (kind == kFaces)
            scene.selection.AddFace(new SelectedElement(*entry), FALSE);
        else
            scene.selection.AddVertex(new SelectedElement(*entry), FALSE);
    }
}

template <typename List>
void MoveListTail(List& from, List& to)
{
    while (!from.IsEmpty())
        to.AddTail(from.RemoveHead());
}

}  // namespace

void CMyOrbelDoc::SerializeScene(CArchive& ar, BOOL reset)
{
    if (ar.IsStoring()) {
        WriteScene(ar);
        return;
    }
    cLoadedScene scene;
    ReadScene(ar, scene);
    InstallScene(scene, reset);
}

void CMyOrbelDoc::ReadScene(CArchive& ar, cLoadedScene& scene)
{
    LONG nextId = 0;
    ar >> nextId;
    if (nextId == INT_MAX)
        scenefile::Reject();
    scene.nextObjectId = nextId;
    ReadMaterials(ar, scene);
    ReadObjects(ar, scene);
    ReadSelection(ar, scene);
    ReadViewBlocks(ar);
}

void CMyOrbelDoc::WriteScene(CArchive& ar)
{
    ar << static_cast<LONG>(m_NextObjectId);
    ar << static_cast<LONG>(m_Materials.GetSize());
    for (INT_PTR i = 0; i < m_Materials.GetSize(); ++i) {
        if (m_Materials[i] != nullptr) {
            m_Materials[i]->Serialize(ar);
        } else {
            cMaterial placeholder;  // keeps the later materials' indices
            placeholder.Serialize(ar);
        }
    }
    ar << static_cast<LONG>(m_Objects.GetCount());
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;)
        m_Objects.GetNext(pos)->Serialize(ar);
    WriteSelection(ar, m_Selection);
    WriteViewBlocks(ar);
}

void CMyOrbelDoc::InstallScene(cLoadedScene& scene, BOOL reset)
{
    ClearScene(reset);
    m_NextObjectId = scene.nextObjectId;
    for (INT_PTR i = 0; i < scene.materials.GetSize(); ++i)
        m_Materials.Add(scene.materials[i]);
    scene.materials.RemoveAll();
    MoveListTail(scene.objects, m_Objects);
    MoveListTail(scene.selection.m_Objects, m_Selection.m_Objects);
    MoveListTail(scene.selection.m_Faces, m_Selection.m_Faces);
    MoveListTail(scene.selection.m_Vertices, m_Selection.m_Vertices);

    for (INT_PTR i = 0; i < m_Materials.GetSize(); ++i)
        m_Materials[i]->LoadTexture(m_Materials[i]->m_TextureName, m_pDevice);
    ApplyViewBlocks();
}
