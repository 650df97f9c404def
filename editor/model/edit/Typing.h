#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "model/document/ControlSite.h"
#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/document/MarkSlots.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// The characters an edit spans once the partners of its paired marks are counted in.
struct AreaRange {
    int32_t First = 0;
    int32_t Last = -1;
};

// Typing, backspace and forward deletion, and the switch of a mark's input kind. Each change is
// one step of the edit history; typing, one-character backspace and the kind switch extend their
// open step while the caret stays where they left it.
class Typing {
public:
    Typing(EditorData& data, DoArray& array, UndoRedo& undo, ControlSite& control)
        : data_(data), array_(array), undo_(undo), control_(control) {}

    // Inserts InputWords at the caret, or over the selection; false when nothing was inserted (the
    // caret is inside a grace-note group, which beeps, or the history could not record it).
    bool InputWord(int32_t m_selstart, int32_t m_sellength);
    // InputWord for the equals sign of a key. A plain notation "1" just before it becomes keyOne,
    // the key's "1", in the same step: "1=C" typed is a key, not a note. Undo gives the "1" back.
    bool InputKeyEquals(int32_t m_selstart, int32_t m_sellength, const tessaly::aWordInfo& keyOne);
    // Removes the selection, or the character before the caret; just after a paragraph end that
    // follows text it joins the two paragraphs.
    void BackSpaceWord(int32_t m_selstart, int32_t m_sellength);
    // Removes the selection, or the character at the caret; the caret stays.
    void DeleteWord(int32_t m_selstart, int32_t m_sellength);
    // Gives the first mark of kind dType on the caret's character the kind iType and the character
    // the symbol of that kind. A character without such a mark is left alone. Always false.
    bool ConChangInputWord(int32_t& dType, int32_t& iType);

    // Whether the caret may take new characters: not between two notes of a grace-note group.
    bool CanInputWord();
    // The range widened to the partners of its paired marks. With apply, a pair with one end
    // inside the range and one outside loses both marks, and a mark without its partner goes.
    AreaRange AdjustAreaMarks(int32_t start, int32_t n, bool apply);

    // The first m records of InputWords over the n characters at pos, one step; redo selects from
    // redoSelStart. The caret ends after the inserted characters.
    bool ReplaceWords(int32_t pos, int32_t n, int32_t m, int32_t redoSelStart, bool typed);
    // Removes n characters at pos as one step of `kind` (1, 7 or 8); undo selects undoSelLength
    // characters from pos. With toClipboard the characters go to the clipboard first, with their
    // marks whole; nothing is removed when the clipboard does not take them.
    bool RemoveWords(int32_t kind, int32_t pos, int32_t n, int32_t undoSelLength, bool toClipboard = false);
    // The editor's selection as the member was given it, widened to whole grace-note groups and
    // kept off the last paragraph end; false when a selection held nothing else.
    bool TakeSelection(int32_t start, int32_t length, int32_t& pos, int32_t& n);
    // The last paragraph end closes the document: no edit removes it or puts anything after it,
    // or the characters after it would never be laid out. Cuts a range within the document short
    // of it; false when a range held nothing else.
    bool KeepLastParaEnd(int32_t& pos, int32_t& n) const;
    // 0 <= pos, n >= 0 and pos + n within the document.
    bool InDocument(int32_t pos, int32_t n) const;

    // Dissolves a vertical stack that a deletion touches, as a step of its own; true when it
    // recorded one. The control sets it to the spacing members' MustFormatShuPai.
    std::function<bool(int32_t FormatType, int32_t tSpace)> MustFormatShuPai;

private:
    bool TypeAtCaret(int32_t pos, int32_t changedBefore = 0);
    void BackspaceOneWord();
    void JoinParagraphs();
    int32_t FindSpanEnd(int32_t pos, int32_t slot, int32_t endCode, bool apply, int32_t rangeLast);
    int32_t FindSpanStart(int32_t pos, int32_t slot, int32_t startCode, bool apply, int32_t rangeFirst);
    SlotRef FindPartner(int32_t from, int32_t to, int32_t code, int32_t pair) const;
    void ClearSlot(int32_t word, int32_t slot, bool apply);
    bool IsCleared(int32_t word, int32_t slot) const;
    bool StackHandled();
    int16_t State() const { return static_cast<int16_t>(data_.InputState); }

    EditorData& data_;
    DoArray& array_;
    UndoRedo& undo_;
    ControlSite& control_;
    // The slots the measuring pass counts as cleared, so that it meets the partners the
    // applying pass will meet after its own clearing.
    std::vector<SlotRef> cleared_;
};

}  // namespace notaline
