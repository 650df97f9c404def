#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "WordSink.h"
#include "model/document/PieceArray.h"
#include "model/document/StoredWord.h"

namespace notaline {

using WordStore = PieceArray<StoredWord>;

// Takes the characters from a reader straight into pieces of a fresh store, compacted as they
// come: each piece is allocated once at its full size and written once, and the whole records
// are never held.
class StoreSink final : public tessaly::WordSink {
public:
    void Take(const tessaly::aWordInfo* words, size_t n) override;
    void Revisit(const std::function<void(tessaly::aWordInfo&)>& fix) override;
    // The store as filled; the sink is left empty.
    WordStore TakeStore();

private:
    WordStore store_;
    std::vector<StoredWord> piece_;  // being filled, up to a piece's size
};

// The store of whole records, compacted.
WordStore StoreOf(const std::vector<tessaly::aWordInfo>& words);

// The first `count` characters of a snapshot for a writer, made whole a run at a time.
class SnapshotWords final : public tessaly::WordSource {
public:
    using Settler = std::function<void(size_t first, tessaly::aWordInfo* words, size_t n)>;
    SnapshotWords(const WordStore::Snapshot& words, size_t count, const Settler& settle = {})
        : words_(words), count_(count), settle_(settle) {}
    size_t size() const override { return count_; }
    const tessaly::aWordInfo* Run(size_t from, size_t n, tessaly::aWordInfo* scratch) const override {
        words_.CopyOut(from, n, Expanding(scratch));
        if (settle_) settle_(from, scratch, n);
        return scratch;
    }

private:
    const WordStore::Snapshot& words_;
    size_t count_;
    const Settler& settle_;
};

}  // namespace notaline
