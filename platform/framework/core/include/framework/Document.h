// CDocument: the data side of the document/view machinery: the modified
// flag, title and path, the list of views, and opening and saving through
// Serialize.
//
// What reaches views, frames, templates or the user (adding and removing
// views, view updates, routing to the template, closing, the save prompt
// and Save As) is the window library's (DocumentFrameLinks.cpp). It hands
// its part of the virtual members to the core when it loads; a program
// without it has no views, frames or templates (see
// orbel::DocumentWindowSide).
//
// Left out: compound files and OLE documents, the mail and send commands,
// and documents kept in several frames at once.
#pragma once

#include <framework/Archive.h>
#include <framework/CString.h>
#include <framework/CmdTarget.h>
#include <framework/Exceptions.h>
#include <framework/List.h>

class CView;
class CFrameWnd;
class CDocTemplate;
class CDocument;

namespace orbel {

// The part of every document that reaches windows, which the framework's
// window library installs when it loads. Without it there are no views,
// frames or templates, and nobody to ask: a document then routes commands
// through its own map only, closes by emptying itself, keeps unsaved
// changes (SaveModified gives FALSE) and saves only under a name it is given.
struct ORBEL_API DocumentWindowSide {
    BOOL (CDocument::*routeToTemplate)(UINT, int, void*, AFX_CMDHANDLERINFO*);
    void (CDocument::*closeDocument)();
    BOOL (CDocument::*saveModified)();
    BOOL (CDocument::*doSave)(LPCTSTR, BOOL);
    CObject* (*viewObject)(CView*);
    void (*repaintView)(CView*, bool);

    // The window library's own; defined there.
    static DocumentWindowSide WindowLibrary();
};

ORBEL_API void SetDocumentWindowSide(const DocumentWindowSide& side);

// A document's views as code that links the core alone (the model) may use
// them: the view as the object it is, for casts to what it implements, and
// its repaint: the view's window is marked for painting without erasing
// and, with now, painted before the call returns; a view without a window
// is left alone.
ORBEL_API CObject* ViewObject(CView* view);
ORBEL_API void RepaintView(CView* view, bool now);

} // namespace orbel

class ORBEL_API CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const;
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const;
    // Keeps the full path (in the program's "\" form) and makes its file
    // name the title; with bAddToMRU the recent-file hook hears of it.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // The views, in the order they were added; empty while there are none.
    // Adding a view makes this its document; removing it leaves it without
    // one. AddView, RemoveView and UpdateAllViews come with the window library.
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
    CDocTemplate* GetDocTemplate() const;

    // Empties the document (DeleteContents), forgets the path and clears
    // the modified flag.
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize with a loading archive whose
    // m_pDocument is this document. A failure is reported and gives FALSE;
    // the contents are not emptied afterwards, so a document that reads
    // into fresh storage and swaps it in at the end keeps what it had.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes the document through Serialize into a new file beside the
    // target and puts it in place only when all went well, so a failed save
    // never destroys the file that was there. A failure is reported and
    // gives FALSE.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void OnChangedViewList();
    // Tells the user why a file could not be read or written.
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving);

    CDocTemplate* m_pDocTemplate = nullptr;

    // Routes to the document's map, then to its template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    void OnFileSave();
    void OnFileSaveAs();

    CString m_strTitle;
    CString m_strPathName;
    CPtrList m_viewList;
    BOOL m_bModified;
    BOOL m_bAutoDelete;

    friend class CSingleDocTemplate;  // keeps a document alive while its frame is made
    DECLARE_MESSAGE_MAP()

private:
    // The window library's side of OnCmdMsg, OnCloseDocument, SaveModified
    // and DoSave (DocumentFrameLinks.cpp).
    BOOL RouteToTemplate(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    void CloseWithFrames();
    BOOL AskToSaveModified();
    BOOL SaveWithPrompt(LPCTSTR lpszPathName, BOOL bReplace);
    friend struct orbel::DocumentWindowSide;
};

namespace orbel {

// Called by CDocument::SetPathName with bAddToMRU; the application installs it.
using RecentFileHook = void (*)(LPCTSTR lpszPathName);
ORBEL_API void SetRecentFileHook(RecentFileHook hook);

} // namespace orbel
