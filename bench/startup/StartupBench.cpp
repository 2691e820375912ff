// Start-up: from the start of the program's process to the first present of
// all four views, with whatever plug-ins lie in "Plugins" beside it, printed
// beside the waits the start-up itself prescribes (the splash pauses while
// plug-ins load). Each round starts a fresh process running the program's
// own start-up; it takes the time at which it was launched on its command
// line and reports back when the fourth view has presented.
//
//   bench_startup [rounds]
#include "bench/common/Rounds.h"
#include "orbel/frame/MyOrbelApp.h"
#include "orbel/views/MyOrbelView.h"
#include "tests/support/FreshFolder.h"

#include <d3d8/PresentTarget.h>
#include <d3d8/TestControl.h>
#include <framework/Afx.h>
#include <win32/SleepHook.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

namespace {

using Clock = bench::Clock;

std::int64_t NowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// Passes presents on to the window layer and notes the first present of
// each view; at the fourth it ends the program's message loop.
class PresentWatcher final : public IPresentTarget {
public:
    bool GetClientSize(HWND hWnd, int& width, int& height) override
    {
        return next != nullptr && next->GetClientSize(hWnd, width, height);
    }

    void PresentImage(HWND hWnd, const void* bgra, int width, int height, int pitch) override
    {
        if (next != nullptr)
            next->PresentImage(hWnd, bgra, width, height, pitch);
        if (finishedAt != 0 || dynamic_cast<CMyOrbelView*>(CWnd::FromHandle(hWnd)) == nullptr)
            return;
        views.insert(hWnd);
        if (views.size() < 4)
            return;
        finishedAt = NowNanoseconds();
        // Ends the message loop; the process ends without tearing down.
        PostQuitMessage(0);
    }

    // Images land as late as the window layer lets them; a view has
    // presented once its image has landed.
    bool TakesLateImages() override { return next != nullptr && next->TakesLateImages(); }

    void ImageComing(HWND hWnd) override
    {
        if (next != nullptr)
            next->ImageComing(hWnd);
    }

    IPresentTarget* next = nullptr;
    std::set<HWND> views;
    std::int64_t finishedAt = 0;
};

PresentWatcher g_watcher;
double g_waitedMilliseconds = 0.0;

// The program's application, watching its presents once the window layer
// has registered its target.
class WatchedApp : public CMyOrbelApp {
public:
    BOOL InitInstance() override
    {
        g_watcher.next = D3D8GetPresentTarget();
        D3D8SetPresentTarget(&g_watcher);
        return CMyOrbelApp::InitInstance();
    }
};

WatchedApp theApp;

// One start-up in this process; prints the milliseconds from `launchedAt`
// to the fourth view's first present and those spent in prescribed waits.
int RunChild(std::int64_t launchedAt, char* programName)
{
    orbel::SetSleepHook([](DWORD milliseconds) {
        g_waitedMilliseconds += milliseconds;
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    });
    char* arguments[] = {programName, nullptr};
    AfxWinMain(1, arguments);
    if (g_watcher.finishedAt == 0) {
        std::printf("failed: %zu views presented\n", g_watcher.views.size());
        return 1;
    }
    std::printf("%.3f %.3f\n", static_cast<double>(g_watcher.finishedAt - launchedAt) / 1e6, g_waitedMilliseconds);
    // What shutting down costs is not measured here, and the windows still
    // stand: leave without tearing down.
    std::fflush(stdout);
    std::_Exit(0);
}

std::string Quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

int RunRounds(const char* self, int rounds)
{
    const std::filesystem::path program = std::filesystem::absolute(self);
    // A folder of this run's own: benchmarks started side by side must not
    // clear each other's reports.
    const std::filesystem::path scratch = orbel::test::MakeFreshFolder("orbel-bench-startup-");
    std::filesystem::create_directories(scratch / "home");
    const std::filesystem::path report = scratch / "report.txt";

    std::printf("plug-ins in %s:", (program.parent_path() / "Plugins").string().c_str());
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(program.parent_path() / "Plugins", error))
        std::printf(" %s", entry.path().filename().string().c_str());
    std::printf("\n");

    // A scratch profile, so that the rounds leave the user's alone; offscreen
    // unless a display is given.
    std::string environment = "HOME=" + Quoted(scratch / "home") + " XDG_CONFIG_HOME=" +
                              Quoted(scratch / "home" / "config") + " XDG_DATA_HOME=" +
                              Quoted(scratch / "home" / "data") + " ";
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr)
        environment += "QT_QPA_PLATFORM=offscreen ";

    bench::Rounds total, waits, beyond;
    for (int round = 0; round < rounds; ++round) {
        const std::string command = environment + Quoted(program) + " --child " +
                                    std::to_string(NowNanoseconds()) + " > " + Quoted(report) + " 2>/dev/null";
        const int status = std::system(command.c_str());
        double started = 0.0, waited = 0.0;
        std::ifstream in(report);
        if (status != 0 || !(in >> started >> waited)) {
            std::printf("bench_startup: round %d did not bring up four views\n", round + 1);
            std::filesystem::remove_all(scratch);
            return 1;
        }
        total.Add(started);
        waits.Add(waited);
        beyond.Add(started - waited);
    }
    std::filesystem::remove_all(scratch);

    std::printf("process start to the first present of all four views, %d rounds:\n", rounds);
    bench::PrintRounds("start-up", total, "ms");
    bench::PrintRounds("prescribed waits", waits, "ms");
    bench::PrintRounds("start-up beyond the waits", beyond, "ms");
    std::printf("  beyond the waits: median %.1f ms (target under 150)\n", beyond.Median());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(std::strtoll(argv[2], nullptr, 10), argv[0]);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    return RunRounds(argv[0], rounds);
}
