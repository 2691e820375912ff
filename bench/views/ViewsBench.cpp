// Paints all four views of a scene the way a full redraw does and prints the
// milliseconds per repaint, beside plain OpenGL drawing the same triangles
// from GL buffers into four viewports of one framebuffer.
//
//   bench_views [frames]
#include "orbel/views/CameraMatrices.h"
#include "orbel/views/MyOrbelView.h"
#include "tests/orbel/views/ViewHarness.h"

#include "model/MyOrbelDoc.h"

#include <d3d8/D3D8.h>
#include <d3d8/PlainGlReference.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <exception>
#include <vector>

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 384;

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

// Four views in a 2 x 2 grid, Top, Front, Left and Perspective.
std::vector<CMyOrbelView*> AddFourViews(viewtest::ViewHarness& stage)
{
    const int kinds[4] = {ViewKindTop, ViewKindFront, ViewKindLeft, ViewKindPerspective};
    std::vector<CMyOrbelView*> views;
    for (int i = 0; i < 4; ++i) {
        CRect rect((i % 2) * (kWidth + 4), (i / 2) * (kHeight + 4), (i % 2) * (kWidth + 4) + kWidth,
                   (i / 2) * (kHeight + 4) + kHeight);
        views.push_back(stage.AddView(kinds[i], rect));
    }
    return views;
}

void SetScene(CMyOrbelDoc& document, const std::vector<CMyOrbelView*>& views, int triangles)
{
    document.ClearScene(TRUE);
    for (CMyOrbelView* view : views) {
        view->m_FillMode = D3DFILL_SOLID;
        view->m_bWireOverlay = true;
    }
    const int perObject = 50000;
    int objects = (triangles + perObject - 1) / perObject;
    for (int i = 0; i < objects; ++i) {
        int cells = std::min(perObject, triangles - i * perObject) / 2;
        int columns = 250;
        int rows = std::max(1, cells / columns);
        document.AddObject(MakeSheet(rows, columns, 4.0f * static_cast<float>(i) - 2.0f));
    }
}

// The scene as one mesh (it stays within 16-bit indices), drawn with the
// Perspective view's camera.
double TimePlainGl(CMyOrbelDoc& document, const CMyOrbelView& perspective, int frames)
{
    std::vector<float> vertices;
    std::vector<std::uint16_t> indices;
    for (POSITION pos = document.m_Objects.GetHeadPosition(); pos;) {
        cObjekt3D* object = document.m_Objects.GetNext(pos);
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
    D3DXMATRIX view, projection, combined;
    ComputeCameraMatrices(perspective.GetCamera(), true, kWidth, kHeight, &view, &projection);
    D3DXMatrixMultiply(&combined, &view, &projection);
    std::vector<std::uint8_t> pixels;
    reference->DrawFourViews(&combined._11, kWidth, kHeight, pixels);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) reference->DrawFourViews(&combined._11, kWidth, kHeight, pixels);
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / frames;
}

// Milliseconds per full redraw of the four views.
double TimeRepaints(CMyOrbelDoc& document, int frames)
{
    document.RedrawViews(nullptr);  // warm-up: shaders, buffers, boxes
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) document.RedrawViews(nullptr);
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / frames;
}

int Run(int frames)
{
    // Headless windows and the device set up as the frame sets it up, as in
    // the view tests.
    viewtest::ViewHarness stage(2 * kWidth + 16, 2 * kHeight + 16);
    if (!stage.HasDevice()) {
        std::printf("bench_views: no window or Direct3D device available\n");
        return 1;
    }
    const std::vector<CMyOrbelView*> views = AddFourViews(stage);
    CMyOrbelDoc& document = stage.Document();
    std::printf("four views of %d x %d, solid with wire overlay, %d repaints each\n", kWidth, kHeight, frames);
    for (int triangles : {100000, 10000}) {
        SetScene(document, views, triangles);
        double painted = TimeRepaints(document, frames);
        double plain = TimePlainGl(document, *views.back(), frames);
        std::printf("%7d triangles: views %8.2f ms per full repaint", triangles, painted);
        if (plain > 0.0)
            std::printf(", plain OpenGL %8.2f ms, ratio %.2f (target 2.0 or less)", plain, painted / plain);
        std::printf("\n");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    try {
        return Run(frames);
    } catch (const std::exception& e) {
        std::printf("bench_views: %s\n", e.what());
        return 1;
    }
}
