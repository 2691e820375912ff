// A dialog with one control of each kind, and a record of what it heard.
#pragma once

#include <framework/Afx.h>
#include <framework/Controls.h>
#include <framework/Dialog.h>
#include <testsupport/ModalScript.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialogtest {

constexpr UINT kPanel = 4100;
constexpr UINT kModal = 4101;
constexpr UINT kPopupPanel = 4102;
constexpr UINT kPicture = 4150;
constexpr int kName = 1018, kAlpha = 1029, kAlphaSpin = 1030, kList = 1013, kCombo = 1010, kAdd = 1014,
              kSwatch = 1021, kTabs = 1004, kGroup = 1099;

ResourceTables Tables();

class Panel : public CDialog {
public:
    explicit Panel(UINT id = kPanel, CWnd* parent = nullptr) : CDialog(id, parent) {}

    CString name = "Steel";
    int alpha = 40;
    CSpinButtonCtrl spin;
    std::vector<std::string> heard;
    int oks = 0, cancels = 0, draws = 0;
    bool endOnOk = false;  // modal use: the framework's OnOK

    void OnOK() override {
        ++oks;
        if (endOnOk) CDialog::OnOK();
    }
    void OnCancel() override {
        ++cancels;
        if (endOnOk) CDialog::OnCancel();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kName, name);
        DDX_Text(pDX, kAlpha, alpha);
        DDV_MinMaxInt(pDX, alpha, 0, 100);
        DDX_Control(pDX, kAlphaSpin, spin);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        spin.SetRange(0, 100);
        return TRUE;
    }
    afx_msg void OnNameChange() { heard.push_back("EN_CHANGE name"); }
    afx_msg void OnAlphaChange() { heard.push_back("EN_CHANGE alpha"); }
    afx_msg void OnListChange() { heard.push_back("LBN_SELCHANGE"); }
    afx_msg void OnComboOk() { heard.push_back("CBN_SELENDOK"); }
    afx_msg void OnAdd() { heard.push_back("BN_CLICKED add"); }
    afx_msg void OnSwatch() { heard.push_back("BN_CLICKED swatch"); }
    afx_msg void OnTab(NMHDR*, LRESULT*) { heard.push_back("TCN_SELCHANGE"); }
    afx_msg void OnTabChanging(NMHDR*, LRESULT* result) {
        heard.push_back("TCN_SELCHANGING");
        *result = refuseTab ? 1 : 0;
    }
    afx_msg void OnDelta(NMHDR* hdr, LRESULT* result) {
        auto* change = reinterpret_cast<NMUPDOWN*>(hdr);
        heard.push_back("UDN_DELTAPOS " + std::to_string(change->iPos) + " " + std::to_string(change->iDelta));
        *result = refuseDelta ? 1 : 0;
    }
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis) {
        if (id == kSwatch && dis->CtlType == ODT_BUTTON) ++draws;
    }

public:
    bool refuseDelta = false;
    bool refuseTab = false;
    DECLARE_MESSAGE_MAP()
};

// A top-level window to hold the panels, and modal scripting from a clean state.
class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND Item(const CWnd& dialog, int id) const { return ::GetDlgItem(dialog.GetSafeHwnd(), id); }
    std::string Text(HWND h) const {
        char buffer[256] = {};
        ::GetWindowTextA(h, buffer, sizeof buffer);
        return buffer;
    }
    CWnd host;
};

}  // namespace dialogtest
