// The base of every plug-in's panel (each library's cDialogPlugin): a
// dialog built from the library's own template inside the tools panel,
// with an optional status line, that talks to the main frame only through
// posted WM_USER codes.
//
// Enter does nothing unless a panel says otherwise; Esc keeps the
// framework's meaning unless a panel says otherwise.
#pragma once

#include <framework/Afx.h>

#include <vector>

// Controls the code never addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

class cPlugin;

class cPluginPanel : public CDialog {
public:
    // statusId 0: the panel has no status line.
    explicit cPluginPanel(UINT templateId, UINT statusId = 0);

    // Makes the window from the template as a child or a pop-up of parent
    // (the template's style decides) and shows it.
    BOOL CreatePanel(CWnd* parent);

    // Sets the status line's text through a temporary window object, so that
    // nothing stays bound to the control. Nothing without a status line.
    void SetStatusText(LPCSTR text);

    // The panel's action: PR_PANEL_ACTION to the main frame.
    void OnPanelAction();
    // Reads the controls and posts the action only when they all read
    // cleanly; a rejected entry has already been reported to the user.
    BOOL ReadAndPostPanelAction();
    // Asks the frame to run plugin as an undoable step (FM_RUN_PLUGIN).
    BOOL PostRunPlugin(cPlugin* plugin);

    // The window WM_USER codes go to: the top-level frame around the panel.
    CWnd* GetMainFrameWindow() const;

protected:
    void OnOK() override;

private:
    BOOL PostToMainFrame(WPARAM code, LPARAM argument);

    UINT m_TemplateId;
    UINT m_StatusId;
};

// A plug-in panel's template: 133 dialog units wide, "MS Shell Dlg" 8,
// modal frame without caption, not visible; windowStyle is WS_CHILD or
// WS_POPUP.
DialogTemplate MakePluginPanelTemplate(UINT id, DWORD windowStyle, short height,
                                       std::vector<DialogItemTemplate> items);
