#include "PluginTestHost.h"

#include "orbel/frame/MainFrm.h"
#include "orbel/host/PluginLoader.h"
#include "orbel/host/RequestServing.h"
#include "support/FreshFolder.h"

#include <d3d8/TestControl.h>
#include <testsupport/ControlInput.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

class PluginTestHost::HostWindow : public CFrameWnd {
public:
    explicit HostWindow(PluginTestHost& host)
        : m_Host(host)
    {
    }

protected:
    LRESULT OnUserMessage(WPARAM code, LPARAM argument)
    {
        m_Host.OnPosted(code, argument);
        return 1;
    }
    DECLARE_MESSAGE_MAP()

private:
    PluginTestHost& m_Host;
};

BEGIN_MESSAGE_MAP(PluginTestHost::HostWindow, CFrameWnd)
    ON_MESSAGE(WM_USER, OnUserMessage)
END_MESSAGE_MAP()

namespace {

std::filesystem::path MakeScratchFolder()
{
    auto folder = orbel::test::MakeFreshFolder("orbel-plugin-host-");
    std::filesystem::create_directories(folder / "Temp");
    return folder;
}

CString ProgramPath(const std::filesystem::path& folder)
{
    std::string path = folder.string() + "/";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return CString(path.c_str());
}

}  // namespace

PluginTestHost::PluginTestHost()
    : m_Folder(MakeScratchFolder())
{
    orbel::test::EnsureApplication();
    D3D8SetTestControl(D3D8TestControl{});

    m_Document = std::make_unique<CMyOrbelDoc>();
    m_Document->m_ProgramDir = ProgramPath(m_Folder);

    m_Direct3D = Direct3DCreate8(D3D_SDK_VERSION);
    if (m_Direct3D != nullptr) {
        D3DPRESENT_PARAMETERS pp{};
        pp.Windowed = TRUE;
        pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
        pp.BackBufferFormat = D3DFMT_X8R8G8B8;
        m_Direct3D->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(1), D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                 &pp, &m_Device);
    }
    m_Document->m_pDevice = m_Device;

    m_Window = new HostWindow(*this);
    m_Window->Create(nullptr, "Plug-in test host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 600));
    m_Window->ShowWindow(SW_SHOW);
    m_Placeholder = new CWnd;
    m_Placeholder->Create("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 290, 500), m_Window,
                          1011);
}

PluginTestHost::~PluginTestHost()
{
    if (m_Current != nullptr)
        m_Current->HidePanel();
    m_Current = nullptr;
    DeliverPosted();
    PluginLists lists;
    for (PluginRecord& record : m_Loaded)
        lists[PLUGIN_CREATE].Add(record);
    ReleasePlugins(lists);
    if (m_Placeholder != nullptr) {
        m_Placeholder->DestroyWindow();
        delete m_Placeholder;
    }
    if (m_Window != nullptr)
        m_Window->DestroyWindow();  // a frame deletes itself
    orbel::test::RunUntilIdle();
    m_Document.reset();
    if (m_Device != nullptr)
        m_Device->Release();
    if (m_Direct3D != nullptr)
        m_Direct3D->Release();
    std::error_code ignored;
    std::filesystem::remove_all(m_Folder, ignored);
}

cPlugin* PluginTestHost::Load(const std::string& fileName)
{
    const std::string path = std::string(ORBEL_PLUGIN_DIR) + "/" + fileName;
    PluginRecord record;
    if (!CMainFrame::LoadPlugin(path.c_str(), record)) {
        ADD_FAILURE() << "cannot load " << path;
        return nullptr;
    }
    m_Loaded.push_back(record);
    return record.plugin;
}

void PluginTestHost::Activate(cPlugin* plugin)
{
    if (m_Current != nullptr)
        m_Current->HidePanel();
    plugin->ShowPanel(m_Placeholder);
    m_Current = plugin;
    ServeFromFrame(plugin, PE_ACTIVATE);
    DeliverPosted();
}

void PluginTestHost::Deactivate()
{
    if (m_Current != nullptr)
        m_Current->HidePanel();
    m_Current = nullptr;
    DeliverPosted();
}

bool PluginTestHost::Mouse(int event, const D3DXVECTOR3& point)
{
    if (m_Current == nullptr)
        return false;
    cPlugin* plugin = m_Current;
    const bool accepted = ServePluginEvent(plugin, event, [this, plugin, &point](int code) {
        servedCodes.push_back(code);
        if (code == PR_POINT) {
            float copy[3] = {point.x, point.y, point.z};
            plugin->SetParam(PR_POINT, copy);
        } else if (code == PR_CAPTURE_MOUSE) {
            ++mouseCaptures;
        } else {
            ServeFrameRequest(plugin, code);
        }
    });
    DeliverPosted();
    return accepted;
}

void PluginTestHost::Drag(const D3DXVECTOR3& from, const std::vector<D3DXVECTOR3>& to)
{
    Press(from);
    for (const D3DXVECTOR3& point : to)
        Move(point);
    Release(to.empty() ? from : to.back());
}

bool PluginTestHost::ServeFromFrame(cPlugin* plugin, int event)
{
    return ServePluginEvent(plugin, event, [this, plugin](int code) {
        servedCodes.push_back(code);
        ServeFrameRequest(plugin, code);
    });
}

bool PluginTestHost::ServeFile(cPlugin* plugin, int event, const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    CString fullPath(path.c_str());
    CString title(path.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
    const bool accepted = ServePluginEvent(plugin, event, [&](int code) {
        servedCodes.push_back(code);
        if (code == PR_FILE_PATH)
            plugin->SetParam(PR_FILE_PATH, &fullPath);
        else if (code == PR_FILE_TITLE)
            plugin->SetParam(PR_FILE_TITLE, &title);
        else
            ServeFrameRequest(plugin, code);
    });
    DeliverPosted();
    return accepted;
}

bool PluginTestHost::Notify(cPlugin* plugin, int event)
{
    const bool accepted = ServeFromFrame(plugin, event);
    DeliverPosted();
    return accepted;
}

// The frame's answers, against the document; view-only codes reaching the
// frame are ignored as the frame ignores them.
void PluginTestHost::ServeFrameRequest(cPlugin* plugin, int code)
{
    CMyOrbelDoc& document = *m_Document;
    switch (code) {
    case PR_NEW_OBJECT: {
        auto* object = new cObjekt3D;
        document.m_Selection.Clear();
        document.m_Selection.AddObject(object, TRUE);
        document.AddObject(object);
        plugin->SetParam(PR_NEW_OBJECT, object);
        if (m_Current != nullptr)
            ServeFromFrame(m_Current, PE_REFRESH);
        break;
    }
    case PR_SELECTION:
        plugin->SetParam(PR_SELECTION, &document.m_Selection);
        break;
    case PR_CLEAR_SELECTION:
        document.m_Selection.Clear();
        break;
    case PR_DEVICE:
        plugin->SetParam(PR_DEVICE, m_Device);
        break;
    case PR_REPEAT:
        ServeRepeat(plugin, [this, plugin](int repeated) {
            servedCodes.push_back(repeated);
            ServeFrameRequest(plugin, repeated);
        });
        break;
    case PR_NEW_MATERIAL: {
        auto* material = new cMaterial;
        document.m_Materials.Add(material);
        plugin->SetParam(PR_NEW_MATERIAL, material);
        break;
    }
    case PR_MATERIAL_INDEX: {
        int last = static_cast<int>(document.m_Materials.GetSize()) - 1;
        plugin->SetParam(PR_MATERIAL_INDEX, &last);
        break;
    }
    case PR_MATERIALS:
        plugin->SetParam(PR_MATERIALS, &document.m_Materials);
        break;
    case PR_UNDO_POINT: {
        const char* label = plugin->GetText(PR_UNDO_POINT);
        document.SaveUndoState(CString(label != nullptr ? label : ""));
        break;
    }
    case PR_EXECUTE:
        plugin->SetParam(PR_EXECUTE, nullptr);
        break;
    default:
        break;
    }
}

void PluginTestHost::OnPosted(WPARAM code, LPARAM argument)
{
    if (code == PR_PANEL_ACTION) {
        ++panelActions;
        if (m_Current != nullptr)
            m_Current->SetParam(PR_PANEL_ACTION, nullptr);
    } else if (code == FM_RUN_PLUGIN) {
        ++runs;
        if (auto* plugin = reinterpret_cast<cPlugin*>(argument))
            ServeFromFrame(plugin, PE_EXECUTE);
    }
}

void PluginTestHost::Undo()
{
    if (m_Document->m_pUndoManager->CanUndo()) {
        Deactivate();
        m_Document->m_pUndoManager->Undo();
    }
}

void PluginTestHost::Redo()
{
    m_Document->m_pUndoManager->Redo();
}

void PluginTestHost::DeliverPosted()
{
    orbel::test::RunUntilIdle();
}

HWND PluginTestHost::Panel() const
{
    if (m_Placeholder == nullptr)
        return nullptr;
    if (HWND child = ::GetWindow(m_Placeholder->GetSafeHwnd(), GW_CHILD))
        return child;
    // A pop-up panel is owned by the window around the placeholder.
    const std::vector<HWND> popups = orbel::test::OwnedWindows(m_Window->GetSafeHwnd());
    return popups.empty() ? nullptr : popups.back();
}

CWnd* PluginTestHost::Placeholder() const
{
    return m_Placeholder;
}

std::string PluginTestHost::PanelText(int controlId) const
{
    char text[256] = {};
    ::GetDlgItemTextA(Panel(), controlId, text, sizeof text);
    return text;
}

void PluginTestHost::TypeIntoPanel(int controlId, const std::string& text)
{
    orbel::test::TypeIntoEdit(::GetDlgItem(Panel(), controlId), text.c_str());
    DeliverPosted();
}

std::string PluginTestHost::UndoText() const
{
    return static_cast<LPCSTR>(m_Document->m_pUndoManager->GetUndoText());
}

cObjekt3D* PluginTestHost::FirstSelected() const
{
    const auto& objects = m_Document->m_Selection.m_Objects;
    return objects.IsEmpty() ? nullptr : objects.GetHead();
}
