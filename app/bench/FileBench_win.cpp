// The File menu on a 200-page document in the running main window: opening it from the recent
// list until its first page is drawn, keys posted every 20 ms while the backup copy is written
// on a shortened interval, and keys posted every 20 ms while the menu's save writes the document.
// Not a test: it prints its figures.
//   file_bench [backup interval in ms, default half the keys' time] [keys, default 250]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

#include "BenchDocument.h"
#include "DialogAnswers_win.h"
#include "FakeLayout.h"
#include "FileCommands_win.h"
#include "InProcessFactory_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"
#include "RecentFiles.h"
#include "com/Bstr.h"
#include "control/Editor_win.h"
#include "control/IZEVudu.h"
#include "model/layout/LoadJpFile.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Message boxes are answered as soon as they are up: No to the save question, OK otherwise.
void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND box = GetActiveWindow();
    const int button = GetDlgItem(box, IDNO) ? IDNO : IDOK;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

std::vector<Clock::time_point> g_handled;  // when each posted key was done with
struct Tick {
    Clock::time_point start;
    double ms;
};
std::vector<Tick> g_ticks;  // the backup ticks
UINT g_saveCommand = 0;
std::vector<Tick> g_saveCommands;  // the menu's save on the window's thread
std::optional<Clock::time_point> g_saveDone;

LRESULT CALLBACK CountKeys(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    const LRESULT r = DefSubclassProc(h, msg, w, l);
    if (msg == WM_CHAR) g_handled.push_back(Clock::now());
    return r;
}

LRESULT CALLBACK TimeSave(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    static const UINT done = RegisterWindowMessageW(kSaveDoneMessage);
    if (msg == done) g_saveDone = Clock::now();
    if (msg != WM_COMMAND || LOWORD(w) != g_saveCommand) return DefSubclassProc(h, msg, w, l);
    const auto t0 = Clock::now();
    const LRESULT r = DefSubclassProc(h, msg, w, l);
    g_saveCommands.push_back({t0, MsSince(t0)});
    return r;
}

// The gaps between handled keys, sorted.
std::vector<double> KeyGaps() {
    std::vector<double> gaps;
    for (size_t i = 1; i < g_handled.size(); ++i)
        gaps.push_back(std::chrono::duration<double, std::milli>(g_handled[i] - g_handled[i - 1]).count());
    std::sort(gaps.begin(), gaps.end());
    return gaps;
}

LRESULT CALLBACK TimeTicks(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (msg != WM_TIMER || w != tavolin::kBackupTimerId) return DefSubclassProc(h, msg, w, l);
    const auto t0 = Clock::now();
    const LRESULT r = DefSubclassProc(h, msg, w, l);
    g_ticks.push_back({t0, MsSince(t0)});
    return r;
}

// Runs the program's loop until the condition holds or the time is up.
template <class Done>
bool Pump(tavolin::MainWindow& main, Done done, int seconds) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    while (!done() && Clock::now() < deadline) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (main.PreTranslate(m)) continue;
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    return done();
}

fs::path ProgramFolder() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return fs::path(exe).parent_path();
}

// The recent list of the program folder's settings file, put back when the bench ends.
class KeptRecentList {
public:
    KeptRecentList() : file_((ProgramFolder() / L"UserSetInfo.ini").wstring()) {
        for (int i = 0; i < 5; ++i) {
            wchar_t value[32768] = {};
            GetPrivateProfileStringW(tavolin::kRecentSection, tavolin::RecentKey(i + 1).c_str(), L"\x1", value, 32768,
                                     file_.c_str());
            kept_.push_back(value);
        }
    }
    ~KeptRecentList() {
        for (int i = 0; i < 5; ++i)
            WritePrivateProfileStringW(tavolin::kRecentSection, tavolin::RecentKey(i + 1).c_str(),
                                       kept_[i] == L"\x1" ? nullptr : kept_[i].c_str(), file_.c_str());
    }
    KeptRecentList(const KeptRecentList&) = delete;
    KeptRecentList& operator=(const KeptRecentList&) = delete;

private:
    std::wstring file_;
    std::vector<std::wstring> kept_;
};

}  // namespace

int main(int argc, char** argv) {
    const UINT interval = argc > 1 ? static_cast<UINT>(std::atoi(argv[1])) : 0;
    const int keys = argc > 2 ? std::atoi(argv[2]) : 250;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    OleInitialize(nullptr);
    const KeptRecentList keptList;
    const fs::path folder = fs::temp_directory_path() / L"file_bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::wstring path = (folder / L"bench200.DaDur").wstring();
    {
        tavolin::test::InProcessFactory factory;
        tavolin::MainWindow main(factory);
        tavolin::RegisterModules(main);
        if (!main.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, L"")) return 1;
        const tavolin::bench::DialogAnswers answers(Answer);
        notaline::Editor& ed = *factory.hosted->Running();

        // The document written by the editor, then listed as the newest recent file.
        // The bench paragraphs come out at another count of pages here: sized again until 200.
        int paragraphs = 200 * notaline::bench::kParagraphsPerPage;
        for (int round = 0; round < 4 && ed.Data.PageCount() != 200; ++round) {
            if (round > 0) paragraphs = paragraphs * 200 / ed.Data.PageCount();
            notaline::test::FakeDocumentSource source;
            source.Files[u"bench.dadur"] = notaline::bench::Document(paragraphs);
            notaline::LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(main.Handle()),
                                 u"bench.dadur");
        }
        com::Bstr name(path.c_str());
        main.Editor()->SaveFile(name.Ref(), 0);
        main.Hooks().updateRecentFiles(path);
        const UINT recent = main.MenuCommand("最近打开文件", 0);

        std::vector<double> opens;
        for (int run = 0; run < 3; ++run) {
            main.Editor()->put_Modified(VARIANT_FALSE);
            const auto t0 = Clock::now();
            SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(recent, 0), 0);
            RedrawWindow(main.EditorWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            opens.push_back(MsSince(t0));
        }
        std::sort(opens.begin(), opens.end());
        std::printf("recent file of %d pages (%lld bytes) to its first page drawn: median %.0f ms, worst %.0f ms\n",
                    ed.Data.PageCount(), static_cast<long long>(fs::file_size(path)), opens[1], opens[2]);

        // The backup on; keys posted from another thread every 20 ms, with the caret where the
        // document opened and at its end, the timer shortened to tick halfway through each run.
        SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(main.MenuCommand("AutoSave", -1), 0), 0);
        SetWindowSubclass(main.Handle(), TimeTicks, 1, 0);
        SetWindowSubclass(main.EditorWindow(), CountKeys, 1, 0);
        for (const bool atEnd : {false, true}) {
            if (atEnd) main.Editor()->put_SelStart(ed.Data.WordCount() - 1);
            g_handled.clear();
            g_ticks.clear();
            const int32_t before = ed.Data.WordCount();
            std::atomic<bool> posted{false};
            const HWND editor = main.EditorWindow();
            const auto t0 = Clock::now();
            SetTimer(main.Handle(), tavolin::kBackupTimerId, interval ? interval : 10 * keys, nullptr);
            std::thread poster([&] {
                for (int i = 0; i < keys; ++i) {
                    std::this_thread::sleep_until(t0 + std::chrono::milliseconds(20 * i));
                    PostMessageW(editor, WM_CHAR, '1', 1);
                }
                posted = true;
            });
            Pump(
                main, [&] { return posted && static_cast<int>(g_handled.size()) >= keys; }, 120);
            poster.join();
            KillTimer(main.Handle(), tavolin::kBackupTimerId);
            const std::vector<double> gaps = KeyGaps();
            const double longest = gaps.empty() ? 0 : gaps.back();
            // Only ticks between the first and the last key handled count: the queue may hold one after.
            size_t during = 0;
            double worstTick = 0;
            for (const Tick& t : g_ticks)
                if (!g_handled.empty() && t.start > g_handled.front() && t.start < g_handled.back())
                    ++during, worstTick = std::max(worstTick, t.ms);
            std::printf(
                "caret at the %s: %d keys posted every 20 ms, %zu handled in %.0f ms, %d characters added "
                "(%s); gaps between handled keys: median %.0f ms, longest %.0f ms; %zu backup ticks "
                "between the keys, the longest %.0f ms\n",
                atEnd ? "end" : "start", keys, g_handled.size(), MsSince(t0), ed.Data.WordCount() - before,
                ed.Data.WordCount() - before == keys ? "none lost" : "KEYS LOST",
                gaps.empty() ? 0 : gaps[gaps.size() / 2], longest, during, worstTick);
        }
        RemoveWindowSubclass(main.Handle(), TimeTicks, 1);
        SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(main.MenuCommand("AutoSave", -1), 0), 0);

        // The menu's save, posted among keys posted every 20 ms: how long it holds the window's
        // thread, the longest gap between handled keys, and when its outcome was told.
        g_saveCommand = main.MenuCommand("SaveFile", -1);
        SetWindowSubclass(main.Handle(), TimeSave, 1, 0);
        for (int run = 0; run < 3; ++run) {
            g_handled.clear();
            g_saveCommands.clear();
            g_saveDone.reset();
            const int saveKeys = 100;
            std::atomic<bool> posted{false};
            const HWND editor = main.EditorWindow(), window = main.Handle();
            const auto t0 = Clock::now();
            std::thread poster([&] {
                for (int i = 0; i < saveKeys; ++i) {
                    std::this_thread::sleep_until(t0 + std::chrono::milliseconds(20 * i));
                    if (i == 10) PostMessageW(window, WM_COMMAND, MAKEWPARAM(g_saveCommand, 0), 0);
                    PostMessageW(editor, WM_CHAR, '1', 1);
                }
                posted = true;
            });
            Pump(
                main, [&] { return posted && static_cast<int>(g_handled.size()) >= saveKeys && g_saveDone; }, 120);
            poster.join();
            const std::vector<double> gaps = KeyGaps();
            std::printf(
                "menu save of %d pages among %d keys posted every 20 ms: %zu keys handled; the command held the "
                "window %.0f ms, told its outcome %.0f ms after it began; gaps between handled keys: median "
                "%.0f ms, longest %.0f ms\n",
                ed.Data.PageCount(), saveKeys, g_handled.size(),
                g_saveCommands.empty() ? -1.0 : g_saveCommands.front().ms,
                g_saveCommands.empty() || !g_saveDone
                    ? -1.0
                    : std::chrono::duration<double, std::milli>(*g_saveDone - g_saveCommands.front().start).count(),
                gaps.empty() ? 0 : gaps[gaps.size() / 2], gaps.empty() ? 0 : gaps.back());
        }
        RemoveWindowSubclass(main.Handle(), TimeSave, 1);
        RemoveWindowSubclass(main.EditorWindow(), CountKeys, 1);
        main.Editor()->put_Modified(VARIANT_FALSE);
        DestroyWindow(main.Handle());
    }
    fs::remove_all(folder);
    OleUninitialize();
    return 0;
}
