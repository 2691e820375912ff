// The real program on a virtual X display, for the few tests that need a
// real window: an Xvfb server of its own, the program started on it from
// its build folder with a scratch profile, the screen read back from the
// server's frame buffer file, and the mouse driven through xdotool.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "FreshFolder.h"
#include "WaitUntil.h"

namespace orbel::test {

struct Screen {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00RRGGBB
    std::uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

namespace xwd {

inline std::uint32_t BigEndian(const std::vector<unsigned char>& bytes, size_t offset)
{
    return (std::uint32_t(bytes[offset]) << 24) | (std::uint32_t(bytes[offset + 1]) << 16) |
           (std::uint32_t(bytes[offset + 2]) << 8) | std::uint32_t(bytes[offset + 3]);
}

inline int Shift(std::uint32_t mask)
{
    int shift = 0;
    while (mask != 0 && (mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

}  // namespace xwd

// The X server keeps its screen as an XWD image in the frame buffer folder.
inline std::optional<Screen> ReadXwd(const std::filesystem::path& file)
{
    using xwd::BigEndian;
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
                rgb = (rgb << 8) | (((pixel & masks[c]) >> xwd::Shift(masks[c])) & 0xFF);
            screen.rgb[size_t(y) * screen.width + x] = rgb;
        }
    return screen;
}

// The views' background.
constexpr std::uint32_t kViewGrey = 0xBEBEBE;

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

// The area of the four views: the rows and columns with many pixels of view
// grey (single grey pixels of smoothed text elsewhere do not count).
inline Box FindViewArea(const Screen& screen)
{
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
    return views;
}

inline std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// One server and one program for the life of the object.
class RealScreen {
public:
    static bool Available() { return std::system("command -v Xvfb >/dev/null 2>&1") == 0; }
    static bool CanDriveMouse() { return std::system("command -v xdotool >/dev/null 2>&1") == 0; }

    RealScreen()
        : work_(orbel::test::MakeFreshFolder("orbel-screen-"))
    {
        std::filesystem::create_directories(work_ / "fb");
    }
    ~RealScreen()
    {
        const std::string dir = work_.string();
        std::system(("kill $(cat '" + dir + "/orbel.pid' 2>/dev/null) 2>/dev/null; sleep 0.2; kill $(cat '" + dir +
                     "/xvfb.pid' 2>/dev/null) 2>/dev/null")
                        .c_str());
        std::error_code ignored;
        std::filesystem::remove_all(work_, ignored);
    }
    RealScreen(const RealScreen&) = delete;
    RealScreen& operator=(const RealScreen&) = delete;

    // Starts the server and the program with these arguments (quoted for
    // the shell by the caller); false when either did not start.
    bool Start(const std::filesystem::path& program, const std::string& arguments = "")
    {
        const std::string dir = work_.string();
        // The server tells its display number through a descriptor; the
        // program keeps its profile and desktop entries in the scratch folder.
        const std::string start =
            "cd '" + dir + "' && (Xvfb -displayfd 3 -screen 0 1600x1200x24 -fbdir fb -nolisten tcp "
            "3>display 2>xvfb.log & echo $! >xvfb.pid; "
            "for i in $(seq 600); do [ -s display ] && break; sleep 0.1; done; "
            "cd '" + program.parent_path().string() + "' && "
            "DISPLAY=:$(cat '" + dir + "/display') QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME='" + dir + "/config' "
            "XDG_DATA_HOME='" + dir + "/data' ./" + program.filename().string() + " " + arguments + " >'" + dir +
            "/orbel.log' 2>&1 & "
            "echo $! >'" + dir + "/orbel.pid')";
        return std::system(start.c_str()) == 0;
    }

    std::optional<Screen> Capture() const { return ReadXwd(work_ / "fb" / "Xvfb_screen0"); }

    // The first capture that shows what the test waits for, or nothing once
    // the deadline has passed.
    std::optional<Screen> CaptureWhen(const std::function<bool(const Screen&)>& shows,
                                      std::chrono::milliseconds deadline = kWindowPatience) const
    {
        std::optional<Screen> shown;
        const bool seen = WaitUntil(
            [&] {
                shown = Capture();
                return shown && shows(*shown);
            },
            deadline, std::chrono::milliseconds(250));
        return seen ? shown : std::nullopt;
    }

    // How many windows the server shows at the top level: a menu or a
    // drop-down list that opens adds one, and takes the keys and clicks.
    int ShownWindows() const
    {
        const std::string command = "DISPLAY=:$(cat '" + work_.string() +
                                    "/display') xdotool search --onlyvisible --maxdepth 1 --name '' 2>/dev/null";
        FILE* out = popen(command.c_str(), "r");
        if (out == nullptr)
            return -1;
        int lines = 0;
        for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out))
            lines += c == '\n';
        pclose(out);
        return lines;
    }

    // Runs xdotool with these arguments on the program's display.
    bool XdoTool(const std::string& arguments) const
    {
        const std::string command =
            "DISPLAY=:$(cat '" + work_.string() + "/display') xdotool " + arguments + " >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }

    std::string ProgramLog() const { return ReadText(work_ / "orbel.log"); }

private:
    std::filesystem::path work_;
};

}  // namespace orbel::test
