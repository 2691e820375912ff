#include "orbel/frame/MainFrm.h"
#include "orbel/panels/DialogRender.h"
#include "orbel/panels/OptionsDialog.h"
#include "orbel/views/MyOrbelView.h"

#include <model/ColourScale.h>
#include <model/MyOrbelDoc.h>
#include <model/WorkFolders.h>

#include <memory>

namespace {

constexpr DWORD kSceneLight = 0;

void RedrawAllViews(CMyOrbelDoc* document)
{
    if (document != nullptr)
        document->RedrawViews();
}

}  // namespace

void CMainFrame::OnRender()
{
    // A name typed without a folder lands in "Images" (the user's own where
    // the program's cannot be written).
    ::SetCurrentDirectoryA(m_ProgramDir);
    ::SetCurrentDirectoryA(RenderFolderOf(m_ProgramDir));

    // A new dialog each time: every use starts from an empty name and 800 x 600.
    auto dialog = std::make_unique<cDialogRender>();
    bool failed = false;
    CString fileName;
    if (dialog->DoModal() == IDOK) {
        fileName = dialog->m_FileName;
        auto* view = dynamic_cast<CMyOrbelView*>(GetActiveView());
        failed = view == nullptr || !view->RenderToFile(fileName, dialog->m_Width, dialog->m_Height);
    }
    dialog.reset();
    RedrawAllViews(GetSceneDocument());
    if (failed)
        MessageBox("The image \"" + fileName + "\" could not be written.", "Render", MB_ICONEXCLAMATION | MB_OK);
    ::SetCurrentDirectoryA(m_ProgramDir);
}

void CMainFrame::OnOptions()
{
    if (m_pDevice == nullptr)
        return;
    D3DLIGHT8 light{};
    m_pDevice->GetLight(kSceneLight, &light);

    auto dialog = std::make_unique<cOptionsDialog>();
    dialog->m_Red = UnitToByte(light.Diffuse.r);
    dialog->m_Green = UnitToByte(light.Diffuse.g);
    dialog->m_Blue = UnitToByte(light.Diffuse.b);
    if (dialog->DoModal() == IDOK) {
        light.Diffuse.r = ByteToUnit(dialog->m_Red);
        light.Diffuse.g = ByteToUnit(dialog->m_Green);
        light.Diffuse.b = ByteToUnit(dialog->m_Blue);
        m_pDevice->SetLight(kSceneLight, &light);
    }
    dialog.reset();
    RedrawAllViews(GetSceneDocument());
}
