// Where the tests find their sample files (".x" meshes, images): tests/data
// in the source tree, or the ORBEL_TEST_DATA folder when that is set. A file
// that is not there ends the test asking for it with a failure that names
// it (GoogleTest reports the exception), instead of letting the test run on
// with nothing read.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

// The folder itself, for a name meant not to be there.
inline std::string TestDataRoot()
{
    const char* root = std::getenv("ORBEL_TEST_DATA");
    return root != nullptr ? root : ORBEL_TEST_DATA_DIR;
}

inline std::string TestDataPath(const std::string& relative)
{
    const std::string path = TestDataRoot() + "/" + relative;
    if (!std::filesystem::exists(path))
        throw std::runtime_error("sample file missing: " + path);
    return path;
}
