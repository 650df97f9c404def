#pragma once

#include <cstdint>
#include <functional>

#include "model/document/CharKinds.h"
#include "model/document/EditorData.h"

namespace notaline {

// True for the document's last character, or for a character that a paragraph end follows.
bool IsLastBeforeParaEnd(const EditorData& data, int32_t Index);
// True when neither the character nor the next one is a dash.
bool NoDashAround(const EditorData& data, int32_t Index);
// The number of paragraph ends before Index; 0 when none lies at or after it.
int32_t GetPartIndexOfWord(const EditorData& data, int32_t Index);

// The horizontal limits of one paragraph, which begins at ParaStart; the first-line indent is in
// tenths of the width of the paragraph's second character (its first when it has no other).
void GetLineIndent(const EditorData& data, int32_t PartIndex, int32_t ParaStart, int16_t& FirstLineLeft,
                   int16_t& OtherLinesLeft, int16_t& LineRightLimit);

// The space above a paragraph's first line, in pixels: its own space before and the space after
// of the paragraph before it.
float FirstLineUpSpace(const EditorData& data, int32_t PartIndex);

// Breaks StartWord (a paragraph's first character) to EndWord (a paragraph end) into
// data.LineScratch[0] to [Count - 1], each paragraph placed by its alignment. Characters after the
// range's last paragraph end are not laid out. FirstPartIndex, when known, is the paragraph number
// of StartWord; -1 counts it.
// Breaking a paragraph again from one of its lines, up to a line from which its old lines hold.
struct LineResume {
    int32_t Word = -1;  // the first character of a line after the paragraph's first; -1 its start
    // Whether the old lines hold from a line that begins at this character; the breaking stops there.
    std::function<bool(int32_t)> StopAt;
    // Set by StopAt to stop later instead: one more line, ended at this character (where an old
    // line ends, so that the old lines behind hold), however short it is.
    int32_t CutAt = -1;
};

void FormatLines(EditorData& data, int32_t StartWord, int32_t EndWord, int32_t& Count, int32_t FirstPartIndex = -1,
                 const LineResume* Resume = nullptr);

// Places the characters of data.LineScratch[FirstLine] to [LastLine] by the paragraph's alignment,
// with the limits of the paragraph broken last.
void AlignLines(EditorData& data, int32_t PartIndex, int32_t FirstLine, int32_t LastLine);

void PlaceLineNear(EditorData& data, int32_t Line);
void PlaceLineCenter(EditorData& data, int32_t Line);
void PlaceLineDisperse(EditorData& data, int32_t Line);
void PlaceLineFar(EditorData& data, int32_t Line);
// Lines aligned to a source line: the editor aligns them through character spacing.
void PlaceLineSource(EditorData& data, int32_t Line);

}  // namespace notaline
