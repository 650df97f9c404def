#include "model/edit/MarkValues.h"

#include <algorithm>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/StoredMarks.h"
#include "model/document/mGeneral.h"
#include "model/edit/MarkCommands.h"

namespace notaline {

namespace {

// The open steps of the panel's edits: each is opened as a mark-values step and closed with an
// after-image by UndoRedo::EndPendingStep.

const tessaly::aExtralWordInfo* SlotOf(const EditorData& data, int32_t word, int32_t slot) {
    if (!data.IsWord(word) || !IsSlotIndex(slot)) return nullptr;
    return &data.WordInfo[static_cast<size_t>(word)].ExtralWordInfo[slot];
}

}  // namespace

int32_t MarkValues::ExtralWordVal1(int32_t SelStart, int32_t Index) const {
    const auto* s = SlotOf(data_, SelStart, Index);
    return s ? s->ExtralWordVal1 : 0;
}

int32_t MarkValues::ExtralWordVal2(int32_t SelStart, int32_t Index) const {
    const auto* s = SlotOf(data_, SelStart, Index);
    return s ? s->ExtralWordVal2 : 0;
}

std::string MarkValues::ExtralWordVal3(int32_t SelStart, int32_t Index) const {
    return SlotOf(data_, SelStart, Index) ? GetExtralWordVal3(data_, SelStart, Index) : std::string();
}

void MarkValues::ExtralWordVal1(int32_t SelStart, int32_t Index, int32_t Value) {
    SetValue(kPendingVal1, SelStart, Index, Value);
}

void MarkValues::ExtralWordVal2(int32_t SelStart, int32_t Index, int32_t Value) {
    SetValue(kPendingVal2, SelStart, Index, Value);
}

void MarkValues::ExtralWordVal3(int32_t SelStart, int32_t Index, std::string_view Value) {
    if (!SlotToSet(SelStart, Index)) return;
    const auto apply = [&] { SetExtralWordVal3(data_, SelStart, Index, Value); };
    if (!OpenValueStep(kPendingVal3, SelStart, SelStart, Index, 0, apply)) return;
    apply();
    KeepValueStepOpen();
}

void MarkValues::SetValue(int32_t pendingKind, int32_t word, int32_t slot, int32_t value) {
    if (!SlotToSet(word, slot)) return;
    const auto apply = [&] {
        data_.WordInfo[static_cast<size_t>(word)].EditMark(static_cast<size_t>(slot), [&](tessaly::aExtralWordInfo& s) {
            (pendingKind == kPendingVal1 ? s.ExtralWordVal1 : s.ExtralWordVal2) = value;
        });
        FitTimeSignatureWidth(data_, word, slot);
        FitMarkValues(data_, word, slot);
    };
    if (!OpenValueStep(pendingKind, word, word, slot, 0, apply)) return;
    apply();
    KeepValueStepOpen();
}

bool MarkValues::SlotToSet(int32_t word, int32_t slot) {
    if (data_.IsWord(word) && IsSlotIndex(slot)) return true;
    BeepOn(data_);
    return false;
}

// The before-image covers the characters the edit changes. A value let names its character
// itself, which need not be the caret's; only the selection to give back is the editor's. An edit
// that changes nothing opens no step.
bool MarkValues::OpenValueStep(int32_t pendingKind, int32_t first, int32_t last, int32_t slot, int32_t length,
                               const std::function<void()>& change) {
    const bool joins = undo_.IsPending(pendingKind, first) && pendingSlot_ == slot && pendingLength_ == length;
    if (joins) {
        SetInputDat(data_, first, last - first + 1, last - first + 1, true);
        return true;
    }
    if (!ChangesWords(data_, first, last, change) || !undo_.BeginInPlace(kStepMarkValues, first, last)) return false;
    undo_.MakePending(pendingKind);
    undo_.SetPendingPos(first);
    pendingFirst_ = first;
    pendingSlot_ = slot;
    pendingLength_ = length;
    pendingLast_ = last;
    return true;
}

// The after-image is written when the step is closed: the same characters, and the selection
// as the last edit left it.
void MarkValues::KeepValueStepOpen() {
    undo_.SetPendingAfter(
        {pendingFirst_, pendingLast_, data_.SelStart, data_.SelLength, 0, 0, static_cast<int16_t>(data_.InputState)});
}

bool MarkValues::DelExtralType(int32_t m_selstart, int32_t m_sellength, int32_t IndexType) {
    const int32_t start = NormalRange(m_selstart, m_sellength).Start;
    if (!data_.IsWord(start) || !IsMarkCode(IndexType)) {
        BeepOn(data_);
        return false;
    }
    if (!undo_.BeginInPlace(kStepWords, start, start)) return false;
    for (int32_t s = 0; s < kSlotCount; ++s)
        if (data_.WordInfo[static_cast<size_t>(start)].ExtralWordInfo[s].IndexType == IndexType)
            ClearExtralWordInfo(data_, start, s);
    undo_.EndInPlace(kStepWords);
    return false;
}

bool MarkValues::ChangExtralType(int32_t oldType, int32_t newType, int32_t oldType2, int32_t newType2) {
    const auto range = NormalRange(data_.SelStart, data_.SelLength);
    const int32_t start = range.Start;  // a plain name: the lambda below captures it
    // A caret without a selection is its own last character.
    const int32_t last = start + std::max(range.Length, 1) - 1;
    const bool second = oldType2 != -1;
    if (!data_.IsWord(start) || !data_.IsWord(last) || !IsMarkCode(oldType) || !IsMarkCode(newType) ||
        (second && (!IsMarkCode(oldType2) || !IsMarkCode(newType2)))) {
        BeepOn(data_);
        return false;
    }
    const int32_t slot = FindExtralSlot(data_, start, oldType);
    if (slot < 0 && (!second || FindExtralSlot(data_, last, oldType2) < 0)) return false;
    const auto apply = [&] {
        if (slot >= 0)
            data_.WordInfo[static_cast<size_t>(start)].EditMark(
                static_cast<size_t>(slot), [&](tessaly::aExtralWordInfo& m) { m.IndexType = newType; });
        // Looked for after the first switch: on a single character the two may name the same code.
        const int32_t slot2 = second ? FindExtralSlot(data_, last, oldType2) : -1;
        if (slot2 >= 0)
            data_.WordInfo[static_cast<size_t>(last)].EditMark(
                static_cast<size_t>(slot2), [&](tessaly::aExtralWordInfo& m) { m.IndexType = newType2; });
    };
    // The step's images span the selection, so it joins only a step over the same selection.
    if (!OpenValueStep(kPendingMarkKind, start, last, -1, range.Length, apply)) return false;
    apply();
    KeepValueStepOpen();
    return false;
}

}  // namespace notaline
