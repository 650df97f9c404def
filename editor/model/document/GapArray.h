#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>

namespace notaline {

// An array of records kept with a gap at the last edit point, so that an insertion or removal
// costs what it touches (and the distance from the previous edit), not the array's length.
// Indexes, records and their order are those of a plain array; only the storage differs.
//
// A run of records may be left out of date (Defer): every access to one of them (index, iterator,
// CopyOut, TakeVector, a copy of the array) first has the settler bring the run up to date from
// its front to at least that record. Insertions and removals move the run with its records.
template <class T>
class GapArray {
    static_assert(std::is_trivially_copyable_v<T>, "records are moved as raw bytes");

public:
    using value_type = T;
    using size_type = size_t;
    using difference_type = ptrdiff_t;
    using reference = T&;
    using const_reference = const T&;

    template <bool Const>
    class Iter {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = ptrdiff_t;
        using Owner = std::conditional_t<Const, const GapArray, GapArray>;
        using reference = std::conditional_t<Const, const T&, T&>;
        using pointer = std::conditional_t<Const, const T*, T*>;

        Iter() = default;
        Iter(Owner* owner, size_t i) : owner_(owner), i_(i) {}
        operator Iter<true>() const { return {owner_, i_}; }

        reference operator*() const { return (*owner_)[i_]; }
        pointer operator->() const { return &(*owner_)[i_]; }
        reference operator[](difference_type n) const { return (*owner_)[i_ + static_cast<size_t>(n)]; }
        Iter& operator++() { ++i_; return *this; }
        Iter operator++(int) { Iter old = *this; ++i_; return old; }
        Iter& operator--() { --i_; return *this; }
        Iter operator--(int) { Iter old = *this; --i_; return old; }
        Iter& operator+=(difference_type n) { i_ += static_cast<size_t>(n); return *this; }
        Iter& operator-=(difference_type n) { i_ -= static_cast<size_t>(n); return *this; }
        friend Iter operator+(Iter it, difference_type n) { return it += n; }
        friend Iter operator+(difference_type n, Iter it) { return it += n; }
        friend Iter operator-(Iter it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iter& a, const Iter& b) {
            return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
        }
        friend bool operator==(const Iter& a, const Iter& b) { return a.i_ == b.i_; }
        friend auto operator<=>(const Iter& a, const Iter& b) { return a.i_ <=> b.i_; }
        size_t Index() const { return i_; }

    private:
        Owner* owner_ = nullptr;
        size_t i_ = 0;
    };
    using iterator = Iter<false>;
    using const_iterator = Iter<true>;

    // Brings records first to at least upTo (of the run first to end) up to date and returns the
    // index it reached. `moved` is how far the run's records have moved since they were deferred.
    using Settler = size_t (*)(void* context, size_t first, size_t upTo, size_t end, ptrdiff_t moved);

    GapArray() = default;
    explicit GapArray(size_t n) : buf_(n), gapStart_(n), gapEnd_(n) {}
    // A copy holds every record up to date and defers nothing.
    GapArray(const GapArray& other)
        : buf_((other.SettleAll(), other.buf_)), gapStart_(other.gapStart_), gapEnd_(other.gapEnd_) {}
    GapArray(GapArray&& other) noexcept
        : buf_((other.SettleAll(), std::move(other.buf_))), gapStart_(other.gapStart_), gapEnd_(other.gapEnd_) {
        other.clear();
    }
    GapArray& operator=(const GapArray& other) {
        if (this != &other) *this = GapArray(other);
        return *this;
    }
    GapArray& operator=(GapArray&& other) noexcept {
        if (this == &other) return *this;
        other.SettleAll();
        Forget();
        settler_ = nullptr;
        buf_ = std::move(other.buf_);
        gapStart_ = other.gapStart_;
        gapEnd_ = other.gapEnd_;
        other.clear();
        return *this;
    }
    // Takes the vector's storage as it is: no copy, the gap made from its spare capacity.
    GapArray(std::vector<T>&& items) { *this = std::move(items); }
    GapArray& operator=(std::vector<T>&& items) {
        Forget();
        buf_ = std::move(items);
        gapStart_ = gapEnd_ = buf_.size();
        // Room the vector already owns costs nothing; some of it saves the first edit a copy.
        const size_t room = std::min(buf_.capacity() - buf_.size(), kMinGap + buf_.size() / 64);
        buf_.resize(buf_.size() + room);
        gapEnd_ = buf_.size();
        return *this;
    }

    size_t size() const { return buf_.size() - Gap(); }
    bool empty() const { return size() == 0; }
    T& operator[](size_t i) {
        if (IsDeferred(i)) [[unlikely]] SettleTo(i + 1);
        return buf_[i < gapStart_ ? i : i + Gap()];
    }
    const T& operator[](size_t i) const {
        if (IsDeferred(i)) [[unlikely]] SettleTo(i + 1);
        return Stored(i);
    }
    // The record as stored, a deferred one not brought up to date: for reading only what the
    // settler never writes, without the cost of settling the run up to it.
    const T& Stored(size_t i) const { return buf_[i < gapStart_ ? i : i + Gap()]; }
    T& front() { return (*this)[0]; }
    T& back() { return (*this)[size() - 1]; }
    const T& back() const { return (*this)[size() - 1]; }

    iterator begin() { return {this, 0}; }
    iterator end() { return {this, size()}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Opens room for n records at pos. What the room holds is unspecified: callers overwrite it.
    void InsertRoom(size_t pos, size_t n) {
        if (n == 0) return;
        if (pos < deferEnd_) {
            // The run stays one run that moved as a whole: the part before pos is settled first.
            if (pos > deferFrom_) SettleTo(pos);
            if (deferFrom_ < deferEnd_) {
                deferFrom_ += n;
                deferEnd_ += n;
                moved_ += static_cast<ptrdiff_t>(n);
            }
        }
        if (Gap() < n) Grow(n);
        MoveGap(pos);
        gapStart_ += n;
    }
    // Removes the n records at pos.
    void Erase(size_t pos, size_t n) {
        if (n == 0) return;
        if (pos < deferEnd_) {
            if (pos > deferFrom_) SettleTo(pos);
            if (deferFrom_ < deferEnd_) {
                // What is left of the run lies behind the removed records.
                const size_t from = std::max(deferFrom_, pos + n);
                if (from >= deferEnd_) {
                    Forget();
                } else {
                    deferFrom_ = from - n;
                    deferEnd_ -= n;
                    moved_ -= static_cast<ptrdiff_t>(n);
                }
            }
        }
        MoveGap(pos);
        gapEnd_ += n;
    }
    // Copies n records from pos on to out, in at most two block copies.
    template <class Out>
    Out CopyOut(size_t pos, size_t n, Out out) const {
        if (n > 0 && pos < deferEnd_ && pos + n > deferFrom_) SettleTo(pos + n);
        const size_t head = pos < gapStart_ ? std::min(n, gapStart_ - pos) : 0;
        out = std::copy_n(buf_.data() + pos, head, out);
        return std::copy_n(buf_.data() + pos + head + Gap(), n - head, out);
    }

    iterator insert(const_iterator at, const T& value) { return insert(at, &value, &value + 1); }
    template <class It>
    iterator insert(const_iterator at, It first, It last) {
        const size_t pos = at.Index();
        const auto n = static_cast<size_t>(std::distance(first, last));
        InsertRoom(pos, n);
        std::copy(first, last, buf_.begin() + static_cast<ptrdiff_t>(pos));
        return {this, pos};
    }
    iterator erase(const_iterator first, const_iterator last) {
        Erase(first.Index(), last.Index() - first.Index());
        return {this, first.Index()};
    }
    // New records are value-initialised, as a vector's would be.
    void resize(size_t n) {
        const size_t old = size();
        if (n < old) {
            Erase(n, old - n);
        } else if (n > old) {
            InsertRoom(old, n - old);
            std::fill(buf_.begin() + static_cast<ptrdiff_t>(old), buf_.begin() + static_cast<ptrdiff_t>(n), T{});
        }
    }
    void push_back(const T& value) { insert(end(), value); }
    T& emplace_back() {
        resize(size() + 1);
        return back();
    }
    void pop_back() { Erase(size() - 1, 1); }
    void clear() {
        Forget();
        buf_.clear();
        gapStart_ = gapEnd_ = 0;
    }

    // The records as one vector; the array is left empty.
    std::vector<T> TakeVector() {
        SettleAll();
        MoveGap(size());
        buf_.resize(gapStart_);
        gapEnd_ = gapStart_;
        std::vector<T> out = std::move(buf_);
        clear();
        return out;
    }

    // Records from to end are out of date until the settler (called with context) brings them up
    // to date; joined with a run deferred before into one run from the first to the last of both.
    // Called when the settler would place every record of both runs where it now stands.
    void Defer(size_t from, size_t end, Settler settler, void* context) {
        end = std::min(end, size());
        if (from >= end || settler == nullptr) return;
        if (deferFrom_ < deferEnd_) {
            from = std::min(from, deferFrom_);
            end = std::max(end, deferEnd_);
        }
        deferFrom_ = from;
        deferEnd_ = end;
        moved_ = 0;
        settler_ = settler;
        context_ = context;
    }
    // The run deferred, which is no longer settled on access: the caller brings it up to date
    // or defers it again.
    std::pair<size_t, size_t> TakeDeferred() {
        const std::pair<size_t, size_t> run{deferFrom_, deferEnd_};
        Forget();
        return run;
    }
    bool HasDeferred() const { return deferFrom_ < deferEnd_; }
    // Everything up to date.
    void SettleAll() const {
        if (deferFrom_ < deferEnd_) SettleTo(deferEnd_);
    }

private:
    static constexpr size_t kMinGap = 256;

    bool IsDeferred(size_t i) const { return i - deferFrom_ < deferEnd_ - deferFrom_; }
    void Forget() const {
        deferFrom_ = deferEnd_ = 0;
        moved_ = 0;
    }
    // The run settled from its front to at least upTo. While the settler runs, nothing counts as
    // deferred, so that it reads and writes the records freely.
    void SettleTo(size_t upTo) const {
        const size_t from = deferFrom_, end = deferEnd_;
        const ptrdiff_t moved = moved_;
        Forget();
        const size_t reached = settler_(context_, from, std::min(upTo, end), end, moved);
        if (reached < end) {
            deferFrom_ = std::max(reached, from);
            deferEnd_ = end;
            moved_ = moved;
        }
    }

    size_t Gap() const { return gapEnd_ - gapStart_; }

    // One block move of the records between the gap and pos.
    void MoveGap(size_t pos) {
        if (pos < gapStart_) {
            const size_t n = gapStart_ - pos;
            std::memmove(static_cast<void*>(buf_.data() + gapEnd_ - n), buf_.data() + pos, n * sizeof(T));
            gapStart_ = pos;
            gapEnd_ -= n;
        } else if (pos > gapStart_) {
            const size_t n = pos - gapStart_;
            std::memmove(static_cast<void*>(buf_.data() + gapStart_), buf_.data() + gapEnd_, n * sizeof(T));
            gapStart_ += n;
            gapEnd_ += n;
        }
    }

    // A new gap of at least n, in proportion to the array so that growing stays rare.
    void Grow(size_t n) {
        const size_t count = size();
        const size_t gap = std::max({n, kMinGap, count / 8});
        std::vector<T> grown(count + gap);
        const size_t tail = buf_.size() - gapEnd_;
        std::copy_n(buf_.data(), gapStart_, grown.data());
        std::copy_n(buf_.data() + gapEnd_, tail, grown.data() + grown.size() - tail);
        buf_ = std::move(grown);
        gapEnd_ = buf_.size() - tail;
    }

    std::vector<T> buf_;  // the records before the gap, the gap, the records after it
    size_t gapStart_ = 0;
    size_t gapEnd_ = 0;
    mutable size_t deferFrom_ = 0;  // the run out of date; empty when not below deferEnd_
    mutable size_t deferEnd_ = 0;
    mutable ptrdiff_t moved_ = 0;
    Settler settler_ = nullptr;
    void* context_ = nullptr;
};

}  // namespace notaline
