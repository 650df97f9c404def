#include "PaintFixture.h"
#include "paint/LineSpans.h"
#include "paint/PageServices.h"

namespace notaline::test {
namespace {

constexpr uint32_t kClipped = kDtSingleLine | kDtBottom | kDtLeft;

// Remembers the one-line spans handed to the page renderer.
struct RecordingServices : PageServices {
    std::vector<std::array<int32_t, 5>> Arcs;  // start, end, val1, code, slide?
    void DrawArcSpan(PaintContext&, int32_t s, int32_t e, int32_t v, int32_t code) override {
        Arcs.push_back({s, e, v, code, 0});
    }
    void DrawSlideSpan(PaintContext&, int32_t s, int32_t e, int32_t v, int32_t code) override {
        Arcs.push_back({s, e, v, code, 1});
    }
};

TEST_F(PaintTest, SpanOnOneLineIsDrawnOnceFromItsStart) {
    Build("1234567|", {4, 4});
    SetMark(data, 0, 0, 72, 3, 5);
    SetMark(data, 1, 0, 122, 0, 5);  // same pair, other family: the first end found decides
    SetMark(data, 2, 0, 73, 0, 5);
    RecordingServices services;
    PaintContext ctx(data, canvas, &services);
    for (int32_t i = 0; i < 3; ++i) DrawExtralWord(ctx, i);
    ASSERT_EQ(1u, services.Arcs.size());
    EXPECT_EQ((std::array<int32_t, 5>{0, 1, 3, 72, 1}), services.Arcs[0]);
    canvas.Ops.clear();
    DrawExtralWord(ctx, 2);  // its start is on the line
    EXPECT_TRUE(canvas.Ops.empty());

    SetMark(data, 1, 0, 0);
    services.Arcs.clear();
    for (int32_t i = 0; i < 3; ++i) DrawExtralWord(ctx, i);
    EXPECT_EQ((std::array<int32_t, 5>{0, 2, 3, 72, 0}), services.Arcs.at(0));
    EXPECT_EQ(1u, services.Arcs.size());

    // A short one-line arc is one stretched arc glyph.
    canvas.Ops.clear();
    Draw(0);
    ASSERT_EQ(1u, canvas.Ops.size());
    EXPECT_EQ(RecordingCanvas::Kind::Fitted, canvas.Ops[0].What);

    // A long one is flat: start hook, end hook, one stretched middle.
    SetMark(data, 2, 0, 0);
    SetMark(data, 3, 0, 73, 0, 5);
    canvas.Ops.clear();
    Draw(0);
    EXPECT_EQ((std::vector<std::string>{"\xF0\x9C", "\xF0\x9E", Glyphs({{0xF09D, 80}})}), Texts());
    EXPECT_EQ(90, canvas.Ops[2].Font.lfWidth);
    EXPECT_EQ((IntRect{130, 92, 220, 144}), canvas.Ops[2].Box);
}

TEST_F(PaintTest, ArcAcrossALineBreakDrawsExactlyTwoPieces) {
    Build("1234567|", {4, 4});
    SetMark(data, 1, 0, 72, 0, 9);
    SetMark(data, 5, 0, 73, 0, 9);
    for (int32_t i = 0; i < 8; ++i) Draw(i);
    ASSERT_EQ(4u, canvas.Ops.size());
    // Line 1: one middle glyph stretched from after the start glyph to after the line's last one.
    EXPECT_EQ(Glyphs({{0xF09D, 80}}), canvas.Ops[0].Text);
    EXPECT_EQ((IntRect{170, 100, 250, 151}), canvas.Ops[0].Box);
    EXPECT_EQ(80, canvas.Ops[0].Font.lfWidth);
    EXPECT_EQ(kClipped, canvas.Ops[0].Flags);
    EXPECT_EQ("\xF0\x9C", canvas.Ops[1].Text);
    EXPECT_EQ((IntRect{140, 100, 170, 151}), canvas.Ops[1].Box);
    // Line 2: middles from its first character (40 / 19 whole glyphs, and 5), then the end.
    EXPECT_EQ(Glyphs({{0xF09D, 7}}), canvas.Ops[2].Text);
    EXPECT_EQ((IntRect{260, 100, 300, 151}), canvas.Ops[2].Box);
    EXPECT_EQ("\xF0\x9E", canvas.Ops[3].Text);
    EXPECT_EQ((IntRect{300, 100, 330, 151}), canvas.Ops[3].Box);
}

TEST_F(PaintTest, CutSpansStopBeforeTheParagraphEndAndSlidesEndWithTheirPiece) {
    Build("123|4567|", {4, 5});
    SetMark(data, 1, 0, 146, 0, 2);
    SetMark(data, 5, 0, 147, 0, 2);
    Draw(1);
    ASSERT_EQ(3u, canvas.Ops.size());
    EXPECT_EQ((IntRect{170, 100, 210, 151}), canvas.Ops[0].Box);  // to after character 2's glyph
    EXPECT_EQ(RecordingCanvas::Kind::TextAt, canvas.Ops[2].What);
    EXPECT_EQ("\xF0\xCE", canvas.Ops[2].Text);
    // 19 wide, 47.5 high at 38 points: x = 210 - 9.5, y = 100 + 47.5 × 1243 / 2988.
    EXPECT_EQ((IntRect{200, 120, 200, 120}), canvas.Ops[2].Box);

    canvas.Ops.clear();
    Draw(5);
    EXPECT_EQ((std::vector<std::string>{Glyphs({{0xF09D, 3}}), "\xF0\x9B"}), Texts());
}

TEST_F(PaintTest, TupletOnOneLineLeavesAGapForItsNumber) {
    // Past four start widths: the flat form.
    Build("123456|");
    SetMark(data, 0, 0, 74, 0, 2);
    SetExtralWordVal3(data, 0, 0, "3");
    SetMark(data, 4, 0, 75, 0, 2);
    Draw(0);
    Draw(4);
    ASSERT_EQ(5u, canvas.Ops.size());
    EXPECT_EQ("3", canvas.Ops[0].Text);
    EXPECT_EQ(-34, canvas.Ops[0].Font.lfHeight);
    // Centre between the two characters' centres (120, 280); 12.75 wide; band top 2 higher.
    EXPECT_EQ((IntRect{194, 98, 206, 151}), canvas.Ops[0].Box);
    EXPECT_EQ((IntRect{100, 98, 130, 151}), canvas.Ops[1].Box);
    EXPECT_EQ((IntRect{260, 98, 290, 151}), canvas.Ops[2].Box);
    EXPECT_EQ(Glyphs({{0xF09D, 15}}), canvas.Ops[3].Text);
    // The gap: the number and 2 pixels each side.
    EXPECT_EQ((IntRect{130, 98, 192, 151}), canvas.Ops[3].Box);
    EXPECT_EQ((IntRect{208, 98, 260, 151}), canvas.Ops[4].Box);
}

TEST_F(PaintTest, TupletAcrossLinesAndAnUnrelatedMarkOfTheSamePairNumber) {
    Build("12345678|", {4, 5});
    SetMark(data, 1, 0, 74, 0, 0);
    SetExtralWordVal3(data, 1, 0, "3");
    SetMark(data, 4, 0, 1, 0, 0);  // pair number 0 like every free slot
    SetMark(data, 5, 0, 75, 0, 0);
    Draw(1);
    ASSERT_EQ(2u, canvas.Ops.size());
    EXPECT_EQ(Glyphs({{0xF09C, 1}, {0xF09D, 80}}), canvas.Ops[0].Text);
    EXPECT_EQ((IntRect{140, 100, 241, 151}), canvas.Ops[0].Box);  // to 260 - 19
    EXPECT_EQ(kDtSingleLine | kDtVCenter, canvas.Ops[1].Flags);
    canvas.Ops.clear();
    Draw(5);
    EXPECT_EQ((std::vector<std::string>{Glyphs({{0xF09D, 7}}), "\xF0\x9E"}), Texts());
}

struct HairpinTest : PaintTest {
    std::vector<IntRect> Lines() const {
        std::vector<IntRect> out;
        for (const auto& op : canvas.Ops) out.push_back(op.Box);
        return out;
    }
};

TEST_F(HairpinTest, LengthTableHairpins) {
    Build("123456789012|");
    SetMark(data, 0, 0, 82, 0, 10);  // 400 pixels, k = 25: half opening 16
    Draw(0);
    EXPECT_EQ((std::vector<IntRect>{{100, 167, 500, 151}, {100, 135, 500, 151}}), Lines());

    canvas.Ops.clear();
    SetMark(data, 0, 0, 84, 0, 10);
    Draw(0);
    EXPECT_EQ((std::vector<IntRect>{{100, 167, 500, 159}, {100, 135, 500, 143}}), Lines());

    canvas.Ops.clear();
    SetMark(data, 0, 0, 83, 0, 0);  // no length: both lines are the point at x1
    Draw(0);
    EXPECT_EQ((std::vector<IntRect>{{100, 151, 100, 151}, {100, 151, 100, 151}}), Lines());

    canvas.Ops.clear();
    SetMark(data, 0, 0, 82, 0, 50);  // past the document: ends at its last character; k = 55
    Draw(0);
    EXPECT_EQ((std::vector<IntRect>{{100, 160, 580, 151}, {100, 142, 580, 151}}), Lines());

    canvas.Ops.clear();
    for (int32_t n : {121, -1, 2000000000}) {
        SetMark(data, 0, 0, 82, 0, n);
        Draw(0);
    }
    EXPECT_TRUE(canvas.Ops.empty());
    EXPECT_EQ(0, system.Beeps);
    EXPECT_EQ(2000000000, Slot(0, 0).ExtralWordVal2);
}

TEST_F(HairpinTest, CrescendoIsShortenedToTheDocumentAndTheLine) {
    Build("123456|");
    SetMark(data, 5, 0, 81, 0, 5);
    Draw(5);
    EXPECT_EQ(5, Slot(5, 0).ExtralWordVal2);  // painting only reads
    FitAllMarkValues(data);
    EXPECT_EQ(1, Slot(5, 0).ExtralWordVal2);
    // From character 5's left to character 6's right: 80 pixels, k = 15.
    EXPECT_EQ((std::vector<IntRect>{{300, 151, 380, 156}, {300, 151, 380, 146}}), Lines());

    canvas.Ops.clear();
    Build("12345678|", {4, 5});
    SetMark(data, 1, 0, 81, 2, 5);
    data.WordInfo[1].UpSpace = 10;  // no raise is taken off
    Draw(1);
    FitAllMarkValues(data);
    EXPECT_EQ(2, Slot(1, 0).ExtralWordVal2);
    EXPECT_EQ((std::vector<IntRect>{{140, 146, 260, 154}, {140, 146, 260, 138}}), Lines());

    Build("1|");
    SetMark(data, 0, 0, 81, 0, 121);
    Draw(0);
    FitAllMarkValues(data);
    EXPECT_EQ(1, Slot(0, 0).ExtralWordVal2);
    SetMark(data, 0, 0, 81, 0, -3);
    Draw(0);
    EXPECT_EQ(0, system.Beeps);
}

TEST(HairpinDivisors, TableRows) {
    const std::pair<int32_t, int32_t> rows[] = {{0, 15},  {3, 15},  {4, 20},  {9, 23},  {12, 25}, {15, 30},
                                                {18, 34}, {20, 37}, {25, 40}, {30, 45}, {40, 50}, {41, 55},
                                                {50, 55}, {51, 70}, {80, 70}, {81, 90}, {120, 90}};
    for (auto [n, k] : rows) EXPECT_EQ(k, HairpinDivisor(n)) << n;
    EXPECT_FALSE(HairpinDivisor(-1));
    EXPECT_FALSE(HairpinDivisor(121));
}

}  // namespace
}  // namespace notaline::test
