// Import throughput of D3DXLoadMeshFromX, called as the import plug-in
// calls it (mesh, adjacency, materials), beside Assimp reading the same
// files in the same run into triangles. Two workloads: the shared text and
// binary sample files, each read repeatedly to 5 MB and more, and one large
// grid mesh written here in text and binary form. Prints figures; judges
// nothing.
#include "bench/common/Rounds.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <d3dx8/D3DX8.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 7;
constexpr std::uintmax_t kMinBytesPerRound = 5u << 20;

struct Workload {
    const char* name;
    std::vector<fs::path> files;
    int repeats = 1;  // each file read this often per round
    std::uintmax_t bytes = 0;  // per round
};

void Fix(Workload& w) {
    std::uintmax_t once = 0;
    for (const fs::path& f : w.files) once += fs::file_size(f);
    w.repeats = static_cast<int>((kMinBytesPerRound + once - 1) / once);
    w.bytes = once * static_cast<std::uintmax_t>(w.repeats);
}

bool LoadWithD3DX(const fs::path& file) {
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer *adjacency = nullptr, *materials = nullptr;
    DWORD count = 0;
    if (FAILED(D3DXLoadMeshFromX(file.string().c_str(), D3DXMESH_SYSTEMMEM, nullptr, &adjacency, &materials, &count,
                                 &mesh)))
        return false;
    mesh->Release();
    adjacency->Release();
    if (materials) materials->Release();
    return true;
}

bool LoadWithAssimp(const fs::path& file) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(file.string(), aiProcess_Triangulate);
    return scene != nullptr && scene->mNumMeshes > 0;
}

// A grid of n x n vertices with normals and texture coordinates.
struct Grid {
    int n;
    float Coord(int i) const { return static_cast<float>(i) / static_cast<float>(n - 1); }
};

void Put(std::string& out, const void* p, std::size_t n) { out.append(static_cast<const char*>(p), n); }
void Code(std::string& out, std::uint16_t c) { Put(out, &c, 2); }
void Name(std::string& out, const char* name) {
    Code(out, 1);
    const std::uint32_t n = static_cast<std::uint32_t>(std::strlen(name));
    Put(out, &n, 4);
    Put(out, name, n);
}
void List(std::string& out, std::uint16_t code, const void* data, std::uint32_t count) {
    Code(out, code);
    Put(out, &count, 4);
    Put(out, data, std::size_t{count} * 4);
}

// The grid in binary form, written token by token.
void WriteBinaryGrid(const fs::path& path, const Grid& g) {
    std::vector<float> positions, normals, uv;
    std::vector<std::uint32_t> faces;
    for (int y = 0; y < g.n; ++y)
        for (int x = 0; x < g.n; ++x) {
            positions.insert(positions.end(), {g.Coord(x), g.Coord(y), g.Coord(x) * g.Coord(y)});
            normals.insert(normals.end(), {0.0f, 0.0f, 1.0f});
            uv.insert(uv.end(), {g.Coord(x), g.Coord(y)});
        }
    const std::uint32_t vertexCount = static_cast<std::uint32_t>(g.n * g.n);
    const std::uint32_t faceCount = static_cast<std::uint32_t>((g.n - 1) * (g.n - 1) * 2);
    faces.push_back(faceCount);
    for (int y = 0; y + 1 < g.n; ++y)
        for (int x = 0; x + 1 < g.n; ++x) {
            const std::uint32_t a = static_cast<std::uint32_t>(y * g.n + x), b = a + 1,
                                c = a + static_cast<std::uint32_t>(g.n), d = c + 1;
            faces.insert(faces.end(), {3, a, b, d, 3, a, d, c});
        }
    std::string out = "xof 0303bin 0032";
    Name(out, "Mesh");
    Code(out, 10);
    List(out, 6, &vertexCount, 1);
    List(out, 7, positions.data(), static_cast<std::uint32_t>(positions.size()));
    List(out, 6, faces.data(), static_cast<std::uint32_t>(faces.size()));
    Name(out, "MeshNormals");
    Code(out, 10);
    List(out, 6, &vertexCount, 1);
    List(out, 7, normals.data(), static_cast<std::uint32_t>(normals.size()));
    List(out, 6, faces.data(), static_cast<std::uint32_t>(faces.size()));
    Code(out, 11);
    Name(out, "MeshTextureCoords");
    Code(out, 10);
    List(out, 6, &vertexCount, 1);
    List(out, 7, uv.data(), static_cast<std::uint32_t>(uv.size()));
    Code(out, 11);
    Code(out, 11);
    std::ofstream(path, std::ios::binary) << out;
}

// The same grid through D3DX: the binary file loaded and saved as text.
bool WriteTextGrid(const fs::path& binary, const fs::path& text) {
    ID3DXMesh* mesh = nullptr;
    if (FAILED(D3DXLoadMeshFromX(binary.string().c_str(), D3DXMESH_SYSTEMMEM, nullptr, nullptr, nullptr, nullptr,
                                 &mesh)))
        return false;
    const bool ok = SUCCEEDED(D3DXSaveMeshToX(text.string().c_str(), mesh, nullptr, nullptr, 0, DXFILEFORMAT_TEXT));
    mesh->Release();
    return ok;
}

bool Measure(const Workload& w) {
    enum { D3DX, Assimp, kReaders };
    bench::Rounds rounds[kReaders];
    for (int round = 0; round < kRounds; ++round) {
        for (int turn = 0; turn < kReaders; ++turn) {
            const int reader = (round + turn) % kReaders;
            const auto start = bench::Clock::now();
            for (int r = 0; r < w.repeats; ++r)
                for (const fs::path& f : w.files)
                    if (!(reader == D3DX ? LoadWithD3DX(f) : LoadWithAssimp(f))) {
                        std::printf("bench_xfile: %s could not read %s\n", reader == D3DX ? "D3DX" : "Assimp",
                                    f.string().c_str());
                        return false;
                    }
            rounds[reader].Add(bench::MillisecondsSince(start));
        }
    }
    const double megabytes = static_cast<double>(w.bytes) / (1024.0 * 1024.0);
    std::printf("%s: %zu files x %d, %.1f MB per round, %d rounds in alternating order\n", w.name, w.files.size(),
                w.repeats, megabytes, kRounds);
    const char* labels[kReaders] = {"D3DXLoadMeshFromX", "Assimp ReadFile (triangulate)"};
    for (int r = 0; r < kReaders; ++r) {
        bench::PrintRounds(labels[r], rounds[r], "ms per round");
        std::printf("  %-34s %9.1f MB/s at the median, %.1f at best\n", "", megabytes * 1000.0 / rounds[r].Median(),
                    megabytes * 1000.0 / rounds[r].Min());
    }
    std::printf("  D3DX speed / Assimp speed: median %.2f, best %.2f (target at least 1.00)\n",
                rounds[Assimp].Median() / rounds[D3DX].Median(), rounds[Assimp].Min() / rounds[D3DX].Min());
    return true;
}

}  // namespace

int main() {
    const fs::path samples = fs::path(ORBEL_TEST_DATA_DIR) / "x";
    const fs::path folder = fs::temp_directory_path() / "orbel-bench-xfile";
    fs::remove_all(folder);
    fs::create_directories(folder);
    WriteBinaryGrid(folder / "grid_binary.x", Grid{180});
    if (!WriteTextGrid(folder / "grid_binary.x", folder / "grid_text.x")) {
        std::printf("bench_xfile: the grid could not be written\n");
        return 1;
    }

    Workload workloads[] = {
        {"text samples", {samples / "tiger.x", samples / "test_cube_text.x", samples / "test.x",
                          samples / "kwxport_test_cubewithvcolors.x"}},
        {"binary sample", {samples / "test_cube_binary.x"}},
        {"text grid (180 x 180 vertices)", {folder / "grid_text.x"}},
        {"binary grid (180 x 180 vertices)", {folder / "grid_binary.x"}},
    };
    bool ok = true;
    for (Workload& w : workloads) {
        Fix(w);
        ok = Measure(w) && ok;
    }
    fs::remove_all(folder);
    return ok ? 0 : 1;
}
