// The application object: start-up (InitInstance), the message loop (Run),
// the command line, the profile with its recent-file list, the document
// templates and the file commands New, Open and the recent files.
//
// The profile is kept in a text file under the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config): <folder>/<registry key>/<app>.ini.
//
// Left out: the registry itself (the profile file stands in for it), DDE,
// printing setup, help, the /Embedding, /Automation, /p and /pt switches,
// CWinThread and user-interface threads, and restart managers.
#pragma once

#include <framework/CString.h>
#include <framework/CmdTarget.h>
#include <framework/List.h>
#include <framework/WinUser.h>

class CDocTemplate;
class CDocument;
class CWnd;

class ORBEL_API CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };
    CCommandLineInfo();
    ~CCommandLineInfo() override;
    // Called for each argument; flags start with '-' or '/'.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
};

// The recent-file list: most recent first, at most m_nSize entries, no
// duplicates (paths compared without regard to case).
class ORBEL_API CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize);
    virtual ~CRecentFileList();
    int GetSize() const;
    CString& operator[](int nIndex);
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // Fills the menu items from ID_FILE_MRU_FILE1 on ("&1 name", ...).
    virtual void UpdateMenu(class CCmdUI* pCmdUI);

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
};

class ORBEL_API CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Shows the exception that escaped a handler; the loop goes on.
    virtual LRESULT ProcessWndProcException(class CException* e, const MSG* pMsg);

    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    void EnableShellOpen();
    // Tells the desktop about the document type: a .desktop entry and a
    // shared-mime-info package in the user's data folder ($XDG_DATA_HOME
    // or ~/.local/share). Never fails start-up.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // The file dialog of Open and Save As; TRUE with the chosen path.
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // Where the profile lives (a file path; empty before SetRegistryKey and
    // without a configuration folder).
    CString GetProfilePath() const;

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(class CCmdUI* pCmdUI);

protected:
    CPtrList m_templateList;

    DECLARE_MESSAGE_MAP()
};

ORBEL_API CWinApp* AfxGetApp();
ORBEL_API LPCTSTR AfxGetAppName();

// The program's entry: makes the Qt application, runs InitInstance and, when
// it succeeds, the message loop; then ExitInstance. Returns the exit code.
ORBEL_API int AfxWinMain(int argc, char** argv);
