#pragma once

#include "records/JpData.h"

namespace notaline::bench {

inline constexpr int kParagraphsPerPage = 30;  // of 100 characters: about a page of A4

// A note, a bar line every eighth character, or a paragraph end.
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

// Paragraphs of 100 characters on A4.
inline tessaly::JpData Document(int paragraphs) {
    tessaly::JpData d;
    d.FontTbl = {{"Tolvane", 2, 15, 3}};
    d.ColorTbl = {0};
    d.PageInfo.nScale = 1;
    d.PageInfo.PageMarginRect = {245, 200, 245, 200};
    for (int p = 0; p < paragraphs; ++p)
        for (int i = 0; i < 100; ++i) d.WordInfo.push_back(Note(i, i == 99));
    return d;
}

}  // namespace notaline::bench
