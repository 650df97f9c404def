// Process start to the first paint of the default document: Tavolin is started and timed until it
// waits for input, which it first does after its window has been shown and painted.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    std::wstring program = L"Tavolin.exe";
    if (argc > 1) program = argv[1];
    const int runs = 5;
    std::vector<double> times;
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
        WaitForInputIdle(pi.hProcess, 60000);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        times.push_back(ms);
        std::printf("run %d: %.0f ms\n", i + 1, ms);
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    std::sort(times.begin(), times.end());
    std::printf("start to first paint, median of %d: %.0f ms\n", runs, times[runs / 2]);
    return 0;
}
