#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EditTestSupport.h"
#include "control/MouseInput.h"
#include "model/document/mGeneral.h"
#include "model/edit/EditCommands.h"

namespace notaline {
namespace {

// Pages in one column from the window's (OriginX, OriginY), a gap before each; what the mouse
// told the window is kept.
class FakeMouseWindow final : public MouseWindow {
public:
    explicit FakeMouseWindow(const EditorData& d) : d_(d) {}
    PageFrame F{0, 0, 20, 10, 1, 600, 400};
    std::vector<int> Notices;
    std::vector<bool> Carets;
    std::vector<IntRect> Rects;

    PageFrame Frame() override { return F; }
    int32_t MousePageY(int32_t, int32_t y) override {
        const double cell = d_.PageHeightPx * F.Scale + F.GapY;
        const int32_t page = static_cast<int32_t>(std::floor((y - F.OriginY) / cell));
        return std::clamp(page, 0, std::max(d_.PageCount() - 1, 0));
    }
    void HoverNotice(bool over) override { Notices.push_back(over ? 1 : 0); }
    void ShowCaret(bool show) override { Carets.push_back(show); }
    void DrawFocusRect(const IntRect& box) override { Rects.push_back(box); }

private:
    const EditorData& d_;
};

class MouseInputTest : public test::LayoutEditTest {
protected:
    FakeMouseWindow window{data};
    std::unique_ptr<EditCommands> commands;
    std::unique_ptr<MouseInput> mouse;

    void Start(std::string_view pattern) {
        data.WriteLeft = 20;
        Doc(pattern);
        Layout();
        data.PageWidthPx = 140;
        data.PageHeightPx = 1020;
        data.DocLoaded = true;
        data.System = system;
        view.Data = &data;
        commands = std::make_unique<EditCommands>(data, std::make_unique<test::FakeJournal>(), view, view);
        mouse = std::make_unique<MouseInput>(data, *commands, view, window);
    }
    // A client point at page pixels (x, y) of a page.
    int32_t X(double x) const { return static_cast<int32_t>(PageLeft(window.F) + x * window.F.Scale); }
    int32_t Y(double y, int32_t page = 0) const {
        return static_cast<int32_t>(PageTop(data, window.F, page) + y * window.F.Scale);
    }
    // The middle of a line, vertically.
    int32_t LineY(int32_t line) const { return Y((L(line).Top + L(line).Bottom) / 2); }
    std::string Text() const {
        std::string s;
        for (int32_t i = 0; i < data.WordCount(); ++i)
            s += static_cast<char>(data.WordInfo[static_cast<size_t>(i)].WdAsc);
        return s;
    }
    void Click(int32_t x, int32_t y) {
        mouse->DownText(kLeftButton, x, y);
        mouse->UpText(kLeftButton, 0, x, y);
    }
};

// "abcdefghij" wraps; "klmn|" ends its paragraph; "xyz|" is the document's last line. Characters
// are 10 pixels wide from x 20, lines 16 high from y 10.
constexpr char kDoc[] = "abcdefghijklmn|xyz|";

TEST_F(MouseInputTest, TheHitTestFindsTheCharacterWhoseCentreIsNearest) {
    Start(kDoc);
    const int32_t y0 = LineY(0);
    EXPECT_EQ(2, mouse->HitTestText(kLeftButton, X(44), y0).HitWord);  // left half of c: before it
    EXPECT_EQ(3, mouse->HitTestText(kLeftButton, X(46), y0).HitWord);  // right half: after it
    EXPECT_EQ(0, mouse->HitTestText(kLeftButton, X(22), y0).HitWord);
    // Past the end of a wrapped line: after its last character, at the line's end.
    const MouseHit end = mouse->HitTestText(kLeftButton, X(130), y0);
    EXPECT_EQ(10, end.HitWord);
    EXPECT_EQ(tessaly::inEdit, end.HitArea);
    EXPECT_TRUE(data.CaretAtLineEnd);
    // Past a paragraph's end: on its paragraph mark.
    EXPECT_EQ(14, mouse->HitTestText(kLeftButton, X(130), LineY(1)).HitWord);
    EXPECT_FALSE(data.CaretAtLineEnd);
    // Above the first line, and below the last within the page.
    EXPECT_EQ(0, mouse->HitTestText(kLeftButton, X(22), Y(-5)).HitLine);
    EXPECT_EQ(2, mouse->HitTestText(kLeftButton, X(22), Y(900)).HitLine);
    EXPECT_EQ(tessaly::NameLessborder, mouse->HitTestText(kLeftButton, X(22), Y(1025)).HitArea);  // below the page
    EXPECT_EQ(tessaly::NameLessborder, mouse->HitTestText(0, 700, 50).HitArea);                   // out of the window
    const MouseHit margin = mouse->HitTestText(kLeftButton, X(10), LineY(1));
    EXPECT_EQ(tessaly::inLborder, margin.HitArea);
    EXPECT_EQ(10, margin.HitWord);
    // On the selection, its end included.
    Select(5, -3);
    EXPECT_EQ(tessaly::inSelected, mouse->HitTestText(kLeftButton, X(36), y0).HitArea);
    EXPECT_EQ(tessaly::inSelected, mouse->HitTestText(kLeftButton, X(66), y0).HitArea);
    EXPECT_EQ(tessaly::inEdit, mouse->HitTestText(kLeftButton, X(76), y0).HitArea);
    EXPECT_EQ(tessaly::inEdit, mouse->HitTestText(kLeftButton, X(26), y0).HitArea);
    data.DocLoaded = false;
    EXPECT_EQ(0, mouse->HitTestText(kLeftButton, X(44), y0).HitArea);
}

TEST_F(MouseInputTest, AtZoomAndScrolledThePointIsTakenOnItsPage) {
    data.WriteHeight = 30;  // one line a page
    Start(kDoc);
    const int32_t last = GetPageOfWord(data, 15), middle = GetPageOfWord(data, 10);
    ASSERT_GT(last, middle);
    window.F.Scale = 1.5;
    window.F.OriginY = -900;
    const MouseHit hit = mouse->HitTestText(kLeftButton, X(44), Y(18, last));
    EXPECT_EQ(2, hit.HitLine);
    EXPECT_EQ(17, hit.HitWord);
    EXPECT_EQ(middle, PageHoldingPoint(data, window, X(50), Y(500, middle)));
    EXPECT_EQ(-1, PageHoldingPoint(data, window, X(50), Y(1025, middle)));  // the gap below it
    EXPECT_EQ(-1, PageHoldingPoint(data, window, X(-5), Y(500, middle)));   // beside it
    EXPECT_EQ(-1, PageHoldingPoint(data, window, X(150), Y(500, middle)));
}

TEST_F(MouseInputTest, APressInTheMarginSelectsTheLine) {
    Start(kDoc);
    mouse->DownText(kLeftButton, X(5), LineY(0));
    EXPECT_EQ(0, data.SelStart);
    EXPECT_EQ(10, data.SelLength);
    // The document's last line leaves its closing paragraph mark out.
    mouse->DownText(kLeftButton, X(5), LineY(2));
    EXPECT_EQ(15, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    EXPECT_EQ(2, data.CurLine);
    mouse->DownText(2, X(5), LineY(1));
    EXPECT_EQ(10, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
    EXPECT_EQ("RefreshView 10 0 5", view.Calls.back());
}

TEST_F(MouseInputTest, DraggingUpwardsSelectsLeftwardsUntilTheRelease) {
    Start(kDoc);
    mouse->DownText(kLeftButton, X(36), LineY(1));  // after l
    EXPECT_TRUE(mouse->SelectingByMouse());
    EXPECT_EQ(12, data.SelStart);
    view.Calls.clear();
    mouse->MoveText(kLeftButton, X(62), LineY(0));  // before e
    EXPECT_EQ(-8, data.SelLength);
    EXPECT_TRUE(view.Calls.empty());  // the window's drag scrolling redraws
    mouse->UpText(kLeftButton, 0, X(62), LineY(0));
    EXPECT_FALSE(mouse->SelectingByMouse());
    EXPECT_EQ(4, data.SelStart);
    EXPECT_EQ(8, data.SelLength);
    EXPECT_EQ(0, data.CurLine);
    EXPECT_EQ((std::vector<std::string>{"EnsureWordVisible 4", "RefreshView 4 8 6"}), view.Calls);
    EXPECT_EQ(60, data.CaretColumnX);
}

TEST_F(MouseInputTest, ReleasesWithAKeyHeldOrAnotherButtonChangeNothing) {
    Start(kDoc);
    mouse->DownText(kLeftButton, X(36), LineY(0));
    mouse->UpText(kLeftButton, 1, X(76), LineY(0));
    mouse->UpText(2, 0, X(76), LineY(0));
    EXPECT_EQ(0, data.SelLength);
    EXPECT_TRUE(mouse->SelectingByMouse());
    // A release below the page turns a leftward selection round and ends the drag.
    Select(6, -4);
    mouse->UpText(kLeftButton, 0, X(36), Y(1030));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(4, data.SelLength);
    EXPECT_FALSE(mouse->SelectingByMouse());
    // A right press on the selection, then a left click in the margin: the line is selected,
    // nothing is dropped.
    Select(1, 3);
    mouse->DownText(2, X(46), LineY(0));
    mouse->UpText(2, 0, X(46), LineY(0));
    Click(X(5), LineY(1));
    EXPECT_EQ(10, data.SelStart);
    EXPECT_EQ(5, data.SelLength);
}

TEST_F(MouseInputTest, DraggingTheSelectionMovesItInOneUndoStep) {
    Start(kDoc);
    const std::string original = Text();
    Select(1, 3);  // bcd
    mouse->DownText(kLeftButton, X(46), LineY(0));
    EXPECT_TRUE(mouse->DraggingSelection());
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    mouse->MoveText(kLeftButton, X(46), LineY(1));
    EXPECT_EQ(kCursorArrow, mouse->Cursor());
    ASSERT_EQ(1u, window.Rects.size());
    EXPECT_EQ(8, window.Rects[0].Right - window.Rects[0].Left);
    mouse->UpText(kLeftButton, 0, X(44), LineY(1));  // before m
    EXPECT_FALSE(mouse->DraggingSelection());
    EXPECT_EQ("aefghijklbcdmn|xyz|", Text());
    EXPECT_EQ(9, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    EXPECT_EQ(1, test::CountSteps(commands->Undo));
    commands->Undo.UserUndo();
    EXPECT_EQ(original, Text());
}

TEST_F(MouseInputTest, DroppingOnOrRightAfterTheSelectionOnlyPlacesTheCaret) {
    Start(kDoc);
    const std::string original = Text();
    for (int32_t x : {46, 56}) {  // on d, and right after it
        Select(1, 3);
        mouse->DownText(kLeftButton, X(26), LineY(0));
        mouse->UpText(kLeftButton, 0, X(x), LineY(0));
        EXPECT_EQ(original, Text());
        EXPECT_EQ(0, data.SelLength);
        EXPECT_EQ(x == 46 ? 3 : 4, data.SelStart);
    }
    EXPECT_FALSE(commands->Undo.CanUndo());
}

TEST_F(MouseInputTest, TheHostHearsOnceWhenTheMouseComesOntoAndLeavesTheCaretCharacter) {
    Start(kDoc);
    Select(2, 0);
    mouse->MoveText(0, X(22), LineY(0));
    EXPECT_EQ(kCursorIBeam, mouse->Cursor());
    mouse->MoveText(0, X(42), LineY(0));
    mouse->MoveText(0, X(48), LineY(0));  // still on c
    EXPECT_EQ((std::vector<int>{1}), window.Notices);
    EXPECT_EQ((std::vector<bool>{false}), window.Carets);
    mouse->MoveText(0, X(10), LineY(0));
    EXPECT_EQ(kCursorArrow, mouse->Cursor());  // the margin
    EXPECT_EQ((std::vector<int>{1, 0}), window.Notices);
    EXPECT_EQ((std::vector<bool>{false, true}), window.Carets);
    // With a selection the caret is not hidden, and so not shown again either.
    Select(2, 1);
    mouse->MoveText(0, X(45), LineY(0));
    mouse->MoveText(0, X(85), LineY(0));
    EXPECT_EQ((std::vector<int>{1, 0, 1, 0}), window.Notices);
    EXPECT_EQ(2u, window.Carets.size());
}

TEST_F(MouseInputTest, TheCaretCharacterIsOnlyUnderTheMouseOnItsOwnPage) {
    data.WriteHeight = 30;
    Start(kDoc);
    Select(2, 0);
    const int32_t page = GetPageOfWord(data, 2);
    window.F.ClientHeight = 5000;
    mouse->MoveText(0, X(45), Y(18, page + 1));  // where c stands, but on the next page
    EXPECT_TRUE(window.Notices.empty());
    mouse->MoveText(0, X(45), Y(18, page));
    EXPECT_EQ((std::vector<int>{1}), window.Notices);
}

TEST(HitHwZone, ZonesAndTheirCursorsWithOneUnitOfTolerance) {
    struct Case {
        double x, y;
        int32_t zone;
        int16_t cursor;
    };
    const Case cases[] = {
        {10, 20, 11, kCursorSizeNWSE}, {51, 81, 33, kCursorSizeNWSE}, {30, 19, 12, kCursorSizeNS},
        {30, 80, 32, kCursorSizeNS},   {50, 20, 13, kCursorSizeNESW}, {9, 81, 31, kCursorSizeNESW},
        {11, 50, 21, kCursorSizeWE},   {51, 50, 23, kCursorSizeWE},   {30, 50, 22, kCursorMove},
        {8, 50, -80, kCursorArrow},    {30, 82, -98, kCursorArrow},
    };
    for (const Case& c : cases) {
        int16_t cursor = -1;
        EXPECT_EQ(c.zone, HitHwZone(c.x, c.y, 10, 50, 20, 80, cursor)) << c.x << "," << c.y;
        EXPECT_EQ(c.cursor, cursor) << c.x << "," << c.y;
    }
}

class ItemMouseTest : public MouseInputTest {
protected:
    static tessaly::aHwWordInfo Item(float x, float y, float w, float h) {
        tessaly::aHwWordInfo item;
        item.HwWordtype = 1;
        item.X = x;
        item.Y = y;
        item.Width = w;
        item.Height = h;
        return item;
    }
    void StartItems() {
        Start(kDoc);
        data.InputState = tessaly::LpxState;
        data.HwWordInfo = {Item(30, 100, 40, 200), Item(50, 150, 40, 200)};
        data.AboutFileInfo.HwWordCount = 2;
    }
    const tessaly::aHwWordInfo& I(size_t i) const { return data.HwWordInfo[i]; }
};

TEST_F(ItemMouseTest, APressFocusesTheFirstItemUnderItAndAMissDropsTheFocus) {
    StartItems();
    mouse->DownLpx(kLeftButton, X(60), Y(200));  // inside both
    EXPECT_EQ(0, commands->Undo.CurrentHwFocus());
    EXPECT_EQ(kCursorMove, mouse->Cursor());
    EXPECT_EQ((IntRect{X(30), Y(100), X(70), Y(300)}), mouse->FocusRect());
    EXPECT_EQ(1u, window.Rects.size());
    mouse->UpLpx(kLeftButton, X(60), Y(200));
    mouse->DownLpx(kLeftButton, X(85), Y(340));  // only the second
    EXPECT_EQ(1, commands->Undo.CurrentHwFocus());
    mouse->UpLpx(kLeftButton, X(85), Y(340));
    EXPECT_FALSE(commands->Undo.CanUndo());  // no move, no step
    view.Calls.clear();
    mouse->DownLpx(kLeftButton, X(120), Y(600));
    EXPECT_EQ(-1, commands->Undo.CurrentHwFocus());
    mouse->MoveLpx(kLeftButton, X(130), Y(610));
    mouse->UpLpx(kLeftButton, X(130), Y(610));
    EXPECT_EQ((std::vector<std::string>{"RefreshView 0 0 4"}), view.Calls);
}

TEST_F(ItemMouseTest, ACornerResizesAndTheInsideMovesInOneStepEach) {
    StartItems();
    const auto before = data.HwWordInfo;
    mouse->DownLpx(kLeftButton, X(71), Y(301));  // bottom-right corner of the first
    EXPECT_EQ(kCursorSizeNWSE, mouse->Cursor());
    mouse->MoveLpx(kLeftButton, X(81), Y(306));
    mouse->MoveLpx(kLeftButton, X(91), Y(311));
    EXPECT_EQ((IntRect{X(30), Y(100), X(90), Y(310)}), mouse->FocusRect());
    mouse->UpLpx(kLeftButton, X(91), Y(311));
    EXPECT_FLOAT_EQ(30, I(0).X);
    EXPECT_FLOAT_EQ(60, I(0).Width);
    EXPECT_FLOAT_EQ(210, I(0).Height);
    // Hovering shows what a drag would do; the inside moves the item.
    mouse->MoveLpx(0, X(60), Y(200));
    EXPECT_EQ(kCursorMove, mouse->Cursor());
    mouse->DownLpx(kLeftButton, X(40), Y(200));
    mouse->MoveLpx(kLeftButton, X(35), Y(220));
    mouse->UpLpx(kLeftButton, X(35), Y(220));
    EXPECT_FLOAT_EQ(25, I(0).X);
    EXPECT_FLOAT_EQ(120, I(0).Y);
    EXPECT_FLOAT_EQ(60, I(0).Width);
    EXPECT_EQ(2, test::CountSteps(commands->Undo));
    commands->Undo.UserUndo();
    commands->Undo.UserUndo();
    EXPECT_FLOAT_EQ(before[0].Width, I(0).Width);
    EXPECT_FLOAT_EQ(before[0].X, I(0).X);
}

TEST_F(ItemMouseTest, AtAnyZoomAReleaseWithoutAMoveLeavesTheItemExactly) {
    StartItems();
    data.HwWordInfo[0] = Item(30.3f, 100.7f, 40.1f, 200.9f);
    window.F.Scale = 1.37;
    mouse->DownLpx(kLeftButton, X(50), Y(200));
    ASSERT_EQ(0, commands->Undo.CurrentHwFocus());
    mouse->MoveLpx(0, X(51), Y(201));
    mouse->UpLpx(kLeftButton, X(51), Y(201));
    EXPECT_FALSE(commands->Undo.CanUndo());
    EXPECT_FLOAT_EQ(30.3f, I(0).X);
    EXPECT_FLOAT_EQ(200.9f, I(0).Height);
}

}  // namespace
}  // namespace notaline
