#include <gtest/gtest.h>

#include "EditFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/StoreSink.h"

namespace notaline {
namespace {

using test::SetMark;

constexpr int32_t kSlurStart = 150;
constexpr int32_t kSlurEnd = 151;

class ClipboardEditsTest : public test::EditTest {};

TEST_F(ClipboardEditsTest, CutKeepsTheMarksOnTheClipboardAndUndoRestoresTheDocument) {
    Start("abcdefgh|");
    SetMark(data, 2, 0, kSlurStart, 0, 4);
    SetMark(data, 6, 1, kSlurEnd, 0, 4);
    const std::string original = Image();
    data.SelStart = 4;
    clip->CutWord(4, -3);  // b, c, d made leftwards
    Relayout();
    EXPECT_EQ("aefgh|", Text());
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    ASSERT_EQ(3u, view.Clip.size());
    EXPECT_EQ(kSlurStart, view.Clip[1].ExtralWordInfo[0].IndexType);
    EXPECT_EQ(0, Slot(3, 1).IndexType);  // the end left behind is gone
    const std::string cut = Image();
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    undo->UserRedo();
    EXPECT_TRUE(Same(cut, Image()));

    clip->CutWord(2, 0);  // nothing selected: nothing happens
    view.Refuse = true;   // the clipboard does not take them: nothing is lost
    clip->CutWord(1, 2);
    EXPECT_TRUE(Same(cut, Image()));
    EXPECT_EQ(1, system.Beeps);
    EXPECT_EQ(1, Steps());
}

TEST_F(ClipboardEditsTest, PasteReplacesTheSelectionAndPutsTheCaretAfterThePastedCharacters) {
    Start("abcdefgh|");
    const std::string original = Image();
    view.Clip = {Char('W'), Char('X'), Char('Y'), Char('Z')};
    ASSERT_TRUE(undo->CanPaste());
    clip->PasteWord(2, 2, "DuZazidaWordInfo-Format");
    Relayout();
    EXPECT_EQ("abWXYZefgh|", Text());
    EXPECT_EQ(6, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    const std::string pasted = Image();
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(2, data.SelLength);
    undo->UserRedo();
    EXPECT_TRUE(Same(pasted, Image()));

    clip->PasteWord(5, -3, "");  // leftwards over W, X, Y
    EXPECT_EQ("abWXYZZefgh|", Text());
    EXPECT_EQ(6, data.SelStart);

    // Characters read in stored form go in as they are, once, and undo and redo alike.
    Relayout();
    const std::string before = Image();
    data.PasteStore = StoreOf({Char('P'), Char('Q'), Char('R')});
    clip->PasteWord(0, 1, "");
    Relayout();
    EXPECT_EQ("PQRbWXYZZefgh|", Text());
    EXPECT_EQ(3, data.SelStart);
    EXPECT_TRUE(data.PasteStore.empty());
    const std::string stored = Image();
    undo->UserUndo();
    EXPECT_TRUE(Same(before, Image()));
    undo->UserRedo();
    EXPECT_TRUE(Same(stored, Image()));
    clip->PasteWord(0, 0, "");  // the buffer of whole records again
    EXPECT_EQ("WXYZPQRbWXYZZefgh|", Text());
}

TEST_F(ClipboardEditsTest, NoPasteInsideAGraceNoteGroupOrFromAnEmptyClipboard) {
    Start("abcdef|");
    SetMark(data, 2, 0, kMarkGraceNote, 2, 1);
    SetMark(data, 3, 0, kMarkGraceNote, 2, 2);
    const std::string original = Image();
    view.Clip = {Char('X')};
    ASSERT_TRUE(undo->CanPaste());
    data.SelStart = 3;
    clip->PasteWord(3, 0, "");
    EXPECT_EQ(1, system.Beeps);
    data.PasteWordCount = 0;
    data.SelStart = 1;
    clip->PasteWord(1, 0, "");
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_FALSE(undo->CanUndo());
}

TEST_F(ClipboardEditsTest, DraggedCharactersLandWhereDroppedAndStaySelected) {
    Start("abcdefghijkl|");
    const std::string original = Image();
    int32_t to = 10;
    clip->DragDropWord(2, 3, to);
    Relayout();
    EXPECT_EQ("abfghijcdekl|", Text());
    EXPECT_EQ(7, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    const std::string moved = Image();
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    undo->UserRedo();
    EXPECT_TRUE(Same(moved, Image()));

    Start("abcdefghijkl|");
    to = 1;
    clip->DragDropWord(7, -2, to);  // f, g made leftwards
    EXPECT_EQ("afgbcdehijkl|", Text());
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(2, data.SelLength);

    for (int32_t inside : {1, 2, 3, 99, -1}) {  // at the edges, inside the block, outside the text
        to = inside;
        clip->DragDropWord(1, 2, to);
    }
    EXPECT_EQ("afgbcdehijkl|", Text());
    EXPECT_EQ(1, Steps());
}

TEST_F(ClipboardEditsTest, UndoAndRedoOfADragKeepTheMarksTheMoveCut) {
    Start("abcdefghij|kl|");
    SetMark(data, 1, 0, 72, 0, 1);  // arc from b to d: cut by moving c, d
    SetMark(data, 3, 2, 73, 0, 1);
    SetMark(data, 4, 0, 74, 0, 2);  // tuplet e to f moves whole
    SetMark(data, 5, 0, 75, 0, 2);
    SetMark(data, 7, 0, 89, 0, 3);  // volta h to k, cut at its end
    SetMark(data, 11, 0, 90, 0, 3);
    const std::string original = Image();
    int32_t to = 9;
    clip->DragDropWord(2, 6, to);  // c to h before j
    Relayout();
    EXPECT_EQ("abicdefghj|kl|", Text());
    EXPECT_EQ(0, Slot(1, 0).IndexType);
    EXPECT_EQ(74, Slot(5, 0).IndexType);  // kept: both ends moved
    EXPECT_EQ(75, Slot(6, 0).IndexType);
    EXPECT_EQ(0, Slot(11, 0).IndexType);
    const std::string moved = Image();
    undo->UserUndo();
    EXPECT_TRUE(Same(original, Image()));
    undo->UserRedo();
    EXPECT_TRUE(Same(moved, Image()));
}

TEST_F(ClipboardEditsTest, ClipboardWordSeesTheClipboardOrAMovedBlock) {
    Start("abcdef|");
    EXPECT_FALSE(array.ClipboardWord());
    view.Clip = {Char('x')};
    EXPECT_TRUE(array.ClipboardWord());
    view.Clip.clear();
    int32_t to = 0, out = 3, n = 2;
    array.DragDropArray(to, out, n);
    EXPECT_TRUE(array.ClipboardWord());
    EXPECT_EQ(2, array.LenClipboardWd());
}

// Cutting everything leaves an empty document; undoing the typing and the cut after it must
// stay inside the array.
TEST_F(ClipboardEditsTest, UndoingACutOfEverythingRestoresTheDocument) {
    for (const char* pattern : {"12|", "12"}) {
        Start(pattern);
        const std::string original = Image();
        const auto all = static_cast<int32_t>(std::string_view(pattern).size());
        clip->CutWord(0, all);
        Relayout();
        TypeKeys("5");
        undo->UserUndo();
        undo->UserUndo();
        EXPECT_TRUE(Same(original, Image())) << pattern;
        EXPECT_EQ(0, data.SelStart) << pattern;
        EXPECT_GE(data.SelLength, 2) << pattern;
    }
}

}  // namespace
}  // namespace notaline
