// Texture image files for the program's tests, written where a test needs
// them.
#pragma once

#include "platform/d3dx8/ImageSamples.h"

#include <filesystem>
#include <fstream>

// A 16 x 16 JPEG, the top half red and the bottom half blue.
inline void WriteHalvesJpeg(const std::filesystem::path& path)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(orbel::test::kJpegHalves16), sizeof orbel::test::kJpegHalves16);
}
