// Waiting on a condition instead of a fixed time: tests that drive a real
// window poll for what they expect to see, so a busy machine only makes them
// slower, and a real fault still ends in a failure once the deadline passes.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace orbel::test {

// Long enough for a start-up or a repaint on a loaded CI machine.
constexpr std::chrono::seconds kWindowPatience{60};

// Polls done() until it holds (true) or the deadline has passed (false).
// done() is asked once more after the deadline, so a slow last step counts.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds deadline = kWindowPatience,
                      std::chrono::milliseconds interval = std::chrono::milliseconds(100))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(interval);
    }
    return done();
}

}  // namespace orbel::test
