#include <gtest/gtest.h>

#include <random>

#include "AttributeFixture.h"

namespace notaline {
namespace {

class SpacingCommandsTest : public test::AttributeTest {
protected:
    std::vector<int> Numbers(int32_t first, int32_t last) {
        std::vector<int> n;
        for (int32_t i = first; i <= last; ++i) n.push_back(W(i).ShuPai.Number);
        return n;
    }
    bool Stack(int32_t start, int32_t length, int16_t number, float space = 2) {
        Select(start, length);
        return spacing->ShuPai({space, number});
    }
};

TEST_F(SpacingCommandsTest, EveryCommandIsOneStepThatUndoesToTheByte) {
    Start("abc|de12|f|");
    const std::vector<std::pair<const char*, std::function<bool()>>> commands{
        {"SelWordSpace", [&] { return spacing->SelWordSpace(1, 6, 3.5f); }},
        {"SelWordSpace at the caret", [&] { return spacing->SelWordSpace(4, 0, 2); }},
        {"SetWordSpace", [&] { return spacing->SetWordSpace(8, -7, 1); }},
        {"UpSpace", [&] { return spacing->UpSpace(0, 11, -2); }},
        {"ShuPai",
         [&] {
             Select(4, 4);
             return spacing->ShuPai({1.5f, -1});
         }},
        {"MustFormatShuPai",
         [&] {
             Select(6, 0);
             return spacing->MustFormatShuPai(0, 0);
         }},
    };
    for (const auto& [what, command] : commands) ExpectOneStep(command, what);
}

TEST_F(SpacingCommandsTest, RangesAnswerTheirCommonValue) {
    Start("abc|de|");
    for (int32_t i = 0; i < 3; ++i) W(i).WdSpace = 4, W(i).UpSpace = 2;
    EXPECT_EQ(4.0f, spacing->SelWordSpace(0, 4));   // the paragraph end does not count
    EXPECT_EQ(MixedValue, spacing->UpSpace(0, 4));  // here it does
    EXPECT_EQ(2.0f, spacing->UpSpace(3, -3));
    W(1).WdSpace = 5;
    EXPECT_EQ(MixedValue, spacing->SelWordSpace(0, 3));
    EXPECT_EQ(4.0f, spacing->SelWordSpace(0, 0));
    EXPECT_EQ(5.0f, spacing->SelWordSpace(2, 0));  // the character before the caret
    W(4).WdSpace = 7;
    EXPECT_EQ(7.0f, spacing->SelWordSpace(4, 0));  // after a paragraph end: the one at the caret
    EXPECT_EQ(0.0f, spacing->SelWordSpace(7, 0));
    EXPECT_EQ(0.0f, spacing->UpSpace(7, 0));
    EXPECT_EQ(0.0f, spacing->UpSpace(5, 9));
}

TEST_F(SpacingCommandsTest, TenNudgesOnOneRangeAreOneStep) {
    Start("abcd|");
    const auto before = Bytes();
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(spacing->SetWordSpace(1, 2, 1));
    EXPECT_EQ(10.0f, W(1).WdSpace);
    EXPECT_EQ(10.0f, W(2).WdSpace);
    EXPECT_EQ(0.0f, W(3).WdSpace);
    FormatInputLines(data, data.InputDat);
    ASSERT_EQ(1, test::CountSteps(*undo));
    test::ExpectUndoRedo(*undo, before, Bytes(), [&] { return Bytes(); });

    // A moved selection starts another step; a leftward one names the same range.
    ASSERT_TRUE(spacing->SetWordSpace(0, 1, -1));
    ASSERT_TRUE(spacing->SetWordSpace(1, 1, -1));
    ASSERT_TRUE(spacing->SetWordSpace(2, -1, -1));
    EXPECT_EQ(3, Steps());
    EXPECT_EQ(8.0f, W(1).WdSpace);
}

TEST_F(SpacingCommandsTest, RaisesInARowAreOneStep) {
    Start("abcd|");
    const auto before = Bytes();
    ASSERT_TRUE(spacing->UpSpace(0, 3, 2));
    ASSERT_TRUE(spacing->UpSpace(0, 3, 5));
    EXPECT_EQ(5.0f, spacing->UpSpace(0, 3));
    ASSERT_TRUE(spacing->SelWordSpace(0, 3, 1.5f));  // another change closes the raise
    ASSERT_TRUE(spacing->UpSpace(0, 3, 6));
    EXPECT_EQ(3, Steps());
    undo->UserUndo();
    undo->UserUndo();
    EXPECT_EQ(5.0f, W(2).UpSpace);
    EXPECT_EQ(0.0f, W(2).WdSpace);
    undo->UserUndo();
    EXPECT_EQ("", Diff(before));

    // An empty range gives the space to the character at the caret; past the end, nothing.
    ASSERT_TRUE(spacing->SelWordSpace(2, 0, 3));
    EXPECT_EQ(3.0f, W(2).WdSpace);
    EXPECT_FALSE(spacing->SelWordSpace(5, 0, 3));
    EXPECT_FALSE(spacing->SetWordSpace(3, 9, 1));
    EXPECT_FALSE(spacing->UpSpace(-1, 1, 1));
}

TEST_F(SpacingCommandsTest, StacksCountUpOrDownAndRecordOnlyChanges) {
    Start("abcdef|");
    ASSERT_TRUE(Stack(1, 3, 1));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 0}), Numbers(0, 4));
    EXPECT_EQ(2.0f, W(2).ShuPai.Space);
    EXPECT_FALSE(Stack(1, 3, 1));  // the same again
    EXPECT_EQ(1, Steps());
    ASSERT_TRUE(Stack(4, -3, -1));
    EXPECT_EQ((std::vector<int>{0, -1, -2, -3, 0}), Numbers(0, 4));
    EXPECT_FALSE(Stack(4, 1, 1));  // one character outside a stack
    EXPECT_EQ(2, Steps());

    Select(1, 3);
    EXPECT_EQ(-1, spacing->ShuPai().Number);
    EXPECT_EQ(2.0f, spacing->ShuPai().Space);
    Select(0, 3);
    EXPECT_EQ(0, spacing->ShuPai().Number);  // mixed
    Select(3, 0);
    EXPECT_EQ(-3, spacing->ShuPai().Number);
    Select(3, 2);
    EXPECT_EQ(0, spacing->ShuPai().Number);
}

TEST_F(SpacingCommandsTest, UnstackingFromInsideClearsTheWholeStack) {
    Start("abcdefg|");
    ASSERT_TRUE(Stack(1, 4, 1));
    ASSERT_TRUE(Stack(5, 2, -1, 3));
    FormatInputLines(data, data.InputDat);
    const auto stacked = Bytes();
    ASSERT_TRUE(Stack(2, 1, 0, 0));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, -1, -2, 0}), Numbers(0, 7));
    EXPECT_EQ(0.0f, W(1).ShuPai.Space);
    undo->UserUndo();
    EXPECT_EQ("", Diff(stacked));
    // A selection from one stack into the next clears both.
    ASSERT_TRUE(Stack(4, 2, 0, 0));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0}), Numbers(0, 7));
    EXPECT_EQ(3, Steps());
}

TEST_F(SpacingCommandsTest, AStackToTheEndOfTheDocumentEndsWithItsLastCharacter) {
    Start("abcd");
    ASSERT_TRUE(Stack(1, 3, 1));
    ASSERT_TRUE(Stack(3, 1, 0, 0));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), Numbers(0, 3));

    // Deleting in a stack dissolves it first; a caret after the last character selects nothing.
    ASSERT_TRUE(Stack(0, 4, 1));
    Select(4, 0);
    EXPECT_FALSE(spacing->MustFormatShuPai(0, 0));
    EXPECT_EQ(0, data.SelLength);
    Select(2, 0);
    EXPECT_TRUE(spacing->MustFormatShuPai(0, 0));
    EXPECT_EQ(1, data.SelLength);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), Numbers(0, 3));
    Select(1, 2);
    EXPECT_TRUE(spacing->MustFormatShuPai(1, 4));
    EXPECT_EQ(4.0f, W(2).ShuPai.Space);
}

TEST_F(SpacingCommandsTest, StackPlacesBeyondAnIntegerStayAtItsLargest) {
    Start(std::string(40000, 'a') + "|");
    ASSERT_TRUE(Stack(0, 40000, -1));
    EXPECT_EQ(-32767, W(32766).ShuPai.Number);
    EXPECT_EQ(-32768, W(32767).ShuPai.Number);
    EXPECT_EQ(-32768, W(39999).ShuPai.Number);
    EXPECT_EQ(0, W(40000).ShuPai.Number);
    EXPECT_FALSE(Stack(0, 40000, -1));
}

TEST_F(SpacingCommandsTest, FontExInfoReadsAndWritesTheThreeParts) {
    Start("abcd|");
    ASSERT_TRUE(Stack(0, 3, 1, 5));
    undo->ZeroUnDoReDoVal();
    Select(0, 3);
    spacing->FontExInfo({2, 3, {5, 1}});  // the stacking as it is
    EXPECT_EQ(2, Steps());
    const tessaly::FontExInfo info = spacing->FontExInfo();
    EXPECT_EQ(2.0f, info.SelWdSpace);
    EXPECT_EQ(3.0f, info.SelWdUpSpace);
    EXPECT_EQ(1, info.SelShuPai.Number);
    EXPECT_EQ(5.0f, info.SelShuPai.Space);
    spacing->FontExInfo({2, 3, {0, 0}});  // only the stacking changes
    EXPECT_EQ(3, Steps());
    EXPECT_EQ(0, spacing->FontExInfo().SelShuPai.Number);
}

TEST_F(SpacingCommandsTest, AJournalThatFailsLeavesNoHalfStep) {
    Start("abcd|");
    const auto before = Bytes();
    journal->writesLeft = 0;
    EXPECT_FALSE(spacing->SelWordSpace(0, 2, 4));
    EXPECT_FALSE(spacing->SetWordSpace(0, 2, 1));
    EXPECT_FALSE(chars->Bold(0, 2, true));
    Select(0, 3);
    EXPECT_FALSE(spacing->ShuPai({1, 1}));
    EXPECT_EQ("", Diff(before));
    EXPECT_FALSE(undo->CanUndo());

    // The before-image goes in, the close of the run fails: the nudges that were reported stay,
    // and their step is finished once the journal takes it again.
    journal->writesLeft = 3;
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(spacing->SetWordSpace(1, 2, 1));
    EXPECT_EQ(5.0f, W(1).WdSpace);
    EXPECT_TRUE(undo->Modified());
    EXPECT_FALSE(spacing->SelWordSpace(0, 2, 4));  // refused while the step is owed
    EXPECT_EQ(5.0f, W(1).WdSpace);
    journal->writesLeft = 1 << 30;
    ASSERT_TRUE(undo->CanUndo());
    undo->UserUndo();
    EXPECT_EQ("", Diff(before));
    EXPECT_FALSE(undo->CanUndo());
}

// Random commands of both kinds over random ranges, each laid out as the control does, which
// must agree with a full layout; then everything undone gives back the first document and everything redone the last,
// byte for byte.
TEST_F(SpacingCommandsTest, RandomHistoriesUndoAndRedoToTheByte) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        Start("ab12#c|de3|f45g|#|hi|");
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        const auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
        const auto heights = [&] { return std::vector<float>{data.FontTbl[1].hYg, data.FontTbl[1].hYc}; };
        const auto first = Bytes();
        const auto firstHeights = heights();
        for (int step = 0; step < 60; ++step) {
            const int32_t n = data.WordCount();
            const int32_t start = pick(0, n);
            const int32_t length = pick(-start, n - start);
            Select(start, length);
            const int32_t command = pick(0, 17);
            switch (command) {
                case 0: chars->SelForeColor(start, length, static_cast<uint32_t>(pick(0, 3))); break;
                case 1: chars->SelWordBkColor(start, length, static_cast<uint32_t>(pick(0, 3))); break;
                case 2: chars->DelBackColor(start, length); break;
                case 3: chars->Bold(start, length, pick(0, 1) != 0); break;
                case 4: chars->Underline(start, length, pick(0, 1) != 0); break;
                case 5: chars->SelFontName(start, length, pick(0, 1) ? "Arial" : "Tolvane"); break;
                case 6: chars->SelFontSize(start, length, static_cast<float>(pick(6, 30)) / 2); break;
                case 7: chars->StdFont(start, length, 7, {"Arial", 11, true, false, true, true, 0}); break;
                case 8: chars->WordYC(start, length, pick(0, 3)); break;
                case 9: chars->WordYg(start, length, pick(0, 6)); break;
                case 10:
                    data.EditFontTblIndex = 1;
                    data.EditFontTbl.hYg = static_cast<float>(pick(10, 20));
                    chars->ChangFontTbl();
                    break;
                case 11: spacing->SelWordSpace(start, length, static_cast<float>(pick(0, 8))); break;
                case 12:
                case 13: spacing->SetWordSpace(start, length, pick(-1, 1) | 1); break;
                case 14: spacing->UpSpace(start, length, static_cast<float>(pick(-4, 4))); break;
                case 15: spacing->ShuPai({static_cast<float>(pick(0, 3)), static_cast<int16_t>(pick(-1, 1))}); break;
                case 16: spacing->MustFormatShuPai(pick(-1, 1), pick(0, 3)); break;
                default: spacing->FontExInfo({1, 2, {3, static_cast<int16_t>(pick(-1, 1))}}); break;
            }
            // The range the command told the layout of covers everything it moved.
            FormatInputLines(data, data.InputDat);
            const auto relaid = Bytes();
            Layout();
            EXPECT_EQ("", Diff(relaid)) << "step " << step << " command " << command;
            if (pick(0, 3) == 0) {
                chars->Italic(0, 1, pick(0, 1) != 0);  // closes an open coalesced step
                FormatInputLines(data, data.InputDat);
            }
        }
        undo->EndPendingStep();
        const auto last = Bytes();
        const auto lastHeights = heights();
        ASSERT_TRUE(undo->CanUndo());
        while (undo->CanUndo()) undo->UserUndo();
        EXPECT_EQ("", Diff(first));
        EXPECT_EQ(firstHeights, heights());
        while (undo->CanRedo()) undo->UserRedo();
        EXPECT_EQ("", Diff(last));
        EXPECT_EQ(lastHeights, heights());
        EXPECT_TRUE(undo->JournalError().empty());
    }
}

}  // namespace
}  // namespace notaline
