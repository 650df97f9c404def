#pragma once

#include <cstdint>

#include "model/document/EditorData.h"
#include "paint/Canvas.h"

namespace notaline {

// The position dialog's sample notes: the digits 0 to 7 twice from (30, 40) in `font`, the first
// fourteen with octave dots and duration lines, drawn with the font-table entry `entry` in row
// `row` as the document would draw it. `data` measures the digits.
EditorData MakeYcYgSamples(const EditorData& data, const tessaly::mLogFont& font, const tessaly::aFontTbl& entry,
                           int32_t row);
void DrawYcYgPreview(Canvas& canvas, const EditorData& samples);

}  // namespace notaline
