// Timing helpers the benchmarks share: rounds of a measurement and their
// minimum and median, so that every figure is printed the same way.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Times per round of one contender.
struct Rounds {
    std::vector<double> values;

    void Add(double value) { values.push_back(value); }
    double Min() const { return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end()); }
    double Median() const
    {
        if (values.empty()) return 0.0;
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : 0.5 * (sorted[n / 2 - 1] + sorted[n / 2]);
    }
};

// Runs `frame` `frames` times after one warm-up call and returns the
// milliseconds per call.
template <class Frame>
double MillisecondsPerFrame(int frames, Frame&& frame)
{
    frame();
    const auto start = Clock::now();
    for (int k = 0; k < frames; ++k) frame();
    return MillisecondsSince(start) / frames;
}

inline void PrintRounds(const char* label, const Rounds& rounds, const char* unit)
{
    std::printf("  %-34s min %9.2f  median %9.2f %s\n", label, rounds.Min(), rounds.Median(), unit);
}

}  // namespace bench
