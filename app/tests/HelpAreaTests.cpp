#include <gtest/gtest.h>

#include "HelpArea.h"

namespace tavolin {
namespace {

// Mark panel 1 in the slot at 1300 over panel 0 at 3500, as after swapping the slots.
struct HelpAreaTest : ::testing::Test {
    HelpAreaTest() {
        panels.PanelStates = {{1, 1300, 2100, true, true}, {0, 3500, 3135, true, true}};
        g.side[1] = {0, 1300, 1800, 2100};
        g.side[0] = {0, 3500, 1800, 3135};
    }
    PanelArrangement panels;
    FormGeometry g;
};

TEST_F(HelpAreaTest, OpensAndClosesMovingOnlyTheLowerPanelAndItsOwnSlot) {
    ASSERT_TRUE(ToggleHelpArea(panels, g, 1));
    EXPECT_EQ(5100, g.side[1].Height);
    EXPECT_EQ(1300, g.side[1].Top);
    EXPECT_EQ(6500, g.side[0].Top);
    EXPECT_EQ(5100, panels.PanelStates[0].PanelHeight);
    EXPECT_EQ(1300, panels.PanelStates[0].PanelTop);
    EXPECT_EQ(6500, panels.PanelStates[1].PanelTop);
    EXPECT_EQ(3135, panels.PanelStates[1].PanelHeight);
    ASSERT_TRUE(ToggleHelpArea(panels, g, 1));
    EXPECT_EQ(2100, g.side[1].Height);
    EXPECT_EQ(3500, g.side[0].Top);
    EXPECT_EQ(3500, panels.PanelStates[1].PanelTop);
    EXPECT_EQ(2100, panels.PanelStates[0].PanelHeight);
}

TEST_F(HelpAreaTest, OtherHeightsAndAPanelAboveStayPut) {
    g.side[1].Height = 500;  // collapsed
    EXPECT_FALSE(ToggleHelpArea(panels, g, 1));
    EXPECT_EQ(500, g.side[1].Height);
    EXPECT_EQ(3500, g.side[0].Top);
    g.side[1] = {0, 5000, 1800, 2100};  // now the lower one: nothing below it moves
    g.side[0].Top = 1300;
    ASSERT_TRUE(ToggleHelpArea(panels, g, 1));
    EXPECT_EQ(1300, g.side[0].Top);
    EXPECT_EQ(3500, panels.PanelStates[1].PanelTop);
}

}  // namespace
}  // namespace tavolin
