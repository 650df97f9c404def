#pragma once

#include <cstdint>

#include "model/document/EditorData.h"

namespace notaline {

// A range of characters; a negative length given to a command means the characters before start.
struct WordRange {
    int32_t Start = 0;
    int32_t Length = 0;
};

// The range turned round when its length is negative; {-1, 0} when no document could hold it.
WordRange NormalRange(int32_t start, int32_t length);

// Turns a leftward range (negative length) round; true when it then lies within the document
// (start + length may reach WordCount, the caret's place after the last character).
bool NormaliseWordRange(const EditorData& data, int32_t& start, int32_t& length);

}  // namespace notaline
