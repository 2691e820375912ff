// The three modify tools on one 65,000-vertex object of four materials,
// each through its library's own entry point (the work the frame's run or
// the panel's button starts), beside the plain way of the same work:
//   Optimize Mesh at 50 %   - meshoptimizer's simplify to the same face count
//   Material changes        - faces sorted by material, then meshoptimizer's
//                             vertex-cache and vertex-fetch order
//   Compute Normals         - one pass of area-weighted face normals
// For the simplification both results' distance from the true surface is
// printed too. Prints figures; judges nothing.
#include "bench/common/Rounds.h"
#include "tests/plugins/testhost/MeshObjects.h"
#include "tests/plugins/testhost/PluginTestHost.h"

#include <meshoptimizer.h>
#include <testsupport/ControlInput.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int kRings = 260;     // around the torus' axis
constexpr int kSegments = 250;  // around its tube
constexpr float kMajor = 1.0f;
constexpr float kMinor = 0.35f;
constexpr int kRounds = 7;
constexpr int kPercent = 50;

// A closed torus of kRings x kSegments vertices; each quarter of the rings
// has a material of its own.
cObjekt3D* MakeTorus()
{
    auto* torus = new cObjekt3D;
    const float twoPi = 6.2831853f;
    for (int i = 0; i < kRings; ++i) {
        const float a = twoPi * static_cast<float>(i) / kRings;
        for (int j = 0; j < kSegments; ++j) {
            const float b = twoPi * static_cast<float>(j) / kSegments;
            const float nx = std::cos(a) * std::cos(b), ny = std::sin(a) * std::cos(b), nz = std::sin(b);
            torus->AddVertex(MeshVertex{std::cos(a) * kMajor + nx * kMinor, std::sin(a) * kMajor + ny * kMinor,
                                        nz * kMinor, nx, ny, nz, static_cast<float>(i) / kRings,
                                        static_cast<float>(j) / kSegments});
        }
    }
    auto at = [](int i, int j) { return static_cast<WORD>((i % kRings) * kSegments + j % kSegments); };
    for (int i = 0; i < kRings; ++i) {
        for (int j = 0; j < kSegments; ++j) {
            for (WORD index : {at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i, j), at(i + 1, j + 1), at(i + 1, j)})
                torus->AddIndex(index);
        }
    }
    torus->m_Runs.RemoveAll();
    for (int quarter = 0; quarter < 4; ++quarter)
        torus->m_Runs.AddTail(MaterialRun{quarter, quarter * (kRings / 4) * kSegments * 2});
    return torus;
}

void Restore(cObjekt3D& object, const cObjekt3D& pristine)
{
    object.m_Vertices.Copy(pristine.m_Vertices);
    object.m_Indices.Copy(pristine.m_Indices);
    object.m_Runs.RemoveAll();
    object.m_Runs.AddTail(&pristine.m_Runs);
}

// How far a point lies from the true torus.
double Deviation(double x, double y, double z)
{
    const double ring = std::sqrt(x * x + y * y) - kMajor;
    return std::fabs(std::sqrt(ring * ring + z * z) - kMinor);
}

struct SurfaceError {
    double max = 0.0;
    double mean = 0.0;
};

// Deviation of each face's corners, edge midpoints and centre, relative to
// the torus' extent (as meshoptimizer reports its error).
SurfaceError ErrorOf(const std::vector<float>& positions, std::size_t stride, const std::vector<unsigned>& indices)
{
    SurfaceError error;
    std::size_t samples = 0;
    const double weights[7][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {.5, .5, 0}, {0, .5, .5}, {.5, 0, .5},
                                  {1. / 3, 1. / 3, 1. / 3}};
    for (std::size_t f = 0; f + 2 < indices.size(); f += 3) {
        const float* p[3] = {&positions[indices[f] * stride], &positions[indices[f + 1] * stride],
                             &positions[indices[f + 2] * stride]};
        for (const auto& w : weights) {
            double q[3];
            for (int k = 0; k < 3; ++k)
                q[k] = w[0] * p[0][k] + w[1] * p[1][k] + w[2] * p[2][k];
            const double d = Deviation(q[0], q[1], q[2]);
            error.max = std::max(error.max, d);
            error.mean += d;
            ++samples;
        }
    }
    const double extent = 2.0 * (kMajor + kMinor);
    error.max /= extent;
    error.mean /= static_cast<double>(std::max<std::size_t>(samples, 1)) * extent;
    return error;
}

SurfaceError ErrorOf(const cObjekt3D& object)
{
    std::vector<float> positions;
    for (INT_PTR i = 0; i < object.m_Vertices.GetSize(); ++i) {
        const MeshVertex& v = object.m_Vertices[i];
        positions.insert(positions.end(), {v.x, v.y, v.z});
    }
    std::vector<unsigned> indices(object.m_Indices.GetData(), object.m_Indices.GetData() + object.m_Indices.GetSize());
    return ErrorOf(positions, 3, indices);
}

void PrintError(const char* label, const SurfaceError& error, std::size_t faces)
{
    std::printf("  %-34s faces %7zu  max %.4f %%  mean %.5f %% of extent\n", label, faces, 100.0 * error.max,
                100.0 * error.mean);
}

template <class Work>
bench::Rounds Time(Work&& work, const std::function<void()>& before = {})
{
    bench::Rounds rounds;
    for (int round = 0; round < kRounds; ++round) {
        if (before)
            before();
        const auto start = bench::Clock::now();
        work();
        rounds.Add(bench::MillisecondsSince(start));
    }
    return rounds;
}

void Simplification(PluginTestHost& host, cObjekt3D& torus, const cObjekt3D& pristine)
{
    cPlugin* tool = host.Load("Pemmit.dlm");
    host.Activate(tool);
    orbel::test::SelectOnly(host, {&torus});
    // The user's percentage, read by the panel as "Optimize" reads it.
    ::SetDlgItemTextA(host.Panel(), 14002, std::to_string(kPercent).c_str());
    orbel::test::ClickButton(::GetDlgItem(host.Panel(), 14000));
    host.DeliverPosted();

    // A new selection: the base mesh is built again from the object.
    const bench::Rounds first = Time([&] { tool->SetParam(PR_EXECUTE, nullptr); },
                                     [&] {
                                         Restore(torus, pristine);
                                         host.Notify(tool, PE_REFRESH);
                                     });
    const std::size_t faces = static_cast<std::size_t>(torus.GetFaceCount());
    const SurfaceError toolError = ErrorOf(torus);
    // The same selection again: the kept base mesh at another level.
    const bench::Rounds again = Time([&] { tool->SetParam(PR_EXECUTE, nullptr); });

    std::vector<float> positions;
    for (INT_PTR i = 0; i < pristine.m_Vertices.GetSize(); ++i) {
        const MeshVertex& v = pristine.m_Vertices[i];
        positions.insert(positions.end(), {v.x, v.y, v.z});
    }
    const std::vector<unsigned> indices(pristine.m_Indices.GetData(),
                                        pristine.m_Indices.GetData() + pristine.m_Indices.GetSize());
    std::vector<unsigned> simplified(indices.size());
    std::size_t plainCount = 0;
    float plainReported = 0.0f;
    const bench::Rounds plain = Time([&] {
        plainCount = meshopt_simplify(simplified.data(), indices.data(), indices.size(), positions.data(),
                                      positions.size() / 3, sizeof(float) * 3, faces * 3, FLT_MAX, 0, &plainReported);
    });
    simplified.resize(plainCount);

    std::printf("Optimize Mesh, %d %% of %lld vertices (%d faces)\n", kPercent,
                static_cast<long long>(pristine.m_Vertices.GetSize()), pristine.GetFaceCount());
    bench::PrintRounds("Pemmit, new selection", first, "ms");
    bench::PrintRounds("Pemmit, same selection again", again, "ms");
    bench::PrintRounds("meshopt_simplify", plain, "ms");
    PrintError("Pemmit result", toolError, faces);
    PrintError("meshopt_simplify result", ErrorOf(positions, 3, simplified), plainCount / 3);
    std::printf("  %-34s %.4f %% of extent\n", "meshopt_simplify's own estimate", 100.0 * plainReported);
    host.Deactivate();
}

void MaterialOrder(PluginTestHost& host, cObjekt3D& torus, const cObjekt3D& pristine)
{
    cPlugin* tool = host.Load("Corrobin.dlm");
    host.Activate(tool);
    orbel::test::SelectOnly(host, {&torus});
    const bench::Rounds rounds =
        Time([&] { tool->SetParam(PR_PANEL_ACTION, nullptr); }, [&] { Restore(torus, pristine); });

    const std::vector<int> materials = orbel::test::FaceMaterials(pristine);
    const std::size_t faceCount = materials.size();
    std::vector<MeshVertex> vertices(pristine.m_Vertices.GetData(),
                                     pristine.m_Vertices.GetData() + pristine.m_Vertices.GetSize());
    std::vector<unsigned> indices(pristine.m_Indices.GetData(), pristine.m_Indices.GetData() + pristine.m_Indices.GetSize());
    const bench::Rounds plain = Time([&] {
        std::vector<unsigned> order(faceCount);
        std::iota(order.begin(), order.end(), 0u);
        std::stable_sort(order.begin(), order.end(), [&](unsigned a, unsigned b) { return materials[a] < materials[b]; });
        std::vector<unsigned> sorted(indices.size());
        for (std::size_t f = 0; f < faceCount; ++f)
            std::copy_n(&indices[order[f] * 3], 3, &sorted[f * 3]);
        for (std::size_t begin = 0; begin < faceCount;) {
            std::size_t end = begin;
            while (end < faceCount && materials[order[end]] == materials[order[begin]])
                ++end;
            meshopt_optimizeVertexCache(&sorted[begin * 3], &sorted[begin * 3], (end - begin) * 3, vertices.size());
            begin = end;
        }
        std::vector<MeshVertex> fetched(vertices.size());
        meshopt_optimizeVertexFetch(fetched.data(), sorted.data(), sorted.size(), vertices.data(), vertices.size(),
                                    sizeof(MeshVertex));
    });
    std::printf("Optimize Material Changes\n");
    bench::PrintRounds("Corrobin", rounds, "ms");
    bench::PrintRounds("sort + meshopt cache and fetch", plain, "ms");
    host.Deactivate();
}

void Normals(PluginTestHost& host, cObjekt3D& torus, const cObjekt3D& pristine)
{
    Restore(torus, pristine);
    cPlugin* tool = host.Load("Lufftar.dlm");
    host.Activate(tool);
    orbel::test::SelectOnly(host, {&torus});
    const bench::Rounds rounds = Time([&] { tool->SetParam(PR_EXECUTE, nullptr); });

    std::vector<MeshVertex> vertices(pristine.m_Vertices.GetData(),
                                     pristine.m_Vertices.GetData() + pristine.m_Vertices.GetSize());
    const WORD* indices = pristine.m_Indices.GetData();
    const std::size_t indexCount = static_cast<std::size_t>(pristine.m_Indices.GetSize());
    const bench::Rounds plain = Time([&] {
        std::vector<D3DXVECTOR3> sums(vertices.size(), D3DXVECTOR3(0, 0, 0));
        for (std::size_t f = 0; f + 2 < indexCount; f += 3) {
            const MeshVertex &a = vertices[indices[f]], &b = vertices[indices[f + 1]], &c = vertices[indices[f + 2]];
            const D3DXVECTOR3 e1(b.x - a.x, b.y - a.y, b.z - a.z), e2(c.x - a.x, c.y - a.y, c.z - a.z);
            D3DXVECTOR3 n;
            D3DXVec3Cross(&n, &e1, &e2);
            for (int k = 0; k < 3; ++k)
                sums[indices[f + k]] += n;
        }
        for (std::size_t v = 0; v < vertices.size(); ++v) {
            D3DXVec3Normalize(&sums[v], &sums[v]);
            vertices[v].nx = sums[v].x;
            vertices[v].ny = sums[v].y;
            vertices[v].nz = sums[v].z;
        }
    });
    std::printf("Compute Normals\n");
    bench::PrintRounds("Lufftar", rounds, "ms");
    bench::PrintRounds("one pass of face normals", plain, "ms");
    host.Deactivate();
}

}  // namespace

int main()
{
    PluginTestHost host;
    cObjekt3D* torus = orbel::test::AddObject(host, MakeTorus());
    const cObjekt3D pristine(*torus);
    std::printf("%d rounds each, one object of %lld vertices and four materials\n", kRounds,
                static_cast<long long>(pristine.m_Vertices.GetSize()));
    MaterialOrder(host, *torus, pristine);
    Normals(host, *torus, pristine);
    Simplification(host, *torus, pristine);
    return 0;
}
