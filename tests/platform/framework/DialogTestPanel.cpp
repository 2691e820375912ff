#include "DialogTestPanel.h"

namespace dialogtest {

BEGIN_MESSAGE_MAP(Panel, CDialog)
    ON_EN_CHANGE(kName, OnNameChange)
    ON_EN_CHANGE(kAlpha, OnAlphaChange)
    ON_LBN_SELCHANGE(kList, OnListChange)
    ON_CBN_SELENDOK(kCombo, OnComboOk)
    ON_BN_CLICKED(kAdd, OnAdd)
    ON_BN_CLICKED(kSwatch, OnSwatch)
    ON_NOTIFY(TCN_SELCHANGING, kTabs, OnTabChanging)
    ON_NOTIFY(TCN_SELCHANGE, kTabs, OnTab)
    ON_NOTIFY(UDN_DELTAPOS, kAlphaSpin, OnDelta)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

namespace {

DialogTemplate panelTemplate(UINT id, DWORD style, const char* caption) {
    DialogTemplate t;
    t.id = id;
    t.caption = caption;
    t.style = style;
    t.cx = 133;
    t.cy = 180;
    t.items = {
        DialogControl("BUTTON", "Name", kGroup, BS_GROUPBOX, 7, 7, 120, 30),
        DialogControl("EDIT", "", kName, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 13, 17, 108, 13),
        DialogControl("EDIT", "", kAlpha, ES_NUMBER | WS_BORDER | WS_TABSTOP, 88, 40, 30, 12),
        DialogControl("msctls_updown32", "", kAlphaSpin,
                      UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 116, 41, 11, 12),
        DialogControl("LISTBOX", "", kList, LBS_NOTIFY | WS_BORDER | WS_VSCROLL, 7, 60, 100, 40),
        DialogControl("COMBOBOX", "", kCombo, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 7, 104, 112, 60),
        DialogControl("BUTTON", "Add", kAdd, BS_PUSHBUTTON | WS_TABSTOP, 7, 124, 40, 14),
        DialogControl("BUTTON", "A", kSwatch, BS_OWNERDRAW, 50, 124, 29, 11),
        DialogControl("SysTabControl32", "", kTabs, 0, 7, 140, 120, 30),
    };
    return t;
}

}  // namespace

ResourceTables Tables() {
    ResourceTables tables;
    tables.dialogs.push_back(panelTemplate(kPanel, WS_CHILD | DS_CONTROL, ""));
    tables.dialogs.push_back(panelTemplate(kModal, WS_POPUP | WS_CAPTION | DS_MODALFRAME, "Settings"));
    DialogTemplate popup = panelTemplate(kPopupPanel, WS_POPUP, "");
    popup.x = 10;
    popup.y = 20;
    tables.dialogs.push_back(popup);
    tables.bitmaps.push_back(BitmapResource{kPicture, 3, 2, std::vector<DWORD>(6, 0xFF336699u)});
    return tables;
}

namespace {
const ResourceRegistration registration(Tables());
}  // namespace

void DialogFixture::SetUp() {
    orbel::test::EnsureApplication();
    orbel::modal::Reset();
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 600, nullptr, nullptr));
}

void DialogFixture::TearDown() {
    host.DestroyWindow();
    orbel::test::RunUntilIdle();
    EXPECT_EQ(orbel::modal::Pending(orbel::modal::kMessageBox), 0u) << "a scripted message box never appeared";
    orbel::modal::Reset();
}

}  // namespace dialogtest
