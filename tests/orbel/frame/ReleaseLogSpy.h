// Watches the order in which the program ends the test plug-ins: it holds
// its own reference to each library (the same module the program loads) and
// tells it where to report Release.
#pragma once

#include "orbel/host/PluginTestFolder.h"

#include <framework/Afx.h>

#include <string>
#include <vector>

class ReleaseLogSpy {
public:
    ReleaseLogSpy(const PluginTestFolder& folder, const std::vector<std::string>& fileNames)
    {
        g_log = &released;
        for (const std::string& name : fileNames) {
            const std::string path = (folder.Root() / "Plugins" / name).string();
            HMODULE module = ::LoadLibraryA(path.c_str());
            EXPECT_NE(module, nullptr) << path;
            if (module == nullptr)
                continue;
            modules_.push_back(module);
            using SetLog = void (*)(void (*)(const char*));
            auto exported = reinterpret_cast<void (*)()>(::GetProcAddress(module, "TestPluginSetReleaseLog"));
            if (auto setLog = reinterpret_cast<SetLog>(exported))
                setLog([](const char* plugin) { g_log->emplace_back(plugin); });
        }
    }
    ~ReleaseLogSpy()
    {
        for (HMODULE module : modules_)
            ::FreeLibrary(module);
        g_log = nullptr;
    }
    ReleaseLogSpy(const ReleaseLogSpy&) = delete;
    ReleaseLogSpy& operator=(const ReleaseLogSpy&) = delete;

    std::vector<std::string> released;

private:
    static inline std::vector<std::string>* g_log = nullptr;
    std::vector<HMODULE> modules_;
};
