// Queues of scripted answers for modal UI, installed as the modal hook.
#include <testsupport/ModalScript.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <utility>

namespace orbel::modal {

namespace {

struct Script {
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

std::optional<Answer> Answered(const std::string& kind, const std::string& description) {
    // A save prompt is a message box too: a test that scripted only a box
    // answers it that way.
    if (kind == kSavePrompt && Pending(kSavePrompt) == 0 && Pending(kMessageBox) > 0) return std::nullopt;
    return Take(kind, description);
}

// Every program that links the script is scripted from its start.
[[maybe_unused]] const bool g_installed = (SetHook(Answered), true);

} // namespace

bool IsScripted() { return HasHook(); }

void SetScripted(bool on) { SetHook(on ? Hook(Answered) : Hook()); }

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
