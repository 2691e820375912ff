// The material list's lines and what it posts for each user action.
#include "PanelHost.h"

#include "orbel/panels/Dialog2.h"
#include "orbel/resources/Resource.h"

#include <plugins/common/Plugin.h>
#include <testsupport/ControlInput.h>

#include <string>
#include <vector>

namespace {

class MaterialListTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        ASSERT_TRUE(list.CreatePanel(&host));
        list.ShowWindow(SW_SHOW);
    }

    HWND Control(int id) const { return ::GetDlgItem(list.GetSafeHwnd(), id); }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        auto* box = static_cast<CListBox*>(list.GetDlgItem(IDC_MATERIAL_LIST));
        for (int i = 0; i < box->GetCount(); ++i) {
            CString text;
            box->GetText(i, text);
            lines.emplace_back(static_cast<LPCSTR>(text));
        }
        return lines;
    }

    void AddLines(const std::vector<const char*>& names)
    {
        for (const char* name : names)
            list.AddMaterialName(name);
    }

    cDialog2 list;
};

TEST_F(MaterialListTest, KeepsLinesInArrayOrderWithDuplicatesAndProgramSelectionsPostNothing)
{
    EXPECT_EQ(list.AddMaterialName("Zinc"), 0);
    EXPECT_EQ(list.AddMaterialName("Brass"), 1);
    EXPECT_EQ(list.AddMaterialName("Brass"), 2);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Zinc", "Brass", "Brass"}));
    EXPECT_EQ(list.GetCurSel(), -1);

    list.SetCurSel(2);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.ReplaceMaterialName(0, "Amber");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Amber", "Brass", "Brass"}));
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_TRUE(host.TakePosts().empty());
}

TEST_F(MaterialListTest, UserChoiceAddAndAssignPostTheirCodes)
{
    AddLines({"A", "B", "C"});
    orbel::test::ClickButton(Control(IDC_ASSIGN_MATERIAL));
    orbel::test::ClickButton(Control(IDC_REMOVE_MATERIAL));
    EXPECT_TRUE(host.TakePosts().empty()) << "no line selected: nothing to remove or assign";
    EXPECT_EQ(Lines().size(), 3u);

    orbel::test::ChooseListLine(Control(IDC_MATERIAL_LIST), 2);
    EXPECT_EQ(host.TakePosts(), (PostedCodes{{FM_SHOW_MATERIAL, 2}}));
    orbel::test::ClickButton(Control(IDC_ASSIGN_MATERIAL));
    orbel::test::ClickButton(Control(IDC_ADD_MATERIAL));
    EXPECT_EQ(host.TakePosts(), (PostedCodes{{FM_ASSIGN_MATERIAL, 2}, {FM_ADD_MATERIAL, 0}}));
}

TEST_F(MaterialListTest, RemoveDeletesTheLineSelectsTheOneAboveAndPostsTheRemovedIndex)
{
    AddLines({"A", "B", "C"});
    list.SetCurSel(2);
    orbel::test::ClickButton(Control(IDC_REMOVE_MATERIAL));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(host.TakePosts(), (PostedCodes{{FM_REMOVE_MATERIAL, 2}}));

    list.SetCurSel(0);
    orbel::test::ClickButton(Control(IDC_REMOVE_MATERIAL));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"B"}));
    EXPECT_EQ(list.GetCurSel(), -1) << "removing line 0 leaves no line selected";
    EXPECT_EQ(host.TakePosts(), (PostedCodes{{FM_REMOVE_MATERIAL, 0}}));
}

TEST_F(MaterialListTest, EnterAndEscapeLeaveThePanelOpen)
{
    AddLines({"A"});
    list.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    list.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(list.IsWindowVisible());
    EXPECT_TRUE(host.TakePosts().empty());
}

TEST_F(MaterialListTest, ANewWindowStartsEmptyAndWithoutSelection)
{
    AddLines({"A", "B"});
    list.SetCurSel(1);
    list.DestroyWindow();
    ASSERT_TRUE(list.CreatePanel(&host));
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.AddMaterialName("C"), 0);
}

}  // namespace
