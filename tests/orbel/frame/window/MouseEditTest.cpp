// A user's first edit in the real window: click an object in the Top view,
// drag it with the move tool, and find it moved with one "Move" step to undo.
// The X server is virtual and the input comes through it as a person's would.
#include "orbel/frame/ProgramHarness.h"
#include "orbel/resources/Resource.h"
#include "orbel/views/MyOrbelView.h"
#include "support/FreshFolder.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

bool Installed(const char* tool) { return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0; }

// A virtual X server for this process; gone with the object.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        folder_ = orbel::test::MakeFreshFolder("orbel-xvfb-");
        const std::string dir = folder_.string();
        const std::string start = "cd '" + dir + "' && (Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp " +
                                  "3>display 2>xvfb.log & echo $! >xvfb.pid; " +
                                  "for i in $(seq 100); do [ -s display ] && break; sleep 0.1; done)";
        if (std::system(start.c_str()) != 0) return;
        std::ifstream in(folder_ / "display");
        int number = -1;
        if (in >> number) display_ = ":" + std::to_string(number);
    }
    ~VirtualDisplay()
    {
        std::system(("kill $(cat '" + folder_.string() + "/xvfb.pid') 2>/dev/null").c_str());
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const std::string& Name() const { return display_; }

private:
    fs::path folder_;
    std::string display_;
};

// Real input goes through the X server; the program sees it once it has
// read its connection, which on a busy machine may take many seconds.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds deadline = orbel::test::kWindowPatience)
{
    return orbel::test::WaitUntil(
        [&] {
            orbel::test::RunUntilIdle();
            return done();
        },
        deadline, std::chrono::milliseconds(10));
}

// Whether the X server shows the frame: clicks sent before it does land on
// the bare screen.
bool FrameShownOn(const std::string& display)
{
    return std::system(("DISPLAY=" + display + " xdotool search --onlyvisible --maxdepth 1 --name . >/dev/null 2>&1").c_str()) == 0;
}

cObjekt3D* MakeSquare()
{
    auto* square = new cObjekt3D;
    for (float z : {-1.0f, 1.0f})
        for (float x : {-1.0f, 1.0f}) square->AddVertex(MeshVertex{x, 0, z, 0, 1, 0, 0, 0});
    for (WORD i : {0, 1, 3, 0, 3, 2}) square->AddIndex(i);
    return square;
}

D3DXVECTOR3 GroundPoint(CMyOrbelView* view, CPoint pixel)
{
    D3DXVECTOR3 origin, direction, point(0, 0, 0);
    view->ScreenToRay(pixel.x, pixel.y, &origin, &direction);
    view->IntersectViewPlane(&point, origin, direction, nullptr);
    return point;
}

}  // namespace

TEST(MouseEdit, AUserDragsAnObjectWithTheMoveToolAndCanUndoIt)
{
    if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    // Before anything makes the application: it must come up on this display.
    VirtualDisplay display;
    ASSERT_FALSE(display.Name().empty()) << "the virtual X server did not start";
    setenv("DISPLAY", display.Name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    ProgramHarness program;
    program.folder.AddFolder("Temp");
    ASSERT_TRUE(program.Start());
    CMainFrame* frame = program.Frame();
    CMyOrbelDoc* document = program.Document();
    ASSERT_NE(document, nullptr);
    cObjekt3D* square = MakeSquare();
    document->AddObject(square);
    document->RedrawViews(nullptr);
    CMyOrbelView* top = frame->GetPaneView(0, 0);
    ASSERT_EQ(top->GetViewKind(), ViewKindTop);
    ASSERT_TRUE(PumpUntil([&] { return top->IsWindowVisible(); }));
    ASSERT_TRUE(PumpUntil([&] { return FrameShownOn(display.Name()); })) << "the X server never showed the frame";
    frame->SendMessage(WM_COMMAND, ID_MOVE_OBJECT);
    ASSERT_EQ(frame->GetTransformMode(), TransformMove);

    // From a point of the square 40 pixels right and 24 up.
    D3DXVECTOR3 grab(0.3f, 0, 0.2f);
    D3DVIEWPORT8 viewport{0, 0, 0, 0, 0, 1};
    CRect client;
    top->GetClientRect(&client);
    viewport.Width = client.Width();
    viewport.Height = client.Height();
    D3DXVECTOR3 pixel;
    D3DXVec3Project(&pixel, &grab, &viewport, &top->m_ProjectionMatrix, &top->m_ViewMatrix, nullptr);
    const CPoint from(static_cast<int>(pixel.x), static_cast<int>(pixel.y));
    const CPoint to(from.x + 40, from.y - 24);
    CPoint screenFrom = from, screenTo = to;
    top->ClientToScreen(&screenFrom);
    top->ClientToScreen(&screenTo);
    const D3DXVECTOR3 expected = GroundPoint(top, to) - GroundPoint(top, from);

    const std::string drag = "DISPLAY=" + display.Name() + " xdotool mousemove " + std::to_string(screenFrom.x) + " " +
                             std::to_string(screenFrom.y) + " sleep 0.2 mousedown 1 sleep 0.2 mousemove " +
                             std::to_string(screenFrom.x + 20) + " " + std::to_string(screenFrom.y - 12) +
                             " sleep 0.2 mousemove " + std::to_string(screenTo.x) + " " + std::to_string(screenTo.y) +
                             " sleep 0.2 mouseup 1";
    std::thread user([&drag] { std::system(drag.c_str()); });
    const bool moved = PumpUntil([&] { return square->m_Position.x >= expected.x - 1e-3f && CWnd::GetCapture() == nullptr; });
    user.join();
    PumpUntil([] { return false; }, std::chrono::milliseconds(300));  // whatever is still on its way

    EXPECT_TRUE(moved) << "position " << square->m_Position.x << ", " << square->m_Position.y;
    ASSERT_EQ(document->m_Selection.m_Objects.GetCount(), 1);
    EXPECT_EQ(document->m_Selection.m_Objects.GetHead(), square);
    EXPECT_NEAR(square->m_Position.x, expected.x, 1e-3f);
    EXPECT_NEAR(square->m_Position.y, expected.z, 1e-3f) << "up the Top view is world +Y";
    EXPECT_EQ(square->m_Position.z, 0.0f);
    EXPECT_STREQ(static_cast<LPCTSTR>(document->m_pUndoManager->GetUndoText()), "&Undo Move \tCtrl+Z");
}
