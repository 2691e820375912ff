// Where the tests find the shared sample files (".x" meshes, images):
// the ORBEL_TEST_DATA environment variable when set, else the folder the
// build was configured with.
#pragma once

#include <cstdlib>
#include <string>

inline std::string TestDataPath(const std::string& relative)
{
    const char* root = std::getenv("ORBEL_TEST_DATA");
    return std::string(root != nullptr ? root : ORBEL_TEST_DATA_DIR) + "/" + relative;
}
