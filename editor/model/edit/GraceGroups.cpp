#include "model/edit/GraceGroups.h"

#include <cstring>

#include "model/document/CharKinds.h"
#include "model/document/GraceNotes.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Measure.h"
#include "model/edit/MarkCommands.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace notaline {

namespace {

constexpr double kGraceScale = 0.6;

int32_t GraceHeight(int32_t height) {
    return tessaly::CLng(height * kGraceScale);
}

// The height the note had before it became a grace note. Dividing back drifts (-16 gives -10,
// which gives -17), so the height comes from the note's size in points whenever that size is
// what made this grace height.
int32_t FullHeight(const EditorData& data, const StoredWord& w) {
    const int32_t height = w.nLogFont().lfHeight;
    if (w.SelSize > 0) {
        const int32_t full = PointToLogHeight(data, w.SelSize);
        if (GraceHeight(full) == height) return full;
    }
    return tessaly::CLng(height / kGraceScale);
}

std::string TextOf(const StoredWord& w) {
    return tessaly::GbkFromWdAsc(w.WdAsc).value_or(std::string());
}

bool HasText(const tessaly::aExtralWordInfo& s) {
    for (uint8_t b : s.ExtralWordVal3)
        if (b != 0) return true;
    return false;
}

// The group value a form switch gives: 1 to 3 and 4 to 6 are the two forms of groups of 1 to 3.
int32_t SwitchedGroup(int32_t group, bool afterMainNote) {
    if (afterMainNote && group >= 1 && group <= 3) return group + 3;
    if (!afterMainNote && group >= 4 && group <= 6) return group - 3;
    return group;
}

// The characters of a start and a length (a negative length: the characters before the start);
// empty when they do not all lie in the text.
WordRange RangeOf(const EditorData& data, int32_t start, int32_t length) {
    const WordRange range = NormalRange(start, length);
    return IsMarkRange(data, range) ? range : WordRange{};
}

// The whole groups a range touches; empty when the range, or a damaged group, leaves the text.
WordRange GroupsOf(const EditorData& data, int32_t start, int32_t length) {
    WordRange range = RangeOf(data, start, length);
    if (range.Length == 0) return {};
    WidenToGraceGroups(data, range.Start, range.Length);
    return IsMarkRange(data, range) ? range : WordRange{};
}

}  // namespace

bool GraceGroups::CanFormatYYInfo() const {
    const auto [start, length] = RangeOf(data_, data_.SelStart, data_.SelLength);
    if (length == 0 || length > 3 || start + length == data_.WordCount()) return false;
    for (int32_t i = start; i < start + length; ++i) {
        const auto& w = data_.WordInfo[static_cast<size_t>(i)];
        if (w.IsJpGcCtl != kCharNote || w.WdAsc < '0' || w.WdAsc > ':') return false;
        if (HasExtralType(data_, i, kMarkGraceNote)) return false;
        // A grace note carries neither end of an arc, slide or slur.
        for (int32_t code : kArcStartCodes)
            if (HasExtralType(data_, i, code) || HasExtralType(data_, i, code + 1)) return false;
        // A note that cannot take the mark would stay small outside any group.
        if (GetFreeExtralSlot(data_, i) < 0) return false;
    }
    return true;
}

void GraceGroups::FormatYYInfo(int32_t ExtralType, int32_t ExtralValues) {
    (void)ExtralType;
    const auto [start, length] = RangeOf(data_, data_.SelStart, data_.SelLength);
    const auto group = static_cast<int32_t>(tessaly::Int(ExtralValues / 10.0));
    const int32_t size = group > 3 ? group - 3 : group;
    // The marks must fall on exactly the selected notes, or the group would be broken.
    if (!CanFormatYYInfo() || group < 1 || group > 6 || size != length) {
        BeepOn(data_);
        return;
    }
    if (!undo_.BeginInPlace(kStepWords, start, start + length - 1)) return;
    for (int32_t i = 0; i < length; ++i) {
        const int32_t word = start + i;
        tessaly::aExtralWordInfo slot;
        slot.IndexType = kMarkGraceNote;
        slot.ExtralWordVal1 = group;
        slot.ExtralWordVal2 = i + 1;
        auto& w = data_.WordInfo[static_cast<size_t>(word)];
        w.SetMark(static_cast<size_t>(GetFreeExtralSlot(data_, word)), slot);
        w.EditFont([](tessaly::mLogFont& f) { f.lfHeight = GraceHeight(f.lfHeight); });
        // Grace notes are measured with GDI, as the layout set-up measures them.
        w.WdSize = MeasureWordGdi(data_, w.nLogFont(), TextOf(w));
        w.Yc = 0;
    }
    undo_.EndInPlace(kStepWords);
}

void GraceGroups::SetQianYY(bool Value) {
    const auto [start, length] = GroupsOf(data_, data_.SelStart, data_.SelLength);
    if (length == 0) return;
    if (Value && GetExtralWordInfo(data_, start, kMarkGraceNote).ExtralWordVal1 > 3) return;
    bool changes = false;
    for (int32_t i = start; i < start + length && !changes; ++i) {
        const int32_t s = FindExtralSlot(data_, i, kMarkGraceNote);
        const auto& slot = data_.WordInfo[static_cast<size_t>(i)].ExtralWordInfo.Slots()[std::max(s, 0)];
        changes = s >= 0 && (SwitchedGroup(slot.ExtralWordVal1, Value) != slot.ExtralWordVal1 || HasText(slot));
    }
    if (!changes || !undo_.BeginInPlace(kStepWords, start, start + length - 1)) return;
    for (int32_t i = start; i < start + length; ++i) {
        const int32_t s = FindExtralSlot(data_, i, kMarkGraceNote);
        if (s < 0) continue;
        auto& w = data_.WordInfo[static_cast<size_t>(i)];
        tessaly::aExtralWordInfo slot = w.ExtralWordInfo[s];
        slot.ExtralWordVal1 = SwitchedGroup(slot.ExtralWordVal1, Value);
        std::memset(slot.ExtralWordVal3, 0, sizeof slot.ExtralWordVal3);
        w.SetMark(static_cast<size_t>(s), slot);
    }
    undo_.EndInPlace(kStepWords);
}

int16_t GraceGroups::CanDelYY(int32_t m_selstart, int32_t m_sellength) const {
    const auto [start, length] = RangeOf(data_, m_selstart, m_sellength);
    if (length == 0) return 0;
    const int32_t a = GetGraceNoteCode(data_, start);
    const int32_t b = GetGraceNoteCode(data_, start + length - 1);
    const int32_t count = length;  // a structured binding cannot be captured everywhere
    const auto is = [&](int32_t first, int32_t last, int32_t n) { return a == first && b == last && count == n; };
    if (is(11, 11, 1) || is(21, 22, 2) || is(31, 33, 3)) return 1;
    if (is(41, 41, 1) || is(51, 52, 2) || is(61, 63, 3)) return 2;
    return 0;
}

void GraceGroups::DelYY(int32_t m_selstart, int32_t m_sellength) {
    // Whole groups go, so that no note is left small in a group that has lost its other notes.
    const auto [start, length] = GroupsOf(data_, m_selstart, m_sellength);
    bool any = false;
    for (int32_t i = start; i < start + length && !any; ++i) any = FindExtralSlot(data_, i, kMarkGraceNote) >= 0;
    if (!any) return;
    undo_.EndPendingStep();
    // The selection covers whole groups too, unless a damaged group would take it out of the text.
    const int32_t selStart = data_.SelStart;
    const int32_t selLength = data_.SelLength;
    FixGraceNoteGroup(data_);
    if (!IsMarkRange(data_, NormalRange(data_.SelStart, data_.SelLength))) {
        data_.SelStart = selStart;
        data_.SelLength = selLength;
    }
    if (!undo_.BeginInPlace(kStepWords, start, start + length - 1)) return;
    for (int32_t i = start; i < start + length; ++i) {
        const int32_t s = FindExtralSlot(data_, i, kMarkGraceNote);
        if (s < 0) continue;
        auto& w = data_.WordInfo[static_cast<size_t>(i)];
        w.SetMark(static_cast<size_t>(s), tessaly::aExtralWordInfo{});
        const int32_t full = FullHeight(data_, w);
        w.EditFont([&](tessaly::mLogFont& f) { f.lfHeight = full; });
        w.WdSize = MeasureWordGdip(data_, w.nLogFont(), TextOf(w));
    }
    undo_.EndInPlace(kStepWords);
}

}  // namespace notaline
