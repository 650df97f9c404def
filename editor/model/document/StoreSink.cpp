#include "model/document/StoreSink.h"

#include <utility>

namespace notaline {

void StoreSink::Take(const tessaly::aWordInfo* words, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (piece_.empty()) piece_.reserve(WordStore::kPieceSize);
        piece_.emplace_back(words[i]);
        if (piece_.size() == WordStore::kPieceSize) store_.Append(std::exchange(piece_, {}));
    }
}

void StoreSink::Revisit(const std::function<void(tessaly::aWordInfo&)>& fix) {
    const auto redo = [&](StoredWord& w) {
        tessaly::aWordInfo whole = w.Expand();
        fix(whole);
        w = StoredWord(whole);
    };
    for (StoredWord& w : store_) redo(w);
    for (StoredWord& w : piece_) redo(w);
}

WordStore StoreSink::TakeStore() {
    store_.Append(std::exchange(piece_, {}));
    return std::move(store_);
}

WordStore StoreOf(const std::vector<tessaly::aWordInfo>& words) {
    StoreSink sink;
    sink.Take(words.data(), words.size());
    return sink.TakeStore();
}

}  // namespace notaline
