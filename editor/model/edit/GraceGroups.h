#pragma once

#include <cstdint>

#include "model/document/EditorData.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// Grace-note groups: one to three notes drawn small, each carrying the grace-note mark with its
// group value and position (see GraceNotes.h). Forming, switching and removing a group are one
// undo step each.
class GraceGroups {
public:
    GraceGroups(EditorData& data, UndoRedo& undo) : data_(data), undo_(undo) {}

    // Whether the selection (one to three notes 0 to 9 and ':', not ending the text, none a grace
    // note yet, none at an end of an arc, slide or slur, each with a free mark slot) may become a
    // group.
    bool CanFormatYYInfo() const;
    // Makes the selection a group: ExtralValues is the group value times 10 plus 1 (value 1 to 3
    // for a group before its main note, 4 to 6 after it), for as many notes as are selected.
    // ExtralType is not used. Refused with a beep otherwise.
    void FormatYYInfo(int32_t ExtralType, int32_t ExtralValues);
    // Switches the groups of the selection to the form after their main note (true) or before it.
    void SetQianYY(bool Value);
    // 1 when the range is exactly one group before its main note, 2 when after it, else 0.
    int16_t CanDelYY(int32_t m_selstart, int32_t m_sellength) const;
    // Makes the notes of the groups in the range plain notes of their full size again.
    void DelYY(int32_t m_selstart, int32_t m_sellength);

private:
    EditorData& data_;
    UndoRedo& undo_;
};

}  // namespace notaline
