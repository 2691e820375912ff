#include "DialogTestPanel.h"

#include <framework/DialogUnits.h>
#include <testsupport/ControlInput.h>
#include <testsupport/ScriptedModals.h>

namespace dialogtest {
namespace {

RECT dialogUnits(LONG x, LONG y, LONG cx, LONG cy) {
    RECT r{x, y, x + cx, y + cy};
    ::MapDialogRect(nullptr, &r);
    return r;
}

// The control's rectangle in its dialog's client coordinates.
RECT placeOf(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    POINT topLeft{r.left, r.top}, bottomRight{r.right, r.bottom};
    ::ScreenToClient(::GetParent(control), &topLeft);
    ::ScreenToClient(::GetParent(control), &bottomRight);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void expectRect(const RECT& actual, const RECT& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST(DialogUnitsTest, ShellDlgEightPointBaseUnitsRoundToNearest) {
    RECT button{0, 0, 50, 14};
    ASSERT_TRUE(::MapDialogRect(nullptr, &button));
    EXPECT_EQ(button.right, 75);
    EXPECT_EQ(button.bottom, 23);
    RECT halves{1, 1, 3, 3};  // 1.5 and 1.625 px: halves round away from zero
    ::MapDialogRect(nullptr, &halves);
    EXPECT_EQ(halves.left, 2);
    EXPECT_EQ(halves.top, 2);
    EXPECT_EQ(halves.right, 5);
    EXPECT_EQ(halves.bottom, 5);
    RECT negative{-1, -1, 0, 0};
    ::MapDialogRect(nullptr, &negative);
    EXPECT_EQ(negative.left, -2);
    EXPECT_FALSE(::MapDialogRect(nullptr, nullptr));
}

using DialogTest = DialogFixture;

TEST_F(DialogTest, ChildPanelHasEveryTemplateControlAtItsPlace) {
    Panel panel;
    ASSERT_TRUE(panel.Create(kPanel, &host));
    RECT client{};
    panel.GetClientRect(&client);
    const RECT size = dialogUnits(0, 0, 133, 180);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    expectRect(placeOf(Item(panel, kName)), dialogUnits(13, 17, 108, 13));
    expectRect(placeOf(Item(panel, kList)), dialogUnits(7, 60, 100, 40));
    expectRect(placeOf(Item(panel, kSwatch)), dialogUnits(50, 124, 29, 11));
    for (int id : {kGroup, kAlpha, kAlphaSpin, kCombo, kAdd, kTabs}) EXPECT_NE(Item(panel, id), nullptr) << id;
    EXPECT_EQ(::GetDlgCtrlID(Item(panel, kAdd)), kAdd);
    EXPECT_EQ(Text(Item(panel, kAdd)), "Add");

    // The up-down sits inside the right edge of the edit made before it,
    // which gives up the room, and it shows the member value from OnInitDialog.
    const RECT edit = placeOf(Item(panel, kAlpha)), spin = placeOf(Item(panel, kAlphaSpin));
    const RECT editTemplate = dialogUnits(88, 40, 30, 12);
    EXPECT_EQ(spin.left, edit.right);
    EXPECT_EQ(spin.right, editTemplate.right);
    EXPECT_EQ(spin.top, edit.top);
    EXPECT_EQ(reinterpret_cast<HWND>(::SendMessage(Item(panel, kAlphaSpin), UDM_GETBUDDY, 0, 0)), Item(panel, kAlpha));
    EXPECT_EQ(Text(Item(panel, kAlpha)), "40");
    EXPECT_EQ(Text(Item(panel, kName)), "Steel");
    EXPECT_EQ(panel.spin.GetSafeHwnd(), Item(panel, kAlphaSpin)) << "DDX_Control binds the member";
}

TEST_F(DialogTest, MissingTemplateFailsCleanly) {
    CDialog modeless(9999, &host);
    EXPECT_FALSE(modeless.Create(9999, &host));
    CDialog modal(9999, &host);
    EXPECT_EQ(modal.DoModal(), -1);
}

TEST_F(DialogTest, EnterAndEscapeReachOnOkAndOnCancelOfAChildPanel) {
    Panel panel;
    ASSERT_TRUE(panel.Create(kPanel, &host));
    panel.ShowWindow(SW_SHOW);
    orbel::test::Focus(Item(panel, kName));
    orbel::test::PressKey(VK_RETURN);
    orbel::test::PressKey(VK_ESCAPE);
    orbel::test::RunUntilIdle();
    EXPECT_EQ(panel.oks, 1);
    EXPECT_EQ(panel.cancels, 1);
    EXPECT_TRUE(panel.IsWindowVisible()) << "the panel's own OnCancel keeps it";
}

TEST_F(DialogTest, FrameworkOnCancelHidesAModelessPanel) {
    Panel panel;
    panel.endOnOk = true;
    ASSERT_TRUE(panel.Create(kPanel, &host));
    panel.ShowWindow(SW_SHOW);
    ASSERT_TRUE(panel.IsWindowVisible());
    orbel::test::Focus(Item(panel, kName));
    orbel::test::PressKey(VK_ESCAPE);
    orbel::test::RunUntilIdle();
    EXPECT_FALSE(panel.IsWindowVisible());
    EXPECT_NE(panel.GetSafeHwnd(), nullptr) << "hidden, not destroyed";
}

TEST_F(DialogTest, ControlsOfAPanelInADisabledParentStillWork) {
    CButton placeholder;
    ASSERT_TRUE(placeholder.Create("Button2_DP", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{0, 0, 300, 400}, &host, 1011));
    placeholder.EnableWindow(FALSE);
    Panel panel;
    ASSERT_TRUE(panel.Create(kPanel, &placeholder));
    panel.ShowWindow(SW_SHOW);
    panel.heard.clear();  // OnInitDialog's writes into the edits

    EXPECT_FALSE(::IsWindowEnabled(placeholder.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindowEnabled(panel.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindowEnabled(Item(panel, kName)));
    orbel::test::TypeIntoEdit(Item(panel, kName), "Copper");
    orbel::test::ClickButton(Item(panel, kAdd));
    EXPECT_EQ(panel.heard, (std::vector<std::string>{"EN_CHANGE name", "BN_CLICKED add"}));

    // Disabling a control itself does stop it.
    ::EnableWindow(Item(panel, kAdd), FALSE);
    EXPECT_FALSE(::IsWindowEnabled(Item(panel, kAdd)));
    orbel::test::ClickButton(Item(panel, kAdd));
    EXPECT_EQ(panel.heard.size(), 2u);
}

TEST_F(DialogTest, ScriptedModalReadsItsControlsOnOk) {
    Panel dialog(kModal, &host);
    dialog.endOnOk = true;
    orbel::test::ScriptDialog(kModal, [](HWND h) { ::SetDlgItemTextA(h, kAlpha, "75"); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.alpha, 75);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the window is gone after DoModal";
    EXPECT_TRUE(host.IsWindowEnabled()) << "the owner is enabled again";

    orbel::test::ScriptDialog(kModal, [](HWND h) { ::SetDlgItemTextA(h, kAlpha, "0"); }, IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.alpha, 75) << "Cancel reads nothing";
}

TEST_F(DialogTest, ModalHandsTheFocusBackToTheWindowThatHadIt) {
    CWnd view;
    ASSERT_TRUE(view.CreateEx(0, nullptr, "view", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 50}, &host, 1));
    view.SetFocus();
    Panel dialog(kModal, &host);
    dialog.endOnOk = true;
    HWND focusWhileOpen = nullptr;
    orbel::test::ScriptDialog(kModal, [&](HWND) { focusWhileOpen = ::GetFocus(); }, IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(focusWhileOpen, view.GetSafeHwnd()) << "the dialog's own control has the focus while it runs";
    EXPECT_EQ(::GetFocus(), view.GetSafeHwnd());

    // A focused window destroyed while the modal runs gets nothing back.
    orbel::test::ScriptDialog(kModal, [&](HWND) { view.DestroyWindow(); }, IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(::GetFocus(), nullptr);
}

TEST_F(DialogTest, ModalStaysOpenAfterAFailedCheckAndTakesTheNextAnswer) {
    Panel dialog(kModal, &host);
    dialog.endOnOk = true;
    orbel::test::ScriptDialog(kModal, [](HWND h) { ::SetDlgItemTextA(h, kAlpha, "abc"); });
    orbel::test::ScriptMessageBox(IDOK);
    orbel::test::ScriptDialog(kModal, [](HWND h) { ::SetDlgItemTextA(h, kAlpha, "12"); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.alpha, 12);
    EXPECT_EQ(orbel::test::MessageBoxTexts(), std::vector<std::string>{"Please enter an integer."});
}

TEST_F(DialogTest, PopUpPanelIsPlacedOverTheWindowItWasMadeFor) {
    CButton placeholder;
    ASSERT_TRUE(placeholder.Create("Button2_DP", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{30, 40, 330, 440}, &host, 1011));
    Panel panel;
    ASSERT_TRUE(panel.Create(kPopupPanel, &placeholder));
    POINT origin{0, 0};
    ::ClientToScreen(placeholder.GetSafeHwnd(), &origin);
    const RECT offset = dialogUnits(10, 20, 0, 0);
    RECT where{};
    panel.GetWindowRect(&where);
    EXPECT_EQ(where.left, origin.x + offset.left);
    EXPECT_EQ(where.top, origin.y + offset.top);
    EXPECT_EQ(::GetParent(panel.GetSafeHwnd()), host.GetSafeHwnd()) << "owned by the top-level window";
}

TEST_F(DialogTest, DialogItemNumbersAreReadWholeOrNotAtAll) {
    Panel panel;
    ASSERT_TRUE(panel.Create(kPanel, &host));
    BOOL ok = TRUE;
    panel.SetDlgItemText(kName, " -12 ");
    EXPECT_EQ(static_cast<int>(panel.GetDlgItemInt(kName, &ok, TRUE)), -12);
    EXPECT_TRUE(ok);
    panel.SetDlgItemText(kName, "12 apples");
    EXPECT_EQ(panel.GetDlgItemInt(kName, &ok, TRUE), 0u);
    EXPECT_FALSE(ok);
    panel.SetDlgItemText(kName, "-1");
    panel.GetDlgItemInt(kName, &ok, FALSE);
    EXPECT_FALSE(ok) << "unsigned reads refuse a sign";
    panel.SetDlgItemInt(kName, static_cast<UINT>(-5), TRUE);
    CString text;
    EXPECT_EQ(panel.GetDlgItemText(kName, text), 2);
    EXPECT_STREQ(text, "-5");
    EXPECT_EQ(panel.SendDlgItemMessage(9999, LB_GETCOUNT), 0) << "a missing item answers nothing";
    EXPECT_FALSE(::SetDlgItemTextA(panel.GetSafeHwnd(), 9999, "x"));
}

TEST_F(DialogTest, OnePanelObjectMakesItsWindowAgainAndRebindsItsControls) {
    Panel panel;
    ASSERT_TRUE(panel.Create(kPanel, &host));
    const HWND firstSpin = panel.spin.GetSafeHwnd();
    ASSERT_NE(firstSpin, nullptr);
    panel.alpha = 64;
    panel.DestroyWindow();
    EXPECT_EQ(panel.spin.GetSafeHwnd(), nullptr) << "the control object lets go with the window";
    ASSERT_TRUE(panel.Create(kPanel, &host));
    EXPECT_EQ(panel.spin.GetSafeHwnd(), Item(panel, kAlphaSpin));
    EXPECT_EQ(Text(Item(panel, kAlpha)), "64") << "the members survive the window";
}

TEST_F(DialogTest, PictureStaticTakesTheSizeOfItsBitmap) {
    CStatic picture;
    ASSERT_TRUE(picture.Create("#4150", WS_CHILD | WS_VISIBLE | SS_BITMAP, RECT{5, 5, 60, 60}, &host));
    RECT r{};
    picture.GetWindowRect(&r);
    EXPECT_EQ(r.right - r.left, 3);
    EXPECT_EQ(r.bottom - r.top, 2);
    CStatic missing;
    ASSERT_TRUE(missing.Create("#9999", WS_CHILD | WS_VISIBLE | SS_BITMAP, RECT{5, 5, 60, 60}, &host))
        << "a missing picture leaves an empty static";
    missing.GetWindowRect(&r);
    EXPECT_EQ(r.right - r.left, 55);
    HBITMAP handle = reinterpret_cast<HBITMAP>(0x1234);
    EXPECT_EQ(missing.SetBitmap(handle), nullptr);
    EXPECT_EQ(missing.GetBitmap(), handle) << "kept even when it names no live bitmap";
}

}  // namespace
}  // namespace dialogtest
