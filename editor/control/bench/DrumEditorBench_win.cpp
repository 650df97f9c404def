// Times the drum pattern editor in a running control: opening it until every control is drawn
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
constexpr UINT kOpened = WM_APP + 7;

double MsSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

struct Figures {
    Clock::time_point Start;
    std::vector<double> Opens, Clicks;
} g;

// Sees every dialog of the thread: the editor timed and clicked, then both dialogs closed.
LRESULT CALLBACK Watch(int code, WPARAM w, LPARAM l) {
    const auto& c = *reinterpret_cast<const CWPRETSTRUCT*>(l);
    wchar_t title[32]{};
    if (code == HC_ACTION && (c.message == WM_INITDIALOG || c.message == kOpened)) GetWindowTextW(c.hwnd, title, 32);
    if (code == HC_ACTION && c.message == WM_INITDIALOG)
        PostMessageW(c.hwnd, std::wstring(title) == L"鼓点编辑..." ? kOpened : WM_CLOSE, 0, 0);
    if (code == HC_ACTION && c.message == kOpened) {
        RedrawWindow(c.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        g.Opens.push_back(MsSince(g.Start));
        HWND bars = GetDlgItem(c.hwnd, drum_editor::kBarList), grid = GetDlgItem(c.hwnd, drum_editor::kGrid);
        SendMessageW(c.hwnd, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK), reinterpret_cast<LPARAM>(bars));
        UpdateWindow(c.hwnd);
        for (int i = 0; i < kClicks; ++i) {
            const int cell = i % 64;  // every cell in turn, each at its third step
            const int x = (CellLeft(cell) + 300) / 15, y = (CellTop(cell) + 100) / 15;
            const auto t0 = Clock::now();
            SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            UpdateWindow(grid);
            g.Clicks.push_back(MsSince(t0));
        }
        PostMessageW(c.hwnd, WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, w, l);
}

void Report(const char* what, std::vector<double> ms, double wanted) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-28s median %7.2f ms, worst %7.2f ms (at most %.0f wanted), %zu runs\n", what, ms[ms.size() / 2],
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
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, Watch, nullptr, GetCurrentThreadId());
        for (int i = 0; i < kOpenings; ++i) {
            g.Start = Clock::now();
            EditDrum(ed);
        }
        UnhookWindowsHookEx(hook);
    }
    std::printf("drum pattern editor, %d bar patterns, %d templates:\n", bars, templates);
    Report("open until drawn", g.Opens, 150);
    Report("grid click until redrawn", g.Clicks, 16);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << kept;
    DestroyWindow(parent);
    OleUninitialize();
    return 0;
}
