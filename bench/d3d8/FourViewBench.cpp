// Four 512 x 384 views of a 100,000-triangle mesh per frame, each view with
// its own swap chain and depth surface made and released in the paint, the
// mesh drawn from program memory with DrawIndexedPrimitiveUP and read back by
// Present, every image landed before the frame ends; beside it the same mesh drawn with plain OpenGL from GL buffers
// into four viewports of one framebuffer. Prints milliseconds per frame.
#include "bench/common/Rounds.h"
#include "Presentation.h"

#include <d3d8/D3D8.h>
#include <d3d8/PlainGlReference.h>
#include <d3d8/PresentTarget.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr UINT kWidth = 512;
constexpr UINT kHeight = 384;
constexpr int kSide = 225;  // 225 x 225 vertices: 100,352 triangles

struct Vertex {
    float x, y, z, nx, ny, nz, u, v;
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<WORD> indices;
};

// A rippled sheet facing the camera.
Mesh MakeMesh() {
    Mesh mesh;
    for (int j = 0; j < kSide; ++j)
        for (int i = 0; i < kSide; ++i) {
            const float x = 2.0f * static_cast<float>(i) / (kSide - 1) - 1.0f;
            const float y = 2.0f * static_cast<float>(j) / (kSide - 1) - 1.0f;
            const float z = 0.1f * std::sin(6.0f * x) * std::cos(6.0f * y);
            const float dx = 0.6f * std::cos(6.0f * x) * std::cos(6.0f * y);
            const float dy = -0.6f * std::sin(6.0f * x) * std::sin(6.0f * y);
            const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
            mesh.vertices.push_back({x, y, z, -dx / length, -dy / length, -1.0f / length, 0, 0});
        }
    for (int j = 0; j + 1 < kSide; ++j)
        for (int i = 0; i + 1 < kSide; ++i) {
            const WORD a = static_cast<WORD>(j * kSide + i), b = static_cast<WORD>(a + 1);
            const WORD c = static_cast<WORD>(a + kSide), d = static_cast<WORD>(c + 1);
            mesh.indices.insert(mesh.indices.end(), {a, c, b, b, c, d});
        }
    return mesh;
}

// Row-vector matrices: a small turn, then a view 3 units back, then a
// perspective projection with depth 0..1.
D3DMATRIX Matrix(float a, float b, float c, float d, float e, float f, float g, float h, float i, float j, float k,
                 float l, float m, float n, float o, float p) {
    D3DMATRIX r{};
    const float v[16] = {a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p};
    for (int q = 0; q < 16; ++q) r.m[q / 4][q % 4] = v[q];
    return r;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
}

void PaintView(IDirect3DDevice8* device, int index, const Mesh& mesh, const D3DMATRIX& world, const D3DMATRIX& view,
               const D3DMATRIX& projection) {
    // Each view its own window: a present replaces one still on its way to
    // the same window.
    D3DPRESENT_PARAMETERS pp = orbel::test::ChainPresentation(kWidth, kHeight, reinterpret_cast<HWND>(2 + index));
    IDirect3DSwapChain8* chain = nullptr;
    IDirect3DSurface8* backBuffer = nullptr;
    IDirect3DSurface8* depth = nullptr;
    if (FAILED(device->CreateAdditionalSwapChain(&pp, &chain))) std::abort();
    chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    device->CreateDepthStencilSurface(kWidth, kHeight, D3DFMT_D16, D3DMULTISAMPLE_NONE, &depth);
    device->SetRenderTarget(backBuffer, depth);
    device->SetTransform(D3DTS_VIEW, &view);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFBEBEBE, 1.0f, 0);
    device->BeginScene();
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
    device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(mesh.vertices.size()),
                                   static_cast<UINT>(mesh.indices.size() / 3), mesh.indices.data(), D3DFMT_INDEX16,
                                   mesh.vertices.data(), sizeof(Vertex));
    device->EndScene();
    chain->Present(nullptr, nullptr, nullptr, nullptr);
    depth->Release();
    backBuffer->Release();
    chain->Release();
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    if (!d3d) {
        std::printf("no OpenGL device: nothing measured\n");
        return 0;
    }
    D3DPRESENT_PARAMETERS pp = orbel::test::DevicePresentation(D3DFMT_X8R8G8B8, D3DFMT_D16);
    IDirect3DDevice8* device = nullptr;
    if (FAILED(d3d->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(1), D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                 &pp, &device))) {
        std::printf("CreateDevice failed\n");
        return 1;
    }
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_AMBIENT, 0xFF323232);
    device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = light.Specular = light.Ambient = D3DCOLORVALUE{1, 1, 1, 0};
    light.Direction = D3DVECTOR{-1, -1, 1};
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    D3DMATERIAL8 material{{0.8f, 0.6f, 0.4f, 1}, {0.06f, 0.06f, 0.06f, 1}, {0.4f, 0.4f, 0.4f, 1},
                          {0.01f, 0.01f, 0.01f, 1}, 30.0f};
    device->SetMaterial(&material);

    const Mesh mesh = MakeMesh();
    const float c = std::cos(0.3f), s = std::sin(0.3f);
    const D3DMATRIX world = Matrix(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
    const D3DMATRIX view = Matrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 3, 1);
    const float yScale = 1.0f / std::tan(0.4f), xScale = yScale * kHeight / kWidth, zn = 0.1f, zf = 100.0f;
    const D3DMATRIX projection =
        Matrix(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, zf / (zf - zn), 1, 0, 0, -zn * zf / (zf - zn), 0);

    auto reference = PlainGlReference::Create(&mesh.vertices[0].x, mesh.vertices.size(), mesh.indices.data(),
                                              mesh.indices.size());
    const D3DMATRIX wvp = Multiply(Multiply(world, view), projection);
    std::vector<std::uint8_t> pixels;
    // The two take turns, the first of each round alternating, so that load
    // from other programs on the machine hits both alike.
    bench::Rounds layerRounds, plainRounds;
    constexpr int kRounds = 7;
    auto layerFrame = [&] {
        for (int v = 0; v < 4; ++v) PaintView(device, v, mesh, world, view, projection);
        D3D8LandPresents();
    };
    auto plainFrame = [&] { reference->DrawFourViews(&wvp._11, kWidth, kHeight, pixels); };
    for (int round = 0; round < kRounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            if ((round + turn) % 2 == 0)
                layerRounds.Add(bench::MillisecondsPerFrame(frames, layerFrame));
            else
                plainRounds.Add(bench::MillisecondsPerFrame(frames, plainFrame));
        }
    }
    reference.reset();

    std::printf("four %ux%u views of %zu triangles, %d rounds of %d frames, ms per frame\n", kWidth, kHeight,
                mesh.indices.size() / 3, kRounds, frames);
    bench::PrintRounds("Direct3D layer", layerRounds, "ms");
    bench::PrintRounds("plain OpenGL", plainRounds, "ms");
    std::printf("  layer / plain: median %.2f, best %.2f (target 1.2 or less)\n",
                layerRounds.Median() / plainRounds.Median(), layerRounds.Min() / plainRounds.Min());
    device->Release();
    d3d->Release();
    return 0;
}
