#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "FakeServices.h"
#include "model/document/GraceNotes.h"
#include "model/document/MarkCodes.h"
#include "model/layout/ParagraphEnds.h"

namespace notaline {
namespace {

using test::SetMark;
using test::SetWords;

// A grace-note group of `size` notes from `first`, in form 1 (before its main note) or 2.
void SetGroup(EditorData& d, int32_t first, int32_t size, int form, int32_t slot = 0) {
    for (int32_t k = 0; k < size; ++k) SetMark(d, first + k, slot, kMarkGraceNote, size + (form == 2 ? 3 : 0), k + 1);
}

void ExpectSelection(EditorData& d, int32_t start, int32_t length, int32_t wantStart, int32_t wantLength) {
    d.SelStart = start;
    d.SelLength = length;
    FixGraceNoteGroup(d);
    EXPECT_EQ(wantStart, d.SelStart) << "from (" << start << ", " << length << ")";
    EXPECT_EQ(wantLength, d.SelLength) << "from (" << start << ", " << length << ")";
}

TEST(GraceNotes, CodesJoinTheTwoValuesAsDecimals) {
    EditorData d;
    SetWords(d, "123456|");
    SetGroup(d, 0, 3, 2);
    SetMark(d, 4, 3, kMarkGraceNote, 2, 1);
    EXPECT_EQ(61, GetGraceNoteCode(d, 0));
    EXPECT_EQ(63, GetGraceNoteCode(d, 2));
    EXPECT_EQ(21, GetGraceNoteCode(d, 4));  // found in any slot
    EXPECT_EQ(0, GetGraceNoteCode(d, 3));
    SetMark(d, 5, 0, kMarkGraceNote, 1, -1);  // "1-1": reading stops at the sign
    EXPECT_EQ(1, GetGraceNoteCode(d, 5));
}

TEST(GraceNotes, SelectionsWidenToWholeGroups) {
    EditorData d;
    SetWords(d, "0123456789|");
    SetGroup(d, 5, 2, 1);
    ExpectSelection(d, 6, 1, 5, 2);
    ExpectSelection(d, 5, 1, 5, 2);
    ExpectSelection(d, 4, 2, 4, 3);   // ends on the group's first note
    ExpectSelection(d, 7, -2, 5, 2);  // leftward selection turned round
    ExpectSelection(d, 6, 0, 6, 0);   // the caret alone is left alone

    SetWords(d, "0123456789|");
    SetGroup(d, 5, 3, 1);
    ExpectSelection(d, 6, 1, 5, 3);
    ExpectSelection(d, 5, 1, 5, 3);
    ExpectSelection(d, 5, 2, 5, 3);
    ExpectSelection(d, 7, 1, 5, 3);
    ExpectSelection(d, 3, 3, 3, 5);  // ends on the first note: two more
    ExpectSelection(d, 2, 5, 2, 6);  // ends on the middle note

    SetWords(d, "0123456789|");
    SetGroup(d, 2, 2, 2);
    SetGroup(d, 6, 3, 2);
    ExpectSelection(d, 3, 1, 2, 2);
    ExpectSelection(d, 1, 2, 1, 3);
    ExpectSelection(d, 8, 1, 6, 3);
    ExpectSelection(d, 0, 1, 0, 1);
}

TEST(GraceNotes, JoinedCharactersAndDrops) {
    EditorData d;
    test::FakeSystem sys;
    d.System = sys;
    SetWords(d, "0123456|");
    SetGroup(d, 1, 2, 1);  // joined to the note after it
    SetGroup(d, 5, 1, 2);  // joined to the note before it
    EXPECT_TRUE(IsGraceNoteJoined(d, 1));
    EXPECT_TRUE(IsGraceNoteJoined(d, 2));   // last note of a form-1 group
    EXPECT_FALSE(IsGraceNoteJoined(d, 3));  // plain before plain
    EXPECT_TRUE(IsGraceNoteJoined(d, 4));   // main note before a form-2 grace note
    EXPECT_FALSE(IsGraceNoteJoined(d, 5));
    EXPECT_FALSE(IsGraceNoteJoined(d, 7));  // the last character

    EXPECT_TRUE(CheckGraceNoteDrop(d, 0));
    EXPECT_TRUE(CheckGraceNoteDrop(d, 1));
    EXPECT_EQ(0, sys.Beeps);
    EXPECT_FALSE(CheckGraceNoteDrop(d, 2));
    EXPECT_EQ(1, sys.Beeps);
    EXPECT_TRUE(CheckGraceNoteDrop(d, 3));
    EXPECT_TRUE(CheckGraceNoteDrop(d, 8));  // the end of the document
}

TEST(ParagraphEnds, AttributesComeFromTheSlots) {
    EditorData d;
    SetWords(d, "12|34|");
    SetMark(d, 2, 0, kMarkLeftIndent, 30);
    SetMark(d, 2, 1, kMarkRightIndent, -40);
    SetMark(d, 2, 2, kMarkFirstLineIndent, -20);
    SetMark(d, 2, 3, kMarkSpacingBefore, 20);
    SetMark(d, 2, 4, kMarkSpacingAfter, 25);
    SetMark(d, 2, 5, kMarkLineSpace, 7);
    SetMark(d, 2, 6, kMarkAlignment, tessaly::AlignmentFar);
    SetMark(d, 2, 7, kMarkParagraphSpare, 99);
    auto p = GetPartInfoFromCtlWord(d, 2);
    ASSERT_TRUE(p);
    EXPECT_EQ(30, p->LeftIndentation);
    EXPECT_EQ(-40, p->RightIndentation);
    EXPECT_EQ(-20, p->FirstLineIndentation);
    EXPECT_EQ(20, p->SpacingBefore);
    EXPECT_EQ(25, p->SpacingAfter);
    EXPECT_EQ(7, p->LineSpace);
    EXPECT_EQ(tessaly::AlignmentFar, p->AlignmentMethod);

    // Missing codes read 0; a later slot with the same code wins.
    SetMark(d, 5, 0, kMarkSpacingBefore, 10);
    SetMark(d, 5, 4, kMarkSpacingBefore, 11);
    SetMark(d, 5, 5, kMarkAlignment, 100000);  // alignment keeps all 32 bits
    p = GetPartInfoFromCtlWord(d, 5);
    ASSERT_TRUE(p);
    EXPECT_EQ(11, p->SpacingBefore);
    EXPECT_EQ(0, p->LeftIndentation);
    EXPECT_EQ(100000, static_cast<int32_t>(p->AlignmentMethod));

    SetMark(d, 5, 1, kMarkLineSpace, 32768);
    EXPECT_FALSE(GetPartInfoFromCtlWord(d, 5));
    SetMark(d, 5, 1, kMarkLineSpace, -32768);
    EXPECT_TRUE(GetPartInfoFromCtlWord(d, 5));
}

TEST(ParagraphEnds, SearchesLookForward) {
    EditorData d;
    SetWords(d, "12|34|56");
    EXPECT_EQ(2, FindPartCtlWord(d, 0));
    EXPECT_EQ(2, FindPartCtlWord(d, 2));
    EXPECT_EQ(5, FindPartCtlWord(d, 3));
    EXPECT_EQ(0, FindPartCtlWord(d, 6));  // none after: character 0
    EXPECT_EQ(2, FindSelPartCtlWord(d, 0, 0));
    EXPECT_EQ(2, FindSelPartCtlWord(d, 0, 3));  // last selected character is the end itself
    EXPECT_EQ(5, FindSelPartCtlWord(d, 0, 4));
    EXPECT_EQ(5, FindSelPartCtlWord(d, 3, -2));  // a negative length counts as one
}

}  // namespace
}  // namespace notaline
