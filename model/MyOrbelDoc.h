// The scene document: owns the objects, the materials, the selection and the
// undo history, and carries the Direct3D device and the program directory
// for everybody holding a document pointer.
#pragma once

#include <framework/Core.h>
#include <d3d8/D3D8.h>

#include "model/Material.h"
#include "model/Objekt3D.h"
#include "model/Selection.h"
#include "model/SelectionMode.h"
#include "model/UndoManager.h"

class CView;
struct cLoadedScene;

class CMyOrbelDoc : public CDocument {
    DECLARE_DYNCREATE(CMyOrbelDoc)

public:
    CMyOrbelDoc();
    CMyOrbelDoc(const CMyOrbelDoc&) = delete;
    CMyOrbelDoc& operator=(const CMyOrbelDoc&) = delete;
    // Frees the scene and empties the snapshot folder of its files: the
    // instance's own folder when one was given, else m_ProgramDir + "Temp"
    // (nothing at all without a program directory or that folder).
    ~CMyOrbelDoc() override;

    BOOL OnNewDocument() override;
    // The scene file; a user's open starts a new undo history.
    void Serialize(CArchive& ar) override;

    // Writing writes the scene, then one block per view. Reading reads and
    // checks the whole file into a fresh scene and only then replaces the
    // current one (ClearScene(reset), then the new scene); a file that fails
    // anywhere raises the framework's exception and changes nothing.
    void SerializeScene(CArchive& ar, BOOL reset);

    // The object gets the next id and goes to the head of the list; the
    // document owns it from now on.
    void AddObject(cObjekt3D* object);
    cObjekt3D* FindObjectById(int id) const;
    // Unlinks and deletes every object with that id.
    void RemoveObject(int id);
    void RemoveMaterial(int index);
    void NotifyMaterialRemoved(int index);
    // reset TRUE also starts a new undo history. Every view goes back to the
    // default camera of its kind.
    void ClearScene(BOOL reset);
    // With a view: only that view is invalidated. Without: every view is
    // repainted now and the document is marked modified.
    void RedrawViews(CView* view = nullptr);

    // The folder this running instance keeps its snapshots in (absolute,
    // ending in '\'; see model/WorkFolders.h). Until one is given they go to
    // "Temp" under the program directory.
    void SetSnapshotFolder(const CString& folder) { m_SnapshotDir = folder; }
    const CString& GetSnapshotFolder() const { return m_SnapshotDir; }

    // Writes the scene to the next "Un<n>.bin" of the snapshot folder (with
    // the program directory current) and records an undo step with that
    // label. Throws the
    // framework's file or archive exception (and records nothing) when the
    // snapshot cannot be written.
    void SaveUndoState(const CString& label);
    // The work of a snapshot step: discard frees the record; otherwise the
    // scene and the step's file change places. A snapshot that cannot be
    // read back leaves the scene as it was and throws.
    static void RestoreUndoState(CMyOrbelDoc* document, UndoFile* file, BOOL discard);

    // Edit commands on the selection; each records its undo step before it
    // changes anything. mode is the frame's selection mode.
    void AssignMaterial(int material, int mode);
    void CloneObjects(int mode);
    void DeleteSelection(int mode);
    void JoinObjects();

    // Layout contract starts here.
    CList<cObjekt3D*, cObjekt3D*> m_Objects;
    CArray<cMaterial*, cMaterial*> m_Materials;
    int m_NextObjectId;
    cSelection m_Selection;
    cUndoManager* m_pUndoManager;
    IDirect3DDevice8* m_pDevice;
    CString m_ProgramDir;  // ends in '\'
    BYTE m_BoundsValid;

private:
    // The snapshot folder's file of that name, as the snapshot steps keep it.
    CString SnapshotFile(LPCTSTR name) const;
    void DeleteSceneContents();
    // Reads a whole file into `scene` (view blocks go pending in the views).
    void ReadScene(CArchive& ar, cLoadedScene& scene);
    void InstallScene(cLoadedScene& scene, BOOL reset);
    void WriteScene(CArchive& ar);
    // Writes the scene to `fileName` (relative to the current directory).
    void WriteSnapshot(const CString& fileName);
    BOOL EnterProgramDirectory() const;
    // The document's side of its views (see model/SceneView.h).
    void ResetViewsToKind();
    void WriteViewBlocks(CArchive& ar);
    void ReadViewBlocks(CArchive& ar);
    void ApplyViewBlocks();

    CString m_SnapshotDir;
};
