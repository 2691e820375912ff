// What every plug-in library has once: its entry point, which registers the
// library with the framework so that its dialog templates and strings are
// found, and GetPlugin, its one export, which hands the program a new
// plug-in object.
//
// A library writes, in exactly one of its source files:
//   ORBEL_PLUGIN_LIBRARY(cSphereCreator, SphereResources())
// where the second argument is the library's ResourceTables.
#pragma once

#include <framework/Afx.h>
#include <plugins/common/Plugin.h>

#include <new>

// The module handle the loader gave this library at attach; 0 before that
// or after detach. Each library has its own copy.
HINSTANCE GetPluginModuleHandle();

namespace orbel::plugin {

// The entry point's work, shared by every library's DllMain.
BOOL AttachLibrary(HINSTANCE instance, DWORD reason);

// Allocates without throwing, so that GetPlugin can report a failure as null.
template <class Plugin>
cPlugin* CreatePlugin(cPlugin** out)
{
    cPlugin* plugin = new (std::nothrow) Plugin();
    if (out != nullptr)
        *out = plugin;
    return plugin;
}

}  // namespace orbel::plugin

#define ORBEL_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

// The registration object lives as long as the library is loaded, so the
// tables appear before DllMain runs and go when the library is freed.
#define ORBEL_PLUGIN_LIBRARY(PluginClass, tables)                                 \
    namespace {                                                                   \
    const ResourceRegistration g_libraryResources(tables);                        \
    }                                                                             \
    ORBEL_PLUGIN_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID)    \
    {                                                                             \
        return orbel::plugin::AttachLibrary(instance, reason);                    \
    }                                                                             \
    ORBEL_PLUGIN_EXPORT cPlugin* GetPlugin(cPlugin** plugin)                      \
    {                                                                             \
        return orbel::plugin::CreatePlugin<PluginClass>(plugin);                  \
    }
