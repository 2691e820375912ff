// A library that brings resources the way a panel plug-in does: registered
// while loaded, bound to its module handle by its entry point, and able to
// make itself the resource module.
#include <framework/Afx.h>

namespace {

ResourceTables tables() {
    ResourceTables t;
    t.strings.push_back({4207, "from the library"});
    t.strings.push_back({4208, "only the library"});
    DialogTemplate panel;
    panel.id = 3000;
    panel.caption = "Library panel";
    panel.style = WS_CHILD;
    t.dialogs.push_back(panel);
    return t;
}

const ResourceRegistration registration(tables());
AFX_EXTENSION_MODULE extension;
HINSTANCE ownHandle = nullptr;

}  // namespace

extern "C" __attribute__((visibility("default"))) BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(extension, instance)) return FALSE;
        new CDynLinkLibrary(extension);
        ownHandle = instance;
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(extension);
    }
    return TRUE;
}

extern "C" __attribute__((visibility("default"))) HINSTANCE UseOwnResources() {
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(ownHandle);
    return previous;
}
