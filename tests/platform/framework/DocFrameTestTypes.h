// A small document/frame/view program for the framework's document tests.
#pragma once

#include "WindowTestSupport.h"

#include <framework/Archive.h>

enum : UINT {
    kTemplateId = 128,
    kCmdDoc = 32800,
    kCmdView = 32801,
    kCmdApp = 32802,
    kCmdDisabled = 32803,
    kCmdChecked = 32804,
    kCmdNobody = 32805,
};

// Everything that happened, in order, across the test program's objects.
std::vector<std::string>& Events();

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)
public:
    TestDoc() = default;
    ~TestDoc() override;
    INT value = 0;
    void Serialize(CArchive& ar) override;
    void DeleteContents() override { value = 0; }

protected:
    afx_msg void OnDocCommand() { Events().push_back("doc command"); }
    afx_msg void OnDisabled() { Events().push_back("disabled ran"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

class TestView : public CView {
    DECLARE_DYNCREATE(TestView)
public:
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override {
        Events().push_back("initial update");
        CView::OnInitialUpdate();
    }

protected:
    afx_msg void OnViewCommand() { Events().push_back("view command"); }
    DECLARE_MESSAGE_MAP()
};

class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)
public:
    ~TestFrame() override { Events().push_back("frame gone"); }
    CSplitterWnd m_splitter;
    CStatusBar m_status;
    static bool s_useSplitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Orbel Test") {}

protected:
    afx_msg void OnAppCommand() { Events().push_back("app command"); }
    DECLARE_MESSAGE_MAP()
};

// Registers the template strings, menu and accelerators once.
void RegisterTestResources();
// Makes the template and runs File New; returns the frame.
TestFrame* StartTestProgram(TestApp& app);
