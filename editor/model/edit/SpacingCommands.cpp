#include "model/edit/SpacingCommands.h"

#include <algorithm>

#include "model/document/mGeneral.h"
#include "model/edit/CharAttributes.h"
#include "model/layout/LineBreaker.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

bool StartsStack(int16_t number) {
    return number == 1 || number == -1;
}

// A character's place in a stack of `up` or down direction; stacks longer than an Integer can
// count end on its largest value.
int16_t StackNumber(int64_t place, bool up) {
    return tessaly::CInt(static_cast<double>(up ? place : -place));
}

}  // namespace

// The images reach one character past the range. The lengths make undo and redo lay the whole
// range out again, as the change did; in place, nothing is resized by them.
aUndoRange SpacingCommands::SpaceRange(int32_t start, int32_t length) const {
    return {start, start + length, start, length, length, length, static_cast<int16_t>(data_.InputState)};
}

float SpacingCommands::SelWordSpace(int32_t start, int32_t length) const {
    if (!NormaliseWordRange(data_, start, length)) return 0;
    if (length == 0) {
        const int32_t i = CaretReference(data_, start);
        return i < 0 ? 0 : Word(i).WdSpace;
    }
    const float value = Word(start).WdSpace;
    for (int32_t i = start + 1; i < start + length; ++i)
        if (!IsParaEnd(data_, i) && Word(i).WdSpace != value) return MixedValue;
    return value;
}

bool SpacingCommands::SelWordSpace(int32_t start, int32_t length, float value) {
    if (!NormaliseWordRange(data_, start, length) || (length == 0 && !data_.IsWord(start))) return false;
    const aUndoRange range = SpaceRange(start, length);
    const int32_t n = std::max(length, 1);
    return RecordWordStep(
        data_, undo_, range, range, start, n,
        [&] {
            for (int32_t i = start; i < start + n; ++i) data_.WordInfo[static_cast<size_t>(i)].WdSpace = value;
        },
        true);
}

// Opens a step that stays open while the same member goes on over the same range; the step's
// after-image is written when another change closes it.
template <class Change>
bool SpacingCommands::Coalesce(int32_t pendingKind, int32_t stepKind, const aUndoRange& before, const aUndoRange& after,
                               Change&& change) {
    const bool open = undo_.IsPending(pendingKind, before.SelStart) && undo_.PendingSize() == before.SelLength;
    if (!open) {
        if (!ChangesWords(data_, before.FirstWord, before.LastWord, change)) return false;
        if (!undo_.BeginPending(pendingKind, stepKind, before)) return false;
        undo_.SetPendingPos(before.SelStart);
        undo_.SetPendingSize(before.SelLength);
    }
    SetInputDat(data_, before.SelStart, before.SelLength, before.SelLength, before.SelLength > 0);
    change();
    undo_.SetPendingAfter(after);
    return true;
}

bool SpacingCommands::SetWordSpace(int32_t start, int32_t length, int32_t delta) {
    if (!NormaliseWordRange(data_, start, length)) return false;
    const aUndoRange range = SpaceRange(start, length);
    return Coalesce(kPendingWordSpace, kStepWordSpace, range, range, [&] {
        for (int32_t i = start; i < start + length; ++i)
            data_.WordInfo[static_cast<size_t>(i)].WdSpace += static_cast<float>(delta);
    });
}

float SpacingCommands::UpSpace(int32_t start, int32_t length) const {
    if (!NormaliseWordRange(data_, start, length) || !data_.IsWord(start)) return 0;
    const float value = Word(start).UpSpace;
    for (int32_t i = start + 1; i < start + length; ++i)
        if (Word(i).UpSpace != value) return MixedValue;
    return value;
}

bool SpacingCommands::UpSpace(int32_t start, int32_t length, float value) {
    if (!NormaliseWordRange(data_, start, length)) return false;
    const auto state = static_cast<int16_t>(data_.InputState);
    const aUndoRange before{start, start + length - 1, start, length, length, 0, state};
    const aUndoRange after{start, start + length - 1, start, length, 0, length, state};
    return Coalesce(kPendingUpSpace, kStepUpSpace, before, after, [&] {
        for (int32_t i = start; i < start + length; ++i) data_.WordInfo[static_cast<size_t>(i)].UpSpace = value;
    });
}

// The whole stacks that the selection's ends lie in.
void SpacingCommands::StackRange(int32_t selStart, int32_t selLength, int32_t& first, int32_t& last) const {
    first = selStart;
    if (Word(first).ShuPai.Number != 0) {
        while (first > 0 && !StartsStack(Word(first).ShuPai.Number)) --first;
    }
    last = selStart + selLength - 1;
    if (Word(last).ShuPai.Number != 0) {
        // A stack that runs to the end of the document ends with its last character.
        int32_t next = last + 1;
        while (next < data_.WordCount() && Word(next).ShuPai.Number != 0 && !StartsStack(Word(next).ShuPai.Number))
            ++next;
        last = next - 1;
    }
}

tessaly::aShuPai SpacingCommands::ShuPai() const {
    int32_t start = data_.SelStart, length = data_.SelLength;
    if (!NormaliseWordRange(data_, start, length) || !data_.IsWord(start)) return {};
    const tessaly::aShuPai at = Word(start).ShuPai;
    const int16_t n = at.Number;
    for (int32_t i = start; i < start + length; ++i) {
        const int16_t number = Word(i).ShuPai.Number;
        if (n == 0 || (n > 0 && number < 1) || (n < 0 && number >= 0)) return {};
    }
    return at;
}

bool SpacingCommands::ShuPai(const tessaly::aShuPai& value) {
    return Stack(value.Number, value.Space);
}

bool SpacingCommands::Stack(int32_t number, float space) {
    int32_t start = data_.SelStart, length = data_.SelLength;
    if (!NormaliseWordRange(data_, start, length) || length == 0) return false;
    int32_t first = 0, last = 0;
    StackRange(start, length, first, last);
    if (first >= last) return false;

    const bool up = number == 1;
    bool changes = false;
    for (int32_t j = first; j <= last && !changes; ++j) {
        const auto& s = Word(j).ShuPai;
        changes = number != 0 ? (s.Number != StackNumber(j - first + 1, up) || s.Space != space)
                              : (s.Number != 0 || s.Space != 0);
    }
    if (!changes) return false;

    const auto state = static_cast<int16_t>(data_.InputState);
    // The lengths make undo and redo lay the selection out again; nothing is resized by them.
    const aUndoRange range{first, last, start, length, length, length, state};
    // The layout is told of the whole stacks, which may reach beyond the selection.
    return RecordWordStep(
        data_, undo_, range, range, first, last - first + 1,
        [&] {
            if (number != 0) {
                for (int32_t k = start; k < start + length; ++k)
                    data_.WordInfo[static_cast<size_t>(k)].ShuPai = {space, StackNumber(k - start + 1, up)};
            } else {
                for (int32_t k = first; k <= last; ++k) data_.WordInfo[static_cast<size_t>(k)].ShuPai = {};
            }
        },
        true);
}

bool SpacingCommands::MustFormatShuPai(int32_t FormatType, int32_t tSpace) {
    if (data_.SelLength == 0 && data_.IsWord(data_.SelStart)) data_.SelLength = 1;
    return Stack(FormatType, static_cast<float>(tSpace));
}

tessaly::FontExInfo SpacingCommands::FontExInfo() const {
    tessaly::FontExInfo info;
    info.SelShuPai = ShuPai();
    info.SelWdSpace = SelWordSpace(data_.SelStart, data_.SelLength);
    info.SelWdUpSpace = UpSpace(data_.SelStart, data_.SelLength);
    return info;
}

void SpacingCommands::FontExInfo(const tessaly::FontExInfo& info) {
    int32_t first = data_.SelStart, length = data_.SelLength;
    if (!NormaliseWordRange(data_, first, length)) return;
    int32_t last = first + length - 1;
    if (length > 0) StackRange(first, length, first, last);
    ShuPai(info.SelShuPai);
    SelWordSpace(data_.SelStart, data_.SelLength, info.SelWdSpace);
    UpSpace(data_.SelStart, data_.SelLength, info.SelWdUpSpace);
    // The caller lays out once for the three: the stacks may reach beyond the selection.
    const int32_t n = std::max(last - first + 1, 1);
    SetInputDat(data_, first, n, n);
}

}  // namespace notaline
