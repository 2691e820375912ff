// The Sphere tool's panel: the radius, and the slices and stacks with their
// up-downs. A changed count or Enter asks the frame for the panel action.
#pragma once

#include <plugins/common/PluginPanel.h>

inline constexpr UINT IDD_SPHERE_PANEL = 3000;
inline constexpr UINT IDC_SPHERE_RADIUS = 3001;
inline constexpr UINT IDC_SPHERE_SLICES = 3002;
inline constexpr UINT IDC_SPHERE_SLICES_SPIN = 3004;
inline constexpr UINT IDC_SPHERE_STACKS = 3005;
inline constexpr UINT IDC_SPHERE_STACKS_SPIN = 3006;

class cDialogPlugin : public cPluginPanel {
    DECLARE_DYNAMIC(cDialogPlugin)
public:
    cDialogPlugin();

    float m_Radius = 0.0f;
    int m_Slices = 1;
    int m_Stacks = 1;
    CSpinButtonCtrl m_SlicesSpin;
    CSpinButtonCtrl m_StacksSpin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()
};

ResourceTables SphereResources();
