#include <gtest/gtest.h>

#include "DocumentCommandFixture.h"

namespace notaline {
namespace {

class FreeItemsTest : public test::DocumentCommandTest {
protected:
    const tessaly::aHwWordInfo& Item(int32_t i) const { return data.HwWordInfo[static_cast<size_t>(i)]; }
    // The window point of page pixel (x, y) on a page of the grid.
    int32_t WindowX(double x) const { return static_cast<int32_t>(x + grid.ScrollX + grid.SpaceX); }
    int32_t WindowY(int32_t pageIndex, double y) const {
        return static_cast<int32_t>(y + grid.ScrollY + grid.SpaceY + (grid.PageCy + grid.SpaceY) * pageIndex);
    }
};

TEST_F(FreeItemsTest, ANewItemTakesTheFirstCharactersColourAndTheFocus) {
    Start("abc|");
    grid.ScrollX = -15;
    grid.ScrollY = -300;
    const auto original = test::StateOf(data);
    ASSERT_TRUE(items->InsterHwWord(grid, WindowX(70), WindowY(0, 45), 3));
    ASSERT_EQ(3u, data.HwWordInfo.size());
    EXPECT_EQ(3, data.AboutFileInfo.HwWordCount);
    EXPECT_EQ(2, undo->CurrentHwFocus());
    EXPECT_EQ(0, Item(2).iPage);
    EXPECT_EQ(3, Item(2).HwWordtype);
    EXPECT_EQ(1, Item(2).cf);
    EXPECT_EQ(70.0f, Item(2).X);
    EXPECT_EQ(45.0f, Item(2).Y);
    EXPECT_EQ(120.0f, Item(2).Height);
    EXPECT_EQ(30.0f, Item(2).Width);
    EXPECT_EQ(0x0000FFu, items->HwWordColor());
    const auto inserted = test::StateOf(data);
    undo->UserUndo();
    EXPECT_EQ(original, test::StateOf(data));
    undo->UserRedo();
    EXPECT_EQ(inserted, test::StateOf(data));

    EXPECT_FALSE(items->InsterHwWord(grid, 0, 0, 6));  // no such kind
    EXPECT_FALSE(items->InsterHwWord(grid, 0, 0, 0));
    EXPECT_EQ(inserted, test::StateOf(data));
}

TEST_F(FreeItemsTest, TheHostsInsertLandsAt120OverTheScale) {
    Start("abc|");
    data.AboutPageInfo.nScale = 2;
    grid.Pages = 3;  // the document has one page: the grid's answer is limited to it
    ASSERT_TRUE(items->InsterHwWord(grid, 120, 120, 1, true));
    EXPECT_EQ(60.0f, Item(2).X);
    EXPECT_EQ(60.0f, Item(2).Y);

    // A point below the last page: on the last page, at its distance from that page's top.
    grid.Pages = 1;
    data.AboutPageInfo.nScale = 1;
    ASSERT_TRUE(items->InsterHwWord(grid, WindowX(10), WindowY(0, grid.PageCy + 200), 2));
    EXPECT_EQ(0, Item(3).iPage);
    EXPECT_EQ(static_cast<float>(grid.PageCy + 200), Item(3).Y);
}

TEST_F(FreeItemsTest, CutThenPasteMovesTheItemToThePageUnderThePoint) {
    Start("abc|");
    data.InputState = tessaly::LpxState;
    data.HwWordInfo[1].cf = 1;
    const auto original = test::StateOf(data);
    undo->CurrentHwFocus(1);
    ASSERT_TRUE(items->CutHwWord());
    EXPECT_EQ(1u, view.Copied.size());
    EXPECT_EQ(1u, data.HwWordInfo.size());
    EXPECT_EQ(-1, undo->CurrentHwFocus());
    const auto cut = test::StateOf(data);

    ASSERT_TRUE(items->PasteHwWord(grid, WindowX(300), WindowY(0, 222)));
    ASSERT_EQ(2u, data.HwWordInfo.size());
    EXPECT_EQ(1, undo->CurrentHwFocus());
    EXPECT_EQ(2, Item(1).HwWordtype);
    EXPECT_EQ(1, Item(1).cf);
    EXPECT_EQ(120.0f, Item(1).Height);
    EXPECT_EQ(300.0f, Item(1).X);
    EXPECT_EQ(222.0f, Item(1).Y);
    const auto pasted = test::StateOf(data);

    undo->UserUndo();
    EXPECT_EQ(cut, test::StateOf(data));
    undo->UserUndo();
    EXPECT_EQ(original, test::StateOf(data));
    EXPECT_EQ(1, undo->CurrentHwFocus());  // the item is back and focused
    undo->UserRedo();
    undo->UserRedo();
    EXPECT_EQ(pasted, test::StateOf(data));
}

TEST_F(FreeItemsTest, ColourAndMoveOfTheFocusedItem) {
    Start("abc|");
    undo->CurrentHwFocus(0);
    EXPECT_FALSE(items->HwWordColor(0x000000u));  // its colour already
    EXPECT_FALSE(undo->CanUndo());
    const auto original = test::StateOf(data);
    ASSERT_TRUE(items->HwWordColor(0x00FF00u));
    EXPECT_EQ(2, Item(0).cf);
    EXPECT_EQ(0x00FF00u, items->HwWordColor());
    test::DocumentState coloured = test::StateOf(data);
    ExpectUndoRedo(original, coloured);

    data.EditHwWordInfo = Item(0);
    data.EditHwWordInfo.X += 33;
    data.EditHwWordInfo.Height = 80;
    ASSERT_TRUE(items->ChangHwWordInfo());
    EXPECT_EQ(80.0f, Item(0).Height);
    ExpectUndoRedo(coloured, test::StateOf(data));
}

// Nothing focused, or a focus that names no item: nothing happens and nothing is recorded.
TEST_F(FreeItemsTest, ACutTheClipboardRefusesKeepsTheItem) {
    Start("abc|");
    data.InputState = tessaly::LpxState;
    data.SelLength = 1;
    view.Data = &data;
    view.Refuse = true;
    undo->CurrentHwFocus(1);
    const auto original = test::StateOf(data);
    EXPECT_FALSE(items->CutHwWord());
    EXPECT_EQ(original, test::StateOf(data));
    EXPECT_EQ(1, undo->CurrentHwFocus());
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(1, system.Beeps);
}

TEST_F(FreeItemsTest, MembersWithoutAFocusedItemDoNothing) {
    Start("abc|");
    const auto original = test::StateOf(data);
    for (int32_t focus : {-1, 2, 99}) {
        undo->CurrentHwFocus(focus);
        EXPECT_EQ(0u, items->HwWordColor()) << focus;
        EXPECT_FALSE(items->HwWordColor(0x123456u)) << focus;
        EXPECT_FALSE(items->ChangHwWordInfo()) << focus;
        EXPECT_FALSE(items->DelHwWord()) << focus;
        EXPECT_FALSE(items->CutHwWord()) << focus;
    }
    EXPECT_TRUE(view.Copied.empty());
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(2u, data.ColorTbl.size());
    EXPECT_EQ(original, test::StateOf(data));

    // Nothing cut yet: nothing to paste.
    EXPECT_FALSE(items->PasteHwWord(grid, 10, 10));
    data.ClipHwWordInfo = Item(0);
    data.ClipHwWordInfo.cf = 7;  // a colour this document does not have
    EXPECT_FALSE(items->PasteHwWord(grid, 10, 10));
    EXPECT_EQ(2, system.Beeps);
    EXPECT_FALSE(undo->CanUndo());
}

TEST_F(FreeItemsTest, DeletingTakesTheFocusAwayAndUndoGivesItBack) {
    Start("abc|");
    const auto original = test::StateOf(data);
    undo->CurrentHwFocus(1);
    ASSERT_TRUE(items->DelHwWord());
    EXPECT_EQ(-1, undo->CurrentHwFocus());
    EXPECT_FALSE(items->DelHwWord());  // a second Delete has nothing to delete
    EXPECT_EQ(1u, data.HwWordInfo.size());
    undo->UserUndo();
    EXPECT_EQ(original, test::StateOf(data));
    EXPECT_EQ(1, undo->CurrentHwFocus());

    journal->writesLeft = 0;
    EXPECT_FALSE(items->DelHwWord());
    EXPECT_FALSE(items->InsterHwWord(grid, 0, 0, 1));
    EXPECT_EQ(1, undo->CurrentHwFocus());
    journal->writesLeft = 1 << 30;
    EXPECT_EQ(original, test::StateOf(data));
}

}  // namespace
}  // namespace notaline
