#include "tests/support/PluginDouble.h"

#include <algorithm>
#include <cstring>

PluginDouble::PluginDouble(const char* name)
{
    if (name != nullptr)
        m_name = name;
}

void PluginDouble::Accept(int event, std::vector<std::vector<int>> lists)
{
    EventScript& script = m_scripts[event];
    script.answer = 1;
    script.lists.assign(lists.begin(), lists.end());
}

void PluginDouble::AnswerWithByte(int event, unsigned char byte)
{
    m_scripts[event].answer = byte;
}

namespace {

// A bool holding any byte, as a plug-in built elsewhere may hand one back.
// Reading it back here is the point, so the sanitizer's bool check is off for
// this one function; the host must cope with what it receives.
#if defined(__GNUC__) || defined(__clang__)
__attribute__((no_sanitize("bool")))
#endif
bool BoolOfByte(unsigned char byte)
{
    bool answer = false;
    std::memcpy(&answer, &byte, sizeof answer);
    return answer;
}

}  // namespace

std::vector<PluginDouble::Call> PluginDouble::CallsOf(CallKind kind) const
{
    std::vector<Call> found;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(found),
                 [kind](const Call& call) { return call.kind == kind; });
    return found;
}

std::vector<int> PluginDouble::Events() const
{
    std::vector<int> events;
    for (const Call& call : CallsOf(CallKind::OnEvent))
        events.push_back(call.code);
    return events;
}

std::vector<int> PluginDouble::SetParamCodes() const
{
    std::vector<int> codes;
    for (const Call& call : CallsOf(CallKind::SetParam))
        codes.push_back(call.code);
    return codes;
}

std::optional<PluginDouble::Call> PluginDouble::LastSetParam(int code) const
{
    for (auto it = m_calls.rbegin(); it != m_calls.rend(); ++it) {
        if (it->kind == CallKind::SetParam && it->code == code)
            return *it;
    }
    return std::nullopt;
}

void PluginDouble::Record(CallKind kind, int code, void* value)
{
    Call call;
    call.kind = kind;
    call.code = code;
    call.value = value;
    m_calls.push_back(std::move(call));
}

int PluginDouble::Count(CallKind kind) const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(),
                                          [kind](const Call& call) { return call.kind == kind; }));
}

void PluginDouble::Release()
{
    Record(CallKind::Release);
    if (deleteOnRelease)
        delete this;
}

void PluginDouble::ShowPanel(CWnd* parent)
{
    Record(CallKind::ShowPanel, 0, parent);
}

void PluginDouble::HidePanel()
{
    Record(CallKind::HidePanel);
}

bool PluginDouble::OnEvent(int event)
{
    Record(CallKind::OnEvent, event);
    m_lastEvent = event;
    if (onEvent)
        onEvent(event);
    const auto script = m_scripts.find(event);
    return BoolOfByte(script != m_scripts.end() ? script->second.answer : 0);
}

int PluginDouble::GetRequestCount()
{
    m_list.clear();
    const auto script = m_scripts.find(m_lastEvent);
    if (script != m_scripts.end() && !script->second.lists.empty()) {
        m_list = std::move(script->second.lists.front());
        script->second.lists.pop_front();
    }
    const int count = static_cast<int>(m_list.size());
    Record(CallKind::GetRequestCount, count);
    return count;
}

int PluginDouble::GetRequest(int index)
{
    Record(CallKind::GetRequest, index);
    return index >= 0 && index < static_cast<int>(m_list.size()) ? m_list[static_cast<std::size_t>(index)] : 0;
}

const char* PluginDouble::GetText(int request)
{
    Record(CallKind::GetText, request);
    return request == PR_UNDO_POINT && m_undoLabel ? m_undoLabel->c_str() : nullptr;
}

void PluginDouble::SetParam(int request, void* value)
{
    Call call;
    call.kind = CallKind::SetParam;
    call.code = request;
    call.value = value;
    if (value != nullptr) {
        switch (request) {
        case PR_POINT:
        case PR_PICK_POINT: {
            const auto* xyz = static_cast<const float*>(value);
            call.point = std::array<float, 3>{xyz[0], xyz[1], xyz[2]};
            break;
        }
        case PR_MATERIAL_INDEX:
            call.number = *static_cast<const int*>(value);
            break;
        case PR_FILE_PATH:
        case PR_FILE_TITLE:
            call.text = std::string(static_cast<LPCSTR>(*static_cast<const CString*>(value)));
            break;
        default:
            break;
        }
    }
    m_calls.push_back(call);
    if (onSetParam)
        onSetParam(request, value);
}

int PluginDouble::UndoAction(int param, int)
{
    Record(CallKind::UndoAction, param);
    return 1;
}

const char* PluginDouble::GetName()
{
    Record(CallKind::GetName);
    return m_name ? m_name->c_str() : nullptr;
}
