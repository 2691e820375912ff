// Saving a large scene and taking undo snapshots of it, beside a plain write
// of the same number of bytes. Prints figures; judges nothing.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/MyOrbelDoc.h"

namespace {

constexpr int kObjects = 16;
constexpr int kVertices = 65000;
constexpr int kRounds = 5;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void BuildScene(CMyOrbelDoc& doc)
{
    for (int o = 0; o < kObjects; ++o) {
        auto* object = new cObjekt3D;
        object->m_Vertices.SetSize(kVertices);
        for (int v = 0; v < kVertices; ++v) {
            const float f = static_cast<float>(v);
            object->m_Vertices[v] = MeshVertex{f, f * 0.5f, -f, 0.0f, 1.0f, 0.0f, f / kVertices, 0.5f};
        }
        for (int face = 0; face + 2 < kVertices; ++face) {
            object->AddIndex(static_cast<WORD>(face));
            object->AddIndex(static_cast<WORD>(face + 1));
            object->AddIndex(static_cast<WORD>(face + 2));
        }
        doc.AddObject(object);
    }
}

std::string ProgramDirOf(const std::filesystem::path& folder)
{
    std::string text = folder.string() + "/";
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return text;
}

}  // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orbel-bench-model";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Temp");

    double snapshotSeconds = 0.0;
    double saveSeconds = 0.0;
    double plainSeconds = 0.0;
    std::uintmax_t bytes = 0;
    {
        CMyOrbelDoc doc;
        doc.m_ProgramDir = ProgramDirOf(folder).c_str();
        BuildScene(doc);

        // The three writers take turns, so page-cache write-back slows
        // each of them alike; every write goes to a new file, as the
        // snapshots do, so no run pays for truncating an earlier one.
        std::vector<char> block;
        for (int round = 0; round < kRounds; ++round) {
            auto start = Clock::now();
            doc.SaveUndoState("Move");
            snapshotSeconds += Seconds(start);
            if (round == 0) {
                bytes = std::filesystem::file_size(folder / "Temp" / "Un1.bin");
                block.assign(bytes, 'x');
            }

            const std::string scenePath = (folder / ("scene" + std::to_string(round) + ".f3D")).string();
            start = Clock::now();
            {
                CFile file(scenePath.c_str(), CFile::modeCreate | CFile::modeWrite);
                CArchive ar(&file, CArchive::store, 4096);
                doc.Serialize(ar);
                ar.Close();
                file.Close();
            }
            saveSeconds += Seconds(start);

            start = Clock::now();
            std::ofstream out(folder / ("plain" + std::to_string(round) + ".bin"), std::ios::binary | std::ios::trunc);
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            out.close();
            plainSeconds += Seconds(start);
        }
    }  // the document empties Temp

    const double megabytes = static_cast<double>(bytes) * kRounds / (1024.0 * 1024.0);
    const double snapshotRate = megabytes / snapshotSeconds;
    const double plainRate = megabytes / plainSeconds;
    std::printf("scene: %d objects x %d vertices, %.1f MB per file\n", kObjects, kVertices,
                static_cast<double>(bytes) / (1024.0 * 1024.0));
    std::printf("SaveUndoState : %8.1f MB/s\n", snapshotRate);
    std::printf("Serialize     : %8.1f MB/s\n", megabytes / saveSeconds);
    std::printf("plain write   : %8.1f MB/s\n", plainRate);
    std::printf("snapshot / plain: %.2f (target at least 0.50)\n", snapshotRate / plainRate);
    std::filesystem::remove_all(folder);
    return 0;
}
