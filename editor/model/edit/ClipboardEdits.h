#pragma once

#include <cstdint>
#include <string_view>

#include "model/document/ControlSite.h"
#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/Typing.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// Cut, paste and drag and drop of characters: each one step of the edit history, and none leaves
// a paired mark with one end inside the changed text and one outside.
class ClipboardEdits {
public:
    ClipboardEdits(EditorData& data, DoArray& array, UndoRedo& undo, ControlSite& control)
        : data_(data), array_(array), undo_(undo), typing_(data, array, undo, control) {}

    // The selection to the clipboard and out of the document; the caret stays at its start.
    void CutWord(int32_t m_selstart, int32_t m_sellength);
    // The characters the last CanPaste loaded over the selection; the caret ends after them.
    // PasteType names the clipboard format found; the characters are already converted.
    void PasteWord(int32_t m_selstart, int32_t m_sellength, std::string_view PasteType);
    // Moves the selection before the character InstSelStart; the moved characters stay selected.
    // A drop inside the selection moves nothing.
    void DragDropWord(int32_t m_selstart, int32_t m_sellength, int32_t& InstSelStart);

private:
    EditorData& data_;
    DoArray& array_;
    UndoRedo& undo_;
    Typing typing_;
};

}  // namespace notaline
