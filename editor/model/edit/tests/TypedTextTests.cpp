#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "DaDurSystem.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "model/document/DoArray.h"
#include "model/document/DocumentFiles.h"
#include "model/document/Measure.h"
#include "model/document/mGeneral.h"
#include "model/edit/TypedText.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

std::string Gbk(const char* utf8) {
    return tessaly::Utf16ToCp936(*tessaly::Utf8ToUtf16(utf8)).value();
}

struct TypedTextTest : ::testing::Test {
    test::FakeTextMeasurer m;
    EditorData d;
    InputAttributes in;

    void SetUp() override {
        tessaly::JpData doc;
        doc.FontTbl = {{"tolvane", 2, 14, 4}, {Gbk("宋体"), 134, 15, 3}};
        tessaly::aWordInfo a, end;
        a.WdAsc = '1';
        a.cf = 5;
        a.SelSize = 12;
        a.nLogFont.lfHeight = -16;
        a.IsJpGcCtl = 1;
        end.WdAsc = 45;
        end.IsJpGcCtl = 3;
        end.ExtralWordInfo[0] = {155, 2, 3, {'x'}};
        end.ExtralWordInfo[7] = {161, 9, 0, {}};
        doc.WordInfo = {a, a, end};
        LoadDocument(d, std::move(doc));
        d.Measurer = m;
        in.FontName = Gbk("宋体");
        in.Size = 10.5f;
        in.Underline = true;
        in.StrikeOut = true;
        in.Italic = true;
        in.Weight = 700;
        in.cf = 2;
        in.cb = 3;
        in.SelWordSpace = 4;
    }
};

TEST(TypedTextCodes, SingleAndDoubleBytesAndACutLead) {
    EXPECT_EQ(CharCodes(Gbk("1中")), (std::vector<int16_t>{'1', static_cast<int16_t>(0xD6D0)}));
    EXPECT_EQ(CharCodes(std::string("7\xD6")), std::vector<int16_t>{'7'});  // lead without trail
    EXPECT_TRUE(CharCodes("").empty());
}

TEST(TypedTextCodes, NotationSetIsExact) {
    EXPECT_TRUE(IsJpText("01234567+.|- =CDEFGA()#"));
    EXPECT_TRUE(IsJpText(Gbk("（1）")));
    EXPECT_TRUE(IsJpText(""));
    for (const char* s : {"8", "9", "B", "X", "c", "a", "/", "\x7F"}) EXPECT_FALSE(IsJpText(s)) << s;
    EXPECT_FALSE(IsJpText(Gbk("中")));
}

// A note typed into a song is as high as the song's notes of its size, and the song saved, opened
// and saved again is the same file.
TEST(TypedTextHeight, ATypedNoteIsAsHighAsItsNeighboursAndTheSongReadsBackUnchanged) {
    tessaly::NoDaDurSystem system({"Tolvane", "tolvane", Gbk("宋体")});
    FileDocumentSource files{system};
    test::FakeTextMeasurer measurer;
    test::RecordingView view;
    const auto folder = std::filesystem::temp_directory_path() / "edit-typed-heights";
    std::filesystem::create_directories(folder);
    const auto load = [&](EditorData& data, const std::filesystem::path& file) {
        data.Measurer = measurer;
        EXPECT_TRUE(LoadJpFile(data, files, view, view, 0, file.u16string()));
    };
    const auto saved = [&](EditorData& data, const std::filesystem::path& file) {
        EXPECT_TRUE(SaveJpFile(data, JoinUp(data, view), system, 0, file.u16string()).Ok);
        std::ifstream f(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    for (float size : {16.2f, 10.5f, 12.0f}) {
        EditorData data, reopened;
        load(data, "");  // the new song, at 16.2 pt
        for (StoredWord& w : data.WordInfo) w.SelSize = size;
        InitFormat(data, view);
        InputAttributes in;
        in.FontName = data.FontTbl[static_cast<size_t>(data.WordInfo[0].nLogFont().FontTblIndex)].FontName;
        in.Size = size;
        const auto typed = MakeNotationWords(data, in, "5");
        DoArray array(data, view);
        SetInputDat(data, 1, 0, 1, true);  // after the title's first character, as the editor types
        array.InstrWordArray(1, 1);
        data.WordInfo[1] = typed[0];
        LayOutEdit(data, view);
        EXPECT_EQ(data.WordInfo[0].nLogFont().lfHeight, data.WordInfo[1].nLogFont().lfHeight) << size;
        const std::string first = saved(data, folder / "first.ZoRiv");
        load(reopened, folder / "first.ZoRiv");
        EXPECT_TRUE(first == saved(reopened, folder / "again.ZoRiv")) << size;
    }
    std::filesystem::remove_all(folder);
}

TEST_F(TypedTextTest, NotationTextStaysNotationWithoutUnderlineOrStrike) {
    std::vector<tessaly::aWordInfo> out;
    EXPECT_FALSE(TextToWords(d, in, "1=C", out));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(d.InputState, tessaly::JpState);
    EXPECT_EQ(out[1].WdAsc, '=');
    for (const auto& w : out) {
        EXPECT_EQ(w.IsJpGcCtl, 1);
        EXPECT_EQ(w.nLogFont.lfUnderline, 0);
        EXPECT_EQ(w.nLogFont.lfStrikeOut, 0);
        EXPECT_EQ(w.nLogFont.lfItalic, 1);
        EXPECT_EQ(w.nLogFont.lfWeight, 700);
        EXPECT_EQ(w.nLogFont.lfHeight, -14);  // 10.5 x 96 / 72, as a loaded note of 10.5 pt
        EXPECT_FLOAT_EQ(w.SelSize, 10.5f);
        EXPECT_EQ(w.nLogFont.FontTblIndex, 1);
        EXPECT_EQ(w.cf, 2);
        EXPECT_EQ(w.cb, 3);
        EXPECT_FLOAT_EQ(w.WdSpace, 4);
        EXPECT_GT(w.WdSize.cx, 0);
    }
}

TEST_F(TypedTextTest, MixedTextBecomesLyricsAndSwitchesState) {
    std::vector<tessaly::aWordInfo> out;
    EXPECT_TRUE(TextToWords(d, in, "1=B", out));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(d.InputState, tessaly::GcState);
    for (const auto& w : out) {
        EXPECT_EQ(w.IsJpGcCtl, 0);
        EXPECT_EQ(w.nLogFont.lfUnderline, 1);
        EXPECT_EQ(w.nLogFont.lfStrikeOut, 1);
    }
    // In lyric state even notation text is lyrics.
    EXPECT_FALSE(TextToWords(d, in, "1", out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].IsJpGcCtl, 0);
}

TEST_F(TypedTextTest, ImeCharactersKeepTheirDoubleByteCodes) {
    std::vector<tessaly::aWordInfo> out;
    EXPECT_TRUE(TextToWords(d, in, Gbk("中文"), out));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].WdAsc, static_cast<int16_t>(0xD6D0));
    EXPECT_EQ(out[0].IsJpGcCtl, 0);
}

TEST_F(TypedTextTest, ConnectingLineStateAndEmptyTextBuildNothing) {
    std::vector<tessaly::aWordInfo> out(2);
    EXPECT_FALSE(TextToWords(d, in, "", out));
    EXPECT_TRUE(out.empty());
    d.InputState = tessaly::LpxState;
    EXPECT_FALSE(TextToWords(d, in, "1", out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(d.InputState, tessaly::LpxState);
}

TEST_F(TypedTextTest, UnknownFontNameIsAppendedToTheTable) {
    in.FontName = "arial";
    std::vector<tessaly::aWordInfo> out;
    TextToWords(d, in, "1", out);
    ASSERT_EQ(d.FontTbl.size(), 3u);
    EXPECT_EQ(out[0].nLogFont.FontTblIndex, 2);
}

TEST_F(TypedTextTest, ParagraphEndTakesSourceAndFollowingMarks) {
    d.SelStart = 1;
    auto out = MakeInputWordInfo(d, 1, 0, "\r");
    ASSERT_EQ(out.size(), 1u);
    const auto& w = out[0];
    EXPECT_EQ(w.WdAsc, 45);
    EXPECT_EQ(w.IsJpGcCtl, 3);
    EXPECT_EQ(w.nLogFont.lfWeight, 400);
    EXPECT_EQ(w.nLogFont.FontTblIndex, d.AboutFileInfo.BaseFontTblIndex);
    EXPECT_EQ(w.cf, 5);
    EXPECT_EQ(w.nLogFont.lfHeight, -16);
    EXPECT_FLOAT_EQ(w.SelSize, 12);
    EXPECT_EQ(d.ColorTbl.at(static_cast<size_t>(w.cb)), 0u);
    EXPECT_EQ(w.ExtralWordInfo[0].IndexType, 155);
    EXPECT_EQ(w.ExtralWordInfo[0].ExtralWordVal2, 3);
    EXPECT_EQ(w.ExtralWordInfo[0].ExtralWordVal3[0], 0);  // text not copied
    EXPECT_EQ(w.ExtralWordInfo[7].ExtralWordVal1, 9);
}

TEST_F(TypedTextTest, ParagraphEndAtTheStartOrFromALeftwardSelection) {
    d.WordInfo[0].cf = 7;
    d.SelStart = 0;
    auto out = MakeInputWordInfo(d, 0, 0, "\r");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].cf, 7);
    d.WordInfo[1].cf = 8;
    out = MakeInputWordInfo(d, 2, -1, "\r");  // caret 1: source is character 0
    EXPECT_EQ(out[0].cf, 7);
}

TEST_F(TypedTextTest, HostSymbolsByTable) {
    tessaly::aWordInfo w;
    d.InputState = tessaly::GcState;
    ASSERT_TRUE(BuildSymbolWord(d, in, 39, 0x00020001, w));
    EXPECT_EQ(d.InputState, tessaly::JpState);
    EXPECT_EQ(w.WdAsc, '[');
    EXPECT_EQ(w.IsJpGcCtl, 2);
    EXPECT_EQ(w.nLogFont.FontTblIndex, d.AboutFileInfo.BaseFontTblIndex);
    EXPECT_EQ(w.ExtralWordInfo[0].IndexType, 39);
    EXPECT_EQ(w.ExtralWordInfo[0].ExtralWordVal1, 1);
    EXPECT_EQ(w.ExtralWordInfo[0].ExtralWordVal2, 2);
    EXPECT_EQ(w.nLogFont.lfUnderline, 1);  // symbols keep the font's underline

    ASSERT_TRUE(BuildSymbolWord(d, in, 65, -1, w));
    EXPECT_EQ(w.WdAsc, 'X');
    EXPECT_EQ(w.IsJpGcCtl, 1);
    EXPECT_EQ(w.nLogFont.FontTblIndex, 1);
    EXPECT_EQ(w.ExtralWordInfo[0].ExtralWordVal1, -1);  // signed halves
    EXPECT_EQ(w.ExtralWordInfo[0].ExtralWordVal2, -1);

    EXPECT_EQ(SymbolForMark(105).Code, -3921);
    EXPECT_EQ(SymbolForMark(106).Code, -3922);
    EXPECT_EQ(SymbolForMark(53).Code, 'e');
    EXPECT_EQ(SymbolForMark(61).Code, 'B');
    EXPECT_FALSE(SymbolForMark(61).NotationFont);
    EXPECT_EQ(SymbolForMark(179).Code, '(');
}

TEST_F(TypedTextTest, ClosingBracketIsAValidCharacterAndUnknownCodesBuildNothing) {
    EXPECT_EQ(SymbolForMark(180).Code, ')');
    // What older files stored for it is drawn and measured as the bracket.
    EXPECT_EQ(CodeText(static_cast<int16_t>(0xE009)), ")");
    EXPECT_EQ(CodeText(static_cast<int16_t>(0xE00A)), "\xE0\x0A");
    tessaly::aWordInfo w;
    d.InputState = tessaly::GcState;
    for (int32_t code : {0, 17, 181, -1, 100000}) {
        EXPECT_FALSE(BuildSymbolWord(d, in, code, 0, w)) << code;
        EXPECT_FALSE(SymbolForMark(code).Known);
    }
    EXPECT_EQ(d.InputState, tessaly::GcState);
}

}  // namespace
}  // namespace notaline
