#include "model/document/WordRange.h"

namespace notaline {

WordRange NormalRange(int32_t start, int32_t length) {
    const int64_t first = length < 0 ? int64_t{start} + length : start;
    const int64_t count = length < 0 ? -int64_t{length} : length;
    if (first < INT32_MIN || count > INT32_MAX) return {-1, 0};  // no document holds it
    return {static_cast<int32_t>(first), static_cast<int32_t>(count)};
}

// The record after the range must exist too: the commands image one character past it.
bool NormaliseWordRange(const EditorData& data, int32_t& start, int32_t& length) {
    const WordRange range = NormalRange(start, length);
    const int64_t end = int64_t{range.Start} + range.Length;
    if (range.Start < 0 || end > data.WordCount() || data.WordInfo.size() < static_cast<size_t>(end) + 1) return false;
    start = range.Start;
    length = range.Length;
    return true;
}

}  // namespace notaline
