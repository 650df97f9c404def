#include "model/edit/ClipboardEdits.h"

#include <algorithm>

#include "model/document/WordRange.h"

namespace notaline {

void ClipboardEdits::CutWord(int32_t m_selstart, int32_t m_sellength) {
    if (m_sellength == 0) return;
    undo_.EndPendingStep();
    int32_t start = 0, n = 0;
    if (typing_.TakeSelection(m_selstart, m_sellength, start, n)) typing_.RemoveWords(kStepWords, start, n, n, true);
}

void ClipboardEdits::PasteWord(int32_t m_selstart, int32_t m_sellength, std::string_view PasteType) {
    (void)PasteType;
    auto [start, n] = NormalRange(m_selstart, m_sellength);
    const int32_t k = data_.PasteStore.empty()
                          ? std::min(data_.PasteWordCount, static_cast<int32_t>(data_.InputWords.size()))
                          : static_cast<int32_t>(data_.PasteStore.size());
    if (k > 0 && typing_.InDocument(start, n) && typing_.CanInputWord()) {
        typing_.KeepLastParaEnd(start, n);
        // The caret lands right after the pasted characters, whichever way the selection was made.
        typing_.ReplaceWords(start, n, k, start, false);
    }
    data_.PasteStore.clear();  // read again for every paste, like the buffer of whole records
}

void ClipboardEdits::DragDropWord(int32_t m_selstart, int32_t m_sellength, int32_t& InstSelStart) {
    undo_.EndPendingStep();
    int32_t start = 0, n = 0;
    typing_.TakeSelection(m_selstart, m_sellength, start, n);
    int32_t to = InstSelStart, none = 0;
    typing_.KeepLastParaEnd(to, none);  // nothing lands after the last paragraph end
    // A drop at either edge of the block or inside it leaves the text as it is.
    if (n <= 0 || !typing_.InDocument(start, n) || to < 0 || to > data_.WordCount() || (to >= start && to <= start + n))
        return;
    const AreaRange area = typing_.AdjustAreaMarks(start, n, false);
    const int32_t q = to < start ? to : to - n;  // the block's first index after the move

    // Where each character of the imaged range lands: the after-image must hold the cut
    // partners as well as the block, so that redo gives back the same bytes.
    const auto moved = [&](int32_t x) {
        if (x >= start && x < start + n) return q + x - start;
        if (to < start && x >= to && x < start) return x + n;
        if (to > start && x >= start + n && x < to) return x - n;
        return x;
    };
    int32_t lo = q, hi = q + n - 1;
    for (int32_t x = area.First; x <= area.Last; ++x) {
        lo = std::min(lo, moved(x));
        hi = std::max(hi, moved(x));
    }
    const auto state = static_cast<int16_t>(data_.InputState);
    const aUndoRange before{area.First, area.Last, start, n, 0, 0, state};
    if (!undo_.Begin(kStepMove, before)) return;
    const aUndoRange after{lo, hi, q, n, 0, 0, state};
    undo_.SetMoveInputDat(before, after);
    typing_.AdjustAreaMarks(start, n, true);
    int32_t toPos = to, outPos = start, count = n;
    array_.DragDropArray(toPos, outPos, count);
    if (!undo_.Finish(kStepMove, after)) return;
    data_.SelStart = q;
    data_.SelLength = n;
}

}  // namespace notaline
