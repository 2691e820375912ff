// The application object: start-up of the single-document program and the
// About box.
#pragma once

#include <framework/Afx.h>
#include <model/WorkFolders.h>

#include <memory>

class CMyOrbelApp : public CWinApp {
public:
    CMyOrbelApp();

    BOOL InitInstance() override;
    afx_msg void OnAppAbout();
    // New and every way of opening a scene (menu, recent files, dropped
    // files) tell the frame that the scene was replaced.
    afx_msg void OnNewScene();
    CDocument* OpenDocumentFile(LPCTSTR fileName) override;

    // The folder of the program's executable, ending in '\'.
    CString m_ProgramDir;
    // This instance's undo snapshots, claimed at start-up and removed when
    // the application object goes.
    std::unique_ptr<cSnapshotFolder> m_pSnapshotFolder;
    // What Direct3D start-up chose; shown by the About box.
    CString m_Direct3DMode;

protected:
    // The folder of the running executable; tests start the program from
    // elsewhere.
    virtual CString LocateProgramDirectory() const;

    DECLARE_MESSAGE_MAP()
};

// The folder part of a Windows path, up to and including its last '\';
// empty when there is none.
CString ProgramDirectoryOf(LPCSTR modulePath);
