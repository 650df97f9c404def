#pragma once
#include <cstdint>
#include <vector>

#include "model/document/EditorData.h"

namespace notaline {

// The marks of one character that playback and export read, each from its first slot, taken once
// per build so the passes do not walk the character records again.
struct PlayMarks {
    int32_t GraceKind = 0;  // of the first grace-note slot
    int32_t GracePos = 0;
    int16_t Tuplet = 0;   // the tuplet start's number; 0 without one
    uint8_t Level = 0;    // dynamics 24 to 30; 0 without one
    uint8_t Accent = 0;   // 31 or 32
    uint8_t Hairpin = 0;  // 81 or 82
    bool Grace = false;
    bool SpanStart = false;
    bool SpanEnd = false;
};

// The document's bars in document order, each with its playing block. Built afresh before every
// playback and export; building it never changes the document.
struct BarList {
    // Entries 0 to the last created; the last one of several has no closing bar line.
    std::vector<tessaly::aXjInfo> Bars;
    // Block numbers of the entries, wide: PlayBlock saturates at 32767.
    std::vector<int32_t> Blocks;
    int32_t XjCount = 0;           // bars that play: 0 to XjCount - 1
    bool SingleBar = false;        // fewer than two bar lines: the whole document is one bar
    std::vector<PlayMarks> Marks;  // one per character

    const PlayMarks& MarksOf(int32_t word) const {
        static const PlayMarks kNone;
        return word >= 0 && static_cast<size_t>(word) < Marks.size() ? Marks[static_cast<size_t>(word)] : kNone;
    }

    // Characters of bar j, both ends included. A bar does not include the note that opens the next
    // one (a volta on a note), so that note sounds once, in its own bar.
    int32_t FirstChar(int32_t j) const { return Bars[static_cast<size_t>(j)].XjSelStart; }
    int32_t LastChar(const EditorData& data, int32_t j) const;
};

BarList BuildXjInfo(const EditorData& data);

// The drum patterns the song plays: the document's as read, a single-bar document's too.
std::vector<tessaly::XjDrumData> SongDrums(const EditorData& data, const BarList& bars);

}  // namespace notaline
