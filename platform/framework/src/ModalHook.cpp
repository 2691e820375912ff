// Queues of scripted answers for modal UI.
#include <framework/ModalScript.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <utility>

namespace orbel::modal {

namespace {

struct Script {
    int scripted = -1;  // -1: decided by the platform
    std::map<std::string, std::deque<Answer>> queues;
    std::vector<Appearance> appearances;
    UnscriptedHandler handler;
};

Script& TheScript() {
    static Script* script = new Script;
    return *script;
}

void DefaultUnscripted(const Appearance& a) {
    std::fprintf(stderr, "Unscripted modal %s appeared: %s\n", a.kind.c_str(), a.description.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace

bool IsScripted() {
    Script& s = TheScript();
    if (s.scripted >= 0)
        return s.scripted != 0;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform != nullptr && std::string(platform) == "offscreen";
}

void SetScripted(bool on) { TheScript().scripted = on ? 1 : 0; }

void Push(const std::string& kind, Answer answer) { TheScript().queues[kind].push_back(std::move(answer)); }

Answer Take(const std::string& kind, const std::string& description) {
    Script& s = TheScript();
    s.appearances.push_back({kind, description});
    auto& queue = s.queues[kind];
    if (queue.empty()) {
        if (s.handler)
            s.handler(s.appearances.back());
        else
            DefaultUnscripted(s.appearances.back());
        return Answer{};
    }
    Answer a = std::move(queue.front());
    queue.pop_front();
    return a;
}

std::size_t Pending(const std::string& kind) {
    auto& queues = TheScript().queues;
    auto it = queues.find(kind);
    return it == queues.end() ? 0 : it->second.size();
}

const std::vector<Appearance>& Appearances() { return TheScript().appearances; }

void Reset() {
    TheScript().queues.clear();
    TheScript().appearances.clear();
}

UnscriptedHandler SetUnscriptedHandler(UnscriptedHandler handler) {
    return std::exchange(TheScript().handler, std::move(handler));
}

} // namespace orbel::modal
