// Menus built in code and from resources, and popup menus answered by the
// test script.
#include "DocFrameTestTypes.h"

using PopupMenuTest = WindowTest;

namespace {

class MenuOwner : public LogWnd {
public:
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

} // namespace

TEST_F(PopupMenuTest, ChosenCommandIsPostedOrReturned) {
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateTop());
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 10, "Ten");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 11, "Eleven");

    orbel::test::ScriptPopupMenu(10);
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &owner));
    EXPECT_TRUE(owner.commands.empty()) << "posted, not sent";
    orbel::test::RunUntilIdle();
    EXPECT_EQ(owner.commands, (std::vector<UINT>{10}));

    orbel::test::ScriptPopupMenu(10);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 10);
    orbel::test::ScriptPopupMenu(11);  // greyed: nobody can pick it
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);
    ASSERT_EQ(orbel::modal::Appearances().size(), 3u);
    EXPECT_EQ(orbel::modal::Appearances()[0].description, "Ten|Eleven");
}

TEST_F(PopupMenuTest, TheScriptSeesTheMenuAsShown) {
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateTop());
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 10, "Ten");
    menu.AppendMenu(MF_STRING, 11, "Eleven");
    menu.CheckMenuItem(11, MF_BYCOMMAND | MF_CHECKED);
    std::vector<UINT> checked;
    orbel::test::ScriptPopupMenu(0, [&](HMENU shown) {
        for (UINT id : {10u, 11u})
            if (::GetMenuState(shown, id, MF_BYCOMMAND) & MF_CHECKED)
                checked.push_back(id);
    });
    EXPECT_FALSE(menu.TrackPopupMenu(TPM_RIGHTBUTTON, 0, 0, &owner));
    EXPECT_EQ(checked, (std::vector<UINT>{11}));
}

TEST_F(PopupMenuTest, AnUnscriptedPopupIsATestFault) {
    LogWnd owner;
    ASSERT_TRUE(owner.CreateTop());
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 10, "Ten");
    std::vector<std::string> seen;
    auto previous = orbel::modal::SetUnscriptedHandler([&](const orbel::modal::Appearance& a) { seen.push_back(a.kind); });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);
    orbel::modal::SetUnscriptedHandler(previous);
    EXPECT_EQ(seen, (std::vector<std::string>{orbel::modal::kPopupMenu}));
}

TEST_F(PopupMenuTest, MenusFromResourcesKeepTheirStructure) {
    RegisterTestResources();
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(kTemplateId));
    EXPECT_EQ(bar.GetMenuItemCount(), 2u);
    CMenu* edit = bar.GetSubMenu(1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetMenuItemID(0), kCmdDoc);
    EXPECT_EQ(edit->GetMenuItemID(3), 0u) << "separator";
    EXPECT_EQ(bar.GetMenuItemID(0), static_cast<UINT>(-1)) << "popup";
    EXPECT_EQ(bar.EnableMenuItem(kCmdDoc, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_TRUE(edit->GetMenuState(kCmdDoc, MF_BYCOMMAND) & MF_GRAYED);
    CString text;
    bar.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&File");
    EXPECT_FALSE(bar.LoadMenu(9999));
}

TEST_F(PopupMenuTest, EnableAndCheckChangeOnlyTheirOwnBitsAndAnswerTheOldOnes) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING | MF_CHECKED, 10, "Ten");
    menu.AppendMenu(MF_STRING, 11, "Eleven");

    EXPECT_EQ(menu.EnableMenuItem(10, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu.CheckMenuItem(10, MF_BYCOMMAND | MF_UNCHECKED), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(menu.GetMenuState(10, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), static_cast<UINT>(MF_GRAYED))
        << "unchecking kept the greying";
    EXPECT_EQ(menu.CheckMenuItem(1, MF_BYPOSITION | MF_CHECKED), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_EQ(menu.EnableMenuItem(10, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(menu.GetMenuState(11, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), static_cast<UINT>(MF_CHECKED))
        << "enabling one item left the other's check";

    EXPECT_EQ(menu.EnableMenuItem(99, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(-1));
    EXPECT_EQ(menu.CheckMenuItem(99, MF_BYCOMMAND | MF_CHECKED), static_cast<UINT>(-1));
}
