#include <gtest/gtest.h>

#include "PanelDrop.h"

namespace tavolin {
namespace {

TEST(PanelDrop, NewTopReordersTheSlotsEqualTopsStay) {
    // Panel 0 stands at 300, panel 1 at 3635 (both placed by the layout).
    const struct {
        const char* name;
        int dragged;
        double offset;
        int16_t upper;
    } rows[] = {
        {"panel 1 above panel 0", 1, 300 - 3635 - 1, 1},
        {"panel 1 onto panel 0's top: equal, no exchange", 1, 300 - 3635, 0},
        {"panel 0 below panel 1", 0, 3635 - 300 + 1, 1},
        {"panel 0 dropped on itself", 0, 50, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        PanelArrangement panels;
        FormGeometry g;
        g.side[0].Top = panels.PanelStates[0].PanelTop = 300;
        g.side[1].Top = panels.PanelStates[1].PanelTop = 3635;
        ASSERT_TRUE(DropPanel(panels, g, r.dragged, r.offset));
        EXPECT_EQ(r.upper, panels.PanelStates[0].PanelIndex);
        EXPECT_EQ(1 - r.upper, panels.PanelStates[1].PanelIndex);
        EXPECT_EQ(g.side[r.dragged].Top + r.offset, panels.PanelStates[panels.FindPanelSlot(r.dragged)].PanelTop);
    }
}

TEST(PanelDrop, PanelWithoutASlotChangesNothing) {
    PanelArrangement panels;
    panels.PanelStates[1].PanelIndex = 0;  // both slots name panel 0
    FormGeometry g;
    EXPECT_FALSE(DropPanel(panels, g, 1, -5000));
    EXPECT_FALSE(DropPanel(panels, g, 7, 0));
    EXPECT_EQ(0, panels.PanelStates[1].PanelIndex);
}

}  // namespace
}  // namespace tavolin
