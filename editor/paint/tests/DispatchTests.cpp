#include "PaintFixture.h"

namespace notaline::test {
namespace {

constexpr uint32_t kCentred = kDtSingleLine | kDtBottom | kDtCenter | kDtNoClip;

TEST_F(PaintTest, SlotsDrawInOrderSkippingFreeOnes) {
    Build("12|");
    SetMark(data, 0, 5, 2);
    SetMark(data, 0, 0, 1, 2);
    Draw(0);
    ASSERT_EQ(2u, canvas.Ops.size());
    EXPECT_EQ(";", canvas.Ops[0].Text);
    EXPECT_EQ("Q", canvas.Ops[1].Text);
    // Two units up: the box rises 5 pixels; the glyph box is the character's own glyph width.
    EXPECT_EQ((IntRect{100, 95, 130, 146}), canvas.Ops[0].Box);
    EXPECT_EQ(kCentred, canvas.Ops[0].Flags);
    EXPECT_EQ("Tolvane", FaceOf(canvas.Ops[0].Font));
    EXPECT_EQ(kHeight, canvas.Ops[0].Font.lfHeight);
    EXPECT_EQ(2, canvas.Ops[0].Font.lfCharSet);
}

TEST_F(PaintTest, ShiftedGlyphsMoveRightAndEdgesRoundToEven) {
    Build("12|");
    data.WordInfo[1].cf = 1;
    SetMark(data, 1, 0, 9, 1, 2);  // 2.5 pixels up; 5 right
    Draw(1);
    ASSERT_EQ(1u, canvas.Ops.size());
    EXPECT_EQ("\xF0\x88", canvas.Ops[0].Text);
    EXPECT_EQ((IntRect{145, 98, 175, 148}), canvas.Ops[0].Box);  // 97.5 and 148.5 to even
    EXPECT_EQ(0x0000FFu, canvas.Ops[0].Colour);
}

TEST_F(PaintTest, CharacterMarksAndUnknownCodesDrawNothing) {
    Build("12|");
    for (int32_t code : {39, 49, 54, 57, 93, 105, 106, 124, 145, 154, 160, 177, 180, 999, -4}) {
        SetMark(data, 0, 0, code, 3, 3);
        Draw(0);
        EXPECT_TRUE(canvas.Ops.empty()) << code;
    }
}

TEST_F(PaintTest, EveryPaintingCodeDrawsSomething) {
    Build("1234567|");
    data.AboutFileInfo.CMScale = 100;
    const int32_t silent[] = {0,   38,  39,  40,  41,  42,  43,  44,  45,  46,  47,  48,  49,  50,  51,  52,
                              53,  54,  55,  56,  57,  58,  59,  60,  61,  62,  63,  64,  65,  66,  67,  69,
                              80,  87,  88,  93,  105, 106, 124, 125, 127, 128, 129, 130, 132, 140, 141, 143,
                              144, 145, 154, 155, 156, 157, 158, 159, 160, 161, 162, 177, 178, 179, 180};
    for (int32_t code = 1; code <= 180; ++code) {
        if (std::find(std::begin(silent), std::end(silent), code) != std::end(silent)) continue;
        canvas.Ops.clear();
        SetMark(data, 2, 0, code, 0, code == 85 ? 4 : 2);
        Draw(2);
        EXPECT_FALSE(canvas.Ops.empty()) << code;
        SetMark(data, 2, 0, 0);
    }
}

struct ScanTest : PaintTest {
    void SetUp() override {
        Build("|");
        data.PlayInfo.Track.resize(2);
        data.PlayInfo.TotalTrack = 2;
        data.PlayInfo.MainTrack = 2;
        data.PlayInfo.Track[1].Yd = 9;
        data.PlayInfo.Bpm = 88;
        data.PlayInfo.JiePai = 3;
    }
    // Marks codes on the characters of `pattern`, one per character (0: none).
    void Typed(std::string_view pattern, std::initializer_list<int32_t> codes) {
        const tessaly::aPlayInfo play = data.PlayInfo;  // loading a document replaces it
        Build(pattern);
        data.PlayInfo = play;
        int32_t i = 0;
        for (int32_t c : codes) SetMark(data, i++, 0, c);
    }
    uint8_t Key() const { return data.PlayInfo.Track[1].Yd; }
};

TEST_F(ScanTest, KeySignatureSetsTheMainTracksKey) {
    Typed("1=bE|", {54, 154, 50, 57});
    ScanPlayMarks(data);
    EXPECT_EQ(3, Key());
    EXPECT_EQ(0u, data.PlayInfo.Track[0].Yd);

    Typed("1=E|", {54, 154, 57});
    ScanPlayMarks(data);
    EXPECT_EQ(4, Key());

    data.PlayInfo.Track[1].Yd = 9;
    Typed("1=#E|", {54, 154, 49, 57});  // no such key: nothing stored
    ScanPlayMarks(data);
    EXPECT_EQ(9, Key());

    Typed("11=E|", {54, 54, 154, 57});  // a second "1" breaks the signature
    ScanPlayMarks(data);
    EXPECT_EQ(9, Key());
}

TEST_F(ScanTest, ScanDoesNotDependOnWhatWasDrawnOrScannedBefore) {
    Typed("1=|E|", {54, 154, 0, 57});
    ScanPlayMarks(data);
    EXPECT_EQ(4, Key());
    // An unfinished signature at the end does not leak into the next scan.
    Typed("1=|", {54, 154});
    ScanPlayMarks(data);
    Typed("E|", {57});
    ScanPlayMarks(data);
    EXPECT_EQ(4, Key());
    // Drawing reads nothing into the play settings.
    Typed("1=bB|", {54, 154, 50, 61});
    for (int32_t i = 0; i < 4; ++i) Draw(i);
    EXPECT_EQ(4, Key());
    data.PlayInfo.MainTrack = 7;  // no such track: nothing written, nothing read out of range
    ScanPlayMarks(data);
    data.PlayInfo.MainTrack = 2;
    ScanPlayMarks(data);
    EXPECT_EQ(10, Key());
}

TEST_F(ScanTest, TempoTakesUpToThreeDigitsAndKeepsTheOldOneWithout) {
    Typed("J=1205|", {93, 154});
    ScanPlayMarks(data);
    EXPECT_EQ(120, data.PlayInfo.Bpm);

    data.PlayInfo.Bpm = 88;
    Typed("J=x1|", {93, 154});
    ScanPlayMarks(data);
    EXPECT_EQ(88, data.PlayInfo.Bpm);

    Typed("J=0|", {93, 154});
    ScanPlayMarks(data);
    EXPECT_EQ(1, data.PlayInfo.Bpm);

    Typed("J=96", {93, 154});  // the last character is never taken
    ScanPlayMarks(data);
    EXPECT_EQ(9, data.PlayInfo.Bpm);

    data.PlayInfo.Bpm = 88;
    Typed("JJ=60|", {93, 93, 154});  // a second J cancels the first
    ScanPlayMarks(data);
    EXPECT_EQ(88, data.PlayInfo.Bpm);
}

TEST_F(ScanTest, MetreFromTheTimeSignatureList) {
    Typed("1|", {});
    SetMark(data, 0, 0, 33, 6, 8);
    ScanPlayMarks(data);
    EXPECT_EQ(6, data.PlayInfo.JiePai);

    SetMark(data, 0, 0, 33, 2, 2);
    ScanPlayMarks(data);
    EXPECT_EQ(6, data.PlayInfo.JiePai);
    Draw(0);  // still drawn
    EXPECT_EQ((std::vector<std::string>{"2", "2"}), Texts());
}

}  // namespace
}  // namespace notaline::test
