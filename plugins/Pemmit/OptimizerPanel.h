// The "Optimize Mesh" panel: the percentage of the object's vertices to keep,
// with an up-down from 0 to 100, the "Optimize" button and a status line.
#pragma once

#include <plugins/common/PluginPanel.h>

inline constexpr UINT IDD_OPTIMIZER_PANEL = 14000;
inline constexpr UINT IDC_OPTIMIZER_RUN = 14000;
inline constexpr UINT IDC_OPTIMIZER_STATUS = 14001;
inline constexpr UINT IDC_OPTIMIZER_PERCENT = 14002;
inline constexpr UINT IDC_OPTIMIZER_PERCENT_SPIN = 14003;

class cDialogPlugin : public cPluginPanel {
    DECLARE_DYNAMIC(cDialogPlugin)
public:
    cDialogPlugin();

    // As the last reading of the edit left it; every activation starts at 100.
    int m_Percentage = 100;
    CSpinButtonCtrl m_PercentageSpin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOptimize();
    DECLARE_MESSAGE_MAP()
};

ResourceTables OptimizerResources();
