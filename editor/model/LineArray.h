#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "records/Records.h"

namespace notaline {

// The line records. Every edit moves the first character of each line behind it; that move is
// kept pending for the lines from one line on and applied to a line when it is read, so an edit
// costs the lines it touches and those read since, not all the lines after it. Reading through
// the array always gives the records as they are.
class LineArray {
public:
    using Vector = std::vector<tessaly::aLineInfo>;
    using const_iterator = Vector::const_iterator;

    LineArray() = default;
    LineArray(Vector lines) : lines_(std::move(lines)) {}
    LineArray& operator=(Vector&& lines) {
        lines_ = std::move(lines);
        Clear();
        return *this;
    }

    size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    const tessaly::aLineInfo& operator[](size_t i) const {
        if (i >= from_) Settle(i + 1);
        return lines_[i];
    }
    tessaly::aLineInfo& operator[](size_t i) {
        if (i >= from_) Settle(i + 1);
        return lines_[i];
    }
    const tessaly::aLineInfo& back() const { return (*this)[size() - 1]; }

    // Line i's first character without applying anything: for searches over all the lines.
    int32_t StartOf(size_t i) const { return lines_[i].Start + (i >= from_ ? by_ : 0); }
    // Line i as stored, its Start possibly not yet moved: for what neither reads nor writes the Start.
    const tessaly::aLineInfo& Unmoved(size_t i) const { return lines_[i]; }
    tessaly::aLineInfo& Unmoved(size_t i) { return lines_[i]; }

    // The `count` lines at `at` give way to `with`, in one move of the lines behind; a move pending
    // for those stays pending.
    void Replace(size_t at, size_t count, const Vector& with) {
        at = std::min(at, lines_.size());
        count = std::min(count, lines_.size() - at);
        if (from_ != kNone && from_ < at + count) Settle(at + count);
        const auto begin = lines_.begin() + static_cast<ptrdiff_t>(at);
        if (with.size() > count) {
            lines_.insert(begin + static_cast<ptrdiff_t>(count), with.size() - count, tessaly::aLineInfo{});
        } else {
            lines_.erase(begin + static_cast<ptrdiff_t>(with.size()), begin + static_cast<ptrdiff_t>(count));
        }
        std::copy(with.begin(), with.end(), lines_.begin() + static_cast<ptrdiff_t>(at));
        if (from_ != kNone) from_ = from_ - count + with.size();
    }

    // The lines from `from` on begin `by` characters later.
    void ShiftStarts(size_t from, int32_t by) {
        if (by == 0 || from >= lines_.size()) return;
        if (from_ == kNone) {
            from_ = from;
            by_ = by;
        } else if (from >= from_) {
            Settle(from);
            by_ += by;
        } else {
            for (size_t i = from; i < from_; ++i) lines_[i].Start += by;
            by_ += by;
        }
        if (by_ == 0) Clear();
    }

    // Whole-array operations apply everything pending first.
    const Vector& All() const {
        Settle(lines_.size());
        return lines_;
    }
    Vector& All() {
        Settle(lines_.size());
        return lines_;
    }
    const_iterator begin() const { return All().begin(); }
    const_iterator end() const { return All().end(); }
    void resize(size_t n) { All().resize(n); }
    void assign(size_t n, const tessaly::aLineInfo& line) { All().assign(n, line); }
    void push_back(const tessaly::aLineInfo& line) { All().push_back(line); }
    void clear() {
        lines_.clear();
        Clear();
    }

private:
    static constexpr size_t kNone = SIZE_MAX;

    void Clear() const {
        from_ = kNone;
        by_ = 0;
    }
    // Applies the pending move to the lines before `upTo`.
    void Settle(size_t upTo) const {
        if (from_ == kNone) return;
        for (size_t i = from_; i < upTo && i < lines_.size(); ++i) lines_[i].Start += by_;
        if (upTo >= lines_.size()) {
            Clear();
        } else if (upTo > from_) {
            from_ = upTo;
        }
    }

    mutable Vector lines_;
    mutable size_t from_ = kNone;  // the first line still to be moved
    mutable int32_t by_ = 0;
};

}  // namespace notaline
