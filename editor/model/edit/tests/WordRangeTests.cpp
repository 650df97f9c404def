#include <gtest/gtest.h>

#include <cstdint>

#include "DocumentBuilder.h"
#include "EditFixture.h"
#include "model/document/WordRange.h"

namespace notaline {
namespace {

TEST(WordRangeTest, NormalRangeTurnsALeftwardRangeRound) {
    const WordRange r = NormalRange(5, -3);
    EXPECT_EQ(2, r.Start);
    EXPECT_EQ(3, r.Length);
    const WordRange same = NormalRange(2, 3);
    EXPECT_EQ(2, same.Start);
    EXPECT_EQ(3, same.Length);
    EXPECT_EQ(-4, NormalRange(-1, -3).Start);
}

TEST(WordRangeTest, NormalRangeNamesNoDocumentForRangesPastTheIntegers) {
    EXPECT_EQ(-1, NormalRange(0, INT32_MIN).Start);
    EXPECT_EQ(0, NormalRange(0, INT32_MIN).Length);
    EXPECT_EQ(-1, NormalRange(INT32_MIN, -1).Start);
    const WordRange top = NormalRange(INT32_MAX, -INT32_MAX);
    EXPECT_EQ(0, top.Start);
    EXPECT_EQ(INT32_MAX, top.Length);
}

TEST(WordRangeTest, NormaliseWordRangeKeepsRangesThatReachTheCaretAfterTheText) {
    EditorData data;
    test::SetWords(data, "12|34|");
    int32_t start = 6, length = -6;
    ASSERT_TRUE(NormaliseWordRange(data, start, length));
    EXPECT_EQ(0, start);
    EXPECT_EQ(6, length);

    start = 4, length = 3;
    EXPECT_FALSE(NormaliseWordRange(data, start, length));
    EXPECT_EQ(4, start);  // a refused range is left as given
    EXPECT_EQ(3, length);
    start = 0, length = INT32_MIN;
    EXPECT_FALSE(NormaliseWordRange(data, start, length));

    data.WordInfo.pop_back();  // without the spare record the last character cannot be imaged
    start = 5, length = 1;
    EXPECT_FALSE(NormaliseWordRange(data, start, length));
}

class HugeRangeTest : public test::EditTest {};

TEST_F(HugeRangeTest, TypingAndPastingOverAnImpossibleRangeChangeNothing) {
    Start("12|34|", true);
    const std::string before = Image();
    SetInput("x");
    EXPECT_FALSE(typing->InputWord(0, INT32_MIN));
    clip->PasteWord(0, INT32_MIN, "");
    EXPECT_TRUE(Same(before, Image()));
    EXPECT_FALSE(undo->CanUndo());
}

}  // namespace
}  // namespace notaline
