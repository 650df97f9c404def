#include "model/edit/MarkCommands.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/document/CharKinds.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/StoredMarks.h"
#include "model/document/mGeneral.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

// The syllables do to xi are the codes of the notes 1 to 7 plus 84.
inline constexpr int32_t kSyllableOffset = 84;

bool IsNote(const StoredWord& w) {
    return w.IsJpGcCtl == kCharNote && w.WdAsc >= '1' && w.WdAsc <= '7';
}

// The first syllable slot of a character, -1 when it has none.
int32_t SyllableSlot(const StoredWord& w) {
    for (int32_t s = 0; s < kSlotCount; ++s)
        if (w.ExtralWordInfo[s].IndexType >= kMarkSyllableDo && w.ExtralWordInfo[s].IndexType <= kMarkSyllableXi)
            return s;
    return -1;
}

// The syllable slot of each selected character that has one.
std::vector<SlotRef> SelectedSyllables(const EditorData& data, WordRange range) {
    std::vector<SlotRef> found;
    for (int32_t i = range.Start; i < range.Start + range.Length; ++i) {
        const int32_t slot = SyllableSlot(data.WordInfo[static_cast<size_t>(i)]);
        if (slot >= 0) found.push_back({i, slot});
    }
    return found;
}

}  // namespace

bool IsMarkRange(const EditorData& data, WordRange range) {
    return range.Start >= 0 && range.Length >= 0 && range.Start <= data.WordCount() - range.Length &&
           static_cast<size_t>(data.WordCount()) < data.WordInfo.size();
}

bool BeginMarkStep(EditorData& data, UndoRedo& undo, WordRange range) {
    if (!undo.BeginInPlace(kStepWords, range.Start, range.Start + range.Length)) return false;
    SetInputDat(data, range.Start, range.Length, range.Length, range.Length > 0);
    return true;
}

// A step is recorded even when the character has no free slot: the user gave a command.
void MarkCommands::AttachMark(WordRange range, int32_t word, int32_t code, int32_t values,
                              std::optional<std::string_view> text) {
    if (!IsMarkCode(code) || !IsMarkRange(data_, range) || !data_.IsWord(word)) {
        BeepOn(data_);
        return;
    }
    if (!BeginMarkStep(data_, undo_, range)) return;
    const int32_t slot = GetFreeExtralSlot(data_, word);
    if (slot >= 0) {
        data_.WordInfo[static_cast<size_t>(word)].EditMark(static_cast<size_t>(slot),
                                                           [&](tessaly::aExtralWordInfo& mark) {
                                                               mark.IndexType = code;
                                                               mark.ExtralWordVal1 = GetLoWord(values);
                                                               mark.ExtralWordVal2 = GetHiWord(values);
                                                           });
        if (text) SetExtralWordVal3(data_, word, slot, *text);
        FitMarkValues(data_, word, slot);
    }
    undo_.EndInPlace(kStepWords);
}

void MarkCommands::AttachToFirst(int32_t start, int32_t length, int32_t code, int32_t values,
                                 std::optional<std::string_view> text) {
    const WordRange range = NormalRange(start, length);
    AttachMark(range, range.Start, code, values, text);
}

// The mark goes on the selection's first character whichever way the selection was made; a
// backward one would otherwise mark the character after it.
bool MarkCommands::FormatWord(int32_t ExtralType, int32_t ExtralValues) {
    AttachToFirst(data_.SelStart, data_.SelLength, ExtralType, ExtralValues, std::nullopt);
    return false;
}

bool MarkCommands::FormatCombiningChar(int32_t ExtralType, int32_t ExtralValues) {
    return FormatWord(ExtralType, ExtralValues);
}

void MarkCommands::Format_ChangSpeed(int32_t m_selstart, int32_t m_sellength, int32_t FormatType,
                                     int32_t ExtralValues) {
    AttachToFirst(m_selstart, m_sellength, FormatType, ExtralValues, std::nullopt);
}

void MarkCommands::FormatTestWord(int32_t m_selstart, int32_t m_sellength, std::string_view ExtralStr,
                                  int32_t ExtralValues) {
    AttachToFirst(m_selstart, m_sellength, kMarkTestSymbol, ExtralValues, ExtralStr);
}

void MarkCommands::FormatXiaoJieXuHao(int32_t m_selstart, int32_t m_sellength, std::string_view ExtralStr,
                                      int32_t ExtralValues) {
    AttachToFirst(m_selstart, m_sellength, kMarkBarNumber, ExtralValues, ExtralStr);
}

void MarkCommands::Format_Custom_ChangSpeed(int32_t m_selstart, int32_t m_sellength, std::string_view ExtralStr,
                                            int32_t ExtralValues) {
    AttachToFirst(m_selstart, m_sellength, kMarkTempoChange, ExtralValues, ExtralStr);
}

void MarkCommands::FormatCustomWord(int32_t m_selstart, int32_t m_sellength, std::string_view ExtralStr,
                                    int32_t ExtralValues) {
    AttachToFirst(m_selstart, m_sellength, kMarkCustomSymbol, ExtralValues, ExtralStr);
}

void MarkCommands::FormatZhuYingWord(int32_t ExtralValues) {
    const WordRange sel = NormalRange(data_.SelStart, data_.SelLength);
    if (!IsMarkRange(data_, sel)) return;
    const auto first = data_.WordInfo.begin() + sel.Start;
    const auto last = first + sel.Length;
    auto wanting = [](const StoredWord& w) { return IsNote(w) && SyllableSlot(w) < 0; };
    if (std::none_of(first, last, wanting)) return;
    if (!BeginMarkStep(data_, undo_, sel)) return;
    for (int32_t i = sel.Start; i < sel.Start + sel.Length; ++i) {
        auto& w = data_.WordInfo[static_cast<size_t>(i)];
        if (!wanting(w)) continue;
        const int32_t slot = GetFreeExtralSlot(data_, i);
        if (slot < 0) continue;
        w.EditMark(static_cast<size_t>(slot), [&](tessaly::aExtralWordInfo& mark) {
            mark.IndexType = w.WdAsc + kSyllableOffset;
            mark.ExtralWordVal1 = GetLoWord(ExtralValues);
            mark.ExtralWordVal2 = GetHiWord(ExtralValues);
        });
    }
    undo_.EndInPlace(kStepWords);
}

// A move past the 16-bit range stops at its end.
void MarkCommands::FormatZhuYingWordPosY(int16_t ExtralValues) {
    const WordRange sel = NormalRange(data_.SelStart, data_.SelLength);
    if (!IsMarkRange(data_, sel)) return;
    const auto found = SelectedSyllables(data_, sel);
    const auto apply = [&] {
        for (const SlotRef& at : found) {
            data_.WordInfo[static_cast<size_t>(at.Word)].EditMark(
                static_cast<size_t>(at.Slot), [&](tessaly::aExtralWordInfo& mark) {
                    mark.ExtralWordVal1 = tessaly::CInt(static_cast<double>(mark.ExtralWordVal1) + ExtralValues);
                });
        }
    };
    if (found.empty() || !ChangesWords(data_, sel.Start, sel.Start + sel.Length, apply) ||
        !BeginMarkStep(data_, undo_, sel))
        return;
    apply();
    undo_.EndInPlace(kStepWords);
}

// Only the code goes: the values stay, as with every mark whose code is cleared alone.
void MarkCommands::DelSelZhuYing() {
    const WordRange sel = NormalRange(data_.SelStart, data_.SelLength);
    if (!IsMarkRange(data_, sel)) return;
    const auto found = SelectedSyllables(data_, sel);
    if (found.empty() || !BeginMarkStep(data_, undo_, sel)) return;
    for (const SlotRef& at : found)
        data_.WordInfo[static_cast<size_t>(at.Word)].EditMark(
            static_cast<size_t>(at.Slot), [](tessaly::aExtralWordInfo& mark) { mark.IndexType = 0; });
    undo_.EndInPlace(kStepWords);
}

}  // namespace notaline
