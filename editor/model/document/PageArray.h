#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "records/Records.h"

namespace notaline {

// The page records. An edit moves the first line and character of every page behind it; that move
// is kept pending for the pages from one page on and applied to a page when it is read, so an edit
// costs the pages it paginates again, not all the pages after it. Reading through the array always
// gives the records as they are.
class PageArray {
public:
    using Vector = std::vector<tessaly::aPageInfo>;

    PageArray() = default;
    PageArray(std::initializer_list<tessaly::aPageInfo> pages) : pages_(pages) {}
    PageArray& operator=(std::initializer_list<tessaly::aPageInfo> pages) {
        Clear();
        pages_ = pages;
        return *this;
    }
    PageArray(const PageArray& other) : pages_(other.All()) {}
    PageArray& operator=(const PageArray& other) {
        if (this != &other) {
            pages_ = other.All();
            Clear();
        }
        return *this;
    }
    PageArray(PageArray&& other) noexcept { *this = std::move(other); }
    PageArray& operator=(PageArray&& other) noexcept {
        if (this == &other) return *this;
        pages_ = std::move(other.pages_);
        from_ = other.from_;
        lines_ = other.lines_;
        words_ = other.words_;
        other.clear();
        return *this;
    }

    size_t size() const { return pages_.size(); }
    bool empty() const { return pages_.empty(); }
    const tessaly::aPageInfo& operator[](size_t i) const {
        if (i >= from_) Settle(i + 1);
        return pages_[i];
    }
    tessaly::aPageInfo& operator[](size_t i) {
        if (i >= from_) Settle(i + 1);
        return pages_[i];
    }
    const tessaly::aPageInfo& back() const { return (*this)[size() - 1]; }
    tessaly::aPageInfo& back() { return (*this)[size() - 1]; }

    // Page i's first line without applying anything: for searches over all the pages.
    int32_t StartLineOf(size_t i) const { return pages_[i].StartLine + (i >= from_ ? lines_ : 0); }

    // The first page from `from` on that begins after `line`; size() when none does. Searched
    // without applying the pending move: an edit reads only the pages it paginates again.
    size_t FirstAfter(int32_t line, size_t from = 0) const {
        size_t lo = from, hi = size();
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            (StartLineOf(mid) <= line ? lo = mid + 1 : hi = mid);
        }
        return lo;
    }

    // Pages from `from` on begin `lines` lines and `words` characters further on than they did.
    void Shift(size_t from, int32_t lines, int32_t words) {
        if ((lines == 0 && words == 0) || from >= size()) return;
        if (from_ == kNone) {
            from_ = from;
        } else if (from >= from_) {
            Settle(from);
        } else {
            for (size_t i = from; i < from_; ++i) Move(pages_[i], lines, words);
        }
        lines_ += lines;
        words_ += words;
        if (lines_ == 0 && words_ == 0) Clear();
    }

    // The `count` pages at `at` give way to `with`; the pages behind keep their pending move.
    void Replace(size_t at, size_t count, const Vector& with) {
        at = std::min(at, size());
        count = std::min(count, size() - at);
        if (from_ != kNone && from_ < at + count) Settle(at + count);
        const auto begin = pages_.begin() + static_cast<ptrdiff_t>(at);
        if (count == with.size()) {
            std::copy(with.begin(), with.end(), begin);
            return;
        }
        pages_.insert(pages_.erase(begin, begin + static_cast<ptrdiff_t>(count)), with.begin(), with.end());
        if (from_ != kNone) from_ = from_ - count + with.size();
    }

    // Whole-array operations apply everything pending first.
    const Vector& All() const {
        Settle(size());
        return pages_;
    }
    Vector::const_iterator begin() const { return All().begin(); }
    Vector::const_iterator end() const { return pages_.end(); }

    void push_back(const tessaly::aPageInfo& page) { pages_.push_back(page); }
    void assign(size_t n, const tessaly::aPageInfo& page) {
        Clear();
        pages_.assign(n, page);
    }
    void pop_back() { resize(size() - 1); }
    void resize(size_t n) {
        Settle(std::min(n, size()));
        pages_.resize(n);
        if (from_ >= n) Clear();
    }
    void clear() {
        Clear();
        pages_.clear();
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    static void Move(tessaly::aPageInfo& page, int32_t lines, int32_t words) {
        page.StartLine += lines;
        page.StartWord += words;
    }

    void Settle(size_t upTo) const {
        if (from_ == kNone) return;
        const size_t end = std::min(upTo, size());
        for (size_t i = from_; i < end; ++i) Move(pages_[i], lines_, words_);
        if (end >= size()) {
            Clear();
        } else if (end > from_) {
            from_ = end;
        }
    }
    void Clear() const {
        from_ = kNone;
        lines_ = words_ = 0;
    }

    mutable Vector pages_;
    mutable size_t from_ = kNone;  // the first page still to be moved
    mutable int32_t lines_ = 0;
    mutable int32_t words_ = 0;
};

}  // namespace notaline
