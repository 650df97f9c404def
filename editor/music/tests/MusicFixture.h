#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "model/document/EditorData.h"
#include "music/BarList.h"
#include "music/NoteExtraction.h"

namespace notaline::test {

// A song from a pattern, one character per byte: digits notes ('0' a rest), '-' a dash, '.' the
// dot, '|' a plain bar line, '[' the start-position bar line, ']' the final bar line, ':' a
// section line; any other byte is a lyric character. Every track sings block 1 at volume 100.
inline tessaly::JpData SongDocument(std::string_view pattern, int tracks = 1) {
    tessaly::JpData doc;
    for (char c : pattern) {
        tessaly::aWordInfo w;
        w.WdAsc = static_cast<int16_t>(static_cast<unsigned char>(c));
        if ((c >= '0' && c <= '9') || c == '-') {
            w.IsJpGcCtl = 1;
        } else if (c == '.') {
            w.IsJpGcCtl = 2;
            w.WdAsc = 'D';
        } else if (c == '|' || c == '[' || c == ']' || c == ':') {
            w.IsJpGcCtl = 2;
            w.WdAsc = c == '|' ? 91 : c == '[' ? 88 : c == ']' ? 94 : 89;
        }
        doc.WordInfo.push_back(w);
    }
    doc.PlayInfo.TotalTrack = static_cast<uint8_t>(tracks);
    doc.PlayInfo.MainTrack = 1;
    doc.PlayInfo.Bpm = 120;
    doc.PlayInfo.JiePai = 3;
    doc.PlayInfo.Track.resize(static_cast<size_t>(tracks));
    for (auto& t : doc.PlayInfo.Track) {
        t.Volume = 100;
        t.SoundImage = 64;
        t.IsUser = tessaly::kTrue;
        t.tPlayOrder[0] = {1, tessaly::kTrue};
    }
    return doc;
}

inline void SetSong(EditorData& data, std::string_view pattern, int tracks = 1) {
    LoadDocument(data, SongDocument(pattern, tracks));
}

inline void SetText(EditorData& data, int32_t word, int32_t slot, std::string_view text) {
    data.WordInfo[static_cast<size_t>(word)].EditMark(static_cast<size_t>(slot), [&](tessaly::aExtralWordInfo& s) {
        std::memset(s.ExtralWordVal3, 0, sizeof s.ExtralWordVal3);
        std::memcpy(s.ExtralWordVal3, text.data(), std::min(text.size(), sizeof s.ExtralWordVal3));
    });
}

inline std::vector<tessaly::aCodeEvent> Codes(const EditorData& data, int32_t track = 1) {
    return CollectTrackCodes(data, BuildXjInfo(data), track);
}

inline std::vector<float> Lengths(const std::vector<tessaly::aCodeEvent>& events) {
    std::vector<float> out;
    for (const auto& e : events) out.push_back(e.DelayTimer);
    return out;
}

inline std::vector<int> Volumes(const std::vector<tessaly::aCodeEvent>& events) {
    std::vector<int> out;
    for (const auto& e : events) out.push_back(e.Volume);
    return out;
}

}  // namespace notaline::test
