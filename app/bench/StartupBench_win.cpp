// Process start to the first paint of the default document: Tavolin is started and timed until it
// waits for input, which it first does after its window has been shown and painted.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// A visible top-level window of the process with the program's caption.
bool MainWindowShown(DWORD process) {
    struct Search {
        DWORD Process;
        bool Found;
    } search{process, false};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            wchar_t title[16] = L"";
            GetWindowTextW(w, title, 16);
            if (owner == s->Process && IsWindowVisible(w) && std::wcsncmp(title, L"Tavolin--", 9) == 0) s->Found = true;
            return !s->Found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring program = L"Tavolin.exe";
    if (argc > 1) program = argv[1];
    const int runs = 5;
    std::vector<double> times, shown;
    for (int i = 0; i < runs; ++i) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        std::wstring line = L"\"" + program + L"\"";
        const auto start = std::chrono::steady_clock::now();
        if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            std::printf("cannot start the program\n");
            return 1;
        }
        // Where the time goes: the main window shown first, then the program idle after its paint.
        double shownMs = -1;
        while (shownMs < 0 && WaitForInputIdle(pi.hProcess, 5) == WAIT_TIMEOUT) {
            if (MainWindowShown(pi.dwProcessId))
                shownMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
        WaitForInputIdle(pi.hProcess, 60000);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        times.push_back(ms);
        shown.push_back(shownMs);
        std::printf("run %d: %.0f ms (main window shown at %.0f ms)\n", i + 1, ms, shownMs);
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    std::sort(times.begin(), times.end());
    std::sort(shown.begin(), shown.end());
    std::printf("start to first paint, median of %d: %.0f ms; main window shown, median %.0f ms\n", runs,
                times[runs / 2], shown[runs / 2]);
    return 0;
}
