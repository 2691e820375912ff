#include <framework/CommandIds.h>
#include <framework/Document.h>
#include <framework/FailureReport.h>
#include <framework/File.h>

#include <win32/Paths.h>

#include <exception>
#include <filesystem>

namespace {

orbel::RecentFileHook& RecentFiles()
{
    static orbel::RecentFileHook hook = nullptr;
    return hook;
}

orbel::DocumentWindowSide& WindowSide()
{
    static orbel::DocumentWindowSide side{};
    return side;
}

// The exception's own text names the file the user chose, not a temporary one.
void NameFile(CException* e, LPCTSTR lpszPathName)
{
    if (auto* fileError = dynamic_cast<CFileException*>(e))
        fileError->m_strFileName = lpszPathName;
    else if (auto* archiveError = dynamic_cast<CArchiveException*>(e))
        archiveError->m_strFileName = lpszPathName;
}

} // namespace

namespace orbel {

void SetRecentFileHook(RecentFileHook hook)
{
    RecentFiles() = hook;
}

void SetDocumentWindowSide(const DocumentWindowSide& side)
{
    WindowSide() = side;
}

CObject* ViewObject(CView* view)
{
    return view != nullptr && WindowSide().viewObject != nullptr ? WindowSide().viewObject(view) : nullptr;
}

void RepaintView(CView* view, bool now)
{
    if (view != nullptr && WindowSide().repaintView != nullptr)
        WindowSide().repaintView(view, now);
}

} // namespace orbel

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() : m_bModified(FALSE), m_bAutoDelete(TRUE) {}

CDocument::~CDocument() = default;

const CString& CDocument::GetTitle() const
{
    return m_strTitle;
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
}

const CString& CDocument::GetPathName() const
{
    return m_strPathName;
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    std::error_code error;
    const std::string native = orbel::ToNativePath(lpszPathName);
    const std::filesystem::path full = std::filesystem::absolute(native, error);
    m_strPathName = orbel::ToProgramPath(error ? native : full.lexically_normal().string()).c_str();
    SetTitle(m_strPathName.Mid(m_strPathName.ReverseFind('\\') + 1));
    if (bAddToMRU && RecentFiles() != nullptr)
        RecentFiles()(m_strPathName);
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

CDocTemplate* CDocument::GetDocTemplate() const
{
    return m_pDocTemplate;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    const auto route = WindowSide().routeToTemplate;
    return route != nullptr && (this->*route)(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnChangedViewList()
{
    // Only a document its template made is the framework's to delete.
    if (GetFirstViewPosition() == nullptr && m_bAutoDelete && m_pDocTemplate != nullptr)
        OnCloseDocument();
}

void CDocument::OnCloseDocument()
{
    if (const auto close = WindowSide().closeDocument)
        (this->*close)();
    else
        DeleteContents();
}

BOOL CDocument::SaveModified()
{
    if (const auto ask = WindowSide().saveModified)
        return (this->*ask)();
    return !IsModified();  // nobody to ask: the changes stay
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    if (const auto save = WindowSide().doSave)
        return (this->*save)(lpszPathName, bReplace);
    // Nobody to ask for a name.
    if (lpszPathName == nullptr || *lpszPathName == '\0' || !OnSaveDocument(lpszPathName))
        return FALSE;
    if (bReplace)
        SetPathName(lpszPathName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    if (m_strPathName.IsEmpty())
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException openError;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &openError)) {
        ReportSaveLoadException(lpszPathName, &openError, FALSE);
        return FALSE;
    }
    const BOOL wasModified = m_bModified;
    DeleteContents();
    SetModifiedFlag(TRUE);  // dirty while reading, in case Serialize stops half-way
    try {
        CArchive loadArchive(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        Serialize(loadArchive);
        loadArchive.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        SetModifiedFlag(wasModified);
        NameFile(e, lpszPathName);
        ReportSaveLoadException(lpszPathName, e, FALSE);
        e->Delete();
        return FALSE;
    } catch (const std::exception&) {
        file.Abort();
        SetModifiedFlag(wasModified);
        CArchiveException error(CArchiveException::genericException, lpszPathName);
        ReportSaveLoadException(lpszPathName, &error, FALSE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0') {
        CFileException error(CFileException::badPath, -1, lpszPathName);
        ReportSaveLoadException(lpszPathName, &error, TRUE);
        return FALSE;
    }
    // Write beside the target and replace it only once everything is on disk.
    const CString temporaryName = CString(lpszPathName) + ".saving";
    CFile file;
    CFileException openError;
    if (!file.Open(temporaryName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &openError)) {
        openError.m_strFileName = lpszPathName;
        ReportSaveLoadException(lpszPathName, &openError, TRUE);
        return FALSE;
    }
    auto discardTemporary = [&]() {
        file.Abort();
        try {
            CFile::Remove(temporaryName);
        } catch (CException* e) {
            e->Delete();
        }
    };
    try {
        CArchive saveArchive(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        Serialize(saveArchive);
        saveArchive.Close();
        file.Flush();
        file.Close();
        CFile::Rename(temporaryName, lpszPathName);
    } catch (CException* e) {
        discardTemporary();
        NameFile(e, lpszPathName);
        ReportSaveLoadException(lpszPathName, e, TRUE);
        e->Delete();
        return FALSE;
    } catch (const std::exception&) {
        discardTemporary();
        CFileException error(CFileException::genericException, -1, lpszPathName);
        ReportSaveLoadException(lpszPathName, &error, TRUE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving)
{
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;  // the user has been told already
    CString text = bSaving ? "Could not save " : "Could not open ";
    // Users read paths in the system's own form.
    text += lpszPathName != nullptr && *lpszPathName != '\0'
                ? "\"" + CString(orbel::ToNativePath(lpszPathName).c_str()) + "\"."
                : CString("the document.");
    char detail[1024];
    if (e != nullptr && e->GetErrorMessage(detail, sizeof detail)) {
        text += "\n";
        text += detail;
    }
    orbel::ReportFailure(text, MB_OK | MB_ICONEXCLAMATION);
}
