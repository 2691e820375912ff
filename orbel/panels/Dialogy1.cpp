#include "orbel/panels/Dialogy1.h"

#include "orbel/resources/Resource.h"

namespace {

// Texts the selection shows when there is no single object to rename.
bool IsPlaceholderName(LPCSTR name)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(name),
                   reinterpret_cast<const unsigned char*>("None Selected")) == 0 ||
           _mbscmp(reinterpret_cast<const unsigned char*>(name),
                   reinterpret_cast<const unsigned char*>("Multiple Selection")) == 0;
}

// How far the tools list drops down below its closed height, in pixels.
constexpr int kDropDownExtra = 130;

}  // namespace

cDialogy1::cDialogy1()
    : CDialog(IDD_OBJECT_PANEL, nullptr)
{
}

BOOL cDialogy1::CreatePanel(CWnd* parent)
{
    return Create(IDD_OBJECT_PANEL, parent);
}

BOOL cDialogy1::OnInitDialog()
{
    if (CWnd* tools = GetDlgItem(IDC_TOOL_LIST)) {
        CRect area;
        tools->GetWindowRect(&area);
        ScreenToClient(&area);
        area.bottom += kDropDownExtra;
        tools->MoveWindow(&area, TRUE);
    }
    if (CWnd* name = GetDlgItem(IDC_OBJECT_NAME)) {
        name->EnableWindow(FALSE);
        name->SetWindowText("None Selected");
    }
    return TRUE;
}

void cDialogy1::OnCancel()
{
    // Esc must not close a panel that lives inside the tools panel.
}

void cDialogy1::AddToolName(LPCSTR name)
{
    SendDlgItemMessage(IDC_TOOL_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name != nullptr ? name : ""));
}

CString cDialogy1::GetObjectName() const
{
    CString text;
    if (CWnd* name = GetDlgItem(IDC_OBJECT_NAME))
        name->GetWindowText(text);
    return text;
}

void cDialogy1::SetObjectName(LPCSTR text)
{
    CWnd* name = GetDlgItem(IDC_OBJECT_NAME);
    if (name == nullptr)
        return;
    name->EnableWindow(TRUE);
    name->SetWindowText(text);
    if (IsPlaceholderName(text))
        name->EnableWindow(FALSE);
}
