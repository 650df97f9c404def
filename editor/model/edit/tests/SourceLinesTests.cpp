#include <gtest/gtest.h>

#include "DocumentCommandFixture.h"
#include "KeyboardFixture.h"
#include "model/document/MarkCodes.h"
#include "model/edit/AlignToSource.h"

namespace notaline {
namespace {

// Two paragraphs: "1234567890" fills line 0 and "12|" is line 1; "45|" is line 2.
constexpr char kTwoParagraphs[] = "123456789012|45|";

class SourceLines : public test::KeyboardTest {
protected:
    void Code(int32_t word, int16_t code, uint8_t kind) {
        W(word).WdAsc = code;
        W(word).IsJpGcCtl = kind;
    }
    // The last paragraph bar-aligned to line 0 with the given positions; the caret at its '5'
    // (10 to 20, centre 15).
    void BarAligned(std::vector<float> positions) {
        Start(kTwoParagraphs);
        Para(15, tessaly::AlignmentxjDq);
        Layout();
        data.XjDqPositions = std::move(positions);
        data.XjdqLine = 0;
        Caret(14);
    }
};

TEST_F(SourceLines, LyricPositionsTakeTheNotesAndCloseWithTheRightEdge) {
    Start(kTwoParagraphs);
    test::SetMark(data, 1, 0, kMarkGraceNote);
    test::SetMark(data, 2, 0, 73);
    Code(3, 'X', 1);
    Code(4, 'X', 0);  // a lyric X is no note
    EXPECT_TRUE(ApplyCPdqLine(data, 0));
    // 1, X at 3, 6, 7 ('8', '9', '0' are not notes of the scale).
    ASSERT_EQ(data.CpDqPositions.size(), 5u);
    EXPECT_EQ(data.CpDqPositions[0], GetWordCenterX(data, 0));
    EXPECT_EQ(data.CpDqPositions[1], GetWordCenterX(data, 3));
    EXPECT_EQ(data.CpDqPositions.back(), 100.0f);
}

TEST_F(SourceLines, BarPositionsTakeBarSymbolsAndDashes) {
    Start(kTwoParagraphs);
    Code(1, '[', 2);  // 91: a bar line
    Code(2, '-', 1);
    Code(3, '-', 0);
    Code(4, 'F', 2);  // 70 is outside the ranges
    EXPECT_TRUE(ApplyXjdqLine(data, 0));
    // 1, [, -, 6, 7; the spare element stays unwritten.
    ASSERT_EQ(data.XjDqPositions.size(), 6u);
    EXPECT_EQ(data.XjDqPositions[1], GetWordCenterX(data, 1));
    EXPECT_EQ(data.XjDqPositions.back(), 0.0f);
}

TEST_F(SourceLines, LineWithoutQualifyingCharactersOrOutsideTheTableFindsNone) {
    Start("abc|");
    EXPECT_FALSE(ApplyCPdqLine(data, 0));
    EXPECT_FALSE(ApplyXjdqLine(data, 0));
    EXPECT_EQ(data.XjDqPositions.size(), 1u);
    EXPECT_FALSE(ApplyXjdqLine(data, 5));
    EXPECT_FALSE(ApplyCPdqLine(data, -1));
}

TEST_F(SourceLines, EditOnTheSourceLineDropsItOthersKeepIt) {
    Start(kTwoParagraphs);
    data.CPdqLine = 2;
    ApplyCPdqLine(data, 2);
    data.CurLine = 0;
    EXPECT_FALSE(CheckSourceLine(data, SourceKind::CpDq));
    EXPECT_EQ(data.CPdqLine, 2);
    data.CurLine = 2;
    EXPECT_TRUE(CheckSourceLine(data, SourceKind::CpDq));
    EXPECT_EQ(data.CPdqLine, -1);
    EXPECT_EQ(data.CpDqPositions.size(), 1u);
}

TEST_F(SourceLines, EditsElsewhereFollowTheLineOrDropIt) {
    Start("123456789012|45|67|");
    data.XjdqLine = 2;
    ApplyXjdqLine(data, 2);
    // Enter in the first paragraph: the source line becomes line 3.
    Caret(11);
    keys->KeyPressInput(13);
    EXPECT_EQ(data.XjdqLine, 3);
    EXPECT_EQ(L(3).Start, 14);
    // An edit in the paragraph after it keeps it where it is.
    Caret(18);
    keys->KeyPressInput(13);
    EXPECT_EQ(data.XjdqLine, 3);
    EXPECT_EQ(data.XjDqPositions.size(), 3u);
    // Joining the paragraph before onto it re-breaks it: dropped.
    Caret(14);
    data.CurLine = 0;
    keys->KeyPressInput(8);
    EXPECT_EQ(data.XjdqLine, -1);
}

TEST_F(SourceLines, IndexPastTheLineTableIsDropped) {
    Start(kTwoParagraphs);
    data.CPdqLine = 9;
    KeepSourceLines(data);
    EXPECT_EQ(data.CPdqLine, -1);
}

TEST_F(SourceLines, AlignmentChecksAnswerWithTheFirstMatchingMessage) {
    Start(kTwoParagraphs);
    const char* m = nullptr;
    data.CurLine = 0;
    data.SelStart = 2;
    data.CPdqLine = 2;
    EXPECT_FALSE(CanAlignToSource(data, SourceKind::XjDq, tessaly::AlignmentxjDq, m));
    EXPECT_STREQ(m, "先使用菜单，设定小节对齐源行。");
    EXPECT_TRUE(CanAlignToSource(data, SourceKind::CpDq, tessaly::AlignmentCpDq, m));
    EXPECT_FALSE(CanAlignToSource(data, SourceKind::CpDq, tessaly::AlignmentNear, m));
    EXPECT_STREQ(m, "设置当前行为词谱对齐属性。");
    data.CurLine = 2;
    EXPECT_FALSE(CanAlignToSource(data, SourceKind::CpDq, tessaly::AlignmentCpDq, m));
    EXPECT_STREQ(m, "词谱对齐源行与目标行相同。");
    W(2).ShuPai.Number = 2;
    EXPECT_FALSE(CanAlignToSource(data, SourceKind::CpDq, tessaly::AlignmentCpDq, m));
    EXPECT_STREQ(m, "竖排不可设定。");
}

TEST_F(SourceLines, CtrlTabInBarAlignmentWithoutSourceLineSaysSo) {
    Start(kTwoParagraphs);
    Para(15, tessaly::AlignmentxjDq);
    Layout();
    data.CPdqLine = 0;
    Caret(14);
    keys->KeyUpCtrl(9);
    ASSERT_EQ(view.Messages.size(), 1u);
    EXPECT_EQ(view.Messages[0], "先使用菜单，设定小节对齐源行。");
}

TEST_F(SourceLines, BarAlignmentPutsTheCentreOnTheNextPosition) {
    BarAligned({47.0f, 0.0f});
    const auto before = test::StateOf(data);
    keys->KeyUpCtrl(9);
    EXPECT_FALSE(test::StateOf(data) == before);
    EXPECT_FLOAT_EQ(GetWordCenterX(data, 14), 47.0f);
}

TEST_F(SourceLines, BarAlignmentPastTheLastPositionBeepsAndChangesNothing) {
    BarAligned({12.0f, 0.0f});
    const auto before = test::StateOf(data);
    keys->KeyUpCtrl(9);
    EXPECT_TRUE(test::StateOf(data) == before);
    EXPECT_EQ(system.Beeps, 1);
    // At the line's start nothing happens at all.
    Caret(13);
    keys->KeyUpCtrl(9);
    EXPECT_TRUE(test::StateOf(data) == before);
    EXPECT_EQ(system.Beeps, 1);
}

TEST_F(SourceLines, AlignSpaceLandsTheCaretCharacterOnTheNextPosition) {
    Start(kTwoParagraphs);
    host.Input.FontName = "song";
    host.Input.Size = 12;
    // No source line: a plain space.
    Caret(14);
    EXPECT_EQ(MakeAlignSpaceWord(data, host.Input).WdSpace, 0.0f);
    data.CPdqLine = 0;
    data.CpDqPositions = {5.0f, 35.0f, 100.0f};
    // '5' (centre 15, left 10, width 10) goes to 35: the gap before it is 20.
    const auto space = MakeAlignSpaceWord(data, host.Input);
    EXPECT_EQ(space.WdAsc, 32);
    EXPECT_FLOAT_EQ(space.WdSpace + space.WdSize.cx, 35 - 5 - 10);
    // The first character of a line goes to the first position, whatever lies nearer.
    data.CpDqPositions = {25.0f, 35.0f, 100.0f};
    Caret(13);
    const auto first = MakeAlignSpaceWord(data, host.Input);
    EXPECT_FLOAT_EQ(first.WdSpace + first.WdSize.cx, 25 - 5 - 0);
    // A character already on a position goes on to the next one.
    data.CpDqPositions = {15.0f, 35.0f, 100.0f};
    Caret(14);
    const auto next = MakeAlignSpaceWord(data, host.Input);
    EXPECT_FLOAT_EQ(next.WdSpace + next.WdSize.cx, 35 - 5 - 10);
}

// A lyric paragraph aligned to the notes "1-23": the lyric under the dash moves under the
// next note, and the layout keeps every lyric under its note afterwards.
TEST_F(SourceLines, CtrlTabPutsEachLyricUnderItsNote) {
    Start("1-23|abc|");
    for (int32_t i : {5, 6, 7}) Code(i, static_cast<int16_t>('a' + i - 5), 0);
    Para(8, tessaly::AlignmentCpDq);
    Layout();
    ASSERT_TRUE(ApplyCPdqLine(data, 0));
    data.CPdqLine = 0;
    host.Input.FontName = "song";
    Caret(6);
    keys->KeyUpCtrl(9);
    ASSERT_EQ(data.WordCount(), 10);  // one alignment space before 'b'
    EXPECT_EQ(W(6).WdAsc, 32);
    for (auto [lyric, note] : {std::pair{5, 0}, std::pair{7, 2}, std::pair{8, 3}})
        EXPECT_FLOAT_EQ(GetWordCenterX(data, lyric), GetWordCenterX(data, note)) << lyric;
    EXPECT_EQ(DifferenceFromFullLayout(), "");
}

}  // namespace
}  // namespace notaline
