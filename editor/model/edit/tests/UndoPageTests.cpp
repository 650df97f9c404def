#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeLayout.h"
#include "LayoutFixture.h"
#include "model/document/DoArray.h"
#include "model/document/MarkCodes.h"
#include "model/document/mGeneral.h"
#include "model/edit/UndoRedo.h"

namespace notaline {
namespace {

using test::SetMark;
using test::WordBytes;

std::vector<unsigned char> PageBytes(const EditorData& d) {
    std::vector<unsigned char> b(sizeof(d.AboutPageInfo));
    std::memcpy(b.data(), &d.AboutPageInfo, b.size());
    return b;
}

class UndoPageTest : public test::LayoutEditTest {
protected:
    void Start(std::string_view pattern) {
        Doc(pattern);
        Layout();
        data.AboutPageInfo.nScale = 1;
        data.FontTbl.resize(2);
        data.FontTbl[1].hYg = 14;
        data.FontTbl[1].hYc = 4;
        undo = test::MemoryHistory(data, array, journal, view);
    }

    // A page setting changed as its member does it.
    bool Change(int32_t kind, const std::function<void()>& change) {
        if (!undo->SaveUndoData(kind)) return false;
        change();
        return undo->SaveRedoData(kind);
    }
};

TEST_F(UndoPageTest, EachPageSettingComesBackAndShowsItself) {
    Start("abc|de|");
    struct Case {
        int32_t kind;
        std::function<void()> change;
        const char* shown;  // the view call that ends the undo
    };
    const std::vector<Case> cases{
        {3, [&] { data.AboutPageInfo.BackGroundType = 5; }, "RefreshView 0 0 2"},
        {5, [&] { data.AboutPageInfo.PaperType = 1; }, "RefreshView 0 0 1"},
        {6,
         [&] {
             data.AboutPageInfo.PageMarginRect = {300, 250, 0, 0};
         },
         "RefreshView 0 0 1"},
        {12, [&] { data.AboutPageInfo.PagePosIndexType = 3; }, "RefreshView 0 0 2"},
        {13, [&] { data.AboutPageInfo.PageNumberSize = -300; }, "RefreshView 0 0 2"},
        {20,
         [&] {
             data.AboutPageInfo.PageFX = 1;
             data.AboutPageInfo.PageSize = {100, 200};
         },
         "ResetView"},
    };
    std::vector<std::vector<unsigned char>> states{PageBytes(data)};
    for (const auto& c : cases) {
        ASSERT_TRUE(Change(c.kind, c.change)) << c.kind;
        states.push_back(PageBytes(data));
    }
    for (size_t s = cases.size(); s > 0; --s) {
        view.Calls.clear();
        undo->UserUndo();
        EXPECT_EQ(states[s - 1], PageBytes(data)) << "undo of kind " << cases[s - 1].kind;
        ASSERT_FALSE(view.Calls.empty());
        EXPECT_EQ(cases[s - 1].shown, view.Calls.back()) << cases[s - 1].kind;
    }
    EXPECT_FALSE(undo->CanUndo());
    for (size_t s = 1; s <= cases.size(); ++s) {
        undo->UserRedo();
        EXPECT_EQ(states[s], PageBytes(data)) << "redo of kind " << cases[s - 1].kind;
    }
    // The page size follows a restored paper type.
    undo->UserUndo();
    const int32_t a3Width = data.PageWidthPx;
    for (int i = 0; i < 3; ++i) undo->UserUndo();
    EXPECT_EQ(a3Width, data.PageWidthPx);
    undo->UserUndo();
    EXPECT_EQ(states[1], PageBytes(data));
    EXPECT_EQ(794, data.PageWidthPx);
    EXPECT_EQ(1123, a3Width);
}

TEST_F(UndoPageTest, FontRowHeightsComeBackIntoTheirRow) {
    Start("abc|");
    data.EditFontTblIndex = 1;
    ASSERT_TRUE(Change(11, [&] {
        data.FontTbl[1].hYg = 20;
        data.FontTbl[1].hYc = 6;
    }));
    data.EditFontTblIndex = 0;  // the dialog moved on to another row
    undo->UserUndo();
    EXPECT_EQ(14, data.FontTbl[1].hYg);
    EXPECT_EQ(4, data.FontTbl[1].hYc);
    EXPECT_EQ(0, data.FontTbl[0].hYg);
    undo->UserRedo();
    EXPECT_EQ(20, data.FontTbl[1].hYg);
    EXPECT_EQ(6, data.FontTbl[1].hYc);

    data.EditFontTblIndex = 7;  // no such row: refused, no step
    EXPECT_FALSE(undo->SaveUndoData(11));
    EXPECT_FALSE(undo->CanRedo());
    undo->UserUndo();
    EXPECT_EQ(14, data.FontTbl[1].hYg);
}

TEST_F(UndoPageTest, AFailedCloseTakesThePageValueBack) {
    Start("abc|");
    const auto before = PageBytes(data);
    journal->writesLeft = 1;  // the old value goes in, the new one fails
    EXPECT_FALSE(Change(6, [&] { data.AboutPageInfo.PageMarginRect = {1, 2, 3, 4}; }));
    EXPECT_EQ(before, PageBytes(data));
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_FALSE(undo->JournalError().empty());
    journal->writesLeft = 1 << 30;
    ASSERT_TRUE(Change(3, [&] { data.AboutPageInfo.BackGroundType = 2; }));
    undo->UserUndo();
    EXPECT_EQ(before, PageBytes(data));
}

// Paragraph spacing journals only the paragraph ends of its range.
TEST_F(UndoPageTest, SpacingStepsImageOnlyTheParagraphEnds) {
    Start("ab|cde|fg|");
    const auto original = WordBytes(data);
    const aUndoRange range{0, 6, 1, 3, 0, 0, 1};
    ASSERT_TRUE(undo->Begin(kStepParaSpacing, range));
    EXPECT_EQ(1 + 2 * 316, journal->bytes.size() + 1);
    SetMark(data, 2, 5, kMarkSpacingBefore, 40);
    SetMark(data, 6, 5, kMarkSpacingBefore, 40);
    ASSERT_TRUE(undo->Finish(kStepParaSpacing, range));
    EXPECT_EQ(4 * 316 + 56, static_cast<int>(journal->bytes.size()));
    SetInputDat(data, 0, 7, 7);
    FormatInputLines(data, data.InputDat);
    const auto changed = WordBytes(data);

    data.WordInfo[3].cf = 9;  // a character between them is not the step's business
    undo->UserUndo();
    EXPECT_EQ(0, data.WordInfo[2].ExtralWordInfo[5].ExtralWordVal1);
    EXPECT_EQ(9, data.WordInfo[3].cf);
    data.WordInfo[3].cf = 0;
    EXPECT_EQ(original, WordBytes(data));
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    undo->UserRedo();
    EXPECT_EQ(changed, WordBytes(data));
}

TEST_F(UndoPageTest, UndoShowsTheCaretAndRedoKeepsTheCaretLine) {
    Start("abcdefghijkl|mn|");
    ASSERT_TRUE(undo->Begin(kStepWords, {13, 13, 13, 1, 0, 0, 1}));
    data.WordInfo[13].Yc = 2;
    data.SelStart = 14;
    ASSERT_TRUE(undo->Finish(kStepWords, {13, 13, 14, 0, 0, 0, 1}));
    data.CurLine = 0;
    view.Calls.clear();
    undo->UserUndo();
    EXPECT_EQ(GetLineOfWord(data, 14), data.CurLine);
    EXPECT_EQ(static_cast<int16_t>(data.WordInfo[13].Left), data.CaretColumnX);
    ASSERT_GE(view.Calls.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{"EnsureWordVisible 13", "RefreshView 13 1 1"}),
              std::vector<std::string>(view.Calls.end() - 2, view.Calls.end()));
    data.CurLine = 0;
    view.Calls.clear();
    undo->UserRedo();
    EXPECT_EQ(0, data.CurLine);
    ASSERT_GE(view.Calls.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{"EnsureWordVisible 14", "RefreshView 14 0 1"}),
              std::vector<std::string>(view.Calls.end() - 2, view.Calls.end()));
}

// Lines as starts and lengths, enough to see a stale break.
std::vector<std::pair<int32_t, int32_t>> Breaks(const EditorData& d) {
    std::vector<std::pair<int32_t, int32_t>> b;
    for (const auto& l : d.LineInfo) b.emplace_back(l.Start, l.Length);
    return b;
}

// The caret's paragraph is not the changed one: undo and redo must lay out the changed one.
TEST_F(UndoPageTest, UndoAndRedoLayOutTheRestoredCharactersWhereverTheyAre) {
    Start("abcdefgh|ijklmnopqrst|");
    const auto original = Breaks(data);
    data.SelStart = 1;
    data.SelLength = 0;
    ASSERT_TRUE(undo->BeginInPlace(1, 9, 20));
    for (int32_t i = 9; i <= 12; ++i) data.WordInfo[static_cast<size_t>(i)].WdSize.cx = 30;
    ASSERT_TRUE(undo->EndInPlace(1));
    FormatInputLines(data, data.InputDat);
    const auto changed = Breaks(data);
    ASSERT_NE(original, changed);
    undo->UserUndo();
    EXPECT_EQ(original, Breaks(data));
    undo->UserRedo();
    EXPECT_EQ(changed, Breaks(data));
}

TEST_F(UndoPageTest, AvailabilityFollowsSelectionStateAndFocus) {
    Start("abc|");
    data.SelStart = 1;
    data.SelLength = 0;
    EXPECT_FALSE(undo->CanCut());
    EXPECT_FALSE(undo->CanCopy());
    EXPECT_TRUE(undo->CanDel());
    data.SelLength = -1;
    EXPECT_TRUE(undo->CanCut());
    data.SelStart = 3;  // before the last paragraph end: nothing to delete
    EXPECT_FALSE(undo->CanDel());
    data.InputState = tessaly::LpxState;
    EXPECT_FALSE(undo->CanCut());
    EXPECT_FALSE(undo->CanDel());
    undo->CurrentHwFocus(0);
    EXPECT_TRUE(undo->CanCut());
    EXPECT_TRUE(undo->CanDel());
    EXPECT_FALSE(undo->CanPaste());  // the view's clipboard is empty
}

}  // namespace
}  // namespace notaline
