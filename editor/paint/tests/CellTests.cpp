#include <gtest/gtest.h>

#include <limits>

#include "PageFixture.h"
#include "model/document/Measure.h"
#include "paint/CellPainter.h"

namespace notaline {
namespace {

using Kind = RecordingCanvas::Kind;

std::string FaceOf(const tessaly::LogFont& f) {
    return reinterpret_cast<const char*>(f.lfFaceName);
}

struct CellTest : test::PageTest {
    RecordingCanvas canvas;
    CellCache cache;

    void SetUp() override { Build(1, 1, 6); }
    StoredWord& W(int32_t i) { return data.WordInfo[static_cast<size_t>(i)]; }
    void Cell(int32_t i, double scale = 1) {
        PaintContext ctx(data, canvas);
        ctx.Scale = scale;
        DrawWordCell(ctx, cache, i, 0);
    }
    std::vector<RecordingCanvas::Op> OfText(std::string_view text) const {
        std::vector<RecordingCanvas::Op> out;
        for (const auto& op : canvas.Ops)
            if (op.Text == text) out.push_back(op);
        return out;
    }
};

TEST_F(CellTest, DurationLinesJoinTheNextNoteOnTheLineOnly) {
    W(0).Yc = 2;
    W(1).Yc = 1;
    W(3).Yc = 1;  // followed by a note without lines
    Cell(0);
    Cell(1);
    Cell(3);
    const auto two = OfText(GlyphRun(34, 10));
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].Box.Right, 140);  // the next note's left
    EXPECT_EQ(two[0].Flags, kDtBottom | kDtSingleLine);
    // 3 units of a 51-pixel character below the cell.
    EXPECT_EQ(two[0].Box.Top, 100 + 8);
    const auto one = OfText(GlyphRun(33, 10));
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[0].Box.Right, 140 + 30);  // next has no lines: its own width
    EXPECT_EQ(one[1].Box.Right, 220 + 30);

    // Stacked at the same left, and the last of a line, never join.
    canvas.Ops.clear();
    W(4).Yc = 1;
    W(5).Yc = 1;
    W(5).Left = W(4).Left;
    Cell(4);
    Cell(5);
    const auto stacked = OfText(GlyphRun(33, 10));
    ASSERT_EQ(stacked.size(), 2u);
    EXPECT_EQ(stacked[0].Box.Right, 260 + 30);
    EXPECT_EQ(stacked[1].Box.Right, 260 + 30);
}

TEST_F(CellTest, OctaveDotsAboveAndBelowTheLines) {
    W(0).YG = 5;
    W(0).Yc = 2;
    W(1).YG = 2;
    Cell(0);
    Cell(1);
    const auto low = OfText(Glyph(40));
    ASSERT_EQ(low.size(), 1u);
    EXPECT_EQ(low[0].Box.Top, Px(100 + (3 + 16) * 51 / 20.4));
    const auto high = OfText(Glyph(37));
    ASSERT_EQ(high.size(), 1u);
    EXPECT_EQ(high[0].Box.Top, Px(100 - 15 * 51 / 20.4));
    EXPECT_EQ(high[0].Flags, kDtCenter | kDtBottom | kDtSingleLine | kDtNoClip);
    // Lines and dots in the notation font, at the character's height.
    EXPECT_EQ(FaceOf(low[0].Font), "Tolvane");
    EXPECT_EQ(low[0].Font.lfHeight, -51);
}

TEST_F(CellTest, ARaisedCellMovesEverythingUp) {
    W(0).Yc = 1;
    W(0).YG = 1;
    Cell(0);
    const auto flat = canvas.Ops;
    canvas.Ops.clear();
    cache.Invalidate();
    W(0).UpSpace = 12;
    Cell(0);
    ASSERT_EQ(canvas.Ops.size(), flat.size());
    for (size_t i = 0; i < flat.size(); ++i) {
        EXPECT_EQ(canvas.Ops[i].Box.Top, flat[i].Box.Top - 12) << i;
        EXPECT_EQ(canvas.Ops[i].Box.Bottom, flat[i].Box.Bottom - 12) << i;
    }
}

TEST_F(CellTest, AGraceNoteDrawsOnlyItsLinesInTheMainNotesSize) {
    test::SetMark(data, 1, 0, 38, 1, 1);
    W(1).Yc = 2;
    W(1).EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -31; });
    Cell(1);
    ASSERT_EQ(canvas.Ops.size(), 1u);
    EXPECT_EQ(canvas.Ops[0].Text, GlyphRun(34, 10));
    EXPECT_EQ(canvas.Ops[0].Font.lfHeight, -51);  // the main note after the group
}

TEST_F(CellTest, FontAndColourAreSetOnlyWhenTheyChange) {
    Cell(0);
    Cell(1);
    EXPECT_EQ(canvas.FontSelections, 1);
    W(2).cf = 1;
    W(2).EditFont([&](tessaly::mLogFont& f) { f.lfWeight = 700; });
    Cell(2);
    EXPECT_EQ(canvas.FontSelections, 2);
    EXPECT_EQ(canvas.Ops.back().Colour, 0x0000FFu);
    EXPECT_EQ(canvas.Ops.back().Font.lfWeight, 700);
    Cell(5);  // a paragraph end always selects its font
    EXPECT_EQ(canvas.FontSelections, 3);
}

TEST_F(CellTest, ANewTargetIsPrimedWithTheLinesFirstFont) {
    PaintContext ctx(data, canvas);
    DrawLineWords(ctx, cache, 0, 3);
    const int32_t first = canvas.FontSelections;
    DrawLineWords(ctx, cache, 0, 3);  // same target, same fonts: only the paragraph end selects
    EXPECT_EQ(canvas.FontSelections, first + 1);
    DrawLineWords(ctx, cache, 0, 4);
    EXPECT_EQ(canvas.FontSelections, first + 3);
    EXPECT_EQ(canvas.Ops.size(), 18u);
}

TEST_F(CellTest, CellsAtAZoomAreScaledCopies) {
    W(0).Yc = 1;
    const auto before = Bytes();
    Cell(0, 2);
    EXPECT_EQ(canvas.Ops[0].Box, (IntRect{200, 200, 260, 302}));
    EXPECT_EQ(canvas.Ops[0].Font.lfHeight, -102);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(CellTest, DamagedBoxesAndCodesDrawNothingWild) {
    W(0).Left = std::numeric_limits<float>::quiet_NaN();
    W(0).Yc = 200;  // no such run of lines
    W(0).YG = 9;    // no such dots
    W(1).EditFont([&](tessaly::mLogFont& f) { f.FontTblIndex = 77; });
    W(1).Top = 1e30f;
    Cell(0);
    Cell(1);
    ASSERT_EQ(canvas.Ops.size(), 2u);
    EXPECT_EQ(canvas.Ops[0].Box.Left, 0);
    EXPECT_EQ(canvas.Ops[1].Box.Top, 1 << 30);
}

TEST_F(CellTest, PageNumbersByPlacement) {
    auto number = [&](uint8_t type, int32_t n) {
        data.AboutPageInfo.PagePosIndexType = type;
        canvas.Ops.clear();
        PaintContext ctx(data, canvas);
        DrawPageNumber(ctx, n, 0, 0, 1.25);
        return canvas.Ops;
    };
    EXPECT_TRUE(number(0, 1).empty());
    EXPECT_TRUE(number(6, 1).empty());
    auto ops = number(4, 1);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Text, "-1-");
    EXPECT_EQ(ops[0].Flags, kDtLeft);
    EXPECT_EQ(ops[0].Font.lfHeight, 25);
    EXPECT_EQ(ops[0].Font.lfWeight, 900);
    EXPECT_EQ(ops[0].Font.lfCharSet, 134);
    EXPECT_EQ(FaceOf(ops[0].Font), "\xCB\xCE\xCC\xE5");
    // The band: the margins at the sides, 75 pixels at the foot, all times the zoom.
    EXPECT_EQ(ops[0].Box, (IntRect{Px(94 * 1.25), Px(1123 * 1.25 - 75 * 1.25), Px(700 * 1.25), Px(1123 * 1.25)}));
    EXPECT_EQ(number(4, 2)[0].Flags, kDtRight);
    EXPECT_EQ(number(5, 1)[0].Flags, kDtRight);
    EXPECT_EQ(number(1, 7)[0].Flags, kDtCenter);
    data.AboutPageInfo.PageNumberSize = 2;
    EXPECT_EQ(number(1, 7)[0].Font.lfHeight, 15);
}

TEST_F(CellTest, FreeItemsRunUpwardStretchedToTheirHeight) {
    data.HwWordInfo = {{0, 3, 1, 100, 300, 240, 16},
                       {0, 1, 0, 100, 300, 0, 16},
                       {0, 2, 0, 100, 300, 100, -4},
                       {0, 9, 0, 100, 300, 100, 16},
                       {0, 4, 0, 10, 20, 3.0e9f, 16}};
    PaintContext ctx(data, canvas);
    DrawHwWord(ctx, 0);
    ASSERT_EQ(canvas.Ops.size(), 1u);
    const auto& op = canvas.Ops[0];
    EXPECT_EQ(op.What, Kind::TextAt);
    EXPECT_EQ(op.Text, "y");
    EXPECT_EQ(op.Font.lfEscapement, 900);
    EXPECT_EQ(op.Font.lfHeight, 40);
    EXPECT_EQ(op.Colour, 0x0000FFu);
    // The fake measures 20 along the baseline, whatever the width: the stretch is one measurement.
    const auto size = measurer.MeasureGdi(op.Font, TextForCharset("y", 2));
    EXPECT_EQ(op.Box.Top, Px(300 + size.cx));
    EXPECT_EQ(op.Box.Left, Px(100 - size.cy * 4 / 15));
    // No height, no width, no glyph: nothing. A huge height stops at the widest font.
    measurer.GdiCalls.clear();
    for (int32_t k = 1; k < 5; ++k) DrawHwWord(ctx, k);
    ASSERT_EQ(canvas.Ops.size(), 2u);
    EXPECT_EQ(canvas.Ops[1].Font.lfWidth, kMaxHwWordStretch);
    EXPECT_LE(measurer.GdiCalls.size(), 3u);
}

}  // namespace
}  // namespace notaline
