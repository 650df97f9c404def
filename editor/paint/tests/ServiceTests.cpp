#include <climits>
#include <utility>
#include <vector>

#include "PaintFixture.h"
#include "model/document/Tables.h"

namespace notaline::test {
namespace {

TEST_F(PaintTest, ColoursAsTextColourAndAsArgb) {
    Build("12|");
    data.ColorTbl = {0x00332211u, 0x80112233u, 0x0u};
    data.AboutFileInfo.ColorTblCount = 3;
    PaintContext ctx(data, canvas);
    data.WordInfo[0].cf = 0;
    EXPECT_EQ(0xFF112233u, GetWordArgb(ctx, 0));  // red first, opaque
    data.WordInfo[0].cf = 1;
    EXPECT_EQ(0x80332211u, GetWordArgb(ctx, 0));  // an alpha from the file stays, red still first
    data.WordInfo[0].cf = 9;                      // no such entry
    EXPECT_EQ(0u, WordColour(ctx, 0));
    EXPECT_EQ(0xFF000000u, GetWordArgb(ctx, 0));
}

// The reader keeps a colour with alpha as alpha, blue, green, red: a red character is red in its
// text, its lines and its translucent digits alike.
TEST_F(PaintTest, ARedCharacterIsRedEverywhere) {
    Build("1234|");
    data.ColorTbl = {0x000000u, 0xFF0000FFu};
    data.WordInfo[0].cf = 1;
    SetMark(data, 0, 0, 82, 0, 2);   // a hairpin: two lines
    SetMark(data, 0, 1, 135, 0, 0);  // a solfège digit
    SetMark(data, 0, 2, 119, 0, 0);  // a text
    SetExtralWordVal3(data, 0, 2, "x");
    Draw(0);
    std::vector<std::pair<RecordingCanvas::Kind, uint32_t>> colours;
    for (const auto& op : canvas.Ops) colours.emplace_back(op.What, op.Colour);
    using K = RecordingCanvas::Kind;
    EXPECT_EQ((std::vector<std::pair<K, uint32_t>>{
                  {K::Line, 0xFFFF0000u}, {K::Line, 0xFFFF0000u}, {K::Translucent, 0xBBFF0000u}, {K::Text, 0x0000FFu}}),
              colours);
}

TEST_F(PaintTest, FontRecordsOfTheMarks) {
    Build("12|");
    PaintContext ctx(data, canvas);
    const tessaly::mLogFont f = SetMarkGlyphFont(ctx, "Tolvane", -30, 7, 900);
    EXPECT_EQ(0, f.FontTblIndex);
    EXPECT_EQ(-30, f.lfHeight);
    EXPECT_EQ(7, f.lfWidth);
    EXPECT_EQ(900, f.lfEscapement);
    EXPECT_EQ(400, f.lfWeight);
    EXPECT_EQ(2, f.lfQuality);
    EXPECT_EQ(-30, ctx.mLogFont.lfHeight);  // it becomes the current record

    const tessaly::LogFont g = MakeGdiLogFont("Tolvane", 20, 0, 0);
    EXPECT_EQ(1, g.lfCharSet);
    EXPECT_EQ(2, g.lfQuality);
    EXPECT_EQ("Tolvane", FaceOf(g));

    data.WordInfo[1].EditFont([](tessaly::mLogFont& f) { f.lfHeight = -45; });  // half of it is -22.5: to even
    const tessaly::mLogFont text = MakeMarkTextFont(ctx, 1, 0.5);
    EXPECT_EQ(-22, text.lfHeight);
    EXPECT_EQ(std::string(kSongTiFace), data.FontTbl.at(static_cast<size_t>(text.FontTblIndex)).FontName);
}

TEST(GlyphTexts, OneAndTwoByteCodesAndCappedRuns) {
    EXPECT_EQ("L", Glyph('L'));
    EXPECT_EQ("\xF0\x9D", Glyph(0xF09D));
    EXPECT_EQ("", GlyphRun(0xF09D, 0));
    EXPECT_EQ("", GlyphRun(0xF09D, -5));
    EXPECT_EQ(2u * kMaxGlyphRun, GlyphRun(0xF09D, INT_MAX).size());
}

// Values from files are not trusted: any code with extreme values draws without overflow,
// and only inside a sane range.
TEST_F(PaintTest, ExtremeSlotValuesStayInRange) {
    Build("1234567|", {4, 4});
    data.AboutFileInfo.CMScale = SHRT_MAX;
    const int32_t values[] = {INT_MIN, -65536, -1, 0, 1, 65535, INT_MAX};
    for (int32_t code = 0; code <= 182; ++code)
        for (int32_t v1 : values)
            for (int32_t v2 : values) {
                for (int32_t i = 0; i < 8; ++i) SetMark(data, i, 0, 0);
                SetMark(data, 2, 0, code, v1, v2);
                SetMark(data, 5, 0, code + 1, v1, v2);
                canvas.Ops.clear();
                Draw(2);
                Draw(5);
                for (const auto& op : canvas.Ops) {
                    EXPECT_LE(op.Text.size(), 2u * kMaxGlyphRun + 4);
                    EXPECT_LE(std::abs(op.Box.Top), 1 << 30);
                }
            }
}

}  // namespace
}  // namespace notaline::test
