// CDocument's links to views, frames and templates: the view list, view
// updates, routing to the template, save prompts, Save As, and closing.
// The core calls the virtual members' window side through the table
// installed below.
#include <framework/CmdUI.h>
#include <framework/DocTemplate.h>
#include <framework/Document.h>
#include <framework/FrameWnd.h>
#include <framework/MessageBox.h>
#include <framework/ModalHook.h>
#include <framework/View.h>
#include <framework/WinApp.h>
#include <framework/WinUser.h>

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

CObject* ViewAsObject(CView* view) { return view; }

void RepaintViewWindow(CView* view, bool now) {
    const HWND window = view->GetSafeHwnd();
    if (window == nullptr)
        return;  // a null window would mean the whole desktop
    if (now)
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE);
    else
        ::InvalidateRect(window, nullptr, FALSE);
}

// Installed as the library loads, before any document exists.
[[maybe_unused]] const bool windowSideInstalled =
    (orbel::SetDocumentWindowSide(orbel::DocumentWindowSide::WindowLibrary()), true);

} // namespace

orbel::DocumentWindowSide orbel::DocumentWindowSide::WindowLibrary() {
    return {&CDocument::RouteToTemplate, &CDocument::CloseWithFrames, &CDocument::AskToSaveModified,
            &CDocument::SaveWithPrompt,  &ViewAsObject,               &RepaintViewWindow};
}

void CDocument::AddView(CView* pView) {
    if (pView == nullptr || m_viewList.Find(pView) != nullptr)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    POSITION position = m_viewList.Find(pView);
    if (position == nullptr)
        return;
    m_viewList.RemoveAt(position);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

BOOL CDocument::RouteToTemplate(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::CloseWithFrames() {
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

BOOL CDocument::AskToSaveModified() {
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

BOOL CDocument::SaveWithPrompt(LPCTSTR lpszPathName, BOOL bReplace) {
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
