// Scripted answers for modal UI, for tests only. While this library is
// loaded it is the framework's modal hook (<framework/ModalHook.h>): every
// modal — popup menus, save prompts, message boxes, dialogs, file and
// colour dialogs — takes its answer from a queue of its kind instead of
// waiting for a user. A modal that finds its queue empty is a test fault:
// the unscripted handler runs (by default it prints what appeared and
// aborts, so the test fails loudly instead of hanging).
//
// Test-only, like all of testsupport: it emulates nothing, and the program
// links none of it.
#pragma once

#include <framework/ModalHook.h>

#include <functional>
#include <string>
#include <vector>

namespace orbel::modal {

struct Appearance {
    std::string kind;
    std::string description;  // the text of a box, the items of a menu, a dialog's caption
};

ORBEL_API bool IsScripted();
// Off hands the modals back to the framework (shown, or answered as where
// nobody can see them); on installs the script again.
ORBEL_API void SetScripted(bool on);
// Queues an answer for the next modal of the kind.
ORBEL_API void Push(const std::string& kind, Answer answer);
// Takes the next answer of the kind; with none queued the unscripted
// handler runs and an answer with result 0 (IDCANCEL for boxes: callers
// map 0) comes back.
ORBEL_API Answer Take(const std::string& kind, const std::string& description);
ORBEL_API std::size_t Pending(const std::string& kind);
// Every modal that appeared while scripted, oldest first.
ORBEL_API const std::vector<Appearance>& Appearances();
// Drops queued answers and the record of appearances.
ORBEL_API void Reset();

using UnscriptedHandler = std::function<void(const Appearance&)>;
// Returns the previous handler; an empty one restores the default.
ORBEL_API UnscriptedHandler SetUnscriptedHandler(UnscriptedHandler handler);

}  // namespace orbel::modal
