#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "MarkFixture.h"
#include "model/document/MarkSlots.h"

namespace notaline {
namespace {

using test::SetMark;

class MarkCommandsTest : public test::MarkTest {};

TEST_F(MarkCommandsTest, FormatWordFillsTheFirstFreeSlotAsOneStep) {
    Start("1234|");
    W(1).EditMark(0, [](tessaly::aExtralWordInfo& s) { std::memcpy(s.ExtralWordVal3, "keep", 4); });
    Select(1, 0);
    auto before = Bytes();
    EXPECT_FALSE(marks->FormatWord(18, 0x1000C));
    EXPECT_EQ(18, Slot(1, 0).IndexType);
    EXPECT_EQ(12, Slot(1, 0).ExtralWordVal1);
    EXPECT_EQ(1, Slot(1, 0).ExtralWordVal2);
    EXPECT_EQ("keep", GetExtralWordVal3(data, 1, 0));  // the text is not the command's to write
    ExpectOneStep(before, 0);

    // Marks in slots 0, 1 and 3: the next goes to slot 2. -1 packs as -1 and -1.
    SetMark(data, 2, 0, 1);
    SetMark(data, 2, 1, 2);
    SetMark(data, 2, 3, 3);
    Select(2, 1);
    before = Bytes();
    EXPECT_FALSE(marks->FormatCombiningChar(142, -1));
    EXPECT_EQ(142, Slot(2, 2).IndexType);
    EXPECT_EQ(-1, Slot(2, 2).ExtralWordVal1);
    EXPECT_EQ(-1, Slot(2, 2).ExtralWordVal2);
    ExpectOneStep(before, 1);
}

// Painting only reads: the command stores the run count and the hairpin length it can draw.
TEST_F(MarkCommandsTest, NewMarksAreStoredAsTheyAreDrawn) {
    Start("1234|");
    Select(0, 0);
    marks->FormatWord(kMarkTrill, 0);
    EXPECT_EQ(1, Slot(0, 0).ExtralWordVal2);
    marks->FormatWord(kMarkDoubleSlide, -3 * 0x10000);
    EXPECT_EQ(1, Slot(0, 1).ExtralWordVal2);
    marks->FormatWord(kMarkCrescendo, 9 * 0x10000);  // past the last character
    EXPECT_EQ(4, Slot(0, 2).ExtralWordVal2);         // to the paragraph end
    marks->FormatWord(18, -3 * 0x10000);             // other codes keep their values
    EXPECT_EQ(-3, Slot(0, 3).ExtralWordVal2);
}

TEST_F(MarkCommandsTest, TheLayoutIsToldOfTheSelectedParagraphsOnly) {
    Start("12|34|56|");
    Select(1, 1);
    marks->FormatWord(18, 0);
    EXPECT_EQ(0, data.InputDat.iWord1);
    EXPECT_EQ(2, data.InputDat.iWord2);
    EXPECT_EQ(1, data.InputDat.iDelLength);
    EXPECT_EQ(1, data.InputDat.iAddLength);
    Select(3, 2);
    ranges->FormatHuXian(3, 2, 72, 0);
    EXPECT_EQ(3, data.InputDat.iWord1);
    EXPECT_EQ(5, data.InputDat.iWord2);
    EXPECT_EQ(2, data.InputDat.iDelLength);
}

TEST_F(MarkCommandsTest, AFullCharacterTakesNothingYetTheCommandIsAStep) {
    Start("1234|");
    FillSlots(0, 5);
    Select(0, 0);
    const auto before = Bytes();
    marks->FormatWord(18, 0);
    EXPECT_EQ(before, Bytes());
    EXPECT_EQ(1, Steps());
    undo->UserUndo();
    EXPECT_EQ(before, Bytes());
    EXPECT_EQ(0, system.Beeps);
}

TEST_F(MarkCommandsTest, LeftwardSelectionMarksItsFirstCharacterAsAForwardOneAndUndoesIt) {
    Start("123456|");
    Select(4, -3);  // characters 1 to 3 selected, made leftward
    const auto before = Bytes();
    marks->FormatWord(1, 0);
    EXPECT_EQ(1, Slot(1, 0).IndexType);
    EXPECT_EQ(0, Slot(4, 0).IndexType);
    ExpectOneStep(before, 0);
    EXPECT_EQ(4, data.SelStart);
    EXPECT_EQ(-3, data.SelLength);
}

TEST_F(MarkCommandsTest, BadPositionsAndCodesAreRefusedWithABeep) {
    Start("12|");
    const auto before = Bytes();
    Select(3, 0);  // the spare record past the end
    marks->FormatWord(1, 0);
    Select(-1, 0);
    marks->FormatWord(1, 0);
    Select(0, 5);
    marks->FormatWord(1, 0);
    Select(0, 0);
    marks->FormatWord(0, 0);
    marks->FormatWord(181, 0);
    marks->Format_ChangSpeed(2, 2, 165, 0);
    marks->FormatCustomWord(-2, 1, "x", 0);
    marks->FormatCustomWord(INT32_MIN, -1, "x", 0);
    marks->FormatCustomWord(0, INT32_MIN, "x", 0);
    marks->FormatCustomWord(INT32_MAX, INT32_MAX, "x", 0);
    ranges->FormatHuXian(INT32_MIN + 1, INT32_MIN, 72, 0);
    Select(INT32_MAX, INT32_MIN);
    marks->FormatWord(1, 0);
    ranges->FormatLinYing("3", 0);
    EXPECT_FALSE(ranges->DelAreaInfo(INT32_MAX, INT32_MAX, 72));
    EXPECT_FALSE(ranges->CanDelAreaInfo(72));
    EXPECT_EQ(13, system.Beeps);
    EXPECT_EQ(before, Bytes());
    EXPECT_EQ(0, Steps());
    EXPECT_FALSE(undo->CanUndo());
}

TEST_F(MarkCommandsTest, TextMembersKeepSixteenBytesOnTheRangesFirstCharacter) {
    Start("12345|");
    const std::string text = "ABCDEFGHIJKLMNOPQRST";
    const struct {
        int32_t code;
        void (MarkCommands::*member)(int32_t, int32_t, std::string_view, int32_t);
    } members[] = {{120, &MarkCommands::FormatTestWord},
                   {131, &MarkCommands::FormatXiaoJieXuHao},
                   {37, &MarkCommands::Format_Custom_ChangSpeed},
                   {119, &MarkCommands::FormatCustomWord}};
    int steps = 0;
    for (const auto& m : members) {
        const auto before = Bytes();
        ((*marks).*m.member)(1, 3, text, 0x20005);
        const auto& slot = Slot(1, steps);
        EXPECT_EQ(m.code, slot.IndexType);
        EXPECT_EQ(5, slot.ExtralWordVal1);
        EXPECT_EQ(2, slot.ExtralWordVal2);
        EXPECT_EQ(text.substr(0, 16), GetExtralWordVal3(data, 1, steps));
        ExpectOneStep(before, steps++);
    }
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRST", text);

    // A negative length: the range before the start, the mark on its first character.
    const auto before = Bytes();
    marks->Format_ChangSpeed(4, -2, 170, 3);
    EXPECT_EQ(170, Slot(2, 0).IndexType);
    EXPECT_EQ(3, Slot(2, 0).ExtralWordVal1);
    ExpectOneStep(before, steps);
}

TEST_F(MarkCommandsTest, SyllablesGoOnNotesWithoutOne) {
    Start("10123a4|");
    SetMark(data, 3, 2, 134);  // the 2 already sings "re"
    Select(0, 7);
    auto before = Bytes();
    marks->FormatZhuYingWord(0x10004);
    EXPECT_EQ(133, Slot(0, 0).IndexType);
    EXPECT_EQ(4, Slot(0, 0).ExtralWordVal1);
    EXPECT_EQ(1, Slot(0, 0).ExtralWordVal2);
    EXPECT_EQ(0, Slot(1, 0).IndexType);  // the rest
    EXPECT_EQ(133, Slot(2, 0).IndexType);
    EXPECT_EQ(0, Slot(3, 0).IndexType);  // "re" stays as it was, in its own slot
    EXPECT_EQ(134, Slot(3, 2).IndexType);
    EXPECT_EQ(135, Slot(4, 0).IndexType);
    EXPECT_EQ(0, Slot(5, 0).IndexType);  // the lyric character
    EXPECT_EQ(136, Slot(6, 0).IndexType);
    ExpectOneStep(before, 0);

    // All notes sing already: nothing is recorded.
    before = Bytes();
    marks->FormatZhuYingWord(0);
    EXPECT_EQ(before, Bytes());
    EXPECT_EQ(1, Steps());

    // A note whose slots are full is skipped, the others still get theirs.
    Start("123|");
    FillSlots(1, 7);
    Select(3, -3);
    before = Bytes();
    marks->FormatZhuYingWord(0);
    EXPECT_EQ(133, Slot(0, 0).IndexType);
    EXPECT_EQ(7, Slot(1, 7).IndexType);
    EXPECT_EQ(135, Slot(2, 0).IndexType);
    ExpectOneStep(before, 0);
}

TEST_F(MarkCommandsTest, SyllablesMoveAsOneStepEachTime) {
    Start("123|");
    SetMark(data, 0, 1, 133, 10);
    SetMark(data, 2, 0, 135, -4);
    SetMark(data, 2, 3, 135, 50);  // a second syllable: only the first one moves
    Select(0, 3);
    const auto start = Bytes();
    marks->FormatZhuYingWordPosY(3);
    const auto once = Bytes();
    marks->FormatZhuYingWordPosY(3);
    EXPECT_EQ(16, Slot(0, 1).ExtralWordVal1);
    EXPECT_EQ(2, Slot(2, 0).ExtralWordVal1);
    EXPECT_EQ(50, Slot(2, 3).ExtralWordVal1);
    ExpectOneStep(once, 1);
    undo->UserUndo();
    undo->UserUndo();
    EXPECT_EQ(start, Bytes());

    // The 16-bit sum stops at its limits.
    W(0).EditMark(1, [](tessaly::aExtralWordInfo& s) { s.ExtralWordVal1 = 32760; });
    W(2).EditMark(0, [](tessaly::aExtralWordInfo& s) { s.ExtralWordVal1 = -32760; });
    marks->FormatZhuYingWordPosY(100);
    EXPECT_EQ(32767, Slot(0, 1).ExtralWordVal1);
    EXPECT_EQ(-32660, Slot(2, 0).ExtralWordVal1);
    marks->FormatZhuYingWordPosY(-32768);
    EXPECT_EQ(-32768, Slot(2, 0).ExtralWordVal1);

    // Nothing to move: nothing recorded.
    const int steps = Steps();
    Select(1, 1);
    marks->FormatZhuYingWordPosY(3);
    EXPECT_EQ(steps, Steps());
}

TEST_F(MarkCommandsTest, RemovingSyllablesClearsOnlyTheFirstCode) {
    Start("123|");
    SetMark(data, 0, 0, 133, 7, 2);
    SetMark(data, 2, 1, 135, 5);
    SetMark(data, 2, 4, 135, 6);
    Select(0, 3);
    auto before = Bytes();
    marks->DelSelZhuYing();
    EXPECT_EQ(0, Slot(0, 0).IndexType);
    EXPECT_EQ(7, Slot(0, 0).ExtralWordVal1);  // the values stay
    EXPECT_EQ(2, Slot(0, 0).ExtralWordVal2);
    EXPECT_EQ(0, Slot(2, 1).IndexType);
    EXPECT_EQ(135, Slot(2, 4).IndexType);
    ExpectOneStep(before, 0);

    Select(1, 1);
    before = Bytes();
    marks->DelSelZhuYing();
    EXPECT_EQ(before, Bytes());
    EXPECT_EQ(1, Steps());
}

}  // namespace
}  // namespace notaline
