// Internal: what every standard control shares. Controls notify their parent
// the Win32 way, by WM_COMMAND and WM_NOTIFY made here by hand, only for the
// changes Windows reports; programmatic changes made through messages block
// the Qt signals that would otherwise look like user actions.
#pragma once

#include <framework/ControlStyles.h>
#include <framework/WinUser.h>

#include <QString>

#include <functional>

#include <string>

class QWidget;

namespace orbel::controls {

// WM_COMMAND (id, code) to the control's parent.
void NotifyCommand(HWND control, UINT code);
// WM_NOTIFY to the parent; hdr gets the control's handle and id filled in.
LRESULT NotifyParent(HWND control, NMHDR& hdr);

QString ToQt(const char* text);
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// WM_GETTEXT semantics: copies at most max-1 characters and terminates.
LRESULT CopyText(const std::string& text, WPARAM max, LPARAM buffer);

// The record's style bits.
DWORD StyleOf(HWND control);
// Keeps the window record's text, which GetWindowText reads, in step.
void StoreText(HWND control, const std::string& text);

// The control's widget follows the Win32 enabled flag of its own window only.
void FollowEnabledFlag(HWND control, QWidget* widget, bool initiallyEnabled);

// Runs a Qt-side reaction; exceptions stop here and are reported.
void Guard(const std::function<void()>& reaction);

// Registers every standard control class once.
void RegisterStandardControls();

// One registration function per control class.
void RegisterButtonClass();
void RegisterEditClass();
void RegisterStaticClass();
void RegisterListBoxClass();
void RegisterComboBoxClass();
void RegisterUpDownClass();
void RegisterTabControlClass();

}  // namespace orbel::controls
