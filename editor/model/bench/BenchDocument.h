#pragma once
// What the model's benches share: a generated document of notation paragraphs, a reader that
// hands it over, and steady measuring without a screen.
#include <string_view>
#include <utility>

#include "FakeServices.h"
#include "model/document/DocumentSource.h"
#include "records/Records.h"

namespace notaline::bench {

constexpr int kParagraphsPerPage = 30;  // of 100 characters: about a page of A4

// The tests' widths (ASCII and notation codes half an em, others an em), without remembering the calls.
class SteadyMeasurer : public test::FakeTextMeasurer {
public:
    SteadyMeasurer() { Remember = false; }
};

// Hands its document over once, as a reader does.
class OneDocument : public DocumentSource {
public:
    tessaly::JpData Doc;
    DocumentRead ReadRtfFile(intptr_t, std::u16string_view) override { return {true, {}, std::move(Doc)}; }
    DocumentRead ReadDocFile(intptr_t, std::u16string_view) override { return {true, {}, std::move(Doc)}; }
};

inline tessaly::aWordInfo Note(int i, bool end) {
    tessaly::aWordInfo w;
    w.SelSize = 12;
    w.nLogFont.lfWeight = 400;
    w.cb = -1;
    w.WdSpace = 4;
    w.WdAsc = static_cast<int16_t>(end ? '-' : i % 8 == 7 ? '|' : '1' + i % 7);
    w.IsJpGcCtl = end ? 3 : 1;
    return w;
}

// Paragraphs of notes and bar lines and a paragraph end, 100 characters each unless told.
inline tessaly::JpData Document(int paragraphs, int length = 100) {
    tessaly::JpData d;
    d.FontTbl = {{"Tolvane", 2, 15, 3}};
    d.ColorTbl = {0};
    d.PageInfo.nScale = 1;
    d.PageInfo.PageMarginRect = {245, 200, 245, 200};
    for (int p = 0; p < paragraphs; ++p)
        for (int i = 0; i < length; ++i) d.WordInfo.push_back(Note(i, i == length - 1));
    d.FileInfo.FontTblCount = 1;
    d.FileInfo.ColorTblCount = 1;
    d.FileInfo.WordCount = static_cast<int32_t>(d.WordInfo.size());
    return d;
}

}  // namespace notaline::bench
