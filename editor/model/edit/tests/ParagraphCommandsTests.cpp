#include <gtest/gtest.h>

#include "DocumentCommandFixture.h"
#include "model/layout/ParagraphEnds.h"

namespace notaline {
namespace {

using tessaly::aPartInfo;

aPartInfo AllMixed() {
    aPartInfo info;
    info.AlignmentMethod = static_cast<tessaly::Alignment>(kMixedValue);
    info.FirstLineIndentation = info.LeftIndentation = info.RightIndentation = kMixedValue;
    info.LineSpace = info.SpacingBefore = info.SpacingAfter = kMixedValue;
    return info;
}

class ParagraphCommandsTest : public test::DocumentCommandTest {};

TEST_F(ParagraphCommandsTest, GettersMarkWhatTheSelectedParagraphsDoNotShare) {
    Start("ab|cd|ef|");  // paragraph ends 2, 5, 8
    test::SetMark(data, 8, 6, kMarkAlignment, tessaly::AlignmentCenter);
    test::SetMark(data, 5, 3, kMarkSpacingBefore, 40);
    auto info = paragraphs->PartAtt(0, 9);
    ASSERT_TRUE(info);
    EXPECT_EQ(kMixedValue, info->AlignmentMethod);
    EXPECT_EQ(kMixedValue, info->SpacingBefore);
    EXPECT_EQ(20, info->SpacingAfter);
    EXPECT_EQ(0, info->LeftIndentation);
    EXPECT_EQ(-1, paragraphs->Alignment(0, 9));
    EXPECT_EQ(kMixedSpacing, paragraphs->SelSpacingBefore(0, 9));

    // Ending just after a paragraph end takes in the next paragraph for PartAtt only.
    EXPECT_EQ(kMixedValue, paragraphs->PartAtt(0, 3)->SpacingBefore);
    EXPECT_EQ(20, paragraphs->SelSpacingBefore(0, 3));
    EXPECT_EQ(40, paragraphs->SelSpacingBefore(4, -1));  // the character before 4 is in paragraph 2
    EXPECT_EQ(tessaly::AlignmentCenter, paragraphs->Alignment(7, 0));

    // A paragraph end without the code reads 0 and does not count as different.
    test::SetMark(data, 5, 6, 0);
    EXPECT_EQ(0, paragraphs->Alignment(0, 6));
    test::SetMark(data, 2, 0, kMarkLeftIndent, 40000);  // cannot be an Integer
    EXPECT_FALSE(paragraphs->PartAtt(0, 1));
    EXPECT_FALSE(paragraphs->PartAtt(-5, 1));
}

TEST_F(ParagraphCommandsTest, PartAttChangesOnlyTheGivenFieldsAsOneStep) {
    Start("ab|cd|ef|");
    test::SetMark(data, 5, 6, 0);  // the middle paragraph has no alignment slot
    const auto original = test::StateOf(data);

    data.SelStart = 0;
    data.SelLength = 4;
    EXPECT_FALSE(paragraphs->PartAtt(0, 4, AllMixed()));  // every field kept: no step
    EXPECT_EQ(original, test::StateOf(data));
    EXPECT_EQ(4, data.SelLength);
    EXPECT_FALSE(undo->CanUndo());

    aPartInfo info = AllMixed();
    info.SpacingAfter = 30;
    info.AlignmentMethod = tessaly::AlignmentFar;
    ASSERT_TRUE(paragraphs->PartAtt(4, -4, info));
    const auto changed = test::StateOf(data);
    EXPECT_EQ(30, Slot(2, kMarkSpacingAfter));
    EXPECT_EQ(30, Slot(5, kMarkSpacingAfter));
    EXPECT_EQ(20, Slot(8, kMarkSpacingAfter));
    EXPECT_EQ(tessaly::AlignmentFar, Slot(2, kMarkAlignment));
    EXPECT_EQ(-99999, Slot(5, kMarkAlignment));  // no slot is added
    EXPECT_EQ(20, Slot(5, kMarkSpacingBefore));
    EXPECT_EQ(30, data.PartInfo[1].SpacingAfter);
    ExpectUndoRedo(original, changed);

    // Code 162 is carried along but is no attribute.
    test::SetMark(data, 8, 7, kMarkParagraphSpare, 7);
    const aPartInfo every{tessaly::AlignmentCenter, 1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(paragraphs->PartAtt(8, 0, every));
    EXPECT_EQ(7, Slot(8, kMarkParagraphSpare));
    EXPECT_EQ(2, Slot(8, kMarkLeftIndent));
    EXPECT_EQ(tessaly::AlignmentCenter, Slot(8, kMarkAlignment));
}

// A selection running to the end of the document reaches the last paragraph, and the caret
// behind the last paragraph end belongs to it.
TEST_F(ParagraphCommandsTest, ASelectionToTheEndReachesTheLastParagraph) {
    Start("ab|cd|");
    ASSERT_TRUE(paragraphs->Alignment(0, 6, tessaly::AlignmentCenter));
    EXPECT_EQ(tessaly::AlignmentCenter, Slot(2, kMarkAlignment));
    EXPECT_EQ(tessaly::AlignmentCenter, Slot(5, kMarkAlignment));

    aPartInfo info = AllMixed();
    info.LeftIndentation = 50;
    ASSERT_TRUE(paragraphs->PartAtt(0, 6, info));
    EXPECT_EQ(50, Slot(2, kMarkLeftIndent));
    EXPECT_EQ(50, Slot(5, kMarkLeftIndent));
    EXPECT_EQ(50, paragraphs->PartAtt(0, 6)->LeftIndentation);

    ASSERT_TRUE(paragraphs->SelParLineSpace(6, 0, 33));
    EXPECT_EQ(20, Slot(2, kMarkSpacingBefore));
    EXPECT_EQ(33, Slot(5, kMarkSpacingBefore));
}

TEST_F(ParagraphCommandsTest, AlignmentActsOnTheCaretsParagraphAndRestoresTheSelection) {
    Start("abc|de|fg|");
    const auto original = test::StateOf(data);
    data.SelStart = 4;
    data.SelLength = 0;
    ASSERT_TRUE(paragraphs->Alignment(4, 0, tessaly::AlignmentDisperse));
    EXPECT_EQ(tessaly::AlignmentNear, Slot(3, kMarkAlignment));
    EXPECT_EQ(tessaly::AlignmentDisperse, Slot(6, kMarkAlignment));
    EXPECT_EQ(tessaly::AlignmentNear, Slot(9, kMarkAlignment));
    const auto changed = test::StateOf(data);
    ExpectUndoRedo(original, changed);

    data.SelStart = 5;
    data.SelLength = -4;
    ASSERT_TRUE(paragraphs->Alignment(5, -4, tessaly::AlignmentFar));
    EXPECT_EQ(tessaly::AlignmentFar, Slot(3, kMarkAlignment));
    EXPECT_EQ(tessaly::AlignmentFar, Slot(6, kMarkAlignment));
    EXPECT_EQ(0, data.SelLength);
    undo->UserUndo();
    EXPECT_EQ(1, data.SelStart);  // the selection as it was, within the document
    EXPECT_EQ(4, data.SelLength);
}

TEST_F(ParagraphCommandsTest, SpacingNudgesAtOneParagraphMakeOneStep) {
    Start("abc|de|fg|");
    const auto original = test::StateOf(data);
    ASSERT_TRUE(paragraphs->SelSpacingBefore(1, 0, 25));
    ASSERT_TRUE(paragraphs->SelSpacingBefore(2, 0, 30));
    EXPECT_EQ(30, Slot(3, kMarkSpacingBefore));
    const auto first = test::StateOf(data);
    ASSERT_TRUE(paragraphs->SelSpacingBefore(5, 0, 10));
    EXPECT_EQ(10, Slot(6, kMarkSpacingBefore));
    const auto second = test::StateOf(data);

    undo->UserUndo();
    EXPECT_EQ(first, test::StateOf(data));
    undo->UserUndo();
    EXPECT_EQ(original, test::StateOf(data));
    EXPECT_FALSE(undo->CanUndo());
    undo->UserRedo();
    EXPECT_EQ(first, test::StateOf(data));
    undo->UserRedo();
    EXPECT_EQ(second, test::StateOf(data));
}

TEST_F(ParagraphCommandsTest, LineSpaceSetsTheSpaceBeforeOfEverySelectedParagraph) {
    Start("abc|de|fg|");
    const auto original = test::StateOf(data);
    ASSERT_TRUE(paragraphs->SelParLineSpace(2, 3, 44));
    EXPECT_EQ(44, Slot(3, kMarkSpacingBefore));
    EXPECT_EQ(44, Slot(6, kMarkSpacingBefore));
    EXPECT_EQ(20, Slot(9, kMarkSpacingBefore));
    EXPECT_EQ(44, paragraphs->SelSpacingBefore(2, 3));
    ExpectUndoRedo(original, test::StateOf(data));
}

TEST_F(ParagraphCommandsTest, RefusalsLeaveTheDocumentAndTheHistoryAlone) {
    Start("abc|de|");
    const auto original = test::StateOf(data);
    EXPECT_FALSE(paragraphs->SelSpacingBefore(0, 0, 40000));
    EXPECT_FALSE(paragraphs->SelParLineSpace(0, 0, -40000));
    EXPECT_EQ(2, system.Beeps);
    EXPECT_FALSE(paragraphs->Alignment(8, 0, tessaly::AlignmentCenter));
    EXPECT_FALSE(paragraphs->Alignment(-1, 0, tessaly::AlignmentCenter));
    EXPECT_FALSE(paragraphs->PartAtt(2, -3, AllMixed()));
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(original, test::StateOf(data));

    journal->writesLeft = 0;
    EXPECT_FALSE(paragraphs->Alignment(0, 0, tessaly::AlignmentCenter));
    EXPECT_FALSE(paragraphs->SelSpacingBefore(0, 0, 5));
    EXPECT_NE(kPendingSpacingBefore, undo->OpenPendingKind());  // no step left open
    journal->writesLeft = 1;                                    // the before-image goes in, the after-image fails
    EXPECT_FALSE(paragraphs->PartAtt(0, 1, tessaly::aPartInfo{}));
    journal->writesLeft = 1 << 30;
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(original, test::StateOf(data));

    test::SetWords(data, "abc");  // no paragraph end at all
    EXPECT_FALSE(paragraphs->Alignment(0, 0, tessaly::AlignmentCenter));
    EXPECT_FALSE(paragraphs->SelSpacingBefore(0, 0, 1));
    EXPECT_FALSE(paragraphs->PartAtt(0, 0));
}

TEST_F(ParagraphCommandsTest, CopyExtralSlotsTakesCodesAndValuesButNotTexts) {
    Start("ab|cd|");
    test::SetMark(data, 2, 7, 119, 5, 6);
    W(2).EditMark(7, [&](tessaly::aExtralWordInfo& s) { s.ExtralWordVal3[0] = 'x'; });
    W(5).EditMark(3, [&](tessaly::aExtralWordInfo& s) { s.ExtralWordVal1 = 70; });
    CopyExtralSlots(data, 5, 2);
    for (int32_t s = 0; s < 8; ++s) {
        EXPECT_EQ(W(2).ExtralWordInfo[s].IndexType, W(5).ExtralWordInfo[s].IndexType);
        EXPECT_EQ(W(2).ExtralWordInfo[s].ExtralWordVal1, W(5).ExtralWordInfo[s].ExtralWordVal1);
        EXPECT_EQ(W(2).ExtralWordInfo[s].ExtralWordVal2, W(5).ExtralWordInfo[s].ExtralWordVal2);
    }
    EXPECT_EQ(0, W(5).ExtralWordInfo[7].ExtralWordVal3[0]);
    CopyExtralSlots(data, 99, 2);  // out of the document: nothing
}

}  // namespace
}  // namespace notaline
