// The ".x" import of one 250 x 250 grid (124,002 faces, two materials in a
// checkerboard) through the import library, as the frame's "Import..."
// runs it: once as a sound mesh, once with one bow-tie vertex more, which
// fails validation and so is imported unsorted. Both should take about the
// same time. Prints figures; judges nothing.
#include "bench/common/Rounds.h"
#include "tests/plugins/testhost/PluginTestHost.h"

#include <model/Objekt3D.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kSide = 250;
constexpr int kRounds = 5;

// The grid's text file; with a bow-tie, one more triangle meets the grid's
// first corner at that vertex only.
std::string GridFile(bool bowTie)
{
    std::string text = "xof 0303txt 0032\nMesh {\n";
    const int vertices = kSide * kSide + (bowTie ? 2 : 0);
    text += std::to_string(vertices) + ";\n";
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            text += std::to_string(x) + ";" + std::to_string(y) + ";0;,\n";
    if (bowTie)
        text += "-1;-2;0;,\n-2;-1;0;,\n";
    text.replace(text.size() - 2, 2, ";\n");
    const int gridFaces = (kSide - 1) * (kSide - 1) * 2;
    const int faces = gridFaces + (bowTie ? 1 : 0);
    text += std::to_string(faces) + ";\n";
    std::string materials;
    for (int y = 0; y + 1 < kSide; ++y) {
        for (int x = 0; x + 1 < kSide; ++x) {
            const int a = y * kSide + x, b = a + 1, c = a + kSide, d = c + 1;
            text += "3;" + std::to_string(a) + "," + std::to_string(c) + "," + std::to_string(d) + ";,\n";
            text += "3;" + std::to_string(a) + "," + std::to_string(d) + "," + std::to_string(b) + ";,\n";
            const char* m = (x + y) % 2 ? "1,\n" : "0,\n";
            materials += m;
            materials += m;
        }
    }
    if (bowTie) {
        text += "3;0," + std::to_string(kSide * kSide) + "," + std::to_string(kSide * kSide + 1) + ";,\n";
        materials += "0,\n";
    }
    text.replace(text.size() - 2, 2, ";\n");
    materials.replace(materials.size() - 2, 2, ";\n");
    text += "MeshMaterialList { 2; " + std::to_string(faces) + ";\n" + materials +
            "Material { 1;0;0;1;; 10; 0;0;0;; 0;0;0;; }\n"
            "Material { 0;0;1;1;; 10; 0;0;0;; 0;0;0;; }\n}\n}\n";
    return text;
}

}  // namespace

int main()
{
    const fs::path folder = fs::temp_directory_path() / ("orbel-bench-import-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::printf("import of a %d x %d grid (%d faces), %d rounds\n", kSide, kSide, (kSide - 1) * (kSide - 1) * 2,
                kRounds);
    PluginTestHost host;
    cPlugin* importer = host.Load("Tovrin.dli");
    if (importer == nullptr)
        return 1;
    for (bool bowTie : {false, true}) {
        const fs::path file = folder / (bowTie ? "bowtie.x" : "sound.x");
        std::ofstream(file, std::ios::binary) << GridFile(bowTie);
        bench::Rounds rounds;
        int runs = 0;
        for (int r = 0; r < kRounds; ++r) {
            const auto start = bench::Clock::now();
            host.ImportFile(importer, file.string());
            rounds.Add(bench::MillisecondsSince(start));
            runs = static_cast<int>(host.FirstSelected()->m_Runs.GetCount());
        }
        bench::PrintRounds(bowTie ? "invalid (one bow-tie vertex)" : "valid", rounds, "ms");
        std::printf("  %-34s %d material runs\n", "", runs);
    }
    fs::remove_all(folder);
    return 0;
}
