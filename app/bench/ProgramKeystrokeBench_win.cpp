// The key a user feels: a character posted to the editor inside the running main window, timed
// until the program's queue is empty, so every window it spoiled (editor, status bar, panels and
// their image buttons) has painted; on a 306-page document, at its start and at its end, and at
// the start of one paragraph of 100,000 characters, where a key moves every later line break.
// With "kinds", each kind of key instead (typed, Delete, Backspace and typing over a selection of
// three, a paste of 100 characters, bold on ten) at the start, middle and end of a paragraph of
// 2,000,000 characters, and at the start, middle and end of 10,000 paragraphs of 100 characters,
// against a one-page song, side by side in one run.
// Not a test: it prints its figures.  program_keystroke_bench [keys, default 200] [kinds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ProgramBench_win.h"
#include "model/layout/ParagraphEnds.h"

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

// Loads a document of `paragraphs` paragraphs of `length` characters, its history new, as the
// open command does.
void Load(tavolin::MainWindow& main, notaline::Editor& ed, int paragraphs, int length) {
    ed.Commands->Undo.EndPendingStep();
    notaline::test::FakeDocumentSource source;
    source.Files[u"kinds.dadur"] = notaline::bench::Document(paragraphs, length);
    notaline::LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(main.Handle()), u"kinds.dadur");
    ed.Commands->Undo.ZeroUnDoReDoVal();
    RunQueue(main);
}

enum Kind { kTyped, kDelete, kBackspaceOver, kTypeOver, kPaste, kBold, kKinds };
const char* const kKindNames[kKinds] = {"typed key",   "Delete",    "Backspace on 3",
                                        "type over 3", "paste 100", "bold on 10"};

struct Figure {
    double Median = 0;
    double Slowest = 0;
};

// `keys` keys of the kind at the place (0 start, 1 middle, 2 ten characters before the end) of
// paragraph `para` of `length` characters, each until every window painted.
Figure KeysOfKind(tavolin::MainWindow& main, notaline::Editor& ed, Kind kind, int para, int length, int place,
                  int keys) {
    const HWND editor = main.EditorWindow();
    IZEVudu* z = main.Editor();
    std::vector<double> times;
    for (int k = 0; k < keys; ++k) {
        int32_t at = para * length + (place == 0 ? 0 : length / 2);
        if (place == 2) at = notaline::ParagraphEndFrom(ed.Data, para * length) - 10;
        const int selected = kind == kBackspaceOver || kind == kTypeOver ? 3 : kind == kBold ? 10 : 0;
        z->put_SelStart(at);
        z->put_SelLength(selected);
        // In view, as the click or the keys that put the caret there would leave it: the jump
        // (and the join-up of a paragraph the last key cut short that it may bring) is not the key.
        ed.Renderer->EnsureWordVisible(at);
        ed.Refresh(tessaly::AutoRefresh);
        RunQueue(main);
        const auto t0 = Clock::now();
        switch (kind) {
            case kTyped:
            case kTypeOver: PostMessageW(editor, WM_CHAR, '1' + k % 7, 1); break;
            case kDelete: PostMessageW(editor, WM_KEYDOWN, VK_DELETE, 1); break;
            case kBackspaceOver: PostMessageW(editor, WM_CHAR, 8, 1); break;
            case kPaste: PostMessageW(editor, WM_PASTE, 0, 0); break;
            default: z->put_SelFontBold(k % 2 ? VARIANT_FALSE : VARIANT_TRUE); break;
        }
        RunQueue(main);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return {Median(times), *std::max_element(times.begin(), times.end())};
}

int Kinds(int keys) {
    return tavolin::bench::WithProgram(1, [&](tavolin::MainWindow& main, notaline::Editor& ed) {
        SetFocus(main.EditorWindow());
        constexpr int kHuge = 2000000, kShort = 100, kOnePage = notaline::bench::kParagraphsPerPage - 1, kMany = 10000;
        // A one-page song, one paragraph of 2,000,000 characters, and 10,000 short paragraphs whose
        // start, middle and end are those of the document.
        struct Song {
            int Paragraphs, Length;
        };
        const Song songs[] = {{kOnePage, kShort}, {1, kHuge}, {kMany, kShort}};
        Figure at[3][3][kKinds];
        for (int s = 0; s < 3; ++s) {
            Load(main, ed, songs[s].Paragraphs, songs[s].Length);
            // The clipboard holds 100 characters of the document.
            main.Editor()->put_SelStart(0);
            main.Editor()->put_SelLength(100);
            SendMessageW(main.EditorWindow(), WM_COPY, 0, 0);
            for (int place = 0; place < 3; ++place) {
                int para = s == 1 ? 0 : kOnePage / 2, within = place;
                if (s == 2) {
                    para = place == 0 ? 0 : place == 1 ? kMany / 2 : kMany - 1;
                    within = 1;
                }
                for (int k = 0; k < kKinds; ++k)
                    at[s][place][k] = KeysOfKind(main, ed, static_cast<Kind>(k), para, songs[s].Length, within, keys);
            }
        }
        const char* const places[] = {"start", "middle", "end"};
        const char* const titles[] = {nullptr, "a 2,000,000-character paragraph", "10,000 paragraphs of 100"};
        double onePageSlowest = 0;
        for (int place = 0; place < 3; ++place)
            for (int k = 0; k < kKinds; ++k) onePageSlowest = std::max(onePageSlowest, at[0][place][k].Slowest);
        for (int s = 1; s < 3; ++s) {
            double slowest = 0, worstMedian = 0;
            std::printf(
                "each kind of key in the running main window until every window painted, %d keys each: "
                "%s against a one-page song, median (slowest) in ms\n",
                keys, titles[s]);
            for (int place = 0; place < 3; ++place)
                for (int k = 0; k < kKinds; ++k) {
                    const Figure& h = at[s][place][k];
                    const Figure& o = at[0][place][k];
                    slowest = std::max(slowest, h.Slowest);
                    worstMedian = std::max(worstMedian, h.Median / o.Median);
                    std::printf("  %-14s at the %-6s: %7.2f (%7.2f) against %7.2f (%7.2f), median ratio %.2f\n",
                                kKindNames[k], places[place], h.Median, h.Slowest, o.Median, o.Slowest,
                                h.Median / o.Median);
                }
            std::printf("slowest %.2f ms against the one page's %.2f ms; worst median ratio %.2f\n", slowest,
                        onePageSlowest, worstMedian);
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    if (argc > 2 && std::strcmp(argv[2], "kinds") == 0) return Kinds(keys);
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
