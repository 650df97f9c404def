#pragma once
// What the timer's tests and bench share: a millisecond clock and a message loop that runs until
// a condition holds.
#include <windows.h>

#include <algorithm>

namespace outside::test {

inline double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Dispatches this thread's messages until `done` holds; false after `limitMs` without it.
template <class Condition>
bool PumpUntil(Condition done, double limitMs = 20000) {
    const double end = NowMs() + limitMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (done()) return true;
        const double left = end - NowMs();
        if (left <= 0) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min(left, 50.0)) + 1, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

}  // namespace outside::test
