#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "MarkSteps.h"

namespace tavolin {
namespace {

using O = StepOutcome;

// One row a click: the mark, the button, the values before, then what the click does.
TEST(MarkSteps, KindTable) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kSlurTop = 400 + 128 * 65536;
    const struct {
        int32_t code;
        int button;
        MarkValues in;
        O what;
        int32_t v1, v2;  // after
        int32_t newCode;
        bool beep;
    } rows[] = {
        {29, 4, {}, O::ChangeKind, 0, 0, 30, false},
        {32, 4, {}, O::ChangeKind, 0, 0, 24, false},
        {24, 5, {}, O::ChangeKind, 0, 0, 32, false},
        {7, 4, {}, O::ChangeKind, 0, 0, 2, false},
        {163, 5, {}, O::ChangeKind, 0, 0, 176, false},
        {22, 1, {}, O::ChangeKind, 0, 0, 23, false},
        {71, 5, {}, O::ChangeKind, 0, 0, 70, false},
        {79, 5, {}, O::ChangeKind, 0, 0, 76, false},
        {61, 4, {}, O::ChangeInputWord, 0, 0, 55, false},
        {45, 4, {}, O::ChangeInputWord, 0, 0, 177, false},
        {177, 4, {}, O::ChangeInputWord, 0, 0, 178, false},
        {178, 4, {}, O::ChangeInputWord, 0, 0, 39, false},
        {39, 5, {}, O::ChangeInputWord, 0, 0, 178, false},
        {129, 0, {}, O::ChangeInputWord, 0, 0, 46, false},
        {141, 3, {}, O::ChangeInputWord, 0, 0, 80, false},
        {16, 0, {100, 0, ""}, O::Nothing, 100, 0, 0, false},
        {16, 2, {5, 5, ""}, O::WriteV2, 5, 4, 0, false},
        {33, 3, {4, 1, ""}, O::Nothing, 4, 1, 0, false},
        {70, 3, {0, -3, ""}, O::WriteV2, 0, 1, 0, false},
        {81, 3, {0, 1, ""}, O::NoRedraw, 0, 1, 0, false},
        {85, 4, {0, 17, ""}, O::WriteV2, 0, 1, 0, false},
        {85, 5, {0, 1, ""}, O::WriteV2, 0, 17, 0, false},
        {117, 1, {3, 0, ""}, O::WriteV2, 3, 0, 0, false},
        {152, 0, {kSlurTop, 0, ""}, O::NoRedraw, kSlurTop, 0, 0, true},
        {153, 3, {kSlurTop, 0, ""}, O::NoRedraw, kSlurTop, 0, 0, true},
        {152, 1, {200, 0, ""}, O::NoRedraw, 200, 0, 0, true},
        {152, 2, {200, 0, ""}, O::NoRedraw, 200, 0, 0, true},
        {152, 3, {300, 0, ""}, O::WriteV1, 300 + 65536, 0, 0, false},
        {160, 0, {40, 0, ""}, O::WriteV1, 39, 0, 0, false},
        {161, 0, {5, 0, ""}, O::WriteV1, 5, 0, 0, true},
        {161, 1, {0, 0, ""}, O::WriteV1, 0, 0, 0, true},
        {8, 4, {1, 1, ""}, O::Nothing, 1, 1, 0, false},
        {1, 0, {kMax, 0, ""}, O::Nothing, kMax, 0, 0, false},
        {37, 3, {0, -kMax - 1, ""}, O::Nothing, 0, -kMax - 1, 0, false},
        {37, 2, {0, 7, ""}, O::WriteV2, 0, 8, 0, false},
        {92, 4, {}, O::Nothing, 0, 0, 0, false},
        {90, 5, {}, O::Nothing, 0, 0, 0, false},
        // Every row of the kind table, values outside their range included.
        {4, 2, {1, 1, ""}, O::Nothing, 1, 1, 0, false},
        {15, 4, {}, O::ChangeKind, 0, 0, 9, false},
        {9, 5, {}, O::ChangeKind, 0, 0, 15, false},
        {16, 0, {-5, 0, ""}, O::WriteV1, -4, 0, 0, false},
        {16, 1, {150, 0, ""}, O::WriteV1, 149, 0, 0, false},
        {16, 1, {0, 0, ""}, O::Nothing, 0, 0, 0, false},
        {21, 4, {}, O::ChangeKind, 0, 0, 17, false},
        {33, 2, {0, 20, ""}, O::Nothing, 0, 20, 0, false},
        {33, 1, {20, 0, ""}, O::WriteV1, 19, 0, 0, false},
        {36, 4, {}, O::ChangeKind, 0, 0, 34, false},
        {39, 0, {}, O::Nothing, 0, 0, 0, false},
        {47, 3, {}, O::ChangeInputWord, 0, 0, 129, false},
        {53, 4, {}, O::ChangeInputWord, 0, 0, 49, false},
        {63, 2, {}, O::ChangeInputWord, 0, 0, 64, false},
        {146, 0, {3, 0, ""}, O::WriteV1, 4, 0, 0, false},
        {72, 2, {3, 3, ""}, O::Nothing, 3, 3, 0, false},
        {76, 3, {0, 0, ""}, O::WriteV2, 0, 1, 0, false},
        {80, 5, {}, O::ChangeInputWord, 0, 0, 140, false},
        {81, 3, {0, 0, ""}, O::WriteV2, 0, -1, 0, false},
        {84, 3, {0, -7, ""}, O::WriteV2, 0, -8, 0, false},
        {84, 5, {}, O::ChangeKind, 0, 0, 81, false},
        {85, 4, {0, 16, ""}, O::WriteV2, 0, 17, 0, false},
        {85, 4, {0, -5, ""}, O::WriteV2, 0, -4, 0, false},
        {85, 5, {0, 25, ""}, O::WriteV2, 0, 24, 0, false},
        {85, 5, {0, -5, ""}, O::WriteV2, 0, 17, 0, false},
        {97, 5, {}, O::ChangeKind, 0, 0, 94, false},
        {102, 4, {}, O::ChangeKind, 0, 0, 98, false},
        {106, 0, {}, O::ChangeInputWord, 0, 0, 105, false},
        {108, 3, {0, 0, ""}, O::WriteV2, 0, -1, 0, false},
        {109, 3, {0, 0, ""}, O::WriteV2, 0, 1, 0, false},
        {112, 4, {}, O::ChangeKind, 0, 0, 111, false},
        {118, 5, {}, O::ChangeKind, 0, 0, 117, false},
        {117, 0, {0, -9, ""}, O::WriteV2, 0, -8, 0, false},
        {176, 4, {}, O::ChangeKind, 0, 0, 163, false},
    };
    for (const auto& row : rows) {
        const StepResult r = StepMark(row.code, row.button, row.in);
        SCOPED_TRACE(testing::Message() << row.code << " button " << row.button);
        EXPECT_EQ(row.what, r.what);
        EXPECT_EQ(row.v1, r.values.v1);
        EXPECT_EQ(row.v2, r.values.v2);
        EXPECT_EQ(row.newCode, r.newCode);
        EXPECT_EQ(row.beep, r.beep);
    }
}

TEST(MarkSteps, VoltaTupletAndGraceForms) {
    const StepResult volta = StepMark(89, 4, {});
    EXPECT_EQ(O::ChangeVolta, volta.what);
    EXPECT_EQ((std::array<int32_t, 3>{91, 90, 92}),
              (std::array<int32_t, 3>{volta.newCode, volta.pairOld, volta.pairNew}));
    const StepResult open = StepMark(91, 5, {});
    EXPECT_EQ((std::array<int32_t, 3>{89, 92, 90}), (std::array<int32_t, 3>{open.newCode, open.pairOld, open.pairNew}));

    EXPECT_EQ("2", StepMark(74, 3, {0, 0, "2"}).values.text);
    EXPECT_EQ("0", StepMark(74, 3, {0, 0, "1"}).values.text);
    EXPECT_EQ("5", StepMark(75, 3, {0, 0, "6"}).values.text);
    EXPECT_EQ("4", StepMark(75, 2, {0, 0, "3"}).values.text);
    EXPECT_EQ(O::WriteText, StepMark(75, 2, {0, 0, "3"}).what);

    EXPECT_TRUE(StepMark(38, 0, {}).graceBefore);
    EXPECT_EQ(O::GraceForm, StepMark(38, 1, {}).what);
    EXPECT_FALSE(StepMark(38, 1, {}).graceBefore);
    EXPECT_EQ(O::Nothing, StepMark(38, 2, {}).what);
    EXPECT_EQ(O::Nothing, StepMark(24, 6, {}).what);
}

}  // namespace
}  // namespace tavolin
