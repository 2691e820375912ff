// Every input the fuzzers ever found a fault with, and every seed they start
// from, replayed through the same entries under the test builds (the
// sanitizer build catches what the fuzzers caught).
#include "FuzzEntries.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace orbel::test {
namespace {

namespace fs = std::filesystem;
using Entry = int (*)(const std::uint8_t*, std::size_t);

struct Target {
    const char* name;
    Entry entry;
    std::vector<const char*> sampleEndings;  // sample files it also reads
};

const Target kTargets[] = {
    {"xfile", fuzz::ReadXFileEntry, {".x", "OV_GetNextToken"}},
    {"scene", fuzz::LoadSceneFileEntry, {}},
    {"bmp", fuzz::DecodeBmpEntry, {".bmp"}},
    {"tga", fuzz::DecodeTgaEntry, {".tga"}},
    {"png", fuzz::DecodePngEntry, {".png"}},
    {"jpeg", fuzz::DecodeJpegEntry, {".jpg"}},
};

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
}

void Replay(const Target& target, const fs::path& file) {
    SCOPED_TRACE(file.string());
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0);
}

TEST(FuzzRegressions, StoredFindingsAndSeedsReplayCleanly) {
    std::size_t replayed = 0;
    for (const Target& target : kTargets) {
        for (const char* folder : {"regressions", "seeds"}) {
            for (const fs::path& file : FilesIn(fs::path(ORBEL_FUZZ_DIR) / folder / target.name)) {
                Replay(target, file);
                ++replayed;
            }
        }
        for (const fs::path& file : FilesIn(TestDataPath("x"))) {
            for (const char* ending : target.sampleEndings) {
                if (file.filename().string().ends_with(ending)) {
                    Replay(target, file);
                    ++replayed;
                }
            }
        }
    }
    EXPECT_GT(replayed, 10u);
}

}  // namespace
}  // namespace orbel::test
