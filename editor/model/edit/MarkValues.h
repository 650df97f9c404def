#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/document/EditorData.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// What the attached-mark panel does to the marks of one character: reads and changes the values
// of a slot, removes marks by code and switches a mark to a sibling code. Changes of one value of
// one slot made one after another stay one undo step until another change closes it.
class MarkValues {
public:
    MarkValues(EditorData& data, UndoRedo& undo) : data_(data), undo_(undo) {}

    // The values of slot Index (0 to 7) of character SelStart; 0 or empty for a slot or character
    // that does not exist.
    int32_t ExtralWordVal1(int32_t SelStart, int32_t Index) const;
    int32_t ExtralWordVal2(int32_t SelStart, int32_t Index) const;
    std::string ExtralWordVal3(int32_t SelStart, int32_t Index) const;  // code page 936

    // The lets refuse a slot or character that does not exist with a beep.
    void ExtralWordVal1(int32_t SelStart, int32_t Index, int32_t Value);
    void ExtralWordVal2(int32_t SelStart, int32_t Index, int32_t Value);
    // Keeps the first 16 bytes of the code page 936 text.
    void ExtralWordVal3(int32_t SelStart, int32_t Index, std::string_view Value);

    // Clears every slot of the range's first character that holds the code; the step is recorded
    // even when none does. The result is always false, as the host expects.
    bool DelExtralType(int32_t m_selstart, int32_t m_sellength, int32_t IndexType);

    // The first slot holding oldType on the selection's first character becomes newType, and with
    // oldType2 given the first holding oldType2 on its last character becomes newType2 (the
    // partner of a pair); values and text stay. Several switches at one selection are one step.
    // Nothing is recorded when neither code is there. The result is always false.
    bool ChangExtralType(int32_t oldType, int32_t newType, int32_t oldType2 = -1, int32_t newType2 = -1);

private:
    // True when the slot a let may change exists; false after a beep.
    bool SlotToSet(int32_t word, int32_t slot);
    // Opens a value step of the pending kind, or joins the one left open for the same target.
    bool OpenValueStep(int32_t pendingKind, int32_t first, int32_t last, int32_t slot, int32_t length,
                       const std::function<void()>& change);
    // Leaves the step open, its after-image to be taken when it is closed.
    void KeepValueStepOpen();
    void SetValue(int32_t pendingKind, int32_t word, int32_t slot, int32_t value);

    EditorData& data_;
    UndoRedo& undo_;
    // Besides its pending kind and position, what else an open value step is for.
    int32_t pendingSlot_ = -1;
    int32_t pendingLength_ = 0;
    int32_t pendingFirst_ = 0;
    int32_t pendingLast_ = -1;
};

}  // namespace notaline
