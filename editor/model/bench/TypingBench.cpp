// Times typing, backspace and pasting 100 characters at the start, in the middle and at the end
// of a 200-page document against the same in a one-page document, in the same run, each edit and
// its undo and redo as the control does it: the member with its journal step written to the file,
// then the re-layout of the touched paragraph. Not a test: it prints its figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string_view>
#include <vector>

#include "BenchDocument.h"
#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/CharAttributes.h"
#include "model/edit/ClipboardEdits.h"
#include "model/edit/ParagraphCommands.h"
#include "model/edit/StatusRecord.h"
#include "model/edit/Typing.h"
#include "model/edit/UndoRedo.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"
#include "model/layout/Pagination.h"
#include "model/layout/ParagraphEnds.h"

namespace {

using namespace notaline;
using namespace notaline::bench;
using Clock = std::chrono::steady_clock;

constexpr int kKeys = 200;
constexpr int kPastes = 40;
constexpr int kPasted = 100;

// Median, mean and slowest of the timed operations, in microseconds: a row whose keys differ
// in kind (some re-break the rest of a paragraph) shows in the mean what the median hides.
struct Timing {
    double MedianUs = 0;
    double MeanUs = 0;
    double MaxUs = 0;
};

Timing Summary(std::vector<double> us) {
    Timing t;
    t.MaxUs = *std::max_element(us.begin(), us.end());
    t.MeanUs = std::accumulate(us.begin(), us.end(), 0.0) / static_cast<double>(us.size());
    std::nth_element(us.begin(), us.begin() + static_cast<ptrdiff_t>(us.size() / 2), us.end());
    t.MedianUs = us[us.size() / 2];
    return t;
}

enum Place { kStart, kMiddle, kEnd, kPlaces };
enum Edit { kType, kBackspace, kPaste, kEdits };
enum Way { kDo, kUndo, kRedo, kWays };
const char* const kPlaceNames[kPlaces] = {"start", "middle", "end"};
const char* const kEditNames[kEdits] = {"type", "backspace", "paste 100"};
const char* const kWayNames[kWays] = {"", " undo", " redo"};
enum Key { kKeyType, kKeyDelete, kKeyBackspaceOver, kKeyTypeOver, kKeyPaste, kKeyBold, kKeyKinds };
const char* const kKeyNames[kKeyKinds] = {"type", "Delete", "Backspace on 3", "type over 3", "paste 100", "bold on 10"};

struct Figures {
    int32_t Pages = 0;
    Timing At[kEdits][kPlaces][kWays];
};

// An editor as the control holds it: document, array operations, history with its journal file.
class Editor {
public:
    Editor(int paragraphs, const std::filesystem::path& folder, int length = 100)
        : undo(data, array, folder, page, control) {
        data.Measurer = measurer;
        source.Doc = Document(paragraphs, length);
        LoadJpFile(data, source, page, control, 0, u"bench.dadur");
    }

    template <class Edit>
    double Timed(Edit edit, bool status = false) {
        const auto t0 = Clock::now();
        edit();
        undo.EndPendingStep();   // every key a step of its own, after-image written
        LayOutEdit(data, page);  // as the control does after every edit
        if (status) Status();
        return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
    }

    // The status record the control fills after every key, as the host is told of the caret.
    void Status() {
        tessaly::aSendMsg msg{};
        FillStatusCommon(data, paragraphs, data.SelStart, data.SelLength, msg);
        const StatusSource source = DecideStatus(data, data.SelStart, data.SelLength);
        statusSink += FillStatusAttributes(data, paragraphs, source, msg).Size + static_cast<int>(msg.PartAlignment);
    }

    // Keys of one kind, one after another at the same place of paragraph `para` of `length`
    // characters (the end: ten characters before its paragraph end), each as the control handles
    // it: the member, its journal step, the re-layout and the status record.
    Timing KeysOfKind(Key kind, int32_t para, int32_t length, Place place, int keys) {
        std::vector<double> us;
        for (int k = 0; k < keys; ++k) {
            // The keys before may have made the paragraph shorter.
            const int32_t at = place == kStart    ? para * length
                               : place == kMiddle ? para * length + length / 2
                                                  : ParagraphEndFrom(data, para * length) - 10;
            data.SelStart = at;
            data.SelLength = 0;
            data.InputWords = {Note(k, false)};
            if (kind == kKeyPaste) {
                data.InputWords.clear();
                for (int i = 0; i < kPasted; ++i) data.InputWords.push_back(Note(i, false));
                data.PasteWordCount = kPasted;
            }
            us.push_back(Timed(
                [&] {
                    switch (kind) {
                        case kKeyType: typing.InputWord(at, 0); break;
                        case kKeyDelete: typing.DeleteWord(at, 0); break;
                        case kKeyBackspaceOver: typing.BackSpaceWord(at, 3); break;
                        case kKeyTypeOver: typing.InputWord(at, 3); break;
                        case kKeyPaste: clipboard.PasteWord(at, 0, "bench"); break;
                        default: chars.Bold(at, 10, k % 2 == 0); break;
                    }
                },
                true));
        }
        return Summary(us);
    }

    // Keys typed in the middle of the middle paragraph, each undone at once: the median.
    double KeyInMiddle(int length) {
        std::vector<double> us;
        data.SelLength = 0;
        for (int k = 0; k < 40; ++k) {
            data.SelStart = data.WordCount() / length / 2 * length + length / 2;
            data.InputWords = {Note(k, false)};
            us.push_back(Timed([&] { typing.InputWord(data.SelStart, data.SelLength); }));
            undo.UserUndo();
        }
        return Summary(us).MedianUs;
    }

    // Keys typed one after another, not undone, from the place in the paragraph numbered `para` of
    // `length` characters; with `still`, each at that place again, before the keys typed so far.
    Timing KeysInRow(int32_t para, int32_t length, Place place, int keys, bool still = false) {
        std::vector<double> us;
        const int32_t offset = place == kStart ? 0 : place == kMiddle ? length / 2 : length - 1;
        data.SelStart = para * length + offset;
        data.SelLength = 0;
        for (int k = 0; k < keys; ++k) {
            if (still) data.SelStart = para * length + offset;
            data.InputWords = {Note(k, false)};
            us.push_back(Timed([&] { typing.InputWord(data.SelStart, data.SelLength); }));
        }
        return Summary(us);
    }

    // The paragraph broken again from the line the keys left cut short, as when the keys pause:
    // milliseconds, 0 when no line was cut.
    double SettleMs(int32_t lines = INT32_MAX, double* slowest = nullptr) {
        double all = 0;
        for (;;) {
            const auto t0 = Clock::now();
            if (!RebreakFromCutLine(data, lines)) return all;
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            all += ms;
            if (slowest) *slowest = std::max(*slowest, ms);
        }
    }

    // The tops of the characters on the line that holds `word`, as the redraw of the band of a
    // typed key reads them.
    float ReadLineOf(int32_t word) const {
        const auto& lines = data.LineInfo;
        size_t lo = 0, hi = lines.size();
        while (hi - lo > 1) (lines.StartOf(lo + (hi - lo) / 2) <= word ? lo : hi) = lo + (hi - lo) / 2;
        float sum = 0;
        const auto& words = data.WordInfo;
        const int32_t end = std::min(lines.StartOf(lo) + lines[lo].Length, data.WordCount());
        for (int32_t i = lines.StartOf(lo); i < end; ++i) sum += words[static_cast<size_t>(i)].Top;
        return sum;
    }

    // Keys typed at the document's two ends in turn, each with the read of its line: every key is
    // the first after a far caret jump, those at the end (`far`) and those at the start apart.
    Timing KeysAfterFarJump(Timing& atStart) {
        std::vector<double> end, start;
        data.SelLength = 0;
        float sink = 0;
        for (int k = 0; k < 40; ++k) {
            const bool atEnd = k % 2 == 1;
            data.SelStart = atEnd ? data.WordCount() - 1 : 0;
            data.InputWords = {Note(k, false)};
            const auto t0 = Clock::now();
            Timed([&] { typing.InputWord(data.SelStart, data.SelLength); });
            sink += ReadLineOf(data.SelStart);
            (atEnd ? end : start).push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
        }
        if (sink < 0) std::printf(" ");
        atStart = Summary(start);
        return Summary(end);
    }

    // Bold on `n` characters from the middle of the document, its undo and its redo: medians.
    Timing BoldRange(int32_t n, Timing& back, Timing& again) {
        std::vector<double> on, off, on2;
        const int32_t from = data.WordCount() / 2;
        for (int k = 0; k < 5; ++k) {
            on.push_back(Timed([&] { chars.Bold(from, n, true); }));
            off.push_back(Timed([&] { undo.UserUndo(); }));
            on2.push_back(Timed([&] { undo.UserRedo(); }));
            undo.UserUndo();
        }
        back = Summary(off);
        again = Summary(on2);
        return Summary(on);
    }

    // The caret inside a paragraph at the place: the first character, the middle paragraph's
    // middle, before the last paragraph end.
    int32_t CaretAt(Place place) const {
        const int32_t paragraphs = data.WordCount() / 100;
        if (place == kStart) return 0;
        if (place == kMiddle) return paragraphs / 2 * 100 + 50;
        return data.WordCount() - 1;
    }

    // Every edit is undone and redone, each timed; the document ends as it began but for the typing.
    void Measure(Place place, Figures& f) {
        std::vector<double> us;
        const auto undoRedo = [&](Edit e, int steps) {
            std::vector<double> back, again;
            for (int k = 0; k < steps; ++k) back.push_back(Timed([&] { undo.UserUndo(); }));
            for (int k = 0; k < steps; ++k) again.push_back(Timed([&] { undo.UserRedo(); }));
            f.At[e][place][kUndo] = Summary(back);
            f.At[e][place][kRedo] = Summary(again);
        };
        data.SelStart = CaretAt(place);
        data.SelLength = 0;
        for (int k = 0; k < kKeys; ++k) {
            data.InputWords = {Note(k, false)};
            us.push_back(Timed([&] { typing.InputWord(data.SelStart, data.SelLength); }));
        }
        f.At[kType][place][kDo] = Summary(us);
        undoRedo(kType, kKeys);

        us.clear();
        for (int k = 0; k < kKeys; ++k) us.push_back(Timed([&] { typing.BackSpaceWord(data.SelStart, 0); }));
        f.At[kBackspace][place][kDo] = Summary(us);
        undoRedo(kBackspace, kKeys);

        us.clear();
        std::vector<double> back, again;
        data.InputWords.clear();
        for (int i = 0; i < kPasted; ++i) data.InputWords.push_back(Note(i, false));
        for (int k = 0; k < kPastes; ++k) {
            data.PasteWordCount = kPasted;
            data.SelStart = CaretAt(place);
            data.SelLength = 0;
            us.push_back(Timed([&] { clipboard.PasteWord(data.SelStart, 0, "bench"); }));
            // The paragraph keeps its length from one paste to the next.
            back.push_back(Timed([&] { undo.UserUndo(); }));
            again.push_back(Timed([&] { undo.UserRedo(); }));
            undo.UserUndo();
        }
        f.At[kPaste][place][kDo] = Summary(us);
        f.At[kPaste][place][kUndo] = Summary(back);
        f.At[kPaste][place][kRedo] = Summary(again);
    }

    SteadyMeasurer measurer;
    OneDocument source;
    EditorData data;
    NoPageView page;
    NoControlSite control;
    DoArray array{data, control};
    UndoRedo undo;
    Typing typing{data, array, undo, control};
    ClipboardEdits clipboard{data, array, undo, control};
    CharAttributes chars{data, undo};
    ParagraphCommands paragraphs{data, array, undo};
    double statusSink = 0;
};

Figures Run(int paragraphs, const std::filesystem::path& folder) {
    Editor editor(paragraphs, folder);
    Figures f;
    f.Pages = editor.data.PageCount();
    for (int p = 0; p < kPlaces; ++p) editor.Measure(static_cast<Place>(p), f);
    return f;
}

}  // namespace

// The run whose median is the median of the runs' medians.
const Timing& MedianRun(const std::vector<Figures>& runs, int e, int p, int w) {
    std::vector<const Timing*> t;
    for (const auto& f : runs) t.push_back(&f.At[e][p][w]);
    std::sort(t.begin(), t.end(), [](const Timing* a, const Timing* b) { return a->MedianUs < b->MedianUs; });
    return *t[t.size() / 2];
}

int main(int argc, char** argv) {
    const auto folder = std::filesystem::temp_directory_path() / "typing_bench";
    constexpr int kRuns = 3;
    // "paragraphs" leaves out the pages' rows, "far" runs the far caret jump alone.
    const std::string_view only = argc < 2 ? "" : argv[1];
    const bool pages = only.empty(), paragraphs = pages || only == "paragraphs";
    std::vector<Figures> big, small;
    for (int r = 0; r < kRuns && pages; ++r) {
        big.push_back(Run(200 * kParagraphsPerPage, folder));
        small.push_back(Run(kParagraphsPerPage - 1, folder));
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);

    if (pages)
        std::printf(
            "median per edit (journal step and re-layout), median of %d runs, %d pages against %d page; "
            "slowest in brackets\n",
            kRuns, big[0].Pages, small[0].Pages);
    double worst = 0;
    for (int e = 0; e < kEdits && pages; ++e) {
        for (int w = 0; w < kWays; ++w) {
            for (int p = 0; p < kPlaces; ++p) {
                const Timing& b = MedianRun(big, e, p, w);
                const Timing& s = MedianRun(small, e, p, w);
                const double ratio = b.MedianUs / s.MedianUs;
                worst = std::max(worst, ratio);
                char name[32];
                std::snprintf(name, sizeof name, "%s%s", kEditNames[e], kWayNames[w]);
                std::printf("  %-14s at the %-6s: %8.1f us (%8.1f) against %8.1f us (%8.1f), ratio %.2f\n", name,
                            kPlaceNames[p], b.MedianUs, b.MaxUs, s.MedianUs, s.MaxUs, ratio);
            }
        }
    }
    if (pages)
        std::printf("worst ratio %.2f; every position within 1.2x of one page: %s\n", worst,
                    worst <= 1.2 ? "yes" : "no");

    Timing farStart;
    const Timing farEnd = Editor(20000, folder).KeysAfterFarJump(farStart);
    std::filesystem::remove_all(folder, ec);
    if (paragraphs) {
        constexpr int kLong = 100000;
        const double inLong = Editor(1, folder, kLong).KeyInMiddle(kLong);
        const double inShort = Editor(kParagraphsPerPage - 1, folder).KeyInMiddle(100);
        Timing back, again;
        const Timing bold = Editor(200 * kParagraphsPerPage, folder).BoldRange(10000, back, again);
        std::printf("bold on 10000 characters of 200 pages: %.1f ms, undo %.1f ms, redo %.1f ms (median of 5)\n",
                    bold.MedianUs / 1000, back.MedianUs / 1000, again.MedianUs / 1000);
        std::printf(
            "a key in the middle of a %d-character paragraph: %.1f us against %.1f us in one of 100, ratio %.2f\n",
            kLong, inLong, inShort, inLong / inShort);
        for (int p = 0; p < kPlaces; ++p) {
            const auto place = static_cast<Place>(p);
            Editor editor(1, folder, kLong);
            const Timing inRow = editor.KeysInRow(0, kLong, place, 200);
            const double settle = editor.SettleMs();
            const Timing shortRow =
                Editor(kParagraphsPerPage - 1, folder).KeysInRow(kParagraphsPerPage / 2, 100, place, 200);
            std::printf(
                "keys one after another at the %-6s of a %d-character paragraph: %.1f us against %.1f us in one of "
                "100, ratio %.2f (mean %.1f us against %.1f us, slowest %.1f us against %.1f us); the paragraph "
                "joined up after them %.2f ms\n",
                kPlaceNames[place], kLong, inRow.MedianUs, shortRow.MedianUs, inRow.MedianUs / shortRow.MedianUs,
                inRow.MeanUs, shortRow.MeanUs, inRow.MaxUs, shortRow.MaxUs, settle);
        }
        constexpr int kHuge = 2000000;
        for (const Place place : {kStart, kMiddle}) {
            Editor editor(1, folder, kHuge);
            const Timing key = editor.KeysInRow(0, kHuge, place, 20, true);
            double step = 0;
            const double settle = editor.SettleMs(2000, &step);
            std::printf(
                "a key at the %-6s of a %d-character paragraph: %.2f ms, slowest %.2f ms (20 keys); the paragraph "
                "joined up after them %.2f ms in steps of 2000 lines, the slowest %.2f ms\n",
                kPlaceNames[place], kHuge, key.MedianUs / 1000, key.MaxUs / 1000, settle, step);
        }
    }
    if (paragraphs) {
        // Each kind of key in the long paragraph against the same in a one-page song, side by side.
        constexpr int kHuge = 2000000, kEach = 20;
        double slowest = 0, worstMedian = 0;
        std::printf(
            "each kind of key with its status record, %d keys in a row each, in a %d-character paragraph "
            "against a one-page song: median (slowest)\n",
            kEach, kHuge);
        for (int p = 0; p < kPlaces; ++p) {
            const auto place = static_cast<Place>(p);
            Editor huge(1, folder, kHuge), one(kParagraphsPerPage - 1, folder);
            for (int k = 0; k < kKeyKinds; ++k) {
                const auto kind = static_cast<Key>(k);
                huge.SettleMs();  // the keys of the kind before paused
                const Timing h = huge.KeysOfKind(kind, 0, kHuge, place, kEach);
                const Timing o = one.KeysOfKind(kind, kParagraphsPerPage / 2, 100, place, kEach);
                slowest = std::max(slowest, h.MaxUs);
                worstMedian = std::max(worstMedian, h.MedianUs / o.MedianUs);
                std::printf("  %-14s at the %-6s: %8.1f us (%8.1f) against %8.1f us (%8.1f), ratio %.2f\n",
                            kKeyNames[k], kPlaceNames[p], h.MedianUs, h.MaxUs, o.MedianUs, o.MaxUs,
                            h.MedianUs / o.MedianUs);
            }
        }
        std::printf("slowest key %.2f ms (at most 16 ms: %s); worst median ratio %.2f (at most 1.5: %s)\n",
                    slowest / 1000, slowest <= 16000 ? "yes" : "no", worstMedian, worstMedian <= 1.5 ? "yes" : "no");
    }
    std::filesystem::remove_all(folder, ec);
    std::printf(
        "the first key after a far caret jump in 2000000 characters, with the read of its line (20 keys each): "
        "at the end %.2f ms, slowest %.2f ms; at the start %.2f ms, slowest %.2f ms\n",
        farEnd.MedianUs / 1000, farEnd.MaxUs / 1000, farStart.MedianUs / 1000, farStart.MaxUs / 1000);
    return 0;
}
