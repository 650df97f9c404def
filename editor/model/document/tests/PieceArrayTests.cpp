#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "model/document/LineArray.h"
#include "model/document/PieceArray.h"
#include "model/document/StoredWord.h"

namespace notaline {
namespace {

struct Rec {
    int32_t v = -1;
    char pad[12] = {};
};

// Small pieces, so that a few hundred records cut, copy and join them often.
using Pieces = PieceArray<Rec, 8>;

std::vector<int32_t> Values(const Pieces& a) {
    std::vector<int32_t> out;
    for (const auto& r : a) out.push_back(r.v);
    return out;
}

std::vector<int32_t> Values(const std::vector<Rec>& a) {
    std::vector<int32_t> out;
    for (const auto& r : a) out.push_back(r.v);
    return out;
}

// Random insertions, removals, resizes and writes at random places behave as on a plain vector,
// across growths of the gap and moves of it in both directions.
TEST(PieceArray, BehavesAsAVectorUnderRandomEdits) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        Pieces gap(1);
        std::vector<Rec> plain(1);
        int32_t next = 0;
        for (int op = 0; op < 400; ++op) {
            const size_t size = plain.size();
            const size_t pos = std::uniform_int_distribution<size_t>(0, size)(rng);
            const unsigned kind = rng() % 7;
            switch (kind) {
                case 6:  // another array's pieces put in as they are
                case 0: {
                    const size_t n = rng() % 300;
                    std::vector<Rec> add(n);
                    for (auto& r : add) r.v = next++;
                    if (kind == 6) {
                        Pieces other;
                        for (size_t k = 0; k < n; k += 5)
                            other.Append(std::vector<Rec>(add.begin() + static_cast<ptrdiff_t>(k),
                                                          add.begin() + static_cast<ptrdiff_t>(std::min(n, k + 5))));
                        gap.Splice(pos, std::move(other));
                        EXPECT_TRUE(other.empty());
                    } else {
                        gap.insert(gap.begin() + static_cast<ptrdiff_t>(pos), add.begin(), add.end());
                    }
                    plain.insert(plain.begin() + static_cast<ptrdiff_t>(pos), add.begin(), add.end());
                    break;
                }
                case 1: {
                    const size_t n = std::min(size - std::min(pos, size), static_cast<size_t>(rng() % 200));
                    gap.Erase(pos, n);
                    plain.erase(plain.begin() + static_cast<ptrdiff_t>(pos),
                                plain.begin() + static_cast<ptrdiff_t>(pos + n));
                    break;
                }
                case 2: {
                    const size_t n = rng() % 50;
                    gap.InsertRoom(pos, n);
                    for (size_t k = 0; k < n; ++k) gap[pos + k].v = next + static_cast<int32_t>(k);
                    std::vector<Rec> add(n);
                    for (auto& r : add) r.v = next++;
                    plain.insert(plain.begin() + static_cast<ptrdiff_t>(pos), add.begin(), add.end());
                    break;
                }
                case 3: {
                    const size_t n = rng() % (size + 100);
                    gap.resize(n);
                    plain.resize(n);
                    break;
                }
                default:
                    if (pos < size) {
                        gap[pos].v = next;
                        plain[pos].v = next++;
                    }
                    break;
            }
            ASSERT_EQ(plain.size(), gap.size()) << "seed " << seed << " op " << op;
        }
        ASSERT_EQ(Values(plain), Values(gap)) << "seed " << seed;
    }
}

// Snapshots taken between random edits keep reading what the array held when each was taken,
// while the array goes on changing through the pinned pieces; released ones free their pieces.
TEST(PieceArray, SnapshotsKeepTheirRecordsWhileTheArrayChanges) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        std::vector<Rec> start(100);
        for (size_t i = 0; i < start.size(); ++i) start[i].v = static_cast<int32_t>(i);
        Pieces a{std::vector<Rec>(start)};
        std::vector<Rec> plain = start;
        std::vector<std::pair<Pieces::Snapshot, std::vector<int32_t>>> snaps;
        int32_t next = 1000;
        for (int op = 0; op < 300; ++op) {
            const size_t pos = std::uniform_int_distribution<size_t>(0, plain.size())(rng);
            switch (rng() % 5) {
                case 0: {
                    std::vector<Rec> add(rng() % 12);
                    for (auto& r : add) r.v = next++;
                    a.insert(a.begin() + static_cast<ptrdiff_t>(pos), add.begin(), add.end());
                    plain.insert(plain.begin() + static_cast<ptrdiff_t>(pos), add.begin(), add.end());
                    break;
                }
                case 1: {
                    const size_t n = std::min(plain.size() - pos, static_cast<size_t>(rng() % 12));
                    a.Erase(pos, n);
                    plain.erase(plain.begin() + static_cast<ptrdiff_t>(pos),
                                plain.begin() + static_cast<ptrdiff_t>(pos + n));
                    break;
                }
                case 2:
                    if (snaps.size() < 3 && op % 2 == 0) snaps.emplace_back(a.Snap(), Values(plain));
                    if (snaps.size() < 3 && op % 2 == 1) {  // a range of its own, which pins only its pieces
                        const size_t n = std::min(plain.size() - pos, static_cast<size_t>(rng() % 40));
                        std::vector<Rec> part(plain.begin() + static_cast<ptrdiff_t>(pos),
                                              plain.begin() + static_cast<ptrdiff_t>(pos + n));
                        snaps.emplace_back(a.SnapRange(pos, n), Values(part));
                    }
                    break;
                case 3:
                    if (!snaps.empty()) snaps.erase(snaps.begin() + static_cast<ptrdiff_t>(rng() % snaps.size()));
                    break;
                default:
                    if (pos < plain.size()) a[pos].v = plain[pos].v = next++;
                    break;
            }
            for (const auto& [snap, values] : snaps) {
                std::vector<Rec> read(snap.size());
                snap.CopyOut(0, read.size(), read.begin());
                ASSERT_EQ(values, Values(read)) << "seed " << seed << " op " << op;
            }
        }
        ASSERT_EQ(Values(plain), Values(a)) << "seed " << seed;
    }
}

// A whole record with its padding zeroed, as the files hold it; values from small sets, so that
// fonts and mark slots repeat.
tessaly::aWordInfo RandomWord(std::mt19937& rng) {
    tessaly::aWordInfo w;
    std::memset(static_cast<void*>(&w), 0, sizeof w);
    const auto small = [&](int n) { return static_cast<int16_t>(rng() % static_cast<unsigned>(n)); };
    const auto place = [&] { return static_cast<float>(rng() % 1000) / 4; };
    // Every field, so that a field one conversion leaves out reads back wrong.
    w.WdAsc = small(200);
    w.WdSize = {place(), place()};
    w.SelSize = place();
    w.WdSpace = place();
    w.UpSpace = place();
    w.ShuPai = {place(), small(3)};
    w.Yc = static_cast<uint8_t>(small(4));
    w.YG = static_cast<uint8_t>(small(4));
    w.Left = place();
    w.Top = place();
    w.Right = place();
    w.Bottom = place();
    w.cf = small(5);
    w.cb = static_cast<int16_t>(small(3) - 1);
    w.IsJpGcCtl = static_cast<uint8_t>(rng() % 4);
    w.nLogFont.FontTblIndex = small(3);
    w.nLogFont.lfHeight = -static_cast<int32_t>(rng() % 4 + 10);
    w.nLogFont.lfPitchAndFamily = static_cast<uint8_t>(rng() % 2);
    if (rng() % 4 == 0) {
        auto& slot = w.ExtralWordInfo[rng() % 8];
        slot.IndexType = static_cast<int32_t>(rng() % 5 + 1);
        slot.ExtralWordVal2 = static_cast<int32_t>(rng() % 3);
        slot.ExtralWordVal3[rng() % 16] = static_cast<uint8_t>(rng());
    }
    return w;
}

std::vector<unsigned char> Bytes(const std::vector<tessaly::aWordInfo>& words) {
    std::vector<unsigned char> b(words.size() * sizeof(tessaly::aWordInfo));
    if (!b.empty()) std::memcpy(b.data(), words.data(), b.size());
    return b;
}

std::vector<unsigned char> Bytes(size_t n, const auto& store) {
    std::vector<tessaly::aWordInfo> words(n);
    store.CopyOut(0, n, Expanding(words.begin()));
    return Bytes(words);
}

// The compact store against a plain array of whole records over random edits, font and mark
// changes and snapshots: every record reads back byte for byte, equal fonts and slots share one
// number, and snapshots read on another thread while new values join the shared tables.
TEST(PieceArray, CompactRecordsReadBackAsThePlainArrayHoldsThem) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        PieceArray<StoredWord, 8> store;
        std::vector<tessaly::aWordInfo> plain;
        for (int op = 0; op < 300; ++op) {
            const size_t pos = std::uniform_int_distribution<size_t>(0, plain.size())(rng);
            switch (rng() % 6) {
                case 0:
                case 1: {
                    std::vector<tessaly::aWordInfo> add(rng() % 20);
                    for (auto& w : add) w = RandomWord(rng);
                    store.insert(store.begin() + static_cast<ptrdiff_t>(pos), add.begin(), add.end());
                    plain.insert(plain.begin() + static_cast<ptrdiff_t>(pos), add.begin(), add.end());
                    break;
                }
                case 2: {
                    const size_t n = std::min(plain.size() - pos, static_cast<size_t>(rng() % 15));
                    store.Erase(pos, n);
                    plain.erase(plain.begin() + static_cast<ptrdiff_t>(pos),
                                plain.begin() + static_cast<ptrdiff_t>(pos + n));
                    break;
                }
                case 3:
                    if (pos < plain.size()) {
                        const int32_t weight = static_cast<int32_t>(rng() % 3) * 300;
                        store[pos].EditFont([&](tessaly::mLogFont& f) { f.lfWeight = weight; });
                        plain[pos].nLogFont.lfWeight = weight;
                    }
                    break;
                case 4:
                    if (pos < plain.size()) {
                        tessaly::aExtralWordInfo slot;
                        slot.IndexType = static_cast<int32_t>(rng() % 3);
                        slot.ExtralWordVal1 = static_cast<int32_t>(rng() % 1000);  // new values as typing adds them
                        const size_t k = rng() % 8;
                        store[pos].SetMark(k, slot);
                        plain[pos].ExtralWordInfo[k] = slot;
                    }
                    break;
                default: {
                    // A backup's read on its own thread while this one adds new shared values.
                    auto snap = store.Snap();
                    const auto expected = Bytes(plain);
                    std::vector<unsigned char> read;
                    std::thread reader([&] { read = Bytes(snap.size(), snap); });
                    for (int k = 0; k < 50; ++k) {
                        tessaly::mLogFont f;
                        f.lfWidth = static_cast<int32_t>(rng());
                        FontPool().Intern(f);
                    }
                    reader.join();
                    ASSERT_EQ(expected, read) << "seed " << seed << " op " << op;
                    break;
                }
            }
        }
        ASSERT_EQ(Bytes(plain), Bytes(plain.size(), store)) << "seed " << seed;
        for (size_t i = 0; i + 1 < plain.size(); ++i) {
            const bool sameFont =
                std::memcmp(&plain[i].nLogFont, &plain[i + 1].nLogFont, sizeof(tessaly::mLogFont)) == 0;
            const bool sameSlots =
                std::memcmp(plain[i].ExtralWordInfo, plain[i + 1].ExtralWordInfo, sizeof plain[i].ExtralWordInfo) == 0;
            ASSERT_EQ(sameFont, store[i].FontId == store[i + 1].FontId);
            ASSERT_EQ(sameSlots, store[i].ExtralWordInfo.Id == store[i + 1].ExtralWordInfo.Id);
        }
    }
}

TEST(PieceArray, CopiesOutAcrossTheGapAndHandsBackOneVector) {
    std::vector<Rec> start(10);
    for (int32_t i = 0; i < 10; ++i) start[static_cast<size_t>(i)].v = i;
    Pieces a(std::move(start));
    a.Erase(4, 2);  // the gap now sits between 3 and 6
    std::vector<Rec> out(6);
    a.CopyOut(1, 6, out.begin());
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3, 6, 7, 8}), Values(out));
    a.CopyOut(5, 3, out.begin());
    EXPECT_EQ(7, out[0].v);
    EXPECT_EQ(9, out[2].v);

    const std::vector<Rec> all = a.TakeVector();
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3, 6, 7, 8, 9}), Values(all));
    EXPECT_TRUE(a.empty());
}

// Loading hands the reader's storage over: no second copy of the document is made.
TEST(PieceArray, TakesAVectorsStorageWithoutCopying) {
    std::vector<Rec> items(1000);
    items.reserve(5000);
    const Rec* storage = items.data();
    Pieces a(std::move(items));
    EXPECT_EQ(1000u, a.size());
    EXPECT_EQ(storage, &a[0]);
    a.emplace_back();  // the spare record fits in the room the vector had
    EXPECT_EQ(storage, &a[0]);
    EXPECT_EQ(-1, a.back().v);
}

TEST(PieceArray, IteratorsWorkWithTheStandardAlgorithms) {
    Pieces a(6);
    for (size_t i = 0; i < 6; ++i) a[i].v = static_cast<int32_t>(i);
    a.Erase(2, 1);
    const auto found = std::find_if(a.begin(), a.end(), [](const Rec& r) { return r.v == 4; });
    EXPECT_EQ(3, found - a.begin());
    std::vector<Rec> in(2);
    in[0].v = 40;
    in[1].v = 41;
    std::copy(in.begin(), in.end(), a.begin() + 3);
    EXPECT_EQ((std::vector<int32_t>{0, 1, 3, 40, 41}), Values(a));
}

// Deferred runs are handed to the settler record by record exactly once, at the index each had
// when it was deferred moved by its run's `moved`, before anything reads a record of it (runs
// joined hand over the records between them too, never a settled one again); insertions and
// removals around and inside the runs, reads, copies and copies of the array all keep that.
struct DeferredRun {
    Pieces* array = nullptr;
    size_t stride = 1;  // the settler works in blocks of this many records, as the layout does lines
    int32_t wrong = 0;  // records handed over that were settled already, or at the wrong index
    int32_t settled = 0;
};

size_t SettleRecs(void* context, size_t first, size_t upTo, size_t end, ptrdiff_t moved) {
    auto& run = *static_cast<DeferredRun*>(context);
    size_t c = first;
    for (; c < end && (c < upTo || (c - first) % run.stride != 0); ++c) {
        Rec& r = (*run.array)[c];
        if (r.pad[0] == 2 || r.v != static_cast<int32_t>(static_cast<ptrdiff_t>(c) - moved)) ++run.wrong;
        run.settled += r.pad[0] == 1 ? 1 : 0;
        r.pad[0] = 2;
    }
    return c;
}

TEST(PieceArray, DeferredRecordsAreSettledOnceBeforeAnyRead) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        std::vector<Rec> start(300);
        for (size_t i = 0; i < start.size(); ++i) start[i].v = static_cast<int32_t>(i);
        Pieces a(std::move(start));
        DeferredRun run{&a, 1 + rng() % 5};
        // Up to twelve runs, more than are kept apart, so that some are joined.
        std::vector<std::pair<size_t, size_t>> runs(1 + rng() % 12);
        for (auto& [from, end] : runs) {
            from = rng() % 290;
            end = std::min<size_t>(300, from + 1 + rng() % (&from == &runs[0].first ? 100 : 10));
            for (size_t i = from; i < end; ++i) a[i].pad[0] = 1;
        }
        for (const auto& [from, end] : runs) a.Defer(from, end, &SettleRecs, &run);
        // Reads hand deferred records over first: a settled record is never seen deferred.
        const auto check = [&](const Rec& r) { return r.pad[0] != 1; };
        for (int op = 0; op < 30 && a.HasDeferred(); ++op) {
            const size_t pos = std::uniform_int_distribution<size_t>(0, a.size())(rng);
            switch (rng() % 6) {
                case 0: {
                    const size_t n = 1 + rng() % 4;
                    a.InsertRoom(pos, n);
                    for (size_t k = 0; k < n; ++k) a[pos + k] = Rec{};
                    break;
                }
                case 1: a.Erase(pos, std::min(a.size() - pos, static_cast<size_t>(rng() % 6))); break;
                case 2:
                    if (pos < a.size()) {
                        const int32_t stored = a.Stored(pos).v;  // the same record, read without settling
                        ASSERT_TRUE(check(a[pos])) << "seed " << seed << " op " << op;
                        ASSERT_EQ(stored, a[pos].v) << "seed " << seed << " op " << op;
                    }
                    break;
                case 3: {
                    const size_t n = std::min(a.size() - pos, static_cast<size_t>(rng() % 20));
                    std::vector<Rec> out(n);
                    a.CopyOut(pos, n, out.begin());
                    ASSERT_TRUE(std::all_of(out.begin(), out.end(), check)) << "seed " << seed << " op " << op;
                    break;
                }
                case 4:
                    if (pos < a.size()) {  // a run read straight from memory holds no deferred record
                        size_t runEnd = 0;
                        const Rec* r = a.Run(pos, runEnd);
                        ASSERT_GT(runEnd, pos);
                        ASSERT_TRUE(std::all_of(r, r + (runEnd - pos), check)) << "seed " << seed << " op " << op;
                    }
                    break;
                default: {
                    const Pieces copy = a;  // the copy settles everything
                    ASSERT_FALSE(copy.HasDeferred());
                    ASSERT_TRUE(std::all_of(copy.begin(), copy.end(), check)) << "seed " << seed;
                    ASSERT_FALSE(a.HasDeferred());
                    break;
                }
            }
        }
        a.SettleAll();
        EXPECT_TRUE(std::all_of(a.begin(), a.end(), check)) << "seed " << seed;
        EXPECT_EQ(0, run.wrong) << "seed " << seed;
    }
}

// A read settles the run it reads and no other: a run at the far end of the array waits.
TEST(PieceArray, AReadSettlesOnlyTheRunItReads) {
    std::vector<Rec> start(3000);
    for (size_t i = 0; i < start.size(); ++i) start[i].v = static_cast<int32_t>(i);
    Pieces a(std::move(start));
    DeferredRun run{&a};
    for (size_t i : {10, 11, 12, 2990, 2991}) a[i].pad[0] = 1;
    a.Defer(10, 13, &SettleRecs, &run);
    a.Defer(2990, 2992, &SettleRecs, &run);
    a.InsertRoom(1500, 5);  // between the runs: only the far one moves
    EXPECT_EQ(2991, a[2996].v);
    EXPECT_EQ(2, run.settled);
    EXPECT_EQ(1, a.Stored(11).pad[0]);
    a.Erase(0, 4);  // before both: both move back
    EXPECT_EQ(12, a[8].v);
    EXPECT_EQ(5, run.settled);
    EXPECT_EQ(0, run.wrong);
    EXPECT_FALSE(a.HasDeferred());
}

// Pending moves of the lines' first characters, registered before and behind each other and read
// in any order, give the records a plain vector moved at once would hold.
TEST(LineArray, PendingMovesReadAsIfAppliedAtOnce) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        std::vector<tessaly::aLineInfo> plain(200);
        for (size_t i = 0; i < plain.size(); ++i) plain[i].Start = static_cast<int32_t>(i * 10);
        LineArray lines(plain);
        for (int op = 0; op < 300; ++op) {
            const size_t i = rng() % 210;
            switch (rng() % 5) {
                case 0:
                case 1: {
                    const auto by = static_cast<int32_t>(rng() % 7) - 3;
                    lines.ShiftStarts(i, by);
                    for (size_t k = i; k < plain.size(); ++k) plain[k].Start += by;
                    break;
                }
                case 2:
                    if (i < plain.size()) {
                        ASSERT_EQ(plain[i].Start, lines.StartOf(i)) << "seed " << seed << " op " << op;
                        ASSERT_EQ(plain[i].Start, lines[i].Start) << "seed " << seed << " op " << op;
                    }
                    break;
                case 3:
                    if (i < plain.size()) {
                        lines[i].Length = static_cast<int32_t>(op);
                        plain[i].Length = static_cast<int32_t>(op);
                    }
                    break;
                default:
                    if (rng() % 4 == 0) {
                        lines.push_back(tessaly::aLineInfo{static_cast<int32_t>(op), 1});
                        plain.push_back(tessaly::aLineInfo{static_cast<int32_t>(op), 1});
                    }
                    break;
            }
        }
        const LineArray copy = lines;
        ASSERT_EQ(plain.size(), copy.size());
        for (size_t i = 0; i < plain.size(); ++i) {
            ASSERT_EQ(plain[i].Start, copy[i].Start) << "seed " << seed << " line " << i;
            ASSERT_EQ(plain[i].Length, lines.All()[i].Length) << "seed " << seed << " line " << i;
        }
    }
}

// Lines replaced by more, fewer or as many, at places far apart and near, with moves pending and
// whole-array reads between, read as a plain vector spliced the same way.
TEST(LineArray, ReplacedLinesReadAsIfSplicedAtOnce) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        std::vector<tessaly::aLineInfo> plain(150);
        for (size_t i = 0; i < plain.size(); ++i) plain[i].Start = static_cast<int32_t>(i * 10);
        LineArray lines(plain);
        for (int op = 0; op < 400; ++op) {
            const size_t i = plain.empty() ? 0 : rng() % (plain.size() + 1);
            switch (rng() % 6) {
                case 0:
                case 1: {
                    const size_t count = rng() % 4;
                    std::vector<tessaly::aLineInfo> with(rng() % (op % 50 == 0 ? 200 : 5));
                    for (size_t k = 0; k < with.size(); ++k) with[k] = {op, static_cast<int32_t>(k)};
                    lines.Replace(i, count, with);
                    const size_t n = std::min(count, plain.size() - i);
                    plain.erase(plain.begin() + static_cast<ptrdiff_t>(i),
                                plain.begin() + static_cast<ptrdiff_t>(i + n));
                    plain.insert(plain.begin() + static_cast<ptrdiff_t>(i), with.begin(), with.end());
                    break;
                }
                case 2: {
                    const auto by = static_cast<int32_t>(rng() % 7) - 3;
                    lines.ShiftStarts(i, by);
                    for (size_t k = i; k < plain.size(); ++k) plain[k].Start += by;
                    break;
                }
                case 3:
                    if (i < plain.size()) {
                        ASSERT_EQ(plain[i].Start, lines.StartOf(i)) << "seed " << seed << " op " << op;
                        ASSERT_EQ(plain[i].Length, lines.Unmoved(i).Length) << "seed " << seed << " op " << op;
                        lines[i].NormalSpaceNum = static_cast<int16_t>(op);
                        plain[i].NormalSpaceNum = static_cast<int16_t>(op);
                    }
                    break;
                case 4:
                    if (rng() % 8 == 0) {
                        lines.push_back(tessaly::aLineInfo{op, 1});
                        plain.push_back(tessaly::aLineInfo{op, 1});
                    }
                    break;
                default:
                    ASSERT_EQ(plain.size(), lines.size());
                    if (!plain.empty()) {
                        ASSERT_EQ(plain.back().Start, lines.back().Start);
                    }
                    break;
            }
        }
        ASSERT_EQ(plain.size(), lines.size());
        const LineArray copy = lines;
        for (size_t i = 0; i < plain.size(); ++i) {
            ASSERT_EQ(plain[i].Start, copy[i].Start) << "seed " << seed << " line " << i;
            ASSERT_EQ(plain[i].Length, copy.Unmoved(i).Length) << "seed " << seed << " line " << i;
            ASSERT_EQ(plain[i].NormalSpaceNum, copy[i].NormalSpaceNum) << "seed " << seed << " line " << i;
        }
        const auto& all = lines.All();
        ASSERT_EQ(plain.size(), all.size());
        for (size_t i = 0; i < plain.size(); ++i) ASSERT_EQ(plain[i].Start, all[i].Start) << "seed " << seed;
    }
}

// Lines replaced at places far apart and near: the paragraph-end count before any line is that of
// a plain vector, and a page length (lines and characters) stays with its line unless the page
// reached a replaced line.
TEST(LineArray, CountsAndPageLengthsFollowTheirLines) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        std::vector<tessaly::aLineInfo> plain(120);
        std::vector<int32_t> jumps(plain.size());
        for (size_t i = 0; i < plain.size(); ++i)
            plain[i].LineIsCtl = rng() % 3 == 0 ? tessaly::kTrue : tessaly::kFalse;
        LineArray lines(plain);
        for (size_t i = 0; i + 8 < plain.size(); i += 5) {
            jumps[i] = 1 + static_cast<int32_t>(rng() % 8);
            lines.SetJump(i, jumps[i], 7 * jumps[i], 500);
        }
        for (int op = 0; op < 200; ++op) {
            const size_t at = rng() % plain.size(), count = std::min<size_t>(rng() % 4, plain.size() - at);
            std::vector<tessaly::aLineInfo> with(rng() % 4);
            for (auto& l : with) l.LineIsCtl = rng() % 2 ? tessaly::kTrue : tessaly::kFalse;
            lines.Replace(at, count, with);
            lines.ForgetJumps(at, at + with.size());
            plain.erase(plain.begin() + static_cast<ptrdiff_t>(at), plain.begin() + static_cast<ptrdiff_t>(at + count));
            plain.insert(plain.begin() + static_cast<ptrdiff_t>(at), with.begin(), with.end());
            jumps.erase(jumps.begin() + static_cast<ptrdiff_t>(at), jumps.begin() + static_cast<ptrdiff_t>(at + count));
            jumps.insert(jumps.begin() + static_cast<ptrdiff_t>(at), with.size() + 1, 0);  // and the line after
            jumps.erase(jumps.begin() + static_cast<ptrdiff_t>(std::min(at + with.size() + 1, jumps.size() - 1)));
            for (size_t i = 0; i < at; ++i)
                if (i + static_cast<size_t>(jumps[i]) >= at) jumps[i] = 0;
            const size_t probe = rng() % (plain.size() + 1);
            const auto ends = std::count_if(plain.begin(), plain.begin() + static_cast<ptrdiff_t>(probe),
                                            [](const auto& l) { return tessaly::IsTrue(l.LineIsCtl); });
            ASSERT_EQ(ends, lines.ParaEndsBefore(probe)) << "seed " << seed << " op " << op;
            for (size_t i = 0; i < plain.size(); ++i) {
                ASSERT_EQ(jumps[i], lines.Jump(i, 500)) << "seed " << seed << " op " << op;
                if (jumps[i] > 0) {
                    ASSERT_EQ(7 * jumps[i], lines.JumpWords(i)) << "seed " << seed << " op " << op;
                }
            }
        }
        EXPECT_EQ(0, lines.Jump(0, 400));  // learnt for another page height
    }
}

}  // namespace
}  // namespace notaline
