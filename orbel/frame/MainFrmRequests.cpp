// The frame's side of the plug-in protocol: serving request codes, the
// selection-changed and activation notifications, and dropping the tool.
#include "orbel/frame/MainFrm.h"

#include "orbel/frame/FrameModes.h"
#include "orbel/host/RequestServing.h"

#include <model/MyOrbelDoc.h>
#include <model/SelectionBounds.h>

void CMainFrame::ServeRequest(cPlugin* plugin, int code)
{
    if (plugin == nullptr)
        return;
    CMyOrbelDoc* document = GetSceneDocument();
    switch (code) {
    case PR_DEVICE:
        plugin->SetParam(PR_DEVICE, m_pDevice);
        return;
    case PR_REPEAT:
        ServeRepeat(plugin, [this, plugin](int repeated) { ServeRequest(plugin, repeated); });
        return;
    case PR_EXECUTE:
        plugin->SetParam(PR_EXECUTE, nullptr);
        return;
    case PR_SELECT_OBJECTS:
        m_SelectionMode = SelectObjects;
        return;
    case PR_SELECT_FACES:
        m_SelectionMode = SelectFaces;
        return;
    case PR_SELECT_VERTICES:
        m_SelectionMode = SelectVertices;
        return;
    default:
        break;
    }
    if (document == nullptr)
        return;

    switch (code) {
    case PR_NEW_OBJECT: {
        auto* object = new cObjekt3D;
        document->m_Selection.Clear();
        document->m_Selection.AddObject(object, TRUE);
        document->AddObject(object);
        // Delete, Join, New and Open drop the tool that still holds this
        // object, so it never writes into a freed one.
        if (plugin == m_pCurrentPlugin)
            m_HandedObjectId = object->m_Id;
        plugin->SetParam(PR_NEW_OBJECT, object);
        NotifySelectionChanged();
        break;
    }
    case PR_SELECTION:
        plugin->SetParam(PR_SELECTION, &document->m_Selection);
        break;
    case PR_CLEAR_SELECTION:
        document->m_Selection.Clear();
        break;
    case PR_NEW_MATERIAL: {
        auto* material = new cMaterial;
        document->m_Materials.Add(material);
        plugin->SetParam(PR_NEW_MATERIAL, material);
        break;
    }
    case PR_MATERIAL_INDEX: {
        int last = static_cast<int>(document->m_Materials.GetSize()) - 1;
        plugin->SetParam(PR_MATERIAL_INDEX, &last);
        break;
    }
    case PR_MATERIALS:
        plugin->SetParam(PR_MATERIALS, &document->m_Materials);
        break;
    case PR_UNDO_POINT: {
        const char* label = plugin->GetText(PR_UNDO_POINT);
        document->SaveUndoState(CString(label != nullptr ? label : ""));
        break;
    }
    default:
        break;
    }
}

BOOL CMainFrame::ServePlugin(cPlugin* plugin, int event, const OwnRequestServer& serveOwn)
{
    const bool served = ServePluginEvent(plugin, event, [this, plugin, &serveOwn](int code) {
        if (!serveOwn || !serveOwn(code))
            ServeRequest(plugin, code);
    });
    // The plug-in may have shortened objects whose faces or vertices are
    // selected.
    if (CMyOrbelDoc* document = GetSceneDocument(); served && document != nullptr)
        PruneSelection(document->m_Selection);
    return served ? TRUE : FALSE;
}

void CMainFrame::ShowSelectionInObjectPanel()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr || (m_CurrentTab != PLUGIN_CREATE && m_CurrentTab != PLUGIN_MODIFY) ||
        m_ObjectPanel.GetSafeHwnd() == nullptr)
        return;
    m_ObjectPanel.SetObjectName(document->m_Selection.GetName());
    float colour[4];
    document->m_Selection.GetColour(colour);
    m_ObjectPanel.m_Red = colour[0];
    m_ObjectPanel.m_Green = colour[1];
    m_ObjectPanel.m_Blue = colour[2];
    m_ObjectPanel.m_Alpha = colour[3];
    m_ObjectPanel.DrawColourSwatch();
}

void CMainFrame::NotifySelectionChanged()
{
    ShowSelectionInObjectPanel();
    CMyOrbelDoc* document = GetSceneDocument();
    if (m_pCurrentPlugin != nullptr)
        ServePlugin(m_pCurrentPlugin, PE_REFRESH);
    if (document != nullptr)
        document->RedrawViews(nullptr);
}

void CMainFrame::OnPluginActivated()
{
    if (m_pCurrentPlugin != nullptr)
        ServePlugin(m_pCurrentPlugin, PE_ACTIVATE);
    if (CMyOrbelDoc* document = GetSceneDocument())
        document->RedrawViews(nullptr);
}

void CMainFrame::DropCurrentPlugin()
{
    if (m_pCurrentPlugin != nullptr)
        m_pCurrentPlugin->HidePanel();
    m_pCurrentPlugin = nullptr;
    m_HandedObjectId = -1;
    ShowCurrentToolInObjectPanel();
}

void CMainFrame::ShowCurrentToolInObjectPanel()
{
    if (m_ObjectPanel.GetSafeHwnd() == nullptr || (m_CurrentTab != PLUGIN_CREATE && m_CurrentTab != PLUGIN_MODIFY))
        return;
    int line = -1;
    const PluginList& tools = m_Plugins[m_CurrentTab];
    for (INT_PTR i = 0; i < tools.GetSize(); ++i) {
        if (tools[i].plugin == m_pCurrentPlugin && m_pCurrentPlugin != nullptr)
            line = static_cast<int>(i);
    }
    m_ObjectPanel.ShowToolLine(line);
}

bool CMainFrame::HoldsObjectOf(const CList<cObjekt3D*, cObjekt3D*>& objects) const
{
    if (m_pCurrentPlugin == nullptr || m_HandedObjectId < 0)
        return false;
    for (POSITION pos = objects.GetHeadPosition(); pos != nullptr;) {
        if (objects.GetNext(pos)->m_Id == m_HandedObjectId)
            return true;
    }
    return false;
}

void CMainFrame::DropPluginIfHeldObjectGone()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (m_pCurrentPlugin != nullptr && m_HandedObjectId >= 0 &&
        (document == nullptr || document->FindObjectById(m_HandedObjectId) == nullptr))
        DropCurrentPlugin();
}

void CMainFrame::OnSceneReplaced()
{
    if (m_pCurrentPlugin != nullptr && m_HandedObjectId >= 0)
        DropCurrentPlugin();
    RefreshPanelsOfCurrentTab();
}
