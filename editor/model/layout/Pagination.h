#pragma once

#include <cmath>
#include <cstdint>

#include "model/document/EditorData.h"
#include "model/document/WholeLayout.h"
#include "records/Numbers.h"

namespace notaline {

// CLng of a height in pixels, without a library call, for the loops over every line: inline, as
// those loops run over every line behind an edit.
inline int32_t RoundPixels(double x) {
    if (!(std::fabs(x) < 1e9)) return tessaly::CLng(x);
    // Below 2^52 a sum with 2^52 keeps no fraction: the addition rounds halves to even, as CLng does.
    constexpr double kWhole = 4503599627370496.0;
    return static_cast<int32_t>(x >= 0 ? (x + kWhole) - kWhole : (x - kWhole) + kWhole);
}

// PartInfo again from the paragraph ends, one entry each.
void GetAllPartInfo(EditorData& data);

// Divides LineInfo into pages (at least one), then places lines and characters vertically.
void FormatPages(EditorData& data);
// Appends a page that begins with Line.
void StartNewPage(EditorData& data, int32_t Line);
void PlaceLinesVertically(EditorData& data);
void PlaceWordsVertically(EditorData& data);

// The whole document into LineInfo; the caller paginates.
void FormatAllLines(EditorData& data);

// Lays out from InputDat.iWord1, the first character of line InputDat.iLine1, to the end;
// paginates.
void FormatFromLine(EditorData& data, const tessaly::aInputDat& InputDat);

// Lays out again the paragraphs an edit touched (InputDat as SetInputDat filled it before the
// arrays changed), splices their lines in and paginates. Returns false
// when the record did not match the layout, so the whole document was laid out instead. The
// editor's own record is laid out once: a second call for the same edit does nothing.
bool FormatInputLines(EditorData& data, const tessaly::aInputDat& InputDat);

// Breaks again, from its cut line, the paragraph that a key left with a line cut short (see
// LineArray), and paginates from there; false when no line is cut. Past `Lines` new lines the
// breaking stops where an old line ends, cutting the last new line there: a step of the work.
bool RebreakFromCutLine(EditorData& data, int32_t Lines = INT32_MAX);

// The document for a writer on another thread, taken without placing the characters whose lines
// moved: the writer places them on its own copy, from the line boxes taken here.
DocumentSnapshot SnapshotAsStored(const EditorData& data, WholeLayout);
// The same for a DaDur file only, taken as the layout stands: a DaDur file holds no character
// boxes, so a line a key cut short is left for the idle time to join up a step at a time.
DocumentSnapshot DaDurSnapshotAsStored(const EditorData& data);

}  // namespace notaline
