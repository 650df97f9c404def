#include <gtest/gtest.h>

#include <vector>

#include "PageGrid.h"

namespace tessaly {
namespace {

struct FakeBars : ScrollBarSink {
    int32_t width = 0, height = 0;
    bool shown[2] = {false, false};
    int32_t page[2] = {0, 0}, pos[2] = {0, 0}, track[2] = {0, 0};
    void ClientSize(int32_t& w, int32_t& h) override {
        w = width;
        h = height;
    }
    void ShowBar(bool v, bool show) override { shown[v] = show; }
    void SetBar(bool v, int32_t p, int32_t position) override {
        page[v] = p;
        pos[v] = position;
    }
    void SetBarPosition(bool v, int32_t position) override { pos[v] = position; }
    int32_t TrackPosition(bool v) override { return track[v]; }
};

constexpr Fixed F(int64_t pixels) {
    return pixels * kFixedOne;
}
enum : int { kLineUp, kLineDown, kPageUp, kPageDown, kThumbReleased, kThumbDragged, kTop, kBottom };

// Ten pages of 100 x 100 down one column in a 300 x 300 window: grid 120 wide, 1110 high.
struct TenPages : ::testing::Test {
    FakeBars bars;
    PageGrid grid{bars};
    void SetUp() override {
        bars.width = bars.height = 300;
        grid.InitPageScrollInfo(100, 100, 1, 10);
    }
};

TEST(PageGrid, GapCentresPagesInTheEditView) {
    FakeBars bars;
    PageGrid grid(bars);
    grid.SetEditView(true);
    bars.width = 1000;
    grid.InitPageScrollInfo(794, 1123, 1, 3);
    EXPECT_EQ(103, grid.PageSpaceX());
    EXPECT_EQ(40, grid.PageSpaceY());
    bars.width = 800;
    grid.InitPageScrollInfo(-1, -1, -1, -1);  // keeps the page, takes the new width
    EXPECT_EQ(40, grid.PageSpaceX());
    // A zoomed page: halves go to the even neighbour.
    bars.width = 1001;
    grid.InitPageScrollInfo(794, -1, -1, -1);
    EXPECT_EQ(104, grid.PageSpaceX());  // 103.5
    bars.width = 1003;
    grid.InitPageScrollInfo(-1, -1, -1, -1);
    EXPECT_EQ(104, grid.PageSpaceX());  // 104.5
    bars.width = 1200;
    grid.InitPageScrollInfo(1191, 1684, -1, -1);  // 150 %
    EXPECT_EQ(40, grid.PageSpaceX());
    EXPECT_EQ(F(40 + (40 + 1684) * 3), grid.GridHeight());

    grid.SetEditView(false);
    grid.InitPageScrollInfo(-1, -1, -1, -1);
    EXPECT_EQ(10, grid.PageSpaceX());
    EXPECT_EQ(10, grid.PageSpaceY());
}

TEST_F(TenPages, BarsUseAFixedScale) {
    EXPECT_EQ(F(1110), grid.GridHeight());
    EXPECT_TRUE(bars.shown[1]);
    EXPECT_FALSE(bars.shown[0]);    // 120 wide fits
    EXPECT_EQ(8856, bars.page[1]);  // 300 * 32767 / 1110 = 8855.9
    grid.HandleScrollMessage(kPageDown, true);
    EXPECT_EQ(F(300), grid.PositionY());
    EXPECT_EQ(8856, bars.pos[1]);
    grid.HandleScrollMessage(kLineUp, true);  // a tenth of the client
    EXPECT_EQ(F(270), grid.PositionY());
    grid.HandleScrollMessage(0x00120000 | kPageUp, true);  // only the low word is the request
    EXPECT_EQ(0, grid.PositionY());
    grid.HandleScrollMessage(8, true);
    EXPECT_EQ(0, grid.PositionY());
}

TEST_F(TenPages, RequestsStopAtTheEndsOfTheGrid) {
    grid.HandleScrollMessage(kBottom, true);
    EXPECT_EQ(F(810), grid.PositionY());
    grid.HandleScrollMessage(kLineDown, true);
    EXPECT_EQ(F(810), grid.PositionY());
    grid.HandleScrollMessage(kPageDown, true);
    EXPECT_EQ(F(810), grid.PositionY());
    EXPECT_EQ(7, grid.FirstVisiblePageY());  // 810 / 110
    EXPECT_EQ(8, grid.SecondVisiblePageY());
    EXPECT_EQ(F(770 - 810), grid.FirstVisiblePageScrollY());
    grid.HandleScrollMessage(kTop, true);
    EXPECT_EQ(0, grid.PositionY());
    grid.HandleScrollMessage(kLineUp, true);
    EXPECT_EQ(0, grid.PositionY());

    bars.track[1] = kScrollScale;  // thumb dragged to the end
    grid.HandleScrollMessage(kThumbDragged, true);
    EXPECT_EQ(F(810), grid.PositionY());
    EXPECT_EQ(0, bars.pos[1]);  // the system draws a dragged thumb itself
    bars.track[1] = 16384;
    grid.HandleScrollMessage(kThumbReleased, true);
    EXPECT_EQ(555'0169, grid.PositionY());  // 1110 * 16384 / 32767 = 555.0169...
    EXPECT_EQ(16384, bars.pos[1]);
}

TEST(PageGrid, AGridThatFitsTheWindowNeverScrolls) {
    FakeBars bars;
    PageGrid grid(bars);
    bars.width = bars.height = 500;
    grid.InitPageScrollInfo(100, 100, 2, 2);  // 230 x 230
    EXPECT_FALSE(bars.shown[0]);
    EXPECT_FALSE(bars.shown[1]);
    for (int code : {kLineDown, kPageDown, kBottom}) {
        grid.HandleScrollMessage(code, true);
        grid.HandleScrollMessage(code, false);
    }
    bars.track[0] = bars.track[1] = kScrollScale;
    grid.HandleScrollMessage(kThumbReleased, true);
    grid.ScrollByPgDw(true);
    grid.ScrollByMouseWheel(true);
    grid.ScrollByMouseMove(99.5f);
    grid.EnsureVisible(F(200), F(200), F(220), F(220));
    EXPECT_EQ(0, grid.PositionX());
    EXPECT_EQ(0, grid.PositionY());
}

TEST(PageGrid, NoGridYetOrCellsOfNoSizeAreHarmless) {
    FakeBars bars;
    PageGrid grid(bars);  // nothing set up: every length is 0
    grid.OnSizeChanged(300, 200);
    for (int code = 0; code <= 7; ++code) grid.HandleScrollMessage(code, code % 2 == 0);
    grid.EnsureVisible(F(10), F(10), F(20), F(20));
    EXPECT_EQ(0, grid.MousePageX(50, 50));
    EXPECT_EQ(0, grid.MousePageY(50, 50));
    EXPECT_EQ(0, grid.FirstVisiblePageY());
    EXPECT_EQ(0, grid.SecondVisiblePageY());

    bars.width = bars.height = 100;
    grid.InitPageScrollInfo(-10, -10, 3, 3);  // page and gap cancel out
    grid.SetFirstPageScrollY(F(500));
    grid.HandleScrollMessage(kBottom, true);
    EXPECT_EQ(0, grid.MousePageY(5, 5));
    EXPECT_EQ(0, grid.FirstVisiblePageY());
}

TEST_F(TenPages, AGridThatShrankPullsTheViewBack) {
    grid.HandleScrollMessage(kBottom, true);
    grid.InitPageScrollInfo(-1, -1, -1, 2);  // 230 high: fits the window
    EXPECT_EQ(0, grid.PositionY());
    EXPECT_EQ(0, grid.FirstVisiblePageY());
    EXPECT_EQ(1, grid.SecondVisiblePageY());

    grid.InitPageScrollInfo(-1, -1, -1, 10);
    grid.HandleScrollMessage(kBottom, true);
    grid.InitPageScrollInfo(-1, -1, -1, 5);  // 560 high
    EXPECT_EQ(F(260), grid.PositionY());
    EXPECT_LE(grid.FirstVisiblePageY(), 4);
    // A stored position beyond the grid still names a page of the grid.
    grid.SetFirstPageScrollY(F(5000));
    EXPECT_EQ(4, grid.FirstVisiblePageY());
    EXPECT_EQ(4, grid.SecondVisiblePageY());
}

TEST_F(TenPages, PagesUnderThePointer) {
    EXPECT_EQ(0, grid.MousePageX(5, 5));    // in the gap before the first page
    EXPECT_EQ(0, grid.MousePageX(250, 5));  // right of the last page
    EXPECT_EQ(0, grid.MousePageY(5, 5));
    EXPECT_EQ(1, grid.MousePageY(5, 115));  // the gap belongs to the page after it
    EXPECT_EQ(0, grid.MousePageY(5, -50));
    grid.HandleScrollMessage(kBottom, true);
    EXPECT_EQ(9, grid.MousePageY(0, 299));
    EXPECT_EQ(9, grid.MousePageY(0, 5000));

    FakeBars wide;
    PageGrid across(wide);
    wide.width = wide.height = 300;
    across.InitPageScrollInfo(100, 100, 4, 1);
    EXPECT_EQ(3, across.MousePageX(2000, 0));
    EXPECT_EQ(0, across.MousePageX(-20, 0));
}

TEST_F(TenPages, OriginFollowsTheScrollPosition) {
    grid.ScrollByMouseMove(500.0f);
    EXPECT_EQ(F(-500), grid.FirstPageScrollY());
    EXPECT_EQ(F(440 - 500), grid.FirstVisiblePageScrollY());
    const int32_t first = grid.FirstVisiblePageY();
    grid.HandleScrollMessage(kTop, true);
    grid.SetFirstPageScrollY(F(500));
    EXPECT_EQ(F(-500), grid.FirstPageScrollY());
    EXPECT_EQ(first, grid.FirstVisiblePageY());
    EXPECT_EQ(0, bars.pos[1]);  // the bar is not touched

    grid.ScrollByMouseMove(0.25f);
    EXPECT_EQ(F(500) + 2500, grid.PositionY());
    grid.ScrollByMouseWheel(true);
    EXPECT_EQ(F(530) + 2500, grid.PositionY());
    grid.ScrollByMouseWheel(false);
    grid.ScrollByPgDw(false);
    EXPECT_EQ(F(200) + 2500, grid.PositionY());
    grid.ScrollByPgDw(true);
    grid.ScrollByPgDw(true);
    grid.ScrollByPgDw(true);
    EXPECT_EQ(F(810), grid.PositionY());
    EXPECT_EQ(7, grid.FirstVisiblePageY());
    EXPECT_EQ(grid.FirstVisiblePageY() + 1, grid.SecondVisiblePageY());
}

TEST_F(TenPages, SecondRowStaysOnTheLastRow) {
    bars.height = 50;
    grid.OnSizeChanged(300, 50);
    grid.HandleScrollMessage(kBottom, true);  // 1060: inside the last page
    EXPECT_EQ(9, grid.FirstVisiblePageY());
    EXPECT_EQ(9, grid.SecondVisiblePageY());
}

TEST_F(TenPages, EnsureVisibleCentresWhatIsHidden) {
    grid.EnsureVisible(F(0), F(1000), F(50), F(1100));
    EXPECT_EQ(F(810), grid.PositionY());  // centring would pass the end
    grid.EnsureVisible(F(0), F(500), F(50), F(601));
    EXPECT_EQ(F(500) - 995000, grid.PositionY());  // 500 - (300 - 101) / 2
    const Fixed kept = grid.PositionY();
    grid.EnsureVisible(F(0), F(450), F(50), F(500));  // already in view
    EXPECT_EQ(kept, grid.PositionY());
    grid.EnsureVisible(F(0), F(10), F(50), F(900));  // taller than the window: its top
    EXPECT_EQ(F(10), grid.PositionY());
    grid.EnsureVisible(F(0), F(-40), F(50), F(-30));
    EXPECT_EQ(0, grid.PositionY());
}

TEST_F(TenPages, ResizingKeepsGapsAndClamps) {
    grid.HandleScrollMessage(kBottom, true);
    grid.OnSizeChanged(300, 600);
    EXPECT_EQ(F(510), grid.PositionY());
    EXPECT_EQ(600, grid.ClientHeight());
    EXPECT_EQ(F(1110), grid.GridHeight());
    EXPECT_EQ(17712, bars.page[1]);  // 600 * 32767 / 1110 = 17711.9
    EXPECT_EQ(15055, bars.pos[1]);   // after the clamp: 510 * 32767 / 1110 = 15054.97
}

TEST(PageGrid, ScrollBarSettingIsStoredAndApplied) {
    FakeBars bars;
    PageGrid grid(bars);
    grid.ShowScrollBars(3);
    EXPECT_TRUE(bars.shown[1]);
    EXPECT_FALSE(bars.shown[0]);
    grid.ShowScrollBars(2);
    EXPECT_FALSE(bars.shown[1]);
    EXPECT_TRUE(bars.shown[0]);
    grid.ShowScrollBars(9);
    EXPECT_EQ(9, grid.ScrollBarSetting());
    EXPECT_TRUE(bars.shown[0]);
}

TEST(PageGrid, RoundedDivision) {
    EXPECT_EQ(2, DivideRounded(5, 2));
    EXPECT_EQ(4, DivideRounded(7, 2));
    EXPECT_EQ(-2, DivideRounded(-5, 2));
    EXPECT_EQ(-3, DivideRounded(-11, 4));
    EXPECT_EQ(0, DivideRounded(7, 0));
}

}  // namespace
}  // namespace tessaly
