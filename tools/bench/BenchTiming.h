#pragma once
#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>

namespace bench {

// The best of several runs, in milliseconds: the least disturbed by the rest of the machine.
template <class F>
double BestMs(int runs, F&& f) {
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        f();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return best;
}

// The best of several rounds for each of fs, in milliseconds, each f taken in turn in every
// round: a slow spell of the machine falls on them alike, so that their ratios hold.
template <class... F>
std::array<double, sizeof...(F)> BestOfEachMs(int rounds, F&&... fs) {
    std::array<double, sizeof...(F)> best;
    best.fill(1e300);
    for (int r = 0; r < rounds; ++r) {
        size_t k = 0;
        ((best[k] = std::min(best[k], BestMs(1, fs)), ++k), ...);
    }
    return best;
}

}  // namespace bench
