// The key a user feels: a character posted to the editor inside the running main window, timed
// until the program's queue is empty, so every window it spoiled (editor, status bar, panels and
// their image buttons) has painted; on a 306-page document, at its start and at its end, and at
// the start of one paragraph of 100,000 characters, where a key moves every later line break.
// Not a test: it prints its figures.  program_keystroke_bench [keys, default 200]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ProgramBench_win.h"

namespace {

using tavolin::bench::RunQueue;
using Clock = std::chrono::steady_clock;
constexpr int kPages = 306;

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// One character posted to the editor, until every window it spoiled has painted: milliseconds.
double TimedKey(tavolin::MainWindow& main, HWND editor, int k) {
    const auto t0 = Clock::now();
    PostMessageW(editor, WM_CHAR, '1' + k % 7, 1);
    RunQueue(main);
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    return tavolin::bench::WithProgram(kPages, [&](tavolin::MainWindow& main, notaline::Editor& ed) {
        const HWND editor = main.EditorWindow();
        SetFocus(editor);
        for (const bool atEnd : {false, true}) {
            std::vector<double> times;
            for (int k = 0; k < keys; ++k) {
                main.Editor()->put_SelStart(atEnd ? ed.Data.WordCount() - 1 : 0);
                RunQueue(main);
                times.push_back(TimedKey(main, editor, k));
            }
            std::printf(
                "key posted at the %-5s of %d pages until every window painted: median %.2f ms over %d "
                "keys (at most 16 wanted)\n",
                atEnd ? "end" : "start", ed.Data.PageCount(), Median(times), keys);
        }
        // As the open command does: the pending step closed against the old document, the history new.
        ed.Commands->Undo.EndPendingStep();
        notaline::test::FakeDocumentSource source;
        source.Files[u"long.dadur"] = notaline::bench::Document(1, 100000);
        notaline::LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(main.Handle()),
                             u"long.dadur");
        ed.Commands->Undo.ZeroUnDoReDoVal();
        main.Editor()->put_SelStart(0);
        RunQueue(main);
        std::vector<double> times;
        for (int k = 0; k < keys; ++k) times.push_back(TimedKey(main, editor, k));
        std::printf(
            "keys posted one after another at the start of a %d-character paragraph until every window "
            "painted: median %.2f ms, slowest %.2f ms over %d keys\n",
            ed.Data.WordCount(), Median(times), *std::max_element(times.begin(), times.end()), keys);
    });
}
