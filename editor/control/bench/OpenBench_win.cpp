// Times opening a DaDur file in a running control until its first page is drawn, at 1, 50, 200
// and 400 pages of the bench document (the pages laid out shown beside), against reading the
// same file alone. Each open is in a fresh control, so its measurer starts with nothing kept.
// Not a test: it prints its figures.
//   open_bench            the figures, median of three opens
//   open_bench --nocache  the same with every character measured
//   open_bench 50 200     those page counts only
//   open_bench --check    also lays out the 200-page document with and without the cache and
//                         compares the two to the bit
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchControl_win.h"
#include "BenchDocument.h"
#include "DaDurFile.h"
#include "DaDurSystem_win.h"
#include "LayoutFixture.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 3;

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

struct Opened {
    double Ms = 0;
    int32_t Pages = 0;
};

Opened Open(HWND parent, const std::filesystem::path& file, bool cache) {
    bench::BenchControl control(parent, cache);
    Editor& ed = control.Editor();
    UpdateWindow(control.Window());

    const auto t0 = Clock::now();
    LoadJpFile(ed.Data, ed.Source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(parent), file.u16string());
    RedrawWindow(control.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return {MsSince(t0), ed.Data.PageCount()};
}

// The system's services with its messages printed, not shown: a bench waits for no one.
class QuietSystem final : public tessaly::DaDurSystem {
public:
    void Progress(intptr_t hwnd, int32_t percent) override { system_.Progress(hwnd, percent); }
    void Beep() override {}
    void Message(intptr_t, const std::u16string& text) override {
        std::fprintf(stderr, "message of %zu characters\n", text.size());
    }
    std::vector<std::string> InstalledFonts() override { return system_.InstalledFonts(); }
    double ZoomFactor() override { return system_.ZoomFactor(); }
    int32_t CurrentDpi() override { return system_.CurrentDpi(); }

private:
    tessaly::WindowsDaDurSystem system_;
};

double ReadMs(const std::filesystem::path& file) {
    QuietSystem system;
    tessaly::DaDurFile reader(system);
    const auto t0 = Clock::now();
    reader.ReadRtfFile(0, file);
    return MsSince(t0);
}

// The 200-page document laid out with and without the cache: the same to the bit, or where not.
void Check(const tessaly::JpData& doc) {
    EditorData layouts[2];
    double ms[2] = {};
    for (int cached = 0; cached < 2; ++cached) {
        GdiTextMeasurer measurer;
        measurer.SetCaching(cached == 1);
        auto& data = layouts[cached];
        LoadDocument(data, doc);
        data.Measurer = measurer;
        NoPageView page;
        const auto t0 = Clock::now();
        InitFormat(data, page);
        ms[cached] = MsSince(t0);
    }
    const std::string difference = test::MeasuredLayoutDifference(layouts[0], layouts[1]);
    std::printf("full layout of %d pages: %.0f ms measuring every character, %.0f ms with the cache; %s\n",
                layouts[0].PageCount(), ms[0], ms[1], difference.empty() ? "the same to the bit" : difference.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    bool cache = true;
    bool check = false;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--nocache") == 0) cache = false;
        if (std::strcmp(argv[i], "--check") == 0) check = true;
        if (const int n = std::atoi(argv[i]); n > 0) counts.push_back(n);
    }
    if (counts.empty()) counts = {1, 50, 200, 400};
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // each figure as it comes
    OleInitialize(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"Tavolin--bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 860,
                                  nullptr, nullptr, nullptr, nullptr);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "open_bench";
    std::filesystem::create_directories(folder);
    std::printf("open until the first page is drawn, %s, median of %d, against the DaDur read:\n",
                cache ? "with the measurement cache" : "measuring every character", kRuns);
    for (int pages : counts) {
        const tessaly::JpData doc = bench::Document(pages * bench::kParagraphsPerPage - 1);
        const auto file = folder / ("bench" + std::to_string(pages) + ".dadur");
        QuietSystem system;
        tessaly::DaDurFile writer(system);
        writer.LetJpData(doc);
        writer.WriteRtfFile(file, 0);
        std::vector<double> reads, opens;
        int32_t shown = 0;
        for (int run = 0; run < kRuns; ++run) {
            const Opened o = Open(parent, file, cache);
            reads.push_back(ReadMs(file));
            opens.push_back(o.Ms);
            shown = o.Pages;
        }
        std::printf("  %3d (%3d) pages: open %8.1f ms, read %7.1f ms, ratio %5.1f (at most 10 wanted)\n", pages, shown,
                    Median(opens), Median(reads), Median(opens) / Median(reads));
        if (check && pages == 200) Check(doc);
    }
    std::filesystem::remove_all(folder);
    DestroyWindow(parent);
    OleUninitialize();
    return 0;
}
