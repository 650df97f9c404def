#include "model/document/MarkSlots.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "model/document/MarkCodes.h"
#include "model/document/Measure.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace notaline {

namespace {

// Slot helpers are called with indexes the caller has checked; a stray one reads as an
// empty character and writes nowhere. Marks are read as stored: placing a deferred character
// never changes them, and settling the run up to a far paragraph end would cost the distance.
const tessaly::aExtralWordInfo* SlotsOf(const EditorData& data, int32_t word) {
    if (word < 0 || static_cast<size_t>(word) >= data.WordInfo.size()) return nullptr;
    return data.WordInfo.Stored(static_cast<size_t>(word)).ExtralWordInfo;
}

// Changes the character's slots through edit(slots); false leaves them as they were.
template <class F>
void EditSlots(EditorData& data, int32_t word, F edit) {
    if (word < 0 || static_cast<size_t>(word) >= data.WordInfo.size()) return;
    StoredWord& w = data.WordInfo[static_cast<size_t>(word)];
    MarkSlotArray slots = w.Marks();
    if (edit(slots.data())) w.SetMarks(slots);
}

int32_t FindSlot(const tessaly::aExtralWordInfo* slots, int32_t code) {
    if (!slots) return -1;
    for (int32_t s = 0; s < kSlotCount; ++s)
        if (slots[s].IndexType == code) return s;
    return -1;
}

}  // namespace

int32_t GetFreeExtralSlot(const EditorData& data, int32_t word) {
    return FindSlot(SlotsOf(data, word), 0);
}

int32_t FindExtralSlot(const EditorData& data, int32_t word, int32_t code) {
    return FindSlot(SlotsOf(data, word), code);
}

tessaly::aExtralWordInfo GetExtralWordInfo(const EditorData& data, int32_t word, int32_t code) {
    const auto* slots = SlotsOf(data, word);
    const int32_t s = FindSlot(slots, code);
    return s < 0 ? tessaly::aExtralWordInfo{} : slots[s];
}

void SetExtralWordInfo(EditorData& data, int32_t word, int32_t code, const tessaly::aExtralWordInfo& slot) {
    EditSlots(data, word, [&](tessaly::aExtralWordInfo* slots) {
        const int32_t s = FindSlot(slots, code);
        if (s >= 0) slots[s] = slot;
        return s >= 0;
    });
}

void ClearExtralWordInfo(EditorData& data, int32_t word, int32_t slot) {
    if (!IsSlotIndex(slot)) return;
    EditSlots(data, word, [&](tessaly::aExtralWordInfo* slots) {
        slots[slot] = tessaly::aExtralWordInfo{};
        return true;
    });
}

void SetExtralWordVal3(EditorData& data, int32_t word, int32_t slot, std::string_view gbk) {
    if (!IsSlotIndex(slot)) return;
    EditSlots(data, word, [&](tessaly::aExtralWordInfo* slots) {
        tessaly::FillTextField(slots[slot].ExtralWordVal3, gbk);
        return true;
    });
}

std::string GetExtralWordVal3(const EditorData& data, int32_t word, int32_t slot) {
    const auto* slots = SlotsOf(data, word);
    std::string text;
    if (!slots || !IsSlotIndex(slot)) return text;
    for (uint8_t b : slots[slot].ExtralWordVal3)
        if (b != 0) text += static_cast<char>(b);
    return text;
}

bool HasExtralType(const EditorData& data, int32_t word, int32_t code) {
    return FindSlot(SlotsOf(data, word), code) >= 0;
}

void FitTimeSignatureWidth(EditorData& data, int32_t word, int32_t slot) {
    if (!data.IsWord(word)) return;
    auto& w = data.WordInfo[static_cast<size_t>(word)];
    tessaly::aExtralWordInfo mark;
    if (slot == -1) {
        mark = GetExtralWordInfo(data, word, kMarkTimeSignature);
    } else if (IsSlotIndex(slot)) {
        mark = w.ExtralWordInfo[slot];
    }
    if (mark.IndexType != kMarkTimeSignature) return;
    // The numbers are 16-bit; a larger stored value counts as the largest.
    const int16_t n = tessaly::CInt(mark.ExtralWordVal1);
    const int16_t d = tessaly::CInt(mark.ExtralWordVal2);
    w.WdSize.cx = MeasureWordGdi(data, w.nLogFont(), std::max(n, d) > 9 ? "12" : "1").cx;
}

SlotRef FindPairSlot(const EditorData& data, int32_t from, int32_t to, int32_t code, int32_t pair) {
    const int32_t last = std::min(data.WordCount(), static_cast<int32_t>(data.WordInfo.size())) - 1;
    if (last < 0) return {};
    from = std::clamp(from, 0, last);
    to = std::clamp(to, 0, last);
    const int32_t step = from <= to ? 1 : -1;
    for (int32_t w = from;; w += step) {
        const tessaly::aExtralWordInfo* slots = data.WordInfo[static_cast<size_t>(w)].ExtralWordInfo;
        for (int32_t s = 0; s < kSlotCount; ++s)
            if (slots[s].IndexType == code && slots[s].ExtralWordVal2 == pair) return {w, s};
        if (w == to) break;
    }
    return {};
}

void SetPairNumberAboveStored(EditorData& data) {
    const int32_t count = std::min(data.WordCount(), static_cast<int32_t>(data.WordInfo.size()));
    for (int32_t w = 0; w < count; ++w)
        for (const auto& slot : data.WordInfo[static_cast<size_t>(w)].ExtralWordInfo)
            if (IsPairStartCode(slot.IndexType) || IsPairEndCode(slot.IndexType))
                data.AreaPairNumber = std::max(data.AreaPairNumber, slot.ExtralWordVal2);
}

int32_t NextPairNumber(EditorData& data) {
    data.AreaPairNumber = data.AreaPairNumber < INT32_MAX ? std::max(data.AreaPairNumber, 0) + 1 : 1;
    return data.AreaPairNumber;
}

}  // namespace notaline
