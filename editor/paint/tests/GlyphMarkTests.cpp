#include "PaintFixture.h"

namespace notaline::test {
namespace {

constexpr uint32_t kStd = kDtSingleLine | kDtBottom | kDtLeft | kDtNoClip;

TEST_F(PaintTest, RunsOfTrillTempoSpanAndOctaveLine) {
    Build("12|");
    SetMark(data, 0, 0, 77, 0, 3);
    Draw(0);
    ASSERT_EQ(1u, canvas.Ops.size());
    EXPECT_EQ(Glyphs({{0xF0A4, 1}, {0xF0A6, 2}, {0xF0A5, 1}}), canvas.Ops[0].Text);
    EXPECT_EQ((IntRect{100, 100, 140, 151}), canvas.Ops[0].Box);  // Left to Right: runs go on past it
    EXPECT_EQ(kStd, canvas.Ops[0].Flags);

    canvas.Ops.clear();
    SetMark(data, 0, 0, 79, 0, 1);
    SetMark(data, 0, 1, 35, 2, 3);
    Draw(0);
    EXPECT_EQ((std::vector<std::string>{Glyphs({{0xF0A3, 1}, {0xF0A5, 1}}), "qVV"}), Texts());
    EXPECT_EQ((IntRect{100, 95, 140, 146}), canvas.Ops[1].Box);
}

TEST_F(PaintTest, RunCountsBelowOneAreStoredAsOneAndLongOnesAreCapped) {
    Build("12|");
    SetMark(data, 0, 0, 8, 0, 0);
    SetMark(data, 1, 0, 76, 0, -7);
    Draw(0);
    Draw(1);
    EXPECT_EQ(0, Slot(0, 0).ExtralWordVal2);  // painting only reads
    EXPECT_EQ((std::vector<std::string>{">", Glyphs({{0xF0A4, 1}, {0xF0A7, 1}})}), Texts());
    FitAllMarkValues(data);  // as loading does
    EXPECT_EQ(1, Slot(0, 0).ExtralWordVal2);
    EXPECT_EQ(1, Slot(1, 0).ExtralWordVal2);

    canvas.Ops.clear();
    SetMark(data, 0, 0, 8, 0, 2000000000);
    Draw(0);
    EXPECT_EQ(2000000000, Slot(0, 0).ExtralWordVal2);
    EXPECT_EQ(static_cast<size_t>(kMaxGlyphRun), canvas.Ops[0].Text.size());
}

TEST_F(PaintTest, RepeatSignsLeftFromTheCharacterRightToItsEdge) {
    Build("12|");
    SetMark(data, 0, 0, 70, 0, 0);  // a count below 1 draws as 1
    SetMark(data, 0, 1, 71, 0, 2);
    Draw(0);
    ASSERT_EQ(2u, canvas.Ops.size());
    EXPECT_EQ(Glyphs({{0xF09F, 1}, {0xF0A0, 1}}), canvas.Ops[0].Text);
    EXPECT_EQ(0, Slot(0, 0).ExtralWordVal2);  // not corrected in the document
    EXPECT_EQ(Glyphs({{0xF0A0, 1}, {0xF0A1, 1}, {0xF0A2, 1}}), canvas.Ops[1].Text);
    // Measured 19 wide at 38 points: from 100 + 30 - 19 to the right edge.
    EXPECT_EQ((IntRect{111, 100, 140, 151}), canvas.Ops[1].Box);
}

TEST_F(PaintTest, BarRestNumberInTheNearestTextFont) {
    Build("12|");
    SetMark(data, 1, 0, 16, 12, 0);
    Draw(1);
    ASSERT_EQ(1u, canvas.Ops.size());
    EXPECT_EQ("12", canvas.Ops[0].Text);
    EXPECT_EQ(std::string(kSongTiFace), FaceOf(canvas.Ops[0].Font));  // none before: 宋体, added to the table
    EXPECT_EQ(2, data.AboutFileInfo.FontTblCount);
    EXPECT_EQ(-41, canvas.Ops[0].Font.lfHeight);
    // 41 wide, centred on the glyph: 140 + 15 - 20.5 = 134.5, to even.
    EXPECT_EQ((IntRect{134, 100, 174, 151}), canvas.Ops[0].Box);

    canvas.Ops.clear();
    data.FontTbl.push_back({"kaiti", 134, 15, 3});
    data.AboutFileInfo.FontTblCount = 3;
    data.WordInfo[0].EditFont([](tessaly::mLogFont& f) {
        f.FontTblIndex = 2;
        f.lfHeight = -20;
    });
    Draw(1);
    EXPECT_EQ("kaiti", FaceOf(canvas.Ops[0].Font));
    EXPECT_EQ(-41, canvas.Ops[0].Font.lfHeight);  // the marked character's height
}

TEST_F(PaintTest, TimeSignatureDigitsAndBar) {
    Build("12|");
    data.WordInfo[0].cf = 1;
    SetMark(data, 0, 0, 33, 3, 4);
    Draw(0);
    ASSERT_EQ(3u, canvas.Ops.size());
    EXPECT_EQ("3", canvas.Ops[0].Text);
    EXPECT_EQ((IntRect{100, 74, 130, 126}), canvas.Ops[0].Box);  // half a font height up
    EXPECT_EQ("4", canvas.Ops[1].Text);
    EXPECT_EQ((IntRect{100, 126, 130, 176}), canvas.Ops[1].Box);
    EXPECT_EQ(kDtSingleLine | kDtBottom | kDtCenter | kDtNoClip, canvas.Ops[1].Flags);
    // Metrics 51 high, descent 10: between baseline 115.5 and top 135.5.
    EXPECT_EQ(RecordingCanvas::Kind::Line, canvas.Ops[2].What);
    EXPECT_EQ((IntRect{100, 126, 130, 126}), canvas.Ops[2].Box);
    EXPECT_EQ(0xFFFF0000u, canvas.Ops[2].Colour);
    EXPECT_EQ(2.0f, canvas.Ops[2].Width);

    canvas.Ops.clear();
    data.IsPrinting = true;
    Draw(0);
    EXPECT_EQ(6.0f, canvas.Ops[2].Width);
}

TEST_F(PaintTest, TempoTermsAndTempoChange) {
    Build("12|");
    SetMark(data, 0, 0, 170);
    Draw(0);
    ASSERT_EQ(1u, canvas.Ops.size());
    EXPECT_EQ(Gbk("中板"), canvas.Ops[0].Text);
    EXPECT_EQ(std::string(kSongTiFace), FaceOf(canvas.Ops[0].Font));
    EXPECT_EQ(-36, canvas.Ops[0].Font.lfHeight);
    EXPECT_EQ((IntRect{100, 100, 130, 151}), canvas.Ops[0].Box);
    EXPECT_EQ(kStd, canvas.Ops[0].Flags);

    canvas.Ops.clear();
    SetMark(data, 0, 0, 37, 0, 2);
    SetExtralWordVal3(data, 0, 0, "96");
    Draw(0);
    ASSERT_EQ(2u, canvas.Ops.size());
    EXPECT_EQ("A", canvas.Ops[0].Text);
    EXPECT_EQ("Tolvane", FaceOf(canvas.Ops[0].Font));
    EXPECT_EQ(-41, canvas.Ops[0].Font.lfHeight);
    EXPECT_EQ((IntRect{105, 100, 135, 151}), canvas.Ops[0].Box);
    EXPECT_EQ("=96", canvas.Ops[1].Text);
    // "A" measured at 31 points: 15.5 wide.
    EXPECT_EQ((IntRect{120, 100, 150, 151}), canvas.Ops[1].Box);
}

}  // namespace
}  // namespace notaline::test
