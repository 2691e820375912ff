// CDocument's links to views, frames and templates: command routing, view
// updates, save prompts, Save and Save As, and closing.
#include <framework/CmdUI.h>
#include <framework/DocTemplate.h>
#include <framework/Document.h>
#include <framework/FrameWnd.h>
#include <framework/MessageBox.h>
#include <framework/ModalHook.h>
#include <framework/View.h>
#include <framework/WinApp.h>

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

// The name the user knows the document by: its file name, or its title.
CString DisplayName(const CString& path, const CString& title) {
    if (path.IsEmpty())
        return title.IsEmpty() ? CString("Untitled") : title;
    int cut = path.ReverseFind('\\');
    const int slash = path.ReverseFind('/');
    if (slash > cut)
        cut = slash;
    return path.Mid(cut + 1);
}

} // namespace

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CDocTemplate* CDocument::GetDocTemplate() const { return m_pDocTemplate; }

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList() {
    // Only a document its template made is the framework's to delete.
    if (GetFirstViewPosition() == nullptr && m_bAutoDelete && m_pDocTemplate != nullptr)
        OnCloseDocument();
}

void CDocument::OnCloseDocument() {
    // The frames (and with them the views) go first; the document last.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* view = GetNextView(pos);
        CFrameWnd* frame = view->GetParentFrame();
        if (frame != nullptr) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        } else {
            view->DestroyWindow();
        }
        pos = GetFirstViewPosition();
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete && m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
        delete this;
    }
}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    CString prompt = "Save changes to " + DisplayName(m_strPathName, m_strTitle) + "?";
    int answer;
    if (const auto hooked = orbel::modal::Ask(orbel::modal::kSavePrompt, prompt.GetString()))
        answer = hooked->result;
    else
        answer = AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    switch (answer) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;  // Cancel, or a box closed without an answer
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*) { return SaveModified(); }

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
    CString newName = lpszPathName != nullptr ? CString(lpszPathName) : CString();
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            CString ext;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                !ext.IsEmpty() && newName.Find('.') < 0)
                newName += ext;
        }
        CWinApp* app = AfxGetApp();
        if (app == nullptr || !app->DoPromptFileName(newName, 0, 0, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    if (m_strPathName.IsEmpty())
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }
