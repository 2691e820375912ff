// The splash window: sized by its picture, one status text at a time, and
// gone without a trace when hidden or when the picture is missing.
#include "orbel/frame/SplashWnd.h"
#include "orbel/frame/SplashTextRecorder.h"

#include "orbel/resources/ProgramResources.h"
#include "orbel/resources/Resource.h"

#include <framework/Afx.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SplashWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orbel::test::EnsureApplication();
        RegisterProgramResources();
    }
    void TearDown() override { RegisterProgramResources(); }

    static CString StatusText(cSplashWnd& splash)
    {
        auto* line = dynamic_cast<CStatusBarCtrl*>(splash.GetDlgItem(IDC_SPLASH_STATUS));
        return line != nullptr ? line->GetText(0) : CString("<no status line>");
    }
};

TEST_F(SplashWndTest, WindowTakesThePictureSizeAndShowsOneTextAtATime)
{
    cSplashWnd splash;
    ASSERT_TRUE(splash.ShowSplash(nullptr));
    CRect outer;
    splash.GetWindowRect(&outer);
    EXPECT_EQ(outer.Width(), 520);
    EXPECT_EQ(outer.Height(), 317);
    EXPECT_TRUE(splash.IsWindowVisible());

    SplashTextRecorder sent;
    splash.SetStatusText(" Starting Program");
    EXPECT_STREQ(StatusText(splash), " Starting Program");
    splash.SetStatusText("Loading Plugin For Create - Sphere.dlc");
    EXPECT_STREQ(StatusText(splash), "Loading Plugin For Create - Sphere.dlc");
    EXPECT_EQ(sent.Texts(), (std::vector<std::string>{" Starting Program", "Loading Plugin For Create - Sphere.dlc"}));

    // The status line runs along the bottom edge, over the picture.
    CWnd* line = splash.GetDlgItem(IDC_SPLASH_STATUS);
    ASSERT_NE(line, nullptr);
    CRect client;
    splash.GetClientRect(&client);
    CRect lineRect;
    line->GetWindowRect(&lineRect);
    splash.ScreenToClient(&lineRect);
    EXPECT_EQ(lineRect.bottom, client.bottom);
    EXPECT_EQ(lineRect.Width(), client.Width());

    splash.HideSplash();
    EXPECT_EQ(splash.GetSafeHwnd(), nullptr);
}

TEST_F(SplashWndTest, WithoutThePictureNoWindowIsMadeAndTextsAreDropped)
{
    AfxUnregisterModuleResources(AfxGetInstanceHandle());
    cSplashWnd splash;
    EXPECT_FALSE(splash.ShowSplash(nullptr));
    EXPECT_EQ(splash.GetSafeHwnd(), nullptr);
    // The text makes no window and lands in no status line.
    SplashTextRecorder sent;
    splash.SetStatusText(" Starting Program");
    EXPECT_TRUE(sent.Texts().empty());
    EXPECT_EQ(splash.GetSafeHwnd(), nullptr);
    EXPECT_STREQ(StatusText(splash), "<no status line>");
    splash.HideSplash();
    EXPECT_EQ(splash.GetSafeHwnd(), nullptr);

    // Shown again once the picture is back, the window starts with no text.
    RegisterProgramResources();
    ASSERT_TRUE(splash.ShowSplash(nullptr));
    EXPECT_STREQ(StatusText(splash), "");
    splash.HideSplash();
}

}  // namespace
