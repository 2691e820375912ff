// Hooks that let tests drive the program headless: the Qt application,
// run-until-idle, input injection through the same path real input takes,
// reading back a window's image, scripted modals and recorded waits.
//
// Test-only, like all of testsupport: it emulates nothing, and the program
// links none of it.
#pragma once

#include <framework/Afx.h>
#include <testsupport/ModalScript.h>

#include <functional>
#include <string>
#include <vector>

namespace orbel::test {

// Makes the Qt application (offscreen unless QT_QPA_PLATFORM says
// otherwise) and turns modal scripting on. Safe to call repeatedly.
ORBEL_API void EnsureApplication();

// The arguments CWinApp::ParseCommandLine reads (the program's, after its
// name), as if the program had been started with them.
ORBEL_API void SetProgramArguments(std::vector<std::string> arguments);

// Delivers everything pending: Qt events, posted messages, WM_PAINTs and
// the idle work, until nothing is left.
ORBEL_API void RunUntilIdle();

// ---- input; points are in the window's client coordinates ----
enum class Button { Left, Right, Middle };
// MK_SHIFT / MK_CONTROL in modifiers.
ORBEL_API void MouseDown(HWND hWnd, Button button, POINT point, UINT modifiers = 0);
ORBEL_API void MouseUp(HWND hWnd, Button button, POINT point, UINT modifiers = 0);
ORBEL_API void MouseMove(HWND hWnd, POINT point, UINT modifiers = 0);
ORBEL_API void Click(HWND hWnd, Button button, POINT point, UINT modifiers = 0);
// delta in WHEEL_DELTA units (120 per notch), over the given window.
ORBEL_API void Wheel(HWND hWnd, int delta, POINT point, UINT modifiers = 0);
// A key on whatever window has the focus (VK_* codes; letters 'A'..'Z').
ORBEL_API void KeyDown(UINT vk, UINT modifiers = 0);
ORBEL_API void KeyUp(UINT vk, UINT modifiers = 0);
ORBEL_API void PressKey(UINT vk, UINT modifiers = 0);
// Types text into the focus window (key presses with characters).
ORBEL_API void TypeText(const std::string& text);
ORBEL_API void Focus(HWND hWnd);
// Drops files (native or "\" paths) on a window, as a file manager would.
ORBEL_API void DropFiles(HWND hWnd, const std::vector<std::string>& paths, POINT point = {1, 1});

// Live top-level windows owned by `owner` (pop-up dialogs made for one of
// its children, say), in creation order.
ORBEL_API std::vector<HWND> OwnedWindows(HWND owner);

// ---- images ----
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // RGB() values, rows top first
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
// The client area of a window's retained image (what the screen shows).
ORBEL_API Image ReadWindowImage(HWND hWnd);
// The tool tip the window shows when the mouse rests on it ("" for none).
ORBEL_API std::string ToolTipOf(HWND hWnd);
// How many WM_PAINT messages the window has received.
ORBEL_API int PaintCount(HWND hWnd);

// ---- scripted modals (see <testsupport/ModalScript.h>) ----
// The next popup menu picks this command (0: dismissed); `look` sees the
// menu with its check marks and greyed items as it is shown.
ORBEL_API void ScriptPopupMenu(UINT command, std::function<void(HMENU)> look = {});
// The next "Save changes" prompt answers IDYES, IDNO or IDCANCEL.
ORBEL_API void ScriptSavePrompt(int answer);

// ---- waits ----
// Records every Sleep instead of waiting, while it lives.
class ORBEL_API SleepRecorder {
public:
    SleepRecorder();
    ~SleepRecorder();
    SleepRecorder(const SleepRecorder&) = delete;
    SleepRecorder& operator=(const SleepRecorder&) = delete;
    const std::vector<DWORD>& Waits() const { return m_waits; }

private:
    std::vector<DWORD> m_waits;
    std::function<void(DWORD)> m_previous;
};

// A temporary folder used as $XDG_CONFIG_HOME, $XDG_DATA_HOME and
// $XDG_CACHE_HOME while it lives, so profile, desktop registration and the
// per-user work folders never touch the real home.
class ORBEL_API TemporaryUserFolders {
public:
    TemporaryUserFolders();
    ~TemporaryUserFolders();
    TemporaryUserFolders(const TemporaryUserFolders&) = delete;
    TemporaryUserFolders& operator=(const TemporaryUserFolders&) = delete;
    const std::string& Root() const { return m_root; }
    std::string ConfigHome() const { return m_root + "/config"; }
    std::string DataHome() const { return m_root + "/data"; }
    std::string CacheHome() const { return m_root + "/cache"; }

private:
    std::string m_root;
    std::string m_oldConfig, m_oldData, m_oldCache;
    bool m_hadConfig = false, m_hadData = false, m_hadCache = false;
};

} // namespace orbel::test
