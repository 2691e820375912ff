// "Import..." and "Export Selected ...": a file dialog whose filter lists the
// import (export) plug-ins, then the chosen plug-in is served for PE_IMPORT
// (PE_EXPORT) with the file's path and name. An import that leaves nothing
// to see is taken back and reported.
#include "orbel/frame/MainFrm.h"

#include "orbel/host/ImportExportFilter.h"

#include <model/MyOrbelDoc.h>

#include <win32/Paths.h>

#include <utility>
#include <vector>

namespace {

// What an import may change, kept so that a failed one can be taken back:
// the objects and materials it adds go, the selection it replaced comes
// back (by object id: the objects themselves are not touched).
class SceneBeforeImport {
public:
    explicit SceneBeforeImport(CMyOrbelDoc& document)
        : m_document(document), m_nextObjectId(document.m_NextObjectId),
          m_materialCount(document.m_Materials.GetSize()), m_modified(document.IsModified())
    {
        const cSelection& selection = document.m_Selection;
        for (POSITION pos = selection.m_Objects.GetTailPosition(); pos != nullptr;)
            m_objects.push_back(selection.m_Objects.GetPrev(pos)->m_Id);
        Keep(selection.m_Faces, m_faces);
        Keep(selection.m_Vertices, m_vertices);
    }

    // Objects added since, and whether every one of them has no face.
    bool AddedOnlyObjectsWithoutFaces() const
    {
        bool added = false;
        for (POSITION pos = m_document.m_Objects.GetHeadPosition(); pos != nullptr;) {
            const cObjekt3D* object = m_document.m_Objects.GetNext(pos);
            if (object->m_Id < m_nextObjectId)
                continue;
            if (object->GetFaceCount() > 0)
                return false;
            added = true;
        }
        return added;
    }

    void RemoveAdditions()
    {
        m_document.m_Selection.Clear();
        std::vector<int> added;
        for (POSITION pos = m_document.m_Objects.GetHeadPosition(); pos != nullptr;) {
            const cObjekt3D* object = m_document.m_Objects.GetNext(pos);
            if (object->m_Id >= m_nextObjectId)
                added.push_back(object->m_Id);
        }
        for (int id : added)
            m_document.RemoveObject(id);
        m_document.m_NextObjectId = m_nextObjectId;
        while (m_document.m_Materials.GetSize() > m_materialCount) {
            const INT_PTR last = m_document.m_Materials.GetSize() - 1;
            delete m_document.m_Materials[last];
            m_document.m_Materials.RemoveAt(last);
        }
    }

    void RestoreSelection()
    {
        cSelection& selection = m_document.m_Selection;
        selection.Clear();
        for (int id : m_objects) {
            if (cObjekt3D* object = m_document.FindObjectById(id))
                selection.AddObject(object, FALSE);
        }
        for (const auto& [id, index] : m_faces) {
            if (cObjekt3D* object = m_document.FindObjectById(id))
                selection.AddFace(new SelectedElement{object, index}, FALSE);
        }
        for (const auto& [id, index] : m_vertices) {
            if (cObjekt3D* object = m_document.FindObjectById(id))
                selection.AddVertex(new SelectedElement{object, index}, FALSE);
        }
    }

    BOOL WasModified() const { return m_modified; }

private:
    using Elements = std::vector<std::pair<int, int>>;

    // Oldest first, so that adding them again in order rebuilds the list.
    static void Keep(const CList<SelectedElement*, SelectedElement*>& list, Elements& kept)
    {
        for (POSITION pos = list.GetTailPosition(); pos != nullptr;) {
            const SelectedElement* record = list.GetPrev(pos);
            kept.emplace_back(record->object->m_Id, record->index);
        }
    }

    CMyOrbelDoc& m_document;
    int m_nextObjectId;
    INT_PTR m_materialCount;
    BOOL m_modified;
    std::vector<int> m_objects;
    Elements m_faces;
    Elements m_vertices;
};

}  // namespace

void CMainFrame::OnFileImport()
{
    OnImportExport(TRUE);
}

void CMainFrame::OnFileExport()
{
    OnImportExport(FALSE);
}

void CMainFrame::OnUpdateFileImport(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_Plugins[PLUGIN_IMPORT].GetSize() > 0);
}

void CMainFrame::OnUpdateFileExport(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_Plugins[PLUGIN_EXPORT].GetSize() > 0);
}

void CMainFrame::OnImportExport(BOOL import)
{
    const PluginList& plugins = m_Plugins[import ? PLUGIN_IMPORT : PLUGIN_EXPORT];
    const ImportExportFilter filter = BuildImportExportFilter(plugins);
    if (filter.Empty())
        return;

    // The save dialog accepts a new name and does not ask before replacing.
    CFileDialog dialog(import, nullptr, nullptr, OFN_FILEMUSTEXIST, filter.text, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    const int chosen = filter.PluginForFilterIndex(dialog.m_ofn.nFilterIndex);
    if (chosen < 0)
        return;
    cPlugin* plugin = plugins[chosen].plugin;
    // Both live until the plug-in's list has been served.
    CString path = dialog.GetPathName();
    CString name = dialog.GetFileName();

    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    SceneBeforeImport before(*document);
    int undoSteps = 0;
    ServePlugin(plugin, import ? PE_IMPORT : PE_EXPORT, [plugin, &path, &name, &undoSteps](int code) {
        if (code == PR_FILE_PATH)
            plugin->SetParam(PR_FILE_PATH, &path);
        else if (code == PR_FILE_TITLE)
            plugin->SetParam(PR_FILE_TITLE, &name);
        else {
            undoSteps += code == PR_UNDO_POINT;
            return false;
        }
        return true;
    });

    // A file the plug-in could not read leaves an object without faces:
    // the scene and the undo list go back to what they were.
    if (import && before.AddedOnlyObjectsWithoutFaces()) {
        before.RemoveAdditions();
        while (undoSteps-- > 0 && document->m_pUndoManager->DropNewest()) {
        }
        before.RestoreSelection();
        DropPluginIfHeldObjectGone();
        document->RedrawViews(nullptr);
        document->SetModifiedFlag(before.WasModified());
        RefreshPanelsOfCurrentTab();
        // Named as the desktop shows paths, not in the program's own form.
        const CString shown = orbel::ToNativePath(static_cast<LPCSTR>(path)).c_str();
        MessageBox("Nothing could be imported from \"" + shown + "\".", "Import", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    document->RedrawViews(nullptr);
    // The import may have added materials and replaced the selection.
    if (import)
        RefreshPanelsOfCurrentTab();
}
