#pragma once

#include <cstdint>

#include "model/document/EditorData.h"
#include "model/edit/CharAttributes.h"

namespace notaline {

// What the octave-dot and duration-line position dialog edits: the font-table row of the note at
// the caret, its pending positions, and the row as loaded.
struct YcYgForm {
    enum Button { HighUp, HighDown, LowUp, LowDown };

    bool OnNote = false;  // false: the caret is not before a notation character; nothing to edit
    int32_t Row = 0;
    tessaly::mLogFont Font;  // the caret character's font, for the preview
    tessaly::aFontTbl Pending;
    tessaly::aFontTbl Loaded;

    static YcYgForm Load(const EditorData& data);
    // One unit (a 20.4th of the character height) up or down; nothing when not on a note.
    void Press(Button button);
    bool Changed() const { return Pending.hYg != Loaded.hYg || Pending.hYc != Loaded.hYc; }
    // The pending positions into the font table as one undo step, the whole document marked as
    // touched; false, with nothing recorded, when nothing changed.
    bool Apply(EditorData& data, CharAttributes& chars) const;
};

}  // namespace notaline
