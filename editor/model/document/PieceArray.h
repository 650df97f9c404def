#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace notaline {

// An array of records kept in pieces, each a run of a shared buffer, so that an insertion or
// removal costs what it touches and the number of pieces, never the distance from the last edit
// or the array's length. Indexes, records and their order are those of a plain array.
//
// Snap() takes the records as they are for another thread without copying them: the buffers the
// snapshot reads are pinned, and a write to a pinned piece first copies a small window of it into
// a fresh buffer. A buffer handed over by a reader becomes the first piece as it is.
//
// What holds, and what a caller may rely on:
// - A piece owns its tail: no other piece reads records off + len to off + cap of its buffer, so
//   the piece grows into them in place. Sanitizer builds check it after every change of the list.
// - A reference or pointer from [], an iterator or Run() is valid until the array changes its
//   length or is snapped: after Snap() a write through one kept from before lands in the buffer
//   the snapshot reads. Take a new one after either.
// - A const read may change the array: reading a deferred record settles its run, which writes
//   records and may rebuild the piece list (a pinned piece is copied before it is written).
//
// Runs of records may be left out of date (Defer): every access to one of them (index, iterator,
// CopyOut, a copy of the array, a snapshot) first has the settler bring that run up to date from
// its front to at least that record; the other runs stay as they are, so a read costs the run it
// reads, not the distance to the farthest run. Insertions and removals move each run with its
// records.
template <class T, size_t kPiece = 1024>
class PieceArray {
    static_assert(std::is_trivially_copyable_v<T>, "records are moved as raw bytes");
    static_assert(kPiece >= 4);

    struct Buffer {
        explicit Buffer(std::vector<T>&& v) : items(std::move(v)) {}
        std::vector<T> items;
        std::atomic<int32_t> pins{0};  // snapshots reading it; written only while none does
    };
    // The records off to off + len of buf; the piece may grow in place up to off + cap.
    struct Piece {
        std::shared_ptr<Buffer> buf;
        size_t off = 0;
        size_t len = 0;
        size_t cap = 0;
        T* data() const { return buf->items.data() + off; }
    };

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
        using Owner = std::conditional_t<Const, const PieceArray, PieceArray>;
        using reference = std::conditional_t<Const, const T&, T&>;
        using pointer = std::conditional_t<Const, const T*, T*>;

        Iter() = default;
        Iter(Owner* owner, size_t i) : owner_(owner), i_(i) {}
        operator Iter<true>() const { return {owner_, i_}; }

        reference operator*() const { return (*owner_)[i_]; }
        pointer operator->() const { return &(*owner_)[i_]; }
        reference operator[](difference_type n) const { return (*owner_)[i_ + static_cast<size_t>(n)]; }
        Iter& operator++() {
            ++i_;
            return *this;
        }
        Iter operator++(int) {
            Iter old = *this;
            ++i_;
            return old;
        }
        Iter& operator--() {
            --i_;
            return *this;
        }
        Iter operator--(int) {
            Iter old = *this;
            --i_;
            return old;
        }
        Iter& operator+=(difference_type n) {
            i_ += static_cast<size_t>(n);
            return *this;
        }
        Iter& operator-=(difference_type n) {
            i_ -= static_cast<size_t>(n);
            return *this;
        }
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

    // The records as they were when taken, readable from any thread while the array goes on
    // changing; what it reads stays pinned until it is destroyed.
    class Snapshot {
    public:
        Snapshot() = default;
        Snapshot(const Snapshot&) = delete;
        Snapshot& operator=(const Snapshot&) = delete;
        Snapshot(Snapshot&& other) noexcept : parts_(std::move(other.parts_)), size_(other.size_) { other.size_ = 0; }
        Snapshot& operator=(Snapshot&& other) noexcept {
            if (this != &other) {
                Release();
                parts_ = std::move(other.parts_);
                size_ = std::exchange(other.size_, 0);
            }
            return *this;
        }
        ~Snapshot() { Release(); }

        size_t size() const { return size_; }
        template <class Out>
        Out CopyOut(size_t pos, size_t n, Out out) const {
            for (const Piece& p : parts_) {
                if (n == 0) break;
                if (pos >= p.len) {
                    pos -= p.len;
                    continue;
                }
                const size_t take = std::min(n, p.len - pos);
                out = std::copy_n(p.data() + pos, take, out);
                n -= take;
                pos = 0;
            }
            return out;
        }

    private:
        friend class PieceArray;
        void Release() {
            for (const Piece& p : parts_) p.buf->pins.fetch_sub(1, std::memory_order_release);
            parts_.clear();
            size_ = 0;
        }
        std::vector<Piece> parts_;
        size_t size_ = 0;
    };

    // Brings records first to at least upTo (of the run first to end) up to date and returns the
    // index it reached. `moved` is how far the run's records have moved since they were deferred.
    using Settler = size_t (*)(void* context, size_t first, size_t upTo, size_t end, ptrdiff_t moved);
    // The runs deferred, first to end each, in their order.
    using Runs = std::vector<std::pair<size_t, size_t>>;

    static constexpr size_t kPieceSize = kPiece;

    PieceArray() = default;
    explicit PieceArray(size_t n) { *this = std::vector<T>(n); }
    // A copy holds every record up to date in one buffer of its own and defers nothing.
    PieceArray(const PieceArray& other) {
        std::vector<T> all(other.size());
        other.CopyOut(0, all.size(), all.begin());
        *this = std::move(all);
    }
    PieceArray(PieceArray&& other) noexcept { *this = std::move(other); }
    PieceArray& operator=(const PieceArray& other) {
        if (this != &other) *this = PieceArray(other);
        return *this;
    }
    PieceArray& operator=(PieceArray&& other) noexcept {
        if (this == &other) return *this;
        other.SettleAll();
        Forget();
        settler_ = nullptr;
        pieces_ = std::move(other.pieces_);
        starts_ = std::move(other.starts_);
        hint_ = 0;
        other.clear();
        return *this;
    }
    // Takes the vector's storage as it is: no copy, the vector becomes the first piece.
    PieceArray(std::vector<T>&& items) { *this = std::move(items); }
    PieceArray& operator=(std::vector<T>&& items) {
        clear();
        Append(std::move(items));
        return *this;
    }
    // Adds the vector's storage as it is after the last piece, as the readers fill it.
    void Append(std::vector<T>&& items) {
        SettleAll();
        const size_t n = items.size();
        if (n > 0) pieces_.push_back(Piece{std::make_shared<Buffer>(std::move(items)), 0, n, n});
        Restart(pieces_.empty() ? 0 : pieces_.size() - 1);
    }

    size_t size() const { return starts_.empty() ? 0 : starts_.back(); }
    bool empty() const { return size() == 0; }
    T& operator[](size_t i) {
        if (IsDeferred(i)) [[unlikely]]
            SettleRun(RunOf(i), i + 1);
        size_t k = Find(i);
        if (Pinned(k)) [[unlikely]]
            k = Isolate(k, i);
        return pieces_[k].data()[i - starts_[k]];
    }
    const T& operator[](size_t i) const {
        if (IsDeferred(i)) [[unlikely]]
            SettleRun(RunOf(i), i + 1);
        return Stored(i);
    }
    // The record as stored, a deferred one not brought up to date: for reading only what the
    // settler never writes, without the cost of settling the run up to it.
    const T& Stored(size_t i) const {
        const size_t k = Find(i);
        return pieces_[k].data()[i - starts_[k]];
    }
    // Record i (below size()) and those after it up to `end`, in one run of memory, up to date and
    // writable as [] leaves them: for loops over many records, which would otherwise pay a look-up
    // each. Valid until the array changes its length or is snapped.
    T* Run(size_t i, size_t& end) {
        size_t k = Find(i);
        if (i < deferEnd_ && starts_[k + 1] > deferFrom_) [[unlikely]] {
            SettleRange(i, starts_[k + 1]);
            k = Find(i);
        }
        if (Pinned(k)) [[unlikely]]
            k = Isolate(k, i);
        end = starts_[k + 1];
        return pieces_[k].data() + (i - starts_[k]);
    }
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
        MoveDeferralsFrom(pos, n);
        Open(pos, n);
    }
    // Removes the n records at pos.
    void Erase(size_t pos, size_t n) {
        if (n == 0) return;
        if (pos < deferEnd_) {
            SplitAt(pos);
            std::vector<Deferral> kept;
            for (const Deferral& r : runs_) {
                if (r.end <= pos) {
                    kept.push_back(r);
                    continue;
                }
                // What is left of the run lies behind the removed records.
                const size_t from = std::max(r.from, pos + n);
                if (from < r.end) kept.push_back({from - n, r.end - n, r.moved - static_cast<ptrdiff_t>(n)});
            }
            runs_ = std::move(kept);
            Rehull();
        }
        Remove(pos, n);
    }
    // Copies n records from pos on to out, a block copy a piece.
    template <class Out>
    Out CopyOut(size_t pos, size_t n, Out out) const {
        if (n > 0 && pos < deferEnd_ && pos + n > deferFrom_) SettleRange(pos, pos + n);
        for (size_t k = n > 0 ? Find(pos) : pieces_.size(); k < pieces_.size() && n > 0; ++k) {
            const size_t at = pos - starts_[k], take = std::min(n, pieces_[k].len - at);
            out = std::copy_n(pieces_[k].data() + at, take, out);
            pos += take;
            n -= take;
        }
        return out;
    }

    iterator insert(const_iterator at, const T& value) { return insert(at, &value, &value + 1); }
    template <class It>
    iterator insert(const_iterator at, It first, It last) {
        const size_t pos = at.Index();
        const auto n = static_cast<size_t>(std::distance(first, last));
        InsertRoom(pos, n);
        Fill(pos, n, [&](T* to, size_t count) {
            to = std::copy_n(first, count, to);
            std::advance(first, count);
        });
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
            Fill(old, n - old, [](T* to, size_t count) { std::fill_n(to, count, T{}); });
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
        pieces_.clear();
        starts_.clear();
        hint_ = 0;
    }

    // The records as one vector; the array is left empty. A lone buffer is handed over as it is.
    std::vector<T> TakeVector() {
        SettleAll();
        std::vector<T> out;
        if (pieces_.size() == 1 && pieces_[0].off == 0 && !Pinned(0) && pieces_[0].buf.use_count() == 1) {
            out = std::move(pieces_[0].buf->items);
            out.resize(pieces_[0].len);
        } else {
            out.resize(size());
            CopyOut(0, out.size(), out.begin());
        }
        clear();
        return out;
    }

    // Records pos to pos + n - 1 up to date, pinned for reading elsewhere as a snapshot of their
    // own (its index 0 is pos): only the pieces they lie in are pinned.
    Snapshot SnapRange(size_t pos, size_t n) const {
        if (n > 0 && pos < deferEnd_ && pos + n > deferFrom_) SettleRange(pos, pos + n);
        Snapshot s;
        for (size_t k = n > 0 ? Find(pos) : pieces_.size(); k < pieces_.size() && n > 0; ++k) {
            const size_t at = pos - starts_[k], take = std::min(n, pieces_[k].len - at);
            Piece part = pieces_[k];
            part.off += at;
            part.len = part.cap = take;
            part.buf->pins.fetch_add(1, std::memory_order_relaxed);
            s.parts_.push_back(std::move(part));
            s.size_ += take;
            pos += take;
            n -= take;
        }
        return s;
    }
    // The records of `other` put in before record pos as they are, piece by piece: nothing is
    // copied; `other` is left empty.
    void Splice(size_t pos, PieceArray&& other) {
        other.SettleAll();
        const size_t n = other.size();
        if (n == 0) return;
        MoveDeferralsFrom(pos, n);
        size_t k = pieces_.size();
        const size_t first = pos < size() ? Find(pos) : k;
        if (pos < size()) {
            k = first;
            const size_t at = pos - starts_[k];
            if (at > 0) Cut(k++, at);
        }
        pieces_.insert(pieces_.begin() + static_cast<ptrdiff_t>(k), std::make_move_iterator(other.pieces_.begin()),
                       std::make_move_iterator(other.pieces_.end()));
        other.clear();
        Restart(std::min(first, pieces_.size() - 1));
    }

    // Every record up to date, pinned for reading elsewhere.
    Snapshot Snap() const {
        SettleAll();
        return SnapAsStored([](size_t, size_t, ptrdiff_t) {});
    }
    // The records as stored, pinned, the deferred runs left out of date: for a reader that brings
    // its own copy up to date, told each run in order by outOfDate(from, end, moved). Costs no
    // settling.
    template <class F>
    Snapshot SnapAsStored(F&& outOfDate) const {
        for (const Deferral& r : runs_) outOfDate(r.from, r.end, r.moved);
        Snapshot s;
        s.parts_ = pieces_;
        s.size_ = size();
        for (const Piece& p : s.parts_) p.buf->pins.fetch_add(1, std::memory_order_relaxed);
        return s;
    }
    size_t PieceCount() const { return pieces_.size(); }

    // Records from to end are out of date until the settler (called with context) brings them up
    // to date; joined with the runs deferred before that it meets or touches into one run from the
    // first to the last. Called when the settler would place every record of the runs it joins
    // where it now stands.
    void Defer(size_t from, size_t end, Settler settler, void* context) {
        end = std::min(end, size());
        if (from >= end || settler == nullptr) return;
        if (!runs_.empty() && (settler != settler_ || context != context_)) SettleAll();
        settler_ = settler;
        context_ = context;
        auto r = runs_.begin();
        while (r != runs_.end() && r->end < from) ++r;
        auto last = r;
        for (; last != runs_.end() && last->from <= end; ++last) {
            from = std::min(from, last->from);
            end = std::max(end, last->end);
        }
        r = runs_.erase(r, last);
        runs_.insert(r, Deferral{from, end, 0});
        // Few runs, so that an access inside the runs' span finds its own at once: the two
        // nearest that moved alike become one.
        while (runs_.size() > kMaxRuns) JoinNearest();
        Rehull();
    }
    // The runs deferred, which are no longer settled on access: the caller brings them up to date
    // or defers them again.
    Runs TakeDeferred() {
        Runs runs;
        for (const Deferral& r : runs_) runs.emplace_back(r.from, r.end);
        Forget();
        return runs;
    }
    bool HasDeferred() const { return !runs_.empty(); }
    // Everything up to date.
    void SettleAll() const {
        while (!runs_.empty()) SettleRun(0, runs_.front().end);
    }

private:
    // Deferred runs at or after pos move n records on. Each run stays one run that moved as a
    // whole: the part of one before pos is settled first.
    void MoveDeferralsFrom(size_t pos, size_t n) {
        if (pos >= deferEnd_) return;
        SplitAt(pos);
        for (Deferral& r : runs_)
            if (r.from >= pos) {
                r.from += n;
                r.end += n;
                r.moved += static_cast<ptrdiff_t>(n);
            }
        Rehull();
    }
    struct Deferral {
        size_t from;
        size_t end;
        ptrdiff_t moved;  // how far its records moved since they were deferred
    };
    static constexpr size_t kMaxRuns = 8;

    bool IsDeferred(size_t i) const {
        if (i - deferFrom_ >= deferEnd_ - deferFrom_) return false;
        if (i - clearFrom_ < clearEnd_ - clearFrom_) return false;
        return RunOf(i) < runs_.size();
    }
    // The run that holds record i; runs_.size() when none does, and then the gap around i, which
    // holds no deferred record, is kept for the next look.
    size_t RunOf(size_t i) const {
        size_t r = 0;
        while (r < runs_.size() && runs_[r].end <= i) ++r;
        if (r < runs_.size() && runs_[r].from <= i) return r;
        clearFrom_ = r == 0 ? 0 : runs_[r - 1].end;
        clearEnd_ = r == runs_.size() ? SIZE_MAX : runs_[r].from;
        return runs_.size();
    }
    void Rehull() const {
        deferFrom_ = runs_.empty() ? 0 : runs_.front().from;
        deferEnd_ = runs_.empty() ? 0 : runs_.back().end;
        clearFrom_ = clearEnd_ = 0;
    }
    void Forget() const {
        runs_.clear();
        Rehull();
    }
    // Run r settled from its front to at least upTo. While the settler runs, nothing counts as
    // deferred, so that it reads and writes the records freely.
    void SettleRun(size_t r, size_t upTo) const {
        const Deferral run = runs_[r];
        std::vector<Deferral> all = std::move(runs_);
        Forget();
        const size_t reached = settler_(context_, run.from, std::min(upTo, run.end), run.end, run.moved);
        runs_ = std::move(all);
        if (reached < run.end) {
            runs_[r].from = std::max(reached, run.from);
        } else {
            runs_.erase(runs_.begin() + static_cast<ptrdiff_t>(r));
        }
        Rehull();
    }
    // Every run that holds a record of pos..end settled up to end.
    void SettleRange(size_t pos, size_t end) const {
        for (size_t r = 0; r < runs_.size() && runs_[r].from < end;) {
            const size_t count = runs_.size();
            if (runs_[r].end > pos) SettleRun(r, end);
            if (runs_.size() == count) ++r;
        }
    }
    // No run holds records on both sides of pos: the part of one before pos is settled.
    void SplitAt(size_t pos) {
        const size_t r = RunOf(pos);
        if (r < runs_.size() && runs_[r].from < pos) SettleRun(r, pos);
    }
    // The two neighbouring runs with the smallest gap between them that moved alike become one;
    // when none moved alike, the first is settled.
    void JoinNearest() {
        size_t best = runs_.size();
        for (size_t r = 0; r + 1 < runs_.size(); ++r)
            if (runs_[r].moved == runs_[r + 1].moved &&
                (best == runs_.size() || runs_[r + 1].from - runs_[r].end < runs_[best + 1].from - runs_[best].end))
                best = r;
        if (best == runs_.size()) return SettleRun(0, runs_.front().end);
        runs_[best].end = runs_[best + 1].end;
        runs_.erase(runs_.begin() + static_cast<ptrdiff_t>(best) + 1);
    }

    bool Pinned(size_t k) const { return pieces_[k].buf->pins.load(std::memory_order_acquire) != 0; }

    // The piece that holds record i (i below size()).
    size_t Find(size_t i) const {
        if (hint_ + 1 < starts_.size() && starts_[hint_] <= i && i < starts_[hint_ + 1]) return hint_;
        hint_ = static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), i) - starts_.begin()) - 1;
        return hint_;
    }
    // The starts from piece k on, after pieces from k on changed.
    void Restart(size_t k) {
        starts_.resize(pieces_.size() + 1);
        size_t at = k == 0 ? 0 : starts_[k];
        for (size_t j = k; j < pieces_.size(); ++j) {
            starts_[j] = at;
            at += pieces_[j].len;
        }
        starts_[pieces_.size()] = at;
        hint_ = std::min(k, pieces_.empty() ? 0 : pieces_.size() - 1);
#if defined(__SANITIZE_ADDRESS__)
        CheckTails();
#endif
    }
    // Every piece lies inside its buffer, and the pieces of one buffer, tails included, do not overlap.
    void CheckTails() const {
        std::vector<std::pair<const Buffer*, size_t>> spans;
        for (size_t j = 0; j < pieces_.size(); ++j) {
            const Piece& p = pieces_[j];
            if (p.len > p.cap || p.off + p.cap > p.buf->items.size()) std::abort();
            spans.emplace_back(p.buf.get(), j);
        }
        std::sort(spans.begin(), spans.end(), [&](const auto& a, const auto& b) {
            return a.first != b.first ? std::less<>()(a.first, b.first) : pieces_[a.second].off < pieces_[b.second].off;
        });
        for (size_t j = 1; j < spans.size(); ++j) {
            const Piece& before = pieces_[spans[j - 1].second];
            if (spans[j - 1].first == spans[j].first && before.off + before.cap > pieces_[spans[j].second].off)
                std::abort();
        }
    }

    static Piece Fresh(size_t n, size_t room) {
        std::vector<T> items(std::max(n, room));
        return Piece{std::make_shared<Buffer>(std::move(items)), 0, n, std::max(n, room)};
    }
    // Piece k cut in two at `at` (inside it): both keep reading the one buffer.
    void Cut(size_t k, size_t at) {
        Piece right = pieces_[k];
        right.off += at;
        right.len -= at;
        right.cap -= at;
        pieces_[k].len = pieces_[k].cap = at;
        pieces_.insert(pieces_.begin() + static_cast<ptrdiff_t>(k) + 1, std::move(right));
    }
    // A window of pinned piece k around record i copied into a buffer of its own; returns its piece.
    size_t Isolate(size_t k, size_t i) {
        const size_t len = pieces_[k].len, w = std::min(len, kPiece), rel = i - starts_[k];
        const size_t from = std::min(rel > w / 2 ? rel - w / 2 : 0, len - w), to = from + w;
        Piece own = Fresh(w, kPiece);
        std::copy_n(pieces_[k].data() + from, w, own.data());
        const size_t first = k;
        if (to < len) Cut(k, to);
        if (from > 0) Cut(k++, from);
        pieces_[k] = std::move(own);
        Restart(first);
        return k;
    }

    void Open(size_t pos, size_t n) {
        size_t k = pieces_.size(), at = 0;
        if (pos < size()) {
            k = Find(pos);
            at = pos - starts_[k];
        }
        // At a piece's front, the piece before may have room at its end.
        if (at == 0 && k > 0) {
            --k;
            at = pieces_[k].len;
        }
        const size_t first = k;
        if (k < pieces_.size()) {
            Piece& p = pieces_[k];
            if (!Pinned(k) && p.len + n <= std::min(p.cap, kPiece)) {
                std::memmove(static_cast<void*>(p.data() + at + n), p.data() + at, (p.len - at) * sizeof(T));
                p.len += n;
                return Restart(first);
            }
            if (!Pinned(k) && p.len + n <= kPiece) {
                Piece grown = Fresh(p.len + n, kPiece);
                std::copy_n(p.data(), at, grown.data());
                std::copy_n(p.data() + at, p.len - at, grown.data() + at + n);
                p = std::move(grown);
                return Restart(first);
            }
            if (at == p.len) {
                ++k;
            } else if (at > 0) {
                Cut(k++, at);
            }
        }
        pieces_.insert(pieces_.begin() + static_cast<ptrdiff_t>(k), Fresh(n, kPiece));
        Restart(first);
    }

    void Remove(size_t pos, size_t n) {
        size_t k = Find(pos);
        const size_t first = k;
        size_t at = pos - starts_[k];
        while (n > 0) {
            Piece& p = pieces_[k];
            const size_t take = std::min(n, p.len - at);
            n -= take;
            if (take == p.len) {
                pieces_.erase(pieces_.begin() + static_cast<ptrdiff_t>(k));
            } else if (at == 0) {
                p.off += take;
                p.len -= take;
                p.cap -= take;
                ++k;
            } else if (at + take == p.len) {
                p.len -= take;
                ++k;
            } else if (!Pinned(k) && p.len - at - take <= kPiece) {
                std::memmove(static_cast<void*>(p.data() + at), p.data() + at + take, (p.len - at - take) * sizeof(T));
                p.len -= take;
                ++k;
            } else {
                Cut(k, at);
                pieces_[k + 1].off += take;
                pieces_[k + 1].len -= take;
                pieces_[k + 1].cap -= take;
                k += 2;
            }
            at = 0;
        }
        Join(first);
        Restart(first == 0 ? 0 : first - 1);
    }
    // Small neighbours around piece k become one, so that removals do not leave many slivers.
    void Join(size_t k) {
        if (k == 0 || k >= pieces_.size()) return;
        Piece& left = pieces_[k - 1];
        const Piece& right = pieces_[k];
        if (Pinned(k - 1) || left.len + right.len > std::min(left.cap, kPiece / 2)) return;
        std::copy_n(right.data(), right.len, left.data() + left.len);
        left.len += right.len;
        pieces_.erase(pieces_.begin() + static_cast<ptrdiff_t>(k));
    }

    // Writes the n records from pos on through fill(destination, count), a piece at a time.
    template <class F>
    void Fill(size_t pos, size_t n, F fill) {
        while (n > 0) {
            size_t k = Find(pos);
            if (Pinned(k)) k = Isolate(k, pos);
            const size_t at = pos - starts_[k], take = std::min(n, pieces_[k].len - at);
            fill(pieces_[k].data() + at, take);
            pos += take;
            n -= take;
        }
    }

    std::vector<Piece> pieces_;
    std::vector<size_t> starts_;  // where each piece begins, and the size last
    mutable size_t hint_ = 0;     // the piece found last
    mutable std::vector<Deferral> runs_;
    mutable size_t deferFrom_ = 0;  // from the first run's front to the last one's end
    mutable size_t deferEnd_ = 0;
    mutable size_t clearFrom_ = 0;  // a gap between runs seen last
    mutable size_t clearEnd_ = 0;
    Settler settler_ = nullptr;
    void* context_ = nullptr;
};

}  // namespace notaline
