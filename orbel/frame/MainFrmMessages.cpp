// The frame's one handler of the WM_USER codes the panels and plug-ins post.
// Posting means each action runs after the control notification that caused
// it has finished.
#include "orbel/frame/MainFrm.h"

#include "orbel/frame/FrameModes.h"
#include "orbel/resources/Resource.h"

#include <model/MyOrbelDoc.h>

LRESULT CMainFrame::OnPanelMessage(WPARAM code, LPARAM argument)
{
    switch (code) {
    case FM_ACTIVATE_TOOL:
        ActivateTool(argument);
        break;
    case FM_RENAME:
        RenameSelection();
        break;
    case FM_SHOW_MATERIAL:
        ShowMaterial(argument);
        break;
    case FM_ADD_MATERIAL:
        AddMaterial();
        break;
    case FM_REMOVE_MATERIAL:
        RemoveMaterial(argument);
        break;
    case FM_APPLY_MATERIAL:
        ApplyMaterial();
        break;
    case FM_DRAW_MATERIAL:
        DrawMaterial();
        break;
    case FM_ASSIGN_MATERIAL:
        AssignMaterial(argument);
        break;
    case FM_SET_COLOUR:
        SetSelectionColour();
        break;
    case FM_RUN_PLUGIN:
        RunPlugin(argument);
        break;
    case PR_PANEL_ACTION:
        RunPanelAction();
        break;
    default:
        break;
    }
    return 1;
}

void CMainFrame::ActivateTool(LPARAM index)
{
    if (m_CurrentTab != PLUGIN_CREATE && m_CurrentTab != PLUGIN_MODIFY)
        return;
    PluginList& tools = m_Plugins[m_CurrentTab];
    if (index < 0 || index >= tools.GetSize())
        return;
    // Choosing the current tool again hides and shows its panel again.
    DropCurrentPlugin();
    m_ViewMode = ViewModeNone;
    m_TransformMode = TransformSelect;
    cPlugin* tool = tools[index].plugin;
    CWnd* toolArea = m_wndToolsPanel.GetDlgItem(IDC_PLUGIN_AREA);
    tool->ShowPanel(toolArea);
    if (toolArea != nullptr)
        toolArea->EnableWindow(FALSE);
    m_pCurrentPlugin = tool;
    ShowCurrentToolInObjectPanel();
    OnPluginActivated();
}

void CMainFrame::RenameSelection()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    document->m_Selection.SetName(m_ObjectPanel.GetObjectName());
    // Not an undo step, but a change the user must be asked to save.
    if (!document->m_Selection.m_Objects.IsEmpty())
        document->SetModifiedFlag(TRUE);
}

void CMainFrame::SetSelectionColour()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    float colour[4];
    m_ObjectPanel.GetColour(colour);
    document->m_Selection.SetColour(colour[0], colour[1], colour[2], colour[3]);
    NotifySelectionChanged();
    document->RedrawViews(nullptr);
}

cPlugin* CMainFrame::FindLoadedPlugin(LPARAM argument) const
{
    // A posted pointer is only compared, never followed, until it is known
    // to be the object of a loaded plug-in.
    for (const PluginList& list : m_Plugins) {
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            if (reinterpret_cast<LPARAM>(list[i].plugin) == argument)
                return list[i].plugin;
        }
    }
    return nullptr;
}

void CMainFrame::RunPlugin(LPARAM argument)
{
    cPlugin* plugin = FindLoadedPlugin(argument);
    if (plugin == nullptr)
        return;
    if (!ServePlugin(plugin, PE_EXECUTE))
        return;
    if (CMyOrbelDoc* document = GetSceneDocument())
        document->RedrawViews(nullptr);
}

void CMainFrame::RunPanelAction()
{
    if (m_pCurrentPlugin == nullptr)
        return;
    m_pCurrentPlugin->SetParam(PR_PANEL_ACTION, nullptr);
    if (CMyOrbelDoc* document = GetSceneDocument())
        document->RedrawViews(nullptr);
}
