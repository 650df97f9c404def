#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "records/Numbers.h"
#include "records/Records.h"

namespace notaline {

// The line records. Every edit moves the first character of each line behind it; that move is
// kept pending for the lines from one line on and applied to a line when it is read, so an edit
// costs the lines it touches and those read since, not all the lines after it. Reading through
// the array always gives the records as they are. Room for lines is kept where the last edit was.
//
// The vertical boxes (Top, Bottom) of a run of lines may be left out of date (DeferBoxes): a line
// of the run read through the array first has the settler bring the run up to date from its front
// to that line. Beside each line is kept how many lines and characters a page that begins with it holds (Jump),
// learnt by pagination, so that pages moved by an edit are paginated again a page at a time.
//
// One line may be cut short (CutLine): a key in a long paragraph breaks it only past the pages in
// view and ends the last new line where an old one ended, so the old lines behind hold as they are.
// Every line still fits and the lines cover the characters; breaking the paragraph again from the
// cut line (when idle, or before the lines are shown, printed or saved) joins what the cut left.
class LineArray {
public:
    using Vector = std::vector<tessaly::aLineInfo>;
    using const_iterator = Vector::const_iterator;

    // Settles a box run from `from` to at least upTo.
    using BoxSettler = void (*)(void* context, size_t from, size_t upTo);

    LineArray() = default;
    LineArray(Vector lines) : lines_(std::move(lines)) {}
    // A copy holds every line up to date and defers nothing: the settler's context is the original's.
    LineArray(const LineArray& other) { *this = other; }
    LineArray(LineArray&& other) noexcept { *this = std::move(other); }
    LineArray& operator=(const LineArray& other) {
        if (this != &other) Take(other, other.lines_, other.jumps_);
        return *this;
    }
    LineArray& operator=(LineArray&& other) noexcept {
        if (this == &other) return *this;
        Take(other, std::move(other.lines_), std::move(other.jumps_));
        other.clear();
        return *this;
    }
    LineArray& operator=(Vector&& lines) {
        lines_ = std::move(lines);
        Clear();
        ForgetBoxes();
        ForgetAllJumps();
        ForgetCount();
        ForgetCutLine();
        gapAt_ = gap_ = 0;
        return *this;
    }

    size_t size() const { return lines_.size() - gap_; }
    bool empty() const { return size() == 0; }
    const tessaly::aLineInfo& operator[](size_t i) const {
        if (i >= from_) Settle(i + 1);
        if (i - boxFrom_ < boxEnd_ - boxFrom_) [[unlikely]]
            SettleBoxes(i + 1);
        return lines_[At(i)];
    }
    tessaly::aLineInfo& operator[](size_t i) {
        if (i >= from_) Settle(i + 1);
        if (i - boxFrom_ < boxEnd_ - boxFrom_) [[unlikely]]
            SettleBoxes(i + 1);
        return lines_[At(i)];
    }
    const tessaly::aLineInfo& back() const { return (*this)[size() - 1]; }

    // Line i's first character without applying anything: for searches over all the lines.
    int32_t StartOf(size_t i) const { return lines_[At(i)].Start + (i >= from_ ? by_ : 0); }
    // Line i as stored, its Start possibly not yet moved and its box possibly out of date: for what
    // reads or writes neither.
    const tessaly::aLineInfo& Unmoved(size_t i) const { return lines_[At(i)]; }
    tessaly::aLineInfo& Unmoved(size_t i) { return lines_[At(i)]; }

    // The `count` lines at `at` give way to `with`. The room for lines stays where the last edit
    // was, so a change in the count of lines moves only those between this edit and the last, not
    // all the lines behind; a move pending for those stays pending.
    // The new lines' boxes are out of date when a box run reached them; their page lengths unknown.
    void Replace(size_t at, size_t count, const Vector& with) {
        at = std::min(at, size());
        count = std::min(count, size() - at);
        if (at < countLine_) ParaEndsBefore(at);
        if (from_ != kNone && from_ < at + count) Settle(at + count);
        MoveGap(at + count);
        if (with.size() > count) Reserve(with.size() - count);
        // The replaced lines end where the room begins: the room grows or shrinks at its front.
        gapAt_ = at + with.size();
        gap_ = gap_ + count - with.size();
        std::copy(with.begin(), with.end(), lines_.begin() + static_cast<ptrdiff_t>(at));
        if (jumpsKnown_) std::fill_n(jumps_.begin() + static_cast<ptrdiff_t>(at), with.size(), PageJump{});
        if (from_ != kNone) from_ = from_ - count + with.size();
        // A cut line replaced goes with its lines; one behind moves with them.
        if (cut_ != kNone && cut_ >= at) cut_ = cut_ < at + count ? kNone : cut_ - count + with.size();
        if (boxFrom_ < boxEnd_) {
            const size_t n = with.size();
            boxFrom_ = boxFrom_ <= at ? boxFrom_ : boxFrom_ >= at + count ? boxFrom_ - count + n : at;
            boxEnd_ = boxEnd_ <= at ? boxEnd_ : boxEnd_ >= at + count ? boxEnd_ - count + n : at + n;
            if (boxFrom_ >= boxEnd_) ForgetBoxes();
        }
    }

    // Boxes of the lines from..end are out of date until the settler (called with context) brings
    // them; joined with a run deferred before into one run from the first to the last of both.
    void DeferBoxes(size_t from, size_t end, BoxSettler settler, void* context) {
        end = std::min(end, size());
        if (from >= end) return;
        if (boxFrom_ < boxEnd_) {
            from = std::min(from, boxFrom_);
            end = std::max(end, boxEnd_);
        }
        boxFrom_ = from;
        boxEnd_ = end;
        boxSettler_ = settler;
        boxContext_ = context;
    }
    bool HasDeferredBoxes() const { return boxFrom_ < boxEnd_; }
    // Every box is up to date without the settler: nothing is left to bring.
    void ForgetBoxes() const { boxFrom_ = boxEnd_ = 0; }

    // The line cut short, kNone when none is.
    size_t CutLine() const { return cut_; }
    bool HasCutLine() const { return cut_ != kNone; }
    void SetCutLine(size_t i) { cut_ = i < size() ? i : kNone; }
    void ForgetCutLine() { cut_ = kNone; }

    // How many lines a page that begins with line i holds, learnt for pages `height` high; 0 when
    // not known.
    int32_t Jump(size_t i, float height) const {
        return jumpsKnown_ && height == jumpHeight_ ? jumps_[At(i)].Lines : 0;
    }
    // The characters of that page, where Jump knows its lines.
    int32_t JumpWords(size_t i) const { return jumps_[At(i)].Words; }
    void SetJump(size_t i, int32_t lines, int32_t words, float height) {
        if (!jumpsKnown_ || height != jumpHeight_) {
            jumps_.assign(lines_.size(), PageJump{});
            jumpsKnown_ = true;
            jumpHeight_ = height;
            maxJump_ = 0;
        }
        jumps_[At(i)] = {lines, words};
        maxJump_ = std::max(maxJump_, lines);
    }
    // Lines first to last changed: no page that holds one of them is known any longer.
    void ForgetJumps(size_t first, size_t last) {
        if (!jumpsKnown_ || empty()) return;
        last = std::min(last, size() - 1);
        for (size_t i = first; i <= last; ++i) jumps_[At(i)] = {};
        const size_t reach = first - std::min(first, static_cast<size_t>(maxJump_));
        for (size_t i = first; i-- > reach;)
            if (i + static_cast<size_t>(jumps_[At(i)].Lines) >= first) jumps_[At(i)] = {};
    }
    void ForgetAllJumps() {
        jumpsKnown_ = false;
        jumps_.clear();
    }

    // How many lines before line i end a paragraph, counted from the line of the last count: a
    // count near the last edit costs the distance. A line changed in place must be behind that line.
    int32_t ParaEndsBefore(size_t i) const {
        i = std::min(i, size());
        while (countLine_ < i) countValue_ += tessaly::IsTrue(lines_[At(countLine_++)].LineIsCtl) ? 1 : 0;
        while (countLine_ > i) countValue_ -= tessaly::IsTrue(lines_[At(--countLine_)].LineIsCtl) ? 1 : 0;
        return countValue_;
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

    // Whole-array operations apply everything pending and close the room first. What may change
    // the lines through the vector leaves no page length known.
    const Vector& All() const {
        SettleBoxes(size());
        Settle(size());
        CloseGap();
        return lines_;
    }
    Vector& All() {
        SettleBoxes(size());
        Settle(size());
        CloseGap();
        ForgetAllJumps();
        ForgetCount();
        ForgetCutLine();
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
        ForgetBoxes();
        ForgetAllJumps();
        ForgetCount();
        ForgetCutLine();
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
    void ForgetCount() { countLine_ = 0, countValue_ = 0; }

    // The other's lines, brought up to date first, with what is known of them.
    template <class Lines, class Jumps>
    void Take(const LineArray& other, Lines&& lines, Jumps&& jumps) {
        other.SettleBoxes(other.size());
        other.Settle(other.size());
        lines_ = std::forward<Lines>(lines);
        jumps_ = std::forward<Jumps>(jumps);
        jumpsKnown_ = other.jumpsKnown_;
        jumpHeight_ = other.jumpHeight_;
        maxJump_ = other.maxJump_;
        countLine_ = other.countLine_;
        countValue_ = other.countValue_;
        cut_ = other.cut_;
        gapAt_ = other.gapAt_;
        gap_ = other.gap_;
        Clear();
        ForgetBoxes();
    }

    // The box run settled from its front to at least upTo. While the settler runs nothing counts
    // as deferred, so that it reads and writes the lines freely.
    void SettleBoxes(size_t upTo) const {
        if (boxFrom_ >= boxEnd_ || upTo <= boxFrom_) return;
        const size_t from = boxFrom_, end = boxEnd_;
        ForgetBoxes();
        upTo = std::min(upTo, end);
        boxSettler_(boxContext_, from, upTo);
        if (upTo < end) {
            boxFrom_ = upTo;
            boxEnd_ = end;
        }
    }

    // The room begins before line `to`; the page lengths move with their lines.
    void MoveGap(size_t to) const {
        MoveGapOf(lines_, to);
        if (jumpsKnown_) MoveGapOf(jumps_, to);
        gapAt_ = to;
    }
    template <class V>
    void MoveGapOf(V& v, size_t to) const {
        const auto b = v.begin();
        const auto gap = static_cast<ptrdiff_t>(gap_);
        const auto from = static_cast<ptrdiff_t>(gapAt_), target = static_cast<ptrdiff_t>(to);
        if (gap_ > 0 && target < from) {
            std::move_backward(b + target, b + from, b + from + gap);
        } else if (gap_ > 0 && target > from) {
            std::move(b + from + gap, b + target + gap, b + from);
        }
    }
    void CloseGap() const {
        if (gap_ == 0) return;
        MoveGap(size());
        lines_.resize(size());
        if (jumpsKnown_) jumps_.resize(lines_.size());
        gap_ = 0;
    }
    // Room for at least `n` more lines; grown in proportion to the lines, so growing is rare.
    void Reserve(size_t n) {
        if (gap_ >= n) return;
        const size_t extra = std::max<size_t>(n, std::max<size_t>(64, size() / 8));
        const auto at = static_cast<ptrdiff_t>(gapAt_ + gap_);
        lines_.insert(lines_.begin() + at, extra, tessaly::aLineInfo{});
        if (jumpsKnown_) jumps_.insert(jumps_.begin() + at, extra, PageJump{});
        gap_ += extra;
    }

    mutable Vector lines_;  // the lines, with room for more before line gapAt_
    // Kept apart from the lines, so that paginating by known pages reads only these.
    struct PageJump {
        int32_t Lines = 0;
        int32_t Words = 0;
    };
    mutable std::vector<PageJump> jumps_;  // beside each line, laid out as lines_
    bool jumpsKnown_ = false;
    float jumpHeight_ = 0;  // the page height the page lengths hold for
    int32_t maxJump_ = 0;
    mutable size_t countLine_ = 0;  // ParaEndsBefore's last line and count
    mutable int32_t countValue_ = 0;
    mutable size_t boxFrom_ = 0;  // the lines whose boxes are out of date; none when not below boxEnd_
    mutable size_t boxEnd_ = 0;
    BoxSettler boxSettler_ = nullptr;
    void* boxContext_ = nullptr;
    mutable size_t gapAt_ = 0;
    mutable size_t gap_ = 0;
    mutable size_t from_ = kNone;  // the first line still to be moved
    size_t cut_ = kNone;           // the line cut short
    mutable int32_t by_ = 0;
};

}  // namespace notaline
