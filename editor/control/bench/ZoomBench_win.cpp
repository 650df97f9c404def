// Times the page view of a large page zoomed in, in a running control in a container window: a
// redraw of an A3 document at zoom 2.4 scrolled into its first page (the window shows about a
// tenth of it), and zoom steps between 2.25 and 2.5, each up to the view redrawn, as the wheel
// does them. Not a test: it prints its figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "BenchControl_win.h"
#include "BenchDocument.h"
#include "FakeLayout.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Scrolled (x, y) pixels right and down from the document's origin.
void ScrollTo(Editor& ed, int64_t x, int64_t y) {
    ed.Scroll->put_FristPageScrollX(CY{.int64 = x * 10000});
    ed.Scroll->put_FristPageScrollY(CY{.int64 = y * 10000});
    ed.Refresh(tessaly::AutoRefresh);
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"Tavolin--bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 860,
                                  nullptr, nullptr, nullptr, nullptr);
    {
        bench::BenchControl control(parent, true);
        Editor& ed = control.Editor();
        test::FakeDocumentSource source;
        source.Files[u"bench.dadur"] = bench::Document(6 * bench::kParagraphsPerPage);
        LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(parent), u"bench.dadur");
        ed.Data.AboutPageInfo.PaperType = tessaly::pA3;
        ApplyPaperType(ed.Data, *ed.Renderer);
        auto zoom = [&](float scale) {
            const auto t0 = Clock::now();
            ed.Renderer->ZoomTo(scale);
            ed.Refresh(tessaly::AllRefresh);
            return MsSince(t0);
        };
        zoom(2.4f);
        ScrollTo(ed, 800, 1500);
        std::vector<double> redraws;
        for (int k = 0; k < 30; ++k) {
            const auto t0 = Clock::now();
            ed.Refresh(tessaly::AllRefresh);
            redraws.push_back(MsSince(t0));
        }
        const PixelSize page = PageSizeAt(ed.Data, 2.4);
        std::printf("A3 at zoom 2.4, page %d x %d, window 1000 x 800 (%.0f %% of a page), %d pages:\n", page.Width,
                    page.Height, 100.0 * 1000 * 800 / (double{1} * page.Width * page.Height), ed.Data.PageCount());
        std::printf("  full redraw (all layers, composed, shown), median of %zu: %.1f ms (at most 50 wanted)\n",
                    redraws.size(), Median(redraws));

        std::vector<double> steps;
        std::printf("  zoom steps:");
        const float scales[] = {2.25f, 2.3f,  2.35f, 2.4f,  2.45f, 2.5f,  2.45f,
                                2.4f,  2.35f, 2.3f,  2.35f, 2.4f,  2.45f, 2.5f};
        zoom(scales[0]);
        for (size_t k = 1; k < std::size(scales); ++k) {
            steps.push_back(zoom(scales[k]));
            std::printf(" %.2f %.0f ms%s", scales[k], steps.back(), k + 1 < std::size(scales) ? "," : "\n");
        }
        std::printf("  zoom step near the top zoom: median %.0f ms, longest %.0f ms (at most 300 wanted)\n",
                    Median(steps), *std::max_element(steps.begin(), steps.end()));
    }
    DestroyWindow(parent);
    OleUninitialize();
    return 0;
}
