// A plug-in library for the loader's tests. One source, built several times:
// TEST_PLUGIN_NAME names the tool; TEST_PLUGIN_WITHOUT_EXPORT leaves out
// GetPlugin; TEST_PLUGIN_NULL_OBJECT makes GetPlugin hand back no object.
#include <plugins/common/Plugin.h>

namespace {

using ReleaseLog = void (*)(const char* name);
ReleaseLog g_releaseLog = nullptr;

class cTestPlugin : public cPlugin {
public:
    void Release() override
    {
        if (g_releaseLog != nullptr)
            g_releaseLog(TEST_PLUGIN_NAME);
        delete this;
    }
    void ShowPanel(CWnd*) override {}
    void HidePanel() override {}
    bool OnEvent(int) override { return false; }
    int GetRequestCount() override { return 0; }
    int GetRequest(int) override { return 0; }
    const char* GetText(int) override { return nullptr; }
    void SetParam(int, void*) override {}
    int UndoAction(int, int) override { return 1; }
    const char* GetName() override { return TEST_PLUGIN_NAME; }
};

}  // namespace

// Lets a test see the order in which the program ends its plug-ins.
extern "C" ORBEL_API void TestPluginSetReleaseLog(ReleaseLog log)
{
    g_releaseLog = log;
}

#ifndef TEST_PLUGIN_WITHOUT_EXPORT
extern "C" ORBEL_API cPlugin* GetPlugin(cPlugin** plugin)
{
#ifdef TEST_PLUGIN_NULL_OBJECT
    *plugin = nullptr;
#else
    *plugin = new cTestPlugin;
#endif
    return *plugin;
}
#endif
