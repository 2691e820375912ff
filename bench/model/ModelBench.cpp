// Saving a large scene and taking undo snapshots of it, beside the fastest
// plain way of writing the same number of bytes: one buffered stream of
// 1 MB writes. Prints figures; judges nothing.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/common/Rounds.h"
#include "model/MyOrbelDoc.h"

namespace {

constexpr int kObjects = 16;
constexpr int kVertices = 65000;
constexpr int kRounds = 7;
constexpr std::size_t kChunk = 1u << 20;

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

// The bytes through a stream with a 1 MB buffer, handed over 1 MB at a time.
bool PlainWrite(const std::filesystem::path& path, const std::vector<char>& block)
{
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file)
        return false;
    std::setvbuf(file, nullptr, _IOFBF, kChunk);
    bool ok = true;
    for (std::size_t done = 0; ok && done < block.size(); done += kChunk) {
        const std::size_t n = std::min(kChunk, block.size() - done);
        ok = std::fwrite(block.data() + done, 1, n, file) == n;
    }
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orbel-bench-model";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Temp");

    enum Writer { Snapshot, Save, Plain, kWriters };
    bench::Rounds rounds[kWriters];
    std::uintmax_t bytes = 0;
    {
        CMyOrbelDoc doc;
        doc.m_ProgramDir = ProgramDirOf(folder).c_str();
        BuildScene(doc);
        doc.SaveUndoState("Move");  // warm-up, and the size of one file
        bytes = std::filesystem::file_size(folder / "Temp" / "Un1.bin");
        const std::vector<char> block(bytes, 'x');

        // The writers take turns in an order that rotates every round, so
        // page-cache write-back left by one lands on each of them alike;
        // every write goes to a new file, as the snapshots do.
        for (int round = 0; round < kRounds; ++round) {
            for (int turn = 0; turn < kWriters; ++turn) {
                const int writer = (round + turn) % kWriters;
                const std::string suffix = std::to_string(round);
                const auto start = bench::Clock::now();
                if (writer == Snapshot) {
                    doc.SaveUndoState("Move");
                } else if (writer == Save) {
                    CFile file((folder / ("scene" + suffix + ".f3D")).string().c_str(),
                               CFile::modeCreate | CFile::modeWrite);
                    CArchive ar(&file, CArchive::store, 4096);
                    doc.Serialize(ar);
                    ar.Close();
                    file.Close();
                } else if (!PlainWrite(folder / ("plain" + suffix + ".bin"), block)) {
                    std::printf("bench_model: the plain write failed\n");
                    return 1;
                }
                rounds[writer].Add(bench::MillisecondsSince(start));
            }
        }
    }  // the document empties Temp

    const double megabytes = static_cast<double>(bytes) / (1024.0 * 1024.0);
    std::printf("scene: %d objects x %d vertices, %.1f MB per file, %d rounds in rotating order\n", kObjects,
                kVertices, megabytes, kRounds);
    const char* labels[kWriters] = {"SaveUndoState", "Serialize", "plain write (1 MB buffered writes)"};
    for (int w = 0; w < kWriters; ++w) {
        bench::PrintRounds(labels[w], rounds[w], "ms per file");
        std::printf("  %-34s %9.1f MB/s at the median\n", "", megabytes * 1000.0 / rounds[w].Median());
    }
    std::printf("SaveUndoState speed / plain write speed: median %.2f, best %.2f (target at least 0.80)\n",
                rounds[Plain].Median() / rounds[Snapshot].Median(), rounds[Plain].Min() / rounds[Snapshot].Min());
    std::filesystem::remove_all(folder);
    return 0;
}
