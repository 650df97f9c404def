#pragma once
#include <algorithm>
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

// Where a writer takes a document's characters from, a run at a time, so that a store need not
// make the whole records of a document to have it written.
class WordSource {
public:
    virtual ~WordSource() = default;
    virtual size_t size() const = 0;
    // The n records from `from` on: the source's own, or copied into scratch (room for n).
    virtual const aWordInfo* Run(size_t from, size_t n, aWordInfo* scratch) const = 0;
};

// The characters of a vector, handed out where they are.
class WordArray final : public WordSource {
public:
    explicit WordArray(const std::vector<aWordInfo>& words) : words_(words) {}
    size_t size() const override { return words_.size(); }
    const aWordInfo* Run(size_t from, size_t, aWordInfo*) const override { return words_.data() + from; }

private:
    const std::vector<aWordInfo>& words_;
};

// Calls each(record) on the first n records of words, in order.
template <class F>
void ForEachWord(const WordSource& words, size_t n, F&& each) {
    std::vector<aWordInfo> scratch;
    for (size_t at = 0; at < n;) {
        const size_t take = std::min<size_t>(256, n - at);
        if (scratch.size() < take) scratch.resize(take);
        const aWordInfo* run = words.Run(at, take, scratch.data());
        for (size_t i = 0; i < take; ++i) each(run[i]);
        at += take;
    }
}

}  // namespace tessaly
