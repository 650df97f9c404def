#include "PaintFixture.h"
#include "paint/SpanLine.h"

namespace notaline::test {
namespace {

constexpr uint32_t kHookStart = kDtSingleLine | kDtBottom | kDtNoClip | kDtRight;
constexpr uint32_t kHookEnd = kDtSingleLine | kDtBottom | kDtNoClip;
constexpr uint32_t kDot = kDtSingleLine | kDtBottom | kDtNoClip | kDtCenter;

struct SpanLineTest : PaintTest {
    void Line(int32_t start, int32_t end, int32_t val1, int32_t code, double scale = 1) {
        PaintContext ctx(data, canvas);
        ctx.Scale = scale;
        DrawExtralSpanLine(ctx, start, end, val1, code);
    }
    bool Flat(int32_t start, int32_t end, double widths) {
        PaintContext ctx(data, canvas);
        return SpanIsFlat(ctx, start, end, widths);
    }
};

TEST_F(SpanLineTest, HooksThenOneMiddleStretchedOverTheGap) {
    Build("12345|");
    Line(0, 3, 3, 72);  // 3 units of -2.5 pixels: the band 100..151 moved up 7.5
    ASSERT_EQ(3u, canvas.Ops.size());
    EXPECT_EQ("\xF0\x9C", canvas.Ops[0].Text);
    EXPECT_EQ((IntRect{100, 92, 130, 144}), canvas.Ops[0].Box);
    EXPECT_EQ(kHookStart, canvas.Ops[0].Flags);
    EXPECT_EQ("\xF0\x9E", canvas.Ops[1].Text);
    EXPECT_EQ((IntRect{220, 92, 250, 144}), canvas.Ops[1].Box);
    EXPECT_EQ(kHookEnd, canvas.Ops[1].Flags);
    EXPECT_EQ(Glyphs({{0xF09D, 80}}), canvas.Ops[2].Text);
    EXPECT_EQ((IntRect{130, 92, 220, 144}), canvas.Ops[2].Box);
    EXPECT_EQ(kDtSingleLine | kDtBottom, canvas.Ops[2].Flags);  // clipped to the gap
    EXPECT_EQ(90, canvas.Ops[2].Font.lfWidth);
    EXPECT_EQ(0, canvas.Ops[0].Font.lfWidth);

    // Slides end with their own hook; the vertical value is the low word only.
    for (int32_t code : {121, 146, 148}) {
        canvas.Ops.clear();
        Line(0, 3, (7 << 16) + 3, code);
        EXPECT_EQ("\xF0\x9B", canvas.Ops.at(1).Text) << code;
        EXPECT_EQ((IntRect{220, 92, 250, 144}), canvas.Ops.at(1).Box) << code;
    }
    canvas.Ops.clear();
    Line(0, 3, 3, 150);
    EXPECT_EQ((std::vector<std::string>{"\xF0\x9C", "\xF0\x9E", Glyphs({{0xF09D, 80}})}), Texts());
}

TEST_F(SpanLineTest, FontFromTheEndBandAndColourFromTheStart) {
    Build("12345|");
    data.WordInfo[3].EditFont([](tessaly::mLogFont& f) { f.lfHeight = -40; });
    data.WordInfo[0].cf = 1;
    data.WordInfo[0].UpSpace = 10;
    Line(0, 3, 0, 72);
    ASSERT_EQ(3u, canvas.Ops.size());
    for (const auto& op : canvas.Ops) {
        EXPECT_EQ(-40, op.Font.lfHeight);
        EXPECT_EQ(0x0000FFu, op.Colour);
        EXPECT_EQ(90, op.Box.Top);  // the start's band less its raise
        EXPECT_EQ(141, op.Box.Bottom);
    }
}

TEST_F(SpanLineTest, NoGapLeavesOnlyTheHooks) {
    Build("12345|");
    data.WordInfo[1].Left = 130;  // touching the start's glyph
    Line(0, 1, 0, 146);
    EXPECT_EQ((std::vector<std::string>{"\xF0\x9C", "\xF0\x9B", "\xF0\xCE"}), Texts());
    canvas.Ops.clear();
    data.WordInfo[1].Left = 90;  // overlapping, end left of the start
    Line(0, 1, 0, 72);
    EXPECT_EQ((std::vector<std::string>{"\xF0\x9C", "\xF0\x9E"}), Texts());
}

TEST_F(SpanLineTest, DottedSlurReadsItsValue300LowerAndHangsItsDotsInPixels) {
    Build("12345|");
    Line(0, 3, (64 << 16) + 303, 152);  // the same place as code 72 with value 3
    ASSERT_EQ(5u, canvas.Ops.size());
    EXPECT_EQ((IntRect{100, 92, 130, 144}), canvas.Ops[0].Box);
    EXPECT_EQ("L", canvas.Ops[1].Text);
    EXPECT_EQ((IntRect{100, 97, 130, 149}), canvas.Ops[1].Box);  // 5 pixels below
    EXPECT_EQ(kDot, canvas.Ops[1].Flags);
    EXPECT_EQ("\xF0\x9E", canvas.Ops[2].Text);
    EXPECT_EQ((IntRect{220, 97, 250, 149}), canvas.Ops[3].Box);
    EXPECT_EQ((IntRect{130, 92, 220, 144}), canvas.Ops[4].Box);

    // The dots' distance does not follow the font: 70 - 64 + 5 pixels at any height.
    canvas.Ops.clear();
    for (auto& w : data.WordInfo) w.EditFont([](tessaly::mLogFont& f) { f.lfHeight = -102; });
    Line(0, 3, (70 << 16) + 300, 152);
    EXPECT_EQ(canvas.Ops.at(0).Box.Top + 11, canvas.Ops.at(1).Box.Top);

    // Values from a damaged file: no overflow, still drawn.
    for (int32_t val1 : {INT32_MIN, INT32_MAX, -1}) {
        canvas.Ops.clear();
        Line(0, 3, val1, 152);
        EXPECT_EQ(5u, canvas.Ops.size()) << val1;
    }
}

TEST_F(SpanLineTest, SlideSignsSitAtTheMiddleOfTheCentres) {
    Build("12345|");
    Line(0, 3, 0, 148);
    ASSERT_EQ(5u, canvas.Ops.size());
    const auto& pad = canvas.Ops[3];
    const auto& press = canvas.Ops[4];
    EXPECT_EQ(RecordingCanvas::Kind::TextAt, pad.What);
    EXPECT_EQ("\xF0\xCE", pad.Text);
    EXPECT_EQ("\xF0\xBD", press.Text);
    EXPECT_EQ(0, pad.Font.lfWidth);  // rebuilt after the stretched middle
    // Centres 115 and 235 meet at 175; each sign 19 wide and 47.5 high: x = 175 - 9.5 (to even),
    // the pad at 100 + 47.5 × 1243 / 2988, the press at 100 - 47.5 × 737 / 2988.
    EXPECT_EQ((IntRect{166, 120, 166, 120}), pad.Box);
    EXPECT_EQ((IntRect{166, 88, 166, 88}), press.Box);

    canvas.Ops.clear();
    Line(0, 3, 0, 146);
    EXPECT_EQ((std::vector<std::string>{"\xF0\x9C", "\xF0\x9B", Glyphs({{0xF09D, 80}}), "\xF0\xCE"}), Texts());
}

TEST_F(SpanLineTest, OtherCodesDrawNothingAfterTheFontIsSet) {
    Build("12345|");
    for (int32_t code : {0, 73, 74, 122, 151, 153, -72, 65536 + 72}) Line(0, 3, 0, code);
    EXPECT_TRUE(canvas.Ops.empty());
    EXPECT_EQ(8, canvas.FontSelections);
}

TEST_F(SpanLineTest, DrawnAtTheZoomOfThePass) {
    Build("12345|");
    Line(0, 3, 3, 72, 2);
    ASSERT_EQ(3u, canvas.Ops.size());
    // Everything doubled: 3 units of -5 pixels move the band 200..302 up 15.
    EXPECT_EQ((IntRect{200, 185, 260, 287}), canvas.Ops[0].Box);
    EXPECT_EQ((IntRect{440, 185, 500, 287}), canvas.Ops[1].Box);
    EXPECT_EQ((IntRect{260, 185, 440, 287}), canvas.Ops[2].Box);
    EXPECT_EQ(180, canvas.Ops[2].Font.lfWidth);
    EXPECT_EQ(-102, canvas.Ops[0].Font.lfHeight);
}

TEST_F(SpanLineTest, FlatFormPastTheWidthLimitsOrBackwards) {
    Build("123456|");                          // start centre 115, glyphs 30 wide: limits 105 and 123 pixels
    EXPECT_FALSE(Flat(0, 2, kArcFlatWidths));  // 80
    EXPECT_TRUE(Flat(0, 3, kArcFlatWidths));   // 120
    EXPECT_FALSE(Flat(0, 3, kSlideFlatWidths));
    EXPECT_TRUE(Flat(0, 4, kSlideFlatWidths));  // 160
    data.WordInfo[3].Left = 205;                // exactly 3.5 widths
    EXPECT_FALSE(Flat(0, 3, kArcFlatWidths));
    data.WordInfo[3].Left = 205.5f;
    EXPECT_TRUE(Flat(0, 3, kArcFlatWidths));
    data.WordInfo[3].Left = 222.5f;  // just under 4.1 widths
    EXPECT_FALSE(Flat(0, 3, kSlideFlatWidths));
    data.WordInfo[3].Left = 223.5f;
    EXPECT_TRUE(Flat(0, 3, kSlideFlatWidths));
    data.WordInfo[1].Left = 100;  // same centre: not backwards
    EXPECT_FALSE(Flat(0, 1, kArcFlatWidths));
    data.WordInfo[1].Left = 99.5f;
    EXPECT_TRUE(Flat(0, 1, kArcFlatWidths));
}

TEST_F(SpanLineTest, DispatchedDottedSlurOnOneLine) {
    Build("12345|");
    SetMark(data, 0, 0, 152, (64 << 16) + 300, 4);
    SetMark(data, 3, 0, 153, 0, 4);
    for (int32_t i = 0; i < 5; ++i) Draw(i);
    EXPECT_EQ((std::vector<std::string>{"\xF0\x9C", "L", "\xF0\x9E", "L", Glyphs({{0xF09D, 80}})}), Texts());
}

}  // namespace
}  // namespace notaline::test
