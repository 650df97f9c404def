// Times the drum pattern editor in a running control: opening it until it is drawn and waits
// (bar and template lists, the sound names of eight channels), and a grid click until the cell is
// drawn again. The song has `bars` bars and the template file `templates` patterns; the template
// file beside the program is put back afterwards. Not a test: it prints its figures.
//   drum_editor_bench [bars] [templates]     default 400 and 200
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BenchControl_win.h"
#include "DrumPatterns.h"
#include "MusicFixture.h"
#include "com/Create.h"
#include "control/SetPlayInfoDialog_win.h"
#include "music/DrumEditForm.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

constexpr int kOpenings = 5;
constexpr int kClicks = 200;

double MsSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

struct Figures {
    Clock::time_point Start;
    bool Timed = false;
    std::vector<double> Opens, Clicks;
} g;

// Runs in the dialogs' own loops once nothing else is waiting, drawing included (a hook would
// slow every message sent): the editor timed and clicked, then both dialogs closed.
void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND settings = FindWindowW(L"#32770", L"参数设置...")) PostMessageW(settings, WM_CLOSE, 0, 0);
    HWND editor = FindWindowW(L"#32770", L"鼓点编辑...");
    if (!editor || g.Timed) return;
    g.Opens.push_back(MsSince(g.Start));
    g.Timed = true;
    HWND bars = GetDlgItem(editor, drum_editor::kBarList), grid = GetDlgItem(editor, drum_editor::kGrid);
    SendMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK), reinterpret_cast<LPARAM>(bars));
    RedrawWindow(editor, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < kClicks; ++i) {
        const int cell = i % 64;  // every cell in turn, each at its third step
        const int x = (CellLeft(cell) + 300) / 15, y = (CellTop(cell) + 100) / 15;
        const auto t0 = Clock::now();
        SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        UpdateWindow(grid);
        g.Clicks.push_back(MsSince(t0));
    }
    PostMessageW(editor, WM_CLOSE, 0, 0);
}

// What this machine's window system takes to make one plain control, for scale: the editor makes 80.
double ControlMs(HWND parent) {
    constexpr int kMade = 80;
    HWND made[kMade];
    const auto t0 = Clock::now();
    for (HWND& h : made) h = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent, nullptr, nullptr, nullptr);
    const double ms = MsSince(t0) / kMade;
    for (HWND h : made) DestroyWindow(h);
    return ms;
}

void Report(const char* what, std::vector<double> ms, double wanted) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-28s median %7.2f ms, worst %7.2f ms (at most %.0f wanted), %zu times\n", what, ms[ms.size() / 2],
                ms.back(), wanted, ms.size());
}

}  // namespace

int main(int argc, char** argv) {
    const int bars = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
    const int templates = argc > 2 ? std::max(0, std::atoi(argv[2])) : 200;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    OleInitialize(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"Tavolin--bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 860,
                                  nullptr, nullptr, nullptr, nullptr);
    const std::filesystem::path file(com::ProgramFolder() + L"DrumMod.dat");
    std::string kept;
    if (std::ifstream in{file, std::ios::binary}) kept.assign(std::istreambuf_iterator<char>(in), {});
    tessaly::分析鼓点 patterns;
    patterns.DrumCount(templates);
    for (int i = 0; i < templates; ++i) patterns.DefDrumData(i);
    patterns.SaveDrum(file);

    std::string song = "[";
    for (int i = 0; i < bars; ++i) song += "1234|";
    song.back() = ']';
    {
        bench::BenchControl control(parent, true);
        Editor& ed = control.Editor();
        test::SetSong(ed.Data, song);
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Watch);
        for (int i = 0; i < kOpenings; ++i) {
            g.Start = Clock::now();
            g.Timed = false;
            EditDrum(ed);
        }
        KillTimer(nullptr, timer);
    }
    std::printf("drum pattern editor, %d bar patterns, %d templates; a plain control takes %.2f ms to make here:\n",
                bars, templates, ControlMs(parent));
    std::printf("  the first opening of the run (fonts and classes loaded): %.2f ms\n", g.Opens.front());
    Report("open until drawn", g.Opens, 150);
    Report("grid click until redrawn", g.Clicks, 16);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << kept;
    DestroyWindow(parent);
    OleUninitialize();
    return 0;
}
