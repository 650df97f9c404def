// The main window's panels under the hand: a live resize of 60 size steps and side-panel drops,
// each timed up to the repaint of the form and the editor it causes; then the font-name box
// filled again with every font of the system. Optional argument: a document to open.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ControlFactory_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"

namespace {

void Flush() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// Milliseconds of one step: the action, what it queued, and the repaint of every window it spoiled.
double Timed(HWND form, const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    Flush();
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Milliseconds this thread has run, apart from the waits for the X server and the Wine server.
double ThreadCpu() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

void Report(const char* what, std::vector<double> times, double cpu) {
    std::sort(times.begin(), times.end());
    std::printf("%s over %zu steps: median %.2f ms, worst %.2f ms, thread CPU %.2f ms a step\n", what, times.size(),
                times[times.size() / 2], times.back(), cpu / times.size());
}

RECT InForm(HWND form, HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    {
        tavolin::DllControlFactory factory;
        tavolin::MainWindow main(factory);
        tavolin::RegisterModules(main);
        const std::wstring document = argc > 1 ? L"\"" + std::wstring(argv[1]) + L"\"" : L"";
        if (!main.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, document)) return 2;
        HWND form = main.Handle();
        SetWindowPos(form, nullptr, 0, 0, 1200, 900, SWP_NOZORDER);
        Timed(form, [] {});

        std::vector<double> resize;
        double cpu = ThreadCpu();
        for (int step = 0; step < 60; ++step) {
            const int by = (step < 30 ? step : 59 - step) * 8;  // shrink, then grow back
            resize.push_back(
                Timed(form, [&] { SetWindowPos(form, nullptr, 0, 0, 1200 - by, 900 - by, SWP_NOZORDER); }));
        }
        Report("live resize", resize, ThreadCpu() - cpu);

        // Both panels shown; the lower one dropped just above the upper one swaps them each time.
        std::vector<double> drops;
        cpu = ThreadCpu();
        for (int step = 0; step < 30; ++step) {
            HWND panels[2] = {main.ControlWindow("FaceFrame", 0), main.ControlWindow("FaceFrame", 1)};
            if (!IsWindowVisible(panels[0]) || !IsWindowVisible(panels[1])) {
                std::printf("panel drop: both side panels must be shown\n");
                break;
            }
            const bool zeroLower = InForm(form, panels[0]).top > InForm(form, panels[1]).top;
            HWND lower = panels[zeroLower ? 0 : 1], upper = panels[zeroLower ? 1 : 0];
            const RECT target = InForm(form, upper);
            POINT at{target.left + 5, target.top - 3};
            MapWindowPoints(form, lower, &at, 1);
            drops.push_back(Timed(form, [&] {
                SendMessageW(lower, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                SendMessageW(lower, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            }));
        }
        if (!drops.empty()) Report("panel drop", drops, ThreadCpu() - cpu);

        std::vector<double> fills;
        cpu = ThreadCpu();
        for (int step = 0; step < 5; ++step) fills.push_back(Timed(form, [&] { tavolin::FillFontBoxes(main); }));
        const LRESULT fonts = SendMessageW(main.ControlWindow("cmbFontName"), CB_GETCOUNT, 0, 0);
        std::printf("font fill with %ld fonts: ", static_cast<long>(fonts));
        Report("", fills, ThreadCpu() - cpu);
        DestroyWindow(form);
    }
    OleUninitialize();
    return 0;
}
