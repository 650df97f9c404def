#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "DocumentCommandFixture.h"
#include "KeyboardFixture.h"
#include "model/edit/HostMembers.h"
#include "model/layout/LayoutSetup.h"

namespace notaline {
namespace {

// How the key arrives: the key-down routines by shift mask, the key press, the Ctrl key-up.
enum Route { NoShift, Shift, Ctrl, CtrlShift, Press, UpCtrl };

struct KeyCase {
    const char* Name;
    const char* Doc;
    tessaly::InputState State;
    int32_t Start, Length;
    Route How;
    int32_t Key;
    int32_t WantStart, WantLength;
    bool Changes;  // the document's characters
    int Beeps;
    bool Redraws;
    bool Notifies;
};

constexpr tessaly::InputState Jp = tessaly::JpState;
constexpr tessaly::InputState Gc = tessaly::GcState;

// "12345678901234|ab|": line 0 is characters 0-9 (wrapped), line 1 10-14 (ends its paragraph),
// line 2 15-17; the last character is 17.
constexpr char kDoc[] = "12345678901234|ab|";

const KeyCase kKeys[] = {
    {"LeftAtZeroStays", kDoc, Jp, 0, 0, NoShift, 37, 0, 0, false, 0, true, true},
    {"LeftMovesAndDropsSelection", kDoc, Jp, 5, 3, NoShift, 37, 4, 0, false, 0, true, true},
    {"RightOnLastStays", kDoc, Jp, 17, 0, NoShift, 39, 17, 0, false, 0, true, true},
    {"RightToLast", kDoc, Gc, 16, 0, NoShift, 39, 17, 0, false, 0, true, true},
    {"HomeGoesToLineStart", kDoc, Jp, 13, 0, NoShift, 36, 10, 0, false, 0, true, true},
    {"EndOfWrappedLineIsAfterItsLast", kDoc, Jp, 5, 0, NoShift, 35, 10, 0, false, 0, true, true},
    {"EndOfParagraphLineIsBeforeTheMark", kDoc, Jp, 11, 0, NoShift, 35, 14, 0, false, 0, true, true},
    {"UpOnFirstLineDoesNothing", kDoc, Jp, 5, 0, NoShift, 38, 5, 0, false, 0, false, false},
    {"DownOnLastLineDoesNothing", kDoc, Jp, 16, 0, NoShift, 40, 16, 0, false, 0, false, false},
    {"DownKeepsTheColumn", kDoc, Jp, 3, 0, NoShift, 40, 13, 0, false, 0, true, true},
    {"UpKeepsTheColumn", kDoc, Jp, 12, 0, NoShift, 38, 2, 0, false, 0, true, true},
    {"PageDownKeepsTheCaret", kDoc, Jp, 5, 2, NoShift, 34, 5, 2, false, 0, true, true},
    {"OtherKeyIgnored", kDoc, Jp, 5, 0, NoShift, 46, 5, 0, false, 0, false, false},

    {"ShiftLeftAtStartChangesNothing", kDoc, Jp, 0, 0, Shift, 37, 0, 0, false, 0, false, false},
    {"ShiftLeftBackPastAnchor", kDoc, Jp, 5, 0, Shift, 37, 5, -1, false, 0, true, true},
    {"ShiftRightAtEndChangesNothing", kDoc, Jp, 17, 0, Shift, 39, 17, 0, false, 0, false, false},
    {"ShiftRightUpToLast", kDoc, Jp, 15, 1, Shift, 39, 15, 2, false, 0, true, true},
    {"ShiftRightStopsBeforeLast", kDoc, Jp, 15, 2, Shift, 39, 15, 2, false, 0, false, false},
    {"ShiftUpOnFirstLineAtStartChangesNothing", kDoc, Jp, 0, 0, Shift, 38, 0, 0, false, 0, false, false},
    {"ShiftUpOnFirstLineShrinks", kDoc, Jp, 5, 0, Shift, 38, 5, -1, false, 0, true, true},
    {"ShiftDownOnLastLineAtEndChangesNothing", kDoc, Jp, 16, 1, Shift, 40, 16, 1, false, 0, false, false},
    {"ShiftDownOnLastLineGrows", kDoc, Jp, 15, 0, Shift, 40, 15, 1, false, 0, true, true},
    {"ShiftHome", kDoc, Jp, 5, 0, Shift, 36, 5, -5, false, 0, true, true},
    {"ShiftEndTakesTheParagraphMark", kDoc, Jp, 11, 0, Shift, 35, 11, 4, false, 0, true, true},

    {"CtrlHome", kDoc, Jp, 12, 2, Ctrl, 36, 0, 0, false, 0, true, true},
    {"CtrlEnd", kDoc, Jp, 3, 0, Ctrl, 35, 17, 0, false, 0, true, true},
    {"CtrlBoldChanges", kDoc, Jp, 2, 3, Ctrl, 'B', 2, 3, true, 0, true, false},
    {"CtrlShiftHomeRunsBackwards", kDoc, Jp, 5, 0, CtrlShift, 36, 5, -5, false, 0, true, true},
    {"CtrlShiftEndStopsBeforeLast", kDoc, Jp, 5, 0, CtrlShift, 35, 5, 12, false, 0, true, true},

    {"BackspaceDeletesBefore", kDoc, Jp, 5, 0, Press, 8, 4, 0, true, 0, true, true},
    {"BackspaceAtStartKeepsText", kDoc, Jp, 0, 0, Press, 8, 0, 0, false, -1, true, true},
    {"EnterSplitsTheParagraph", kDoc, Gc, 5, 0, Press, 13, 6, 0, true, 0, true, true},
    {"OtherPressLeftToTheWindow", kDoc, Jp, 5, 0, Press, 'a', 5, 0, false, 0, false, false},

    {"CtrlRightWidensTheSelection", kDoc, Jp, 2, 3, UpCtrl, 39, 2, 3, true, 0, true, false},
    {"CtrlRightWithoutSelection", kDoc, Jp, 2, 0, UpCtrl, 39, 2, 0, false, 0, true, false},
    {"CtrlUpRaisesTheSelection", kDoc, Jp, 2, 3, UpCtrl, 38, 2, 3, true, 0, true, false},
    {"CtrlDownMovesTheParagraph", kDoc, Jp, 2, 0, UpCtrl, 40, 2, 0, true, 0, true, false},
    {"CtrlTabWithoutAlignment", kDoc, Jp, 2, 0, UpCtrl, 9, 2, 0, false, 0, false, false},

    // A document of its paragraph end alone.
    {"EmptyLeft", "|", Jp, 0, 0, NoShift, 37, 0, 0, false, 0, true, true},
    {"EmptyRight", "|", Jp, 0, 0, NoShift, 39, 0, 0, false, 0, true, true},
    {"EmptyEnd", "|", Jp, 0, 0, NoShift, 35, 0, 0, false, 0, true, true},
    {"EmptyUp", "|", Jp, 0, 0, NoShift, 38, 0, 0, false, 0, false, false},
    {"EmptyDown", "|", Jp, 0, 0, NoShift, 40, 0, 0, false, 0, false, false},
    {"EmptyShiftRight", "|", Jp, 0, 0, Shift, 39, 0, 0, false, 0, false, false},
    {"EmptyShiftDown", "|", Jp, 0, 0, Shift, 40, 0, 0, false, 0, false, false},
    {"EmptyCtrlShiftEnd", "|", Jp, 0, 0, CtrlShift, 35, 0, 0, false, 0, true, true},
    {"EmptyBackspace", "|", Jp, 0, 0, Press, 8, 0, 0, false, -1, true, true},
    {"EmptyEnter", "|", Gc, 0, 0, Press, 13, 1, 0, true, 0, true, true},
};

class KeyTable : public test::KeyboardTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTable, CaretSelectionChangeBeeps) {
    const KeyCase& k = GetParam();
    Start(k.Doc);
    data.InputState = k.State;
    Caret(k.Start, k.Length);
    const auto before = test::StateOf(data);
    switch (k.How) {
        case NoShift: keys->KeyDownNoShift(k.Key); break;
        case Shift: keys->KeyDownShift(k.Key); break;
        case Ctrl: keys->KeyDownCtrl(k.Key); break;
        case CtrlShift: keys->KeyDownCtrlShift(k.Key); break;
        case Press: keys->KeyPressInput(k.Key); break;
        case UpCtrl: keys->KeyUpCtrl(k.Key); break;
    }
    EXPECT_EQ(data.SelStart, k.WantStart);
    EXPECT_EQ(data.SelLength, k.WantLength);
    EXPECT_EQ(!(test::StateOf(data) == before), k.Changes);
    if (k.Beeps >= 0) {  // -1: the editing member's business
        EXPECT_EQ(system.Beeps, k.Beeps);
    }
    EXPECT_EQ(Redrawn(), k.Redraws);
    EXPECT_EQ(!host.Notified.empty(), k.Notifies);
    if (k.Notifies) {
        EXPECT_EQ(host.Notified.back(), std::make_pair(data.SelStart, data.SelLength));
    }
    // Whatever the key, the caret line stays in the line table.
    EXPECT_GE(data.CurLine, 0);
    EXPECT_LT(data.CurLine, std::max(data.LineCount(), 1));
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTable, ::testing::ValuesIn(kKeys),
                         [](const auto& info) { return std::string(info.param.Name); });

using Keys = test::KeyboardTest;

TEST_F(Keys, LayoutIsTheOneTheTableAssumes) {
    Start(kDoc);
    ASSERT_EQ(data.LineCount(), 3);
    EXPECT_EQ(L(0).Start, 0);
    EXPECT_EQ(L(0).Length, 10);
    EXPECT_EQ(L(0).LineIsCtl, tessaly::kFalse);
    EXPECT_EQ(L(1).Start, 10);
    EXPECT_EQ(L(1).Length, 5);
    EXPECT_NE(L(1).LineIsCtl, tessaly::kFalse);
}

TEST_F(Keys, EndOnWrappedLineThenUpOrDownStepsBackFirst) {
    Start(kDoc);
    Caret(3);
    keys->KeyDownNoShift(35);
    EXPECT_TRUE(data.CaretAtLineEnd);
    EXPECT_EQ(data.CurLine, 0);
    EXPECT_EQ(data.CaretColumnX, static_cast<int16_t>(W(9).Left));
    keys->KeyDownNoShift(40);
    EXPECT_FALSE(data.CaretAtLineEnd);
    EXPECT_EQ(data.CurLine, 1);
    EXPECT_EQ(data.SelStart, GetWordIndexAtX(data, 1, static_cast<int16_t>(W(9).Left)));
}

TEST_F(Keys, EveryKeyOnADocumentWithoutCharactersIsSafe) {
    Start("");
    for (int32_t key : {8, 9, 13, 33, 34, 35, 36, 37, 38, 39, 40, 66, 73, 75, 85}) {
        keys->KeyDownNoShift(key);
        keys->KeyDownShift(key);
        keys->KeyDownCtrl(key);
        keys->KeyDownCtrlShift(key);
        keys->KeyPressInput(key);
        keys->KeyUpCtrl(key);
        EXPECT_EQ(data.SelStart, 0) << key;
    }
}

TEST_F(Keys, CaretLineOutOfStepIsRefused) {
    Start(kDoc);
    Caret(5);
    data.CurLine = 7;
    keys->KeyDownNoShift(35);
    keys->KeyDownNoShift(36);
    keys->KeyDownShift(35);
    EXPECT_EQ(data.SelStart, 5);
    EXPECT_EQ(data.SelLength, 0);
}

// Down, Shift+Down, End from the line before a line a key cut short, Ctrl+End, Ctrl+Shift+End
// and select-all, then the joining up when idle: the caret as in the paragraph broken whole.
TEST_F(Keys, CaretKeysAcrossALineCutShortGoWhereTheyGoInTheWholeLayout) {
    const auto caretAfter = [&](Route how, int32_t key, bool settleFirst) {
        Start(std::string(995, '5') + "|");  // room on the last line: a cut takes a line more
        data.WriteHeight = 200;
        Layout();
        data.InputWords = {W(1).Expand()};
        edit->Typed.InputWord(0, 0);
        LayOutEdit(data, view);
        EXPECT_TRUE(data.LineInfo.HasCutLine());
        Caret(how == NoShift || how == Shift ? L(static_cast<int32_t>(data.LineInfo.CutLine()) - 1).Start + 3 : 0);
        if (settleFirst) JoinUp(data, view);
        const auto press = how == NoShift ? &Keyboard::KeyDownNoShift
                           : how == Shift ? &Keyboard::KeyDownShift
                           : how == Ctrl  ? &Keyboard::KeyDownCtrl
                                          : &Keyboard::KeyDownCtrlShift;
        (keys.get()->*press)(key);
        if (key == 'A') SelectAll(data);
        JoinUp(data, view);
        EXPECT_EQ(DifferenceFromFullLayout(), "");
        return std::tuple{data.SelStart, data.SelLength, data.CurLine, data.CaretAtLineEnd};
    };
    for (const auto& [how, key] :
         {std::pair{NoShift, 40}, {Shift, 40}, {NoShift, 35}, {Ctrl, 35}, {CtrlShift, 35}, {Ctrl, int('A')}})
        EXPECT_EQ(caretAfter(how, key, false), caretAfter(how, key, true)) << how << " " << key;
}

TEST_F(Keys, CtrlBTwiceRestoresBoldInTwoUndoSteps) {
    Start(kDoc);
    Caret(2, 3);
    keys->KeyDownCtrl('B');
    EXPECT_TRUE(edit->Chars.Bold(2, 3));
    keys->KeyDownCtrl('B');
    EXPECT_FALSE(edit->Chars.Bold(2, 3));
    edit->Undo.UserUndo();
    EXPECT_TRUE(edit->Chars.Bold(2, 3));
    edit->Undo.UserUndo();
    EXPECT_FALSE(edit->Chars.Bold(2, 3));
    EXPECT_FALSE(edit->Undo.CanUndo());
}

TEST_F(Keys, CtrlUpAndDownStepSpacingBeforeAndRaise) {
    Start(kDoc);
    Caret(2);
    keys->KeyUpCtrl(40);
    keys->KeyUpCtrl(40);
    EXPECT_EQ(edit->Paragraphs.SelSpacingBefore(2, 0), 2);
    keys->KeyUpCtrl(38);
    EXPECT_EQ(edit->Paragraphs.SelSpacingBefore(2, 0), 1);
    Caret(2, 3);
    keys->KeyUpCtrl(38);
    EXPECT_EQ(edit->Spacing.UpSpace(2, 3), 1.0f);
    keys->KeyUpCtrl(40);
    keys->KeyUpCtrl(40);
    EXPECT_EQ(edit->Spacing.UpSpace(2, 3), -1.0f);
}

TEST_F(Keys, CtrlUpOverMixedRaiseBeepsAndKeepsThem) {
    Start(kDoc);
    Caret(2, 1);
    keys->KeyUpCtrl(38);
    Caret(2, 3);
    keys->KeyUpCtrl(38);
    EXPECT_EQ(system.Beeps, 1);
    EXPECT_EQ(W(2).UpSpace, 1.0f);
    EXPECT_EQ(W(3).UpSpace, 0.0f);
}

TEST_F(Keys, CtrlTabWithoutAlignmentSaysSo) {
    Start(kDoc);
    Caret(3);
    keys->KeyUpCtrl(9);
    ASSERT_EQ(view.Messages.size(), 1u);
    EXPECT_EQ(view.Messages[0], "请先设置当前行为小节相应的对齐属性。");
}

}  // namespace
}  // namespace notaline
