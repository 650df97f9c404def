#include <gtest/gtest.h>

#include <string>

#include "MarkEditFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/edit/MarkCommands.h"

namespace notaline {
namespace {

using test::SetMark;

using MarkValuesTest = test::MarkEditTest;

TEST_F(MarkValuesTest, OneValueOfOneSlotCoalescesIntoOneStep) {
    Start("1234|");
    SetMark(data, 1, 2, 18, 3, 4);
    const auto original = Bytes();
    Select(1, 0);
    for (int32_t v = 1; v <= 5; ++v) {
        marks->ExtralWordVal1(1, 2, v);
        Relayout();
    }
    EXPECT_EQ(5, marks->ExtralWordVal1(1, 2));
    const auto changed = Bytes();
    EXPECT_EQ(1, UndoAll());
    EXPECT_EQ(original, Bytes());
    undo->UserRedo();
    EXPECT_EQ(changed, Bytes());
    EXPECT_EQ(1, data.SelStart);

    // Another value, another slot or another character starts a new step.
    marks->ExtralWordVal1(1, 2, 7);
    marks->ExtralWordVal2(1, 2, 8);
    marks->ExtralWordVal2(1, 3, 9);
    marks->ExtralWordVal2(2, 3, 9);
    marks->ExtralWordVal2(2, 3, 10);
    EXPECT_EQ(5, UndoAll());
    EXPECT_EQ(original, Bytes());
}

TEST_F(MarkValuesTest, OpenValueStepClosesOnOtherChangesModifiedAndUndo) {
    Start("1234|");
    SetMark(data, 0, 0, 18);
    undo->Modified(false);
    const auto original = Bytes();
    marks->ExtralWordVal2(0, 0, 1);
    EXPECT_TRUE(undo->Modified());   // closes the step
    marks->ExtralWordVal2(0, 0, 2);  // so this is a step of its own
    const auto twoLets = Bytes();
    marks->DelExtralType(0, 0, 18);  // closes it too
    EXPECT_EQ(0, Slot(0, 0).IndexType);
    undo->UserUndo();
    EXPECT_EQ(twoLets, Bytes());
    undo->UserUndo();
    EXPECT_EQ(1, Slot(0, 0).ExtralWordVal2);
    undo->UserUndo();
    EXPECT_EQ(original, Bytes());
    EXPECT_FALSE(undo->Modified());

    // An undo closes an open step before taking it back.
    marks->ExtralWordVal1(0, 0, 4);
    marks->ExtralWordVal1(0, 0, 5);
    undo->UserUndo();
    EXPECT_EQ(original, Bytes());
    EXPECT_FALSE(undo->CanUndo());

    // Any other recorded command closes it: the switch and the mark are two steps.
    Select(0, 0);
    marks->ChangExtralType(18, 19);
    MarkCommands(data, *undo).FormatWord(20, 0);
    EXPECT_TRUE(HasExtralType(data, 0, 20));
    undo->UserUndo();
    EXPECT_EQ(19, Slot(0, 0).IndexType);
    undo->UserUndo();
    EXPECT_EQ(original, Bytes());
}

TEST_F(MarkValuesTest, TextKeepsSixteenBytes) {
    Start("1234|");
    SetMark(data, 2, 5, 120);
    const auto original = Bytes();
    marks->ExtralWordVal3(2, 5, "abcdefghijklmnopqrst");
    EXPECT_EQ("abcdefghijklmnop", marks->ExtralWordVal3(2, 5));
    marks->ExtralWordVal3(2, 5, "\xD6\xD0");  // 中
    EXPECT_EQ("\xD6\xD0", marks->ExtralWordVal3(2, 5));
    const auto changed = Bytes();
    EXPECT_EQ(1, UndoAll());
    EXPECT_EQ(original, Bytes());
    undo->UserRedo();
    EXPECT_EQ(changed, Bytes());
}

TEST_F(MarkValuesTest, TimeSignatureValuesRefitItsWidth) {
    Start("1234|");
    SetMark(data, 1, 1, kMarkTimeSignature, 3, 4);
    const float before = W(1).WdSize.cx;  // 10 from the fixture
    marks->ExtralWordVal2(1, 1, 8);
    EXPECT_EQ(8, W(1).WdSize.cx);  // "1" at 16 pixels
    marks->ExtralWordVal1(1, 1, 12);
    EXPECT_EQ(16, W(1).WdSize.cx);  // "12"
    SetMark(data, 2, 0, 18, 3, 4);
    const float plain = W(2).WdSize.cx;
    marks->ExtralWordVal1(2, 0, 12);  // not a time signature
    EXPECT_EQ(plain, W(2).WdSize.cx);
    UndoAll();
    EXPECT_EQ(before, W(1).WdSize.cx);
}

TEST_F(MarkValuesTest, SlotsAndCharactersOutsideTheDocumentAreRefused) {
    Start("1234|");
    SetMark(data, 0, 7, 18, 5, 6);
    const auto original = Bytes();
    EXPECT_EQ(5, marks->ExtralWordVal1(0, 7));
    EXPECT_EQ(0, marks->ExtralWordVal1(0, 8));
    EXPECT_EQ(0, marks->ExtralWordVal2(-1, 0));
    EXPECT_EQ("", marks->ExtralWordVal3(5, 0));  // the spare record is no character
    marks->ExtralWordVal1(0, 8, 1);
    marks->ExtralWordVal2(0, -1, 1);
    marks->ExtralWordVal3(5, 0, "x");
    marks->ExtralWordVal1(-1, 0, 1);
    marks->DelExtralType(9, 0, 18);
    marks->DelExtralType(INT32_MIN, -1, 18);
    marks->DelExtralType(0, 0, 0);  // code 0 names the free slots, not a mark
    Select(0, 9);
    marks->ChangExtralType(18, 19, 18, 19);
    Select(0, 0);
    marks->ChangExtralType(18, 181);
    EXPECT_EQ(9, system.Beeps);
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(original, Bytes());
}

TEST_F(MarkValuesTest, NothingChangesWhenTheJournalCannotBeWritten) {
    Start("1234|");
    SetMark(data, 0, 0, 81, 1, 2);
    const auto original = Bytes();
    journal->writesLeft = 0;
    marks->ExtralWordVal1(0, 0, 9);
    marks->ExtralWordVal3(0, 0, "x");
    marks->DelExtralType(0, 1, 81);
    marks->ChangExtralType(81, 83);
    EXPECT_EQ(original, Bytes());
    EXPECT_FALSE(undo->CanUndo());

    // An open step whose after-image cannot be written when it closes keeps its changes, which
    // were made and shown; its step is finished once the journal takes it, and nothing else is
    // recorded, undone or redone before.
    journal->writesLeft = 1 << 30;
    marks->ExtralWordVal1(0, 0, 9);
    journal->writesLeft = 0;
    marks->ExtralWordVal1(0, 0, 10);
    EXPECT_EQ(10, marks->ExtralWordVal1(0, 0));
    EXPECT_TRUE(undo->Modified());
    EXPECT_FALSE(undo->JournalError().empty());
    undo->UserUndo();
    EXPECT_EQ(10, marks->ExtralWordVal1(0, 0));
    marks->ExtralWordVal1(0, 0, 11);
    EXPECT_EQ(10, marks->ExtralWordVal1(0, 0));

    journal->writesLeft = 1 << 30;
    undo->UserUndo();
    EXPECT_EQ(original, Bytes());
    EXPECT_FALSE(undo->CanUndo());
    undo->UserRedo();
    EXPECT_EQ(10, marks->ExtralWordVal1(0, 0));
}

TEST_F(MarkValuesTest, DelExtralTypeClearsTheCodeOnTheFirstCharacterOnly) {
    Start("12345|");
    for (int32_t w = 1; w <= 3; ++w) SetMark(data, w, 1, 18, 2, 3);
    SetMark(data, 1, 4, 18, 4, 5);
    SetMark(data, 1, 2, 17, 6, 7);
    W(1).EditMark(4, [&](tessaly::aExtralWordInfo& s) { s.ExtralWordVal3[0] = 'a'; });
    const auto original = Bytes();
    marks->DelExtralType(4, -3, 18);  // the characters 1 to 3
    const auto changed = Bytes();
    EXPECT_FALSE(HasExtralType(data, 1, 18));
    EXPECT_EQ(0, Slot(1, 4).ExtralWordVal3[0]);
    EXPECT_EQ(17, Slot(1, 2).IndexType);
    EXPECT_TRUE(HasExtralType(data, 2, 18));
    EXPECT_TRUE(HasExtralType(data, 3, 18));
    undo->UserUndo();
    EXPECT_EQ(original, Bytes());
    undo->UserRedo();
    EXPECT_EQ(changed, Bytes());

    // A code the character does not carry still leaves a step, which changes nothing.
    marks->DelExtralType(0, 0, 18);
    EXPECT_EQ(changed, Bytes());
    EXPECT_EQ(2, UndoAll());
    EXPECT_EQ(original, Bytes());
}

TEST_F(MarkValuesTest, ChangExtralTypeSwitchesCodesAndCoalescesAtOneSelection) {
    Start("12345|");
    SetMark(data, 1, 0, 18);
    SetMark(data, 1, 3, 81, 12, 4);
    SetMark(data, 1, 5, 81, 1, 1);
    const auto original = Bytes();
    Select(1, 0);
    marks->ChangExtralType(81, 83);
    EXPECT_EQ(83, Slot(1, 3).IndexType);
    EXPECT_EQ(12, Slot(1, 3).ExtralWordVal1);
    EXPECT_EQ(4, Slot(1, 3).ExtralWordVal2);
    EXPECT_EQ(81, Slot(1, 5).IndexType);  // only the first
    marks->ChangExtralType(83, 84);
    marks->ChangExtralType(84, 82);
    EXPECT_EQ(82, Slot(1, 3).IndexType);
    const auto switched = Bytes();
    EXPECT_EQ(1, UndoAll());
    EXPECT_EQ(original, Bytes());
    undo->UserRedo();
    EXPECT_EQ(switched, Bytes());

    // A pair's two ends over a selection; a new selection is a new step.
    SetMark(data, 4, 2, 73, 0, 9);
    SetMark(data, 1, 6, 72, 0, 9);
    const auto paired = Bytes();
    Select(5, -4);
    marks->ChangExtralType(72, 150, 73, 151);
    EXPECT_EQ(150, Slot(1, 6).IndexType);
    EXPECT_EQ(151, Slot(4, 2).IndexType);
    const auto slur = Bytes();
    Select(1, 2);
    marks->ChangExtralType(18, 19);
    undo->UserUndo();
    EXPECT_EQ(slur, Bytes());
    undo->UserUndo();
    EXPECT_EQ(paired, Bytes());

    // Both codes on one character: the second switch finds the next slot.
    SetMark(data, 1, 3, 81);
    SetMark(data, 1, 5, 81);
    Select(1, 0);
    marks->ChangExtralType(81, 83, 81, 84);
    EXPECT_EQ(83, Slot(1, 3).IndexType);
    EXPECT_EQ(84, Slot(1, 5).IndexType);

    // Neither code there: nothing is recorded.
    undo->Modified(false);
    marks->ChangExtralType(99, 100, 98, 97);
    EXPECT_FALSE(undo->Modified());
    EXPECT_EQ(0, system.Beeps);
}

}  // namespace
}  // namespace notaline
