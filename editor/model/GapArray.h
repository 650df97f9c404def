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

    GapArray() = default;
    explicit GapArray(size_t n) : buf_(n), gapStart_(n), gapEnd_(n) {}
    // Takes the vector's storage as it is: no copy, the gap made from its spare capacity.
    GapArray(std::vector<T>&& items) { *this = std::move(items); }
    GapArray& operator=(std::vector<T>&& items) {
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
    T& operator[](size_t i) { return buf_[i < gapStart_ ? i : i + Gap()]; }
    const T& operator[](size_t i) const { return buf_[i < gapStart_ ? i : i + Gap()]; }
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
        if (Gap() < n) Grow(n);
        MoveGap(pos);
        gapStart_ += n;
    }
    // Removes the n records at pos.
    void Erase(size_t pos, size_t n) {
        if (n == 0) return;
        MoveGap(pos);
        gapEnd_ += n;
    }
    // Copies n records from pos on to out, in at most two block copies.
    template <class Out>
    Out CopyOut(size_t pos, size_t n, Out out) const {
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
        buf_.clear();
        gapStart_ = gapEnd_ = 0;
    }

    // The records as one vector; the array is left empty.
    std::vector<T> TakeVector() {
        MoveGap(size());
        buf_.resize(gapStart_);
        gapEnd_ = gapStart_;
        std::vector<T> out = std::move(buf_);
        clear();
        return out;
    }

private:
    static constexpr size_t kMinGap = 256;

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
};

}  // namespace notaline
