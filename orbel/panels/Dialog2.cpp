#include "orbel/panels/Dialog2.h"

#include "orbel/panels/PanelSupport.h"
#include "orbel/resources/Resource.h"

#include <plugins/common/Plugin.h>

IMPLEMENT_DYNAMIC(cDialog2, CDialog)

BEGIN_MESSAGE_MAP(cDialog2, CDialog)
    ON_BN_CLICKED(IDC_ADD_MATERIAL, OnAdd)
    ON_LBN_SELCHANGE(IDC_MATERIAL_LIST, OnSelChangeList)
    ON_BN_CLICKED(IDC_REMOVE_MATERIAL, OnRemove)
    ON_BN_CLICKED(IDC_ASSIGN_MATERIAL, OnAssign)
END_MESSAGE_MAP()

cDialog2::cDialog2()
    : CDialog(IDD_MATERIAL_LIST, nullptr)
{
}

BOOL cDialog2::CreatePanel(CWnd* parent)
{
    return Create(IDD_MATERIAL_LIST, parent);
}

void cDialog2::OnOK() {}

void cDialog2::OnCancel() {}

LRESULT cDialog2::SendToList(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (GetSafeHwnd() == nullptr)
        return LB_ERR;
    return SendDlgItemMessage(IDC_MATERIAL_LIST, message, wParam, lParam);
}

int cDialog2::AddMaterialName(LPCSTR text)
{
    return static_cast<int>(SendToList(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : "")));
}

void cDialog2::ReplaceMaterialName(int index, LPCSTR text)
{
    SendToList(LB_DELETESTRING, static_cast<WPARAM>(index));
    SendToList(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
    SendToList(LB_SETCURSEL, static_cast<WPARAM>(index));
}

int cDialog2::GetCurSel()
{
    const auto line = static_cast<int>(SendToList(LB_GETCURSEL));
    if (line < 0)
        return -1;
    SendToList(LB_SETCURSEL, static_cast<WPARAM>(line));
    return line;
}

void cDialog2::SetCurSel(int index)
{
    SendToList(LB_SETCURSEL, static_cast<WPARAM>(index));
}

int cDialog2::GetLineCount() const
{
    const auto count = static_cast<int>(SendToList(LB_GETCOUNT));
    return count < 0 ? 0 : count;
}

void cDialog2::OnAdd()
{
    PostToMainFrame(*this, FM_ADD_MATERIAL, 0);
}

void cDialog2::OnSelChangeList()
{
    PostToMainFrame(*this, FM_SHOW_MATERIAL, static_cast<LPARAM>(SendToList(LB_GETCURSEL)));
}

void cDialog2::OnRemove()
{
    const auto line = static_cast<int>(SendToList(LB_GETCURSEL));
    if (line < 0)
        return;
    SendToList(LB_DELETESTRING, static_cast<WPARAM>(line));
    // Line 0 leaves no line selected: -1 clears the selection.
    SendToList(LB_SETCURSEL, static_cast<WPARAM>(line - 1));
    PostToMainFrame(*this, FM_REMOVE_MATERIAL, line);
}

void cDialog2::OnAssign()
{
    const auto line = static_cast<int>(SendToList(LB_GETCURSEL));
    if (line >= 0)
        PostToMainFrame(*this, FM_ASSIGN_MATERIAL, line);
}
