#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "model/GapArray.h"
#include "model/LineArray.h"

namespace notaline {
namespace {

struct Rec {
    int32_t v = -1;
    char pad[12] = {};
};

std::vector<int32_t> Values(const GapArray<Rec>& a) {
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
TEST(GapArray, BehavesAsAVectorUnderRandomEdits) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        GapArray<Rec> gap(1);
        std::vector<Rec> plain(1);
        int32_t next = 0;
        for (int op = 0; op < 400; ++op) {
            const size_t size = plain.size();
            const size_t pos = std::uniform_int_distribution<size_t>(0, size)(rng);
            switch (rng() % 6) {
                case 0: {
                    const size_t n = rng() % 300;
                    std::vector<Rec> add(n);
                    for (auto& r : add) r.v = next++;
                    gap.insert(gap.begin() + static_cast<ptrdiff_t>(pos), add.begin(), add.end());
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

TEST(GapArray, CopiesOutAcrossTheGapAndHandsBackOneVector) {
    std::vector<Rec> start(10);
    for (int32_t i = 0; i < 10; ++i) start[static_cast<size_t>(i)].v = i;
    GapArray<Rec> a(std::move(start));
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
TEST(GapArray, TakesAVectorsStorageWithoutCopying) {
    std::vector<Rec> items(1000);
    items.reserve(5000);
    const Rec* storage = items.data();
    GapArray<Rec> a(std::move(items));
    EXPECT_EQ(1000u, a.size());
    EXPECT_EQ(storage, &a[0]);
    a.emplace_back();  // the spare record fits in the room the vector had
    EXPECT_EQ(storage, &a[0]);
    EXPECT_EQ(-1, a.back().v);
}

TEST(GapArray, IteratorsWorkWithTheStandardAlgorithms) {
    GapArray<Rec> a(6);
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

}  // namespace
}  // namespace notaline
