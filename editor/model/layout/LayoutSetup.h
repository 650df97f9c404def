#pragma once

#include <cstdint>
#include <string_view>

#include "model/document/EditorData.h"
#include "model/document/PageView.h"
#include "model/document/WholeLayout.h"
#include "model/layout/PageSetupRules.h"

namespace notaline {

// Layout set-up for the screen and paper, and the full layout.
void InitFormat(EditorData& data, PageView& page);
// InitFormat, then the view starts again from the first page.
void ReInitFormat(EditorData& data, PageView& page);

// After AboutPageInfo.PaperType changed: page size, writable area, page grid and buffers, and
// the whole document laid out again.
void ApplyPaperType(EditorData& data, PageView& page);
// Lays out the last edit (InputDat) unless it is laid out already, and tells the page grid the
// page count; false when it took a full layout.
bool LayOutEdit(EditorData& data, PageView& page);
// Breaks again the paragraph that a key left with a line cut short, keeping the caret's line, the
// source lines and the page grid as LayOutEdit does; the one maker of a WholeLayout, called before
// the lines are shown, printed, pictured or saved.
WholeLayout JoinUp(EditorData& data, PageView& page);
// A step of that work when idle: only `lines` lines are broken (see RebreakFromCutLine). False when no
// line is cut.
bool JoinUpStep(EditorData& data, PageView& page, int32_t lines);
// The whole document laid out again (margins or font heights changed), the caret kept in view.
void ReFormatAll(EditorData& data, PageView& page);

// The page in pixels for the paper and orientation; an unknown paper type or orientation keeps
// the previous size.
void CalcPageSize(EditorData& data, int32_t PaperType);
// The writable area; the right and bottom margins mirror the left and top ones.
void CalcWriteRect(EditorData& data);
// The size of every character (and its logical height, unless it is a grace note).
void MeasureAllWords(EditorData& data);

// Appends a paragraph end with the default paragraph attributes when the document does not end
// with one, so that every character belongs to a paragraph.
void EnsureFinalParagraphEnd(EditorData& data);

}  // namespace notaline
