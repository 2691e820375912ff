#include "plugins/common/PluginPanel.h"

#include <plugins/common/Plugin.h>

cPluginPanel::cPluginPanel(UINT templateId, UINT statusId)
    : CDialog(templateId, nullptr), m_TemplateId(templateId), m_StatusId(statusId)
{
}

BOOL cPluginPanel::CreatePanel(CWnd* parent)
{
    const BOOL created = Create(m_TemplateId, parent);
    if (created)
        ShowWindow(SW_SHOW);
    return created;
}

void cPluginPanel::SetStatusText(LPCSTR text)
{
    if (m_StatusId == 0 || GetSafeHwnd() == nullptr)
        return;
    HWND status = ::GetDlgItem(GetSafeHwnd(), static_cast<int>(m_StatusId));
    if (status == nullptr)
        return;
    CWnd temporary;
    temporary.Attach(status);
    temporary.SetWindowText(text != nullptr ? text : "");
    temporary.Detach();
}

void cPluginPanel::OnOK()
{
}

void cPluginPanel::OnPanelAction()
{
    PostToMainFrame(PR_PANEL_ACTION, 0);
}

BOOL cPluginPanel::ReadAndPostPanelAction()
{
    if (!UpdateData(TRUE))
        return FALSE;
    return PostToMainFrame(PR_PANEL_ACTION, 0);
}

BOOL cPluginPanel::PostRunPlugin(cPlugin* plugin)
{
    return PostToMainFrame(FM_RUN_PLUGIN, reinterpret_cast<LPARAM>(plugin));
}

CWnd* cPluginPanel::GetMainFrameWindow() const
{
    // Up through parents and, for a pop-up panel, its owner.
    return GetSafeHwnd() != nullptr ? GetTopLevelParent() : nullptr;
}

BOOL cPluginPanel::PostToMainFrame(WPARAM code, LPARAM argument)
{
    CWnd* frame = GetMainFrameWindow();
    if (frame == nullptr || frame->GetSafeHwnd() == nullptr)
        return FALSE;
    return ::PostMessage(frame->GetSafeHwnd(), WM_USER, code, argument);
}

DialogTemplate MakePluginPanelTemplate(UINT id, DWORD windowStyle, short height,
                                       std::vector<DialogItemTemplate> items)
{
    DialogTemplate t;
    t.id = id;
    t.style = windowStyle | DS_MODALFRAME | DS_SHELLFONT;
    t.cx = 133;
    t.cy = height;
    t.items = std::move(items);
    return t;
}
