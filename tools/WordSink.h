#pragma once
#include <cstddef>
#include <functional>
#include <vector>

#include "records/Document.h"

namespace tessaly {

// Where a reader hands the characters it reads, a run at a time and in document order, so that
// no reader holds a whole document's records. After a failed read what was handed is the
// caller's to drop.
class WordSink {
public:
    virtual ~WordSink() = default;
    // About n characters are coming (a bound or an exact count); a hint only.
    virtual void Expect(size_t n) { (void)n; }
    // words[0, n) follow those handed before; they stay the reader's, valid during the call.
    virtual void Take(const aWordInfo* words, size_t n) = 0;
    // Calls fix on every character handed so far: a repair decided only at the end of a read.
    virtual void Revisit(const std::function<void(aWordInfo&)>& fix) = 0;
};

// Collects the characters in a vector, for callers that need the records whole.
class WordVector final : public WordSink {
public:
    explicit WordVector(std::vector<aWordInfo>& words) : words_(words) {}
    void Expect(size_t n) override { words_.reserve(n); }
    void Take(const aWordInfo* words, size_t n) override { words_.insert(words_.end(), words, words + n); }
    void Revisit(const std::function<void(aWordInfo&)>& fix) override {
        for (aWordInfo& w : words_) fix(w);
    }

private:
    std::vector<aWordInfo>& words_;
};

}  // namespace tessaly
