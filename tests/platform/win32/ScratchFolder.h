// A fresh, empty folder for one test, removed afterwards; the test's
// current directory is restored too.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "support/FreshFolder.h"

namespace orbel::test {

class ScratchFolder {
public:
    ScratchFolder()
    {
        m_path = orbel::test::MakeFreshFolder("orbel-test-");
        m_previous = std::filesystem::current_path();
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string Native(const std::string& relative = "") const { return (m_path / relative).string(); }
    // The same path with backslashes, as the program writes it.
    std::string Backslashed(const std::string& relative = "") const
    {
        std::string path = Native(relative);
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    }
    void WriteFile(const std::string& relative, const std::string& contents) const
    {
        std::filesystem::create_directories((m_path / relative).parent_path());
        std::ofstream(m_path / relative, std::ios::binary) << contents;
    }
    std::string ReadFile(const std::string& relative) const
    {
        std::ifstream in(m_path / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

} // namespace orbel::test
