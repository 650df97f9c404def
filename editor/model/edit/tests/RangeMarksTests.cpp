#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "MarkFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/edit/Typing.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"

namespace notaline {
namespace {

using test::SetMark;

class RangeMarksTest : public test::MarkTest {
protected:
    // An existing pair from `first` to `last` in the first free slots.
    void Pair(int32_t first, int32_t last, int32_t code, int32_t number) {
        SetMark(data, first, GetFreeExtralSlot(data, first), code, 0, number);
        SetMark(data, last, GetFreeExtralSlot(data, last), code + 1, 0, number);
    }
};

TEST_F(RangeMarksTest, AnArcMayEncloseOrTouchASlurButNotCrossIt) {
    const struct {
        int32_t slurFirst, slurLast;
        bool accepted;
    } cases[] = {
        {4, 8, false},  // starts inside, ends after
        {1, 5, false},  // ends inside, starts before
        {4, 5, true},   // wholly inside
        {3, 9, true},   // shares the first character
        {1, 3, true},   // ends on the first character
        {6, 9, true},   // starts on the last character
        {1, 9, true},   // encloses the arc
    };
    for (const auto& c : cases) {
        Start("1234567123|");
        Pair(c.slurFirst, c.slurLast, 150, 1);
        const auto before = Bytes();
        ranges->FormatHuXian(3, 4, 72, 0);
        EXPECT_EQ(c.accepted ? 0 : 1, system.Beeps) << c.slurFirst << "-" << c.slurLast;
        EXPECT_EQ(c.accepted ? 1 : 0, Steps());
        if (c.accepted) {
            EXPECT_TRUE(HasExtralType(data, 3, 72));
            EXPECT_TRUE(HasExtralType(data, 6, 73));
            ExpectOneStep(before, 0);
        } else {
            EXPECT_EQ(before, Bytes());
        }
        system.Beeps = 0;
    }

    // Tuplets take part; voltas, big glissandi and hairpins do not.
    Start("1234567123|");
    Pair(4, 8, 74, 1);
    ranges->FormatHuXian(3, 4, 121, 0);
    EXPECT_EQ(1, system.Beeps);
    Select(3, 4);
    ranges->FormatLinYing("3", 0);
    EXPECT_EQ(2, system.Beeps);
    Start("1234567123|");
    system.Beeps = 0;
    Pair(4, 8, 89, 1);
    Pair(5, 9, 144, 2);
    SetMark(data, 5, 2, 81, 0, 6);
    ranges->FormatHuXian(3, 4, 146, 0);
    EXPECT_EQ(0, system.Beeps);
    EXPECT_TRUE(HasExtralType(data, 3, 146));
}

TEST_F(RangeMarksTest, TheSameCommandTwiceGivesTheDocumentBack) {
    Start("12345|");
    data.AreaPairNumber = 6;
    Select(1, 3);
    const auto original = Bytes();
    ranges->FormatHuXian(1, 3, 152, 0x40012C);
    const auto arc = Bytes();
    EXPECT_EQ(152, Slot(1, 0).IndexType);
    EXPECT_EQ(0x40012C, Slot(1, 0).ExtralWordVal1);  // the start keeps the whole value
    EXPECT_EQ(7, Slot(1, 0).ExtralWordVal2);
    EXPECT_EQ(153, Slot(3, 0).IndexType);
    EXPECT_EQ(300, Slot(3, 0).ExtralWordVal1);
    EXPECT_EQ(7, Slot(3, 0).ExtralWordVal2);
    EXPECT_EQ(1, Steps());
    ranges->FormatHuXian(4, -3, 152, 0x40012C);  // the same range made leftwards
    EXPECT_EQ(original, Bytes());
    ExpectOneStep(arc, 1);
    undo->UserUndo();
    EXPECT_EQ(arc, Bytes());
    undo->UserUndo();
    EXPECT_EQ(original, Bytes());

    // Each range command toggles its own pair.
    const int steps = Steps();
    Select(1, 3);
    ranges->FormatLinYing("3", 0x10002);
    EXPECT_EQ(74, Slot(1, 0).IndexType);
    ranges->FormatTFZ("1.", 0, 89);
    ranges->FormatKFTFZ("2.", 0, 91);
    ranges->FormatBigHuaYing();
    EXPECT_EQ(144, Slot(1, 3).IndexType);
    const auto four = Bytes();
    ranges->FormatKFTFZ("2.", 0, 91);
    EXPECT_EQ(0, Slot(1, 2).IndexType);
    ranges->FormatBigHuaYing();
    ranges->FormatTFZ("1.", 0, 89);
    ranges->FormatLinYing("3", 0x10002);
    EXPECT_EQ(original, Bytes());
    EXPECT_EQ(steps + 8, Steps());
    for (int i = 0; i < 4; ++i) undo->UserUndo();
    EXPECT_EQ(four, Bytes());
}

TEST_F(RangeMarksTest, PairsCarryTheirValuesAndConsecutiveNumbers) {
    Start("123456|");
    W(0).EditMark(0, [](tessaly::aExtralWordInfo& s) {
        std::memset(s.ExtralWordVal3, 'z', 16);
        s.ExtralWordVal1 = 41;
    });
    W(1).EditMark(0, [](tessaly::aExtralWordInfo& s) { s.ExtralWordVal1 = 42; });
    Select(0, 2);
    auto before = Bytes();
    ranges->FormatBigHuaYing();
    EXPECT_EQ(144, Slot(0, 0).IndexType);
    EXPECT_EQ(41, Slot(0, 0).ExtralWordVal1);  // neither value nor text is the glissando's
    EXPECT_EQ("zzzzzzzzzzzzzzzz", GetExtralWordVal3(data, 0, 0));
    EXPECT_EQ(1, Slot(0, 0).ExtralWordVal2);
    EXPECT_EQ(145, Slot(1, 0).IndexType);
    EXPECT_EQ(42, Slot(1, 0).ExtralWordVal1);
    EXPECT_EQ(1, Slot(1, 0).ExtralWordVal2);
    ExpectOneStep(before, 0);

    Select(2, 3);
    before = Bytes();
    ranges->FormatLinYing("\xc8\xfd", 0x70003);  // a GBK "three"
    EXPECT_EQ(74, Slot(2, 0).IndexType);
    EXPECT_EQ(3, Slot(2, 0).ExtralWordVal1);
    EXPECT_EQ(2, Slot(2, 0).ExtralWordVal2);
    EXPECT_EQ("\xc8\xfd", GetExtralWordVal3(data, 2, 0));
    EXPECT_EQ(75, Slot(4, 0).IndexType);
    EXPECT_EQ(3, Slot(4, 0).ExtralWordVal1);
    EXPECT_EQ(2, Slot(4, 0).ExtralWordVal2);
    EXPECT_EQ("", GetExtralWordVal3(data, 4, 0));
    ExpectOneStep(before, 1);

    Select(1, 5);
    before = Bytes();
    ranges->FormatKFTFZ("1.2.3.4.5.6.7.8.9.", -2, 91);
    EXPECT_EQ(91, Slot(1, 1).IndexType);
    EXPECT_EQ(-2, Slot(1, 1).ExtralWordVal1);
    EXPECT_EQ(3, Slot(1, 1).ExtralWordVal2);
    EXPECT_EQ("1.2.3.4.5.6.7.8.", GetExtralWordVal3(data, 1, 1));
    EXPECT_EQ(92, Slot(5, 0).IndexType);
    EXPECT_EQ(-2, Slot(5, 0).ExtralWordVal1);
    EXPECT_EQ(3, Slot(5, 0).ExtralWordVal2);
    ExpectOneStep(before, 2);
}

TEST_F(RangeMarksTest, AnArcOverTwoCharactersWidensTheFirstSpacing) {
    Start("12345|");
    W(0).WdSpace = 3;
    W(2).WdSpace = 9;
    W(3).WdSpace = 2;
    auto before = Bytes();
    ranges->FormatHuXian(0, 2, 72, 0);
    EXPECT_EQ(7, W(0).WdSpace);
    ExpectOneStep(before, 0);
    undo->UserUndo();
    EXPECT_EQ(3, W(0).WdSpace);
    ranges->FormatHuXian(2, 2, 72, 0);
    EXPECT_EQ(9, W(2).WdSpace);
    ranges->FormatHuXian(3, 3, 72, 0);
    EXPECT_EQ(2, W(3).WdSpace);
    Select(3, 2);
    ranges->FormatLinYing("", 0);  // only arcs, slides and slurs
    EXPECT_EQ(2, W(3).WdSpace);
}

TEST_F(RangeMarksTest, RemovalNeedsBothEndsOfOnePair) {
    Start("123456|");
    SetMark(data, 1, 0, 72, 0, 4);
    SetMark(data, 4, 0, 73, 0, 5);
    Select(1, 4);
    const auto before = Bytes();
    EXPECT_FALSE(ranges->CanDelAreaInfo(72));
    EXPECT_FALSE(ranges->DelAreaInfo(1, 4, 72));
    EXPECT_EQ(before, Bytes());
    EXPECT_EQ(0, Steps());

    SetMark(data, 4, 3, 73, 9, 4);
    const auto paired = Bytes();
    EXPECT_TRUE(ranges->CanDelAreaInfo(72));
    EXPECT_FALSE(ranges->CanDelAreaInfo(74));
    EXPECT_FALSE(ranges->CanDelAreaInfo(73));
    Select(5, -4);
    EXPECT_TRUE(ranges->CanDelAreaInfo(72));
    EXPECT_TRUE(ranges->DelAreaInfo(5, -4, 72));
    EXPECT_EQ(0, Slot(1, 0).IndexType);
    EXPECT_EQ(0, Slot(4, 3).IndexType);
    EXPECT_EQ(0, Slot(4, 3).ExtralWordVal1);
    EXPECT_EQ(73, Slot(4, 0).IndexType);
    ExpectOneStep(paired, 0);

    Select(1, 1);
    EXPECT_FALSE(ranges->CanDelAreaInfo(72));
    EXPECT_FALSE(ranges->DelAreaInfo(1, 1, 72));
    EXPECT_FALSE(ranges->DelAreaInfo(1, 40, 72));
    EXPECT_FALSE(ranges->DelAreaInfo(-1, 3, 72));
}

TEST_F(RangeMarksTest, RefusalsChangeNothingAndRecordNothing) {
    Start("123456|");
    SetMark(data, 2, 0, kMarkGraceNote, 1, 1);
    FillSlots(5);
    const auto before = Bytes();

    // Arcs and tuplets beep over fewer than two characters and with a grace note at an end.
    ranges->FormatHuXian(1, 1, 72, 0);
    ranges->FormatHuXian(3, 0, 72, 0);
    ranges->FormatHuXian(0, 3, 72, 0);
    ranges->FormatHuXian(4, -2, 150, 0);
    Select(2, 2);
    ranges->FormatLinYing("3", 0);
    EXPECT_EQ(5, system.Beeps);

    // Voltas beep over fewer than two characters instead of putting both ends in one slot.
    Select(1, 1);
    ranges->FormatTFZ("1.", 0, 89);
    Select(1, 0);
    ranges->FormatKFTFZ("1.", 0, 91);
    Select(1, -1);
    ranges->FormatTFZ("1.", 0, 89);
    // Codes that are not the command's, ranges past the end.
    Select(0, 2);
    ranges->FormatTFZ("1.", 0, 0);
    ranges->FormatHuXian(0, 2, 74, 0);
    ranges->FormatHuXian(0, 2, 180, 0);
    ranges->FormatHuXian(4, 5, 72, 0);
    Select(5, 9);
    ranges->FormatLinYing("3", 0);
    EXPECT_EQ(13, system.Beeps);

    // No free slot at an end: silently nothing.
    ranges->FormatHuXian(3, 3, 72, 0);
    Select(4, 2);
    ranges->FormatTFZ("1.", 0, 89);
    ranges->FormatBigHuaYing();
    // A glissando over one character: silently nothing.
    Select(0, 1);
    ranges->FormatBigHuaYing();
    EXPECT_EQ(13, system.Beeps);
    EXPECT_EQ(before, Bytes());
    EXPECT_EQ(0, Steps());
    EXPECT_TRUE(view.Messages.empty());
}

TEST_F(RangeMarksTest, ABigGlissandoWithoutRoomShowsTheMessage) {
    Start("1234|");
    view.Room = false;
    Select(0, 2);
    const auto before = Bytes();
    ranges->FormatBigHuaYing();
    EXPECT_EQ(before, Bytes());
    EXPECT_EQ(0, Steps());
    ASSERT_EQ(1u, view.Messages.size());
    EXPECT_EQ("大滑音连接的音符，需要留出足够空间绘制箭头：如加入空格、增加字间距或抬升字符。", view.Messages[0]);

    // An existing one is still taken away: removal draws nothing.
    SetMark(data, 0, 0, 144, 0, 3);
    SetMark(data, 1, 0, 145, 0, 3);
    ranges->FormatBigHuaYing();
    EXPECT_FALSE(HasExtralType(data, 0, 144));
    EXPECT_EQ(1u, view.Messages.size());

    // Without a page view every glissando has room.
    NoPageView noPage;
    RangeMarks(data, *undo, noPage, view).FormatBigHuaYing();
    EXPECT_TRUE(HasExtralType(data, 1, 145));
}

TEST_F(RangeMarksTest, AJournalThatCannotBeWrittenLeavesTheDocumentAsItWas) {
    Start("12345|");
    Pair(1, 3, 72, 1);
    Select(1, 3);
    const auto before = Bytes();
    journal->writesLeft = 0;  // not even the before-image
    ranges->FormatHuXian(1, 3, 72, 0);
    EXPECT_EQ(before, Bytes());
    journal->writesLeft = 1;  // the before-image of characters 1 to 4 (one write), not the after-image
    ranges->FormatHuXian(1, 3, 72, 0);
    EXPECT_EQ(before, Bytes());  // the arc is back, and no second one was put over it
    journal->writesLeft = 3;
    Select(0, 2);
    ranges->FormatBigHuaYing();
    journal->writesLeft = 0;
    marks->FormatWord(1, 0);
    Select(0, 3);
    marks->FormatZhuYingWord(0);
    EXPECT_EQ(before, Bytes());
    EXPECT_FALSE(undo->CanUndo());
}

// Pair numbers of a loaded document stay: a new pair numbers above them, or deleting one pair's
// start would take another pair's end with it.
TEST_F(RangeMarksTest, NewPairsNumberAboveTheLoadedOnes) {
    Start("abcdefghi|");
    Pair(0, 6, 72, 1);
    Pair(7, 8, 150, 5);
    test::FakeDocumentSource files;
    files.Files[u"arcs.zoriv"] = DocumentOf(data);
    LoadJpFile(data, files, view, view, 0, u"arcs.zoriv");
    ranges->FormatHuXian(2, 3, 72, 0);
    ASSERT_TRUE(HasExtralType(data, 4, 73));
    EXPECT_EQ(6, GetExtralWordInfo(data, 2, 72).ExtralWordVal2);

    Typing typing(data, array, *undo, view);
    typing.DeleteWord(0, 0);  // the first arc's start, and so its end
    EXPECT_FALSE(HasExtralType(data, 5, 73));
    EXPECT_TRUE(HasExtralType(data, 1, 72));
    EXPECT_TRUE(HasExtralType(data, 3, 73));

    // Laying the document out again keeps counting on.
    data.AreaPairNumber = 9;
    InitFormat(data, view);
    ranges->FormatHuXian(4, 2, 150, 0);
    EXPECT_EQ(10, GetExtralWordInfo(data, 4, 150).ExtralWordVal2);
    data.AreaPairNumber = INT32_MAX;  // a file's largest number does not overflow the counter
    EXPECT_EQ(1, NextPairNumber(data));
}

}  // namespace
}  // namespace notaline
