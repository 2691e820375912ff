#include "DialogTestPanel.h"

#include <framework/FailureReport.h>
#include <framework/MessageBox.h>
#include <testsupport/ScriptedModals.h>

namespace dialogtest {
namespace {

class DataExchangeTest : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        ASSERT_TRUE(panel.Create(kPanel, &host));
    }
    void setText(int id, const char* text) { ::SetDlgItemTextA(panel.GetSafeHwnd(), id, text); }

    // One exchange on one edit; true when it did not fail.
    template <class T>
    bool exchange(BOOL save, T& value) {
        CDataExchange dx(&panel, save);
        try {
            DDX_Text(&dx, kName, value);
            return true;
        } catch (CUserException* e) {
            e->Delete();
            return false;
        }
    }
    Panel panel;
};

TEST_F(DataExchangeTest, RoundTripOfEveryNumberKind) {
    float f = 12.5f;
    exchange(FALSE, f);
    EXPECT_EQ(Text(Item(panel, kName)), "12.5");
    double d = 1.0 / 3.0;
    exchange(FALSE, d);
    EXPECT_EQ(Text(Item(panel, kName)), "0.333333333333333");
    UINT u = 4000000000u;
    exchange(FALSE, u);
    EXPECT_EQ(Text(Item(panel, kName)), "4000000000");

    setText(kName, " 3.25 ");
    ASSERT_TRUE(exchange(TRUE, f));
    EXPECT_FLOAT_EQ(f, 3.25f);
    setText(kName, "-17");
    int i = 0;
    ASSERT_TRUE(exchange(TRUE, i));
    EXPECT_EQ(i, -17);
    CString s;
    setText(kName, "Brass");
    ASSERT_TRUE(exchange(TRUE, s));
    EXPECT_STREQ(s, "Brass");
}

TEST_F(DataExchangeTest, TextThatIsNoNumberFailsWithTheFrameworkMessage) {
    int i = 5;
    UINT u = 6;
    float f = 7;
    for (const char* bad : {"12abc", "", "99999999999"}) {
        setText(kName, bad);
        orbel::test::ScriptMessageBox(IDOK);
        EXPECT_FALSE(exchange(TRUE, i)) << bad;
    }
    EXPECT_EQ(i, 5) << "a failed read keeps the member";
    setText(kName, "-1");
    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_FALSE(exchange(TRUE, u)) << "a negative number is no UINT, not a wrapped one";
    EXPECT_EQ(u, 6u);
    setText(kName, "1e39");
    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_FALSE(exchange(TRUE, f)) << "beyond float";
    EXPECT_EQ(orbel::test::MessageBoxTexts(),
              (std::vector<std::string>{"Please enter an integer.", "Please enter an integer.", "Please enter an integer.",
                                        "Please enter a positive integer.", "Please enter a number."}));
    EXPECT_EQ(::GetFocus(), Item(panel, kName)) << "the failing control gets the focus";
}

TEST_F(DataExchangeTest, RangeCheckKeepsTheValueReadAndStopsTheExchange) {
    setText(kAlpha, "150");
    setText(kName, "Changed");
    panel.name = "Before";
    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_FALSE(panel.UpdateData(TRUE));
    EXPECT_EQ(panel.alpha, 150) << "the integer was read before the check";
    EXPECT_STREQ(panel.name, "Changed") << "fields before the failing one were read";
    EXPECT_EQ(orbel::test::MessageBoxTexts(), std::vector<std::string>{"Please enter an integer between 0 and 100."});

    setText(kAlpha, "100");
    EXPECT_TRUE(panel.UpdateData(TRUE));
    EXPECT_EQ(panel.alpha, 100);
    panel.alpha = 300;
    EXPECT_TRUE(panel.UpdateData(FALSE)) << "writing into the controls checks nothing";
    EXPECT_EQ(Text(Item(panel, kAlpha)), "300");
}

// Stands for what a refusal's message box delivers while it is up (a posted
// apply, a click), which asks the same dialog for its data again.
class ReadAgainInsideItsRead : public Panel {
public:
    std::vector<BOOL> inner;
    int asks = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        if (pDX->m_bSaveAndValidate && asks > 0) {
            --asks;
            inner.push_back(UpdateData(TRUE));
        }
        Panel::DoDataExchange(pDX);
    }
};

TEST_F(DataExchangeTest, AReadAskedForDuringTheSameDialogsReadReadsNothing) {
    ReadAgainInsideItsRead again;
    ASSERT_TRUE(again.Create(kPanel, &host));
    ::SetDlgItemTextA(again.GetSafeHwnd(), kAlpha, "150");
    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_FALSE(again.UpdateData(TRUE));
    EXPECT_EQ(orbel::test::MessageBoxTexts(), std::vector<std::string>{"Please enter an integer between 0 and 100."})
        << "one refusal, one message";

    EXPECT_EQ(again.inner, std::vector<BOOL>{FALSE});
    ::SetDlgItemTextA(again.GetSafeHwnd(), kAlpha, "15");
    EXPECT_TRUE(again.UpdateData(TRUE)) << "later reads work again";
    EXPECT_EQ(again.alpha, 15);
    again.DestroyWindow();
}

TEST_F(DataExchangeTest, CoreFailureReportsBecomeMessageBoxes) {
    orbel::InstallMessageBoxFailureReporter();
    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_EQ(orbel::ReportFailure("Disk full."), IDOK);
    orbel::SetFailureReporter({});
    EXPECT_EQ(orbel::test::MessageBoxTexts(), std::vector<std::string>{"Disk full."});
}

}  // namespace
}  // namespace dialogtest
