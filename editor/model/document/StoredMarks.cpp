#include "model/document/StoredMarks.h"

#include <algorithm>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/mGeneral.h"

namespace notaline {

bool IsRunCountMark(int32_t code) {
    return code == kMarkTrill || code == kMarkRitardando || code == kMarkAccelerando ||
           (code >= kMarkOctaveLineFirst && code <= kMarkOctaveLineLast) || code == kMarkDoubleSlide;
}

int32_t FittedHairpinLength(const EditorData& data, int32_t word, int32_t length) {
    const int32_t n = std::min(length, data.WordCount() - word - 1);
    const auto line = LineOfWord(data, word);
    return line ? std::min(n, LastWordOfLine(data, *line) - word) : n;
}

void FitMarkValues(EditorData& data, int32_t word, int32_t slot) {
    if (!data.IsWord(word) || slot < 0 || slot >= kSlotCount) return;
    StoredWord& w = data.WordInfo[static_cast<size_t>(word)];
    tessaly::aExtralWordInfo mark = w.ExtralWordInfo[slot];
    const int32_t was = mark.ExtralWordVal2;
    if (IsRunCountMark(mark.IndexType) && mark.ExtralWordVal2 < 1) mark.ExtralWordVal2 = 1;
    if (mark.IndexType == kMarkCrescendo) mark.ExtralWordVal2 = FittedHairpinLength(data, word, mark.ExtralWordVal2);
    if (mark.ExtralWordVal2 != was) w.SetMark(static_cast<size_t>(slot), mark);
}

void FitAllMarkValues(EditorData& data) {
    for (int32_t i = 0; i < data.WordCount(); ++i)
        for (int32_t s = 0; s < kSlotCount; ++s) FitMarkValues(data, i, s);
}

}  // namespace notaline
