#pragma once
// The generated songs of the benches.
#include <string>

#include "DaDurFile.h"
#include "text/Cp936.h"

namespace bench {

// The pages the benches' songs are called by.
constexpr int kSongPages = 200;
// Characters a page: the editor's layout puts 15 of these paragraphs (two lines each) on an A4
// page (music_bench lays the song out and prints its pages).
constexpr int kSongCharactersPerPage = 750;

// Songs made from the default document's first character and paragraph end: a paragraph end
// every 50 characters, notation in the even paragraphs (`notation` turns character i into a
// notation character), lyrics in the odd ones.
template <class Notation>
tessaly::JpData SongPages(tessaly::DaDurSystem& system, int pages, Notation notation) {
    tessaly::DaDurFile base(system);
    base.ReadRtfFile(0, "");
    tessaly::JpData doc = base.Data();
    const tessaly::aWordInfo title = doc.WordInfo[0];
    const tessaly::aWordInfo end = doc.WordInfo.back();
    const std::string lyrics = tessaly::Utf16ToCp936(u"春眠不觉晓处处闻啼鸟夜来风雨声花落知多少").value();
    const auto lyricChars = tessaly::SplitGbkChars(lyrics);
    doc.WordInfo.clear();
    for (int i = 0; i < pages * kSongCharactersPerPage; ++i) {
        if (i % 50 == 49) {
            doc.WordInfo.push_back(end);
            continue;
        }
        tessaly::aWordInfo w = title;
        if ((i / 50) % 2 == 0) {
            w.IsJpGcCtl = 1;
            w.nLogFont.FontTblIndex = 0;
            notation(w, i);
        } else {
            w.WdAsc = *tessaly::WdAscFromGbk(lyricChars[static_cast<size_t>(i) % lyricChars.size()]);
        }
        doc.WordInfo.push_back(w);
    }
    doc.FileInfo.WordCount = static_cast<int32_t>(doc.WordInfo.size());
    return doc;
}

}  // namespace bench
