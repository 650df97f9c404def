#pragma once

#include <string_view>

#include "model/EditorData.h"

namespace notaline::test {

// A document from a pattern: each byte one character; '|' a paragraph end, digits notes, any other
// byte a lyric character. The spare record follows the last character.
inline void SetWords(EditorData& data, std::string_view pattern) {
    tessaly::JpData doc;
    for (char c : pattern) {
        tessaly::aWordInfo w;
        w.WdAsc = static_cast<int16_t>(static_cast<unsigned char>(c));
        w.IsJpGcCtl = c == '|' ? 3 : (c >= '0' && c <= '9') ? 1 : 0;
        doc.WordInfo.push_back(w);
    }
    LoadDocument(data, std::move(doc));
}

// Lines of the given lengths, one after another from character 0.
inline void SetLines(EditorData& data, std::initializer_list<int32_t> lengths) {
    data.LineInfo.clear();
    int32_t start = 0;
    for (int32_t n : lengths) {
        tessaly::aLineInfo l;
        l.Start = start;
        l.Length = n;
        data.LineInfo.push_back(l);
        start += n;
    }
}

inline void SetMark(EditorData& data, int32_t word, int32_t slot, int32_t code, int32_t v1 = 0, int32_t v2 = 0) {
    auto& s = data.WordInfo[static_cast<size_t>(word)].ExtralWordInfo[slot];
    s.IndexType = code;
    s.ExtralWordVal1 = v1;
    s.ExtralWordVal2 = v2;
}

}  // namespace notaline::test
