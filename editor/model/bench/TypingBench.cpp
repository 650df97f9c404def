// Times typing, backspace and pasting 100 characters at the start, in the middle and at the end
// of a 200-page document against the same in a one-page document, in the same run, each as the
// control does it: the member with its journal step written to the file, then the re-layout of the
// touched paragraph. Not a test: it prints its figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "BenchDocument.h"
#include "model/ClipboardEdits.h"
#include "model/DoArray.h"
#include "model/EditorData.h"
#include "model/LayoutSetup.h"
#include "model/Pagination.h"
#include "model/Typing.h"
#include "model/UndoRedo.h"

namespace {

using namespace notaline;
using namespace notaline::bench;
using Clock = std::chrono::steady_clock;

constexpr int kKeys = 200;
constexpr int kPastes = 40;
constexpr int kPasted = 100;

// Median and slowest of the timed operations, in microseconds.
struct Timing {
    double MedianUs = 0;
    double MaxUs = 0;
};

Timing Summary(std::vector<double> us) {
    Timing t;
    t.MaxUs = *std::max_element(us.begin(), us.end());
    std::nth_element(us.begin(), us.begin() + static_cast<ptrdiff_t>(us.size() / 2), us.end());
    t.MedianUs = us[us.size() / 2];
    return t;
}

enum Place { kStart, kMiddle, kEnd, kPlaces };
enum Edit { kType, kBackspace, kPaste, kEdits };
const char* const kPlaceNames[kPlaces] = {"start", "middle", "end"};
const char* const kEditNames[kEdits] = {"type", "backspace", "paste 100"};

struct Figures {
    int32_t Pages = 0;
    Timing At[kEdits][kPlaces];
};

// An editor as the control holds it: document, array operations, history with its journal file.
class Editor {
public:
    Editor(int paragraphs, const std::filesystem::path& folder) : undo(data, array, folder, page, control) {
        data.Measurer = measurer;
        source.Doc = Document(paragraphs);
        LoadJpFile(data, source, page, control, 0, u"bench.dadur");
    }

    template <class Edit>
    double Timed(Edit edit) {
        const auto t0 = Clock::now();
        edit();
        undo.EndPendingStep();  // every key a step of its own, after-image written
        LayOutEdit(data, page);  // as the control does after every edit
        return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
    }

    // The caret inside a paragraph at the place: the first character, the middle paragraph's
    // middle, before the last paragraph end.
    int32_t CaretAt(Place place) const {
        const int32_t paragraphs = data.WordCount() / 100;
        if (place == kStart) return 0;
        if (place == kMiddle) return paragraphs / 2 * 100 + 50;
        return data.WordCount() - 1;
    }

    void Measure(Place place, Figures& f) {
        std::vector<double> us;
        data.SelStart = CaretAt(place);
        data.SelLength = 0;
        for (int k = 0; k < kKeys; ++k) {
            data.InputWords = {Note(k, false)};
            us.push_back(Timed([&] { typing.InputWord(data.SelStart, data.SelLength); }));
        }
        f.At[kType][place] = Summary(us);

        us.clear();
        for (int k = 0; k < kKeys; ++k) us.push_back(Timed([&] { typing.BackSpaceWord(data.SelStart, 0); }));
        f.At[kBackspace][place] = Summary(us);

        us.clear();
        data.InputWords.clear();
        for (int i = 0; i < kPasted; ++i) data.InputWords.push_back(Note(i, false));
        for (int k = 0; k < kPastes; ++k) {
            data.PasteWordCount = kPasted;
            data.SelStart = CaretAt(place);
            data.SelLength = 0;
            us.push_back(Timed([&] { clipboard.PasteWord(data.SelStart, 0, "bench"); }));
            undo.UserUndo();  // the paragraph keeps its length from one paste to the next
        }
        f.At[kPaste][place] = Summary(us);
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
};

Figures Run(int paragraphs, const std::filesystem::path& folder) {
    Editor editor(paragraphs, folder);
    Figures f;
    f.Pages = editor.data.PageCount();
    for (int p = 0; p < kPlaces; ++p) editor.Measure(static_cast<Place>(p), f);
    return f;
}

}  // namespace

int main() {
    const auto folder = std::filesystem::temp_directory_path() / "typing_bench";
    const Figures big = Run(200 * kParagraphsPerPage, folder);
    const Figures small = Run(kParagraphsPerPage - 1, folder);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);

    std::printf("median per edit (journal step and re-layout), %d pages against %d page; slowest in brackets\n",
                big.Pages, small.Pages);
    bool within = true;
    for (int e = 0; e < kEdits; ++e) {
        for (int p = 0; p < kPlaces; ++p) {
            const Timing& b = big.At[e][p];
            const Timing& s = small.At[e][p];
            const double ratio = b.MedianUs / s.MedianUs;
            within = within && ratio <= 1.5;
            std::printf("  %-9s at the %-6s: %8.1f us (%8.1f) against %8.1f us (%8.1f), ratio %.2f\n", kEditNames[e],
                        kPlaceNames[p], b.MedianUs, b.MaxUs, s.MedianUs, s.MaxUs, ratio);
        }
    }
    std::printf("every position within 1.5x of one page: %s\n", within ? "yes" : "no");
    return 0;
}
