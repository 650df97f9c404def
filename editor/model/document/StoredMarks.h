#pragma once

#include <cstdint>

#include "model/document/EditorData.h"

namespace notaline {

// Marks drawn as a run of glyphs whose count is the second value.
bool IsRunCountMark(int32_t code);

// A crescendo hairpin's length in characters after its first, kept within the document and,
// once laid out, within the first character's line.
int32_t FittedHairpinLength(const EditorData& data, int32_t word, int32_t length);

// Puts a stored mark's values where painting can draw them as they are: a run count below 1
// becomes 1, a hairpin ends on its line. Painting only reads, so the loader and the commands
// that make marks call these.
void FitMarkValues(EditorData& data, int32_t word, int32_t slot);
void FitAllMarkValues(EditorData& data);

}  // namespace notaline
