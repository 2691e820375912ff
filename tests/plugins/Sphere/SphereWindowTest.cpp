// The user's way, on a real window: choose "Sphere" in the Create tab's
// tool list, drag in the Top view, and the sphere shows in all four views.
#include "support/RealScreen.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

using orbel::test::Box;
using orbel::test::RealScreen;
using orbel::test::Screen;

// Where the tools list sits, from the view area's top right corner: the
// panels are laid out in dialog units of fixed size.
constexpr int kToolListFromViewsX = 110;
constexpr int kToolListFromViewsY = 145;
// The list opens over itself with its first line on the box; tools are
// listed by file name, so "Point" comes first and "Sphere" second.
constexpr int kSecondLineBelow = 21;

// Pixels of the default object colour (0, 0, 150), lit or as wire lines.
bool IsObjectBlue(std::uint32_t rgb)
{
    const int r = static_cast<int>((rgb >> 16) & 0xFF);
    const int g = static_cast<int>((rgb >> 8) & 0xFF);
    const int b = static_cast<int>(rgb & 0xFF);
    return b >= 90 && r < 90 && g < 90;
}

// Object-blue pixels in each quadrant of the view area.
std::array<int, 4> BlueByView(const Screen& screen, const Box& views)
{
    std::array<int, 4> counts{};
    const int midX = views.left + views.Width() / 2;
    const int midY = views.top + views.Height() / 2;
    for (int y = views.top; y <= views.bottom; ++y)
        for (int x = views.left; x <= views.right; ++x)
            if (IsObjectBlue(screen.At(x, y)))
                ++counts[(y < midY ? 0 : 2) + (x < midX ? 0 : 1)];
    return counts;
}

std::string Click(int x, int y)
{
    return "mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1";
}

TEST(SphereWindow, DraggingInTheTopViewDrawsASphereSeenInAllFourViews)
{
    if (!RealScreen::Available() || !RealScreen::CanDriveMouse())
        GTEST_SKIP() << "Xvfb or xdotool is not installed";
    const std::filesystem::path program(ORBEL_PROGRAM_PATH);
    ASSERT_TRUE(std::filesystem::exists(program));
    ASSERT_TRUE(std::filesystem::exists(program.parent_path() / "Plugins" / "Sphere.dlc"));

    RealScreen real;
    ASSERT_TRUE(real.Start(program));
    Box views;
    Screen before;
    for (int attempt = 0; attempt < 240; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (auto screen = real.Capture()) {
            views = orbel::test::FindViewArea(*screen);
            before = *screen;
            if (views.Width() >= 200 && views.Height() >= 150)
                break;
        }
    }
    ASSERT_GE(views.Width(), 200) << real.ProgramLog();
    // Let the start-up paints settle before the baseline is taken.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    before = real.Capture().value_or(before);

    const int listX = views.right + kToolListFromViewsX;
    const int listY = views.top + kToolListFromViewsY;
    ASSERT_TRUE(real.XdoTool(Click(listX, listY)));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_TRUE(real.XdoTool(Click(listX, listY + kSecondLineBelow)));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));

    const int centreX = views.left + views.Width() / 4;
    const int centreY = views.top + views.Height() / 4;
    std::string drag = "mousemove " + std::to_string(centreX) + " " + std::to_string(centreY) + " mousedown 1";
    for (int step = 1; step <= 6; ++step)
        drag += " sleep 0.1 mousemove " + std::to_string(centreX + step * 10) + " " + std::to_string(centreY);
    drag += " sleep 0.1 mouseup 1";
    ASSERT_TRUE(real.XdoTool(drag));

    std::array<int, 4> added{};
    const std::array<int, 4> baseline = BlueByView(before, views);
    bool everywhere = false;
    for (int attempt = 0; attempt < 40 && !everywhere; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (auto screen = real.Capture()) {
            const std::array<int, 4> now = BlueByView(*screen, views);
            everywhere = true;
            for (int view = 0; view < 4; ++view) {
                added[view] = now[view] - baseline[view];
                everywhere = everywhere && added[view] > 150;
            }
        }
    }
    EXPECT_TRUE(everywhere) << "new blue pixels in Top, Front, Left, Perspective: " << added[0] << ", "
                            << added[1] << ", " << added[2] << ", " << added[3] << "\n"
                            << real.ProgramLog();
}

}  // namespace
