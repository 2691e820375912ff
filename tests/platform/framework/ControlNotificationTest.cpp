// Which changes of a control notify its parent: Windows reports edits of the
// text whoever makes them, but list, combo and tab selections only when the
// user makes them.
#include "DialogTestPanel.h"

#include <testsupport/ControlInput.h>

namespace dialogtest {
namespace {

class ControlNotificationTest : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        ASSERT_TRUE(panel.Create(kPanel, &host));
        panel.ShowWindow(SW_SHOW);
        panel.heard.clear();
    }
    Panel panel;
};

TEST_F(ControlNotificationTest, EditTextChangesNotifyButUnchangedExchangeDoesNot) {
    ::SetWindowTextA(Item(panel, kName), "Gold");
    EXPECT_EQ(panel.heard, std::vector<std::string>{"EN_CHANGE name"}) << "programmatic text is an EN_CHANGE too";
    panel.name = "Gold";
    panel.heard.clear();
    panel.UpdateData(FALSE);
    EXPECT_TRUE(panel.heard.empty()) << "the exchange writes only text that differs";
    panel.alpha = 41;
    panel.UpdateData(FALSE);
    EXPECT_EQ(panel.heard, std::vector<std::string>{"EN_CHANGE alpha"});
    panel.heard.clear();
    orbel::test::TypeIntoEdit(Item(panel, kName), "Silver");
    EXPECT_EQ(panel.heard, std::vector<std::string>{"EN_CHANGE name"});
    EXPECT_EQ(Text(Item(panel, kName)), "Silver");
}

TEST_F(ControlNotificationTest, NumberEditTakesDigitsOnly) {
    orbel::test::TypeIntoEdit(Item(panel, kAlpha), "4x2");
    EXPECT_EQ(Text(Item(panel, kAlpha)), "40") << "a rejected edit leaves the text";
    orbel::test::TypeIntoEdit(Item(panel, kAlpha), "42");
    EXPECT_EQ(Text(Item(panel, kAlpha)), "42");
}

TEST_F(ControlNotificationTest, ListSelectionNotifiesOnlyForTheUser) {
    CListBox list;
    list.Attach(Item(panel, kList));
    EXPECT_EQ(list.AddString("Red"), 0);
    EXPECT_EQ(list.AddString("Green"), 1);
    EXPECT_EQ(list.AddString("Red"), 2) << "not sorted: equal lines stay apart";
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    list.SetCurSel(1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_TRUE(panel.heard.empty());

    orbel::test::ChooseListLine(list.GetSafeHwnd(), 2);
    EXPECT_EQ(panel.heard, std::vector<std::string>{"LBN_SELCHANGE"});
    EXPECT_EQ(list.GetCurSel(), 2);

    // Deleting the selected line leaves none selected; lines before it
    // shift the selection with them.
    list.DeleteString(2);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    list.SetCurSel(1);
    list.DeleteString(0);
    EXPECT_EQ(list.GetCurSel(), 0);
    CString text;
    list.GetText(0, text);
    EXPECT_STREQ(text, "Green");
    EXPECT_EQ(list.SetCurSel(-1), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.GetTextLen(5), LB_ERR);
    EXPECT_EQ(panel.heard.size(), 1u);
    list.Detach();
}

TEST_F(ControlNotificationTest, ComboReportsEveryUserChoiceAndNoProgramChoice) {
    CComboBox combo;
    combo.Attach(Item(panel, kCombo));
    combo.AddString("Sphere");
    combo.AddString("Point");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "a new list has no selection";
    combo.SetCurSel(0);
    EXPECT_TRUE(panel.heard.empty());
    orbel::test::ChooseComboLine(combo.GetSafeHwnd(), 0);
    orbel::test::ChooseComboLine(combo.GetSafeHwnd(), 1);
    EXPECT_EQ(panel.heard, (std::vector<std::string>{"CBN_SELENDOK", "CBN_SELENDOK"}))
        << "choosing the line already selected is reported again";
    EXPECT_EQ(combo.GetCurSel(), 1);
    CString text;
    combo.GetLBText(1, text);
    EXPECT_STREQ(text, "Point");
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    combo.Detach();
}

TEST_F(ControlNotificationTest, TabChangeNotifiesOnlyForTheUser) {
    CTabCtrl tabs;
    tabs.Attach(Item(panel, kTabs));
    tabs.InsertItem(0, "Create");
    tabs.InsertItem(1, "Modify");
    tabs.InsertItem(2, "Materials");
    EXPECT_EQ(tabs.GetItemCount(), 3);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.SetCurSel(2), 0);
    EXPECT_TRUE(panel.heard.empty());
    orbel::test::ChooseTab(tabs.GetSafeHwnd(), 1);
    EXPECT_EQ(panel.heard, (std::vector<std::string>{"TCN_SELCHANGING", "TCN_SELCHANGE"}));
    EXPECT_EQ(tabs.GetCurSel(), 1);
    panel.refuseTab = true;
    panel.heard.clear();
    orbel::test::ChooseTab(tabs.GetSafeHwnd(), 0);
    EXPECT_EQ(panel.heard, std::vector<std::string>{"TCN_SELCHANGING"}) << "the parent may keep the tab";
    EXPECT_EQ(tabs.GetCurSel(), 1);
    char text[16] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(tabs.GetItem(1, &item));
    EXPECT_STREQ(text, "Modify");
    tabs.Detach();
}

TEST_F(ControlNotificationTest, UpDownAsksTheParentThenWritesItsBuddy) {
    HWND spin = Item(panel, kAlphaSpin);
    orbel::test::ClickUpDown(spin, true);
    EXPECT_EQ(panel.heard, (std::vector<std::string>{"UDN_DELTAPOS 40 1", "EN_CHANGE alpha"}));
    EXPECT_EQ(Text(Item(panel, kAlpha)), "41");

    // The position comes from the buddy's text, typed or not.
    orbel::test::TypeIntoEdit(Item(panel, kAlpha), "100");
    panel.heard.clear();
    orbel::test::ClickUpDown(spin, true);
    EXPECT_EQ(Text(Item(panel, kAlpha)), "100") << "the range ends at 100";
    EXPECT_EQ(panel.heard, std::vector<std::string>{"UDN_DELTAPOS 100 1"});

    panel.refuseDelta = true;
    panel.heard.clear();
    orbel::test::ClickUpDown(spin, false);
    EXPECT_EQ(Text(Item(panel, kAlpha)), "100") << "a refused step changes nothing";
    EXPECT_EQ(panel.spin.GetPos32(), 100);

    panel.spin.SetPos32(7);
    EXPECT_EQ(Text(Item(panel, kAlpha)), "7");
    panel.refuseDelta = false;
    orbel::test::Focus(Item(panel, kAlpha));
    orbel::test::PressKey(VK_UP);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(Text(Item(panel, kAlpha)), "8") << "the arrow keys in the buddy step too";
    panel.spin.SetRange32(0, 500);
    int low = 0, high = 0;
    panel.spin.GetRange32(low, high);
    EXPECT_EQ(high, 500);
}

TEST_F(ControlNotificationTest, OwnerDrawnButtonIsDrawnByItsParentOnlyWhenPainted) {
    HWND swatch = Item(panel, kSwatch);
    orbel::test::RunUntilIdle();
    const int drawsAfterShow = panel.draws;
    EXPECT_GE(drawsAfterShow, 1);
    ::RedrawWindow(swatch, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(panel.draws, drawsAfterShow + 1);

    // Drawing into the button outside a paint is kept and asks for nothing.
    CDC* dc = CWnd::FromHandle(swatch)->GetDC();
    dc->FillSolidRect(0, 0, 4, 4, RGB(255, 0, 0));
    CWnd::FromHandle(swatch)->ReleaseDC(dc);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(panel.draws, drawsAfterShow + 1);
    EXPECT_EQ(orbel::test::ReadWindowImage(swatch).At(1, 1), RGB(255, 0, 0));

    orbel::test::Click(swatch, orbel::test::Button::Left, POINT{3, 3});
    orbel::test::RunUntilIdle();
    EXPECT_EQ(panel.heard, std::vector<std::string>{"BN_CLICKED swatch"});
}

TEST_F(ControlNotificationTest, AutoRadioButtonsOfAGroupExcludeEachOtherAndCheckBoxesToggle) {
    CButton first, second, other, check;
    const DWORD radio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
    ASSERT_TRUE(first.Create("One", radio | WS_GROUP, RECT{0, 0, 60, 16}, &panel, 2001));
    ASSERT_TRUE(second.Create("Two", radio, RECT{0, 20, 60, 36}, &panel, 2002));
    ASSERT_TRUE(other.Create("Other group", radio | WS_GROUP, RECT{0, 40, 60, 56}, &panel, 2003));
    ASSERT_TRUE(check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, RECT{0, 60, 60, 76}, &panel, 2004));
    other.SetCheck(BST_CHECKED);
    orbel::test::ClickButton(first.GetSafeHwnd());
    orbel::test::ClickButton(second.GetSafeHwnd());
    EXPECT_EQ(first.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(second.GetCheck(), BST_CHECKED);
    EXPECT_EQ(other.GetCheck(), BST_CHECKED) << "another group is left alone";

    orbel::test::ClickButton(check.GetSafeHwnd());
    EXPECT_EQ(panel.IsDlgButtonChecked(2004), static_cast<UINT>(BST_CHECKED));
    panel.CheckDlgButton(2004, BST_UNCHECKED);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    CDataExchange read(&panel, TRUE);
    int state = -1;
    DDX_Check(&read, 2002, state);
    EXPECT_EQ(state, BST_CHECKED);
}

}  // namespace
}  // namespace dialogtest
