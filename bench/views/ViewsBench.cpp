// Paints all four views of a scene the way a full redraw does and prints the
// milliseconds per repaint, beside plain OpenGL drawing the same triangles
// from GL buffers into four viewports of one framebuffer.
//
//   bench_views [frames]
#include "orbel/views/CameraMatrices.h"
#include "orbel/views/MyOrbelView.h"

#include "model/MyOrbelDoc.h"

#include <d3d8/D3D8.h>
#include <d3d8/PlainGlReference.h>
#include <testsupport/TestSupport.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 384;

struct LineVertex {
    float x, y, z;
    DWORD colour;
};

// A wavy sheet of rows x columns cells, two triangles each, within 16-bit
// indices.
cObjekt3D* MakeSheet(int rows, int columns, float offsetZ)
{
    auto* object = new cObjekt3D;
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c <= columns; ++c) {
            float x = -4.0f + 8.0f * c / columns;
            float z = offsetZ - 2.0f + 4.0f * r / rows;
            MeshVertex v{x, 0.2f * static_cast<float>((r + c) % 3), z, 0, 1, 0,
                         static_cast<float>(c) / columns, static_cast<float>(r) / rows};
            object->AddVertex(v);
        }
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            WORD a = static_cast<WORD>(r * (columns + 1) + c);
            WORD b = static_cast<WORD>(a + 1);
            WORD d = static_cast<WORD>(a + columns + 1);
            WORD e = static_cast<WORD>(d + 1);
            for (WORD i : {a, d, b, b, d, e}) object->AddIndex(i);
        }
    }
    return object;
}

bool FillBuffer(IDirect3DVertexBuffer8* buffer, const LineVertex* vertices, UINT count)
{
    BYTE* data = nullptr;
    if (FAILED(buffer->Lock(0, count * sizeof(LineVertex), &data, 0))) return false;
    std::memcpy(data, vertices, count * sizeof(LineVertex));
    return SUCCEEDED(buffer->Unlock());
}

class Stage {
public:
    bool Open()
    {
        host = new CWnd;
        if (!host->CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 2 * kWidth + 16,
                            2 * kHeight + 16, nullptr, nullptr))
            return false;
        document = new CMyOrbelDoc;
        direct3D = Direct3DCreate8(D3D_SDK_VERSION);
        if (!direct3D) return false;
        D3DDISPLAYMODE mode{};
        direct3D->GetAdapterDisplayMode(0, &mode);
        D3DPRESENT_PARAMETERS parameters;
        std::memset(&parameters, 0, sizeof parameters);
        parameters.Windowed = TRUE;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.BackBufferFormat = mode.Format;
        parameters.EnableAutoDepthStencil = TRUE;
        parameters.AutoDepthStencilFormat = D3DFMT_D16;
        if (FAILED(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, host->GetSafeHwnd(), D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                          &parameters, &device)))
            return false;
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0xFF323232);
        device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
        device->SetRenderState(D3DRS_POINTSIZE, 0x40000000);
        D3DLIGHT8 light;
        std::memset(&light, 0, sizeof light);
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Diffuse = light.Specular = light.Ambient = D3DCOLORVALUE{1, 1, 1, 0};
        light.Direction = D3DVECTOR{-1, -1, 1};
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        const LineVertex grid[5] = {{0, 0, 0, 0xFF969696}, {1, 0, 0, 0xFF969696}, {1, 0, 1, 0xFF969696},
                                    {0, 0, 1, 0xFF969696}, {0, 0, 0, 0xFF969696}};
        const LineVertex axes[4] = {{0, 0, 0, 0xFF000000}, {1, 0, 0, 0xFF000000}, {0, 0, 0, 0xFF000000},
                                    {0, 0, 1, 0xFF000000}};
        if (FAILED(device->CreateVertexBuffer(sizeof grid, 0, 0x42, D3DPOOL_DEFAULT, &gridBuffer)) ||
            FAILED(device->CreateVertexBuffer(sizeof axes, 0, 0x42, D3DPOOL_DEFAULT, &axesBuffer)) ||
            !FillBuffer(gridBuffer, grid, 5) || !FillBuffer(axesBuffer, axes, 4))
            return false;
        document->m_pDevice = device;

        const int kinds[4] = {ViewKindTop, ViewKindFront, ViewKindLeft, ViewKindPerspective};
        for (int i = 0; i < 4; ++i) {
            auto* view = new CMyOrbelView;
            CRect rect((i % 2) * (kWidth + 4), (i / 2) * (kHeight + 4), (i % 2) * (kWidth + 4) + kWidth,
                       (i / 2) * (kHeight + 4) + kHeight);
            CCreateContext context;
            context.m_pCurrentDoc = document;
            if (!view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, rect, host, 0xE900 + i, &context)) return false;
            view->SetFrameState(gridBuffer, axesBuffer, &viewMode, &selectionMode, &transformMode, &pivot, masks,
                                &plugin);
            view->SetViewKind(kinds[i], nullptr);
            view->m_FillMode = D3DFILL_SOLID;
            view->m_bWireOverlay = true;
        }
        return true;
    }

    void SetScene(int triangles)
    {
        document->ClearScene(TRUE);
        for (CMyOrbelView* view : Views()) {
            view->m_FillMode = D3DFILL_SOLID;
            view->m_bWireOverlay = true;
        }
        const int perObject = 50000;
        int objects = (triangles + perObject - 1) / perObject;
        for (int i = 0; i < objects; ++i) {
            int cells = std::min(perObject, triangles - i * perObject) / 2;
            int columns = 250;
            int rows = std::max(1, cells / columns);
            document->AddObject(MakeSheet(rows, columns, 4.0f * static_cast<float>(i) - 2.0f));
        }
    }

    std::vector<CMyOrbelView*> Views() const
    {
        std::vector<CMyOrbelView*> views;
        for (POSITION pos = document->GetFirstViewPosition(); pos;)
            views.push_back(static_cast<CMyOrbelView*>(document->GetNextView(pos)));
        return views;
    }

    // The scene as one mesh (it stays within 16-bit indices), drawn with the
    // Perspective view's camera.
    double TimePlainGl(int frames)
    {
        std::vector<float> vertices;
        std::vector<std::uint16_t> indices;
        for (POSITION pos = document->m_Objects.GetHeadPosition(); pos;) {
            cObjekt3D* object = document->m_Objects.GetNext(pos);
            auto base = static_cast<std::uint16_t>(vertices.size() / 8);
            for (INT_PTR i = 0; i < object->m_Vertices.GetSize(); ++i) {
                const MeshVertex& v = object->m_Vertices[i];
                vertices.insert(vertices.end(), {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v});
            }
            for (INT_PTR i = 0; i < object->m_Indices.GetSize(); ++i)
                indices.push_back(static_cast<std::uint16_t>(base + object->m_Indices[i]));
        }
        auto reference = PlainGlReference::Create(vertices.data(), vertices.size() / 8, indices.data(), indices.size());
        if (!reference) return 0.0;
        CMyOrbelView* perspective = Views().back();
        D3DXMATRIX view, projection, combined;
        ComputeCameraMatrices(perspective->GetCamera(), true, kWidth, kHeight, &view, &projection);
        D3DXMatrixMultiply(&combined, &view, &projection);
        std::vector<std::uint8_t> pixels;
        reference->DrawFourViews(&combined._11, kWidth, kHeight, pixels);
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) reference->DrawFourViews(&combined._11, kWidth, kHeight, pixels);
        std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        return spent.count() / frames;
    }

    // Milliseconds per full redraw of the four views.
    double TimeRepaints(int frames)
    {
        document->RedrawViews(nullptr);  // warm-up: shaders, buffers, boxes
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) document->RedrawViews(nullptr);
        std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        return spent.count() / frames;
    }

    void Close()
    {
        if (host) {
            host->DestroyWindow();
            delete host;
        }
        delete document;
        if (gridBuffer) gridBuffer->Release();
        if (axesBuffer) axesBuffer->Release();
        if (device) device->Release();
        if (direct3D) direct3D->Release();
    }

    CWnd* host = nullptr;
    CMyOrbelDoc* document = nullptr;
    IDirect3D8* direct3D = nullptr;
    IDirect3DDevice8* device = nullptr;
    IDirect3DVertexBuffer8* gridBuffer = nullptr;
    IDirect3DVertexBuffer8* axesBuffer = nullptr;
    int viewMode = 0, selectionMode = 0, transformMode = 0;
    BYTE pivot = 0;
    float masks[3] = {1, 1, 0};
    cPlugin* plugin = nullptr;
};

}  // namespace

int main(int argc, char** argv)
{
    int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    orbel::test::EnsureApplication();  // headless windows, as in the tests
    Stage stage;
    if (!stage.Open()) {
        std::printf("bench_views: no window or Direct3D device available\n");
        stage.Close();
        return 1;
    }
    std::printf("four views of %d x %d, solid with wire overlay, %d repaints each\n", kWidth, kHeight, frames);
    for (int triangles : {100000, 10000}) {
        stage.SetScene(triangles);
        double views = stage.TimeRepaints(frames);
        double plain = stage.TimePlainGl(frames);
        std::printf("%7d triangles: views %8.2f ms per full repaint", triangles, views);
        if (plain > 0.0)
            std::printf(", plain OpenGL %8.2f ms, ratio %.2f (target 2.0 or less)", plain, views / plain);
        std::printf("\n");
    }
    stage.Close();
    return 0;
}
