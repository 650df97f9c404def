#include "model/document/DoArray.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace notaline {

namespace {
size_t Idx(int32_t i) {
    return static_cast<size_t>(i);
}
}  // namespace

void DoArray::DelLineArray(int32_t& pos, int32_t& n) {
    if (n <= 0) return;
    auto& lines = data_.LineInfo.All();
    lines.erase(lines.begin() + pos, lines.begin() + pos + n);
}

void DoArray::InstrWordArray(int32_t pos, int32_t n) {
    if (n == 0) return;
    if (n < 0) {
        pos += n;
        n = -n;
    }
    // The old spare record moves up too; the room keeps whatever was there.
    data_.WordInfo.InsertRoom(Idx(pos), Idx(n));
    data_.AboutFileInfo.WordCount += n;
}

void DoArray::InsertWords(int32_t pos, PieceArray<StoredWord>&& words) {
    const auto n = static_cast<int32_t>(words.size());
    data_.WordInfo.Splice(Idx(pos), std::move(words));
    data_.AboutFileInfo.WordCount += n;
}

void DoArray::DelWordArray(int32_t& pos, int32_t& n) {
    if (n == 0) return;
    if (n < 0) {
        pos += n;
        n = -n;
    }
    data_.WordInfo.Erase(Idx(pos), Idx(n));
    data_.AboutFileInfo.WordCount -= n;
}

void DoArray::DragDropArray(int32_t& ToPos, int32_t& OutPos, int32_t& n) {
    // Nothing to move: an earlier move's clipboard must not be pasted again.
    if (n == 0) return;
    CopyInternalWords(OutPos, n);
    DelWordArray(OutPos, n);
    PasteInternalWords(ToPos < OutPos ? ToPos : ToPos - n);
}

bool DoArray::ClipboardWord() {
    const bool system = control_.ReadClipboardWords();
    return system || lenClipboardWd_ != 0;
}

void DoArray::CopyInternalWords(int32_t pos, int32_t n) {
    if (n == 0) return;
    WordClipboard.resize(Idx(n));
    data_.WordInfo.CopyOut(Idx(pos), Idx(n), WordClipboard.begin());
    lenClipboardWd_ = n;
}

void DoArray::PasteInternalWords(int32_t pos) {
    InstrWordArray(pos, lenClipboardWd_);
    std::copy_n(WordClipboard.begin(), lenClipboardWd_, data_.WordInfo.begin() + pos);
}

// The free items keep no spare record: the document writer takes the array as it is.
void DoArray::AddHwWordInfo(int32_t& pos, int32_t& n) {
    if (n <= 0) return;
    auto& items = data_.HwWordInfo;
    const auto oldSize = static_cast<int32_t>(items.size());
    items.resize(Idx(oldSize + n));
    if (pos < oldSize) std::move_backward(items.begin() + pos, items.begin() + oldSize, items.end());
    data_.AboutFileInfo.HwWordCount = oldSize + n;
}

void DoArray::DelHwWordInfo(int32_t& pos, int32_t& n) {
    if (n <= 0) return;
    auto& items = data_.HwWordInfo;
    items.erase(items.begin() + pos, items.begin() + pos + n);
    data_.AboutFileInfo.HwWordCount = static_cast<int32_t>(items.size());
}

}  // namespace notaline
