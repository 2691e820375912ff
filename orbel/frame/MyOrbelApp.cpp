#include "orbel/frame/MyOrbelApp.h"

#include "orbel/frame/AboutDlg.h"
#include "orbel/frame/MainFrm.h"
#include "orbel/resources/ProgramResources.h"
#include "orbel/resources/Resource.h"
#include "orbel/views/MyOrbelView.h"

#include <model/MyOrbelDoc.h>

#include <vector>

BEGIN_MESSAGE_MAP(CMyOrbelApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, OnNewScene)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CMyOrbelApp::CMyOrbelApp() = default;

CString ProgramDirectoryOf(LPCSTR modulePath)
{
    CString path = modulePath != nullptr ? modulePath : "";
    const int lastSeparator = path.ReverseFind('\\');
    return lastSeparator < 0 ? CString() : path.Left(lastSeparator + 1);
}

CString CMyOrbelApp::LocateProgramDirectory() const
{
    // Linux paths may be much longer than the 259 characters a Windows
    // module name had; a cut name would put the program folder elsewhere.
    std::vector<char> name(4096, '\0');
    const DWORD length = ::GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0 || length >= name.size())
        return CString();
    return ProgramDirectoryOf(name.data());
}

BOOL CMyOrbelApp::InitInstance()
{
    CWinApp::InitInstance();
    RegisterProgramResources();

    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMyOrbelDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CMyOrbelView)));
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);

    m_ProgramDir = LocateProgramDirectory();
    m_pSnapshotFolder = std::make_unique<cSnapshotFolder>(m_ProgramDir);

    // A scene named on the command line is opened here, before the document
    // knows the program folder.
    if (!ProcessShellCommand(commandLine))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->DragAcceptFiles();

    POSITION templates = GetFirstDocTemplatePosition();
    CDocTemplate* documentTemplate = templates != nullptr ? GetNextDocTemplate(templates) : nullptr;
    if (documentTemplate != nullptr) {
        POSITION documents = documentTemplate->GetFirstDocPosition();
        if (documents != nullptr) {
            if (auto* document = dynamic_cast<CMyOrbelDoc*>(documentTemplate->GetNextDoc(documents))) {
                document->m_ProgramDir = m_ProgramDir;
                document->SetSnapshotFolder(m_pSnapshotFolder->Path());
            }
        }
    }
    return TRUE;
}

namespace {

void TellFrameSceneReplaced(CWnd* mainWindow)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(mainWindow))
        frame->OnSceneReplaced();
}

}  // namespace

void CMyOrbelApp::OnNewScene()
{
    CWinApp::OnFileNew();
    TellFrameSceneReplaced(m_pMainWnd);
}

CDocument* CMyOrbelApp::OpenDocumentFile(LPCTSTR fileName)
{
    // Also a failed open may have started a fresh scene.
    CDocument* document = CWinApp::OpenDocumentFile(fileName);
    TellFrameSceneReplaced(m_pMainWnd);
    return document;
}

void CMyOrbelApp::OnAppAbout()
{
    CAboutDlg about;
    about.m_Text = m_Direct3DMode;
    about.DoModal();
}
