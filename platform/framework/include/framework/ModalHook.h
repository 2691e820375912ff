// Scripted answers for modal UI. While scripting is on (always under the
// headless "offscreen" platform, or when a test turns it on), every modal —
// popup menus, save prompts, message boxes, dialogs, file and colour
// dialogs — takes its answer from a queue of its kind instead of waiting
// for a user. A modal that finds its queue empty is a test fault: the
// unscripted handler runs (by default it prints what appeared and aborts,
// so the test fails loudly instead of hanging).
#pragma once

#include <win32/Types.h>

#include <functional>
#include <string>
#include <vector>

namespace orbel::modal {

// Kinds used by the framework. Others (e.g. "Dialog:130") are free-form.
inline constexpr const char* kPopupMenu = "PopupMenu";
inline constexpr const char* kSavePrompt = "SavePrompt";
inline constexpr const char* kMessageBox = "MessageBox";
inline constexpr const char* kFileDialog = "FileDialog";
inline constexpr const char* kColorDialog = "ColorDialog";

struct Answer {
    int result = 0;                  // ID* of a box or dialog; a popup menu's command (0: dismissed)
    std::string text;                // file dialogs: the chosen path
    COLORREF color = 0;              // colour dialogs
    int filterIndex = 0;             // file dialogs: the chosen filter entry (1-based; 0 keeps the dialog's)
    std::function<void(HWND)> act;   // dialogs: acts on the live dialog before it ends
    std::function<void(HMENU)> look; // popup menus: looks at the menu as it is shown
};

struct Appearance {
    std::string kind;
    std::string description;  // the text of a box, the items of a menu, a dialog's caption
};

ORBEL_API bool IsScripted();
ORBEL_API void SetScripted(bool on);
// Queues an answer for the next modal of the kind.
ORBEL_API void Push(const std::string& kind, Answer answer);
// Takes the next answer of the kind (modal implementations call this when
// IsScripted()); with none queued the unscripted handler runs and an
// answer with result 0 (IDCANCEL for boxes: callers map 0) comes back.
ORBEL_API Answer Take(const std::string& kind, const std::string& description);
ORBEL_API std::size_t Pending(const std::string& kind);
// Every modal that appeared while scripted, oldest first.
ORBEL_API const std::vector<Appearance>& Appearances();
// Drops queued answers and the record of appearances.
ORBEL_API void Reset();

using UnscriptedHandler = std::function<void(const Appearance&)>;
// Returns the previous handler; an empty one restores the default.
ORBEL_API UnscriptedHandler SetUnscriptedHandler(UnscriptedHandler handler);

} // namespace orbel::modal
