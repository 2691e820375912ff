#include "ViewHarness.h"

#include "orbel/resources/ProgramResources.h"
#include "orbel/views/CameraMatrices.h"
#include "orbel/views/LineVertex.h"
#include "plugins/common/Plugin.h"
#include "support/FreshFolder.h"

#include <testsupport/TestSupport.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace viewtest {

namespace {

// A buffer that does not lock leaves the views without grid or axes, which
// no caller can work around: it fails loudly.
void FillBuffer(IDirect3DVertexBuffer8* buffer, const LineVertex* vertices, UINT count)
{
    BYTE* data = nullptr;
    if (FAILED(buffer->Lock(0, count * sizeof(LineVertex), &data, 0)))
        throw std::runtime_error("a line buffer of the view device does not lock");
    std::memcpy(data, vertices, count * sizeof(LineVertex));
    buffer->Unlock();
}

CString BackslashFolder(const std::filesystem::path& folder)
{
    std::string text = folder.string() + "/";
    std::replace(text.begin(), text.end(), '/', '\\');
    return CString(text.c_str());
}

}  // namespace

int Image::Count(std::uint32_t colour) const
{
    int n = 0;
    for (std::uint32_t pixel : argb)
        if ((pixel | 0xFF000000u) == colour) ++n;
    return n;
}

ViewHarness::ViewHarness(int hostWidth, int hostHeight)
{
    m_ProgramFolder = orbel::test::MakeFreshFolder("orbel-views-");
    std::filesystem::create_directory(m_ProgramFolder / "Temp");

    orbel::test::EnsureApplication();
    RegisterProgramResources();  // the views' context menu
    m_Host = new HostFrame;
    m_Host->currentPlugin = &currentPlugin;
    m_Host->CreateEx(0, nullptr, "views", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, hostWidth, hostHeight, nullptr,
                     nullptr);
    m_Document = new CMyOrbelDoc;
    m_Document->m_ProgramDir = BackslashFolder(m_ProgramFolder);
    CreateDevice(m_Host->GetSafeHwnd());
    m_Document->m_pDevice = m_Device;
}

ViewHarness::~ViewHarness()
{
    // Views go first (they leave the undo history), then the document, then
    // the device, as at the program's exit.
    if (m_Host) {
        m_Host->DestroyWindow();
        delete m_Host;
    }
    delete m_Document;
    if (m_GridBuffer) m_GridBuffer->Release();
    if (m_AxesBuffer) m_AxesBuffer->Release();
    if (m_Device) m_Device->Release();
    if (m_Direct3D) m_Direct3D->Release();
    std::error_code ignored;
    if (!m_ProgramFolder.empty()) std::filesystem::remove_all(m_ProgramFolder, ignored);
}

void ViewHarness::CreateDevice(HWND focusWindow)
{
    m_Direct3D = Direct3DCreate8(D3D_SDK_VERSION);
    if (!m_Direct3D) return;
    D3DDISPLAYMODE mode{};
    m_Direct3D->GetAdapterDisplayMode(0, &mode);
    D3DPRESENT_PARAMETERS parameters;
    std::memset(&parameters, 0, sizeof parameters);
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.BackBufferFormat = mode.Format;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;
    if (FAILED(m_Direct3D->CreateDevice(0, D3DDEVTYPE_HAL, focusWindow, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                        &parameters, &m_Device))) {
        m_Device = nullptr;
        return;
    }
    // The start-up states every view relies on.
    m_Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    m_Device->SetRenderState(D3DRS_ZENABLE, TRUE);
    m_Device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    m_Device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    m_Device->SetRenderState(D3DRS_AMBIENT, 0xFF323232);
    m_Device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    m_Device->SetRenderState(D3DRS_POINTSIZE, 0x40000000);
    D3DLIGHT8 light;
    std::memset(&light, 0, sizeof light);
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = D3DCOLORVALUE{1, 1, 1, 0};
    light.Specular = D3DCOLORVALUE{1, 1, 1, 0};
    light.Ambient = D3DCOLORVALUE{1, 1, 1, 0};
    light.Direction = D3DVECTOR{-1, -1, 1};
    m_Device->SetLight(0, &light);
    m_Device->LightEnable(0, TRUE);
    m_Device->SetRenderState(D3DRS_LIGHTING, TRUE);

    const LineVertex grid[5] = {{0, 0, 0, 0xFF969696}, {1, 0, 0, 0xFF969696}, {1, 0, 1, 0xFF969696},
                                {0, 0, 1, 0xFF969696}, {0, 0, 0, 0xFF969696}};
    const LineVertex axes[4] = {{0, 0, 0, 0xFF000000}, {1, 0, 0, 0xFF000000}, {0, 0, 0, 0xFF000000},
                                {0, 0, 1, 0xFF000000}};
    m_Device->CreateVertexBuffer(sizeof grid, 0, kLineVertexFormat, D3DPOOL_DEFAULT, &m_GridBuffer);
    m_Device->CreateVertexBuffer(sizeof axes, 0, kLineVertexFormat, D3DPOOL_DEFAULT, &m_AxesBuffer);
    if (m_GridBuffer) FillBuffer(m_GridBuffer, grid, 5);
    if (m_AxesBuffer) FillBuffer(m_AxesBuffer, axes, 4);
}

CMyOrbelView* ViewHarness::AddView(int kind, int width, int height)
{
    CRect rect(0, m_NextTop, width, m_NextTop + height);
    m_NextTop += std::max(height, 1);
    return AddView(kind, rect);
}

CMyOrbelView* ViewHarness::AddView(int kind, const CRect& placement)
{
    auto* view = new CMyOrbelView;
    CCreateContext context;
    context.m_pCurrentDoc = m_Document;
    view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, placement, m_Host, 0xE900 + ++m_ViewCount, &context);
    view->SetFrameState(m_GridBuffer, m_AxesBuffer, &viewMode, &selectionMode, &transformMode, &pivot, axisMasks,
                        &currentPlugin);
    view->SetViewKind(kind, nullptr);
    orbel::test::RunUntilIdle();  // the window gets its image when it is shown
    return view;
}

void ViewHarness::DestroyView(CMyOrbelView* view) { view->DestroyWindow(); }

namespace {

Image ReadBack(HWND window)
{
    orbel::test::Image shown = orbel::test::ReadWindowImage(window);
    Image image;
    image.width = shown.width;
    image.height = shown.height;
    image.argb.reserve(shown.pixels.size());
    for (COLORREF c : shown.pixels)
        image.argb.push_back(0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    return image;
}

}  // namespace

Image ViewHarness::Paint(CMyOrbelView* view)
{
    view->OnDraw(nullptr);
    return ReadBack(view->GetSafeHwnd());
}

Image ViewHarness::PaintWithOverlay(CMyOrbelView* view)
{
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return ReadBack(view->GetSafeHwnd());
}

void HostFrame::ServeRequest(cPlugin* plugin, int code)
{
    servedCodes.push_back(code);
    if (onServe) onServe(plugin, code);
}

void HostFrame::DropCurrentPlugin()
{
    if (currentPlugin != nullptr && *currentPlugin != nullptr) {
        (*currentPlugin)->HidePanel();
        *currentPlugin = nullptr;
    }
}

void HostFrame::ShowCoordinates(BOOL show, float x, float y, float z)
{
    coordinates.push_back(Coordinates{show, D3DXVECTOR3(x, y, z)});
}

void RefreshMatrices(CMyOrbelView* view)
{
    CRect client;
    view->GetClientRect(&client);
    ComputeCameraMatrices(view->GetCamera(), IsPerspectiveKind(view->m_Kind), client.Width(), client.Height(),
                          &view->m_ViewMatrix, &view->m_ProjectionMatrix);
}

CPoint PixelOf(CMyOrbelView* view, const D3DXVECTOR3& world)
{
    CRect client;
    view->GetClientRect(&client);
    const D3DVIEWPORT8 viewport{0, 0, static_cast<DWORD>(client.Width()), static_cast<DWORD>(client.Height()), 0.0f,
                                1.0f};
    D3DXVECTOR3 screen;
    D3DXVec3Project(&screen, &world, &viewport, &view->m_ProjectionMatrix, &view->m_ViewMatrix, nullptr);
    return CPoint(static_cast<int>(std::lround(screen.x)), static_cast<int>(std::lround(screen.y)));
}

std::vector<std::string> UndoLabels(const cUndoManager& undo)
{
    std::vector<std::string> labels;
    for (POSITION pos = undo.m_Current; pos != nullptr;) {
        const UndoEntry& entry = undo.m_Entries.GetNext(pos);
        if (entry.kind != UK_SENTINEL) labels.emplace_back(static_cast<LPCTSTR>(entry.label));
    }
    return labels;
}

cObjekt3D* MakeSquare(float half, D3DXVECTOR3 position)
{
    auto* object = new cObjekt3D;
    const float corners[4][2] = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
    for (const auto& c : corners) {
        MeshVertex v{c[0], 0.0f, c[1], 0.0f, 1.0f, 0.0f, c[0] > 0 ? 1.0f : 0.0f, c[1] > 0 ? 0.0f : 1.0f};
        object->AddVertex(v);
    }
    for (WORD i : {0, 1, 2, 0, 2, 3}) object->AddIndex(i);
    object->m_Position = position;
    return object;
}

bool GiveHalfTransparentTexture(CMyOrbelDoc& document, IDirect3DDevice8* device, cObjekt3D* object)
{
    IDirect3DTexture8* texture = nullptr;
    if (FAILED(device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture)) || !texture) return false;
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
        texture->Release();
        return false;
    }
    for (int y = 0; y < 2; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        row[0] = 0x00FFFFFF;  // transparent left column
        row[1] = 0xFFFF0000;  // opaque red right column
    }
    texture->UnlockRect(0);
    auto* material = new cMaterial;
    auto* record = new D3DMATERIAL8{};
    record->Diffuse = D3DCOLORVALUE{1, 1, 1, 1};
    record->Ambient = D3DCOLORVALUE{1, 1, 1, 1};
    material->SetD3DMaterial(record);
    material->m_pTexture = texture;
    document.m_Materials.Add(material);
    object->SetFaceMaterial(-1, 0);
    return true;
}

std::vector<unsigned char> SaveSceneBytes(CMyOrbelDoc& document)
{
    const std::filesystem::path folder = orbel::test::MakeFreshFolder("orbel-views-scene-");
    const std::filesystem::path file = folder / "scene.f3D";
    {
        CFile out(file.string().c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&out, CArchive::store);
        document.Serialize(ar);
        ar.Close();
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(folder);
    return bytes;
}

bool LoadSceneBytes(CMyOrbelDoc& document, const std::vector<unsigned char>& bytes)
{
    const std::filesystem::path folder = orbel::test::MakeFreshFolder("orbel-views-load-");
    const std::filesystem::path file = folder / "scene.f3D";
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    bool loaded = true;
    try {
        CFile in(file.string().c_str(), CFile::modeRead);
        CArchive ar(&in, CArchive::load);
        document.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        loaded = false;
    }
    std::filesystem::remove_all(folder);
    return loaded;
}

}  // namespace viewtest
