#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

#include "LayoutFixture.h"
#include "records/Numbers.h"

namespace notaline::test {
namespace {

using Pagination = LayoutTest;

// Two lines over the document "1234|": three characters, then two.
void TwoLines(EditorData& data, float firstUp, int32_t firstHeight) {
    data.LineInfo.assign(2, {});
    data.LineInfo[0] = {.Start = 0, .Length = 3, .LineUpSpace = firstUp, .WordHeight = firstHeight};
    data.LineInfo[1] = {.Start = 3, .Length = 2, .LineUpSpace = 10, .WordHeight = 30};
}

// The pagination's own rounding is CLng's: halves to even, either sign, and saturating or 0 for
// what is not a height.
TEST(PixelRounding, RoundsAsCLngDoes) {
    for (int32_t k = -4000; k <= 4000; ++k) {
        for (const double x : {k / 2.0, k / 2.0 + 1e-9, k / 2.0 - 1e-9, k / 3.0, static_cast<double>(k / 7.0f)})
            ASSERT_EQ(tessaly::CLng(x), RoundPixels(x)) << x;
    }
    for (const double x : {2.5e9, -2.5e9, 1e300, std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN(), 999999999.5, -999999998.5})
        EXPECT_EQ(tessaly::CLng(x), RoundPixels(x)) << x;
}

TEST_F(Pagination, ALineGoesToANewPageWhenLessThanItsHeightWouldStayFree) {
    Doc("1234|");
    data.WriteHeight = 480;
    TwoLines(data, 400, 20);  // 420 used: 10 + 2 * 30 + 420 = 490 > 480
    FormatPages(data);
    ASSERT_EQ(data.PageCount(), 2);
    EXPECT_EQ(data.PageInfo[1].StartLine, 1);
    EXPECT_EQ(data.PageInfo[1].LengthLine, 1);
    EXPECT_EQ(data.PageInfo[1].StartWord, 3);
    EXPECT_EQ(data.PageInfo[1].LengthWord, 2);
    EXPECT_FLOAT_EQ(L(1).Top, 20);  // WriteTop + its space above
    EXPECT_FLOAT_EQ(L(1).Bottom, 60);
    EXPECT_FLOAT_EQ(W(3).Top, 20);

    TwoLines(data, 380, 20);  // 400 used: 470 fits
    FormatPages(data);
    ASSERT_EQ(data.PageCount(), 1);
    EXPECT_EQ(data.PageInfo[0].LengthLine, 2);
    EXPECT_EQ(data.PageInfo[0].LengthWord, 5);
    EXPECT_FLOAT_EQ(L(0).Top, 390);
    EXPECT_FLOAT_EQ(L(0).Bottom, 790);
    EXPECT_FLOAT_EQ(L(1).Top, 790);
}

TEST_F(Pagination, AFirstLineTooHighLeavesTheFirstPageEmpty) {
    Doc("1234|");
    data.WriteHeight = 480;
    TwoLines(data, 0, 300);
    FormatPages(data);
    ASSERT_EQ(data.PageCount(), 2);
    EXPECT_EQ(data.PageInfo[0].LengthLine, 0);
    EXPECT_EQ(data.PageInfo[0].LengthWord, 0);
    EXPECT_EQ(data.PageInfo[1].StartLine, 0);
    EXPECT_EQ(data.PageInfo[1].LengthLine, 2);
}

TEST_F(Pagination, StackedCharactersSitAboveOrBelowTheirLine) {
    Doc("123|");
    W(1).ShuPai = {4, 2};
    W(2).ShuPai = {4, -2};
    Layout();
    const float top = L(0).Top;
    const float bottom = L(0).Bottom;
    EXPECT_FLOAT_EQ(W(0).Top, top);
    EXPECT_FLOAT_EQ(W(1).Top, top - 24);
    EXPECT_FLOAT_EQ(W(1).Bottom, bottom - 24);
    EXPECT_FLOAT_EQ(W(2).Top, top - 72);
    EXPECT_FLOAT_EQ(W(2).Bottom, bottom + 24);
}

TEST_F(Pagination, ThereIsAlwaysOnePage) {
    Doc("");
    Layout();
    EXPECT_EQ(data.LineCount(), 0);
    EXPECT_EQ(data.PageCount(), 1);

    Doc("12|3|");
    Layout();
    EXPECT_EQ(data.PageCount(), 1);
    EXPECT_EQ(data.PageInfo[0].LengthWord, 5);
}

TEST_F(Pagination, LongDocumentsBreakIntoPagesThatCoverEveryLine) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "12345678901234|";
    Doc(text);
    data.WriteHeight = 300;
    Layout();
    ASSERT_GT(data.PageCount(), 5);
    int32_t line = 0;
    int32_t word = 0;
    for (const auto& p : data.PageInfo) {
        EXPECT_EQ(p.StartLine, line);
        EXPECT_EQ(p.StartWord, word);
        line += p.LengthLine;
        word += p.LengthWord;
        EXPECT_FLOAT_EQ(L(p.StartLine).Top, 10.0f);
    }
    EXPECT_EQ(line, data.LineCount());
    EXPECT_EQ(word, data.WordCount());
}

// Pages moved when read read as a plain vector does under random moves, splices, truncations and
// copies, whether the moves pile up behind or in front of what was read last.
TEST(PageArrayMoves, ReadAsAVectorMovedAtOnce) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 rng(seed);
        const auto below = [&](size_t n) { return n == 0 ? size_t{0} : static_cast<size_t>(rng() % n); };
        PageArray lazy;
        std::vector<tessaly::aPageInfo> plain;
        for (int32_t i = 0; i < 40; ++i) plain.push_back({i * 3, 3, i * 50, 50});
        lazy.Replace(0, 0, plain);
        for (int step = 0; step < 300; ++step) {
            const size_t at = below(plain.size() + 1);
            switch (below(5)) {
                case 0: {
                    const auto lines = static_cast<int32_t>(below(7)) - 3, words = static_cast<int32_t>(below(41)) - 20;
                    lazy.Shift(at, lines, words);
                    for (size_t i = at; i < plain.size(); ++i) plain[i].StartLine += lines, plain[i].StartWord += words;
                    break;
                }
                case 1: {
                    const size_t count = below(plain.size() - std::min(at, plain.size()) + 1);
                    std::vector<tessaly::aPageInfo> with(below(4), {step, 1, step, 1});
                    lazy.Replace(at, count, with);
                    plain.erase(plain.begin() + static_cast<ptrdiff_t>(at),
                                plain.begin() + static_cast<ptrdiff_t>(at + count));
                    plain.insert(plain.begin() + static_cast<ptrdiff_t>(at), with.begin(), with.end());
                    break;
                }
                case 2:
                    if (below(10) == 0) {
                        lazy.resize(at);
                        plain.resize(at);
                    }
                    break;
                case 3: lazy = PageArray(lazy); break;
                default:
                    if (at < plain.size()) {
                        ASSERT_EQ(lazy[at].StartWord, plain[at].StartWord) << seed << " " << step;
                    }
            }
            ASSERT_EQ(lazy.size(), plain.size());
            for (size_t i = 0; i < plain.size(); ++i) ASSERT_EQ(lazy.StartLineOf(i), plain[i].StartLine) << seed;
        }
        ASSERT_EQ(lazy.All().size(), plain.size());
        for (size_t i = 0; i < plain.size(); ++i) {
            ASSERT_EQ(lazy.All()[i].StartLine, plain[i].StartLine) << seed;
            ASSERT_EQ(lazy.All()[i].StartWord, plain[i].StartWord) << seed;
        }
    }
}

}  // namespace
}  // namespace notaline::test
