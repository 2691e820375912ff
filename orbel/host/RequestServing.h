// The pull protocol from the host's side: a plug-in is told about an event,
// answers whether it wants requests served and lists them; the host serves
// the list in order. Every starter (the views' mouse events, the frame's
// notifications and posted messages, import and export) goes through these
// functions and supplies only who serves which code.
#pragma once

#include <plugins/common/Plugin.h>

#include <functional>

// Serves one request code of the plug-in whose list is being served.
using RequestServer = std::function<void(int code)>;

// How deep PR_REPEAT may nest lists of one serving before further repeats
// are ignored; a plug-in that repeats for ever must not exhaust the stack.
constexpr int kMaxRepeatNesting = 64;

// How deep servings may nest (a request whose serving sends the plug-in
// another event, as PR_NEW_OBJECT does with PE_REFRESH) before further
// events are no longer sent; a plug-in answering every refresh with a new
// object must not exhaust the stack.
constexpr int kMaxServingNesting = 64;

// Sends `event` to the plug-in; true only for an answer of exactly 1.
bool PluginAccepts(cPlugin* plugin, int event);

// Sends `event` to the plug-in. Only an answer of exactly 1 counts; then the
// request count is read once and GetRequest(0 .. count-1) is served, each
// code in index order through `serve`. Returns whether the plug-in accepted.
// Inside kMaxServingNesting servings the event is not sent and false is
// returned.
bool ServePluginEvent(cPlugin* plugin, int event, const RequestServer& serve);

// Serves the plug-in's current list once: the count read once, the codes in
// index order. The list must stay unchanged until the loop ends.
void ServeRequestList(cPlugin* plugin, const RequestServer& serve);

// The work of PR_REPEAT: SetParam(PR_REPEAT, NULL), then the rebuilt list
// through `serve`. Beyond kMaxRepeatNesting nested repeats the request is
// ignored (no SetParam, no rebuild) and false is returned.
bool ServeRepeat(cPlugin* plugin, const RequestServer& serve);

// How many PR_REPEAT lists are being served right now (0 outside a repeat).
int RepeatNestingDepth();

// How many event servings are in progress right now (0 outside serving).
int ServingNestingDepth();
