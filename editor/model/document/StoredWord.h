#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <mutex>
#include <type_traits>
#include <unordered_map>

#include "records/Document.h"

namespace notaline {

// The bytes of a value that count, a field at a time (padding left out).
template <class F>
void ForBytes(const tessaly::mLogFont& f, F each) {
    each(&f.FontTblIndex, sizeof f.FontTblIndex);
    each(&f.lfHeight, offsetof(tessaly::mLogFont, lfPitchAndFamily) + 1 - offsetof(tessaly::mLogFont, lfHeight));
}
template <class F>
void ForBytes(const std::array<tessaly::aExtralWordInfo, 8>& slots, F each) {
    static_assert(sizeof(tessaly::aExtralWordInfo) == 28);
    each(slots.data(), sizeof slots);
}

// Values kept once each, for the life of the process, under a small number: equal values share
// one number. Reading a value by its number takes no lock and may run on any thread while another
// thread adds values; values never move or change once added. Number 0 is the default value.
template <class V>
class InternPool {
public:
    InternPool() { Add(V{}, Hash(V{})); }
    InternPool(const InternPool&) = delete;
    InternPool& operator=(const InternPool&) = delete;
    ~InternPool() {
        for (auto& c : chunks_) delete[] c.load(std::memory_order_relaxed);
    }

    const V& operator[](uint32_t id) const {
        const unsigned c = ChunkOf(id);
        return chunks_[c].load(std::memory_order_acquire)[id - ChunkStart(c)];
    }
    uint32_t Intern(const V& v) {
        // Runs of equal values are the rule (a paragraph in one font, marks seldom set).
        static thread_local const InternPool* lastPool = nullptr;
        static thread_local uint32_t lastId = 0;
        if (lastPool == this && Same((*this)[lastId], v)) return lastId;
        const size_t h = Hash(v);
        std::lock_guard lock(mutex_);
        auto [from, to] = index_.equal_range(h);
        uint32_t id = 0;
        for (; from != to; ++from)
            if (Same((*this)[from->second], v)) break;
        id = from != to ? from->second : Add(v, h);
        lastPool = this;
        lastId = id;
        return id;
    }
    uint32_t Count() const { return count_.load(std::memory_order_acquire); }

private:
    static constexpr unsigned kFirstBits = 6;
    static unsigned ChunkOf(uint32_t id) {
        const uint32_t x = (id >> kFirstBits) + 1;
        return static_cast<unsigned>(31 - __builtin_clz(x));
    }
    static uint32_t ChunkStart(unsigned c) { return ((1u << c) - 1) << kFirstBits; }
    static size_t Hash(const V& v) {
        size_t h = 1469598103934665603ull;
        ForBytes(v, [&](const void* p, size_t n) {
            for (size_t i = 0; i < n; ++i) h = (h ^ static_cast<const unsigned char*>(p)[i]) * 1099511628211ull;
        });
        return h;
    }
    // Field by field, so padding never tells two equal values apart.
    static bool Same(const V& a, const V& b) {
        bool same = true;
        const auto* base = reinterpret_cast<const unsigned char*>(&a);
        ForBytes(a, [&](const void* p, size_t n) {
            const size_t off = static_cast<size_t>(static_cast<const unsigned char*>(p) - base);
            same = same && std::equal(base + off, base + off + n, reinterpret_cast<const unsigned char*>(&b) + off);
        });
        return same;
    }
    // Under the lock.
    uint32_t Add(const V& v, size_t h) {
        const uint32_t id = count_.load(std::memory_order_relaxed);
        const unsigned c = ChunkOf(id);
        V* chunk = chunks_[c].load(std::memory_order_relaxed);
        if (chunk == nullptr) {
            chunk = new V[size_t{1} << (c + kFirstBits)];
            chunks_[c].store(chunk, std::memory_order_release);
        }
        chunk[id - ChunkStart(c)] = v;
        index_.emplace(h, id);
        count_.store(id + 1, std::memory_order_release);
        return id;
    }

    std::array<std::atomic<V*>, 26> chunks_{};
    std::atomic<uint32_t> count_{0};
    std::mutex mutex_;
    std::unordered_multimap<size_t, uint32_t> index_;
};

using MarkSlotArray = std::array<tessaly::aExtralWordInfo, 8>;

InternPool<tessaly::mLogFont>& FontPool();
InternPool<MarkSlotArray>& MarkSlotPool();

// The eight mark slots of a stored character, read through the shared value they name.
struct StoredMarkSlots {
    uint32_t Id = 0;  // 0: every slot free

    const MarkSlotArray& Slots() const { return MarkSlotPool()[Id]; }
    operator const tessaly::aExtralWordInfo*() const { return Slots().data(); }
    const tessaly::aExtralWordInfo* begin() const { return Slots().data(); }
    const tessaly::aExtralWordInfo* end() const { return Slots().data() + Slots().size(); }
    static constexpr size_t size() { return 8; }
};

// A character as the editor holds it: every field of aWordInfo under its own name, but the font
// and the mark slots stand as numbers of values shared by every character that has them.
struct StoredWord {
    int16_t WdAsc = 0;
    uint8_t Yc = 0;
    uint8_t YG = 0;
    tessaly::SIZEF WdSize;
    float SelSize = 0;
    float WdSpace = 0;
    float UpSpace = 0;
    tessaly::aShuPai ShuPai;
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
    int16_t cf = 0;
    int16_t cb = 0;
    uint8_t IsJpGcCtl = 0;
    uint32_t FontId = 0;
    StoredMarkSlots ExtralWordInfo;

    StoredWord() = default;
    // Compacts a whole record; its font and slots join the shared values.
    StoredWord(const tessaly::aWordInfo& w) {                    // NOLINT: stored records are made from the full form
        std::memset(static_cast<void*>(this), 0, sizeof *this);  // padding too: records compare as bytes
        Fields(*this, w, [](auto& mine, const auto& full) { mine = full; });
        FontId = FontPool().Intern(w.nLogFont);
        MarkSlotArray slots;
        std::copy(std::begin(w.ExtralWordInfo), std::end(w.ExtralWordInfo), slots.begin());
        ExtralWordInfo.Id = MarkSlotPool().Intern(slots);
    }

    // The whole record, as files, the clipboard and the journal hold it.
    tessaly::aWordInfo Expand() const {
        tessaly::aWordInfo w;
        std::memset(static_cast<void*>(&w), 0, sizeof w);  // zero padding: files and the journal hold the bytes
        Fields(*this, w, [](const auto& mine, auto& full) { full = mine; });
        w.nLogFont = FontPool()[FontId];
        const MarkSlotArray& slots = ExtralWordInfo.Slots();
        std::copy(slots.begin(), slots.end(), std::begin(w.ExtralWordInfo));
        return w;
    }

    // The fields both forms hold as they are, each handed to each(stored, full) in pairs: the one
    // list that both conversions follow. The font and the slots, held as shared values, are not in it.
    template <class Stored, class Full, class F>
    static void Fields(Stored& s, Full& w, F each) {
        each(s.WdAsc, w.WdAsc);
        each(s.Yc, w.Yc);
        each(s.YG, w.YG);
        each(s.WdSize, w.WdSize);
        each(s.SelSize, w.SelSize);
        each(s.WdSpace, w.WdSpace);
        each(s.UpSpace, w.UpSpace);
        each(s.ShuPai, w.ShuPai);
        each(s.Left, w.Left);
        each(s.Top, w.Top);
        each(s.Right, w.Right);
        each(s.Bottom, w.Bottom);
        each(s.cf, w.cf);
        each(s.cb, w.cb);
        each(s.IsJpGcCtl, w.IsJpGcCtl);
    }

    const tessaly::mLogFont& nLogFont() const { return FontPool()[FontId]; }
    void SetFont(const tessaly::mLogFont& f) { FontId = FontPool().Intern(f); }
    void SetMarks(const MarkSlotArray& slots) { ExtralWordInfo.Id = MarkSlotPool().Intern(slots); }
    MarkSlotArray Marks() const { return ExtralWordInfo.Slots(); }
    // Changes a copy of the font or the slots through edit(value) and stores the result.
    template <class F>
    void EditFont(F edit) {
        tessaly::mLogFont f = nLogFont();
        edit(f);
        SetFont(f);
    }
    template <class F>
    void EditMarks(F edit) {
        MarkSlotArray slots = Marks();
        edit(slots);
        SetMarks(slots);
    }
    template <class F>
    void EditMark(size_t k, F edit) {
        EditMarks([&](MarkSlotArray& slots) { edit(slots[k]); });
    }
    void SetMark(size_t k, const tessaly::aExtralWordInfo& slot) {
        MarkSlotArray slots = ExtralWordInfo.Slots();
        slots[k] = slot;
        SetMarks(slots);
    }
};
static_assert(std::is_trivially_copyable_v<StoredWord>);
static_assert(sizeof(StoredWord) <= 64);

// The font of a character in either form.
inline const tessaly::mLogFont& FontOf(const tessaly::aWordInfo& w) {
    return w.nLogFont;
}
inline const tessaly::mLogFont& FontOf(const StoredWord& w) {
    return w.nLogFont();
}

// An output iterator that writes stored characters as whole records.
template <class Out>
class Expanding {
public:
    using iterator_category = std::output_iterator_tag;
    using value_type = void;
    using difference_type = ptrdiff_t;
    using pointer = void;
    using reference = void;

    explicit Expanding(Out out) : out_(out) {}
    Expanding& operator*() { return *this; }
    Expanding& operator=(const StoredWord& w) {
        *out_ = w.Expand();
        return *this;
    }
    Expanding& operator++() {
        ++out_;
        return *this;
    }
    Expanding operator++(int) {
        Expanding old = *this;
        ++out_;
        return old;
    }
    Out base() const { return out_; }

private:
    Out out_;
};

}  // namespace notaline
