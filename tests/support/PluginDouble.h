// A plug-in object for tests: it answers events and request lists from a
// script and records every call the host makes, with copies of the values
// that live only for the call (points, indices, file names).
//
//   PluginDouble tool("Sphere");
//   tool.Accept(PE_LBUTTONDOWN, {{PR_UNDO_POINT, PR_POINT, PR_NEW_OBJECT}});
//   ... drive the host ...
//   EXPECT_EQ(tool.SetParamCodes(), (std::vector<int>{PR_POINT, PR_NEW_OBJECT}));
#pragma once

#include <framework/Afx.h>
#include <plugins/common/Plugin.h>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class PluginDouble : public cPlugin {
public:
    enum class CallKind { Release, ShowPanel, HidePanel, OnEvent, GetRequestCount, GetRequest, GetText, SetParam,
                          UndoAction, GetName };

    struct Call {
        CallKind kind = CallKind::Release;
        int code = 0;         // event, request code, index or count, by kind
        void* value = nullptr;  // SetParam's value, ShowPanel's parent
        // Copies taken during SetParam: PR_POINT / PR_PICK_POINT points,
        // PR_MATERIAL_INDEX, PR_FILE_PATH / PR_FILE_TITLE texts.
        std::optional<std::array<float, 3>> point;
        std::optional<int> number;
        std::optional<std::string> text;
    };

    // name may be null: GetName then answers null.
    explicit PluginDouble(const char* name = "Plugin Double");

    // The plug-in accepts `event`; each GetRequestCount after it takes the
    // next list (an empty one when the lists are used up). Without a call for
    // an event, the event is refused.
    void Accept(int event, std::vector<std::vector<int>> lists = {});
    // OnEvent(event) answers with exactly that byte in its bool, as a
    // plug-in built elsewhere may (only 1 asks for serving); the event's
    // lists stay as Accept set them.
    void AnswerWithByte(int event, unsigned char byte);
    // GetText(PR_UNDO_POINT); null when not set.
    void SetUndoLabel(std::optional<std::string> label) { m_undoLabel = std::move(label); }
    // Runs inside SetParam, after the call was recorded.
    std::function<void(int code, void* value)> onSetParam;
    // Runs inside OnEvent, after the call was recorded.
    std::function<void(int event)> onEvent;
    // With true, Release deletes the object as a real plug-in does (for
    // doubles handed to a host that ends them).
    bool deleteOnRelease = false;

    // ---- what the host did ----
    const std::vector<Call>& Calls() const { return m_calls; }
    std::vector<Call> CallsOf(CallKind kind) const;
    std::vector<int> Events() const;
    std::vector<int> SetParamCodes() const;
    // The last SetParam call with that code, if any.
    std::optional<Call> LastSetParam(int code) const;
    int Count(CallKind kind) const;
    void ClearCalls() { m_calls.clear(); }

    // ---- cPlugin ----
    void Release() override;
    void ShowPanel(CWnd* parent) override;
    void HidePanel() override;
    bool OnEvent(int event) override;
    int GetRequestCount() override;
    int GetRequest(int index) override;
    const char* GetText(int request) override;
    void SetParam(int request, void* value) override;
    int UndoAction(int param, int discard) override;
    const char* GetName() override;

private:
    void Record(CallKind kind, int code = 0, void* value = nullptr);

    struct EventScript {
        unsigned char answer = 0;
        std::deque<std::vector<int>> lists;
    };

    std::optional<std::string> m_name;
    std::optional<std::string> m_undoLabel;
    std::map<int, EventScript> m_scripts;
    int m_lastEvent = 0;
    std::vector<int> m_list;
    std::vector<Call> m_calls;
};
