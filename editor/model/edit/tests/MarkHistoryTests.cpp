#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "MarkFixture.h"

namespace notaline {
namespace {

using test::SetMark;

// Random mark commands over a document already full of marks, pairs and grace notes; every
// command is at most one step, a refused one changes nothing, and undoing everything then
// redoing everything passes through the same bytes and selections.
class MarkHistoryTest : public test::MarkTest, protected test::RandomPicks {
protected:
    std::vector<WordRange> recent;

    void RandomDocument() {
        std::string pattern;
        for (int i = 0; i < 23; ++i) pattern += "1234567012a|"[Pick(0, 11)];
        Start(pattern + "|");
        static constexpr std::array<int32_t, 20> codes{1,  18, 38,  72,  73,  74,  75,  81,  89,  90,
                                                       91, 92, 133, 135, 139, 144, 145, 150, 151, 152};
        for (int32_t w = 0; w < data.WordCount(); ++w) {
            const int32_t filled = Pick(0, 10) == 0 ? 8 : Pick(0, 3) / 2;
            for (int32_t s = 0; s < filled; ++s)
                SetMark(data, w, s, codes[static_cast<size_t>(Pick(0, 19))], Pick(-5, 5), Pick(1, 3));
        }
    }

    std::string Text() {
        std::string t(static_cast<size_t>(Pick(0, 20)), 'x');
        for (char& c : t) c = static_cast<char>(Pick(1, 255));
        return t;
    }

    void RandomCommand() {
        // Ranges come back often, so that range marks are taken away again.
        if (recent.empty() || Pick(0, 1)) recent.push_back({Pick(-1, data.WordCount()), Pick(-4, 5)});
        const WordRange range = recent[static_cast<size_t>(Pick(0, static_cast<int32_t>(recent.size()) - 1))];
        const int32_t start = range.Start;
        const int32_t length = range.Length;
        Select(start, length);
        const int32_t values = Pick(0, 3) == 0 ? static_cast<int32_t>(Next()) : Pick(-3, 0x30003);
        view.Room = Pick(0, 3) != 0;
        static constexpr std::array<int32_t, 7> arcs{72, 121, 146, 148, 150, 152, 74};
        static constexpr std::array<int32_t, 5> pairs{72, 74, 89, 91, 144};
        switch (Pick(0, 1) ? Pick(10, 15) : Pick(0, 15)) {
            case 0: marks->FormatWord(Pick(-1, 182), values); break;
            case 1: marks->FormatCombiningChar(142, values); break;
            case 2: marks->Format_ChangSpeed(start, length, Pick(163, 176), values); break;
            case 3: marks->FormatTestWord(start, length, Text(), values); break;
            case 4: marks->FormatXiaoJieXuHao(start, length, Text(), values); break;
            case 5: marks->Format_Custom_ChangSpeed(start, length, Text(), values); break;
            case 6: marks->FormatCustomWord(start, length, Text(), values); break;
            case 7: marks->FormatZhuYingWord(values); break;
            case 8: marks->FormatZhuYingWordPosY(static_cast<int16_t>(Pick(-40000, 40000) / 2)); break;
            case 9: marks->DelSelZhuYing(); break;
            case 10: ranges->FormatHuXian(start, length, arcs[static_cast<size_t>(Pick(0, 6))], values); break;
            case 11: ranges->FormatLinYing(Text(), values); break;
            case 12: ranges->FormatTFZ(Text(), values, 89); break;
            case 13: ranges->FormatKFTFZ(Text(), values, static_cast<int16_t>(Pick(0, 3) ? 91 : 90)); break;
            case 14: ranges->FormatBigHuaYing(); break;
            default: ranges->DelAreaInfo(start, length, pairs[static_cast<size_t>(Pick(0, 4))]); break;
        }
    }

    struct State {
        std::vector<unsigned char> Bytes;
        int32_t SelStart, SelLength;
        bool operator==(const State&) const = default;
    };
    State Now() const { return {Bytes(), data.SelStart, data.SelLength}; }
};

TEST_F(MarkHistoryTest, UndoAllAndRedoAllPassThroughEveryState) {
    for (uint32_t seed : {1u, 2u, 3u, 2026u}) {
        Seed(seed);
        RandomDocument();
        recent.clear();
        std::vector<State> before, after;
        for (int i = 0; i < 400; ++i) {
            const int steps = Steps();
            const auto was = Bytes();
            RandomCommand();
            const State now = Now();
            ASSERT_LE(Steps() - steps, 1) << "seed " << seed << " command " << i;
            if (Steps() == steps) {
                ASSERT_EQ(was, now.Bytes) << "seed " << seed << " command " << i;
                continue;
            }
            // Undo puts a caret found past the last character onto it.
            before.push_back({was, std::min(now.SelStart, data.WordCount() - 1), now.SelLength});
            after.push_back(now);
            for (int32_t w = 0; w < data.WordCount(); ++w)
                for (const auto& slot : W(w).ExtralWordInfo) ASSERT_TRUE(slot.IndexType >= 0 && slot.IndexType <= 180);
        }
        ASSERT_GT(before.size(), 100u);
        const auto walk = test::WalkHistory(*undo, [&] { return Now(); });
        ASSERT_EQ(before.size(), walk.Down.size()) << "seed " << seed;
        ASSERT_EQ(before.size(), walk.Up.size()) << "seed " << seed;
        for (size_t k = 0; k < before.size(); ++k) {
            const size_t undone = before.size() - 1 - k;
            ASSERT_EQ(before[undone], walk.Down[k]) << "seed " << seed << " undo of step " << undone;
            ASSERT_EQ(after[k], walk.Up[k]) << "seed " << seed << " redo of step " << k;
        }
        EXPECT_FALSE(undo->CanRedo());
    }
}

}  // namespace
}  // namespace notaline
