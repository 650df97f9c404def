// The main window's panels under the hand: a live resize of 60 size steps and side-panel drops,
// each timed up to the repaint of the form and the editor it causes; then the font-name box
// filled again with every font of the system. Optional argument: a document to open. Beside the
// program's resize, the same steps of an empty window, of one holding only the editor's frame and
// of one holding only a plain child at the editor's place.
// With --windows, the resize also lists which windows painted in it, how often and for how long.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ControlFactory_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"

namespace {

// The paint messages of each window during a step: counts and the time inside their handlers,
// the children's own messages taken out of their parent's.
struct PaintTally {
    int Count = 0;
    double Ms = 0;
    double Area = 0;  // of the update rectangles met by WM_PAINT
};
bool gTallying = false;
std::map<std::pair<std::wstring, UINT>, PaintTally> gTally;
struct Open {
    HWND Window;
    UINT Message;
    std::chrono::steady_clock::time_point Start;
    double Children;
};
std::vector<Open> gOpen;

struct Tallied {
    UINT Message;
    const char* Name;
};
constexpr Tallied kTallied[] = {{WM_PAINT, "WM_PAINT"},
                                {WM_NCPAINT, "WM_NCPAINT"},
                                {WM_ERASEBKGND, "WM_ERASEBKGND"},
                                {WM_SIZE, "WM_SIZE"},
                                {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
                                {WM_SETREDRAW, "WM_SETREDRAW"}};

const char* TalliedName(UINT msg) {
    for (const Tallied& t : kTallied)
        if (t.Message == msg) return t.Name;
    return nullptr;
}

std::wstring WindowName(HWND w) {
    wchar_t cls[64]{}, parentCls[64]{};
    GetClassNameW(w, cls, 64);
    GetClassNameW(GetAncestor(w, GA_PARENT), parentCls, 64);
    return std::wstring(cls) + L" " + std::to_wstring(GetDlgCtrlID(w)) + L" in " + parentCls;
}

void Enter(HWND w, UINT msg) {
    if (gTallying && msg == WM_PAINT) {
        RECT r{};
        GetUpdateRect(w, &r, FALSE);
        gTally[{WindowName(w), msg}].Area += static_cast<double>(r.right - r.left) * (r.bottom - r.top);
    }
    if (gTallying && TalliedName(msg)) gOpen.push_back({w, msg, std::chrono::steady_clock::now(), 0});
}

void Leave(HWND w, UINT msg) {
    if (!gTallying || !TalliedName(msg) || gOpen.empty() || gOpen.back().Window != w || gOpen.back().Message != msg)
        return;
    const Open o = gOpen.back();
    gOpen.pop_back();
    const double all = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - o.Start).count();
    if (!gOpen.empty()) gOpen.back().Children += all;
    PaintTally& t = gTally[{WindowName(w), msg}];
    ++t.Count;
    t.Ms += all - o.Children;
}

LRESULT CALLBACK BeforeProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
        Enter(m->hwnd, m->message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        auto* m = reinterpret_cast<CWPRETSTRUCT*>(lParam);
        Leave(m->hwnd, m->message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void PrintTally(int steps) {
    std::vector<std::pair<double, std::string>> rows;
    for (const auto& [key, t] : gTally) {
        const char* name = TalliedName(key.second);
        char line[300];
        std::snprintf(line, sizeof line, "  %7.3f ms %6.2f a step  %-20s %ls  %.0f px", t.Ms / steps,
                      static_cast<double>(t.Count) / steps, name, key.first.c_str(), t.Count ? t.Area / t.Count : 0.0);
        rows.push_back({t.Ms, line});
    }
    std::sort(rows.rbegin(), rows.rend());
    for (const auto& row : rows) std::printf("%s\n", row.second.c_str());
}

void Flush() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        Enter(m.hwnd, m.message);
        DispatchMessageW(&m);
        Leave(m.hwnd, m.message);
    }
}

double gPhases[3]{};  // the action, the queued messages, the repaint

// Milliseconds of one step: the action, what it queued, and the repaint of every window it spoiled.
double Timed(HWND form, const std::function<void()>& action) {
    using Clock = std::chrono::steady_clock;
    auto ms = [](Clock::time_point a, Clock::time_point b) {
        return std::chrono::duration<double, std::milli>(b - a).count();
    };
    const auto start = Clock::now();
    action();
    const auto acted = Clock::now();
    Flush();
    const auto flushed = Clock::now();
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    const auto end = Clock::now();
    gPhases[0] += ms(start, acted);
    gPhases[1] += ms(acted, flushed);
    gPhases[2] += ms(flushed, end);
    return ms(start, end);
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

// An empty window holding one child of the given style, kept at the editor's place as the window
// is resized: with the editor's border and both scroll bars, the least a step with that frame
// costs; with neither, the least a step with any child there costs.
LRESULT CALLBACK FramedProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE) {
        if (HWND child = GetWindow(w, GW_CHILD); child && GetPropW(w, L"editor")) {
            const auto* at = static_cast<const RECT*>(GetPropW(w, L"editor"));
            MoveWindow(child, at->left, at->top, std::max<LONG>(1, LOWORD(lParam) - at->right),
                       std::max<LONG>(1, HIWORD(lParam) - at->bottom), TRUE);
        }
        return 0;
    }
    return DefWindowProcW(w, msg, wParam, lParam);
}

HWND FramedWindow(const RECT& editorMargins, DWORD childStyle) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FramedProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"PanelBenchFramed";
    RegisterClassExW(&wc);
    // The child paints nothing of its own, so only its move and its frame are timed.
    WNDCLASSEXW cc{};
    cc.cbSize = sizeof cc;
    cc.lpfnWndProc = DefWindowProcW;
    cc.lpszClassName = L"PanelBenchChild";
    RegisterClassExW(&cc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"framed", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                             1200, 900, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExW(0, cc.lpszClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | childStyle, 0, 0,
                                 10, 10, w, nullptr, nullptr, nullptr);
    // Setting a bar shows it: a child without the styles gets none.
    for (int bar : {SB_VERT, SB_HORZ}) {
        if (!(childStyle & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) continue;
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 1000, 600, 0, 0};
        SetScrollInfo(child, bar, &si, FALSE);
    }
    SetPropW(w, L"editor", const_cast<RECT*>(&editorMargins));
    RECT client{};
    GetClientRect(w, &client);
    SendMessageW(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return w;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    {
        tavolin::DllControlFactory factory;
        tavolin::MainWindow main(factory);
        tavolin::RegisterModules(main);
        const bool windows = argc > 1 && std::wstring(argv[1]) == L"--windows";
        if (windows) {
            --argc;
            ++argv;
        }
        const std::wstring document = argc > 1 ? L"\"" + std::wstring(argv[1]) + L"\"" : L"";
        if (!main.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, document)) return 2;
        HWND form = main.Handle();
        SetWindowPos(form, nullptr, 0, 0, 1200, 900, SWP_NOZORDER);
        Timed(form, [] {});

        HHOOK before = windows ? SetWindowsHookExW(WH_CALLWNDPROC, BeforeProc, nullptr, GetCurrentThreadId()) : nullptr;
        HHOOK after =
            windows ? SetWindowsHookExW(WH_CALLWNDPROCRET, AfterProc, nullptr, GetCurrentThreadId()) : nullptr;
        gTallying = windows;
        std::fill(std::begin(gPhases), std::end(gPhases), 0.0);
        // Shrunk, then grown back, in 8-pixel steps: the program's window, and an empty window of the
        // same style beside it in the same run, the least any resize step costs under this Wine.
        auto liveResize = [](HWND w, std::vector<double>& times) {
            const double cpu = ThreadCpu();
            for (int step = 0; step < 60; ++step) {
                const int by = (step < 30 ? step : 59 - step) * 8;
                times.push_back(Timed(w, [&] { SetWindowPos(w, nullptr, 0, 0, 1200 - by, 900 - by, SWP_NOZORDER); }));
            }
            return ThreadCpu() - cpu;
        };
        std::vector<double> resize;
        const double cpu0 = liveResize(form, resize);
        double phases[3];
        std::copy(std::begin(gPhases), std::end(gPhases), phases);
        gTallying = false;
        std::vector<double> emptyResize;
        HWND empty = CreateWindowExW(0, L"STATIC", L"empty", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200, 900, nullptr,
                                     nullptr, nullptr, nullptr);
        Timed(empty, [] {});
        const double emptyCpu = liveResize(empty, emptyResize);
        DestroyWindow(empty);
        // The editor's frame in an empty window, at the editor's place in the form: margins from
        // the form's client edges.
        RECT client{}, editor = InForm(form, main.ControlWindow("ZEVudu1"));
        GetClientRect(form, &client);
        const RECT margins{editor.left, editor.top, client.right - editor.right + editor.left,
                           client.bottom - editor.bottom + editor.top};
        const auto childResize = [&](DWORD style, std::vector<double>& steps) {
            HWND framed = FramedWindow(margins, style);
            Timed(framed, [] {});
            const double childCpu = liveResize(framed, steps);
            DestroyWindow(framed);
            return childCpu;
        };
        std::vector<double> systemBarsResize, framedResize, plainResize;
        const double systemBarsCpu = childResize(WS_BORDER | WS_VSCROLL | WS_HSCROLL, systemBarsResize);
        const double framedCpu = childResize(WS_BORDER, framedResize);
        const double plainCpu = childResize(0, plainResize);
        std::copy(std::begin(phases), std::end(phases), gPhases);
        double cpu = cpu0;
        Report("live resize", resize, cpu);
        Report("empty window's live resize", emptyResize, emptyCpu);
        Report("empty window with a bordered child with the system's scroll bars, live resize", systemBarsResize,
               systemBarsCpu);
        Report("empty window with the editor's frame (a border), live resize", framedResize, framedCpu);
        Report("empty window with a plain child at the editor's place, live resize", plainResize, plainCpu);
        auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        const double emptyMedian = std::max(median(emptyResize), 0.001);
        const double ratio = median(resize) / emptyMedian;
        std::printf(
            "live resize against the empty window's, medians: %.2f (at most 1.5 wanted: %s); the editor's frame "
            "alone: %.2f; a plain child alone: %.2f; a child with the system's scroll bars: %.2f\n",
            ratio, ratio <= 1.5 ? "met" : "not met", median(framedResize) / emptyMedian,
            median(plainResize) / emptyMedian, median(systemBarsResize) / emptyMedian);
        if (windows) {
            gTallying = false;
            UnhookWindowsHookEx(before);
            UnhookWindowsHookEx(after);
            const double steps = static_cast<double>(resize.size());
            std::printf("  a step: the move %.2f ms, queued messages %.2f ms, repaint %.2f ms (means)\n",
                        gPhases[0] / steps, gPhases[1] / steps, gPhases[2] / steps);
            PrintTally(static_cast<int>(resize.size()));
        }

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
