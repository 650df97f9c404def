#include <gtest/gtest.h>

#include "ScrollStrips.h"

namespace tessaly {
namespace {

using Part = ScrollStrips::Part;
using Rect = ScrollStrips::Rect;

// Bars 17 across with a thumb at least 8 long over positions 0 to 32767, as the page grid sets
// them, in a window of 217 x 317: both bars leave 200 x 300 to the pages.
ScrollStrips Both(int32_t page, int32_t position) {
    ScrollStrips s(17, 8, 32767);
    s.SetWindowSize(217, 317);
    s.Of(true) = {true, page, position};
    s.Of(false) = {true, 16384, 0};
    return s;
}

TEST(ScrollStrips, BarsTakeTheirRoomAndPlaceTheThumbByPageAndPosition) {
    struct Row {
        int32_t page, position;
        Rect thumb;
    };
    // 300 long: 17 for each arrow leaves 266 of track.
    const Row rows[] = {
        {16384, 0, {200, 17, 217, 150}},       // half the range: half the track
        {16384, 16384, {200, 150, 217, 283}},  // at the last position it touches the lower arrow
        {16384, 8192, {200, 84, 217, 217}},    // 17 + 133 / 2, rounded up
        {10, 16379, {200, 146, 217, 154}},     // a thumb too small to see is 8 long
        {32768, 0, {}},                        // nothing to scroll: no thumb
    };
    for (const Row& r : rows) {
        const ScrollStrips s = Both(r.page, r.position);
        EXPECT_EQ(r.thumb, s.PartRect(true, Part::Thumb)) << r.page << " " << r.position;
        EXPECT_EQ(!r.thumb.Empty(), s.Scrolls(true)) << r.page;
    }
    ScrollStrips s = Both(16384, 0);
    EXPECT_EQ(200, s.PageWidth());
    EXPECT_EQ(300, s.PageHeight());
    EXPECT_EQ((Rect{200, 0, 217, 300}), s.BarRect(true));
    EXPECT_EQ((Rect{0, 300, 200, 317}), s.BarRect(false));
    EXPECT_EQ((Rect{200, 300, 217, 317}), s.CornerRect());
    EXPECT_EQ((Rect{200, 283, 217, 300}), s.PartRect(true, Part::ArrowForward));
    EXPECT_EQ((Rect{183, 300, 200, 317}), s.PartRect(false, Part::ArrowForward));
    // Hidden, a bar gives its room back and takes the corner with it.
    s.Of(false).Shown = false;
    EXPECT_EQ(317, s.PageHeight());
    EXPECT_TRUE(s.CornerRect().Empty());
    EXPECT_EQ((Rect{200, 0, 217, 317}), s.BarRect(true));
    // Too short for a thumb: the arrows share the length.
    s.SetWindowSize(217, 37);
    EXPECT_EQ((Rect{200, 0, 217, 16}), s.PartRect(true, Part::ArrowBack));
    EXPECT_TRUE(s.PartRect(true, Part::Thumb).Empty());
    EXPECT_EQ(Part::Track, s.HitTest(208, 18).What);
}

TEST(ScrollStrips, APointerHitsThePartUnderIt) {
    struct Row {
        int32_t x, y;
        Part part;
        bool vertical;
    };
    const Row rows[] = {
        {208, 5, Part::ArrowBack, true},  {208, 299, Part::ArrowForward, true},
        {208, 100, Part::Thumb, true},    {208, 150, Part::PageForward, true},
        {5, 308, Part::ArrowBack, false}, {199, 308, Part::ArrowForward, false},
        {30, 308, Part::Thumb, false},    {150, 308, Part::PageForward, false},
        {210, 310, Part::Corner, false},  {199, 299, Part::None, false},
        {217, 100, Part::None, false},
    };
    const ScrollStrips s = Both(16384, 0);
    for (const Row& r : rows) {
        const ScrollStrips::Hit hit = s.HitTest(r.x, r.y);
        EXPECT_EQ(r.part, hit.What) << r.x << "," << r.y;
        if (r.part != Part::None && r.part != Part::Corner) {
            EXPECT_EQ(r.vertical, hit.Vertical) << r.x << "," << r.y;
        }
    }
    // Scrolled to its end, the track above the thumb is the part that pages back.
    EXPECT_EQ(Part::PageBack, Both(16384, 16384).HitTest(208, 100).What);
}

TEST(ScrollStrips, ADraggedThumbFollowsThePointerAndStopsAtTheEnds) {
    ScrollStrips s = Both(16384, 0);
    s.Grab(true, 208, 22);  // 5 into the thumb
    struct Row {
        int32_t y, track;
    };
    // 133 pixels of travel over positions 0 to 16384.
    const Row rows[] = {{62, 4928}, {22, 0}, {-50, 0}, {155, 16384}, {400, 16384}};
    for (const Row& r : rows) EXPECT_EQ(r.track, s.DragTo(208, r.y)) << r.y;
    s.DragTo(208, 62);
    // While dragged, the thumb is drawn at the track; 40 pixels down, it stands 40 lower.
    EXPECT_EQ((Rect{200, 57, 217, 190}), s.PartRect(true, Part::Thumb));
    EXPECT_EQ(0, s.Of(true).Position);
    s.EndDrag();
    s.Of(true).Position = s.Track();
    EXPECT_EQ((Rect{200, 57, 217, 190}), s.PartRect(true, Part::Thumb));
}

}  // namespace
}  // namespace tessaly
