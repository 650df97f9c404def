#pragma once
#include <algorithm>
#include <chrono>

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

}  // namespace bench
