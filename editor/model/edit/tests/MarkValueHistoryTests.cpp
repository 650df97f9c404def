#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "MarkEditFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"

namespace notaline {
namespace {

using test::SetMark;

// Codes the random histories put on characters and switch between.
constexpr int32_t kCodes[] = {18, 33, 72, 73, 75, 81, 83, 120, kMarkGraceNote};

class MarkValueHistoryTest : public test::MarkEditTest, protected test::RandomPicks {
protected:
    int32_t Code() { return kCodes[Pick(static_cast<int32_t>(std::size(kCodes)))]; }
    // Mostly characters of the document, sometimes one outside it.
    int32_t Word() { return Pick(20) == 0 ? data.WordCount() + Pick(3) - 1 : Pick(data.WordCount()); }
    int32_t SlotIndex() { return Pick(20) == 0 ? 8 : Pick(kSlotCount); }

    // The bytes with every line laid out again: undo and redo re-lay out only the paragraph of
    // the selection they give back, which need not hold the characters a mark edit changed.
    std::vector<unsigned char> LaidOutBytes() {
        Layout();
        return Bytes();
    }

    void Scatter() {
        for (int32_t i = 0; i < data.WordCount(); ++i)
            for (int32_t s = 0; s < kSlotCount; ++s)
                if (Pick(5) == 0) SetMark(data, i, s, Code(), Pick(30) - 10, Pick(20));
        Layout();
    }
};

// Random mark-value edits, switches, removals and grace-note groups, left open and closed as the
// user would: undoing everything gives back the first bytes, redoing everything the last, and
// each step in between is the same on the way down and on the way up.
TEST_F(MarkValueHistoryTest, RandomCommandsUndoAndRedoToTheExactBytes) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        Seed(seed);
        Start("12345670:|1234|a1b2|9876543|");
        Scatter();
        const auto original = Bytes();
        int32_t word = 0, slot = 0;
        const int commands = 10 + Pick(50);
        for (int c = 0; c < commands; ++c) {
            if (Pick(3) != 0) {  // a new target; otherwise the same value goes on changing
                word = Word();
                slot = SlotIndex();
            }
            const int32_t start = Pick(data.WordCount());
            const int32_t length = Pick(7) - 3;
            switch (Pick(10)) {
                case 0: marks->ExtralWordVal1(word, slot, Pick(40) - 20); break;
                case 1: marks->ExtralWordVal2(word, slot, Pick(40) - 20); break;
                case 2:
                    marks->ExtralWordVal3(word, slot, std::string(static_cast<size_t>(Pick(20)), 'a' + Pick(26)));
                    break;
                case 3:
                    Select(start, length);
                    marks->ChangExtralType(Code(), Code(), Pick(2) ? -1 : Code(), Code());
                    break;
                case 4: marks->DelExtralType(start, length, Code()); break;
                case 5: {
                    Select(start, length);
                    const int32_t n = length < 0 ? -length : length;
                    grace->FormatYYInfo(kMarkGraceNote, (n + (Pick(2) ? 3 : 0)) * 10 + 1 + (Pick(8) == 0 ? 10 : 0));
                    break;
                }
                case 6:
                    Select(start, length);
                    grace->SetQianYY(Pick(2) == 0);
                    break;
                case 7: grace->DelYY(start, length); break;
                case 8: Select(start, length); break;
                default: undo->EndPendingStep(); break;  // the caret moved
            }
            Relayout();
        }
        const auto final = Bytes();
        auto walk = test::WalkHistory(*undo, [&] { return LaidOutBytes(); });
        walk.Down.insert(walk.Down.begin(), final);  // the states from the last step down to the first
        ASSERT_EQ(original, walk.Down.back()) << "seed " << seed;
        ASSERT_LE(walk.Down.size(), static_cast<size_t>(commands) + 1);
        ASSERT_EQ(walk.Down.size() - 1, walk.Up.size()) << "seed " << seed;
        for (size_t k = 0; k < walk.Up.size(); ++k)
            ASSERT_EQ(walk.Down[walk.Up.size() - 1 - k], walk.Up[k]) << "seed " << seed << " redo of step " << k + 1;
        EXPECT_EQ(final, Bytes()) << "seed " << seed;
    }
}

}  // namespace
}  // namespace notaline
