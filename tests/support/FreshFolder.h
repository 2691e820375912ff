// Scratch folders for tests. Test processes run side by side and may start in
// the same millisecond with the same addresses (the sanitizers make heaps
// repeatable), so names built from clocks, seeds or pointers can meet; only
// create_directory tells "made it" from "someone else's".
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace orbel::test {

// A new, empty folder under the system's temporary folder, named stem + a
// random number; the caller removes it.
inline std::filesystem::path MakeFreshFolder(const std::string& stem)
{
    static std::random_device random;
    for (;;) {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / (stem + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directories(path)) return path;
    }
}

}  // namespace orbel::test
