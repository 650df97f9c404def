#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "DocumentCommandFixture.h"
#include "LayoutFixture.h"
#include "model/layout/Pagination.h"
#include "model/layout/ParagraphEnds.h"

namespace notaline {
namespace {

// Random paragraph, page and free-item commands, each followed by what the control does after
// it; then undo all gives back every earlier state and redo all every later one.
class CommandHistoryTest : public test::DocumentCommandTest, protected test::RandomPicks {
protected:
    int16_t Value(int32_t n) { return static_cast<int16_t>(Pick(n)); }

    tessaly::RECT Margins() { return {50 + Pick(350), 50 + Pick(350), 50 + Pick(350), 50 + Pick(350)}; }

    void FocusSomeItem() { undo->CurrentHwFocus(Pick(static_cast<int32_t>(data.HwWordInfo.size()) + 1) - 1); }

    // Runs one random command; true when it changed the document. `spacingAt` is the paragraph
    // end a spacing nudge went to, -1 for any other command.
    bool RunOne(int32_t& spacingAt) {
        spacingAt = -1;
        const int32_t count = data.WordCount();
        const int32_t start = Pick(count + 1);
        const int32_t length = Pick(count + 1 - start) * (Pick(2) ? 1 : -1);
        switch (Pick(16)) {
            case 0: {
                tessaly::aPartInfo info;
                const auto field = [&] { return Pick(3) ? static_cast<int16_t>(kMixedValue) : Value(60); };
                info.AlignmentMethod = static_cast<tessaly::Alignment>(Pick(2) ? kMixedValue : Pick(4));
                info.FirstLineIndentation = field();
                info.LeftIndentation = field();
                info.RightIndentation = field();
                info.LineSpace = field();
                info.SpacingBefore = field();
                info.SpacingAfter = field();
                return Relaid(paragraphs->PartAtt(start, length, info));
            }
            case 1: return Relaid(paragraphs->Alignment(start, length, static_cast<tessaly::Alignment>(Pick(4))));
            case 2: {
                // Nudges come in runs at one place, as key presses do.
                const int32_t at = Pick(3) ? lastNudge_ : start;
                if (!Relaid(paragraphs->SelSpacingBefore(at, 0, Value(80)))) return false;
                lastNudge_ = at;
                spacingAt = ParagraphEndSpan(data, at, at).First;
                return true;
            }
            case 3: return Relaid(paragraphs->SelParLineSpace(start, length, Value(80)));
            case 4: return page->BackGroundType(Value(6));
            case 5: {
                if (!page->PaperType(Pick(2) ? pA4 : pA3)) return false;
                ApplyPaperType(data, view);
                return true;
            }
            case 6: {
                if (!page->SetPageWordRect(Margins())) return false;
                CalcWriteRect(data);
                ReFormatAll(data, view);
                return true;
            }
            case 7: return page->PagePosIndexType(Value(5));
            case 8: return page->PageNumberSize(Value(5));
            case 9: {
                auto setup = data.AboutPageInfo;
                setup.PaperType = static_cast<uint8_t>(Pick(3) == 0 ? pCustom : Pick(2));
                setup.PageSize = {100 + Pick(200), 100 + Pick(300)};
                setup.PageFX = static_cast<uint8_t>(Pick(2));
                setup.nScale = Pick(2) ? 1.0f : 1.5f;
                setup.PageMarginRect = Margins();
                if (!page->SetPageSeting(setup)) return false;
                ReInitFormat(data, view);
                return true;
            }
            case 10: return items->InsterHwWord(grid, Pick(900), Pick(3000), Value(5) + 1, Pick(2) == 0);
            case 11: return items->PasteHwWord(grid, Pick(900), Pick(3000));
            case 12: FocusSomeItem(); return items->DelHwWord();
            case 13: FocusSomeItem(); return items->CutHwWord();
            case 14: {
                FocusSomeItem();
                const int32_t focus = undo->CurrentHwFocus();
                if (focus >= 0 && static_cast<size_t>(focus) < data.HwWordInfo.size())
                    data.EditHwWordInfo = data.HwWordInfo[static_cast<size_t>(focus)];
                data.EditHwWordInfo.X += static_cast<float>(Pick(50));
                data.EditHwWordInfo.Height = static_cast<float>(20 + Pick(200));
                return items->ChangHwWordInfo();
            }
            default: FocusSomeItem(); return items->HwWordColor(0x010101u * static_cast<uint32_t>(Pick(4)));
        }
    }

private:
    int32_t lastNudge_ = 0;

    // The control lays out the touched paragraphs after a paragraph command.
    bool Relaid(bool changed) {
        if (changed) FormatInputLines(data, data.InputDat);
        return changed;
    }
};

TEST_F(CommandHistoryTest, UndoAllAndRedoAllGiveBackEveryStateExactly) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Start("abc|de|fghij|k|lm|");
        Seed(seed);
        std::vector<test::DocumentState> states{test::StateOf(data)};
        int32_t openNudge = -1;  // the paragraph end of the open coalesced step
        const int commands = 5 + Pick(40);
        for (int c = 0; c < commands; ++c) {
            int32_t spacingAt = -1;
            if (!RunOne(spacingAt)) continue;
            ASSERT_EQ(data.HwWordInfo.size(), static_cast<size_t>(data.AboutFileInfo.HwWordCount));
            ASSERT_EQ(data.WordInfo.size(), static_cast<size_t>(data.WordCount()) + 1);
            ASSERT_EQ("", test::LayoutDifference(data, test::FullLayoutOf(data)))
                << "seed " << seed << " command " << c;
            if (spacingAt >= 0 && spacingAt == openNudge) {
                states.back() = test::StateOf(data);  // the same step grew
            } else {
                states.push_back(test::StateOf(data));
            }
            openNudge = spacingAt;
        }
        const size_t steps = states.size() - 1;
        struct Seen {
            test::DocumentState State;
            std::string Layout;  // how it differs from a full layout
        };
        const auto walk = test::WalkHistory(*undo, [&] {
            return Seen{test::StateOf(data), test::LayoutDifference(data, test::FullLayoutOf(data))};
        });
        ASSERT_EQ(steps, walk.Down.size()) << "seed " << seed;
        ASSERT_EQ(steps, walk.Up.size()) << "seed " << seed;
        for (size_t s = 0; s < steps; ++s) {
            ASSERT_EQ(states[steps - 1 - s], walk.Down[s].State) << "seed " << seed << " undo to " << steps - 1 - s;
            ASSERT_EQ("", walk.Down[s].Layout) << "seed " << seed << " undo " << steps - s;
            ASSERT_EQ(states[s + 1], walk.Up[s].State) << "seed " << seed << " redo to " << s + 1;
            ASSERT_EQ("", walk.Up[s].Layout) << "seed " << seed << " redo " << s + 1;
        }
        ASSERT_FALSE(undo->CanRedo()) << "seed " << seed;
    }
}

}  // namespace
}  // namespace notaline
