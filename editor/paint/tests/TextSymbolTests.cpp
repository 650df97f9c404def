#include <tuple>

#include "PaintFixture.h"
#include "paint/PageLayers.h"
#include "paint/PrintPages.h"

namespace notaline::test {
namespace {

constexpr uint32_t kText = kDtSingleLine | kDtBottom | kDtLeft | kDtNoClip;
constexpr uint32_t kClipped = kDtSingleLine | kDtBottom | kDtLeft;

TEST_F(PaintTest, KeyChangeInOneOrThreePieces) {
    Build("12|");
    SetMark(data, 0, 0, 85, 0, 1);
    Draw(0);
    ASSERT_EQ(1u, canvas.Ops.size());
    EXPECT_EQ(Gbk("转1=C"), canvas.Ops[0].Text);
    EXPECT_EQ(std::string(kSongTiFace), FaceOf(canvas.Ops[0].Font));
    EXPECT_EQ(-36, canvas.Ops[0].Font.lfHeight);
    EXPECT_EQ((IntRect{100, 100, 140, 151}), canvas.Ops[0].Box);

    canvas.Ops.clear();
    SetMark(data, 0, 0, 85, 0, 2);
    Draw(0);
    ASSERT_EQ(3u, canvas.Ops.size());
    EXPECT_EQ(Gbk("转1="), canvas.Ops[0].Text);
    // The sharp after the text's 72 pixels, 13.5 wide in the notation font at 27 points.
    EXPECT_EQ("a", canvas.Ops[1].Text);
    EXPECT_EQ("Tolvane", FaceOf(canvas.Ops[1].Font));
    EXPECT_EQ((IntRect{172, 100, 226, 151}), canvas.Ops[1].Box);
    EXPECT_EQ("C", canvas.Ops[2].Text);
    EXPECT_EQ((IntRect{186, 100, 226, 151}), canvas.Ops[2].Box);
    EXPECT_EQ(std::string(kSongTiFace), FaceOf(canvas.Ops[2].Font));

    canvas.Ops.clear();
    for (int32_t key : {0, 18, -1}) {
        SetMark(data, 0, 0, 85, 0, key);
        Draw(0);
    }
    EXPECT_TRUE(canvas.Ops.empty());
}

TEST_F(PaintTest, CustomAndFramedTexts) {
    Build("12|");
    SetMark(data, 0, 0, 119, 2, 2);
    SetExtralWordVal3(data, 0, 0, "ab");
    Draw(0);
    ASSERT_EQ(1u, canvas.Ops.size());
    EXPECT_EQ("ab", canvas.Ops[0].Text);
    EXPECT_EQ((IntRect{105, 95, 135, 146}), canvas.Ops[0].Box);  // 5 right, 5 up
    EXPECT_EQ(std::string(kSongTiFace), FaceOf(canvas.Ops[0].Font));

    canvas.Ops.clear();
    data.WordInfo[0].cf = 1;
    SetMark(data, 0, 0, 131, 0, 0);
    SetExtralWordVal3(data, 0, 0, "12");
    Draw(0);
    ASSERT_EQ(2u, canvas.Ops.size());
    // The measured extent (41 by 51.25 at height 41), bottom on the band's, black.
    EXPECT_EQ(RecordingCanvas::Kind::DashedRect, canvas.Ops[0].What);
    EXPECT_EQ((IntRect{100, 100, 141, 151}), canvas.Ops[0].Box);
    EXPECT_EQ(0xFF000000u, canvas.Ops[0].Colour);
    EXPECT_EQ(5, canvas.Ops[0].DashStyle);
    EXPECT_EQ(1.0f, canvas.Ops[0].Width);
    EXPECT_EQ((IntRect{100, 100, 141, 151}), canvas.Ops[1].Box);
    EXPECT_EQ(kText | kDtCenter, canvas.Ops[1].Flags);
    EXPECT_EQ(0x0000FFu, canvas.Ops[1].Colour);
}

TEST_F(PaintTest, SolfegeDigitsAreTranslucent) {
    Build("12|");
    data.AboutFileInfo.CMScale = 50;
    data.WordInfo[1].cf = 1;
    data.WordInfo[1].UpSpace = 4;
    SetMark(data, 1, 0, 135, 2);
    Draw(1);
    ASSERT_EQ(1u, canvas.Ops.size());
    const auto& op = canvas.Ops[0];
    EXPECT_EQ(RecordingCanvas::Kind::Translucent, op.What);
    EXPECT_EQ("3", op.Text);
    EXPECT_EQ(0xBBFF0000u, op.Colour);
    EXPECT_EQ(26, op.Font.lfHeight);  // half of 51, to even
    EXPECT_EQ(1, op.Font.lfCharSet);
    EXPECT_EQ(2, op.Charset);
    EXPECT_EQ("Tolvane", FaceOf(op.Font));
    EXPECT_EQ((FloatRect{140, 91, 30, 51}), op.Layout);  // 151 - 51 - 5 - 4
    EXPECT_EQ(kStringFormatNoClip, op.Flags);

    // A document that never set the size (0, as new ones) or set a negative one: full size.
    for (const int16_t unset : {0, -20}) {
        data.AboutFileInfo.CMScale = unset;
        canvas.Ops.clear();
        Draw(1);
        ASSERT_EQ(1u, canvas.Ops.size());
        EXPECT_EQ(51, canvas.Ops[0].Font.lfHeight) << unset;
    }
}

TEST_F(PaintTest, CountedGlyphsAndStrings) {
    Build("12|");
    SetMark(data, 0, 0, 86, 0, 0);
    SetMark(data, 0, 1, 109, 0, 1);
    SetMark(data, 0, 2, 86, 0, -4);
    SetMark(data, 0, 3, 109, 0, 3);
    Draw(0);
    EXPECT_EQ((std::vector<std::string>{"\xF0\xA1\xF0\xA8", "\xF0\xBE", "\xF0\xA1\xF0\xA8", "\xF0\xBE??"}), Texts());
    EXPECT_EQ(-4, Slot(0, 2).ExtralWordVal2);  // painting only reads
    FitAllMarkValues(data);
    EXPECT_EQ(1, Slot(0, 0).ExtralWordVal2);
    EXPECT_EQ(1, Slot(0, 2).ExtralWordVal2);
    EXPECT_EQ((IntRect{100, 100, 140, 151}), canvas.Ops[0].Box);
    EXPECT_EQ(kText, canvas.Ops[0].Flags);
}

TEST_F(PaintTest, ArpeggiosTestSymbolAndPressVibratoAtTheirPoints) {
    Build("12|");
    data.WordInfo[0].UpSpace = 10;
    SetMark(data, 0, 0, 117, 0, 0);
    SetMark(data, 0, 1, 118, 0, 1);
    SetMark(data, 0, 2, 120);
    SetExtralWordVal3(data, 0, 2, "xyz");
    SetMark(data, 0, 3, 142, 2, 0);
    Draw(0);
    ASSERT_EQ(5u, canvas.Ops.size());
    EXPECT_EQ("\xF0\xDF\xF0\xE0", canvas.Ops[0].Text);
    EXPECT_EQ(900, canvas.Ops[0].Font.lfEscapement);
    EXPECT_EQ((IntRect{110, 141, 110, 141}), canvas.Ops[0].Box);  // a third in; raise taken off
    EXPECT_EQ("\xF0\xDF\xF0\xDF\xF0\xE0", canvas.Ops[1].Text);
    EXPECT_EQ(2700, canvas.Ops[1].Font.lfEscapement);
    EXPECT_EQ((IntRect{124, 64, 124, 64}), canvas.Ops[1].Box);  // 151 - 76.5 - 10, to even
    EXPECT_EQ("C", canvas.Ops[2].Text);
    EXPECT_EQ((IntRect{100, 39, 100, 39}), canvas.Ops[2].Box);
    EXPECT_EQ(0, canvas.Ops[2].Font.lfEscapement);
    EXPECT_EQ("xyz", GetExtralWordVal3(data, 0, 2));  // the slot keeps its text
    EXPECT_EQ("F", canvas.Ops[3].Text);
    EXPECT_EQ("\xF0\xBD", canvas.Ops[4].Text);
    EXPECT_EQ(canvas.Ops[3].Box, canvas.Ops[4].Box);
    EXPECT_EQ((IntRect{100, 85, 130, 136}), canvas.Ops[3].Box);
}

TEST_F(PaintTest, VoltaOnOneLineClosedAndOpen) {
    Build("12345678|");
    data.WordInfo[2].UpSpace = 6;  // a volta on one line moves with its note
    SetMark(data, 2, 0, 89);
    SetExtralWordVal3(data, 2, 0, " 1. ");
    SetMark(data, 5, 0, 90);
    Draw(2);
    Draw(5);
    ASSERT_EQ(4u, canvas.Ops.size());
    EXPECT_EQ("1.", canvas.Ops[0].Text);  // trimmed, 36 wide at height 36
    EXPECT_EQ((IntRect{210, 100, 246, 151}), canvas.Ops[0].Box);
    EXPECT_EQ(kText, canvas.Ops[0].Flags);
    EXPECT_EQ("\xF0\xA9", canvas.Ops[1].Text);
    EXPECT_EQ((IntRect{180, 100, 210, 151}), canvas.Ops[1].Box);
    EXPECT_EQ(kClipped | kDtRight, canvas.Ops[1].Flags);
    EXPECT_EQ(Glyphs({{0xF0AA, 80}}), canvas.Ops[2].Text);
    EXPECT_EQ((IntRect{246, 100, 300, 151}), canvas.Ops[2].Box);
    EXPECT_EQ("\xF0\xAB", canvas.Ops[3].Text);
    EXPECT_EQ((IntRect{300, 100, 340, 151}), canvas.Ops[3].Box);

    canvas.Ops.clear();
    SetMark(data, 2, 0, 91);
    SetMark(data, 5, 0, 92);
    Draw(2);
    Draw(5);
    ASSERT_EQ(3u, canvas.Ops.size());
    EXPECT_EQ((IntRect{246, 100, 315, 151}), canvas.Ops[2].Box);  // to the middle of the end glyph
}

// A volta from character 2 to 6 cut by a paragraph end and a line break, or by a page break, on
// screen and printed: the first line's piece runs over every note to the end of the line's last
// glyph (250), the next line's from its start (100) to the end hook, that line 100 lower or at the
// next page's top. (A line break on screen: below.)
TEST_F(PaintTest, VoltaAcrossALineBreakRunsAlongBothLines) {
    using Piece = std::tuple<int32_t, std::string, IntRect>;  // page, glyphs, box
    const std::string run = Glyphs({{0xF0AA, 80}}), end = "\xF0\xAB";
    const Piece firstLine{0, run, {224, 95, 250, 146}};
    const struct {
        const char* Words;
        std::initializer_list<int32_t> Lines;
        float NextTop;
        PageArray Pages;
        std::vector<Piece> Pieces;
    } rows[] = {
        {"1234|567|",
         {5, 4},
         200,
         {{0, 2, 0, 9}},
         {firstLine, {0, run, {100, 195, 140, 246}}, {0, end, {140, 195, 180, 246}}}},
        {"12345678|",
         {4, 5},
         40,
         {{0, 1, 0, 4}, {1, 1, 4, 5}},
         {firstLine, {1, run, {100, 35, 180, 86}}, {1, end, {180, 35, 220, 86}}}},
    };
    for (const auto& row : rows)
        for (bool print : {false, true}) {
            SCOPED_TRACE(testing::Message() << row.Words << (print ? ", printed" : ""));
            Build(row.Words, row.Lines);
            const int32_t next = *row.Lines.begin();
            for (int32_t i = next; i < data.WordCount(); ++i) {
                auto& w = data.WordInfo[static_cast<size_t>(i)];
                w.Left -= next * kPitch, w.Right -= next * kPitch;
                w.Top = row.NextTop, w.Bottom = row.NextTop + 51;
            }
            data.PageInfo = row.Pages;
            data.IsPrinting = print;
            SetMark(data, 2, 0, 89, 2);
            SetExtralWordVal3(data, 2, 0, "1.");
            SetMark(data, 6, 0, 90, 2);
            std::vector<Piece> drawn;
            for (int32_t page = 0; page < data.PageCount(); ++page) {
                canvas.Ops.clear();
                PaintContext ctx(data, canvas);
                print ? DrawPrintPage(ctx, u"", page) : DrawPageMarkLayer(ctx, page);
                for (const auto& op : canvas.Ops)
                    if (op.Text == run || op.Text == end) drawn.emplace_back(page, op.Text, op.Box);
            }
            EXPECT_EQ(row.Pieces, drawn);
        }
}

TEST_F(PaintTest, VoltaAcrossALineBreakAndTwoOnALine) {
    Build("12345678|", {4, 5});
    SetMark(data, 2, 0, 89, 2);
    SetExtralWordVal3(data, 2, 0, "1.");
    SetMark(data, 6, 0, 90, 2);
    Draw(2);
    Draw(6);
    ASSERT_EQ(5u, canvas.Ops.size());
    EXPECT_EQ((IntRect{210, 95, 224, 146}), canvas.Ops[0].Box);  // "1" measured: 13.5
    EXPECT_EQ(kClipped | kDtCenter, canvas.Ops[0].Flags);
    EXPECT_EQ((IntRect{224, 95, 250, 146}), canvas.Ops[2].Box);  // over the line's last glyph
    EXPECT_EQ((IntRect{260, 95, 340, 146}), canvas.Ops[3].Box);
    EXPECT_EQ((IntRect{340, 95, 380, 146}), canvas.Ops[4].Box);

    canvas.Ops.clear();
    Build("12345678|");
    SetMark(data, 0, 0, 89);
    SetMark(data, 2, 0, 90);
    SetMark(data, 4, 0, 91);
    SetMark(data, 6, 0, 92);
    for (int32_t i = 0; i < 8; ++i) Draw(i);
    // The second start takes the first end after it; ends with a start before them draw nothing.
    EXPECT_EQ(7u, canvas.Ops.size());
    EXPECT_EQ((IntRect{290, 100, 355, 151}), canvas.Ops.back().Box);
}

}  // namespace
}  // namespace notaline::test
