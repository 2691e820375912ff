// Snapshot undo steps: the whole scene in a numbered file of the snapshot
// folder.
#include "model/LoadedScene.h"
#include "model/MyOrbelDoc.h"

#include <vector>

namespace {

// Snapshot names are relative to the program directory, which is made
// current for the whole step (restored textures resolve against it too);
// the caller's current directory comes back however the step ends.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : m_Saved(5000, '\0')
    {
        const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(m_Saved.size()), m_Saved.data());
        m_Valid = length > 0 && length < m_Saved.size();
    }
    ~CurrentDirectoryGuard()
    {
        if (m_Valid)
            SetCurrentDirectoryA(m_Saved.data());
    }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    std::vector<char> m_Saved;
    bool m_Valid = false;
};

const char kSwapFileName[] = "Uzal.bin";

}  // namespace

CString CMyOrbelDoc::SnapshotFile(LPCTSTR name) const
{
    return (m_SnapshotDir.IsEmpty() ? CString("Temp\\") : m_SnapshotDir) + name;
}

void UndoFileProc(INT_PTR param, BOOL discard)
{
    auto* file = reinterpret_cast<UndoFile*>(param);
    CMyOrbelDoc::RestoreUndoState(file->document, file, discard);
}

BOOL CMyOrbelDoc::EnterProgramDirectory() const
{
    return !m_ProgramDir.IsEmpty() && SetCurrentDirectoryA(m_ProgramDir);
}

void CMyOrbelDoc::WriteSnapshot(const CString& fileName)
{
    CFile file(fileName, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    CArchive ar(&file, CArchive::store, 4096);
    try {
        WriteScene(ar);
        ar.Close();
    } catch (CException*) {
        ar.Abort();
        throw;
    }
    file.Close();
}

void CMyOrbelDoc::SaveUndoState(const CString& label)
{
    CurrentDirectoryGuard guard;
    // Without the program directory the snapshot would land wherever the
    // current directory happens to be, out of reach of the clean-up.
    if (!EnterProgramDirectory())
        AfxThrowFileException(CFileException::badPath, -1, m_ProgramDir);

    CString name;
    name.Format("Un%d.bin", m_pUndoManager->NextSnapshotNumber());
    const CString fileName = SnapshotFile(name);
    WriteSnapshot(fileName);

    UndoEntry entry;
    entry.param = reinterpret_cast<INT_PTR>(new UndoFile{this, fileName});
    entry.kind = UK_FUNCTION;
    entry.function = &UndoFileProc;
    entry.object = nullptr;
    entry.label = label;
    m_pUndoManager->Push(entry);
}

void CMyOrbelDoc::RestoreUndoState(CMyOrbelDoc* document, UndoFile* file, BOOL discard)
{
    if (discard) {
        delete file;  // the file itself stays until the Temp folder is emptied
        return;
    }
    CurrentDirectoryGuard guard;
    if (!document->EnterProgramDirectory())
        AfxThrowFileException(CFileException::badPath, -1, document->m_ProgramDir);
    const CString swapFile = document->SnapshotFile(kSwapFileName);
    if (!CopyFileA(file->fileName, swapFile, FALSE))
        AfxThrowFileException(CFileException::fileNotFound, -1, file->fileName);

    // The snapshot is read in full before anything changes: a snapshot that
    // cannot be read leaves the scene and the step's file as they were.
    cLoadedScene scene;
    {
        CFile swap(swapFile, CFile::modeRead | CFile::typeBinary);
        CArchive ar(&swap, CArchive::load, 4096);
        try {
            document->ReadScene(ar, scene);
            ar.Close();
        } catch (CException*) {
            ar.Abort();
            throw;
        }
        swap.Close();
    }
    // The step's file now takes the scene being left, so running the same
    // step again swaps back.
    document->WriteSnapshot(file->fileName);
    document->InstallScene(scene, FALSE);
    document->RedrawViews(nullptr);
}
