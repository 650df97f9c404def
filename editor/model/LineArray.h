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
// the array always gives the records as they are. Room for lines is kept where the last edit was.
class LineArray {
public:
    using Vector = std::vector<tessaly::aLineInfo>;
    using const_iterator = Vector::const_iterator;

    LineArray() = default;
    LineArray(Vector lines) : lines_(std::move(lines)) {}
    LineArray& operator=(Vector&& lines) {
        lines_ = std::move(lines);
        Clear();
        gapAt_ = gap_ = 0;
        return *this;
    }

    size_t size() const { return lines_.size() - gap_; }
    bool empty() const { return size() == 0; }
    const tessaly::aLineInfo& operator[](size_t i) const {
        if (i >= from_) Settle(i + 1);
        return lines_[At(i)];
    }
    tessaly::aLineInfo& operator[](size_t i) {
        if (i >= from_) Settle(i + 1);
        return lines_[At(i)];
    }
    const tessaly::aLineInfo& back() const { return (*this)[size() - 1]; }

    // Line i's first character without applying anything: for searches over all the lines.
    int32_t StartOf(size_t i) const { return lines_[At(i)].Start + (i >= from_ ? by_ : 0); }
    // Line i as stored, its Start possibly not yet moved: for what neither reads nor writes the Start.
    const tessaly::aLineInfo& Unmoved(size_t i) const { return lines_[At(i)]; }
    tessaly::aLineInfo& Unmoved(size_t i) { return lines_[At(i)]; }

    // The `count` lines at `at` give way to `with`. The room for lines stays where the last edit
    // was, so a change in the count of lines moves only those between this edit and the last, not
    // all the lines behind; a move pending for those stays pending.
    void Replace(size_t at, size_t count, const Vector& with) {
        at = std::min(at, size());
        count = std::min(count, size() - at);
        if (from_ != kNone && from_ < at + count) Settle(at + count);
        MoveGap(at + count);
        if (with.size() > count) Reserve(with.size() - count);
        // The replaced lines end where the room begins: the room grows or shrinks at its front.
        gapAt_ = at + with.size();
        gap_ = gap_ + count - with.size();
        std::copy(with.begin(), with.end(), lines_.begin() + static_cast<ptrdiff_t>(at));
        if (from_ != kNone) from_ = from_ - count + with.size();
    }

    // The lines from `from` on begin `by` characters later.
    void ShiftStarts(size_t from, int32_t by) {
        if (by == 0 || from >= size()) return;
        if (from_ == kNone) {
            from_ = from;
            by_ = by;
        } else if (from >= from_) {
            Settle(from);
            by_ += by;
        } else {
            for (size_t i = from; i < from_; ++i) lines_[At(i)].Start += by;
            by_ += by;
        }
        if (by_ == 0) Clear();
    }

    // Whole-array operations apply everything pending and close the room first.
    const Vector& All() const {
        Settle(size());
        CloseGap();
        return lines_;
    }
    Vector& All() {
        Settle(size());
        CloseGap();
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
        gapAt_ = gap_ = 0;
    }

private:
    static constexpr size_t kNone = SIZE_MAX;

    // Where line i is stored: behind the room when at or after it.
    size_t At(size_t i) const { return i < gapAt_ ? i : i + gap_; }

    void Clear() const {
        from_ = kNone;
        by_ = 0;
    }
    // Applies the pending move to the lines before `upTo`.
    void Settle(size_t upTo) const {
        if (from_ == kNone) return;
        const size_t n = size();
        for (size_t i = from_; i < upTo && i < n; ++i) lines_[At(i)].Start += by_;
        if (upTo >= n) {
            Clear();
        } else if (upTo > from_) {
            from_ = upTo;
        }
    }
    // The room begins before line `to`.
    void MoveGap(size_t to) const {
        const auto b = lines_.begin();
        const auto gap = static_cast<ptrdiff_t>(gap_);
        const auto from = static_cast<ptrdiff_t>(gapAt_), target = static_cast<ptrdiff_t>(to);
        if (gap_ > 0 && target < from) {
            std::move_backward(b + target, b + from, b + from + gap);
        } else if (gap_ > 0 && target > from) {
            std::move(b + from + gap, b + target + gap, b + from);
        }
        gapAt_ = to;
    }
    void CloseGap() const {
        if (gap_ == 0) return;
        MoveGap(size());
        lines_.resize(size());
        gap_ = 0;
    }
    // Room for at least `n` more lines; grown in proportion to the lines, so growing is rare.
    void Reserve(size_t n) {
        if (gap_ >= n) return;
        const size_t extra = std::max<size_t>(n, std::max<size_t>(64, size() / 8));
        lines_.insert(lines_.begin() + static_cast<ptrdiff_t>(gapAt_ + gap_), extra, tessaly::aLineInfo{});
        gap_ += extra;
    }

    mutable Vector lines_;  // the lines, with room for more before line gapAt_
    mutable size_t gapAt_ = 0;
    mutable size_t gap_ = 0;
    mutable size_t from_ = kNone;  // the first line still to be moved
    mutable int32_t by_ = 0;
};

}  // namespace notaline
