#include "DocFrameTestTypes.h"

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

IMPLEMENT_DYNCREATE(TestDoc, CDocument)
IMPLEMENT_DYNCREATE(TestView, CView)
IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)

bool TestFrame::s_useSplitter = false;

BEGIN_MESSAGE_MAP(TestDoc, CDocument)
ON_COMMAND(kCmdDoc, OnDocCommand)
ON_COMMAND(kCmdDisabled, OnDisabled)
ON_UPDATE_COMMAND_UI(kCmdDisabled, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(kCmdChecked, OnUpdateChecked)
ON_COMMAND(kCmdChecked, OnDocCommand)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TestView, CView)
ON_COMMAND(kCmdView, OnViewCommand)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
ON_COMMAND(kCmdApp, OnAppCommand)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

TestDoc::~TestDoc() { Events().push_back("doc gone"); }

void TestDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << value;
    } else {
        ar >> value;
        if (value < 0)
            AfxThrowArchiveException(CArchiveException::badIndex, nullptr);
    }
}

void TestView::OnDraw(CDC* pDC) {
    CRect r;
    GetClientRect(&r);
    pDC->FillSolidRect(&r, RGB(0, 0, 255));
}

int TestFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    static const UINT indicators[] = {0, 0};
    if (!m_status.Create(this) || !m_status.SetIndicators(indicators, 2))
        return -1;
    m_status.SetPaneInfo(1, 0, SBPS_NORMAL, 50);
    return 0;
}

BOOL TestFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
    if (!s_useSplitter)
        return CFrameWnd::OnCreateClient(lpcs, pContext);
    if (!m_splitter.CreateStatic(this, 2, 2))
        return FALSE;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col)
            if (!m_splitter.CreateView(row, col, RUNTIME_CLASS(TestView), CSize(0, 0), pContext))
                return FALSE;
    return TRUE;
}

void RegisterTestResources() {
    static bool done = false;
    if (done)
        return;
    done = true;
    ResourceTables tables;
    tables.strings.push_back({kTemplateId, "Orbel\n\nOrbel\nOrbel Files (*.f3D)\n.f3D\nMyOrbel.Document\nOrbel.Document"});
    MenuTemplate menu;
    menu.id = kTemplateId;
    MenuItemTemplate file{"&File", 0, MF_POPUP, {}};
    file.children.push_back({"&New\tCtrl+N", ID_FILE_NEW, MF_STRING, {}});
    file.children.push_back({"Recent File", ID_FILE_MRU_FILE1, MF_STRING, {}});
    MenuItemTemplate edit{"&Edit", 0, MF_POPUP, {}};
    edit.children.push_back({"Doc", kCmdDoc, MF_STRING, {}});
    edit.children.push_back({"Disabled", kCmdDisabled, MF_STRING, {}});
    edit.children.push_back({"Checked", kCmdChecked, MF_STRING, {}});
    edit.children.push_back({"", 0, MF_SEPARATOR, {}});
    edit.children.push_back({"Nobody", kCmdNobody, MF_STRING, {}});
    menu.items = {file, edit};
    tables.menus.push_back(menu);
    AcceleratorTable accel;
    accel.id = kTemplateId;
    accel.entries = {{FVIRTKEY, 'X', static_cast<WORD>(kCmdDoc)},
                     {FVIRTKEY | FCONTROL, 'D', static_cast<WORD>(kCmdView)},
                     {FVIRTKEY, 'Q', static_cast<WORD>(kCmdDisabled)}};
    tables.accelerators.push_back(accel);
    AfxRegisterModuleResources(AfxGetInstanceHandle(), std::move(tables));
}

TestFrame* StartTestProgram(TestApp& app) {
    RegisterTestResources();
    app.AddDocTemplate(new CSingleDocTemplate(kTemplateId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame),
                                              RUNTIME_CLASS(TestView)));
    app.OnFileNew();
    orbel::test::RunUntilIdle();
    return static_cast<TestFrame*>(app.m_pMainWnd);
}
