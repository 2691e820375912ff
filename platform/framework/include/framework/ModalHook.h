// The seam through which something other than a user answers modal UI.
// Every modal of the framework (popup menus, save prompts, message boxes,
// dialogs, file and colour dialogs) first asks the installed hook, and an
// answer from it stands in for the user. The program installs none: it
// shows each modal on the desktop, and where nobody can see one (the
// toolkit's offscreen or minimal platform) a message box writes its text to
// standard error and takes its default button while every other modal is
// cancelled. The tests' scripted answers (<testsupport/ModalScript.h>) are
// one such hook.
//
// This is the layer's own seam; the framework it stands in for has none.
#pragma once

#include <win32/Types.h>

#include <functional>
#include <optional>
#include <string>

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

// Answers the modal of `kind` described by `description` (the text of a
// box, the items of a menu, a dialog's caption, a file dialog's filter), or
// declines with no answer, which lets the modal go its usual way.
using Hook = std::function<std::optional<Answer>(const std::string& kind, const std::string& description)>;

// Installs the hook; an empty one removes it. Returns the previous hook.
ORBEL_API Hook SetHook(Hook hook);
ORBEL_API bool HasHook();
// What the installed hook answers; nothing without a hook.
ORBEL_API std::optional<Answer> Ask(const std::string& kind, const std::string& description);

}  // namespace orbel::modal
