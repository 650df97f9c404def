// Drift and jitter of the timer the players run on: 100 ticks of 50 ms, a few runs.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tests/TimerWait_win.h"
#include "win/Tickwell_win.h"

namespace {

using outside::test::NowMs;

void OneRun() {
    win::Tickwell t;
    std::vector<double> at;
    t.Timer = [&] { at.push_back(NowMs()); };
    t.Interval(50);
    const double start = NowMs();
    t.Enabled(true);
    MSG msg;
    while (at.size() < 101 && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    t.Enabled(false);
    std::vector<double> jitter;
    for (size_t i = 1; i < at.size(); ++i) jitter.push_back(std::fabs(at[i] - at[i - 1] - 50));
    std::sort(jitter.begin(), jitter.end());
    // Drift: how much later the last tick is than the first, against the schedule.
    const double drift = (at[100] - start - 50.0 * 101) - (at[0] - start - 50.0);
    std::printf("100 x 50 ms: drift %+.2f ms, jitter p50 %.2f ms, p90 %.2f ms, p99 %.2f ms, max %.2f ms\n", drift,
                jitter[jitter.size() / 2], jitter[jitter.size() * 9 / 10], jitter[jitter.size() * 99 / 100],
                jitter.back());
}

}  // namespace

int main() {
    for (int run = 0; run < 3; ++run) OneRun();
    return 0;
}
