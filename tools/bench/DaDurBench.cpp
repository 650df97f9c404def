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
#include "Cp936.h"
#include "DaDurFile.h"

namespace {

using namespace tessaly;

class QuietSystem final : public DaDurSystem {
public:
    void Progress(intptr_t, int32_t) override {}
    void Beep() override {}
    void Message(intptr_t, const std::u16string&) override {}
    std::vector<std::string> InstalledFonts() override { return {"tolvane", Utf16ToCp936(u"宋体").value()}; }
    double ZoomFactor() override { return 1.0; }
    int32_t CurrentDpi() override { return 96; }
};

// About 500 characters a page: notation with durations, octaves and marks,
// bar lines, lyrics under them, a paragraph end every 50 characters.
JpData Generate(int pages) {
    QuietSystem system;
    DaDurFile base(system);
    base.ReadRtfFile(0, "");
    JpData doc = base.Data();
    const aWordInfo title = doc.WordInfo[0];
    const aWordInfo end = doc.WordInfo.back();
    const std::string lyrics = Utf16ToCp936(u"春眠不觉晓处处闻啼鸟夜来风雨声花落知多少").value();
    const auto lyricChars = SplitGbkChars(lyrics);
    doc.WordInfo.clear();
    int pair = 0;
    for (int i = 0; i < pages * 500; ++i) {
        if (i % 50 == 49) {
            doc.WordInfo.push_back(end);
            continue;
        }
        aWordInfo w = title;
        if ((i / 50) % 2 == 0) {
            w.IsJpGcCtl = 1;
            w.nLogFont.FontTblIndex = 0;
            w.WdAsc = static_cast<int16_t>('1' + i % 7);
            w.Yc = static_cast<uint8_t>(i % 3);
            w.YG = static_cast<uint8_t>(i % 5 == 0 ? 1 : 0);
            if (i % 8 == 0) {
                w.IsJpGcCtl = 2;
                w.WdAsc = 87;  // bar line
            }
            if (i % 10 == 1) w.ExtralWordInfo[0] = {72, 0, ++pair % 7, {}};
            if (i % 10 == 3) w.ExtralWordInfo[0] = {73, 0, pair % 7, {}};
            if (i % 25 == 5) w.ExtralWordInfo[1] = {37, 2, 0, {'p', 'p'}};
        } else {
            w.WdAsc = *WdAscFromGbk(lyricChars[i % lyricChars.size()]);
        }
        doc.WordInfo.push_back(w);
    }
    doc.FileInfo.WordCount = static_cast<int32_t>(doc.WordInfo.size());
    return doc;
}

using bench::BestMs;

}  // namespace

int main() {
    QuietSystem system;
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
    std::printf("write:            %8.2f ms  (%.2f x split)\n", write, write / split);
    std::filesystem::remove_all(dir);
    return read <= 5 * split && write <= 5 * split ? 0 : 2;
}
