#include <framework/Resources.h>

#include <framework/CString.h>

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace {

struct Registration {
    const void* owner;
    std::shared_ptr<const ResourceTables> tables;
};

// A module may register several tables (one per source file, say); they
// are searched in the order they came.
struct Module {
    HINSTANCE handle;
    std::vector<Registration> registrations;
};

// One UI thread uses the registry; it lives until the process ends so that
// libraries unloaded during exit can still unregister.
struct Registry {
    std::vector<Module> modules;  // registration order = load order
    std::map<HINSTANCE, HINSTANCE> aliases;  // handle given by the loader -> registry handle
    HINSTANCE instance = nullptr;
    HINSTANCE resource = nullptr;
    std::vector<CDynLinkLibrary*> libraries;
};

Registry& registry() {
    static Registry& r = *new Registry;
    return r;
}

int firstLoadSegment(dl_phdr_info* info, size_t, void* data) {
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        if (info->dlpi_phdr[i].p_type == PT_LOAD) {
            *static_cast<const void**>(data) =
                reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
            return 1;  // the first object reported is the main executable
        }
    }
    return 1;
}

HINSTANCE mainExecutable() {
    const void* address = nullptr;
    dl_iterate_phdr(firstLoadSegment, &address);
    return address ? AfxModuleOfAddress(address) : nullptr;
}

HINSTANCE canonical(HINSTANCE handle) {
    auto& r = registry();
    auto alias = r.aliases.find(handle);
    return alias == r.aliases.end() ? handle : alias->second;
}

// The handle the program knows a module by: the loader's, where one was
// bound to it, else the registry's own.
HINSTANCE publicHandle(HINSTANCE handle) {
    for (const auto& [alias, target] : registry().aliases)
        if (target == handle) return alias;
    return handle;
}

const Module* moduleOf(HINSTANCE handle) {
    handle = canonical(handle);
    for (const auto& m : registry().modules)
        if (m.handle == handle) return &m;
    return nullptr;
}

// The modules in search order: the resource module, the program, the rest
// in load order.
std::vector<const Module*> searchOrder(HINSTANCE module) {
    std::vector<const Module*> order;
    auto add = [&](const Module* m) {
        if (m && std::find(order.begin(), order.end(), m) == order.end()) order.push_back(m);
    };
    if (module) {
        add(moduleOf(module));
        return order;
    }
    add(moduleOf(AfxGetResourceHandle()));
    add(moduleOf(AfxGetInstanceHandle()));
    for (const auto& m : registry().modules) add(&m);
    return order;
}

template <class Entry>
const Entry* findIn(const std::vector<Entry>& entries, UINT id) {
    for (const auto& e : entries)
        if (e.id == id) return &e;
    return nullptr;
}

template <class Entry>
const Entry* find(HINSTANCE module, UINT id, std::vector<Entry> ResourceTables::*member) {
    for (const Module* m : searchOrder(module))
        for (const auto& r : m->registrations)
            if (auto* e = findIn(r.tables.get()->*member, id)) return e;
    return nullptr;
}

bool holds(const ResourceTables& t, UINT id, LPCSTR type) {
    switch (reinterpret_cast<ULONG_PTR>(type)) {
    case 2: return findIn(t.bitmaps, id) != nullptr;
    case 3:
    case 14: return findIn(t.icons, id) != nullptr;
    case 4: return findIn(t.menus, id) != nullptr;
    case 5: return findIn(t.dialogs, id) != nullptr;
    case 6: return findIn(t.strings, id) != nullptr;
    case 9: return findIn(t.accelerators, id) != nullptr;
    default: return false;
    }
}

bool holds(const Module& m, UINT id, LPCSTR type) {
    if (!IS_INTRESOURCE(type)) return false;
    for (const auto& r : m.registrations)
        if (holds(*r.tables, id, type)) return true;
    return false;
}

void registerTables(HINSTANCE handle, const void* owner, ResourceTables tables) {
    auto shared = std::make_shared<const ResourceTables>(std::move(tables));
    auto& modules = registry().modules;
    auto m = std::find_if(modules.begin(), modules.end(), [&](const Module& x) { return x.handle == handle; });
    if (m == modules.end()) m = modules.insert(modules.end(), Module{handle, {}});
    for (auto& r : m->registrations) {
        if (r.owner == owner) {
            r.tables = std::move(shared);
            return;
        }
    }
    m->registrations.push_back({owner, std::move(shared)});
}

// owner null: every registration of the module.
void unregisterTables(HINSTANCE handle, const void* owner) {
    auto& modules = registry().modules;
    for (auto& m : modules)
        if (m.handle == handle)
            std::erase_if(m.registrations, [&](const Registration& r) { return !owner || r.owner == owner; });
    std::erase_if(modules, [](const Module& m) { return m.registrations.empty(); });
}

BOOL loadStringResource(UINT id, CString& result) {
    const std::string* text = AfxFindString(nullptr, id);
    if (!text) return FALSE;
    result = text->c_str();
    return TRUE;
}

// CString::LoadString reads the registry from the moment the framework loads.
const bool stringLoaderInstalled = (orbel::SetStringResourceLoader(loadStringResource), true);

}  // namespace

HINSTANCE AfxModuleOfAddress(const void* address) {
    Dl_info info{};
    if (!address || !dladdr(address, &info)) return nullptr;
    return static_cast<HINSTANCE>(info.dli_fbase);
}

void AfxRegisterResources(const void* owner, ResourceTables tables) {
    if (HINSTANCE module = AfxModuleOfAddress(owner)) registerTables(module, owner, std::move(tables));
}

void AfxUnregisterResources(const void* owner) {
    if (HINSTANCE module = AfxModuleOfAddress(owner)) unregisterTables(module, owner);
}

void AfxRegisterModuleResources(HINSTANCE module, ResourceTables tables) {
    if (module) registerTables(canonical(module), module, std::move(tables));
}

void AfxUnregisterModuleResources(HINSTANCE module) {
    if (module) unregisterTables(canonical(module), nullptr);
}

ResourceRegistration::ResourceRegistration(ResourceTables tables) {
    AfxRegisterResources(this, std::move(tables));
}

ResourceRegistration::~ResourceRegistration() {
    AfxUnregisterResources(this);
}

HINSTANCE AfxGetInstanceHandle() {
    auto& r = registry();
    if (!r.instance) r.instance = mainExecutable();
    return r.instance;
}

void AfxSetInstanceHandle(HINSTANCE instance) {
    registry().instance = instance;
}

HINSTANCE AfxGetResourceHandle() {
    auto& r = registry();
    return r.resource ? r.resource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE resource) {
    registry().resource = resource;
}

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
    HINSTANCE candidates[] = {AfxGetResourceHandle(), AfxGetInstanceHandle()};
    for (HINSTANCE h : candidates)
        if (auto* m = moduleOf(h); m && holds(*m, id, type)) return h;
    for (const auto& m : registry().modules)
        if (holds(m, id, type)) return publicHandle(m.handle);
    return nullptr;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
    if (!module) return FALSE;
    // The loader's handle and the registry's handle for the library may
    // differ; the state object lives inside the library, which ties them.
    HINSTANCE own = AfxModuleOfAddress(&state);
    if (!own) return FALSE;
    if (own != module) registry().aliases[module] = own;
    state.hModule = module;
    state.hResource = module;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL) {
    auto& r = registry();
    // The libraries of this module go with it, as the framework deletes them.
    std::vector<CDynLinkLibrary*> mine;
    for (auto* lib : r.libraries)
        if (lib->m_hModule == state.hModule) mine.push_back(lib);
    for (auto* lib : mine) delete lib;
    if (r.resource && canonical(r.resource) == canonical(state.hModule)) r.resource = nullptr;
    r.aliases.erase(state.hModule);
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL)
    : m_hModule(state.hModule), m_hResource(state.hResource) {
    registry().libraries.push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    std::erase(registry().libraries, this);
}

const DialogTemplate* AfxFindDialogTemplate(HINSTANCE module, UINT id) {
    return find(module, id, &ResourceTables::dialogs);
}
const MenuTemplate* AfxFindMenuTemplate(HINSTANCE module, UINT id) {
    return find(module, id, &ResourceTables::menus);
}
const std::string* AfxFindString(HINSTANCE module, UINT id) {
    const StringEntry* e = find(module, id, &ResourceTables::strings);
    return e ? &e->text : nullptr;
}
const AcceleratorTable* AfxFindAcceleratorTable(HINSTANCE module, UINT id) {
    return find(module, id, &ResourceTables::accelerators);
}
const BitmapResource* AfxFindBitmap(HINSTANCE module, UINT id) {
    return find(module, id, &ResourceTables::bitmaps);
}
const IconResource* AfxFindIcon(HINSTANCE module, UINT id) {
    return find(module, id, &ResourceTables::icons);
}

int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int bufferMax) {
    const std::string* text = AfxFindString(module, id);
    if (!text || !buffer || bufferMax <= 0) return 0;
    const int n = std::min<int>(static_cast<int>(text->size()), bufferMax - 1);
    std::memcpy(buffer, text->data(), static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

HACCEL LoadAcceleratorsA(HINSTANCE module, LPCSTR name) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
    auto* table = AfxFindAcceleratorTable(module, id);
    return table ? reinterpret_cast<HACCEL>(const_cast<AcceleratorTable*>(table)) : nullptr;
}

const AcceleratorTable* AfxAcceleratorTableFromHandle(HACCEL accel) {
    // Only handles that still name a registered table are answered.
    auto* wanted = reinterpret_cast<const AcceleratorTable*>(accel);
    for (const auto& m : registry().modules)
        for (const auto& r : m.registrations)
            for (const auto& t : r.tables->accelerators)
                if (&t == wanted) return &t;
    return nullptr;
}

int CopyAcceleratorTableA(HACCEL accel, LPACCEL entries, int count) {
    const AcceleratorTable* table = AfxAcceleratorTableFromHandle(accel);
    if (!table) return 0;
    const int total = static_cast<int>(table->entries.size());
    if (!entries) return total;
    const int n = std::min(total, count);
    std::copy_n(table->entries.begin(), std::max(n, 0), entries);
    return std::max(n, 0);
}

bool AfxLoadString(UINT id, std::string& text) {
    const std::string* found = AfxFindString(nullptr, id);
    if (!found) return false;
    text = *found;
    return true;
}
