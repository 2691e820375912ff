// The application object: start-up, the message loop, the command line,
// the profile with its recent-file list and the file commands.
#include "Profile.h"
#include "WindowState.h"

#include <framework/CommonDialogs.h>
#include <framework/DocTemplate.h>
#include <framework/Document.h>
#include <framework/Exceptions.h>
#include <framework/FrameWnd.h>
#include <framework/Menu.h>
#include <framework/MessageBox.h>
#include <framework/CmdUI.h>
#include <framework/Resources.h>
#include <framework/WinApp.h>
#include <win32/Paths.h>

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {

CWinApp* g_app = nullptr;
std::vector<std::string> g_arguments;  // program arguments after the program name

// Strings the application object keeps for its LPCTSTR members.
char* Copy(const char* s) {
    if (s == nullptr)
        return nullptr;
    char* c = static_cast<char*>(std::malloc(std::strlen(s) + 1));
    std::strcpy(c, s);
    return c;
}

void Replace(LPCTSTR& member, const char* value) {
    std::free(const_cast<char*>(member));
    member = Copy(value);
}

bool SamePath(const CString& a, const CString& b) { return a.CompareNoCase(b) == 0; }

// "/x" counts as a flag only for the words the framework knows; anything
// else starting with '/' is an absolute path on this system.
bool IsSlashFlag(const std::string& arg) {
    static const char* const flags[] = {"dde", "p", "pt", "embedding", "automation", "unregister", "unregserver",
                                        "register", "regserver"};
    std::string word = arg.substr(1);
    for (char& c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* f : flags)
        if (word == f)
            return true;
    return false;
}

// The profile entry that holds the recent file list's name at `index`; the
// entries count from 1 ("File1", ...).
CString RecentFileEntry(const CString& format, int index) {
    CString entry;
    entry.Format(format, index + 1);
    return entry;
}

} // namespace

CWinApp* AfxGetApp() { return g_app; }

LPCTSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : ""; }

// ---- command line ----
CCommandLineInfo::CCommandLineInfo() = default;
CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL) {
    if (bFlag) {
        std::string flag = pszParam;
        for (char& c : flag)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (flag == "dde")
            m_nShellCommand = FileDDE;
        else if (flag == "p")
            m_nShellCommand = FilePrint;
        else if (flag == "pt")
            m_nShellCommand = FilePrintTo;
        else if (flag == "embedding")
            m_bRunEmbedded = TRUE;
        else if (flag == "automation")
            m_bRunAutomated = TRUE;
        else if (flag == "unregister" || flag == "unregserver")
            m_nShellCommand = AppUnregister;
        else if (flag == "register" || flag == "regserver")
            m_nShellCommand = AppRegister;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = orbel::ToProgramPath(pszParam).c_str();
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}

// ---- recent files ----
CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize)
    : m_nSize(nSize > 0 ? nSize : 1), m_arrNames(new CString[static_cast<std::size_t>(m_nSize)]),
      m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart) {}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

int CRecentFileList::GetSize() const { return m_nSize; }

CString& CRecentFileList::operator[](int nIndex) { return m_arrNames[nIndex]; }

void CRecentFileList::Add(LPCTSTR lpszPathName) {
    if (lpszPathName == nullptr || *lpszPathName == '\0')
        return;
    const CString path(lpszPathName);
    int found = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i)
        if (SamePath(m_arrNames[i], path)) {
            found = i;
            break;
        }
    for (int i = found; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::ReadList() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    // The profile keeps the system's own form; entries written in the
    // program's form by earlier versions read back unchanged.
    for (int i = 0; i < m_nSize; ++i) {
        const CString stored = app->GetProfileString(m_strSectionName, RecentFileEntry(m_strEntryFormat, i), "");
        m_arrNames[i] = stored.IsEmpty() ? stored : CString(orbel::ToProgramPath(stored.GetString()).c_str());
    }
}

void CRecentFileList::WriteList() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i)
        app->WriteProfileString(m_strSectionName, RecentFileEntry(m_strEntryFormat, i),
                                m_arrNames[i].IsEmpty() ? nullptr
                                                        : orbel::ToNativePath(m_arrNames[i].GetString()).c_str());
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
    CMenu* menu = pCmdUI->m_pMenu;
    if (m_arrNames[0].IsEmpty()) {
        pCmdUI->SetText("Recent File");
        pCmdUI->Enable(FALSE);
        return;
    }
    if (menu == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i)
        menu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    int count = 0;
    for (int i = 0; i < m_nSize && !m_arrNames[i].IsEmpty(); ++i) {
        // "&1 name": the file name is enough to tell them apart here.
        CString name = m_arrNames[i];
        int cut = name.ReverseFind('\\');
        if (cut >= 0)
            name = name.Mid(cut + 1);
        name.Replace("&", "&&");
        CString text;
        text.Format("&%d %s", i + 1, name.GetString());
        menu->InsertMenu(pCmdUI->m_nIndex + static_cast<UINT>(count), MF_BYPOSITION | MF_STRING,
                         pCmdUI->m_nID + static_cast<UINT>(i), text);
        ++count;
    }
    pCmdUI->m_nIndex += static_cast<UINT>(count - 1);
    pCmdUI->m_nIndexMax = menu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

// ---- the application ----
CWinApp::CWinApp(LPCTSTR lpszAppName) {
    m_pszAppName = Copy(lpszAppName);
    g_app = this;
    orbel::InstallMessageBoxFailureReporter();
    orbel::SetRecentFileHook([](LPCTSTR path) {
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(path);
    });
}

CWinApp::~CWinApp() {
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != nullptr)
        delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    m_templateList.RemoveAll();
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    Replace(m_pszAppName, nullptr);
    Replace(m_pszExeName, nullptr);
    Replace(m_pszRegistryKey, nullptr);
    Replace(m_pszProfileName, nullptr);
    std::free(m_lpCmdLine);
    m_lpCmdLine = nullptr;
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
    if (m_pMainWnd == nullptr)
        return ExitInstance();
    orbel::window::RunMessageLoop();
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
    return orbel::window::GetState().exitCode;
}

BOOL CWinApp::OnIdle(LONG) {
    for (HWND h : orbel::window::TopLevelWindows()) {
        CWnd* w = CWnd::FromHandlePermanent(h);
        if (w != nullptr && w->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            static_cast<CFrameWnd*>(w)->OnIdleUpdateCmdUI();
    }
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    // From the window up to its top-level parent, then the main window.
    HWND main = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    bool mainSeen = false;
    for (HWND h = pMsg->hwnd; h != nullptr; h = ::GetParent(h)) {
        if (CWnd* w = CWnd::FromHandlePermanent(h); w && w->PreTranslateMessage(pMsg))
            return TRUE;
        if (h == main) {
            mainSeen = true;
            break;
        }
    }
    if (!mainSeen && m_pMainWnd != nullptr && ::IsWindow(main))
        return m_pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg) {
    // A user exception has been reported where it was raised.
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_OK | MB_ICONEXCLAMATION);
    return (pMsg != nullptr && pMsg->message == WM_CREATE) ? -1 : 0;
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    Replace(m_pszRegistryKey, lpszRegistryKey);
    Replace(m_pszProfileName, m_pszAppName ? m_pszAppName : "Orbel");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    std::string key;
    if (AfxLoadString(nIDRegistryKey, key))
        SetRegistryKey(key.c_str());
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate != nullptr)
        m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

void CWinApp::EnableShellOpen() {}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    for (std::size_t i = 0; i < g_arguments.size(); ++i) {
        const std::string& arg = g_arguments[i];
        const bool last = i + 1 == g_arguments.size();
        if (arg.size() > 1 && (arg[0] == '-' || (arg[0] == '/' && IsSlashFlag(arg))))
            rCmdInfo.ParseParam(arg.c_str() + 1, TRUE, last);
        else
            rCmdInfo.ParseParam(arg.c_str(), FALSE, last);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::AppRegister:
        RegisterShellFileTypes(TRUE);
        return FALSE;
    case CCommandLineInfo::AppUnregister:
        return FALSE;
    default:
        return TRUE;
    }
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* t = pos ? GetNextDocTemplate(pos) : nullptr;
    if (t == nullptr || lpszFileName == nullptr)
        return nullptr;
    // The file that is already open stays as it is.
    POSITION docPos = t->GetFirstDocPosition();
    while (docPos != nullptr) {
        CDocument* doc = t->GetNextDoc(docPos);
        if (doc != nullptr && !doc->GetPathName().IsEmpty() && SamePath(doc->GetPathName(), lpszFileName))
            return doc;
    }
    return t->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
    if (m_pRecentFileList == nullptr)
        return;
    m_pRecentFileList->Add(lpszPathName);
    m_pRecentFileList->WriteList();  // kept at once, so a crash later loses nothing
}

BOOL CWinApp::SaveAllModified() {
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
        if (CDocTemplate* t = GetNextDocTemplate(pos); t && !t->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
        if (CDocTemplate* t = GetNextDocTemplate(pos))
            t->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate) {
    CString filter, defaultExt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* t = GetNextDocTemplate(pos);
        if (pTemplate != nullptr && t != pTemplate)
            continue;
        CString name, ext;
        if (t->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty() &&
            t->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
            filter += name + "|*" + ext + "|";
            if (defaultExt.IsEmpty())
                defaultExt = ext.Mid(1);
        }
    }
    filter += "All Files (*.*)|*.*||";
    const DWORD flags = lFlags | OFN_HIDEREADONLY | (bOpenFileDialog ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : defaultExt.GetString(),
                       fileName.IsEmpty() ? nullptr : fileName.GetString(), flags, filter, m_pMainWnd);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

CString CWinApp::GetProfilePath() const {
    const std::string config = orbel::profile::ConfigHome();
    if (config.empty())
        return CString();
    std::string path = config + "/";
    if (m_pszRegistryKey != nullptr && *m_pszRegistryKey)
        path += std::string(m_pszRegistryKey) + "/";
    path += (m_pszProfileName && *m_pszProfileName) ? m_pszProfileName : (m_pszAppName ? m_pszAppName : "Orbel");
    path += ".ini";
    return CString(path.c_str());
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    std::string value;
    const CString path = GetProfilePath();
    if (path.IsEmpty() || !orbel::profile::IniFile(path.GetString()).Get(lpszSection, lpszEntry, value))
        return static_cast<UINT>(nDefault);
    char* end = nullptr;
    const long n = std::strtol(value.c_str(), &end, 10);
    return end == value.c_str() ? static_cast<UINT>(nDefault) : static_cast<UINT>(n);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    return WriteProfileString(lpszSection, lpszEntry, std::to_string(nValue).c_str());
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    std::string value;
    const CString path = GetProfilePath();
    if (path.IsEmpty() || !orbel::profile::IniFile(path.GetString()).Get(lpszSection, lpszEntry, value))
        return CString(lpszDefault ? lpszDefault : "");
    return CString(value.c_str());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    const CString path = GetProfilePath();
    if (path.IsEmpty() || lpszSection == nullptr || lpszEntry == nullptr)
        return FALSE;
    orbel::profile::IniFile ini(path.GetString());
    return lpszValue == nullptr ? ini.Remove(lpszSection, lpszEntry) : ini.Set(lpszSection, lpszEntry, lpszValue);
}

void CWinApp::OnFileNew() {
    POSITION pos = GetFirstDocTemplatePosition();
    if (CDocTemplate* t = pos ? GetNextDocTemplate(pos) : nullptr)
        t->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString name;
    if (!DoPromptFileName(name, 0, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(name);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
    if (m_pRecentFileList == nullptr)
        return FALSE;
    const int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[index].IsEmpty())
        return FALSE;
    const CString path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path) == nullptr) {
        m_pRecentFileList->Remove(index);
        m_pRecentFileList->WriteList();
    }
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (m_pRecentFileList == nullptr)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

// ---- entry ----
int AfxWinMain(int argc, char** argv) {
    static int qtArgc = argc;
    if (QCoreApplication::instance() == nullptr)
        new QApplication(qtArgc, argv);
    orbel::window::EnsureQtApp();
    // Qt takes its own options (-platform ...) out of argv and counts down.
    g_arguments.clear();
    for (int i = 1; i < qtArgc && argv[i] != nullptr; ++i)
        g_arguments.emplace_back(argv[i]);
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    std::string commandLine;
    for (const std::string& a : g_arguments)
        commandLine += (commandLine.empty() ? "" : " ") + a;
    std::free(app->m_lpCmdLine);
    app->m_lpCmdLine = Copy(commandLine.c_str());
    const char* slash = argc > 0 ? std::strrchr(argv[0], '/') : nullptr;
    Replace(app->m_pszExeName, argc > 0 ? (slash ? slash + 1 : argv[0]) : "Orbel");
    if (app->m_pszAppName == nullptr) {
        std::string title;
        Replace(app->m_pszAppName, AfxLoadString(AFX_IDS_APP_TITLE, title) ? title.c_str() : app->m_pszExeName);
    }
    app->m_hInstance = AfxGetInstanceHandle();
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd != nullptr)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

namespace orbel::window {
// Tests set the arguments ParseCommandLine sees.
void SetProgramArguments(std::vector<std::string> arguments) { g_arguments = std::move(arguments); }
} // namespace orbel::window
