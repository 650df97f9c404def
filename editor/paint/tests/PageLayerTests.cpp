#include <gtest/gtest.h>

#include "PageFixture.h"

namespace notaline {
namespace {

using Kind = RecordingCanvas::Kind;

struct PageLayerTest : test::PageTest {
    RecordingCanvas canvas;

    void SetUp() override { Build(2, 3, 10); }
    std::vector<RecordingCanvas::Op> Of(Kind kind) const {
        std::vector<RecordingCanvas::Op> out;
        for (const auto& op : canvas.Ops)
            if (op.What == kind) out.push_back(op);
        return out;
    }
};

TEST_F(PageLayerTest, BackgroundColourRunsStopAtLineEndsAndColourChanges) {
    // Line 0: no colour, three opaque, two translucent, two of alpha 0 (not filled: a printer
    // fills them black); line 1 starts the opaque colour again.
    const int16_t cbs[] = {-1, 3, 3, 3, 2, 2, 1, 0, -1, 3, 3, 3};
    for (int32_t i = 0; i < 12; ++i) data.WordInfo[static_cast<size_t>(i)].cb = cbs[i];
    PaintContext ctx(data, canvas);
    DrawPageWordBkColor(ctx, 0);
    const auto fills = Of(Kind::Fill);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[0].Box, (IntRect{140, 100, 260, 152}));  // one pixel taller: opaque
    EXPECT_EQ(fills[0].Colour, 0xFF00FF00u);
    EXPECT_EQ(fills[1].Colour, 0x80FF0000u);  // red in the table's order, half transparent
    EXPECT_EQ(fills[1].Box, (IntRect{260, 100, 340, 151}));
    EXPECT_EQ(fills[2].Box, (IntRect{460, 100, 500, 152}));  // the line's last character
    EXPECT_EQ(fills[3].Box, (IntRect{100, 160, 180, 212}));  // a new line, a new run
}

TEST_F(PageLayerTest, CornerMarksPointOutOfTheWritableAreaAtTheZoom) {
    PaintContext ctx(data, canvas);
    ctx.Scale = 2;
    DrawCornerMarks(ctx, 0, 0);
    const auto lines = Of(Kind::Line);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].Box, (IntRect{128, 150, 188, 150}));
    EXPECT_EQ(lines[7].Box, (IntRect{1400, 2096, 1460, 2096}));
    for (const auto& l : lines) {
        EXPECT_EQ(std::abs(l.Box.Right - l.Box.Left) + std::abs(l.Box.Bottom - l.Box.Top), 60);
        EXPECT_EQ(l.Colour, kCornerMarkArgb);
    }
}

TEST_F(PageLayerTest, BackgroundByType) {
    auto background = [&](uint8_t type, bool found = true) {
        data.AboutPageInfo.BackGroundType = type;
        canvas.Ops.clear();
        canvas.TextureFound = found;
        PaintContext ctx(data, canvas);
        DrawPageBackground(ctx, u"Z:\\t\\纹理.jpg");
        return canvas.Ops;
    };
    auto ops = background(3);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Colour, 0xFFFF8000u);
    EXPECT_EQ(ops[0].Box, (IntRect{0, 0, 794, 1123}));
    ops = background(9);  // white, then colour-table entry 0 when it has alpha
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Colour, 0xFFFFFFu);
    data.ColorTbl[0] = 0x80000000u;
    ops = background(9);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[1].Colour, 0x80000000u);
    ops = background(5, false);  // the texture over white, drawn only when present
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].What, Kind::Fill);
    EXPECT_EQ(ops[1].What, Kind::Texture);
    EXPECT_EQ(ops[1].File, u"Z:\\t\\纹理.jpg");
}

TEST_F(PageLayerTest, TextLayerShowsOneSourceLineMarkerAndThePageNumber) {
    data.CPdqLine = 2;
    data.XjdqLine = 1;
    CellCache cache;
    PaintContext ctx(data, canvas);
    DrawPageTextLayer(ctx, cache, 0);
    const auto focus = Of(Kind::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].Box, (IntRect{100, 220, 490, 280}));
    EXPECT_EQ(canvas.Ops.back().Text, "-1-");
    EXPECT_EQ(Of(Kind::Text).size(), 31u);  // 30 cells and the number
    canvas.Ops.clear();
    DrawPageTextLayer(ctx, cache, 1);
    EXPECT_TRUE(Of(Kind::Focus).empty());
}

// A slide from the last line of page 0 to the first of page 1 is drawn in one piece on each
// page; a bowing slur within page 1 is drawn there whole, in its flat form.
TEST_F(PageLayerTest, SpansAcrossAPageBreakAreDrawnInTheirPiecesOnEachPage) {
    test::SetMark(data, 25, 0, 146, 0, 1);
    test::SetMark(data, 33, 0, 147, 0, 1);
    test::SetMark(data, 31, 1, 150, 0, 2);
    test::SetMark(data, 35, 1, 151, 0, 2);
    const auto texts = [&] {
        std::vector<std::string> out;
        for (const auto& op : canvas.Ops)
            if (op.What == Kind::Text || op.What == Kind::TextAt) out.push_back(op.Text);
        return out;
    };
    const auto run = [](int32_t n) {
        std::string s;
        for (int32_t i = 0; i < n; ++i) s += "\xF0\x9D";
        return s;
    };
    PaintContext ctx(data, canvas);
    DrawPageMarkLayer(ctx, 0);
    EXPECT_EQ((std::vector<std::string>{run(80), "\xF0\x9C", "\xF0\xCE"}), texts());
    canvas.Ops.clear();
    DrawPageMarkLayer(ctx, 1);
    const auto page1 = texts();
    ASSERT_EQ(5u, page1.size());
    EXPECT_EQ("\xF0\x9C", page1[0]);  // the slur's start hook, end hook, stretched middle
    EXPECT_EQ("\xF0\x9E", page1[1]);
    EXPECT_EQ(run(80), page1[2]);
    EXPECT_EQ("\xF0\x9B", page1[4]);  // the slide's piece from the line's start
}

TEST_F(PageLayerTest, ItemLayerDrawsThePagesOwnItemsOverWhite) {
    data.HwWordInfo = {{1, 1, 0, 100, 300, 240, 16}, {0, 2, 0, 100, 300, 240, 16}};
    PaintContext ctx(data, canvas);
    DrawPageItemLayer(ctx, 0);
    ASSERT_EQ(canvas.Ops.size(), 2u);
    EXPECT_EQ(canvas.Ops[0].Colour, 0xFFFFFFu);
    EXPECT_EQ(canvas.Ops[1].Text, "w");
}

}  // namespace
}  // namespace notaline
