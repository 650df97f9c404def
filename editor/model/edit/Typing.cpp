#include "model/edit/Typing.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "model/document/CharKinds.h"
#include "model/document/GraceNotes.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Measure.h"
#include "model/document/WordRange.h"
#include "model/document/mGeneral.h"
#include "model/edit/TypedText.h"
#include "model/layout/LineBreaker.h"
#include "model/layout/ParagraphEnds.h"

namespace notaline {

namespace {

// The big glissando is not among the spans that editing widens to and cuts.
bool IsSpanStart(int32_t code) {
    return IsPairStartCode(code) && code != kMarkBigGlissandoStart;
}

bool IsSpanEnd(int32_t code) {
    return IsSpanStart(code - 1);
}

// Grace-note slots (group, place) before and at a caret that stands inside a group; the last
// pair is the caret between the second and third notes of a three-note group of form 2.
struct GracePair {
    int32_t Group, Place, NextGroup, NextPlace;
};
constexpr GracePair kInsideGroup[] = {{2, 1, 2, 2}, {3, 1, 3, 2}, {5, 1, 5, 2},
                                      {6, 1, 6, 2}, {3, 2, 3, 3}, {6, 2, 6, 3}};

// The input kinds a mark can be switched to; the character takes the kind's symbol.
constexpr int32_t kSymbolKinds[] = {
    kMarkBarLine,        kMarkDashedBarLine,  kMarkFinalBarLine, kMarkSectionLine,   kMarkRepeatStartLine,
    kMarkRepeatEndLine,  kMarkRepeatBothLine, kMarkRepeatOneBar, kMarkRepeatTwoBars, kMarkSharp,
    kMarkFlat,           kMarkDoubleSharp,    kMarkDoubleFlat,   kMarkNatural,       kMarkKeyC,
    kMarkKeyD,           kMarkKeyE,           kMarkKeyF,         kMarkKeyG,          kMarkKeyA,
    kMarkKeyB,           kMarkSlideUp,        kMarkSlideDown,    kMarkTremolo4,      kMarkBigSlideUp,
    kMarkBigSlideDown,   kMarkFigureRepeat,   kMarkTremolo8,     kMarkTremolo16,     kMarkStartPosition,
    kMarkFeatureBarLine,
};

// The edit of n characters at pos changes no other: no pair it cuts reaches outside them. Its
// paragraph may then be broken again from the edit's line alone.
bool LeavesOthers(const AreaRange& area, int32_t pos, int32_t n) {
    return area.First >= pos && area.Last <= pos + n - 1;
}

// A "1" typed as a note and left as typed: no mark, duration or octave.
bool IsPlainOne(const StoredWord& w) {
    if (w.IsJpGcCtl != kCharNote || w.WdAsc != '1' || w.Yc != 0 || w.YG != 0) return false;
    return std::all_of(std::begin(w.ExtralWordInfo), std::end(w.ExtralWordInfo),
                       [](const tessaly::aExtralWordInfo& s) { return s.IndexType == 0; });
}

}  // namespace

bool Typing::InDocument(int32_t pos, int32_t n) const {
    return pos >= 0 && n >= 0 && int64_t{pos} + n <= data_.WordCount();
}

bool Typing::TakeSelection(int32_t start, int32_t length, int32_t& pos, int32_t& n) {
    data_.SelStart = start;
    data_.SelLength = length;
    FixGraceNoteGroup(data_);
    pos = data_.SelStart;
    n = data_.SelLength;
    const bool kept = KeepLastParaEnd(pos, n);
    data_.SelStart = pos;
    data_.SelLength = n;
    return kept;
}

bool Typing::KeepLastParaEnd(int32_t& pos, int32_t& n) const {
    const int32_t count = data_.WordCount();
    if (!InDocument(pos, n)) return true;  // refused as it is
    const int32_t limit = count > 0 && IsParaEnd(data_, count - 1) ? count - 1 : count;
    const bool range = n > 0;
    pos = std::min(pos, limit);
    n = std::max(0, std::min(n, limit - pos));
    return !range || n > 0;
}

bool Typing::CanInputWord() {
    const int32_t caret = data_.SelStart;
    if (caret - 1 <= 0 || !data_.IsWord(caret - 1)) return true;
    const auto before = GetExtralWordInfo(data_, caret - 1, kMarkGraceNote);
    const auto after =
        data_.IsWord(caret) ? GetExtralWordInfo(data_, caret, kMarkGraceNote) : tessaly::aExtralWordInfo{};
    for (const auto& q : kInsideGroup) {
        if (before.ExtralWordVal1 == q.Group && before.ExtralWordVal2 == q.Place &&
            after.ExtralWordVal1 == q.NextGroup && after.ExtralWordVal2 == q.NextPlace) {
            BeepOn(data_);
            return false;
        }
    }
    return true;
}

bool Typing::InputWord(int32_t m_selstart, int32_t m_sellength) {
    if (!CanInputWord()) return false;
    auto [start, n] = NormalRange(m_selstart, m_sellength);
    const auto m = static_cast<int32_t>(data_.InputWords.size());
    if (m == 0 || !InDocument(start, n)) return false;
    KeepLastParaEnd(start, n);  // typing over the last paragraph end goes in before it
    if (n < 1) return TypeAtCaret(start);
    return ReplaceWords(start, n, m, start + m, true);
}

bool Typing::InputKeyEquals(int32_t m_selstart, int32_t m_sellength, const tessaly::aWordInfo& keyOne) {
    auto [start, n] = NormalRange(m_selstart, m_sellength);
    const int32_t one = start - 1;
    if (data_.InputWords.empty() || !InDocument(start, n) || one < 0 ||
        !IsPlainOne(data_.WordInfo[static_cast<size_t>(one)]))
        return InputWord(m_selstart, m_sellength);
    if (!CanInputWord()) return false;
    KeepLastParaEnd(start, n);
    // A "1" of the typing run still open changes inside that run's step, which undo takes whole.
    if (n < 1 && undo_.IsPending(kPendingTyping, start) && one >= undo_.BeforeImage().SelStart) {
        if (!TypeAtCaret(start, 1)) return false;
        data_.WordInfo[static_cast<size_t>(one)] = keyOne;
        return true;
    }
    data_.InputWords.insert(data_.InputWords.begin(), keyOne);
    const auto m = static_cast<int32_t>(data_.InputWords.size());
    return ReplaceWords(one, n + 1, m, one + m, true);
}

bool Typing::TypeAtCaret(int32_t pos, int32_t changedBefore) {
    if (!undo_.IsPending(kPendingTyping, pos) &&
        !undo_.BeginPending(kPendingTyping, kStepWords, {pos, pos - 1, pos, 0, 0, 0, State()}))
        return false;
    const auto m = static_cast<int32_t>(data_.InputWords.size());
    // Characters changed in place before the caret are laid out again with the new ones.
    SetInputDat(data_, pos - changedBefore, changedBefore, m + changedBefore, true);
    array_.InstrWordArray(pos, m);
    std::copy(data_.InputWords.begin(), data_.InputWords.end(), data_.WordInfo.begin() + pos);
    auto& first = data_.WordInfo[static_cast<size_t>(pos)];
    if (first.IsJpGcCtl == kCharParaEnd)
        first.EditFont([&](tessaly::mLogFont& f) { f.FontTblIndex = data_.AboutFileInfo.BaseFontTblIndex; });

    undo_.SetPendingSize(undo_.PendingSize() + m);
    const int32_t p0 = undo_.BeforeImage().SelStart;
    const int32_t typed = undo_.PendingSize();
    // Redo selects the whole typed run; undo leaves the caret where typing began.
    undo_.SetPendingAfter({p0, p0 + typed - 1, p0, typed, 0, typed, State()});
    data_.SelStart = p0 + typed;
    data_.SelLength = 0;
    undo_.SetPendingPos(data_.SelStart);
    return true;
}

bool Typing::ReplaceWords(int32_t pos, int32_t n, int32_t m, int32_t redoSelStart, bool typed) {
    undo_.EndPendingStep();
    const AreaRange area = AdjustAreaMarks(pos, n, false);
    if (!undo_.Begin(kStepWords, {area.First, area.Last, pos, n, n, 0, State()})) return false;
    undo_.MakePending(kPendingNone);
    SetInputDat(data_, pos, n, m, LeavesOthers(area, pos, n));
    AdjustAreaMarks(pos, n, true);
    int32_t at = pos, del = n;
    array_.DelWordArray(at, del);
    if (!typed && !data_.PasteStore.empty()) {
        array_.InsertWords(pos, std::move(data_.PasteStore));  // a paste in stored form goes in as it is
    } else {
        array_.InstrWordArray(pos, m);
        std::copy_n(data_.InputWords.begin(), m, data_.WordInfo.begin() + pos);
    }
    auto& first = data_.WordInfo[static_cast<size_t>(pos)];
    if (typed && first.IsJpGcCtl == kCharParaEnd)
        first.EditFont([&](tessaly::mLogFont& f) { f.FontTblIndex = data_.AboutFileInfo.BaseFontTblIndex; });
    if (!undo_.Finish(kStepWords, {area.First, area.Last - n + m, redoSelStart, 0, 0, m, State()})) return false;
    data_.SelStart = pos + m;
    data_.SelLength = 0;
    return true;
}

bool Typing::RemoveWords(int32_t kind, int32_t pos, int32_t n, int32_t undoSelLength, bool toClipboard) {
    if (n <= 0 || !InDocument(pos, n)) return false;
    // The clipboard gets the characters with all their marks, before any pair is cut.
    if (toClipboard && !control_.CopyWordsToClipboard(pos, n)) {
        BeepOn(data_);
        return false;
    }
    undo_.EndPendingStep();
    const AreaRange area = AdjustAreaMarks(pos, n, false);
    if (!undo_.Begin(kind, {area.First, area.Last, pos, undoSelLength, n, 0, State()})) return false;
    SetInputDat(data_, pos, n, 0, LeavesOthers(area, pos, n));
    AdjustAreaMarks(pos, n, true);
    int32_t at = pos, del = n;
    array_.DelWordArray(at, del);
    if (!undo_.Finish(kind, {area.First, area.Last - n, pos, 0, 0, 0, State()})) return false;
    data_.SelStart = pos;
    data_.SelLength = 0;
    return true;
}

bool Typing::StackHandled() {
    return MustFormatShuPai && MustFormatShuPai(0, 0);
}

void Typing::BackSpaceWord(int32_t m_selstart, int32_t m_sellength) {
    int32_t start = 0, n = 0;
    if (!TakeSelection(m_selstart, m_sellength, start, n) || (start == 0 && n == 0) || !InDocument(start, n)) return;
    if (n > 0) {
        if (!StackHandled()) RemoveWords(kStepBackspace, start, n, n);
        return;
    }
    if (!IsParaEnd(data_, start - 1)) {
        if (StackHandled()) return;
        const AreaRange area = AdjustAreaMarks(start - 1, 1, false);
        if (area.First == area.Last) {
            BackspaceOneWord();
        } else {
            RemoveWords(kStepBackspace, start - 1, 1, 1);
        }
    } else if (start < 2 || IsParaEnd(data_, start - 2)) {
        BackspaceOneWord();  // an empty paragraph goes like any character
    } else {
        JoinParagraphs();
    }
}

void Typing::BackspaceOneWord() {
    const int32_t caret = data_.SelStart;
    if (!undo_.IsPending(kPendingBackspace, caret)) {
        const aUndoRange empty{caret, caret - 1, caret, 0, 0, 0, State()};
        if (!undo_.BeginPending(kPendingBackspace, kStepBackspace, empty)) return;
        undo_.SetPendingAfter(empty);  // an empty step, should the first character not reach the journal
    }
    // The character is in the journal before it leaves the document.
    if (!undo_.AddBackspaceWord(caret - 1)) return;
    SetInputDat(data_, caret - 1, 1, 0, true);
    int32_t at = caret - 1, one = 1;
    array_.DelWordArray(at, one);
    undo_.SetPendingAfter({caret - 1, caret - 2, caret - 1, 0, 0, 0, State()});
    data_.SelStart = caret - 1;
    data_.SelLength = 0;
    undo_.SetPendingPos(data_.SelStart);
}

void Typing::JoinParagraphs() {
    undo_.EndPendingStep();
    const int32_t caret = data_.SelStart;
    int32_t end = FindPartCtlWord(data_, caret);
    if (end < caret) end = data_.WordCount();  // the text runs to the end without a paragraph end
    if (!undo_.Begin(kStepJoin, {caret - 1, end, caret, 0, 1, 0, State()})) return;
    SetInputDat(data_, caret - 1, 1, 0);
    // The paragraph's attributes live in its end's marks: the merged one keeps the first's.
    CopySlotCodes(data_, caret - 1, end);
    int32_t at = caret - 1, one = 1;
    array_.DelWordArray(at, one);
    if (!undo_.Finish(kStepJoin, {caret - 1, end - 1, caret - 1, 0, 0, 0, State()})) return;
    data_.SelStart = caret - 1;
    data_.SelLength = 0;
}

void Typing::DeleteWord(int32_t m_selstart, int32_t m_sellength) {
    int32_t start = 0, n = 0;
    if (!TakeSelection(m_selstart, m_sellength, start, n)) return;
    undo_.EndPendingStep();
    if (!StackHandled()) {
        if (n == 0) {
            int32_t one = 1;
            if (KeepLastParaEnd(start, one)) RemoveWords(kStepDelete, start, 1, 0);
        } else {
            RemoveWords(kStepDelete, start, n, n);
        }
    }
    data_.SelLength = 0;
}

AreaRange Typing::AdjustAreaMarks(int32_t from, int32_t length, bool apply) {
    const auto [start, n] = NormalRange(from, length);
    AreaRange area{start, start + n - 1};
    const int32_t rangeFirst = area.First;
    const int32_t rangeLast = area.Last;
    cleared_.clear();
    const auto codeAt = [&](int32_t i, int32_t s) {
        return IsCleared(i, s) ? 0 : data_.WordInfo[static_cast<size_t>(i)].ExtralWordInfo[s].IndexType;
    };
    for (int32_t i = std::max(rangeFirst, 0); i <= rangeLast && data_.IsWord(i); ++i) {
        for (int32_t s = 0; s < kSlotCount; ++s) {
            const int32_t code = codeAt(i, s);
            if (IsSpanStart(code)) area.Last = std::max(area.Last, FindSpanEnd(i, s, code + 1, apply, rangeLast));
        }
    }
    for (int32_t i = std::max(rangeFirst, 0); i <= rangeLast && data_.IsWord(i); ++i) {
        for (int32_t s = 0; s < kSlotCount; ++s) {
            const int32_t code = codeAt(i, s);
            if (IsSpanEnd(code)) area.First = std::min(area.First, FindSpanStart(i, s, code - 1, apply, rangeFirst));
        }
    }
    return area;
}

// Orphans and cut pairs are cleared only when applying: the measuring pass runs before the
// before-image is written, and undo could not bring back what it had already removed.
int32_t Typing::FindSpanEnd(int32_t pos, int32_t slot, int32_t endCode, bool apply, int32_t rangeLast) {
    const int32_t pair = data_.WordInfo[static_cast<size_t>(pos)].ExtralWordInfo[slot].ExtralWordVal2;
    const SlotRef found = FindPartner(pos + 1, data_.WordCount() - 1, endCode, pair);
    if (found.Word < 0) {
        ClearSlot(pos, slot, apply);
        return pos;
    }
    if (found.Word > rangeLast) {
        ClearSlot(found.Word, found.Slot, apply);
        ClearSlot(pos, slot, apply);
    }
    return found.Word;
}

int32_t Typing::FindSpanStart(int32_t pos, int32_t slot, int32_t startCode, bool apply, int32_t rangeFirst) {
    const int32_t pair = data_.WordInfo[static_cast<size_t>(pos)].ExtralWordInfo[slot].ExtralWordVal2;
    const SlotRef found = FindPartner(pos - 1, 0, startCode, pair);
    if (found.Word < 0) {
        ClearSlot(pos, slot, apply);
        return pos;
    }
    if (found.Word < rangeFirst) {
        ClearSlot(found.Word, found.Slot, apply);
        ClearSlot(pos, slot, apply);
    }
    return found.Word;
}

// The first slot with the code and pair number from `from` towards `to`, both included.
SlotRef Typing::FindPartner(int32_t from, int32_t to, int32_t code, int32_t pair) const {
    if (!data_.IsWord(from) || !data_.IsWord(to)) return {};
    const int32_t step = from <= to ? 1 : -1;
    for (int32_t w = from;; w += step) {
        const auto& slots = data_.WordInfo[static_cast<size_t>(w)].ExtralWordInfo;
        for (int32_t s = 0; s < kSlotCount; ++s)
            if (slots[s].IndexType == code && slots[s].ExtralWordVal2 == pair && !IsCleared(w, s)) return {w, s};
        if (w == to) return {};
    }
}

void Typing::ClearSlot(int32_t word, int32_t slot, bool apply) {
    if (apply) {
        ClearExtralWordInfo(data_, word, slot);
    } else {
        cleared_.push_back({word, slot});
    }
}

bool Typing::IsCleared(int32_t word, int32_t slot) const {
    return std::any_of(cleared_.begin(), cleared_.end(),
                       [&](const SlotRef& r) { return r.Word == word && r.Slot == slot; });
}

bool Typing::ConChangInputWord(int32_t& dType, int32_t& iType) {
    // A backward selection names the same character as the forward one.
    const WordRange range = NormalRange(data_.SelStart, data_.SelLength);
    const int32_t caret = range.Start;
    if (!data_.IsWord(caret)) return false;
    const int32_t slot = FindExtralSlot(data_, caret, dType);
    if (slot < 0) return false;

    const auto apply = [&] {
        auto& w = data_.WordInfo[static_cast<size_t>(caret)];
        w.EditMark(static_cast<size_t>(slot), [&](tessaly::aExtralWordInfo& m) { m.IndexType = iType; });
        if (std::find(std::begin(kSymbolKinds), std::end(kSymbolKinds), iType) != std::end(kSymbolKinds))
            w.WdAsc = SymbolForMark(iType).Code;
        w.WdSize = MeasureWordGdip(data_, w.nLogFont(), CodeText(w.WdAsc));
    };
    if (!undo_.IsPending(kPendingInputKind, caret)) {
        if (!ChangesWords(data_, caret, caret, apply)) return false;
        const int32_t length = range.Length;
        const int32_t first = std::min(caret, caret + length);
        const int32_t last = std::clamp(std::max(caret, caret + length), first, data_.WordCount());
        if (!undo_.BeginPending(kPendingInputKind, kStepWords, {first, last, caret, length, 0, 0, State()}))
            return false;
        SetInputDat(data_, first, last - first, last - first);
        undo_.SetPendingPos(caret);
    }
    apply();
    undo_.SetPendingAfter(undo_.BeforeImage());
    return false;
}

}  // namespace notaline
