#include "plugins/common/PluginLibrary.h"

namespace {

AFX_EXTENSION_MODULE g_extension;
HINSTANCE g_module = nullptr;

}  // namespace

HINSTANCE GetPluginModuleHandle()
{
    return g_module;
}

namespace orbel::plugin {

BOOL AttachLibrary(HINSTANCE instance, DWORD reason)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_extension, instance))
            return FALSE;
        // The framework keeps and deletes the library record itself.
        new CDynLinkLibrary(g_extension);
        g_module = instance;
    } else if (reason == DLL_PROCESS_DETACH) {
        g_module = nullptr;
        AfxTermExtensionModule(g_extension);
    }
    return TRUE;
}

}  // namespace orbel::plugin
