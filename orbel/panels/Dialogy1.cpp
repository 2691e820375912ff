#include "orbel/panels/Dialogy1.h"

#include "orbel/panels/PanelSupport.h"
#include "orbel/resources/Resource.h"

#include <plugins/common/Plugin.h>

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

IMPLEMENT_DYNAMIC(cDialogy1, CDialog)

BEGIN_MESSAGE_MAP(cDialogy1, CDialog)
    ON_WM_DRAWITEM()
    ON_CBN_SELENDOK(IDC_TOOL_LIST, OnToolSelected)
    ON_EN_CHANGE(IDC_OBJECT_NAME, OnNameChanged)
    ON_BN_CLICKED(IDC_COLOUR_SWATCH, OnColourButton)
END_MESSAGE_MAP()

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

void cDialogy1::OnOK()
{
    // The panel lives inside the tools panel and never closes; whether the
    // text changed is not asked.
    CWnd* name = GetDlgItem(IDC_OBJECT_NAME);
    if (name != nullptr && name->IsWindowEnabled())
        PostToFrame(FM_RENAME, 0);
}

void cDialogy1::OnCancel()
{
    // Esc must not close a panel that lives inside the tools panel.
}

void cDialogy1::OnNameChanged()
{
    // Typing alone renames nothing; Enter does.
}

void cDialogy1::AddToolName(LPCSTR name)
{
    SendDlgItemMessage(IDC_TOOL_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name != nullptr ? name : ""));
}

void cDialogy1::ShowToolLine(int line)
{
    SendDlgItemMessage(IDC_TOOL_LIST, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
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

void cDialogy1::GetColour(float colour[4]) const
{
    colour[0] = m_Red;
    colour[1] = m_Green;
    colour[2] = m_Blue;
    colour[3] = m_Alpha;
}

COLORREF cDialogy1::SwatchColour() const
{
    return ::SwatchColour(m_Red, m_Green, m_Blue);
}

void cDialogy1::OnToolSelected()
{
    const LRESULT line = SendDlgItemMessage(IDC_TOOL_LIST, CB_GETCURSEL, 0, 0);
    PostToFrame(FM_ACTIVATE_TOOL, static_cast<LPARAM>(line));
}

void cDialogy1::OnColourButton()
{
    CColorDialog dialog(SwatchColour(), CC_FULLOPEN, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    const COLORREF chosen = dialog.GetColor();
    m_Red = GetRValue(chosen);
    m_Green = GetGValue(chosen);
    m_Blue = GetBValue(chosen);
    // The frame colours the selection and writes its colour back here.
    PostToFrame(FM_SET_COLOUR, 0);
}

void cDialogy1::OnDrawItem(int controlId, LPDRAWITEMSTRUCT drawItem)
{
    if (controlId == IDC_COLOUR_SWATCH)
        DrawColourSwatch();
    CDialog::OnDrawItem(controlId, drawItem);
}

void cDialogy1::DrawColourSwatch()
{
    PaintSwatch(GetDlgItem(IDC_COLOUR_SWATCH), SwatchColour());
}

void cDialogy1::PostToFrame(WPARAM code, LPARAM value)
{
    PostToMainFrame(*this, code, value);
}
