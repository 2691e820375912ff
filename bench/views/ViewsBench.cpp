// Paints all four views of a scene the way a full redraw does and prints the
// milliseconds per repaint, beside plain OpenGL drawing the same passes (grid,
// lit triangles, every edge once as lines, every vertex as a point) from GL
// buffers into four viewports of one framebuffer with the views' cameras, and
// beside plain OpenGL drawing the lit triangles alone. Each repaint ends
// with every presented image landed in its window.
//
//   bench_views [frames per round] [rounds]
#include "bench/common/Rounds.h"
#include "orbel/views/MyOrbelView.h"
#include "ViewHarness.h"

#include "model/MyOrbelDoc.h"

#include <d3d8/D3D8.h>
#include <d3d8/PlainGlReference.h>
#include <d3d8/PresentTarget.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// The scene as one mesh (it stays within 16-bit indices; the sheets are
// placed at the origin unturned).
std::unique_ptr<PlainGlReference> MakeReference(CMyOrbelDoc& document)
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
    return PlainGlReference::Create(vertices.data(), vertices.size() / 8, indices.data(), indices.size());
}

// Each view's camera as its last paint left it, and its grid turned the way
// the view turns it.
struct Cameras {
    D3DXMATRIX scene[4];
    D3DXMATRIX grid[4];
    const float* scenes[4];
    const float* grids[4];
};

Cameras CamerasOf(const std::vector<CMyOrbelView*>& views)
{
    Cameras cameras;
    for (int v = 0; v < 4; ++v) {
        D3DXMATRIX viewProjection;
        D3DXMatrixMultiply(&viewProjection, &views[v]->m_ViewMatrix, &views[v]->m_ProjectionMatrix);
        const D3DXMATRIX turn = GridTurnOf(views[v]->GetViewKind());
        cameras.scene[v] = viewProjection;
        D3DXMatrixMultiply(&cameras.grid[v], &turn, &viewProjection);
        cameras.scenes[v] = &cameras.scene[v]._11;
        cameras.grids[v] = &cameras.grid[v]._11;
    }
    return cameras;
}

int Run(int frames, int rounds)
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
    std::printf("four views of %d x %d, solid with wire overlay, %d rounds of %d repaints, in rotating order\n",
                kWidth, kHeight, rounds, frames);
    for (int triangles : {100000, 10000}) {
        SetScene(document, views, triangles);
        document.RedrawViews(nullptr);  // the cameras' matrices, shaders, buffers, boxes
        auto reference = MakeReference(document);
        if (!reference) {
            std::printf("bench_views: no plain OpenGL reference\n");
            return 1;
        }
        const Cameras cameras = CamerasOf(views);
        const PlainGlReference::Passes allPasses;
        PlainGlReference::Passes solidOnly;
        solidOnly.grid = solidOnly.wire = solidOnly.points = false;
        std::vector<std::uint8_t> pixels;

        enum Contender { Views, SamePasses, SolidOnly, kContenders };
        bench::Rounds timings[kContenders];
        for (int round = 0; round < rounds; ++round) {
            for (int turn = 0; turn < kContenders; ++turn) {
                const int contender = (round + turn) % kContenders;
                if (contender == Views) {
                    // The images land as the message loop lands them before it waits.
                    timings[Views].Add(bench::MillisecondsPerFrame(frames, [&] {
                        document.RedrawViews(nullptr);
                        D3D8LandPresents();
                    }));
                } else {
                    const PlainGlReference::Passes& passes = contender == SamePasses ? allPasses : solidOnly;
                    timings[contender].Add(bench::MillisecondsPerFrame(frames, [&] {
                        reference->DrawFourViews(cameras.scenes, cameras.grids, passes, kWidth, kHeight, pixels);
                    }));
                }
            }
        }
        std::printf("%d triangles, ms per full repaint:\n", triangles);
        bench::PrintRounds("views", timings[Views], "ms");
        bench::PrintRounds("plain OpenGL, the same passes", timings[SamePasses], "ms");
        bench::PrintRounds("plain OpenGL, lit triangles only", timings[SolidOnly], "ms");
        std::printf("  views / same passes:  median %.2f, best %.2f (target 1.1 or less)\n",
                    timings[Views].Median() / timings[SamePasses].Median(),
                    timings[Views].Min() / timings[SamePasses].Min());
        std::printf("  views / lit triangles: median %.2f, best %.2f (target 3.2 or less)\n",
                    timings[Views].Median() / timings[SolidOnly].Median(),
                    timings[Views].Min() / timings[SolidOnly].Min());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    try {
        return Run(frames, rounds);
    } catch (const std::exception& e) {
        std::printf("bench_views: %s\n", e.what());
        return 1;
    }
}
