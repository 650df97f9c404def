// Process start to the main window's first paint of the default document: Tavolin is started and
// watched until its main window is shown and it and every window in it have nothing left to
// paint. WaitForInputIdle is no such sign: under Wine it can return before the window is shown.
// Not a test: it prints its figures.  startup_bench [program, default Tavolin.exe] [runs, default 5]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "win/KernelHandles.h"

namespace {

using Clock = std::chrono::steady_clock;

// The visible top-level window of the process with the program's caption.
HWND MainWindowOf(DWORD process) {
    struct Search {
        DWORD Process;
        HWND Found;
    } search{process, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            wchar_t title[16] = L"";
            GetWindowTextW(w, title, 16);
            if (owner == s->Process && IsWindowVisible(w) && std::wcsncmp(title, L"Tavolin--", 9) == 0) s->Found = w;
            return s->Found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// Nothing left to paint in the window and the visible windows in it.
bool Painted(HWND main) {
    if (GetUpdateRect(main, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(
        main,
        [](HWND w, LPARAM p) -> BOOL {
            if (IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE)) *reinterpret_cast<bool*>(p) = true;
            return !*reinterpret_cast<bool*>(p);
        },
        reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring program = L"Tavolin.exe";
    if (argc > 1) program = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    std::vector<double> painted, shown;
    for (int i = 0; i < runs; ++i) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        std::wstring line = L"\"" + program + L"\"";
        const auto start = Clock::now();
        if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            std::printf("cannot start the program\n");
            return 1;
        }
        const win::KernelHandle thread(pi.hThread), process(pi.hProcess);
        auto since = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); };
        double shownMs = -1, paintedMs = -1;
        while (paintedMs < 0 && since() < 60000 && WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT) {
            const HWND main = MainWindowOf(pi.dwProcessId);
            if (!main) continue;
            if (shownMs < 0) shownMs = since();
            if (Painted(main)) paintedMs = since();
        }
        painted.push_back(paintedMs);
        shown.push_back(shownMs);
        std::printf("run %d: first paint at %.0f ms (main window shown at %.0f ms)\n", i + 1, paintedMs, shownMs);
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
    }
    std::printf(
        "start to the main window's first paint, median of %d: %.0f ms (at most 1500 wanted); shown, median "
        "%.0f ms\n",
        runs, Median(painted), Median(shown));
    return 0;
}
