#pragma once

#include <array>
#include <string_view>

#include "model/document/EditorData.h"

namespace notaline {

// The metres a time signature may name; an entry's index is the JiePai value of that metre.
inline constexpr std::array<std::string_view, 10> kMetreList{"1/4", "2/4", "3/4", "4/4", "5/4",
                                                             "3/8", "6/8", "7/8", "9/8", "12/8"};

// Reads the key signature, tempo and time signature that the document writes as marked
// characters, in document order, into the play settings: the key into Yd of the main track,
// the tempo into Bpm, the metre into JiePai. Run when a document is loaded and after each laid
// out edit, so the values do not depend on which pages are drawn. Values not found are left alone.
void ScanPlayMarks(EditorData& data);

// Whether a character from first to last, or one of the three before it (a tempo's "=" whose
// digits reach in), carries a mark the scan reads. An edit for which this is false both before
// and after it leaves the scan's result as it was.
bool PlayMarksNear(const EditorData& data, int32_t first, int32_t last);

}  // namespace notaline
