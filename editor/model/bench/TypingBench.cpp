// Times one typed character at the end of a 200-page document against one typed into a one-page
// document, in the same run, each as the control does it: the typing member with its journal step
// written to the file, then the re-layout of the touched paragraph. Not a test: it prints its figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

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

constexpr int kParagraphsPerPage = 30;  // of 100 characters: about a page of A4
constexpr int kKeys = 400;

tessaly::aWordInfo Note(int i, bool end) {
    tessaly::aWordInfo w;
    w.SelSize = 12;
    w.nLogFont.lfWeight = 400;
    w.cb = -1;
    w.WdSpace = 4;
    w.WdAsc = static_cast<int16_t>(end ? '-' : i % 8 == 7 ? '|' : '1' + i % 7);
    w.IsJpGcCtl = end ? 3 : 1;
    return w;
}

tessaly::JpData Document(int paragraphs) {
    tessaly::JpData d;
    d.FontTbl = {{"Tolvane", 2, 15, 3}};
    d.ColorTbl = {0};
    d.PageInfo.nScale = 1;
    d.PageInfo.PageMarginRect = {245, 200, 245, 200};
    for (int p = 0; p < paragraphs; ++p)
        for (int i = 0; i < 100; ++i) d.WordInfo.push_back(Note(i, i == 99));
    return d;
}

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
    NoPageView page;
    NoControlSite control;
    LoadJpFile(data, source, page, control, 0, u"bench.dadur");
    DoArray array(data, control);
    UndoRedo undo(data, array, folder, page, control);
    Typing typing(data, array, undo, control);

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
