#pragma once

#include <cstdint>

#include "paint/PaintContext.h"

namespace notaline {

// One member of a grace-note group (code 38): its character and octave dots lifted above its box
// and, from the first member, the group's two strokes in the main note's colour. `form` 1-3
// stands before its main note with that many members, 4-6 after it with form - 3; `position`
// counts from 1. Slot values that do not fit the document draw what they safely can.
void DrawExtralGraceNotes(PaintContext& ctx, int32_t word, int32_t form, int32_t position);

// Offset units below the octave-dot line of the two strokes, by the group's largest YG; none
// above 6.
struct GraceStrokeLevels {
    int32_t First = 0;
    int32_t Second = 0;
};
bool GraceStrokeLevelsFor(int32_t largestYg, GraceStrokeLevels& levels);

}  // namespace notaline
