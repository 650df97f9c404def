#pragma once

#include <cstdint>

#include "model/document/EditorData.h"

namespace notaline {

// A grace note's group value (1 to 3: group size in the form joined to the next character; 4 to 6:
// size + 3, joined to the character before) and its position, read together as the decimal number
// of the two written one after the other (11, 21, 22, ..., 63); 0 for a character without one.
int32_t GetGraceNoteCode(const EditorData& data, int32_t word);

// Whether the character is joined to the character after it by a grace-note group.
bool IsGraceNoteJoined(const EditorData& data, int32_t word);

// Whether characters may be dropped before `position`: not inside a group. Beeps when not.
bool CheckGraceNoteDrop(EditorData& data, int32_t position);

// Widens data.SelStart and data.SelLength to whole grace-note groups (a leftward selection is
// turned round first).
void FixGraceNoteGroup(EditorData& data);

// The same widening of a range given as a start and a length. A damaged group can widen it past
// either end of the text: callers check the result.
void WidenToGraceGroups(const EditorData& data, int32_t& start, int32_t& length);

}  // namespace notaline
