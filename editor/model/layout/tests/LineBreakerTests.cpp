#include <gtest/gtest.h>

#include "LayoutFixture.h"
#include "records/Numbers.h"

namespace notaline::test {
namespace {

using tessaly::IsTrue;

using LineBreaking = LayoutTest;

TEST_F(LineBreaking, LimitReachedOnTheParagraphEndEndsAFullLastLine) {
    Doc("123456789|");
    Layout();
    ASSERT_EQ(data.LineCount(), 1);
    EXPECT_EQ(L(0).Length, 10);
    EXPECT_TRUE(IsTrue(L(0).IsAllLine));
    EXPECT_TRUE(IsTrue(L(0).LineIsCtl));
    EXPECT_EQ(L(0).NormalSpaceNum, 9);
    EXPECT_FLOAT_EQ(L(0).Right, 90);  // the paragraph end's width is taken off again
}

TEST_F(LineBreaking, LimitReachedJustBeforeTheParagraphEndKeepsItOnTheLine) {
    Doc("1234567890|12|");
    Layout();
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_EQ(L(0).Length, 11);
    EXPECT_TRUE(IsTrue(L(0).IsAllLine));
    EXPECT_TRUE(IsTrue(L(0).LineIsCtl));
    EXPECT_EQ(L(0).NormalSpaceNum, 10);
    EXPECT_FLOAT_EQ(L(0).Right, 100);
    EXPECT_EQ(L(1).Start, 11);
    EXPECT_EQ(L(1).Length, 3);
    EXPECT_FALSE(IsTrue(L(1).IsAllLine));
}

TEST_F(LineBreaking, DashesStayWithTheirNoteAndTheLineMayRunPastTheLimit) {
    Doc("1234567898---56|");
    Layout();
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_EQ(L(0).Length, 14);  // up to the first character that is no dash and has none after it
    EXPECT_TRUE(IsTrue(L(0).IsAllLine));
    EXPECT_FALSE(IsTrue(L(0).LineIsCtl));
    EXPECT_FLOAT_EQ(L(0).Right, 140);
    EXPECT_FLOAT_EQ(W(13).Right, 140);
    EXPECT_EQ(L(1).Start, 14);
    EXPECT_EQ(L(1).Length, 2);
}

TEST_F(LineBreaking, AGraceNoteNeverEndsAFullLine) {
    Doc("123456789056|");
    SetMark(data, 9, 0, kMarkGraceNote);
    Layout();
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_EQ(L(0).Length, 11);
}

TEST_F(LineBreaking, AStackIsNeverSplitAndItsCharactersCentreOnTheBase) {
    Doc("1234567890AB5|");
    W(9).ShuPai.Number = 1;
    W(10).ShuPai.Number = 2;
    W(11).ShuPai.Number = 3;
    W(10).WdSize.cx = 6;
    W(11).WdSize.cx = 6;
    Layout();
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_EQ(L(0).Length, 12);
    EXPECT_EQ(L(0).NormalSpaceNum, 10);
    EXPECT_FLOAT_EQ(L(0).Right, 100);  // stacked characters add no width
    EXPECT_FLOAT_EQ(W(10).Left, 92);
    EXPECT_FLOAT_EQ(W(10).Right, 98);
    EXPECT_FLOAT_EQ(W(11).Left, 92);
    EXPECT_EQ(L(1).Start, 12);
    EXPECT_FLOAT_EQ(W(12).Left, 0);
}

TEST_F(LineBreaking, JustifiedLastLineSpreadsItsGapsAndPutsTheParagraphEndAtTheLimit) {
    Doc("123|");
    Para(3, tessaly::AlignmentDisperse);
    Layout();
    EXPECT_FLOAT_EQ(W(0).Left, 0);
    EXPECT_FLOAT_EQ(W(0).Right, 45);  // gap (100 - 30) / 2
    EXPECT_FLOAT_EQ(W(1).Left, 45);
    EXPECT_FLOAT_EQ(W(1).Right, 90);
    EXPECT_FLOAT_EQ(W(2).Left, 90);
    EXPECT_FLOAT_EQ(W(2).Right, 100);
    EXPECT_FLOAT_EQ(W(3).Left, 100);
    EXPECT_FLOAT_EQ(W(3).Right, 110);
}

TEST_F(LineBreaking, JustifiedLineWithOneNormalCharacterStartsAtTheFirstLineIndent) {
    Doc("123456785|");
    Para(9, tessaly::AlignmentDisperse, 20);
    Layout();
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_EQ(L(1).NormalSpaceNum, 1);
    EXPECT_FLOAT_EQ(W(8).Left, 20);
    EXPECT_FLOAT_EQ(W(9).Left, 30);
}

TEST_F(LineBreaking, HangingIndentMovesTheOtherLinesRight) {
    Doc("123456789012345|");
    Para(15, tessaly::AlignmentNear, -20);
    Layout();
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_FLOAT_EQ(L(0).Left, 0);
    EXPECT_FLOAT_EQ(L(1).Left, 20);
    EXPECT_FLOAT_EQ(W(10).Left, 20);
}

TEST_F(LineBreaking, TheFirstLineIndentIsMeasuredOnTheParagraphsOwnCharacters) {
    Doc("12|3456|");
    W(4).WdSize.cx = 30;
    Para(7, tessaly::AlignmentNear, 10);
    Layout();
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_FLOAT_EQ(L(1).Left, 30);

    int32_t n = 0;
    FormatLines(data, 3, 7, n);
    ASSERT_EQ(n, 1);
    EXPECT_FLOAT_EQ(data.LineScratch[0].Left, 30);  // the same when the paragraph is laid out alone
}

TEST_F(LineBreaking, CentreAndFarAlignToTheRightLimit) {
    Doc("12|34|");
    Para(2, tessaly::AlignmentCenter, 0, 0, 20);
    Para(5, tessaly::AlignmentFar);
    data.PxPerTenthMm = 0.5f;  // right indent 20 = 10 pixels
    Layout();
    EXPECT_FLOAT_EQ(W(0).Left, 35);  // (90 + 0) / 2 - 20 / 2
    EXPECT_FLOAT_EQ(W(1).Right, 55);
    EXPECT_FLOAT_EQ(W(3).Left, 80);
    EXPECT_FLOAT_EQ(W(5).Left, 100);
}

TEST_F(LineBreaking, UnknownAlignmentLeavesThePositionsAlone) {
    Doc("12|");
    Para(2, tessaly::AlignmentUnKnow);
    W(0).Left = 7;
    W(0).Right = 9;
    Layout();
    EXPECT_FLOAT_EQ(W(0).Left, 7);
    EXPECT_FLOAT_EQ(W(0).Right, 9);
    EXPECT_EQ(L(0).Length, 3);
}

TEST_F(LineBreaking, SpacingAboveLines) {
    Doc("12|123456789012|");
    data.PxPerTenthMm = 0.5f;
    Para(2, tessaly::AlignmentNear, 0, 0, 0, 0, 4, 20);
    Para(15, tessaly::AlignmentNear, 0, 0, 0, 8, 10, 0);
    Layout();
    ASSERT_EQ(data.LineCount(), 3);
    EXPECT_FLOAT_EQ(L(0).LineUpSpace, 2);
    EXPECT_FLOAT_EQ(L(1).LineUpSpace, 15);  // (10 before + 20 after the previous) * 0.5
    EXPECT_FLOAT_EQ(L(2).LineUpSpace, 4);   // line spacing inside the paragraph
    EXPECT_EQ(L(1).WordHeight, 16);
}

TEST_F(LineBreaking, CharactersAfterTheLastParagraphEndAreNotLaidOut) {
    Doc("12|34");
    Layout();
    ASSERT_EQ(data.LineCount(), 1);
    EXPECT_EQ(L(0).Length, 3);
    EXPECT_EQ(data.PageCount(), 1);
}

TEST_F(LineBreaking, Lookups) {
    Doc("1-|-3|4");
    EXPECT_EQ(GetPartIndexOfWord(data, 0), 0);
    EXPECT_EQ(GetPartIndexOfWord(data, 3), 1);
    EXPECT_EQ(GetPartIndexOfWord(data, 6), 0);  // no paragraph end at or after it
    EXPECT_TRUE(IsLastBeforeParaEnd(data, 1));
    EXPECT_FALSE(IsLastBeforeParaEnd(data, 2));
    EXPECT_TRUE(IsLastBeforeParaEnd(data, 6));
    EXPECT_FALSE(NoDashAround(data, 0));
    EXPECT_FALSE(NoDashAround(data, 2));
    EXPECT_TRUE(NoDashAround(data, 4));
}

}  // namespace
}  // namespace notaline::test
