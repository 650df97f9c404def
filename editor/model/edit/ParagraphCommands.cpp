#include "model/edit/ParagraphCommands.h"

#include <algorithm>
#include <array>
#include <utility>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/WordRange.h"
#include "model/document/mGeneral.h"
#include "model/layout/LineBreaker.h"
#include "model/layout/Pagination.h"

namespace notaline {

namespace {

using tessaly::aPartInfo;

// The Integer fields of the paragraph attributes by the code of the slot that holds them.
constexpr std::array<std::pair<int32_t, int16_t aPartInfo::*>, 6> kIntegerFields{{
    {kMarkLeftIndent, &aPartInfo::LeftIndentation},
    {kMarkRightIndent, &aPartInfo::RightIndentation},
    {kMarkFirstLineIndent, &aPartInfo::FirstLineIndentation},
    {kMarkSpacingBefore, &aPartInfo::SpacingBefore},
    {kMarkSpacingAfter, &aPartInfo::SpacingAfter},
    {kMarkLineSpace, &aPartInfo::LineSpace},
}};

// The field of a paragraph-attribute code, sign-extended; kMixedValue for any other code.
int32_t PartValue(const aPartInfo& info, int32_t code) {
    if (code == kMarkAlignment) return info.AlignmentMethod;
    for (const auto& [c, field] : kIntegerFields)
        if (c == code) return info.*field;
    return kMixedValue;
}

}  // namespace

ParagraphCommands::ParagraphCommands(EditorData& data, DoArray&, UndoRedo& undo) : data_(data), undo_(undo) {}

ParagraphCommands::Selection ParagraphCommands::Normalised(int32_t start, int32_t length) const {
    // Unlike the character commands, a range running past the text is cut at its end.
    const WordRange range = NormalRange(start, length);
    Selection sel;
    if (range.Start < 0 || range.Start > data_.WordCount()) return sel;
    sel.Start = range.Start;
    sel.Length = std::min(range.Length, data_.WordCount() - range.Start);
    sel.Ok = true;
    return sel;
}

// The layout reads the spacing as an Integer: a larger value could never be read back.
bool ParagraphCommands::SpacingFits(int32_t value) const {
    if (value >= INT16_MIN && value <= INT16_MAX) return true;
    BeepOn(data_);
    return false;
}

ParagraphSpan ParagraphCommands::Span(int32_t from, int32_t to) const {
    return ParagraphEndSpan(data_, from, to);
}

ParagraphSpan ParagraphCommands::SelectedParagraphs(const Selection& sel) const {
    return Span(sel.Start, sel.Start + std::max(sel.Length, 1) - 1);
}

void ParagraphCommands::SetFirstSlots(const ParagraphSpan& span, int32_t code, int32_t value) {
    for (int32_t j = span.First; j <= span.Last; ++j) {
        if (!IsParaEnd(data_, j)) continue;
        data_.WordInfo[static_cast<size_t>(j)].EditMarks([&](MarkSlotArray& slots) {
            for (auto& slot : slots) {
                if (slot.IndexType != code) continue;
                slot.ExtralWordVal1 = value;
                break;
            }
        });
    }
}

int32_t ParagraphCommands::CommonSlotValue(const ParagraphSpan& span, int32_t code, int32_t mixed) const {
    if (span.Empty()) return 0;
    const int32_t value = GetExtralWordInfo(data_, span.First, code).ExtralWordVal1;
    for (int32_t j = span.First + 1; j <= span.Last; ++j)
        if (IsParaEnd(data_, j) && HasExtralType(data_, j, code) &&
            GetExtralWordInfo(data_, j, code).ExtralWordVal1 != value)
            return mixed;
    return value;
}

int32_t ParagraphCommands::ParagraphEndsIn(const ParagraphSpan& span) const {
    int32_t n = 0;
    for (int32_t j = span.First; j <= span.Last; ++j)
        if (IsParaEnd(data_, j)) ++n;
    return n;
}

bool ParagraphCommands::Begin(int32_t kind, const ParagraphSpan& span, const Selection& sel, int32_t del) {
    undo_.EndPendingStep();
    if (!undo_.Begin(kind,
                     {span.First, span.Last, sel.Start, sel.Length, del, 0, static_cast<int16_t>(data_.InputState)}))
        return false;
    SetInputDat(data_, sel.Start, sel.Length, sel.Length);
    return true;
}

bool ParagraphCommands::End(int32_t kind, int32_t add) {
    aUndoRange after = undo_.BeforeImage();
    after.DelLength = 0;
    after.AddLength = add;
    return undo_.Finish(kind, after);
}

std::optional<aPartInfo> ParagraphCommands::PartAtt(int32_t start, int32_t length) const {
    const Selection sel = Normalised(start, length);
    if (!sel.Ok) return std::nullopt;
    // The end of the selection counts as a position: a selection that ends just after a
    // paragraph end takes in the next paragraph too.
    const ParagraphSpan span = Span(sel.Start, sel.Start + sel.Length);
    if (span.Empty()) return std::nullopt;
    auto result = GetPartInfoFromCtlWord(data_, span.First);
    for (int32_t j = span.First + 1; result && j <= span.Last; ++j) {
        if (!IsParaEnd(data_, j)) continue;
        const auto other = GetPartInfoFromCtlWord(data_, j);
        if (!other) return std::nullopt;
        for (const auto& [code, field] : kIntegerFields)
            if ((*result).*field != (*other).*field) (*result).*field = static_cast<int16_t>(kMixedValue);
        if (result->AlignmentMethod != other->AlignmentMethod)
            result->AlignmentMethod = static_cast<tessaly::Alignment>(kMixedValue);
    }
    return result;
}

std::vector<aPartInfo> ParagraphCommands::OwnPartAtts(int32_t start, int32_t length) const {
    const Selection sel = Normalised(start, length);
    if (!sel.Ok) return {};
    const ParagraphSpan span = Span(sel.Start, sel.Start + sel.Length);
    if (span.Empty()) return {};
    std::vector<aPartInfo> out;
    for (int32_t j = span.First; j <= span.Last; ++j) {
        if (j != span.First && !IsParaEnd(data_, j)) continue;
        const auto own = GetPartInfoFromCtlWord(data_, j);
        if (!own) return {};
        out.push_back(*own);
    }
    return out;
}

bool ParagraphCommands::PartAtt(int32_t start, int32_t length, const aPartInfo& info) {
    const Selection sel = Normalised(start, length);
    if (!sel.Ok) return false;
    const ParagraphSpan span = Span(sel.Start, sel.Start + sel.Length);
    const auto apply = [&] {
        for (int32_t j = span.First; j <= span.Last; ++j) {
            if (!IsParaEnd(data_, j)) continue;
            data_.WordInfo[static_cast<size_t>(j)].EditMarks([&](MarkSlotArray& slots) {
                for (auto& slot : slots) {
                    if (slot.IndexType < kMarkLeftIndent || slot.IndexType > kMarkAlignment) continue;
                    const int32_t value = PartValue(info, slot.IndexType);
                    if (value != kMixedValue) slot.ExtralWordVal1 = value;
                }
            });
        }
    };
    if (span.Empty() || !ChangesWords(data_, span.First, span.Last, apply) || !Begin(kStepWords, span, sel, 0))
        return false;
    apply();
    const bool recorded = End(kStepWords, 0);
    GetAllPartInfo(data_);
    if (recorded) data_.SelStart = sel.Start, data_.SelLength = 0;
    return recorded;
}

int32_t ParagraphCommands::Alignment(int32_t start, int32_t length) const {
    const Selection sel = Normalised(start, length);
    if (!sel.Ok) return 0;
    return CommonSlotValue(SelectedParagraphs(sel), kMarkAlignment, -1);
}

bool ParagraphCommands::Alignment(int32_t start, int32_t length, tessaly::Alignment value) {
    const Selection sel = Normalised(start, length);
    if (!sel.Ok) return false;
    const ParagraphSpan span = SelectedParagraphs(sel);
    const auto apply = [&] { SetFirstSlots(span, kMarkAlignment, value); };
    if (span.Empty() || !ChangesWords(data_, span.First, span.Last, apply) || !Begin(kStepWords, span, sel, 0))
        return false;
    apply();
    if (!End(kStepWords, 0)) return false;
    // The caret goes to the selection's first character, whichever way it was made.
    data_.SelStart = sel.Start;
    data_.SelLength = 0;
    return true;
}

int32_t ParagraphCommands::SelSpacingBefore(int32_t start, int32_t length) const {
    const Selection sel = Normalised(start, length);
    if (!sel.Ok) return 0;
    return CommonSlotValue(SelectedParagraphs(sel), kMarkSpacingBefore, kMixedSpacing);
}

bool ParagraphCommands::SelSpacingBefore(int32_t start, int32_t length, int32_t value) {
    const Selection sel = Normalised(start, length);
    if (!sel.Ok || !SpacingFits(value)) return false;
    const int32_t p = Span(sel.Start, sel.Start).First;
    if (p < 0) return false;
    const auto state = static_cast<int16_t>(data_.InputState);
    const auto apply = [&] { SetFirstSlots({p, p}, kMarkSpacingBefore, value); };
    if (!undo_.IsPending(kPendingSpacingBefore, p) &&
        (!ChangesWords(data_, p, p, apply) ||
         !undo_.BeginPending(kPendingSpacingBefore, kStepParaSpacing, {p, p, sel.Start, sel.Length, 1, 0, state})))
        return false;
    SetInputDat(data_, p, 0, 0);
    apply();
    undo_.SetPendingAfter({p, p, sel.Start, sel.Length, 0, 1, state});
    undo_.SetPendingPos(p);
    return true;
}

bool ParagraphCommands::SelParLineSpace(int32_t start, int32_t length, int32_t value) {
    const Selection sel = Normalised(start, length);
    if (!sel.Ok || !SpacingFits(value)) return false;
    const ParagraphSpan span = SelectedParagraphs(sel);
    if (span.Empty()) return false;
    const int32_t n = ParagraphEndsIn(span);
    const auto apply = [&] { SetFirstSlots(span, kMarkSpacingBefore, value); };
    if (!ChangesWords(data_, span.First, span.Last, apply) || !Begin(kStepParaSpacing, span, sel, n)) return false;
    apply();
    return End(kStepParaSpacing, n);
}

}  // namespace notaline
