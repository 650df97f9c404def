// Times the page view's redraw after one typed character at the end of a 200-page document
// against the same in a one-page document, in one run, on the real GDI page buffers; and the full
// redraw of the two visible pages. Not a test: it prints its figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "BenchDocument.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "model/document/ControlSite.h"
#include "model/document/DoArray.h"
#include "model/document/PageView.h"
#include "model/edit/Typing.h"
#include "model/edit/UndoRedo.h"
#include "model/layout/LoadJpFile.h"
#include "model/layout/Pagination.h"
#include "render/GdiTextMeasurer_win.h"
#include "render/NotationFont_win.h"
#include "render/OffscreenPages_win.h"
#include "render/PageBuffers_win.h"
#include "win/Gdip_win.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

constexpr int kKeys = 200;

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

struct Timing {
    int32_t Pages = 0;
    double KeyUs = 0;   // refresh after one typed character, median
    double FullUs = 0;  // all layers of the two visible pages, composed, median
};

Timing Run(int paragraphs, const std::filesystem::path& folder) {
    // Laid out with the deterministic measurer: what is timed is the drawing, not the measuring.
    test::FakeTextMeasurer layoutMeasurer;
    test::FakeDocumentSource source;
    source.Files[u"bench.dadur"] = bench::Document(paragraphs);
    EditorData data;
    data.Measurer = layoutMeasurer;
    NoPageView noPage;
    NoControlSite noControl;
    LoadJpFile(data, source, noPage, noControl, 0, u"bench.dadur");
    GdiTextMeasurer measurer;
    data.Measurer = measurer;
    DoArray array(data, noControl);
    UndoRedo undo(data, array, folder, noPage, noControl);
    Typing typing(data, array, undo, noControl);

    OffscreenPages offscreen(data, 1000, 800);
    tessaly::PageGrid& grid = offscreen.Grid();
    PageScreen& view = offscreen.Screen();
    view.InitPageBuffers();
    view.ResetPageBuffers();
    data.SelStart = data.WordCount() - 1;
    view.EnsureWordVisible(data.SelStart);
    view.RefreshView(data.SelStart, 0, tessaly::AllRefresh);

    std::vector<double> keys, full;
    for (int k = 0; k < kKeys; ++k) {
        data.InputWords = {bench::Note(k, false)};
        data.SelStart = data.WordCount() - 1;  // before the last paragraph end
        data.SelLength = 0;
        typing.InputWord(data.SelStart, data.SelLength);
        undo.EndPendingStep();
        FormatInputLines(data, data.InputDat);
        grid.InitPageScrollInfo(-1, -1, 1, data.PageCount());
        const auto t0 = Clock::now();
        view.EnsureWordVisible(data.SelStart);
        view.RefreshView(data.SelStart, data.SelLength, tessaly::OnePageRefresh);
        keys.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    for (int k = 0; k < 30; ++k) {
        const auto t0 = Clock::now();
        view.RefreshView(data.SelStart, data.SelLength, tessaly::AllRefresh);
        full.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    return {data.PageCount(), Median(keys), Median(full)};
}

}  // namespace

int main() {
    LoadNotationFont();
    win::InitGDIPlus(false, L"", 0, L"");
    const auto folder = std::filesystem::temp_directory_path() / "render_bench";
    const Timing big = Run(200 * bench::kParagraphsPerPage, folder);
    const Timing small = Run(bench::kParagraphsPerPage - 1, folder);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::printf("refresh after one typed character at the end, median of %d keys:\n", kKeys);
    std::printf("  %d pages: %.0f us\n", big.Pages, big.KeyUs);
    std::printf("  %d page:  %.0f us\n", small.Pages, small.KeyUs);
    std::printf("ratio: %.2f (at most 1.5 wanted)\n", big.KeyUs / small.KeyUs);
    std::printf("full redraw of the two visible pages, median: %.1f ms (%d pages), %.1f ms (%d page)\n",
                big.FullUs / 1000, big.Pages, small.FullUs / 1000, small.Pages);
    win::TerminateGDIPlus();
    return 0;
}
