#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "EditFixture.h"
#include "model/document/MarkCodes.h"
#include "model/edit/TypedText.h"

namespace notaline {
namespace {

using test::SetMark;

constexpr int32_t kArcStart = 72;
constexpr int32_t kArcEnd = 73;

class TypingTest : public test::EditTest {
protected:
    // A grace-note group of `size` notes from `first`: form 1 codes 1-3, form 2 codes 4-6.
    void Group(int32_t first, int32_t size, int form) {
        for (int32_t k = 0; k < size; ++k)
            SetMark(data, first + k, 0, kMarkGraceNote, size + (form == 2 ? 3 : 0), k + 1);
    }
};

TEST_F(TypingTest, TypedRunIsOneStepUndoneToItsStartAndRedoneSelected) {
    Start("ab|cd|");
    const std::string original = Image();
    data.SelStart = 2;
    TypeKeys("12345");
    EXPECT_EQ("ab12345|cd|", Text());
    EXPECT_EQ(7, data.SelStart);
    const std::string typed = Image();
    EXPECT_EQ(1, Steps());
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    EXPECT_FALSE(undo->CanUndo());
    undo->UserRedo();
    EXPECT_TRUE(Same(typed, Image()));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(5, data.SelLength);
}

TEST_F(TypingTest, MovingTheCaretStartsAnotherStep) {
    Start("abc|");
    data.SelStart = 1;
    TypeKeys("12");
    data.SelStart = 0;
    TypeKeys("3");
    EXPECT_EQ("3a12bc|", Text());
    EXPECT_EQ(2, Steps());
    undo->UserUndo();
    EXPECT_EQ("a12bc|", Text());
}

TEST_F(TypingTest, ASavedStateThatLaterStepsWroteOverStaysModified) {
    Start("abc|");
    data.SelStart = 1;
    TypeKeys("1");
    data.SelStart = 0;
    TypeKeys("2");
    undo->Modified(false);
    undo->UserUndo();
    EXPECT_TRUE(undo->Modified());
    data.SelStart = 3;
    TypeKeys("3");  // the same number of steps as when saved, but another text
    EXPECT_EQ("a1b3c|", Text());
    EXPECT_TRUE(undo->Modified());
}

TEST_F(TypingTest, ReplacingASelectionLeavesTheCaretAfterTheNewCharacters) {
    Start("abcdef|");
    const std::string original = Image();
    SetInput("XY");
    ASSERT_TRUE(typing->InputWord(4, -3));  // leftwards: b, c, d
    Relayout();
    EXPECT_EQ("aXYef|", Text());
    EXPECT_EQ(3, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    undo->UserRedo();
    EXPECT_EQ("aXYef|", Text());
    EXPECT_EQ(3, data.SelStart);
}

TEST_F(TypingTest, AParagraphEndTypedFirstTakesTheNotationFont) {
    Start("ab|");
    data.AboutFileInfo.BaseFontTblIndex = 1;
    SetInput("|x");
    data.InputWords[0].nLogFont.FontTblIndex = 4;
    data.InputWords[1].nLogFont.FontTblIndex = 4;
    data.SelStart = 1;
    ASSERT_TRUE(typing->InputWord(1, 0));
    EXPECT_EQ(1, W(1).nLogFont().FontTblIndex);
    EXPECT_EQ(4, W(2).nLogFont().FontTblIndex);
}

TEST_F(TypingTest, NoTypingBetweenTheNotesOfAGraceNoteGroup) {
    Start("abcdefghij|");
    Group(2, 3, 1);  // places 1-3 on c, d, e
    Group(6, 3, 2);  // form 2 on g, h, i
    const std::string original = Image();
    SetInput("x");
    for (int32_t caret : {3, 4, 7, 8}) {
        data.SelStart = caret;
        EXPECT_FALSE(typing->InputWord(caret, 0)) << caret;
    }
    EXPECT_EQ(4, system.Beeps);
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_FALSE(undo->CanUndo());
    data.SelStart = 5;  // after the group, before its main note
    EXPECT_TRUE(typing->InputWord(5, 0));

    Start("abc|");
    Group(0, 2, 1);
    data.SelStart = 1;  // the check starts at the second caret position
    EXPECT_TRUE(typing->InputWord(1, 0));
}

TEST_F(TypingTest, BackspacesCoalesceAndComeBackSelected) {
    Start("abcdefg|");
    const std::string original = Image();
    data.SelStart = 6;
    for (int k = 0; k < 4; ++k) {
        typing->BackSpaceWord(data.SelStart, data.SelLength);
        Relayout();
    }
    EXPECT_EQ("abg|", Text());
    EXPECT_EQ(2, data.SelStart);
    const std::string after = Image();
    EXPECT_EQ(1, Steps());
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(4, data.SelLength);
    undo->UserRedo();
    EXPECT_TRUE(Same(after, Image()));
    EXPECT_EQ(2, data.SelStart);

    typing->BackSpaceWord(0, 0);  // at the start: nothing
    data.SelStart = 0;
    typing->BackSpaceWord(0, 0);
    EXPECT_EQ("abg|", Text());
}

TEST_F(TypingTest, BackspaceAfterAParagraphEndJoinsAndKeepsTheFirstParagraphsAttributes) {
    Start("abc|de|fg|");
    Para(3, tessaly::AlignmentCenter, 5, 6, 7, 8, 9, 10);
    Para(6, tessaly::AlignmentFar, 1, 1, 1, 1, 1, 1);
    const char text[] = "keep";
    W(6).EditMark(0, [&](tessaly::aExtralWordInfo& s) { std::copy(text, text + 4, s.ExtralWordVal3); });
    Layout();
    const std::string original = Image();
    const auto firstEnd = W(3);
    data.SelStart = 4;
    typing->BackSpaceWord(4, 0);
    Relayout();
    EXPECT_EQ("abcde|fg|", Text());
    EXPECT_EQ(3, data.SelStart);
    for (int s = 0; s < 8; ++s) {
        EXPECT_EQ(firstEnd.ExtralWordInfo[s].IndexType, Slot(5, s).IndexType);
        EXPECT_EQ(firstEnd.ExtralWordInfo[s].ExtralWordVal1, Slot(5, s).ExtralWordVal1);
    }
    EXPECT_STREQ("keep", reinterpret_cast<const char*>(Slot(5, 0).ExtralWordVal3));  // texts stay
    EXPECT_EQ(tessaly::AlignmentCenter, data.PartInfo[0].AlignmentMethod);
    const std::string joined = Image();
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_EQ(4, data.SelStart);
    undo->UserRedo();
    EXPECT_TRUE(Same(joined, Image()));
    EXPECT_EQ(3, data.SelStart);
}

TEST_F(TypingTest, JoiningTextWithAnEmptyParagraphUndoesAndRedoesExactly) {
    Start("ab||cd|");
    Para(2, tessaly::AlignmentFar, 0, 40);
    Layout();
    const std::string original = Image();
    typing->BackSpaceWord(3, 0);
    Relayout();
    EXPECT_EQ("ab|cd|", Text());
    const std::string joined = Image();
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    undo->UserRedo();
    EXPECT_TRUE(Same(joined, Image()));
}

TEST_F(TypingTest, BackspaceAfterAnEmptyParagraphRemovesItsEnd) {
    Start("ab||cd|");
    typing->BackSpaceWord(4, 0);
    EXPECT_EQ("ab|cd|", Text());
    typing->BackSpaceWord(1, 0);  // a paragraph end at the start: removed too
    Start("|ab|");
    typing->BackSpaceWord(1, 0);
    EXPECT_EQ("ab|", Text());
}

TEST_F(TypingTest, DeletingOneEndOfAnArcRemovesTheOtherAndUndoBringsBothBack) {
    Start("abcdefgh|");
    SetMark(data, 2, 1, kArcStart, 0, 1);
    SetMark(data, 5, 3, kArcEnd, 0, 1);
    const std::string original = Image();
    typing->DeleteWord(2, 0);
    Relayout();
    EXPECT_EQ("abdefgh|", Text());
    EXPECT_EQ(0, Slot(4, 3).IndexType);
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    const std::string deleted = Image();
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    undo->UserRedo();
    EXPECT_TRUE(Same(deleted, Image()));

    // The same by backspace: the end goes, and the start with it.
    typing->BackSpaceWord(5, 0);
    EXPECT_EQ("abdegh|", Text());
    undo->UserUndo();
    EXPECT_TRUE(Same(deleted, Image()));
    EXPECT_EQ(4, data.SelStart);
    EXPECT_EQ(1, data.SelLength);
}

TEST_F(TypingTest, AMarkWithoutItsPartnerComesBackWithUndo) {
    Start("abcdef|");
    SetMark(data, 2, 0, kArcStart, 0, 9);  // no end anywhere
    SetMark(data, 4, 2, kArcEnd, 0, 8);    // no start anywhere
    const std::string original = Image();
    typing->BackSpaceWord(3, 0);
    typing->BackSpaceWord(data.SelStart, 0);
    EXPECT_EQ("adef|", Text());
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    typing->DeleteWord(3, 2);
    EXPECT_EQ("abcf|", Text());
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
}

TEST_F(TypingTest, ForwardDeleteKeepsTheCaret) {
    Start("abc|");
    typing->DeleteWord(1, 0);
    EXPECT_EQ("ac|", Text());
    EXPECT_EQ(1, data.SelStart);
    undo->UserUndo();
    EXPECT_EQ("abc|", Text());
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    typing->DeleteWord(4, 0);  // past the end: nothing
    typing->DeleteWord(2, 9);
    EXPECT_EQ("abc|", Text());
    EXPECT_FALSE(undo->CanUndo());
}

TEST_F(TypingTest, DeletingPartOfAGraceNoteGroupTakesTheWholeGroup) {
    Start("abcdef|");
    Group(2, 2, 1);
    typing->DeleteWord(3, 1);
    EXPECT_EQ("abef|", Text());
}

TEST_F(TypingTest, AStackTakesTheDeletionOver) {
    Start("abcd|");
    int calls = 0;
    typing->MustFormatShuPai = [&](int32_t type, int32_t space) {
        EXPECT_EQ(0, type);
        EXPECT_EQ(0, space);
        ++calls;
        return true;
    };
    typing->BackSpaceWord(2, 0);
    typing->DeleteWord(1, 2);
    EXPECT_EQ(2, calls);
    EXPECT_EQ("abcd|", Text());
}

TEST_F(TypingTest, TheInputKindSwitchChangesTheMarkAndTheSymbol) {
    Start("abcd|");
    SetMark(data, 1, 0, 18);
    SetMark(data, 1, 3, 39);
    const std::string original = Image();
    data.SelStart = 1;
    int32_t from = 39, to = 41;
    EXPECT_FALSE(typing->ConChangInputWord(from, to));
    Relayout();
    EXPECT_EQ(41, Slot(1, 3).IndexType);
    EXPECT_EQ(94, W(1).WdAsc);
    from = 41, to = 105;
    typing->ConChangInputWord(from, to);
    Relayout();
    EXPECT_EQ(static_cast<int16_t>(0xF0AF), W(1).WdAsc);
    const std::string changed = Image();
    EXPECT_EQ(1, Steps());
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    undo->UserRedo();
    EXPECT_TRUE(Same(changed, Image()));

    from = 50, to = 49;  // no such mark on the character: nothing, and no step
    typing->ConChangInputWord(from, to);
    EXPECT_TRUE(Same(changed, Image()));
    EXPECT_EQ(1, Steps());
}

TEST_F(TypingTest, EachSymbolKindTakesItsListedCharacterAndOtherKindsKeepIt) {
    Start("ab|");
    data.SelStart = 0;
    SetMark(data, 0, 0, kMarkBarLine);
    int32_t from = kMarkBarLine;
    for (int32_t to : {kMarkRepeatTwoBars, kMarkNatural, kMarkKeyA, kMarkSlideDown, kMarkTremolo16, kMarkBigSlideUp,
                       kMarkFeatureBarLine, kMarkFermata}) {
        const int16_t before = W(0).WdAsc;
        typing->ConChangInputWord(from, to);
        EXPECT_EQ(to == kMarkFermata ? before : SymbolForMark(to).Code, W(0).WdAsc) << to;
        from = to;
    }
}

// Whichever journal write fails, the document is as it was, or the step that changed it undoes
// once the journal takes writes again.
TEST_F(TypingTest, AJournalThatStopsTakingWritesLosesNothing) {
    const std::vector<std::pair<const char*, std::function<void()>>> commands{
        {"type",
         [&] {
             typing->InputWord(4, 0);
             typing->InputWord(data.SelStart, 0);
         }},
        {"replace", [&] { typing->InputWord(2, 3); }},
        {"backspaces",
         [&] {
             typing->BackSpaceWord(5, 0);
             typing->BackSpaceWord(4, 0);
         }},
        {"join", [&] { typing->BackSpaceWord(10, 0); }},
        {"delete", [&] { typing->DeleteWord(1, 0); }},
        {"cut", [&] { clip->CutWord(2, 3); }},
        {"paste", [&] { clip->PasteWord(1, 2, ""); }},
        {"drag",
         [&] {
             int32_t to = 11;
             clip->DragDropWord(2, 2, to);
         }},
        {"kind",
         [&] {
             int32_t from = 39, to = 40;
             typing->ConChangInputWord(from, to);
         }},
    };
    for (const auto& [name, command] : commands) {
        for (int writes = 0; writes < 5; ++writes) {
            Start("abcdefghi|jkl|", true);
            SetMark(data, 1, 0, kArcStart, 0, 1);
            SetMark(data, 3, 0, kArcEnd, 0, 1);
            SetMark(data, 4, 1, 39);
            SetInput("XY");
            view.Clip = {Char('P')};
            undo->CanPaste();
            data.SelStart = 4;
            const std::string original = Image();
            journal->writesLeft = writes;
            command();
            undo->Modified();  // closes an open step
            journal->writesLeft = 1 << 30;
            if (undo->CanUndo()) undo->UserUndo();
            EXPECT_TRUE(Same(original, Image())) << name << " with " << writes << " writes";
            EXPECT_EQ(static_cast<size_t>(data.WordCount()) + 1, data.WordInfo.size());
        }
    }
}

// The characters after the last paragraph end would never be laid out: every edit keeps it the
// last character, and undo gives back what was there.
TEST_F(TypingTest, NoEditRemovesTheLastParagraphEndOrPutsAnythingAfterIt) {
    const std::function<void()> edits[] = {
        [&] { clip->CutWord(3, 3); },
        [&] { typing->DeleteWord(0, 6); },
        [&] { typing->DeleteWord(5, 0); },
        [&] { typing->BackSpaceWord(6, -1); },
        [&] { typing->BackSpaceWord(6, 0); },
        [&] { SetInput("X"), typing->InputWord(4, 2); },
        [&] { SetInput("X"), typing->InputWord(6, 0); },
        [&] {
            view.Clip = {Char('W'), Char('X')}, undo->CanPaste(), clip->PasteWord(0, 6, "");
        },
        [&] {
            int32_t to = 6;
            clip->DragDropWord(0, 2, to);
        },
        [&] {
            int32_t to = 0;
            clip->DragDropWord(3, 3, to);
        },
    };
    const char* results[] = {"ab||", "|", "ab|cd|", "ab|cd|", "ab|c|", "ab|cX|", "ab|cdX|", "WX|", "|cdab|", "cdab||"};
    for (size_t i = 0; i < std::size(edits); ++i) {
        Start("ab|cd|");
        const std::string original = Image();
        edits[i]();
        Relayout();
        EXPECT_EQ(results[i], Text()) << "edit " << i;
        while (undo->CanUndo()) undo->UserUndo();
        EXPECT_TRUE(Same(original, Image())) << "edit " << i;
    }
}

}  // namespace
}  // namespace notaline
