// The real program on a virtual X display: the screen is read back from the
// X server's frame buffer file and must show the four grey views in a 2 x 2
// grid with the tools panel beside them.
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

struct Screen {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00RRGGBB
    std::uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

std::uint32_t BigEndian(const std::vector<unsigned char>& bytes, size_t offset)
{
    return (std::uint32_t(bytes[offset]) << 24) | (std::uint32_t(bytes[offset + 1]) << 16) |
           (std::uint32_t(bytes[offset + 2]) << 8) | std::uint32_t(bytes[offset + 3]);
}

int Shift(std::uint32_t mask)
{
    int shift = 0;
    while (mask != 0 && (mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The X server keeps its screen as an XWD image in the frame buffer folder.
std::optional<Screen> ReadXwd(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 100)
        return std::nullopt;
    const std::uint32_t headerSize = BigEndian(bytes, 0);
    Screen screen;
    screen.width = static_cast<int>(BigEndian(bytes, 4 * 4));
    screen.height = static_cast<int>(BigEndian(bytes, 5 * 4));
    const std::uint32_t byteOrder = BigEndian(bytes, 7 * 4);
    const std::uint32_t bitsPerPixel = BigEndian(bytes, 11 * 4);
    const std::uint32_t bytesPerLine = BigEndian(bytes, 12 * 4);
    const std::uint32_t masks[3] = {BigEndian(bytes, 14 * 4), BigEndian(bytes, 15 * 4), BigEndian(bytes, 16 * 4)};
    const std::uint32_t colours = BigEndian(bytes, 19 * 4);
    const size_t data = headerSize + colours * 12u;
    if (bitsPerPixel != 32 || data + size_t(bytesPerLine) * screen.height > bytes.size())
        return std::nullopt;
    screen.rgb.resize(size_t(screen.width) * screen.height);
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            const size_t at = data + size_t(y) * bytesPerLine + size_t(x) * 4;
            std::uint32_t pixel = 0;
            for (int i = 0; i < 4; ++i) {
                const std::uint32_t byte = bytes[at + i];
                pixel |= byteOrder == 0 ? byte << (8 * i) : byte << (8 * (3 - i));
            }
            std::uint32_t rgb = 0;
            for (int c = 0; c < 3; ++c)
                rgb = (rgb << 8) | (((pixel & masks[c]) >> Shift(masks[c])) & 0xFF);
            screen.rgb[size_t(y) * screen.width + x] = rgb;
        }
    return screen;
}

constexpr std::uint32_t kViewGrey = 0xBEBEBE;

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

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
    // Rows and columns with many grey pixels; single grey pixels of
    // smoothed text elsewhere do not count.
    constexpr int kMinimumRun = 50;
    std::vector<int> greyInRow(screen.height, 0);
    std::vector<int> greyInColumn(screen.width, 0);
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            if (screen.At(x, y) == kViewGrey) {
                ++greyInRow[y];
                ++greyInColumn[x];
            }
    Box views;
    for (int y = 0; y < screen.height; ++y)
        if (greyInRow[y] >= kMinimumRun) {
            views.top = std::min(views.top, y);
            views.bottom = std::max(views.bottom, y);
        }
    for (int x = 0; x < screen.width; ++x)
        if (greyInColumn[x] >= kMinimumRun) {
            views.left = std::min(views.left, x);
            views.right = std::max(views.right, x);
        }
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

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ScreenshotTest, TheRealWindowShowsFourViewsAndTheToolsPanel)
{
    if (std::system("command -v Xvfb >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Xvfb is not installed";
    const fs::path program(ORBEL_PROGRAM_PATH);
    ASSERT_TRUE(fs::exists(program));

    const fs::path work = fs::temp_directory_path() / ("orbel-screen-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(work / "fb");
    const std::string dir = work.string();

    // The server tells its display number through a descriptor; the program
    // keeps its profile and desktop entries in the scratch folder.
    const std::string start =
        "cd '" + dir + "' && (Xvfb -displayfd 3 -screen 0 1600x1200x24 -fbdir fb -nolisten tcp "
        "3>display 2>xvfb.log & echo $! >xvfb.pid; "
        "for i in $(seq 100); do [ -s display ] && break; sleep 0.1; done; "
        "cd '" + program.parent_path().string() + "' && "
        "DISPLAY=:$(cat '" + dir + "/display') QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME='" + dir + "/config' "
        "XDG_DATA_HOME='" + dir + "/data' ./" + program.filename().string() + " >'" + dir + "/orbel.log' 2>&1 & "
        "echo $! >'" + dir + "/orbel.pid')";
    ASSERT_EQ(std::system(start.c_str()), 0);

    std::string problem = "no screen";
    // Start-up includes the splash pauses of the plug-in scan (8 s without
    // plug-ins) and may run under the sanitizers on a busy machine.
    for (int attempt = 0; attempt < 240 && !problem.empty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (auto screen = ReadXwd(work / "fb" / "Xvfb_screen0"))
            problem = DescribeProblem(*screen);
    }

    std::system(("kill $(cat '" + dir + "/orbel.pid') 2>/dev/null; sleep 0.2; kill $(cat '" + dir +
                 "/xvfb.pid') 2>/dev/null")
                    .c_str());
    EXPECT_EQ(problem, "") << ReadText(work / "orbel.log");
    std::error_code ignored;
    fs::remove_all(work, ignored);
}

}  // namespace
