// The material panel of the "Materials" tab: one material's name, its four
// colours as owner-drawn swatches that open a colour dialog, the alpha of
// each colour in percent, the specular power, the texture image, and a lit
// preview sphere drawn with the frame's Direct3D device.
//
// The panel changes no material by itself: every edit posts
// FM_APPLY_MATERIAL and every swatch paint FM_DRAW_MATERIAL to the main
// frame, which answers with ApplyDialogToMaterial and DrawMaterialPreview on
// the material selected in the list. Edits made before the frame gets to an
// apply share it, so one refused number gives one message. Loading a
// material into the panel posts no apply, so merely looking at a material
// never rewrites it.
#pragma once

#include <framework/Afx.h>

#include <d3d8/D3D8.h>

class cMaterial;
struct ID3DXMesh;

class cDialogMtr : public CDialog {
    DECLARE_DYNAMIC(cDialogMtr)

public:
    cDialogMtr();
    ~cDialogMtr() override;
    cDialogMtr(const cDialogMtr&) = delete;
    cDialogMtr& operator=(const cDialogMtr&) = delete;

    // The frame keeps one panel for its whole life and re-creates only its
    // window for each material shown.
    BOOL CreatePanel(CWnd* parent);

    // Keeps the device (not owned) and builds the preview sphere once; a
    // failure leaves the panel without preview.
    void MakePreviewSphere(IDirect3DDevice8* device);
    // Material -> fields -> controls; posts FM_DRAW_MATERIAL.
    void LoadMaterialToDialog(const cMaterial& material);
    // Controls -> fields -> material; posts FM_DRAW_MATERIAL. Input the
    // exchange rejects (with the framework's message) writes nothing to the
    // material and returns FALSE; the fields keep their last good values.
    BOOL ApplyDialogToMaterial(cMaterial& material);
    // The texture button's text, the four swatches and the preview sphere.
    void DrawMaterialPreview(const cMaterial& material);

    CString m_Name;
    int m_AmbientAlpha = 0;  // percent, 0..100
    int m_DiffuseAlpha = 0;
    int m_SpecularAlpha = 0;
    int m_EmissiveAlpha = 0;
    int m_Power = 0;  // 0..500
    CSpinButtonCtrl m_AmbientAlphaSpin;
    CSpinButtonCtrl m_DiffuseAlphaSpin;
    CSpinButtonCtrl m_SpecularAlphaSpin;
    CSpinButtonCtrl m_EmissiveAlphaSpin;
    CSpinButtonCtrl m_PowerSpin;
    // Red, green, blue on a 0..255 scale; values from files may lie outside.
    float m_Ambient[3] = {255.0f, 0.0f, 0.0f};
    float m_Diffuse[3] = {255.0f, 0.0f, 0.0f};
    float m_Specular[3] = {255.0f, 0.0f, 0.0f};
    float m_Emissive[3] = {255.0f, 0.0f, 0.0f};
    CString m_TexturePath;  // full path of the chosen image
    CString m_TextureName;  // its file name, shown on the texture button
    IDirect3DDevice8* m_pDevice = nullptr;
    ID3DXMesh* m_pPreviewMesh = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Esc must not close a panel inside the tools panel.
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnValueChanged();
    afx_msg void OnDrawItem(int controlId, LPDRAWITEMSTRUCT drawItem);
    afx_msg void OnAmbientColour();
    afx_msg void OnDiffuseColour();
    afx_msg void OnSpecularColour();
    afx_msg void OnEmissiveColour();
    afx_msg void OnTextureBrowse();
    afx_msg void OnTextureNone();
    afx_msg LRESULT OnApplyDelivered(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void ChooseColour(float colour[3]);
    void PostToFrame(WPARAM code);
    // At most one FM_APPLY_MATERIAL waits in the queue at a time.
    void PostApply();
    void DrawPreviewSphere(const cMaterial& material);
    // Edits that change because the program wrote them post nothing.
    bool m_WritingControls = false;
    bool m_ApplyWaiting = false;
};
