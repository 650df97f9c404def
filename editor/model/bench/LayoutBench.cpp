// Times the load and full layout of a generated 200-page document against the re-layout after
// one typed character, in the same run. Not a test: it prints its figures.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "model/document/EditorData.h"
#include "model/document/Measure.h"
#include "model/document/mGeneral.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"
#include "model/layout/Pagination.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

constexpr int kParagraphs = 3000;
constexpr int kWordsPerParagraph = 100;

// Widths as a screen font would give them, without a screen.
class SteadyMeasurer : public TextMeasurer {
public:
    tessaly::SIZEF MeasureGdip(const tessaly::LogFont&, float em, std::u16string_view ch) override {
        return {!ch.empty() && ch[0] < 0x80 ? em / 2 : em, em * 1.25f};
    }
    tessaly::SIZEF MeasureGdi(const tessaly::LogFont& font, std::u16string_view) override {
        return {static_cast<float>(-font.lfHeight) / 2, static_cast<float>(-font.lfHeight)};
    }
};

class OneDocument : public DocumentSource {
public:
    tessaly::JpData Doc;
    DocumentRead ReadRtfFile(intptr_t, std::u16string_view) override { return {true, {}, Doc}; }
    DocumentRead ReadDocFile(intptr_t, std::u16string_view) override { return {true, {}, Doc}; }
};

// Notation paragraphs and lyric paragraphs in turn, each about two lines long.
tessaly::JpData Generated() {
    tessaly::JpData d;
    d.FontTbl = {{"Tolvane", 2, 15, 3}, {"\xCB\xCE\xCC\xE5", 134, 15, 3}};
    d.ColorTbl = {0};
    d.PageInfo.nScale = 1;
    d.PageInfo.PageMarginRect = {245, 200, 245, 200};
    for (int p = 0; p < kParagraphs; ++p) {
        const bool lyric = p % 2 == 1;
        for (int i = 0; i < kWordsPerParagraph; ++i) {
            tessaly::aWordInfo w;
            w.SelSize = 12;
            w.nLogFont.lfWeight = 400;
            w.cb = -1;
            w.WdSpace = 4;
            if (i == kWordsPerParagraph - 1) {
                w.WdAsc = '-';
                w.IsJpGcCtl = 3;
                const int32_t values[] = {0, 0, 0, 20, 20, 0, p % 3, 0};
                for (int s = 0; s < 8; ++s) w.ExtralWordInfo[s] = {155 + s, values[s], 0, {}};
            } else if (lyric) {
                w.WdAsc = static_cast<int16_t>(0xB8E8);  // 歌
                w.nLogFont.FontTblIndex = 1;
            } else {
                w.WdAsc = static_cast<int16_t>(i % 8 == 7 ? '|' : (i % 5 == 4 ? '-' : '1' + i % 7));
                w.IsJpGcCtl = 1;
            }
            d.WordInfo.push_back(w);
        }
    }
    return d;
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Types one character before position `at` as the editing members do, and re-lays out; the time
// of the re-layout alone.
Clock::duration TypeOne(EditorData& data, int32_t at) {
    SetInputDat(data, at, 0, 1);
    tessaly::aWordInfo w = data.WordInfo[static_cast<size_t>(at > 0 ? at - 1 : 0)].Expand();
    w.WdSize = MeasureWordGdip(data, w.nLogFont, std::string(1, '5'));
    data.WordInfo.insert(data.WordInfo.begin() + at, w);
    data.AboutFileInfo.WordCount += 1;
    const auto t0 = Clock::now();
    FormatInputLines(data, data.InputDat);
    return Clock::now() - t0;
}

}  // namespace

int main() {
    SteadyMeasurer measurer;
    OneDocument source;
    source.Doc = Generated();
    EditorData data;
    data.Measurer = measurer;

    const auto t0 = Clock::now();
    NoPageView page;
    NoControlSite control;
    LoadJpFile(data, source, page, control, 0, u"bench.dadur");
    const auto load = Clock::now() - t0;
    const auto t1 = Clock::now();
    InitFormat(data, page);
    const auto full = Clock::now() - t1;

    constexpr int kKeys = 200;
    Clock::duration atEnd{};
    for (int i = 0; i < kKeys; ++i) atEnd += TypeOne(data, data.WordCount() - 1);
    Clock::duration atStart{};
    for (int i = 0; i < kKeys; ++i) atStart += TypeOne(data, 0);

    std::printf("document: %d pages, %d lines, %d characters\n", data.PageCount(), data.LineCount(), data.WordCount());
    std::printf("load and full layout: %.2f ms; full layout alone: %.2f ms\n", Ms(load), Ms(full));
    std::printf("re-layout after one typed character: at the end %.4f ms, at the start %.4f ms\n", Ms(atEnd) / kKeys,
                Ms(atStart) / kKeys);
    std::printf("full layout / one keystroke at the end: %.0f\n", Ms(full) / (Ms(atEnd) / kKeys));
    return 0;
}
