// The real program on a virtual X display, driven through its menu bar:
// Select All, Delete and Undo on a scene opened from the command line.
#include "../FrameFixture.h"

#include "support/RealScreen.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

namespace {

using orbel::test::Box;
using orbel::test::RealScreen;
using orbel::test::Screen;
using orbel::test::WaitUntil;

// Wire lines of the default object colour (0, 0, 150); the axis triads'
// blue is brighter.
int BluePixels(const Screen& screen, const Box& views)
{
    int count = 0;
    for (int y = views.top; y <= views.bottom; ++y)
        for (int x = views.left; x <= views.right; ++x)
            count += screen.At(x, y) == 0x000096;
    return count;
}

// Pixels right of the views that differ between the two captures: the
// panel there names what is selected.
constexpr int kSelectionShownPixels = 50;

int PanelPixelsChanged(const Screen& before, const Screen& now, const Box& views)
{
    int count = 0;
    for (int y = views.top; y <= views.bottom; ++y)
        for (int x = views.right + 1; x < now.width; ++x)
            count += now.At(x, y) != before.At(x, y);
    return count;
}

// A scene of two large strips, written by the program itself.
class SceneWriter : public FrameTest {
public:
    void TestBody() override {}
    void Write(const std::filesystem::path& file)
    {
        SetUp();
        for (int i = 0; i < 2; ++i) {
            cObjekt3D* object = AddStrip(8);
            for (INT_PTR v = 0; v < object->m_Vertices.GetSize(); ++v) {
                object->m_Vertices[v].x = object->m_Vertices[v].x * 2.0f - 4.0f + static_cast<float>(i);
                object->m_Vertices[v].y *= 4.0f;
                object->m_Vertices[v].z = object->m_Vertices[v].y;
            }
        }
        ASSERT_TRUE(document->OnSaveDocument(file.string().c_str()));
    }
};

class MenuWindow : public ::testing::Test {
protected:
    // Waits until the blue count satisfies the test and returns the last
    // count. The views are found again in every capture: the frame may still
    // be laying itself out when the first one is taken.
    template <typename Predicate>
    int WaitForBlue(RealScreen& real, Predicate done)
    {
        int blue = -1;
        real.CaptureWhen([&](const Screen& screen) {
            blue = BluePixels(screen, orbel::test::FindViewArea(screen));
            return done(blue);
        });
        return blue;
    }

    // Opens the Edit menu and waits until it shows: keys sent before it is
    // up would reach the frame instead.
    bool OpenEditMenu(RealScreen& real)
    {
        return real.XdoTool("key alt+e") && WaitUntil([&] { return real.ShownWindows() > frameWindows_; });
    }

    // Chooses the highlighted item and waits until the menu has closed.
    bool ChooseAndClose(RealScreen& real)
    {
        return real.XdoTool("key Return") && WaitUntil([&] { return real.ShownWindows() == frameWindows_; });
    }

    int frameWindows_ = 0;
};

TEST_F(MenuWindow, SelectAllDeleteAndUndoThroughTheMenuBar)
{
    if (!RealScreen::Available() || !RealScreen::CanDriveMouse())
        GTEST_SKIP() << "Xvfb or xdotool is not installed";
    ASSERT_TRUE(std::filesystem::exists(ORBEL_PROGRAM_PATH));
    // A program folder of its own, so that its "Temp" snapshots meet no
    // other program running at the same time.
    const std::filesystem::path folder = orbel::test::MakeFreshFolder("orbel-menu-");
    std::filesystem::create_directories(folder / "Temp");
    std::filesystem::create_directories(folder / "Plugins");
    const std::filesystem::path program = folder / "Orbel";
    std::filesystem::copy_file(ORBEL_PROGRAM_PATH, program, std::filesystem::copy_options::overwrite_existing);
    const std::filesystem::path scene = folder / "scene.f3D";
    {
        SceneWriter writer;
        writer.Write(scene);
    }
    ASSERT_TRUE(std::filesystem::exists(scene));

    RealScreen real;
    ASSERT_TRUE(real.Start(program, "'" + scene.string() + "'"));
    Box views;
    for (int attempt = 0; attempt < 240 && (views.Width() < 200 || views.Height() < 150); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (auto screen = real.Capture())
            views = orbel::test::FindViewArea(*screen);
    }
    ASSERT_GE(views.Width(), 200) << real.ProgramLog();
    const int shown = WaitForBlue(real, [](int blue) { return blue > 200; });
    ASSERT_GT(shown, 200) << real.ProgramLog();

    frameWindows_ = real.ShownWindows();
    const std::optional<Screen> unselected = real.Capture();
    ASSERT_TRUE(unselected);
    // Where the panel is now; the first views found may predate the layout.
    const Box laidOut = orbel::test::FindViewArea(*unselected);
    // Only Select All is enabled in the Edit menu of a scene without history.
    ASSERT_TRUE(OpenEditMenu(real)) << "the Edit menu did not open\n" << real.ProgramLog();
    ASSERT_TRUE(ChooseAndClose(real)) << "the Edit menu did not close\n" << real.ProgramLog();
    // The next menu must be built after the command ran, or it offers no
    // Delete yet.
    int panelChanged = 0;
    const bool selectionShown = real.CaptureWhen([&](const Screen& screen) {
        panelChanged = PanelPixelsChanged(*unselected, screen, laidOut);
        return panelChanged > kSelectionShownPixels;
    }).has_value();
    ASSERT_TRUE(selectionShown) << "the panel did not show the selection (" << panelChanged
                                << " pixels changed right of the views, which end at x " << laidOut.right
                                << ", first found ending at x " << views.right << ")\n"
                                << real.ProgramLog();
    ASSERT_TRUE(OpenEditMenu(real)) << "the Edit menu did not open again\n" << real.ProgramLog();
    // The menu opens on its first enabled item, "Undo Select All"; the
    // next enabled one is "Delete".
    ASSERT_TRUE(real.XdoTool("key Down"));
    ASSERT_TRUE(ChooseAndClose(real)) << "the Edit menu did not close\n" << real.ProgramLog();
    const int deleted = WaitForBlue(real, [](int blue) { return blue < 20; });
    EXPECT_LT(deleted, 20) << "shown " << shown << "\n" << real.ProgramLog();

    ASSERT_TRUE(OpenEditMenu(real)) << "the Edit menu did not open\n" << real.ProgramLog();
    ASSERT_TRUE(ChooseAndClose(real)) << "\"Undo Delete\" did not close the menu\n" << real.ProgramLog();
    const int restored = WaitForBlue(real, [shown](int blue) { return blue > shown / 2; });
    EXPECT_GT(restored, shown / 2) << real.ProgramLog();

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace
