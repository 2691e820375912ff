// The real program on a virtual X display: the screen is read back from the
// X server's frame buffer file and must show the four grey views in a 2 x 2
// grid with the tools panel beside them.
#include "support/RealScreen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using orbel::test::Box;
using orbel::test::kViewGrey;
using orbel::test::RealScreen;
using orbel::test::Screen;

double GreyShare(const Screen& screen, int left, int top, int right, int bottom)
{
    long grey = 0;
    long all = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x, ++all)
            grey += screen.At(x, y) == kViewGrey;
    return all == 0 ? 0.0 : double(grey) / double(all);
}

// What a person would see: four mostly grey panes split by bars in both
// directions, and a lit panel to the right of them.
std::string DescribeProblem(const Screen& screen)
{
    const Box views = orbel::test::FindViewArea(screen);
    if (views.Width() < 200 || views.Height() < 150)
        return "no view area";

    const int midX = views.left + views.Width() / 2;
    const int midY = views.top + views.Height() / 2;
    const int quadrants[4][4] = {{views.left, views.top, midX - 8, midY - 8},
                                 {midX + 8, views.top, views.right, midY - 8},
                                 {views.left, midY + 8, midX - 8, views.bottom},
                                 {midX + 8, midY + 8, views.right, views.bottom}};
    for (const auto& q : quadrants)
        if (GreyShare(screen, q[0], q[1], q[2], q[3]) < 0.5)
            return "a view pane is missing";

    bool columnBar = false;
    for (int x = midX - views.Width() / 8; x <= midX + views.Width() / 8 && !columnBar; ++x)
        columnBar = GreyShare(screen, x, views.top, x, views.bottom) < 0.05;
    bool rowBar = false;
    for (int y = midY - views.Height() / 8; y <= midY + views.Height() / 8 && !rowBar; ++y)
        rowBar = GreyShare(screen, views.left, y, views.right, y) < 0.05;
    if (!columnBar || !rowBar)
        return "the panes are not split 2 x 2";

    const int panelX = views.right + 100;
    if (panelX >= screen.width)
        return "no room for the tools panel";
    long lit = 0;
    for (int y = views.top; y <= views.bottom; ++y) {
        const std::uint32_t c = screen.At(panelX, y);
        lit += c != 0 && c != kViewGrey;
    }
    if (lit < views.Height() / 2)
        return "no tools panel beside the views";
    return "";
}

TEST(ScreenshotTest, TheRealWindowShowsFourViewsAndTheToolsPanel)
{
    if (!RealScreen::Available())
        GTEST_SKIP() << "Xvfb is not installed";
    const fs::path program(ORBEL_PROGRAM_PATH);
    ASSERT_TRUE(fs::exists(program));

    RealScreen real;
    ASSERT_TRUE(real.Start(program));
    std::string problem = "no screen";
    // Start-up includes the splash pauses of the plug-in scan (8 s without
    // plug-ins) and may run under the sanitizers on a busy machine.
    for (int attempt = 0; attempt < 240 && !problem.empty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (auto screen = real.Capture())
            problem = DescribeProblem(*screen);
    }
    EXPECT_EQ(problem, "") << real.ProgramLog();
}

}  // namespace
