// Times the drum pattern editor in a running control: opening it until it is drawn and waits
// (bar and template lists, the sound names of eight channels), a grid click until the cell is
// drawn again, and the lists' paste, cover and delete from the chosen menu item until the list is
// refilled and drawn. The song has `bars` bars and the template file `templates` patterns; the
// template file beside the program is put back afterwards. Not a test: it prints its figures.
//   drum_editor_bench [bars] [templates]     default 400 and 400
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "BenchControl_win.h"
#include "DrumPatterns.h"
#include "MusicFixture.h"
#include "com/Create.h"
#include "control/DrumEditorDialog_win.h"
#include "control/SetPlayInfoDialog_win.h"
#include "music/DrumEditForm.h"
#include "records/Dialogs.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

constexpr int kOpenings = 7;
constexpr int kClicks = 200;

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// The list steps of one opening, each a menu item chosen on a list; the timed ones end when the
// list has been refilled and drawn.
enum class Step { Tab, Copy, Paste, Cover, Delete, Close };
struct ListStep {
    Step Of;
    int List, Item;
    const wchar_t* Choose;
};
const ListStep kSteps[] = {{Step::Tab, drum_editor::kBarList, 0, nullptr},
                           {Step::Copy, drum_editor::kBarList, 0, L"复制"},
                           {Step::Paste, drum_editor::kBarList, 1, L"覆盖"},
                           {Step::Cover, drum_editor::kBarList, 1, L"覆盖列表"},
                           {Step::Tab, drum_editor::kTemplateList, 1, nullptr},
                           {Step::Delete, drum_editor::kTemplateList, 0, L"删除"},
                           {Step::Close, 0, 0, nullptr}};
constexpr UINT kRefilled = WM_APP + 7;

struct Figures {
    Clock::time_point Start, Chosen;
    bool Timed = false;
    size_t Next = 0;        // in kSteps
    bool MenuOpen = false;  // the step's menu asked for
    std::vector<double> Opens, Clicks, Pastes, Covers, Deletes;
} g;

// The open popup menu's item of that caption chosen by keys; false while no menu shows.
bool Choose(const wchar_t* caption) {
    HWND popup = nullptr;
    while ((popup = FindWindowExW(nullptr, popup, L"#32768", nullptr)) && !IsWindowVisible(popup)) {
    }
    if (!popup) return false;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    int downs = 0;
    for (int i = 0, items = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[32]{};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 32, MF_BYPOSITION);
        items += *text != 0;
        if (!downs && std::wstring_view(text) == caption) downs = items;
    }
    for (int i = 0; i < downs; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

// After the chosen item has run (and its question is answered), the next message of the queue:
// the list is drawn at once, and the time taken kept.
void Refilled(HWND editor, std::vector<double>& into) {
    RedrawWindow(editor, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    into.push_back(MsSince(g.Chosen));
}

LRESULT CALLBACK ParentProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg != kRefilled) return DefSubclassProc(w, msg, wParam, lParam);
    HWND editor = FindWindowW(L"#32770", L"鼓点编辑...");
    if (FindWindowW(L"#32770", tessaly::kProgramTitle) || !editor) {  // the question still open
        PostMessageW(w, msg, wParam, lParam);
        return 0;
    }
    const Step done = kSteps[wParam].Of;
    Refilled(editor, done == Step::Paste ? g.Pastes : done == Step::Cover ? g.Covers : g.Deletes);
    return 0;
}

HWND g_parent = nullptr;

// One list step a tick: its menu opened, then its item chosen, then the next step.
void ListSteps(HWND editor) {
    if (HWND box = FindWindowW(L"#32770", tessaly::kProgramTitle)) {
        // Delete's question yes, closing's "save the templates?" no.
        g.Chosen = Clock::now();
        PostMessageW(box, WM_COMMAND, kSteps[g.Next - 1].Of == Step::Close ? IDNO : IDYES, 0);
        return;
    }
    if (g.Next >= std::size(kSteps)) return;
    const ListStep& step = kSteps[g.Next];
    HWND list = GetDlgItem(editor, step.List);
    if (step.Of == Step::Close) PostMessageW(editor, WM_CLOSE, 0, 0);
    if (step.Of == Step::Tab) {
        HWND tabs = GetDlgItem(editor, drum_editor::kTab);
        if (list && IsWindowVisible(list)) return void(++g.Next);
        RECT r{};
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(step.Item), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(tabs, WM_LBUTTONUP, 0, at);
        return;
    }
    if (step.Of == Step::Close) return void(++g.Next);
    if (!g.MenuOpen) {
        if (!list || !IsWindowVisible(list)) return;
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(step.Item), 0);
        const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        POINT p{10, step.Item * height + height / 2};
        ClientToScreen(list, &p);
        SetCursorPos(p.x, p.y);
        PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(10, step.Item * height + height / 2));
        g.MenuOpen = true;
        return;
    }
    g.Chosen = Clock::now();
    if (!Choose(step.Choose)) return;
    if (step.Of != Step::Copy) PostMessageW(g_parent, kRefilled, g.Next, 0);
    g.MenuOpen = false;
    ++g.Next;
}

// Runs in the dialogs' own loops once nothing else is waiting, drawing included (a hook would
// slow every message sent): the editor timed, clicked and its lists edited, then both dialogs
// closed.
void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND settings = FindWindowW(L"#32770", L"参数设置...")) PostMessageW(settings, WM_CLOSE, 0, 0);
    HWND editor = FindWindowW(L"#32770", L"鼓点编辑...");
    if (!editor) return;
    if (g.Timed) return ListSteps(editor);
    g.Opens.push_back(MsSince(g.Start));
    g.Timed = true;
    g.Next = 0;
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
}

// What this machine's window system takes to make one plain control, for scale: the editor makes 80.
double ControlMs(HWND parent) {
    constexpr int kMade = 80;
    HWND made[kMade];
    const auto t0 = Clock::now();
    for (HWND& h : made)
        h = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent, nullptr, nullptr, nullptr);
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
    const int templates = argc > 2 ? std::max(1, std::atoi(argv[2])) : 400;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    OleInitialize(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"Tavolin--bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 860,
                                  nullptr, nullptr, nullptr, nullptr);
    g_parent = parent;
    SetWindowSubclass(parent, ParentProc, 1, 0);
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
    Report("bar paste until redrawn", g.Pastes, 16);
    Report("bar cover until redrawn", g.Covers, 16);
    Report("template delete until drawn", g.Deletes, 16);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << kept;
    DestroyWindow(parent);
    OleUninitialize();
    return 0;
}
