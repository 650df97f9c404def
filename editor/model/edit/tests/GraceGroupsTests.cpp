#include <gtest/gtest.h>

#include <utility>

#include "MarkEditFixture.h"
#include "model/document/GraceNotes.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/mGeneral.h"

namespace notaline {
namespace {

using test::SetMark;

class GraceGroupsTest : public test::MarkEditTest {
protected:
    // The grace-note mark's group value and position; {0, 0} without one.
    std::pair<int32_t, int32_t> Mark(int32_t word) {
        const auto s = GetExtralWordInfo(data, word, kMarkGraceNote);
        return {s.ExtralWordVal1, s.ExtralWordVal2};
    }

    bool CanForm(int32_t start, int32_t length) {
        Select(start, length);
        return grace->CanFormatYYInfo();
    }

    void Form(int32_t start, int32_t length, int32_t values) {
        Select(start, length);
        grace->FormatYYInfo(kMarkGraceNote, values);
        Relayout();
    }
};

TEST_F(GraceGroupsTest, AGroupIsFormedSwitchedAndRemovedInUndoableSteps) {
    Start("12345|");
    for (int32_t i = 1; i <= 3; ++i) W(i).Yc = 2;
    std::vector<std::vector<unsigned char>> states{Bytes()};

    ASSERT_TRUE(CanForm(1, 3));
    Form(1, 3, 31);
    states.push_back(Bytes());
    for (int32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(std::make_pair(3, i), Mark(i));
        EXPECT_EQ(-10, W(i).nLogFont().lfHeight);  // R(-16 x 0.6)
        EXPECT_EQ(0, W(i).Yc);
        EXPECT_EQ(5, W(i).WdSize.cx);  // measured with GDI at the grace height
    }
    EXPECT_EQ(std::make_pair(0, 0), Mark(4));
    EXPECT_EQ(1, grace->CanDelYY(1, 3));
    EXPECT_EQ(1, grace->CanDelYY(4, -3));
    EXPECT_EQ(0, grace->CanDelYY(1, 2));
    EXPECT_EQ(0, grace->CanDelYY(0, 4));
    EXPECT_TRUE(IsGraceNoteJoined(data, 3));  // the group's last note joins its main note
    EXPECT_FALSE(IsGraceNoteJoined(data, 4));
    Select(2, 1);
    FixGraceNoteGroup(data);
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(3, data.SelLength);

    Select(2, 1);  // part of the group switches the whole group
    grace->SetQianYY(true);
    Relayout();
    states.push_back(Bytes());
    for (int32_t i = 1; i <= 3; ++i) EXPECT_EQ(std::make_pair(6, i), Mark(i));
    EXPECT_EQ(2, grace->CanDelYY(1, 3));
    EXPECT_TRUE(IsGraceNoteJoined(data, 0));  // the main note before a group after it
    EXPECT_FALSE(IsGraceNoteJoined(data, 3));

    grace->SetQianYY(true);  // already after its main note: no step
    EXPECT_EQ(states.back(), Bytes());

    grace->DelYY(3, 1);
    Relayout();
    states.push_back(Bytes());
    for (int32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(std::make_pair(0, 0), Mark(i));
        EXPECT_EQ(-16, W(i).nLogFont().lfHeight);
        EXPECT_EQ(0, W(i).Yc);         // the duration is not given back
        EXPECT_EQ(6, W(i).WdSize.cx);  // measured with GDI+ at 12 points
    }
    EXPECT_EQ(1, data.SelStart);  // the selection covers the group
    EXPECT_EQ(3, data.SelLength);
    EXPECT_EQ(0, grace->CanDelYY(1, 3));

    for (size_t s = states.size() - 1; s > 0; --s) {
        ASSERT_TRUE(undo->CanUndo());
        undo->UserUndo();
        EXPECT_EQ(states[s - 1], Bytes()) << "undo to " << s - 1;
    }
    EXPECT_FALSE(undo->CanUndo());
    for (size_t s = 1; s < states.size(); ++s) {
        undo->UserRedo();
        EXPECT_EQ(states[s], Bytes()) << "redo to " << s;
    }
    EXPECT_EQ(0, system.Beeps);
}

TEST_F(GraceGroupsTest, OnlyOneToThreeFreeNotesBeforeTheEndCanBecomeAGroup) {
    Start("1234567890:|abc9|");
    EXPECT_FALSE(CanForm(0, 0));
    EXPECT_FALSE(CanForm(0, 4));
    EXPECT_TRUE(CanForm(7, 3));
    EXPECT_TRUE(CanForm(10, -3));  // the characters 7 to 9
    EXPECT_FALSE(CanForm(10, 2));  // a paragraph end
    EXPECT_FALSE(CanForm(12, 1));  // a lyric character
    EXPECT_TRUE(CanForm(15, 1));
    EXPECT_FALSE(CanForm(20, 1));

    SetMark(data, 1, 3, 73);  // the end of an arc
    EXPECT_FALSE(CanForm(0, 2));
    SetMark(data, 1, 3, 152);  // the start of a slur
    EXPECT_FALSE(CanForm(1, 1));
    SetMark(data, 1, 3, 75);  // a tuplet's end may be a grace note
    EXPECT_TRUE(CanForm(0, 2));
    SetMark(data, 2, 0, kMarkGraceNote, 1, 1);
    EXPECT_FALSE(CanForm(1, 2));
    for (int32_t s = 0; s < kSlotCount; ++s) SetMark(data, 4, s, 18);
    EXPECT_FALSE(CanForm(4, 1));  // no room for the mark

    // FormatYYInfo refuses whatever CanFormatYYInfo refuses, and values that do not fit the selection.
    const auto original = Bytes();
    Form(3, 2, 21);
    Form(5, 2, 31);
    Form(5, 2, 11);
    Form(5, 2, 1);
    Form(5, 2, 71);
    Form(5, 2, -29);
    EXPECT_EQ(6, system.Beeps);
    EXPECT_EQ(original, Bytes());
    EXPECT_FALSE(undo->CanUndo());

    Form(7, -2, 51);  // a group of two after its main note, given directly
    EXPECT_EQ(std::make_pair(5, 1), Mark(5));
    EXPECT_EQ(std::make_pair(5, 2), Mark(6));

    // A note as the last character of the text cannot become a group.
    W(16).WdAsc = '5';
    W(16).IsJpGcCtl = 1;
    EXPECT_FALSE(CanForm(16, 1));
    EXPECT_FALSE(CanForm(15, 2));
}

TEST_F(GraceGroupsTest, HeightsComeBackWithoutDrift) {
    Start("1234567|");
    W(1).EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -20; });
    W(1).SelSize = 15;
    W(2).EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -20; });
    W(2).SelSize = 0;                                                // no size in points: the height is divided back
    W(3).EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -20; });  // a size in points that never made this height
    Form(0, 3, 31);
    Form(3, 1, 11);
    EXPECT_EQ(-10, W(0).nLogFont().lfHeight);
    EXPECT_EQ(-12, W(1).nLogFont().lfHeight);
    EXPECT_EQ(-12, W(2).nLogFont().lfHeight);
    EXPECT_EQ(-12, W(3).nLogFont().lfHeight);
    grace->DelYY(0, 4);
    EXPECT_EQ(-16, W(0).nLogFont().lfHeight);  // -10 / 0.6 would give -17
    EXPECT_EQ(-20, W(1).nLogFont().lfHeight);
    EXPECT_EQ(-20, W(2).nLogFont().lfHeight);
    EXPECT_EQ(-20, W(3).nLogFont().lfHeight);
}

TEST_F(GraceGroupsTest, SwitchesAndRemovalsThatChangeNothingRecordNothing) {
    Start("123456|");
    Form(1, 2, 21);
    undo->Modified(false);
    Select(1, 2);
    grace->SetQianYY(false);  // already before its main note
    Select(4, 1);
    grace->SetQianYY(true);  // no group here
    grace->DelYY(3, 3);
    grace->DelYY(0, 0);
    EXPECT_FALSE(undo->Modified());

    // A stray text in the mark is cleared by a switch even when the form stays.
    W(1).EditMark(0, [&](tessaly::aExtralWordInfo& s) { s.ExtralWordVal3[3] = 'x'; });
    Select(1, 2);
    grace->SetQianYY(false);
    EXPECT_TRUE(undo->Modified());
    EXPECT_EQ(0, Slot(1, 0).ExtralWordVal3[3]);
}

TEST_F(GraceGroupsTest, RemovalTakesWholeGroupsAndLeavesOtherNotesAlone) {
    Start("12345678|");
    Form(1, 2, 21);
    Form(4, 3, 61);
    W(3).EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -30; });  // a plain note between them keeps its size
    SetInputDat(data, 3, 1, 1);
    Relayout();
    const auto formed = Bytes();
    grace->DelYY(6, -4);  // the second note of the first group to the middle of the second
    Relayout();
    for (int32_t i = 1; i <= 6; ++i) EXPECT_EQ(std::make_pair(0, 0), Mark(i)) << i;
    EXPECT_EQ(-30, W(3).nLogFont().lfHeight);
    undo->UserUndo();
    EXPECT_EQ(formed, Bytes());
}

TEST_F(GraceGroupsTest, RangesOutsideTheTextChangeNothing) {
    Start("123|");
    Form(0, 1, 11);
    const auto formed = Bytes();
    undo->Modified(false);
    constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    EXPECT_EQ(0, grace->CanDelYY(kMin, kMin));
    EXPECT_EQ(0, grace->CanDelYY(kMax, kMax));
    EXPECT_EQ(0, grace->CanDelYY(0, -1));
    grace->DelYY(kMin, -1);
    grace->DelYY(kMax, kMax);
    grace->DelYY(1, -2);
    grace->DelYY(0, 5);
    Select(kMin, kMin);
    EXPECT_FALSE(grace->CanFormatYYInfo());
    grace->SetQianYY(true);
    Select(kMax, 1);
    grace->FormatYYInfo(kMarkGraceNote, 11);
    EXPECT_EQ(formed, Bytes());
    EXPECT_FALSE(undo->Modified());
}

TEST_F(GraceGroupsTest, DamagedGroupsReachingPastTheTextAreLeftAlone) {
    Start("123|");
    SetMark(data, 0, 0, kMarkGraceNote, 3, 3);  // a last note with nothing before it
    SetMark(data, 2, 0, kMarkGraceNote, 3, 1);  // a first note with nothing after it
    const auto original = Bytes();
    grace->DelYY(0, 1);
    grace->DelYY(2, 1);
    Select(0, 1);
    grace->SetQianYY(true);
    EXPECT_EQ(original, Bytes());
    EXPECT_FALSE(undo->CanUndo());

    // Removing a sound group keeps a selection that widening would take out of the text.
    SetMark(data, 1, 0, kMarkGraceNote, 1, 1);
    grace->DelYY(1, 1);
    EXPECT_EQ(std::make_pair(0, 0), Mark(1));
    EXPECT_EQ(0, data.SelStart);
    EXPECT_EQ(1, data.SelLength);
}

}  // namespace
}  // namespace notaline
