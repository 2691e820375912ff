#include "orbel/panels/DialogMtr.h"

#include "orbel/panels/PanelSupport.h"
#include "orbel/resources/Resource.h"

#include <model/Material.h>
#include <plugins/common/Plugin.h>

#include <cmath>
#include <limits>

namespace {

constexpr float kByteToComponent = 0.003921569f;  // 1 / 255 as the colours use it
constexpr float kPercentToComponent = 0.01f;
constexpr int kSpinLowest = 0;
constexpr int kSpinHighest = 100;
// Posted to the panel itself right behind an apply: once it arrives the
// frame has had that apply.
constexpr UINT kApplyDelivered = WM_APP + 1;

constexpr char kTextureFilter[] =
    "All Formats |*.bmp;*.jpg;*.tga|JPEG File (*.jpg)|*.jpg|BMP Image File (*.bmp)|*.bmp|"
    "Targa Image File (*.tga)|*.tga|All Files (*.*)|*.*||";

// Truncation toward zero that stays defined for whatever a file held.
int TruncatedInt(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<float>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<float>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

void LoadColour(const D3DCOLORVALUE& from, float colour[3], int& alpha)
{
    colour[0] = from.r * 255.0f;
    colour[1] = from.g * 255.0f;
    colour[2] = from.b * 255.0f;
    alpha = TruncatedInt(from.a * 100.0f);
}

void ApplyColour(const float colour[3], int alpha, D3DCOLORVALUE& to)
{
    to.r = colour[0] * kByteToComponent;
    to.g = colour[1] * kByteToComponent;
    to.b = colour[2] * kByteToComponent;
    to.a = static_cast<float>(alpha) * kPercentToComponent;
}

// Sets a flag for as long as it lives, restoring the old value after.
class FlagScope {
public:
    explicit FlagScope(bool& flag)
        : flag_(flag), previous_(flag)
    {
        flag_ = true;
    }
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace

IMPLEMENT_DYNAMIC(cDialogMtr, CDialog)

BEGIN_MESSAGE_MAP(cDialogMtr, CDialog)
    ON_EN_CHANGE(IDC_MATERIAL_NAME, OnValueChanged)
    ON_WM_DRAWITEM()
    ON_BN_CLICKED(IDC_AMBIENT_SWATCH, OnAmbientColour)
    ON_BN_CLICKED(IDC_DIFFUSE_SWATCH, OnDiffuseColour)
    ON_BN_CLICKED(IDC_SPECULAR_SWATCH, OnSpecularColour)
    ON_BN_CLICKED(IDC_EMISSIVE_SWATCH, OnEmissiveColour)
    ON_EN_CHANGE(IDC_AMBIENT_ALPHA, OnValueChanged)
    ON_EN_CHANGE(IDC_DIFFUSE_ALPHA, OnValueChanged)
    ON_EN_CHANGE(IDC_SPECULAR_ALPHA, OnValueChanged)
    ON_EN_CHANGE(IDC_EMISSIVE_ALPHA, OnValueChanged)
    ON_EN_CHANGE(IDC_MATERIAL_POWER, OnValueChanged)
    ON_BN_CLICKED(IDC_TEXTURE_BROWSE, OnTextureBrowse)
    ON_BN_CLICKED(IDC_TEXTURE_NONE, OnTextureNone)
    ON_MESSAGE(kApplyDelivered, OnApplyDelivered)
END_MESSAGE_MAP()

cDialogMtr::cDialogMtr()
    : CDialog(IDD_MATERIAL_PANEL, nullptr)
{
}

BOOL cDialogMtr::CreatePanel(CWnd* parent)
{
    return Create(IDD_MATERIAL_PANEL, parent);
}

void cDialogMtr::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MATERIAL_NAME, m_Name);
    DDX_Text(pDX, IDC_AMBIENT_ALPHA, m_AmbientAlpha);
    DDV_MinMaxInt(pDX, m_AmbientAlpha, 0, 100);
    DDX_Control(pDX, IDC_AMBIENT_ALPHA_SPIN, m_AmbientAlphaSpin);
    DDX_Text(pDX, IDC_DIFFUSE_ALPHA, m_DiffuseAlpha);
    DDV_MinMaxInt(pDX, m_DiffuseAlpha, 0, 100);
    DDX_Control(pDX, IDC_DIFFUSE_ALPHA_SPIN, m_DiffuseAlphaSpin);
    DDX_Text(pDX, IDC_SPECULAR_ALPHA, m_SpecularAlpha);
    DDV_MinMaxInt(pDX, m_SpecularAlpha, 0, 100);
    DDX_Control(pDX, IDC_SPECULAR_ALPHA_SPIN, m_SpecularAlphaSpin);
    DDX_Text(pDX, IDC_EMISSIVE_ALPHA, m_EmissiveAlpha);
    DDV_MinMaxInt(pDX, m_EmissiveAlpha, 0, 100);
    DDX_Control(pDX, IDC_EMISSIVE_ALPHA_SPIN, m_EmissiveAlphaSpin);
    DDX_Text(pDX, IDC_MATERIAL_POWER, m_Power);
    DDV_MinMaxInt(pDX, m_Power, 0, 500);
    DDX_Control(pDX, IDC_MATERIAL_POWER_SPIN, m_PowerSpin);
}

BOOL cDialogMtr::OnInitDialog()
{
    FlagScope writing(m_WritingControls);
    m_ApplyWaiting = false;
    CDialog::OnInitDialog();
    // The power's arrows stop at 100 like the alphas'; typed powers up to
    // 500 still pass the check.
    for (int spin : {IDC_AMBIENT_ALPHA_SPIN, IDC_DIFFUSE_ALPHA_SPIN, IDC_SPECULAR_ALPHA_SPIN, IDC_EMISSIVE_ALPHA_SPIN,
                     IDC_MATERIAL_POWER_SPIN})
        SendDlgItemMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(kSpinHighest, kSpinLowest));
    return TRUE;
}

void cDialogMtr::OnOK() {}

void cDialogMtr::OnCancel() {}

void cDialogMtr::LoadMaterialToDialog(const cMaterial& material)
{
    m_Name = material.GetName();
    if (const D3DMATERIAL8* record = material.m_pMaterial) {
        LoadColour(record->Ambient, m_Ambient, m_AmbientAlpha);
        LoadColour(record->Diffuse, m_Diffuse, m_DiffuseAlpha);
        LoadColour(record->Specular, m_Specular, m_SpecularAlpha);
        LoadColour(record->Emissive, m_Emissive, m_EmissiveAlpha);
        m_Power = TruncatedInt(record->Power);
    }
    m_TexturePath = material.GetTexturePath();
    m_TextureName = material.GetTextureName();
    {
        // The edits' EN_CHANGE here is the program's writing, not an edit:
        // applying it back would round the material to what the panel shows.
        FlagScope writing(m_WritingControls);
        UpdateData(FALSE);
    }
    PostToFrame(FM_DRAW_MATERIAL);
}

BOOL cDialogMtr::ApplyDialogToMaterial(cMaterial& material)
{
    const CString name = m_Name;
    const int alphas[4] = {m_AmbientAlpha, m_DiffuseAlpha, m_SpecularAlpha, m_EmissiveAlpha};
    const int power = m_Power;
    if (!UpdateData(TRUE)) {
        // The user was told what is wrong; the material keeps its values
        // and the fields the last ones that were good.
        m_Name = name;
        m_AmbientAlpha = alphas[0];
        m_DiffuseAlpha = alphas[1];
        m_SpecularAlpha = alphas[2];
        m_EmissiveAlpha = alphas[3];
        m_Power = power;
        return FALSE;
    }

    material.SetName(m_Name);
    if (D3DMATERIAL8* record = material.m_pMaterial) {
        ApplyColour(m_Ambient, m_AmbientAlpha, record->Ambient);
        ApplyColour(m_Diffuse, m_DiffuseAlpha, record->Diffuse);
        ApplyColour(m_Specular, m_SpecularAlpha, record->Specular);
        ApplyColour(m_Emissive, m_EmissiveAlpha, record->Emissive);
        record->Power = static_cast<float>(m_Power);
    }
    material.SetTexture(m_TexturePath, m_TextureName, m_pDevice);
    PostToFrame(FM_DRAW_MATERIAL);
    return TRUE;
}

void cDialogMtr::OnValueChanged()
{
    if (!m_WritingControls)
        PostApply();
}

void cDialogMtr::OnDrawItem(int controlId, LPDRAWITEMSTRUCT drawItem)
{
    // The frame paints these with the material selected in the list.
    switch (controlId) {
    case IDC_MATERIAL_PREVIEW:
    case IDC_AMBIENT_SWATCH:
    case IDC_DIFFUSE_SWATCH:
    case IDC_SPECULAR_SWATCH:
    case IDC_EMISSIVE_SWATCH:
        PostToFrame(FM_DRAW_MATERIAL);
        break;
    default:
        break;
    }
    CDialog::OnDrawItem(controlId, drawItem);
}

void cDialogMtr::OnAmbientColour()
{
    ChooseColour(m_Ambient);
}

void cDialogMtr::OnDiffuseColour()
{
    ChooseColour(m_Diffuse);
}

void cDialogMtr::OnSpecularColour()
{
    ChooseColour(m_Specular);
}

void cDialogMtr::OnEmissiveColour()
{
    ChooseColour(m_Emissive);
}

void cDialogMtr::ChooseColour(float colour[3])
{
    CColorDialog dialog(SwatchColour(colour[0], colour[1], colour[2]), CC_FULLOPEN, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    const COLORREF chosen = dialog.GetColor();
    colour[0] = GetRValue(chosen);
    colour[1] = GetGValue(chosen);
    colour[2] = GetBValue(chosen);
    PostApply();
}

void cDialogMtr::OnTextureBrowse()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kTextureFilter, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    m_TexturePath = dialog.GetPathName();
    m_TextureName = dialog.GetFileName();
    PostApply();
}

void cDialogMtr::OnTextureNone()
{
    m_TexturePath.Empty();
    m_TextureName.Empty();
    PostApply();
}

void cDialogMtr::PostApply()
{
    // The frame's apply reads every field as it then stands, so changes made
    // before it runs need no apply of their own; each would refuse a bad
    // number again, with a message box of its own.
    if (m_ApplyWaiting || GetSafeHwnd() == nullptr)
        return;
    PostToFrame(FM_APPLY_MATERIAL);
    m_ApplyWaiting = PostMessage(kApplyDelivered) != FALSE;
}

LRESULT cDialogMtr::OnApplyDelivered(WPARAM, LPARAM)
{
    m_ApplyWaiting = false;
    return 0;
}

void cDialogMtr::PostToFrame(WPARAM code)
{
    if (GetSafeHwnd() != nullptr)
        PostToMainFrame(*this, code, 0);
}
