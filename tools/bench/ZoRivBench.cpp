// Times a save and a load of a 200-page document against reading the same number of bytes from
// disk, in the same run. Not a test: it prints its figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "ZoRivFormat.h"

namespace {

using namespace tessaly;
using Clock = std::chrono::steady_clock;

constexpr int kPages = 200;
// The editor's layout puts 37 of these one-line paragraphs on a page of this paper: 200 pages.
constexpr int kWordsPerPage = 1850;
constexpr double kZoom = 1.5;

// Notation lines with bar lines and marks, lyric lines under them, a paragraph end per line.
JpData TwoHundredPages() {
    JpData d;
    d.FileInfo.DaDurVer = 1;
    d.FileInfo.CMScale = 1;
    d.FileInfo.deffFont = 1;
    d.FontTbl = {{"Tolvane", 2, 14, 4}, {"\xCB\xCE\xCC\xE5", 134, 15, 2}, {"arial", 134, 15, 3}};
    d.ColorTbl = {0x000000, 0xFFFFFF, 0x0000FF};
    d.FileInfo.m_cb = 1;
    d.PageInfo.nScale = 1;
    d.PageInfo.PageMarginRect = {20, 25, 20, 25};
    d.PageInfo.PageSize = {210, 297};
    const int total = kPages * kWordsPerPage;
    d.WordInfo.reserve(total);
    for (int i = 0; i < total; ++i) {
        aWordInfo w;
        const int inLine = i % 50;
        const bool lyric = (i / 50) % 2 == 1;
        w.nLogFont.lfHeight = -20;
        w.nLogFont.lfWeight = 400;
        w.cb = -1;
        w.WdSize = {12, 20};
        w.SelSize = 15;
        w.WdSpace = static_cast<float>(inLine % 3);
        if (inLine == 49) {
            w.WdAsc = '-';
            w.IsJpGcCtl = 3;
            w.ExtralWordInfo[0] = {155, 1, 0, {}};
            w.ExtralWordInfo[1] = {159, 25, 0, {}};
        } else if (lyric) {
            w.WdAsc = static_cast<int16_t>(0xB8E8);  // 歌
            w.nLogFont.FontTblIndex = 1;
        } else {
            w.WdAsc = static_cast<int16_t>(inLine % 8 == 7 ? '|' : '1' + inLine % 7);
            w.IsJpGcCtl = 1;
            w.Yc = static_cast<uint8_t>(inLine % 4);
            if (inLine % 10 == 0) w.ExtralWordInfo[0] = {72, 0, i, {}};
            if (inLine % 10 == 5) w.ExtralWordInfo[0] = {73, 0, i - 5, {}};
        }
        w.Left = static_cast<float>(inLine * 14);
        w.Right = w.Left + 12;
        d.WordInfo.push_back(w);
    }
    d.FileInfo.WordCount = total;
    for (int p = 0; p < kPages; ++p) d.HwWordInfo.push_back({p, 1, 2, 10, 40, 300, 12});
    d.FileInfo.HwWordCount = kPages;
    d.PlayInfo.Track.resize(4);
    d.PlayInfo.TotalTrack = 4;
    d.PlayInfo.Bpm = 90;
    d.XjDrum.resize(8);
    d.PlayInfo.XjDrumCount = 8;
    d.FileInfo.FontTblCount = static_cast<int16_t>(d.FontTbl.size());
    d.FileInfo.ColorTblCount = static_cast<int16_t>(d.ColorTbl.size());
    return d;
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The plain reads and writes to compare with: the same number of bytes, one call each.
size_t ReadRaw(const std::filesystem::path& name, size_t n) {
    const std::unique_ptr<char[]> bytes(new char[n]);
    std::ifstream in(name, std::ios::binary);
    in.read(bytes.get(), static_cast<std::streamsize>(n));
    return static_cast<size_t>(in.gcount());
}

bool WriteRaw(const std::filesystem::path& name, const std::vector<char>& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main() {
    const JpData doc = TwoHundredPages();
    const auto folder = std::filesystem::temp_directory_path() / "zoriv-bench";
    std::filesystem::create_directories(folder);
    const auto name = folder / "bench.ZoRiv";

    constexpr int kRounds = 7;
    std::vector<double> writes, reads, runReads, raws, rawWrites;
    // The characters handed on a run at a time and dropped, as a store would take them.
    struct Counting final : WordSink {
        size_t n = 0;
        void Take(const aWordInfo*, size_t count) override { n += count; }
        void Revisit(const std::function<void(aWordInfo&)>&) override {}
    };
    size_t fileSize = 0;
    for (int round = 0; round < kRounds; ++round) {
        auto t0 = Clock::now();
        if (!WriteZoRivFile(name, doc, kZoom, nullptr).Ok()) return 1;
        auto t1 = Clock::now();
        JpData back;
        if (!ReadZoRivFile(name, kZoom, back, nullptr).Ok() || back.WordInfo.size() != doc.WordInfo.size()) return 1;
        auto t2 = Clock::now();
        Counting sink;
        JpData rest;
        if (!ReadZoRivFile(name, kZoom, rest, sink, nullptr).Ok() || sink.n != doc.WordInfo.size()) return 1;
        runReads.push_back(Ms(Clock::now() - t2));
        t2 = Clock::now();
        fileSize = std::filesystem::file_size(name);
        if (ReadRaw(name, fileSize) != fileSize) return 1;
        auto t3 = Clock::now();
        const std::vector<char> same(fileSize, 1);
        auto t4 = Clock::now();
        if (!WriteRaw(folder / "raw.bin", same)) return 1;
        auto t5 = Clock::now();
        std::filesystem::remove(folder / "raw.bin");  // its pages are not written back meanwhile
        writes.push_back(Ms(t1 - t0));
        reads.push_back(Ms(t2 - t1));
        raws.push_back(Ms(t3 - t2));
        rawWrites.push_back(Ms(t5 - t4));
    }
    std::filesystem::remove_all(folder);

    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double w = median(writes), r = median(reads), raw = median(raws), rawWrite = median(rawWrites);
    std::printf("document: %d pages, %zu characters, file %zu bytes\n", kPages, doc.WordInfo.size(), fileSize);
    std::printf("median of %d rounds: write %.2f ms, read %.2f ms, raw read of the same bytes %.2f ms\n", kRounds, w, r,
                raw);
    std::printf("read in runs (no array of records) %.2f ms, / raw read %.2f\n", median(runReads),
                median(runReads) / raw);
    std::printf("write / raw read %.2f, read / raw read %.2f, (write + read) / raw read %.2f\n", w / raw, r / raw,
                (w + r) / raw);
    std::printf("for comparison: raw write of the same bytes %.2f ms, write / raw write %.2f\n", rawWrite,
                w / rawWrite);
    return 0;
}
