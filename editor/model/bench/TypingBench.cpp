// Times one typed character at the end of a 200-page document against one typed into a one-page
// document, in the same run, each as the control does it: the typing member with its journal step
// written to the file, then the re-layout of the touched paragraph. Not a test: it prints its figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "BenchDocument.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "model/DoArray.h"
#include "model/EditorData.h"
#include "model/LayoutSetup.h"
#include "model/Pagination.h"
#include "model/Typing.h"
#include "model/UndoRedo.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

using bench::Document;
using bench::kParagraphsPerPage;
using bench::Note;
constexpr int kKeys = 400;

struct Timing {
    int32_t Pages = 0;
    double MedianUs = 0;
    double MeanUs = 0;
};

Timing TypeAtTheEnd(int paragraphs, const std::filesystem::path& folder) {
    test::FakeTextMeasurer measurer;
    test::FakeDocumentSource source;
    source.Files[u"bench.dadur"] = Document(paragraphs);
    EditorData data;
    data.Measurer = &measurer;
    LoadJpFile(data, source, 0, u"bench.dadur");
    DoArray array(data);
    UndoRedo undo(data, array, folder);
    Typing typing(data, array, undo);

    std::vector<double> keys;
    for (int k = 0; k < kKeys; ++k) {
        data.InputWords = {Note(k, false)};
        data.SelStart = data.WordCount() - 1;  // before the last paragraph end
        data.SelLength = 0;
        const auto t0 = Clock::now();
        typing.InputWord(data.SelStart, data.SelLength);
        undo.EndPendingStep();  // every key a step of its own, after-image written
        FormatInputLines(data, data.InputDat);
        keys.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    Timing t;
    t.Pages = data.PageCount();
    double sum = 0;
    for (double us : keys) sum += us;
    t.MeanUs = sum / kKeys;
    std::nth_element(keys.begin(), keys.begin() + kKeys / 2, keys.end());
    t.MedianUs = keys[kKeys / 2];
    return t;
}

}  // namespace

int main() {
    const auto folder = std::filesystem::temp_directory_path() / "typing_bench";
    const Timing big = TypeAtTheEnd(200 * kParagraphsPerPage, folder);
    const Timing small = TypeAtTheEnd(kParagraphsPerPage - 1, folder);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);

    std::printf("one typed character at the end (journal step and re-layout), median and mean per key:\n");
    std::printf("  %d pages: %.1f us, %.1f us\n", big.Pages, big.MedianUs, big.MeanUs);
    std::printf("  %d page:  %.1f us, %.1f us\n", small.Pages, small.MedianUs, small.MeanUs);
    std::printf("ratio of the medians: %.2f\n", big.MedianUs / small.MedianUs);
    return 0;
}
