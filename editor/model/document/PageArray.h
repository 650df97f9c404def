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
//
// The pages an edit paginated again to the end are kept aside, so that the next edit that brings
// their lines back as they were (an undo, a redo) takes them over instead of paginating again:
// an edit that adds or removes lines moves every later page break, so no page of its own is
// found behind it. Anything but the pagination's own calls drops them.
class PageArray {
public:
    using Vector = std::vector<tessaly::aPageInfo>;

    // How an edit moved the lines: from line FromLine on (numbered after the edit) they are those
    // before it, Lines lines and Words characters further on.
    struct Moved {
        int32_t Lines = 0;
        int32_t Words = 0;
        int32_t FromLine = 0;
    };
    static constexpr size_t kNoPage = static_cast<size_t>(-1);

    PageArray() = default;
    PageArray(std::initializer_list<tessaly::aPageInfo> pages) : pages_(pages) {}
    PageArray& operator=(std::initializer_list<tessaly::aPageInfo> pages) {
        Clear();
        DropSpare();
        pages_ = pages;
        return *this;
    }
    PageArray(const PageArray& other) : pages_(other.All()) {}
    PageArray& operator=(const PageArray& other) {
        if (this != &other) {
            pages_ = other.All();
            Clear();
            DropSpare();
        }
        return *this;
    }
    PageArray(PageArray&& other) noexcept { *this = std::move(other); }
    PageArray& operator=(PageArray&& other) noexcept {
        if (this == &other) return *this;
        pages_ = std::move(other.pages_);
        DropSpare();
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
        DropSpare();
        ShiftPages(from, lines, words);
    }

    // The `count` pages at `at` give way to `with`; the pages behind keep their pending move.
    void Replace(size_t at, size_t count, const Vector& with) {
        DropSpare();
        Splice(at, count, with);
    }

    // An edit's pagination: the `count` pages at `at` give way to `with`, and the pages behind, whose
    // lines the edit moved, move with them. The pages kept aside move too.
    void Replace(size_t at, size_t count, const Vector& with, const Moved& moved) {
        Splice(at, count, with);
        ShiftPages(at + with.size(), moved.Lines, moved.Words);
        spare_.Lines += moved.Lines;
        spare_.Words += moved.Words;
        spare_.FromLine = std::max(spare_.FromLine + moved.Lines, moved.FromLine);
    }
    // An edit's pagination to the end: the pages from `at` on give way to `with` and are kept aside.
    void ReplaceTail(size_t at, const Vector& with, const Moved& moved) {
        at = std::min(at, size());
        if (size() - at > at + with.size()) {
            // A long tail is kept aside where it is, its pages' move pending: only the pages
            // before it and `with` are copied.
            const auto [lines, words] = LeaveTailBehind(at);
            pages_.swap(spare_.Pages);
            pages_.assign(spare_.Pages.begin(), spare_.Pages.begin() + static_cast<ptrdiff_t>(at));
            pages_.insert(pages_.end(), with.begin(), with.end());
            spare_.Offset = at;
            spare_.Lines = lines + moved.Lines;
            spare_.Words = words + moved.Words;
            spare_.FromLine = moved.FromLine;
            return;
        }
        Settle(size());
        spare_.Offset = 0;
        spare_.Pages.assign(pages_.begin() + static_cast<ptrdiff_t>(at), pages_.end());
        spare_.Lines = moved.Lines;
        spare_.Words = moved.Words;
        spare_.FromLine = moved.FromLine;
        pages_.resize(at);
        pages_.insert(pages_.end(), with.begin(), with.end());
    }

    // The page kept aside that begins at `line`, numbered as before the edit being paginated, from
    // page `from` on; kNoPage when none does. `from` is where the search went on, as the lines
    // asked about only grow.
    size_t SpareBeginningAt(int32_t line, size_t& from) const {
        const auto& pages = spare_.Pages;
        if (line < spare_.FromLine) return kNoPage;
        from = std::max(from, spare_.Offset);
        const int32_t stored = line - spare_.Lines;
        for (int step = 0; from < pages.size() && pages[from].StartLine < stored; ++from)
            if (++step == 4) {
                from = static_cast<size_t>(
                    std::partition_point(pages.begin() + static_cast<ptrdiff_t>(from), pages.end(),
                                         [&](const tessaly::aPageInfo& p) { return p.StartLine < stored; }) -
                    pages.begin());
                break;
            }
        return from < pages.size() && pages[from].StartLine == stored ? from : kNoPage;
    }
    // As ReplaceTail, the pages kept aside from page `spare` on following `with`: those two sets of
    // pages change places.
    void ReplaceTailFromSpare(size_t at, const Vector& with, size_t spare, const Moved& moved) {
        at = std::min(at, size());
        const size_t head = at + with.size();
        if (size() - at > head && spare >= head && spare < spare_.Pages.size()) {
            // The two long tails change places without being copied: the pages kept aside take
            // the pages before `at` and `with` in front of them, the tail is kept aside as it is.
            const auto [lines, words] = LeaveTailBehind(at);
            const int32_t keptLines = spare_.Lines + moved.Lines, keptWords = spare_.Words + moved.Words;
            Vector& kept = spare_.Pages;
            const auto front = kept.begin() + static_cast<ptrdiff_t>(spare - head);
            std::copy(with.begin(), with.end(),
                      std::copy(pages_.begin(), pages_.begin() + static_cast<ptrdiff_t>(at), front));
            kept.erase(kept.begin(), front);
            pages_.swap(kept);
            spare_.Offset = at;
            spare_.Lines = lines + moved.Lines;
            spare_.Words = words + moved.Words;
            spare_.FromLine = moved.FromLine;
            if (head < size() && (keptLines != 0 || keptWords != 0)) {
                from_ = head;
                lines_ = keptLines;
                words_ = keptWords;
            }
            return;
        }
        Settle(size());
        scratch_.assign(pages_.begin() + static_cast<ptrdiff_t>(at), pages_.end());
        pages_.resize(at);
        pages_.insert(pages_.end(), with.begin(), with.end());
        const size_t taken = pages_.size();
        pages_.insert(pages_.end(), spare_.Pages.begin() + static_cast<ptrdiff_t>(std::min(spare, spare_.Pages.size())),
                      spare_.Pages.end());
        const int32_t lines = spare_.Lines + moved.Lines, words = spare_.Words + moved.Words;
        spare_.Pages.swap(scratch_);
        spare_.Offset = 0;
        spare_.Lines = moved.Lines;
        spare_.Words = moved.Words;
        spare_.FromLine = moved.FromLine;
        if (taken < size() && (lines != 0 || words != 0)) {
            from_ = taken;
            lines_ = lines;
            words_ = words;
        }
    }

    // Whole-array operations apply everything pending first.
    const Vector& All() const {
        Settle(size());
        return pages_;
    }
    Vector::const_iterator begin() const { return All().begin(); }
    Vector::const_iterator end() const { return pages_.end(); }

    void push_back(const tessaly::aPageInfo& page) {
        DropSpare();
        pages_.push_back(page);
    }
    void assign(size_t n, const tessaly::aPageInfo& page) {
        Clear();
        DropSpare();
        pages_.assign(n, page);
    }
    void pop_back() { resize(size() - 1); }
    void resize(size_t n) {
        DropSpare();
        Settle(std::min(n, size()));
        pages_.resize(n);
        if (from_ >= n) Clear();
    }
    void clear() {
        Clear();
        DropSpare();
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
    void ShiftPages(size_t from, int32_t lines, int32_t words) {
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
    // The pages before `at` up to date and those from `at` on all behind by the move it returns
    // (lines, characters), nothing pending: what it costs is the pages between `at` and the first
    // page still to be moved.
    std::pair<int32_t, int32_t> LeaveTailBehind(size_t at) {
        if (from_ == kNone) return {0, 0};
        const int32_t lines = lines_, words = words_;
        for (size_t i = from_; i < at; ++i) Move(pages_[i], lines, words);
        for (size_t i = at; i < from_ && i < size(); ++i) Move(pages_[i], -lines, -words);
        Clear();
        return {lines, words};
    }
    void DropSpare() {
        spare_.Offset = 0;
        spare_.Pages.clear();
        spare_.Lines = spare_.Words = spare_.FromLine = 0;
    }
    void Splice(size_t at, size_t count, const Vector& with) {
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

    mutable Vector pages_;
    mutable size_t from_ = kNone;  // the first page still to be moved
    mutable int32_t lines_ = 0;
    mutable int32_t words_ = 0;
    // The pages kept aside, as they were paginated: Lines and Words are how far their lines moved
    // since, FromLine the first line (numbered now) from which on the lines are theirs.
    struct Spare {
        Vector Pages;
        size_t Offset = 0;  // the pages before it are not kept aside
        int32_t Lines = 0;
        int32_t Words = 0;
        int32_t FromLine = 0;
    } spare_;
    Vector scratch_;  // keeps its memory for the next change of places
};

}  // namespace notaline
