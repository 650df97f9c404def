// Times one typed character from the control's window message to the status record at the host
// and the redraw done, at the start and at the end of a 200-page document against a one-page one,
// in a running control in a container window. Not a test: it prints its figures.
// With --breakdown it also types through the handler's steps one by one and times each; with
// --nocache every character is measured, as without the measurer's cache.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchControl_win.h"
#include "BenchDocument.h"
#include "FakeLayout.h"
#include "control/Handlers_win.h"
#include "model/document/PlayMarks.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"
#include "model/layout/Pagination.h"
#include "model/layout/SourceLines.h"
#include "render/StdFontObject_win.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

constexpr int kKeys = 200;

int g_records = 0;
WNDPROC g_hostProc = nullptr;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == tessaly::EM_SendMsg) ++g_records;
    return CallWindowProcW(g_hostProc, hwnd, msg, wParam, lParam);
}

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

enum Place { kStart, kEnd, kPlaces };
const char* const kPlaceNames[kPlaces] = {"start", "end"};

// The steps of a typed character in the handler's order, then the parts of its redraw and of the
// status record that can be timed alone.
enum Step { kBuild, kInsert, kLines, kPlayMarks, kScrollGrid, kCaret, kRedraw, kStatus, kCompose, kFontObject, kSteps };
const char* const kStepNames[kSteps] = {"input words",    "edit + journal", "lines + pages", "play marks",
                                        "scroll grid",    "caret + view",   "page redraw",   "status record",
                                        "compose + blit", "font object"};

struct Timing {
    int32_t Pages = 0;
    double KeyUs[kPlaces] = {};
    double StepUs[kPlaces][kSteps] = {};
    int Records = 0;
};

// One key typed through the handler's steps, each timed.
void TypeInSteps(Editor& ed, char key, std::vector<double> (&steps)[kSteps]) {
    EditorData& d = ed.Data;
    auto t = Clock::now();
    auto lap = [&](Step s) {
        const auto now = Clock::now();
        steps[s].push_back(std::chrono::duration<double, std::micro>(now - t).count());
        t = now;
    };
    d.InputWords.clear();
    TextToWordsByState(ed, std::string(1, key));
    lap(kBuild);
    const bool typed = ed.Commands->Typed.InputWord(d.SelStart, d.SelLength);
    lap(kInsert);
    // LayOutEdit's steps.
    const auto edit = d.InputDat;
    const bool incremental = typed && FormatInputLines(d, d.InputDat);
    lap(kLines);
    if (typed && (!incremental || d.InputDatPlayMarks ||
                  PlayMarksNear(d, edit.iWord1, edit.iWord2 + edit.iAddLength - edit.iDelLength)))
        ScanPlayMarks(d);
    d.InputDatPlayMarks = false;
    KeepSourceLines(d);
    lap(kPlayMarks);
    ed.Renderer->InitPageScrollInfo(-1, -1, 1, d.PageCount());
    lap(kScrollGrid);
    d.CaretAtLineEnd = false;
    ed.UpdateCaretLine();
    ed.Renderer->EnsureWordVisible(d.SelStart);
    lap(kCaret);
    ed.Refresh(tessaly::OnePageRefresh);
    lap(kRedraw);
    NotifySelChange(ed, d.SelStart, d.SelLength);
    lap(kStatus);
    ed.Refresh(tessaly::SelColorRefresh);
    lap(kCompose);
    MakeStdFont(StdFontInfoOf(static_cast<IFontDisp*>(ed.SendMsg.StdFont)).value_or(StdFontInfo{}));
    lap(kFontObject);
}

bool g_breakdown = false;
bool g_cache = true;

Timing Run(HWND parent, int paragraphs) {
    const bool breakdown = g_breakdown;
    bench::BenchControl control(parent, g_cache);
    Editor& ed = control.Editor();
    test::FakeDocumentSource source;
    source.Files[u"bench.dadur"] = bench::Document(paragraphs);
    LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(parent), u"bench.dadur");

    Timing t;
    g_records = 0;
    for (int place = 0; place < kPlaces; ++place) {
        std::vector<double> keys;
        for (int k = 0; k < kKeys; ++k) {
            // At the first character, or before the last paragraph end.
            ed.Data.SelStart = place == kStart ? 0 : ed.Data.WordCount() - 1;
            ed.Data.SelLength = 0;
            ed.Data.CurLine = place == kStart ? 0 : ed.Data.LineCount() - 1;
            ed.Data.InputState = tessaly::JpState;
            const auto t0 = Clock::now();
            SendMessageW(control.Window(), WM_CHAR, '1' + k % 7, 0);
            keys.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
        }
        t.KeyUs[place] = Median(keys);
        if (!breakdown) continue;
        std::vector<double> steps[kSteps];
        for (int k = 0; k < kKeys; ++k) {
            ed.Data.SelStart = place == kStart ? 0 : ed.Data.WordCount() - 1;
            ed.Data.SelLength = 0;
            ed.Data.CurLine = place == kStart ? 0 : ed.Data.LineCount() - 1;
            ed.Data.InputState = tessaly::JpState;
            TypeInSteps(ed, static_cast<char>('1' + k % 7), steps);
        }
        for (int s = 0; s < kSteps; ++s) t.StepUs[place][s] = Median(steps[s]);
    }
    t.Pages = ed.Data.PageCount();
    t.Records = g_records;
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--breakdown") == 0) g_breakdown = true;
        if (std::strcmp(argv[i], "--nocache") == 0) g_cache = false;
    }
    OleInitialize(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"Tavolin--bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 860,
                                  nullptr, nullptr, nullptr, nullptr);
    g_hostProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProc)));
    const Timing big = Run(parent, 200 * bench::kParagraphsPerPage);
    const Timing small = Run(parent, bench::kParagraphsPerPage - 1);
    std::printf("typed character, message in to status record out and redraw done, median of %d keys:\n", kKeys);
    for (int place = 0; place < kPlaces; ++place) {
        std::printf("  at the %-5s: %d pages %.0f us, %d page %.0f us, ratio %.2f (at most 1.5 wanted)\n",
                    kPlaceNames[place], big.Pages, big.KeyUs[place], small.Pages, small.KeyUs[place],
                    big.KeyUs[place] / small.KeyUs[place]);
    }
    std::printf("status records: %d and %d for %d keys each\n", big.Records, small.Records, kKeys * kPlaces);
    if (g_breakdown) {
        std::printf("the steps, median us (%d pages start / end, %d page start / end):\n", big.Pages, small.Pages);
        for (int s = 0; s < kSteps; ++s)
            std::printf("  %-18s %8.0f %8.0f %8.0f %8.0f\n", kStepNames[s], big.StepUs[kStart][s], big.StepUs[kEnd][s],
                        small.StepUs[kStart][s], small.StepUs[kEnd][s]);
    }
    DestroyWindow(parent);
    OleUninitialize();
    return 0;
}
