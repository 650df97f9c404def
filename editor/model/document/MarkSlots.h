#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document/EditorData.h"

namespace notaline {

inline constexpr int32_t kSlotCount = 8;

inline bool IsSlotIndex(int32_t slot) {
    return slot >= 0 && slot < kSlotCount;
}

// The first free slot (code 0) of a character, -1 when all eight are used.
int32_t GetFreeExtralSlot(const EditorData& data, int32_t word);

// The first slot with this code, -1 when none has it.
int32_t FindExtralSlot(const EditorData& data, int32_t word, int32_t code);

// A copy of the first slot with this code; zeros when none has it. Code 0 finds the first free slot.
tessaly::aExtralWordInfo GetExtralWordInfo(const EditorData& data, int32_t word, int32_t code);

// Writes all four fields into the first slot with this code; nothing when none has it.
void SetExtralWordInfo(EditorData& data, int32_t word, int32_t code, const tessaly::aExtralWordInfo& slot);

void ClearExtralWordInfo(EditorData& data, int32_t word, int32_t slot);

// The slot's text: the first 16 bytes of `gbk`, zero-filled. A longer text is cut at byte 16,
// even inside a double-byte character.
void SetExtralWordVal3(EditorData& data, int32_t word, int32_t slot, std::string_view gbk);
// The 16 bytes with every zero byte removed.
std::string GetExtralWordVal3(const EditorData& data, int32_t word, int32_t slot);

// True when some slot of the character has this code.
bool HasExtralType(const EditorData& data, int32_t word, int32_t code);

// A time signature's character as wide as its wider number: "12" for a number above 9, else "1".
// Slot -1 takes the first time-signature slot; another slot counts only when it holds one.
void FitTimeSignatureWidth(EditorData& data, int32_t word, int32_t slot);

struct SlotRef {
    int32_t Word = -1;  // -1: not found
    int32_t Slot = -1;
};

// The partner of a paired mark: the first slot with `code` and pair number `pair`, searching the
// characters from `from` to `to` (both included, either direction), slots in order. Pair numbers
// repeat within a document, so a search always names the code and a bounded range.
SlotRef FindPairSlot(const EditorData& data, int32_t from, int32_t to, int32_t code, int32_t pair);

// Makes the running pair number count on above every pair number the document holds, never
// lower than it was: a new pair must not take the number of a pair loaded from a file.
void SetPairNumberAboveStored(EditorData& data);
// The number of a new pair; past the largest number it starts again at 1.
int32_t NextPairNumber(EditorData& data);

}  // namespace notaline
