#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/document/EditorData.h"

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
    data.WordInfo[static_cast<size_t>(word)].EditMark(static_cast<size_t>(slot), [&](tessaly::aExtralWordInfo& s) {
        s.IndexType = code;
        s.ExtralWordVal1 = v1;
        s.ExtralWordVal2 = v2;
    });
}

// The stored parts of the document as bytes: what painting must leave as it was.
inline std::vector<uint8_t> DocumentBytes(const EditorData& data) {
    std::vector<uint8_t> out;
    auto add = [&out](const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out.insert(out.end(), b, b + n);
    };
    add(&data.AboutFileInfo, sizeof data.AboutFileInfo);
    add(&data.AboutPageInfo, sizeof data.AboutPageInfo);
    for (const auto& w : data.WordInfo) add(&w, sizeof w);
    for (const auto& h : data.HwWordInfo) add(&h, sizeof h);
    for (const auto& f : data.FontTbl) {
        add(f.FontName.data(), f.FontName.size() + 1);
        add(&f.fcharset, sizeof f.fcharset);
        add(&f.hYg, sizeof f.hYg);
        add(&f.hYc, sizeof f.hYc);
    }
    for (uint32_t c : data.ColorTbl) add(&c, sizeof c);
    return out;
}

}  // namespace notaline::test
