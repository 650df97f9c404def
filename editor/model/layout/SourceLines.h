#pragma once

#include <cstdint>

#include "model/document/EditorData.h"

namespace notaline {

class PageView;

// The two alignment source lines: notation to lyrics (CPdqLine) and bar to bar (XjdqLine).
enum class SourceKind { CpDq, XjDq };

// Left + WdSize.cx / 2 of the character.
float GetWordCenterX(const EditorData& data, int32_t word);

// Fill the source line's alignment positions from its characters and remember where the line
// stands; true when it has at least one. The caller sets CPdqLine or XjdqLine.
bool ApplyCPdqLine(EditorData& data, int32_t line);
bool ApplyXjdqLine(EditorData& data, int32_t line);

// Drops the source line (and its positions) when the caret line shares characters with it; true
// when it was dropped, so that the view must be redrawn.
bool CheckSourceLine(EditorData& data, SourceKind kind);
// The same, redrawing the view when the line was dropped.
void CheckSourceLineAndShow(EditorData& data, PageView& page, SourceKind kind);

// After a re-layout: follows each source line to where its characters now stand, or drops it
// when they no longer form that line; never leaves an index past the line table.
void KeepSourceLines(EditorData& data);

}  // namespace notaline
