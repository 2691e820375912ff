// A scratch program folder with a "Plugins" folder for tests of plug-in
// loading, filled with copies of the test libraries built beside the tests.
#pragma once

#include <framework/Afx.h>

#include "support/FreshFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

class PluginTestFolder {
public:
    PluginTestFolder()
        : savedCurrent_(std::filesystem::current_path())
    {
        root_ = orbel::test::MakeFreshFolder("orbel-plugins-");
        std::filesystem::create_directories(root_ / "Plugins");
    }
    ~PluginTestFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(savedCurrent_, ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    PluginTestFolder(const PluginTestFolder&) = delete;
    PluginTestFolder& operator=(const PluginTestFolder&) = delete;

    // The folder as the program writes it: backslashes, one at the end.
    CString ProgramDirectory() const
    {
        std::string path = root_.string() + "/";
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return CString(path.c_str());
    }

    static std::filesystem::path BuiltPlugin(const std::string& fileName)
    {
        return std::filesystem::path(ORBEL_TEST_PLUGIN_DIR) / fileName;
    }

    void AddPlugins(std::initializer_list<const char*> fileNames)
    {
        for (const char* name : fileNames)
            std::filesystem::copy_file(BuiltPlugin(name), root_ / "Plugins" / name);
    }
    void AddFile(const std::string& name, const std::string& content)
    {
        std::ofstream(root_ / "Plugins" / name) << content;
    }
    // A folder beside "Plugins", such as "Temp" for the undo snapshots.
    void AddFolder(const std::string& name) { std::filesystem::create_directories(root_ / name); }
    void AddFileToProgramDirectory(const std::string& name, const std::filesystem::path& source)
    {
        std::filesystem::copy_file(source, root_ / name);
    }
    void RemovePluginsFolder() { std::filesystem::remove_all(root_ / "Plugins"); }
    void EnterPluginsFolder() { std::filesystem::current_path(root_ / "Plugins"); }

    bool IsCurrentDirectoryTheProgramDirectory() const
    {
        return std::filesystem::equivalent(std::filesystem::current_path(), root_);
    }
    const std::filesystem::path& Root() const { return root_; }

private:
    std::filesystem::path savedCurrent_;
    std::filesystem::path root_;
};

