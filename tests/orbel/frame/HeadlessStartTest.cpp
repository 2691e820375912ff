// The real program started where nobody can answer a window: with the
// toolkit's offscreen platform a failed open is told on standard error and
// the program ends on its own instead of aborting; with no desktop at all it
// says how to start it and exits with status 1.
#include "support/FreshFolder.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
    bool ended = false;  // on its own, within the time allowed
    int status = 0;      // as waitpid reports it
    std::string errors;  // all it wrote to standard error
};

// Runs a copy of the program in a folder of its own, so that its "Temp"
// meets no other program running at the same time; the plug-ins are the
// built ones. The environment is the inherited one, less the variables
// named in `drop`, plus `add` ("NAME=value").
Outcome RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& drop,
                   const std::vector<std::string>& add)
{
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        bool dropped = false;
        for (const std::string& name : drop)
            dropped = dropped || entry.rfind(name + "=", 0) == 0;
        if (!dropped)
            env.push_back(entry);
    }
    env.insert(env.end(), add.begin(), add.end());
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    namespace fs = std::filesystem;
    const fs::path folder = orbel::test::MakeFreshFolder("orbel-headless-");
    fs::create_directories(folder / "Temp");
    fs::create_directory_symlink(fs::path(ORBEL_PROGRAM_PATH).parent_path() / "Plugins", folder / "Plugins");
    fs::copy_file(ORBEL_PROGRAM_PATH, folder / "Orbel");
    std::vector<std::string> argStore{(folder / "Orbel").string()};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    Outcome outcome;
    if (pipe(pipeEnds) != 0)
        return outcome;
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    // Start-up may run under the sanitizers on a busy machine.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd readable{pipeEnds[0], POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            break;
        char buffer[4096];
        const ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
        if (n <= 0) {
            outcome.ended = true;
            break;
        }
        outcome.errors.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    if (!outcome.ended)
        kill(child, SIGKILL);
    waitpid(child, &outcome.status, 0);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return outcome;
}

TEST(HeadlessStart, OffscreenAFileThatCannotBeOpenedIsToldOnStandardErrorWithoutAnAbort)
{
    const std::string missing = (std::filesystem::temp_directory_path() / "orbel-no-such-scene.f3D").string();
    const Outcome outcome = RunProgram({missing}, {}, {"QT_QPA_PLATFORM=offscreen"});
    ASSERT_TRUE(outcome.ended) << outcome.errors;
    EXPECT_TRUE(WIFEXITED(outcome.status)) << "signal " << WTERMSIG(outcome.status) << "\n" << outcome.errors;
    EXPECT_NE(outcome.errors.find("Could not open \"" + missing + "\"."), std::string::npos) << outcome.errors;
    EXPECT_EQ(outcome.errors.find("Unscripted"), std::string::npos) << outcome.errors;
}

TEST(HeadlessStart, WithoutADesktopOneLineSaysHowToStartItAndTheStatusIsOne)
{
    const Outcome outcome = RunProgram({}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, {});
    ASSERT_TRUE(outcome.ended) << outcome.errors;
    ASSERT_TRUE(WIFEXITED(outcome.status)) << outcome.errors;
    EXPECT_EQ(WEXITSTATUS(outcome.status), 1);
    EXPECT_EQ(outcome.errors,
              "Orbel needs a desktop (X11 or Wayland); without one, start it with: xvfb-run -a scripts/run\n");
}

}  // namespace
