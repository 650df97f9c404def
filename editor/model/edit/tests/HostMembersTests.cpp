#include <gtest/gtest.h>

#include <string>

#include "EditFixture.h"
#include "model/edit/HostMembers.h"

namespace notaline::test {
namespace {

TEST(ClampZoom, CutsToTwoDecimalsAndBeepsOnlyOutsideTheRange) {
    struct Case {
        float value, scale;
        bool beep;
    };
    for (const Case c :
         {Case{3, 2.4f, true}, Case{0.3f, 0.55f, true}, Case{1.005f, 1, false}, Case{1.419f, 1.41f, false},
          Case{2.419f, 2.4f, true}, Case{2.4f, 2.4f, false}, Case{0.55f, 0.55f, false}, Case{2.41f, 2.4f, true},
          Case{-5, 0.55f, true}, Case{1e30f, 2.4f, true}}) {
        const ZoomStep z = ClampZoom(c.value);
        EXPECT_FLOAT_EQ(c.scale, z.Scale) << c.value;
        EXPECT_EQ(c.beep, z.Beep) << c.value;
    }
}

TEST(RoundToInteger, HalvesGoToEvenAndLargeValuesStayInRange) {
    EXPECT_EQ(2, RoundToInteger(2.5));
    EXPECT_EQ(4, RoundToInteger(3.5));
    EXPECT_EQ(-2, RoundToInteger(-2.5));
    EXPECT_EQ(32767, RoundToInteger(1e9));
    EXPECT_EQ(0, RoundToInteger(std::nan("")));
}

class HostMembers : public EditTest {
protected:
    void Kinds(std::string_view kinds) {
        for (size_t i = 0; i < kinds.size(); ++i)
            W(static_cast<int32_t>(i)).IsJpGcCtl = static_cast<uint8_t>(kinds[i] - '0');
    }
};

TEST_F(HostMembers, TheDefaultFileNameKeepsTextAndLeavesOutWhatANameCannotHold) {
    Start("1 2 3 ab:c*|");
    W(5).WdAsc = '|';                           // a bar line typed as text
    W(2).IsJpGcCtl = 2;                         // a notation-font symbol: its code means nothing as text
    W(0).WdAsc = static_cast<int16_t>(0xD6D0);  // 中 in code page 936
    SetLines(data, {data.WordCount()});
    EXPECT_EQ(std::string("\xD6\xD0") + "3_ab_c_", DefaultFileName(data));

    Start(std::string(40, 'a') + "|");
    SetLines(data, {data.WordCount()});
    EXPECT_EQ(std::string(32, 'a'), DefaultFileName(data));
    data.LineInfo.clear();
    EXPECT_EQ("", DefaultFileName(data));
}

TEST_F(HostMembers, OctaveAndDurationTestsTakeTheCaretOnlyWithoutASelection) {
    Start("a1b|");
    EXPECT_TRUE(CanSetWordYg(data, 1, 0));
    EXPECT_FALSE(CanSetWordYg(data, 0, 0));
    EXPECT_TRUE(CanSetWordYg(data, 0, 2));
    EXPECT_TRUE(CanSetWordYg(data, 2, -2));  // backward: the same two characters
    EXPECT_FALSE(CanSetWordYg(data, 50, 0));
    EXPECT_FALSE(CanSetWordYg(data, 2, 1000));
    EXPECT_TRUE(CanSetWordYc(data, 0, 0));
    EXPECT_FALSE(CanSetWordYc(data, 0, -1));
}

TEST_F(HostMembers, StackingNeedsTwoPlainCharactersWithoutSpanMarks) {
    Start("12345|");
    EXPECT_FALSE(CanShuPaiWord(data, 0, 1));
    EXPECT_TRUE(CanShuPaiWord(data, 0, 2));
    EXPECT_TRUE(CanShuPaiWord(data, 2, -2));
    EXPECT_FALSE(CanShuPaiWord(data, 4, 2));  // reaches the paragraph end
    EXPECT_FALSE(CanShuPaiWord(data, 5, 100));
    SetMark(data, 3, 2, 72);
    EXPECT_FALSE(CanShuPaiWord(data, 2, 2));
}

TEST_F(HostMembers, APairEndIsRightOnlyWhenItsStartIsInAnEarlierParagraph) {
    Start("123|456|");
    SetMark(data, 5, 1, 73, 0, 7);
    EXPECT_TRUE(PairEndRight(data, 5, PairKind::Arc));  // the paragraph end before it is met first
    SetMark(data, 4, 0, 72, 0, 7);
    EXPECT_FALSE(PairEndRight(data, 5, PairKind::Arc));
    SetMark(data, 4, 0, 0);
    SetMark(data, 1, 0, 72, 0, 7);
    EXPECT_TRUE(PairEndRight(data, 5, PairKind::Arc));
    EXPECT_FALSE(PairEndRight(data, 5, PairKind::Volta));
    SetMark(data, 2, 0, 90, 0, 3);
    EXPECT_FALSE(PairEndRight(data, 2, PairKind::Volta));  // first paragraph, no start
    EXPECT_FALSE(PairEndRight(data, -1, PairKind::Volta));
}

TEST_F(HostMembers, TurningLyricsToNotesIsOneUndoableStep) {
    Start("07-8a1|", true);
    Kinds("000001");  // lyric 0 7 - 8 a, a note 1
    data.SelStart = 6;
    data.SelLength = -6;
    const auto before = Bytes();
    ASSERT_TRUE(TurnToYFWord(data, *undo));
    EXPECT_EQ(6, data.SelStart);  // the selection stays as the user made it
    EXPECT_EQ(-6, data.SelLength);
    std::string kinds;
    for (int32_t i = 0; i < data.WordCount(); ++i) kinds += static_cast<char>('0' + W(i).IsJpGcCtl);
    EXPECT_EQ("1110013", kinds);
    EXPECT_TRUE(undo->Modified());
    undo->UserUndo();
    EXPECT_EQ(before, Bytes());
    // Nothing to turn: no step.
    data.SelStart = 3;
    data.SelLength = 4;
    EXPECT_FALSE(TurnToYFWord(data, *undo));
    EXPECT_TRUE(undo->CanRedo());
}

TEST_F(HostMembers, MarkCodeAndPlayedMetreChangesUndo) {
    Start("123|", true);
    SetMark(data, 1, 0, kMarkTimeSignature, 4, 4);
    SetMark(data, 2, 0, kMarkTimeSignature, 4, 4);
    const auto before = Bytes();
    EXPECT_FALSE(SetExtralType(data, *undo, 0, 8, 5));
    EXPECT_FALSE(SetExtralType(data, *undo, 9, 0, 5));
    EXPECT_FALSE(undo->CanUndo());
    ASSERT_TRUE(SetExtralType(data, *undo, 0, 7, 5));
    EXPECT_EQ(5, W(0).ExtralWordInfo[7].IndexType);
    EXPECT_TRUE(undo->Modified());
    undo->UserUndo();
    EXPECT_EQ(before, Bytes());

    data.PlayInfo.JiePai = 6;
    ASSERT_TRUE(ApplyPlayTimeSignature(data, *undo));
    EXPECT_EQ(6, W(1).ExtralWordInfo[0].ExtralWordVal1);
    EXPECT_EQ(8, W(1).ExtralWordInfo[0].ExtralWordVal2);
    EXPECT_EQ(4, W(2).ExtralWordInfo[0].ExtralWordVal1);  // only the first
    EXPECT_FALSE(ApplyPlayTimeSignature(data, *undo));    // already so
    undo->UserUndo();
    EXPECT_EQ(before, Bytes());
    data.PlayInfo.JiePai = 10;
    EXPECT_FALSE(ApplyPlayTimeSignature(data, *undo));
}

TEST_F(HostMembers, AnArcIsProposedForASelectionWithinReachMadeEitherWay) {
    Start("1234567|");
    for (int32_t i = 0; i < 7; ++i) {
        W(i).Left = 10.0f * i;
        W(i).Right = W(i).Left + 10;
        W(i).WdSize.cx = 10;
        W(i).EditFont([&](tessaly::mLogFont& f) { f.lfHeight = 16; });
    }
    EXPECT_FLOAT_EQ(20.4f, ArcHeight(data, 2, 1));
    EXPECT_NEAR(20.4 * (16 - 1.25 * 30 / (1 + 2.0 / 28)) / 16, ArcHeight(data, 2, 4), 1e-4);
    EXPECT_EQ(0, ArcHeight(data, 0, 6));  // 50 > 3.5 widths
    EXPECT_EQ(ArcHeight(data, 2, 2), ArcHeight(data, 4, -2));
    EXPECT_LT(0, ArcHeight(data, 4, -2));
    EXPECT_EQ(0, ArcHeight(data, 6, 5));
}

TEST_F(HostMembers, SelectAllLeavesTheFinalParagraphEndOut) {
    Start("|");
    SelectAll(data);
    EXPECT_EQ(0, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    Start("123456789|");
    SelectAll(data);
    EXPECT_EQ(9, data.SelLength);
}

TEST_F(HostMembers, SourceLinesNeedNotesOrBarLines) {
    Start("ab1|c2|");
    SetLines(data, {2, 2, 3});
    EXPECT_FALSE(IsLyricSourceLine(data, 0));
    EXPECT_TRUE(IsLyricSourceLine(data, 1));
    EXPECT_FALSE(IsLyricSourceLine(data, 3));
    SetMark(data, 2, 0, kMarkGraceNote);
    EXPECT_FALSE(IsLyricSourceLine(data, 1));
    EXPECT_FALSE(IsBarSourceLine(data, 2));
    W(4).IsJpGcCtl = 2;
    W(4).WdAsc = 90;
    EXPECT_TRUE(IsBarSourceLine(data, 2));
}

}  // namespace
}  // namespace notaline::test
