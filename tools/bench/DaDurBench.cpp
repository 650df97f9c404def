// Times reading and writing a generated 200-page DaDur document against
// merely reading the same file and splitting it into lines. Not a test: run
// it by hand, preferably from an optimised build.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "DaDurFile.h"
#include "SongPages.h"
#include "records/Marks.h"
#include "text/Cp936.h"

namespace {

using namespace tessaly;

// Notation with durations, octaves and marks, bar lines, lyrics under them.
JpData Generate(int pages) {
    NoDaDurSystem system({"tolvane", Utf16ToCp936(u"宋体").value()});
    int pair = 0;
    return bench::SongPages(system, pages, [&pair](aWordInfo& w, int i) {
        w.WdAsc = static_cast<int16_t>('1' + i % 7);
        w.Yc = static_cast<uint8_t>(i % 3);
        w.YG = static_cast<uint8_t>(i % 5 == 0 ? 1 : 0);
        if (i % 8 == 0) {
            w.IsJpGcCtl = 2;
            w.WdAsc = 87;  // bar line
        }
        if (i % 10 == 1) w.ExtralWordInfo[0] = {marks::kMarkArcStart, 0, ++pair % 7, {}};
        if (i % 10 == 3) w.ExtralWordInfo[0] = {marks::kMarkArcEnd, 0, pair % 7, {}};
        if (i % 25 == 5) w.ExtralWordInfo[1] = {marks::kMarkTempoChange, 2, 0, {'p', 'p'}};
    });
}

using bench::BestMs;

}  // namespace

int main() {
    NoDaDurSystem system({"tolvane", Utf16ToCp936(u"宋体").value()});
    const auto dir = std::filesystem::temp_directory_path() / "dadur_bench";
    std::filesystem::create_directories(dir);
    const auto file = dir / "200pages.DaDur";
    const auto copy = dir / "200pages-copy.DaDur";

    DaDurFile source(system);
    source.LetJpData(Generate(200));
    if (!source.WriteRtfFile(file, 0).ok) return 1;
    const auto bytes = std::filesystem::file_size(file);

    const int runs = 10;
    size_t lineCount = 0;
    const double split = BestMs(runs, [&] {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        const std::string text = s.str();
        std::vector<std::string> lines;
        for (std::string_view line : SplitDaDurLines(text)) lines.emplace_back(line);
        lineCount = lines.size();
    });
    int32_t words = 0;
    const double read = BestMs(runs, [&] {
        DaDurFile reader(system);
        if (!reader.ReadRtfFile(0, file).ok) std::exit(1);
        words = reader.Data().FileInfo.WordCount;
    });
    // The reader alone, its characters handed on a run at a time and dropped, as a store would
    // take them: no whole array of records.
    struct Counting final : WordSink {
        size_t n = 0;
        void Take(const aWordInfo*, size_t count) override { n += count; }
        void Revisit(const std::function<void(aWordInfo&)>&) override {}
    };
    const double inRuns = BestMs(runs, [&] {
        DaDurFile reader(system);
        Counting sink;
        if (!reader.ReadRtfFile(0, file, sink).ok || sink.n != static_cast<size_t>(words)) std::exit(1);
    });
    // The floor under any reader: making the character array it must hand over.
    const double records = BestMs(runs, [&] {
        std::vector<aWordInfo> array(static_cast<size_t>(words));
        volatile int16_t sink = array.back().WdAsc;
        (void)sink;
    });
    DaDurFile writer(system);
    writer.LetJpData(source.Data());
    const double write = BestMs(runs, [&] {
        if (!writer.WriteRtfFile(copy, 0).ok) std::exit(1);
    });

    std::printf("file: %llu bytes, %zu lines, %d characters\n", static_cast<unsigned long long>(bytes), lineCount,
                words);
    std::printf("split into lines: %8.2f ms\n", split);
    std::printf("character array:  %8.2f ms  (%.2f x split; %zu bytes of records)\n", records, records / split,
                static_cast<size_t>(words) * sizeof(aWordInfo));
    std::printf("read:             %8.2f ms  (%.2f x split)\n", read, read / split);
    std::printf("read in runs:     %8.2f ms  (%.2f x split; no array of records)\n", inRuns, inRuns / split);
    std::printf("write:            %8.2f ms  (%.2f x split)\n", write, write / split);
    std::filesystem::remove_all(dir);
    return read <= 5 * split && write <= 5 * split ? 0 : 2;
}
