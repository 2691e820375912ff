// The frame's side of the "Materials" tab: the posted material codes, which
// keep the material list in step with the document's material array and
// re-create the material panel for the material shown.
#include "orbel/frame/MainFrm.h"

#include "orbel/frame/FrameModes.h"
#include "orbel/resources/Resource.h"

#include <model/MyOrbelDoc.h>

cMaterial* CMainFrame::MaterialAt(LPARAM index) const
{
    // Indices come from the list and from posted messages that may be stale
    // by the time they are handled; only live entries count.
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr || index < 0 || index >= document->m_Materials.GetSize())
        return nullptr;
    return document->m_Materials[static_cast<INT_PTR>(index)];
}

void CMainFrame::ShowMaterial(LPARAM index)
{
    cMaterial* material = MaterialAt(index);
    // The panel belongs under the material list, on the "Materials" tab.
    if (material == nullptr || m_MaterialList.GetSafeHwnd() == nullptr)
        return;
    CloseMaterialPanel();
    CWnd* area = m_wndToolsPanel.GetDlgItem(IDC_PLUGIN_AREA);
    if (area == nullptr || !m_MaterialPanel.CreatePanel(area))
        return;
    m_MaterialPanel.LoadMaterialToDialog(*material);

    // The area keeps its place in the tools panel and takes the panel's
    // size, plus its own borders.
    CRect panel;
    m_MaterialPanel.GetWindowRect(&panel);
    CRect outer;
    area->GetWindowRect(&outer);
    CRect inner;
    area->GetClientRect(&inner);
    m_wndToolsPanel.ScreenToClient(&outer);
    area->MoveWindow(outer.left, outer.top, panel.Width() + outer.Width() - inner.Width(),
                     panel.Height() + outer.Height() - inner.Height(), TRUE);
    area->Invalidate();
    m_MaterialPanel.ShowWindow(SW_SHOW);
}

void CMainFrame::AddMaterial()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    auto* material = new cMaterial;
    const INT_PTR index = document->m_Materials.Add(material);
    m_MaterialList.SetCurSel(m_MaterialList.AddMaterialName(material->GetName()));
    ShowMaterial(index);
}

void CMainFrame::RemoveMaterial(LPARAM index)
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr || MaterialAt(index) == nullptr)
        return;
    document->RemoveMaterial(static_cast<int>(index));
    CloseMaterialPanel();
    const int line = m_MaterialList.GetCurSel();
    if (line != -1)
        ShowMaterial(line);
    document->RedrawViews(nullptr);
}

void CMainFrame::ApplyMaterial()
{
    CMyOrbelDoc* document = GetSceneDocument();
    const int line = m_MaterialList.GetCurSel();
    cMaterial* material = MaterialAt(line);
    if (document == nullptr || material == nullptr || m_MaterialPanel.GetSafeHwnd() == nullptr)
        return;
    // Input the panel refused changed nothing: no new name, no redraw.
    if (!m_MaterialPanel.ApplyDialogToMaterial(*material))
        return;
    m_MaterialList.ReplaceMaterialName(line, material->GetName());
    document->RedrawViews(nullptr);
}

void CMainFrame::DrawMaterial()
{
    if (cMaterial* material = MaterialAt(m_MaterialList.GetCurSel()))
        m_MaterialPanel.DrawMaterialPreview(*material);
}

void CMainFrame::AssignMaterial(LPARAM index)
{
    CMyOrbelDoc* document = GetSceneDocument();
    // -1 gives the faces back their object's colour.
    if (document == nullptr || (index != -1 && MaterialAt(index) == nullptr))
        return;
    document->AssignMaterial(static_cast<int>(index), m_SelectionMode);
    document->RedrawViews(nullptr);
}

void CMainFrame::FillMaterialList()
{
    CMyOrbelDoc* document = GetSceneDocument();
    if (document == nullptr)
        return;
    for (INT_PTR i = 0; i < document->m_Materials.GetSize(); ++i)
        m_MaterialList.AddMaterialName(document->m_Materials[i]->GetName());
}

void CMainFrame::CloseMaterialPanel()
{
    if (m_MaterialPanel.GetSafeHwnd() != nullptr)
        m_MaterialPanel.DestroyWindow();
}

void CMainFrame::RefreshPanelsOfCurrentTab()
{
    if (m_CurrentTab != TabMaterials) {
        ShowSelectionInObjectPanel();
        return;
    }
    // The lines and the panel stood for materials of the old array.
    CloseMaterialPanel();
    if (m_MaterialList.GetSafeHwnd() != nullptr) {
        m_MaterialList.SendDlgItemMessage(IDC_MATERIAL_LIST, LB_RESETCONTENT);
        FillMaterialList();
    }
}
