#include "orbel/host/RequestServing.h"

#include <cstring>

namespace {

// One user-interface thread serves everything, so a plain counter is the
// nesting depth of every repeat and every serving in progress.
int g_repeatDepth = 0;
int g_servingDepth = 0;

// One level of a nesting counter, given back however the level ends.
class NestingLevel {
public:
    explicit NestingLevel(int& depth) : m_depth(depth) { ++m_depth; }
    ~NestingLevel() { --m_depth; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

private:
    int& m_depth;
};

// Plug-ins built elsewhere may answer with any byte; only 1 asks for serving.
bool AnswerIsExactlyOne(bool answer)
{
    unsigned char byte = 0;
    std::memcpy(&byte, &answer, sizeof byte);
    return byte == 1;
}

}  // namespace

bool PluginAccepts(cPlugin* plugin, int event)
{
    return plugin != nullptr && AnswerIsExactlyOne(plugin->OnEvent(event));
}

bool ServePluginEvent(cPlugin* plugin, int event, const RequestServer& serve)
{
    if (g_servingDepth >= kMaxServingNesting)
        return false;
    NestingLevel level(g_servingDepth);
    if (!PluginAccepts(plugin, event))
        return false;
    ServeRequestList(plugin, serve);
    return true;
}

void ServeRequestList(cPlugin* plugin, const RequestServer& serve)
{
    const int count = plugin->GetRequestCount();
    for (int index = 0; index < count; ++index)
        serve(plugin->GetRequest(index));
}

bool ServeRepeat(cPlugin* plugin, const RequestServer& serve)
{
    if (g_repeatDepth >= kMaxRepeatNesting)
        return false;
    NestingLevel level(g_repeatDepth);
    plugin->SetParam(PR_REPEAT, nullptr);
    ServeRequestList(plugin, serve);
    return true;
}

int RepeatNestingDepth()
{
    return g_repeatDepth;
}

int ServingNestingDepth()
{
    return g_servingDepth;
}
