#pragma once
#include <cstdint>
#include <vector>

#include "model/EditorData.h"

namespace notaline {

// The document's bars in document order, each with its playing block. Built afresh before every
// playback and export; building it never changes the document.
struct BarList {
    // Entries 0 to the last created; the last one of several has no closing bar line.
    std::vector<tessaly::aXjInfo> Bars;
    // Block numbers of the entries, wide: PlayBlock saturates at 32767.
    std::vector<int32_t> Blocks;
    int32_t XjCount = 0;     // bars that play: 0 to XjCount - 1
    bool SingleBar = false;  // fewer than two bar lines: the whole document is one bar, without drums

    // Characters of bar j, both ends included. A bar does not include the note that opens the next
    // one (a volta on a note), so that note sounds once, in its own bar.
    int32_t FirstChar(int32_t j) const { return Bars[static_cast<size_t>(j)].XjSelStart; }
    int32_t LastChar(const EditorData& data, int32_t j) const;
};

BarList BuildXjInfo(const EditorData& data);

// The drum patterns the song plays: the document's, or one empty pattern for a single-bar
// document.
std::vector<tessaly::XjDrumData> SongDrums(const EditorData& data, const BarList& bars);

}  // namespace notaline
