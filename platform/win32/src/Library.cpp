#include <win32/Errors.h>
#include <win32/Library.h>
#include <win32/Paths.h>

#include "ErrorCodes.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <memory>
#include <mutex>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using orbel::detail::FailWith;

namespace {

struct Module {
    void* handle = nullptr;  // from dlopen; NULL for the program itself
    std::string path;        // native, absolute
    int references = 0;
};

struct ModuleTable {
    std::mutex mutex;
    std::vector<std::unique_ptr<Module>> modules;
    Module program;
};

ModuleTable& Table()
{
    static auto* table = new ModuleTable;  // libraries may be freed from static destructors
    return *table;
}

HMODULE ToHandle(Module* module)
{
    return reinterpret_cast<HMODULE>(module);
}

// The loaded library behind a handle, or NULL for anything else.
Module* FindLibrary(ModuleTable& table, HMODULE hModule)
{
    for (auto& module : table.modules) {
        if (ToHandle(module.get()) == hModule)
            return module.get();
    }
    return nullptr;
}

std::string ProgramPath()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return std::string();
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string AbsolutePath(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

// A symbol of this very library: dlsym also searches the libraries it
// depends on, which Windows' export lookup never does.
void* OwnSymbol(const Module& module, const char* name)
{
    void* symbol = ::dlsym(module.handle, name);
    if (symbol == nullptr)
        return nullptr;
    Dl_info info{};
    if (::dladdr(symbol, &info) == 0 || info.dli_fname == nullptr)
        return nullptr;
    link_map* map = nullptr;
    if (::dlinfo(module.handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
        return nullptr;
    return info.dli_fbase == reinterpret_cast<void*>(map->l_addr) || std::strcmp(info.dli_fname, map->l_name) == 0
               ? symbol
               : nullptr;
}

DllMainProc EntryPoint(const Module& module)
{
    return reinterpret_cast<DllMainProc>(OwnSymbol(module, "DllMain"));
}

} // namespace

HMODULE LoadLibraryA(LPCSTR lpLibFileName)
{
    if (lpLibFileName == nullptr || *lpLibFileName == '\0') {
        FailWith(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string path = orbel::ToNativePath(lpLibFileName);
    // dlopen would search the system's library folders for a bare name;
    // the program means the current directory.
    if (path.find('/') == std::string::npos)
        path = "./" + path;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        FailWith(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    path = AbsolutePath(path);

    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        FailWith(ERROR_BAD_EXE_FORMAT);
        return nullptr;
    }

    ModuleTable& table = Table();
    Module* module = nullptr;
    {
        std::lock_guard lock(table.mutex);
        for (auto& loaded : table.modules) {
            if (loaded->handle == handle) {
                ++loaded->references;
                ::dlclose(handle);  // the table holds one dlopen reference per library
                return ToHandle(loaded.get());
            }
        }
        auto created = std::make_unique<Module>();
        created->handle = handle;
        created->path = path;
        created->references = 1;
        module = created.get();
        table.modules.push_back(std::move(created));
    }

    if (DllMainProc entry = EntryPoint(*module)) {
        if (!entry(ToHandle(module), DLL_PROCESS_ATTACH, nullptr)) {
            // As on the original platform, a refused attach is followed by a detach.
            entry(ToHandle(module), DLL_PROCESS_DETACH, nullptr);
            {
                std::lock_guard lock(table.mutex);
                std::erase_if(table.modules, [module](const auto& m) { return m.get() == module; });
            }
            ::dlclose(handle);
            FailWith(ERROR_DLL_INIT_FAILED);
            return nullptr;
        }
    }
    SetLastError(ERROR_SUCCESS);
    return ToHandle(module);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    if (lpProcName == nullptr) {
        FailWith(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ModuleTable& table = Table();
    void* symbol = nullptr;
    if (hModule == ToHandle(&table.program)) {
        symbol = ::dlsym(RTLD_DEFAULT, lpProcName);
    } else {
        std::lock_guard lock(table.mutex);
        Module* module = FindLibrary(table, hModule);
        if (module == nullptr) {
            FailWith(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        symbol = OwnSymbol(*module, lpProcName);
    }
    if (symbol == nullptr) {
        FailWith(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    ModuleTable& table = Table();
    std::unique_ptr<Module> released;
    {
        std::lock_guard lock(table.mutex);
        Module* module = FindLibrary(table, hLibModule);
        if (module == nullptr)
            return FailWith(ERROR_INVALID_HANDLE);
        if (--module->references > 0)
            return TRUE;
        auto it = std::find_if(table.modules.begin(), table.modules.end(),
                               [module](const auto& m) { return m.get() == module; });
        released = std::move(*it);
        table.modules.erase(it);
    }
    if (DllMainProc entry = EntryPoint(*released))
        entry(ToHandle(released.get()), DLL_PROCESS_DETACH, nullptr);
    ::dlclose(released->handle);
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
    ModuleTable& table = Table();
    if (lpModuleName == nullptr)
        return ToHandle(&table.program);
    const std::string wanted = orbel::ToNativePath(lpModuleName);
    const bool bareName = wanted.find('/') == std::string::npos;
    std::lock_guard lock(table.mutex);
    for (auto& module : table.modules) {
        const std::string& path = module->path;
        const std::string fileName = path.substr(path.rfind('/') + 1);
        if (bareName ? ::strcasecmp(fileName.c_str(), wanted.c_str()) == 0 : AbsolutePath(wanted) == path)
            return ToHandle(module.get());
    }
    FailWith(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    ModuleTable& table = Table();
    std::string path;
    if (hModule == nullptr || hModule == ToHandle(&table.program)) {
        path = ProgramPath();
    } else {
        std::lock_guard lock(table.mutex);
        Module* module = FindLibrary(table, hModule);
        if (module == nullptr) {
            FailWith(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        path = module->path;
    }
    if (path.empty() || lpFilename == nullptr || nSize == 0) {
        FailWith(path.empty() ? ERROR_MOD_NOT_FOUND : ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    path = orbel::ToProgramPath(path);
    if (path.size() >= nSize) {
        std::memcpy(lpFilename, path.c_str(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        FailWith(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}
