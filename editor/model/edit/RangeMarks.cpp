#include "model/edit/RangeMarks.h"

#include <algorithm>
#include <utility>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/mGeneral.h"

namespace notaline {

namespace {

// The shortest spacing of the first of two characters under an arc, room for the arc to show.
inline constexpr float kShortArcSpace = 7;

inline constexpr char kNoRoomMessage[] =
    "大滑音连接的音符，需要留出足够空间绘制箭头：如加入空格、增加字间距或抬升字符。";

// The pairs that may not cross one another: arcs, slides, slurs and the tuplet.
bool IsNestingStart(int32_t code) {
    return code == kMarkTupletStart || IsArcStartCode(code);
}

bool IsNestingEnd(int32_t code) {
    return code > kArcStartCodes.front() && IsNestingStart(code - 1);
}

const tessaly::aExtralWordInfo* SlotsOf(const EditorData& data, int32_t word) {
    return data.WordInfo[static_cast<size_t>(word)].ExtralWordInfo;
}

// The slots of the range's first and last characters that hold the two ends of one pair.
std::optional<std::pair<int32_t, int32_t>> EnclosingPair(const EditorData& data, WordRange range, int32_t code) {
    if (!IsPairStartCode(code) || range.Length <= 1 || !IsMarkRange(data, range)) return std::nullopt;
    const auto* first = SlotsOf(data, range.Start);
    const auto* last = SlotsOf(data, range.Start + range.Length - 1);
    for (int32_t i = 0; i < kSlotCount; ++i) {
        if (first[i].IndexType != code) continue;
        for (int32_t j = 0; j < kSlotCount; ++j)
            if (last[j].IndexType == code + 1 && last[j].ExtralWordVal2 == first[i].ExtralWordVal2)
                return std::pair{i, j};
    }
    return std::nullopt;
}

}  // namespace

void RangeMarks::FormatHuXian(int32_t m_selstart, int32_t m_sellength, int32_t FormatType, int32_t ExtralValues) {
    const WordRange range = NormalRange(m_selstart, m_sellength);
    if (!IsArcStartCode(FormatType) || !IsMarkRange(data_, range)) {
        BeepOn(data_);
        return;
    }
    NewPair arc(FormatType);
    arc.StartVal1 = ExtralValues;  // the start keeps the whole value
    arc.EndVal1 = GetLoWord(ExtralValues);
    arc.WidenShortArc = true;
    TogglePair(range, FormatType, arc, true);
}

void RangeMarks::FormatLinYing(std::string_view SendStrLong, int32_t ExtralValues) {
    const WordRange sel = NormalRange(data_.SelStart, data_.SelLength);
    if (!IsMarkRange(data_, sel)) {
        BeepOn(data_);
        return;
    }
    TogglePair(sel, kMarkTupletStart, NewPair(kMarkTupletStart, GetLoWord(ExtralValues), SendStrLong), true);
}

void RangeMarks::FormatTFZ(std::string_view SendStrLong, int32_t ExtralValues, int16_t IndexType) {
    FormatVolta(SendStrLong, ExtralValues, IndexType, kMarkVoltaStart);
}

void RangeMarks::FormatKFTFZ(std::string_view SendStrLong, int32_t ExtralValues, int16_t IndexType) {
    FormatVolta(SendStrLong, ExtralValues, IndexType, kMarkOpenVoltaStart);
}

// A volta needs two characters: over one its two ends would share a slot.
void RangeMarks::FormatVolta(std::string_view text, int32_t values, int16_t code, int32_t toggleCode) {
    const WordRange sel = NormalRange(data_.SelStart, data_.SelLength);
    if ((code != kMarkVoltaStart && code != kMarkOpenVoltaStart) || sel.Length < 2 || !IsMarkRange(data_, sel)) {
        BeepOn(data_);
        return;
    }
    TogglePair(sel, toggleCode, NewPair(code, GetLoWord(values), text), false);
}

// Without a free slot on either end not even an existing glissando is taken away.
void RangeMarks::FormatBigHuaYing() {
    const WordRange sel = NormalRange(data_.SelStart, data_.SelLength);
    if (sel.Length < 2 || !IsMarkRange(data_, sel)) return;
    const int32_t first = sel.Start;
    const int32_t last = sel.Start + sel.Length - 1;
    if (GetFreeExtralSlot(data_, first) < 0 || GetFreeExtralSlot(data_, last) < 0) return;
    if (ToggleOff(sel, kMarkBigGlissandoStart) != Toggle::NoPair) return;
    if (!page_.BigHuaYingHasRoom(first, last)) {
        control_.ShowMessage(kNoRoomMessage);
        return;
    }
    CreatePair(sel, NewPair(kMarkBigGlissandoStart));
}

bool RangeMarks::CanDelAreaInfo(int32_t IndexType) const {
    return EnclosingPair(data_, NormalRange(data_.SelStart, data_.SelLength), IndexType).has_value();
}

bool RangeMarks::DelAreaInfo(int32_t m_selstart, int32_t m_sellength, int32_t IndexType) {
    return ToggleOff(NormalRange(m_selstart, m_sellength), IndexType) == Toggle::Removed;
}

// Failed: a pair was there but the journal could not take its removal; the caller must not
// put a second pair over it.
RangeMarks::Toggle RangeMarks::ToggleOff(WordRange range, int32_t code) {
    if (range.Length <= 1 || !IsMarkRange(data_, range)) return Toggle::NoPair;
    undo_.EndPendingStep();
    SetInputDat(data_, range.Start, range.Length, range.Length, true);
    const auto ends = EnclosingPair(data_, range, code);
    if (!ends) return Toggle::NoPair;
    if (!BeginMarkStep(data_, undo_, range)) return Toggle::Failed;
    ClearExtralWordInfo(data_, range.Start, ends->first);
    ClearExtralWordInfo(data_, range.Start + range.Length - 1, ends->second);
    return undo_.EndInPlace(kStepWords) ? Toggle::Removed : Toggle::Failed;
}

// A pair already over the range goes; otherwise a new one is made where the nesting rule allows.
void RangeMarks::TogglePair(WordRange range, int32_t toggleCode, const NewPair& pair, bool nested) {
    if (ToggleOff(range, toggleCode) != Toggle::NoPair) return;
    if (nested && !CanFormatAreaInfo(range.Start, range.Start + range.Length - 1)) return;
    CreatePair(range, pair);
}

// Only the fields the pair names are written; the others keep what the slot held.
void RangeMarks::CreatePair(WordRange range, const NewPair& pair) {
    const int32_t first = range.Start;
    const int32_t last = range.Start + range.Length - 1;
    const int32_t a = GetFreeExtralSlot(data_, first);
    const int32_t b = GetFreeExtralSlot(data_, last);
    if (first >= last || a < 0 || b < 0) return;
    if (!BeginMarkStep(data_, undo_, range)) return;
    const int32_t number = NextPairNumber(data_);
    auto& firstWord = data_.WordInfo[static_cast<size_t>(first)];
    firstWord.EditMark(static_cast<size_t>(a), [&](tessaly::aExtralWordInfo& start) {
        start.IndexType = pair.Code;
        if (pair.StartVal1) start.ExtralWordVal1 = *pair.StartVal1;
        start.ExtralWordVal2 = number;
    });
    if (pair.Text) SetExtralWordVal3(data_, first, a, *pair.Text);
    data_.WordInfo[static_cast<size_t>(last)].EditMark(static_cast<size_t>(b), [&](tessaly::aExtralWordInfo& end) {
        end.IndexType = pair.Code + 1;
        if (pair.EndVal1) end.ExtralWordVal1 = *pair.EndVal1;
        end.ExtralWordVal2 = number;
    });
    if (pair.WidenShortArc && range.Length == 2 && firstWord.WdSpace < kShortArcSpace)
        firstWord.WdSpace = kShortArcSpace;
    undo_.EndInPlace(kStepWords);
}

// A new pair may enclose whole pairs and share its first or last character with others, but no
// start strictly inside may end after it and no end strictly inside may start before it.
bool RangeMarks::CanFormatAreaInfo(int32_t first, int32_t last) {
    bool ok =
        last > first && !HasExtralType(data_, first, kMarkGraceNote) && !HasExtralType(data_, last, kMarkGraceNote);
    for (int32_t i = first + 1; ok && i < last; ++i)
        for (int32_t s = 0; ok && s < kSlotCount; ++s) {
            const auto& slot = SlotsOf(data_, i)[s];
            if (IsNestingStart(slot.IndexType)) ok = FindAreaEnd(i, slot.ExtralWordVal2, slot.IndexType + 1, last);
        }
    for (int32_t i = last - 1; ok && i > first; --i)
        for (int32_t s = 0; ok && s < kSlotCount; ++s) {
            const auto& slot = SlotsOf(data_, i)[s];
            if (IsNestingEnd(slot.IndexType)) ok = FindAreaStart(i, slot.ExtralWordVal2, slot.IndexType - 1, first);
        }
    if (!ok) BeepOn(data_);
    return ok;
}

bool RangeMarks::FindAreaEnd(int32_t position, int32_t pair, int32_t code, int32_t last) const {
    return position < last && FindPairSlot(data_, position + 1, last, code, pair).Word >= 0;
}

bool RangeMarks::FindAreaStart(int32_t position, int32_t pair, int32_t code, int32_t first) const {
    return position > first && FindPairSlot(data_, position - 1, first, code, pair).Word >= 0;
}

}  // namespace notaline
