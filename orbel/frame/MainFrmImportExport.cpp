// "Import..." and "Export Selected ...": a file dialog whose filter lists the
// import (export) plug-ins, then the chosen plug-in is served for PE_IMPORT
// (PE_EXPORT) with the file's path and name.
#include "orbel/frame/MainFrm.h"

#include "orbel/host/ImportExportFilter.h"

#include <model/MyOrbelDoc.h>

void CMainFrame::OnFileImport()
{
    OnImportExport(TRUE);
}

void CMainFrame::OnFileExport()
{
    OnImportExport(FALSE);
}

void CMainFrame::OnUpdateFileImport(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_Plugins[PLUGIN_IMPORT].GetSize() > 0);
}

void CMainFrame::OnUpdateFileExport(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_Plugins[PLUGIN_EXPORT].GetSize() > 0);
}

void CMainFrame::OnImportExport(BOOL import)
{
    const PluginList& plugins = m_Plugins[import ? PLUGIN_IMPORT : PLUGIN_EXPORT];
    const ImportExportFilter filter = BuildImportExportFilter(plugins);
    if (filter.Empty())
        return;

    // The save dialog accepts a new name and does not ask before replacing.
    CFileDialog dialog(import, nullptr, nullptr, OFN_FILEMUSTEXIST, filter.text, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    const int chosen = filter.PluginForFilterIndex(dialog.m_ofn.nFilterIndex);
    if (chosen < 0)
        return;
    cPlugin* plugin = plugins[chosen].plugin;
    // Both live until the plug-in's list has been served.
    CString path = dialog.GetPathName();
    CString name = dialog.GetFileName();

    ServePlugin(plugin, import ? PE_IMPORT : PE_EXPORT, [plugin, &path, &name](int code) {
        if (code == PR_FILE_PATH)
            plugin->SetParam(PR_FILE_PATH, &path);
        else if (code == PR_FILE_TITLE)
            plugin->SetParam(PR_FILE_TITLE, &name);
        else
            return false;
        return true;
    });
    if (CMyOrbelDoc* document = GetSceneDocument())
        document->RedrawViews(nullptr);
}
