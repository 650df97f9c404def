#include <cmath>

#include "PaintFixture.h"
#include "paint/ArcSpans.h"

namespace notaline::test {
namespace {

using Kind = RecordingCanvas::Kind;

// Characters 30 wide: centres at Left + 15; the first one's centre is 115.
struct ArcSpanTest : PaintTest {
    // A pair from character 0 to 2, the end moved so that the centres lie `d` apart.
    void Pair(int32_t startCode, int32_t val1, double d) {
        Build("1234|");
        data.WordInfo[2].Left = static_cast<float>(100 + d);
        SetMark(data, 0, 0, startCode, val1, 7);
        SetMark(data, 2, 0, startCode + 1, 0, 7);
        canvas.Ops.clear();
        Draw(0);
    }
    std::vector<RecordingCanvas::Op> Of(Kind kind) const {
        std::vector<RecordingCanvas::Op> out;
        for (const auto& op : canvas.Ops)
            if (op.What == kind) out.push_back(op);
        return out;
    }
    bool Flat() const {
        for (const auto& op : canvas.Ops)
            if (op.Text == "\xF0\x9C") return true;
        return false;
    }
};

TEST_F(ArcSpanTest, ArcsBecomeFlatPastThreeAndAHalfWidthsOrWhenReversed) {
    for (int32_t code : {72, 150, 152}) {
        SCOPED_TRACE(code);
        Pair(code, 0, 105);  // exactly 3.5 widths
        ASSERT_EQ(1u, Of(Kind::Fitted).size());
        EXPECT_FALSE(Flat());
        Pair(code, 0, 105.5);
        EXPECT_TRUE(Of(Kind::Fitted).empty());
        EXPECT_TRUE(Flat());
        Pair(code, 0, -1);
        EXPECT_TRUE(Flat());
    }
}

TEST_F(ArcSpanTest, ArcGlyphIsStretchedOverTheNotesAndDottedSlursSitLower) {
    Pair(72, 0, 80);
    auto fitted = Of(Kind::Fitted).at(0);
    EXPECT_EQ("\xF0\xC9", fitted.Text);
    EXPECT_EQ("Tolvane", fitted.Face);
    EXPECT_EQ(0xFF000000u, fitted.Colour);
    // From a quarter into the start to three quarters into the end, 1.25 × d high, on the foot.
    EXPECT_EQ((FloatRect{107.5f, 151, 202.5f - 107.5f, 100}), fitted.Layout);
    EXPECT_EQ(75, fitted.Angles[0]);  // 100 pixels at 96 DPI

    // The same stored height for a dotted slur is 232 units lower: 232 × 2.5 pixels.
    Pair(152, 0x400000 | 232, 80);
    fitted = Of(Kind::Fitted).at(0);
    EXPECT_FLOAT_EQ(151.0f, fitted.Layout.Y);
    const auto dots = Of(Kind::Text);
    ASSERT_EQ(2u, dots.size());
    // The dots: 5 pixels below the arc's box (high word 64), over each note.
    EXPECT_EQ((IntRect{100, 156, 130, 256}), dots[0].Box);
    EXPECT_EQ((IntRect{180, 156, 210, 256}), dots[1].Box);
    EXPECT_EQ("L", dots[0].Text);
    Pair(152, 232, 80);  // a high word of 0: 64 pixels higher
    EXPECT_EQ(156 - 64, Of(Kind::Text).at(0).Box.Top);
}

TEST_F(ArcSpanTest, SlidesAreArcsThroughBothCentresUpToFourPointOneWidths) {
    Pair(121, 0, 123);
    EXPECT_EQ(1u, Of(Kind::Arc).size());
    Pair(121, 0, 123.5);
    EXPECT_TRUE(Of(Kind::Arc).empty());
    EXPECT_TRUE(Flat());
    Pair(121, 0, 0);  // both centres on one spot: no circle
    EXPECT_TRUE(Of(Kind::Arc).empty());

    Pair(121, 4, 80);
    const auto arc = Of(Kind::Arc).at(0);
    EXPECT_EQ(1.0f, arc.Width);
    EXPECT_NEAR(-90, arc.Angles[0] + arc.Angles[1] / 2, 1e-4);  // symmetric about the top
    const double r = arc.Layout.Width / 2;
    const double cx = arc.Layout.X + r;
    const double cy = arc.Layout.Y + r;
    // The chord lies v = 4 pixels above the start's top; the arc rises 0.15 × d above it.
    for (double x : {115.0, 195.0}) EXPECT_NEAR(r, std::hypot(x - cx, 96 - cy), 1e-3);
    EXPECT_NEAR(96 - 12, arc.Layout.Y, 1e-3);
    // The arrow is turned to the arc's direction at its end.
    const auto arrow = Of(Kind::TextAt).at(0);
    EXPECT_EQ("\xF0\xCD", arrow.Text);
    EXPECT_EQ(std::lround(-5 * arc.Angles[1]), arrow.Font.lfEscapement);

    data.IsPrinting = true;
    canvas.Ops.clear();
    Draw(0);
    EXPECT_EQ(6.0f, Of(Kind::Arc).at(0).Width);
}

TEST_F(ArcSpanTest, PadFingerAndPressSignsStandOverTheSlideArc) {
    Pair(148, 0, 80);
    const auto arc = Of(Kind::Arc).at(0);
    const auto signs = Of(Kind::TextAt);
    ASSERT_EQ(3u, signs.size());
    // Each 25.5 wide (half of 51), centred over the arc's top; the press sign two widths up.
    EXPECT_EQ("\xF0\xCE", signs[1].Text);
    EXPECT_EQ(Px(arc.Layout.X + arc.Layout.Width / 2 - 12.75), signs[1].Box.Left);
    EXPECT_EQ(Px(arc.Layout.Y - 12.75), signs[1].Box.Top);
    EXPECT_EQ(Px(arc.Layout.Y - 51), signs[2].Box.Top);
}

TEST_F(ArcSpanTest, TupletArcsLeaveTheirNumberAGapAndGoFlatPastFourWidths) {
    const auto tuplet = [&](double d) {
        Pair(74, 0, d);
        SetExtralWordVal3(data, 0, 0, "3");
        canvas.Ops.clear();
        Draw(0);
    };
    tuplet(80);
    const auto arcs = Of(Kind::Arc);
    ASSERT_EQ(2u, arcs.size());
    EXPECT_EQ(arcs[0].Angles[1], arcs[1].Angles[1]);
    // The halves mirror each other about the top, the gap between them left open.
    EXPECT_NEAR(540, arcs[0].Angles[0] + arcs[0].Angles[1] + arcs[1].Angles[0], 1e-3);
    EXPECT_LT(arcs[0].Angles[0] + arcs[0].Angles[1], 270);
    const auto number = Of(Kind::Text).at(0);
    EXPECT_EQ(-34, number.Font.lfHeight);  // two thirds of the note's
    EXPECT_EQ(number.Box.Top, number.Box.Bottom);
    EXPECT_EQ(Px(arcs[0].Layout.Y), number.Box.Top);
    EXPECT_EQ(155, (number.Box.Left + number.Box.Right) / 2);

    tuplet(120);
    EXPECT_EQ(2u, Of(Kind::Arc).size());
    tuplet(121);
    EXPECT_TRUE(Of(Kind::Arc).empty());
    EXPECT_TRUE(Flat());
    tuplet(-5);
    EXPECT_TRUE(canvas.Ops.empty());
}

TEST_F(ArcSpanTest, ProposedArcHeight) {
    Build("12345|");
    // Centres 80 apart at height -51: 20.4 × (51 + 1.25 × 80 / (1 + 2 / 28)) / 51.
    EXPECT_NEAR(57.7333, GetHuXianYPos(data, 0, 3), 1e-3);
    EXPECT_NEAR(57.7333, GetHuXianYPos(data, 3, -3), 1e-3);  // the same characters, leftwards
    EXPECT_EQ(0, GetHuXianYPos(data, 0, 4));                 // 120: past 3.5 widths
    data.WordInfo[2].Left = 90;
    EXPECT_EQ(0, GetHuXianYPos(data, 0, 3));  // the last centre left of the first
    EXPECT_NEAR(20.4, GetHuXianYPos(data, 0, 1), 1e-4);
    EXPECT_EQ(0, GetHuXianYPos(data, 3, 9));
    EXPECT_EQ(0, GetHuXianYPos(data, 0, 0));
}

TEST_F(ArcSpanTest, SpansAreReadAtThePassZoom) {
    Pair(72, 0, 80);
    const FloatRect atOne = Of(Kind::Fitted).at(0).Layout;
    canvas.Ops.clear();
    PaintContext ctx(data, canvas);
    ctx.Scale = 2;
    DrawExtralWord(ctx, 0);
    const FloatRect atTwo = Of(Kind::Fitted).at(0).Layout;
    EXPECT_FLOAT_EQ(2 * atOne.X, atTwo.X);
    EXPECT_FLOAT_EQ(2 * atOne.Width, atTwo.Width);
    EXPECT_FLOAT_EQ(2 * atOne.Height, atTwo.Height);
}

}  // namespace
}  // namespace notaline::test
