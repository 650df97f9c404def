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

}  // namespace notaline
