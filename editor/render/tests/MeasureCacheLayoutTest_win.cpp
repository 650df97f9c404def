#include <gtest/gtest.h>

#include <random>

#include "BenchDocument.h"
#include "LayoutFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/PageView.h"
#include "model/layout/LayoutSetup.h"
#include "render/GdiTextMeasurer_win.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

// A song of notation and lyric paragraphs in both fonts, sizes, weights and styles; some grace
// notes, measured through GDI.
tessaly::JpData RandomSong(std::mt19937& rng) {
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    tessaly::JpData d = bench::Document(0);
    d.FontTbl.push_back({tessaly::Utf16ToCp936(u"宋体").value(), 134, 15, 3});
    constexpr float kSizes[] = {9, 10.5f, 12, 14, 18, 24};
    const int paragraphs = 1 + below(12);
    for (int p = 0; p < paragraphs; ++p) {
        const bool lyric = below(3) == 0;
        const int n = below(150);
        for (int i = 0; i <= n; ++i) {
            tessaly::aWordInfo w = bench::Note(i, i == n);
            if (i < n) {
                w.SelSize = kSizes[below(6)];
                w.nLogFont.lfWeight = below(4) == 0 ? 700 : 400;
                w.nLogFont.lfItalic = below(8) == 0;
                w.nLogFont.lfUnderline = below(8) == 0;
                w.nLogFont.lfStrikeOut = below(8) == 0;
                if (lyric) {
                    w.nLogFont.FontTblIndex = 1;
                    w.IsJpGcCtl = 0;
                    // A character from the first rows of GB2312, or a letter.
                    w.WdAsc = below(5) == 0 ? static_cast<int16_t>('a' + below(26))
                                            : static_cast<int16_t>(((0xB0 + below(8)) << 8) | (0xA1 + below(94)));
                } else if (below(10) == 0) {
                    w.ExtralWordInfo[0] = {kMarkGraceNote, below(4), 1, {}};
                    w.nLogFont.lfHeight = -(8 + below(8));
                }
            }
            d.WordInfo.push_back(w);
        }
    }
    d.FileInfo.FontTblCount = 2;
    d.FileInfo.WordCount = static_cast<int32_t>(d.WordInfo.size());
    return d;
}

EditorData LaidOut(const tessaly::JpData& doc, TextMeasurer& measurer) {
    EditorData data;
    LoadDocument(data, doc);
    data.Measurer = measurer;
    NoPageView page;
    InitFormat(data, page);
    return data;
}

// Sizes kept by the measurer are the ones it measures: the whole layout is the same with and without.
TEST(MeasureCacheLayout, LayoutsAreTheSameWithAndWithoutTheCache) {
    GdiTextMeasurer cached;
    GdiTextMeasurer uncached;
    uncached.SetCaching(false);
    std::vector<tessaly::JpData> docs{bench::Document(3 * bench::kParagraphsPerPage)};
    std::mt19937 rng(4407);
    for (int i = 0; i < 12; ++i) docs.push_back(RandomSong(rng));
    for (size_t i = 0; i < docs.size(); ++i) {
        const EditorData plain = LaidOut(docs[i], uncached);
        EXPECT_EQ(test::MeasuredLayoutDifference(LaidOut(docs[i], cached), plain), "") << "document " << i;
        EXPECT_EQ(test::MeasuredLayoutDifference(LaidOut(docs[i], cached), plain), "")
            << "document " << i << ", cache filled";
    }
}

}  // namespace
}  // namespace notaline
