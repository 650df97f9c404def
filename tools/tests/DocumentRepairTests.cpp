#include <gtest/gtest.h>

#include "DaDurWriter.h"
#include "DefaultDocument.h"
#include "DocumentRepair.h"
#include "FileTestUtil.h"
#include "ZoRivFormat.h"

namespace tessaly {
namespace {

using test::DefaultDocumentWith;

// A document with every value that the readers repair: indexes beyond the tables, a main track
// outside the tracks, marks with codes no mark has, and a code with no character form.
JpData Damaged() {
    JpData d = DefaultDocumentWith('a', 3);  // fonts 0 and 1; colours 0, 1, 2
    d.FileInfo.BaseFontTblIndex = 0;
    d.FileInfo.m_cb = 0;
    aWordInfo& w0 = d.WordInfo[0];
    w0.nLogFont.FontTblIndex = 9;
    w0.cf = 7;
    w0.cb = -1;  // no background: kept
    aWordInfo& w1 = d.WordInfo[1];
    w1.cb = 5;
    w1.ExtralWordInfo[0] = {181, 1, 2, {}};
    w1.ExtralWordInfo[1] = {180, 3, 4, {}};
    w1.ExtralWordInfo[2] = {-3, 5, 6, {}};
    d.WordInfo[2].WdAsc = 300;     // no code page 936 character
    d.WordInfo[3].WdAsc = -32700;  // lead byte 0x80: none either
    d.WordInfo[3].cb = -4;
    d.HwWordInfo = {{0, 1, 44, 1, 2, 3, 4}};
    d.FileInfo.HwWordCount = 1;
    d.PlayInfo.TotalTrack = 1;
    d.PlayInfo.MainTrack = 0;
    return d;
}

void ExpectRepaired(const JpData& d, const char* how) {
    SCOPED_TRACE(how);
    ASSERT_GE(d.WordInfo.size(), 4u);
    const aWordInfo& w0 = d.WordInfo[0];
    EXPECT_EQ(0, w0.nLogFont.FontTblIndex);
    EXPECT_EQ(0, w0.cf);
    EXPECT_EQ(kNoBackground, w0.cb);
    const aWordInfo& w1 = d.WordInfo[1];
    EXPECT_LT(static_cast<size_t>(w1.cb), d.ColorTbl.size());
    int marks180 = 0, others = 0;
    for (const auto& s : w1.ExtralWordInfo) {
        if (s.IndexType == 180)
            ++marks180;
        else if (s.IndexType != 0)
            ++others;
    }
    EXPECT_EQ(1, marks180);
    EXPECT_EQ(0, others);
    EXPECT_EQ(kUnwritableCode, d.WordInfo[2].WdAsc);
    EXPECT_EQ(kUnwritableCode, d.WordInfo[3].WdAsc);
    EXPECT_GE(d.WordInfo[3].cb, 0);
    EXPECT_LT(static_cast<size_t>(d.HwWordInfo[0].cf), d.ColorTbl.size());
    EXPECT_EQ(1, d.PlayInfo.MainTrack);
}

// One rule for both formats: what the DaDur reader repairs, the ZoRiv reader repairs alike.
TEST(DocumentRepair, BothReadersRepairTheSameValues) {
    JpData direct = Damaged();
    RepairDocument(direct);
    ExpectRepaired(direct, "repair pass");

    std::vector<uint8_t> zoriv;
    ASSERT_TRUE(FormatZoRiv(Damaged(), 1, zoriv, nullptr).Ok());
    JpData fromZoRiv;
    ASSERT_TRUE(ParseZoRiv(zoriv, 1, fromZoRiv, nullptr).Ok());
    ExpectRepaired(fromZoRiv, "ZoRiv");

    FakeDaDurSystem system;
    const std::string dadur = DaDurWriter(system, 1).Write(Damaged(), 0);
    JpData fromDaDur;
    DaDurReader reader(system, 1);
    ASSERT_TRUE(reader.Read(SplitDaDurLines(dadur), 0, fromDaDur).ok);
    ExpectRepaired(fromDaDur, "DaDur");
}

// A character without background is written "\cb-1" and reads back as such; a code with no
// character form is written "?" (and reads back as "?") so that the marks before it keep their
// character. Both are the rule of every reader and writer, not accidents of one.
TEST(DocumentRepair, NoBackgroundAndUnwritableCodesInTheDaDurText) {
    JpData d = DefaultDocumentWith('a', 1);
    d.WordInfo[1].cb = kNoBackground;
    d.WordInfo[1].WdAsc = 300;
    d.WordInfo[1].ExtralWordInfo[0] = {18, 0, 0, {}};
    FakeDaDurSystem system;
    const std::string text = DaDurWriter(system, 1).Write(d, 0);
    EXPECT_NE(std::string::npos, text.find("\\cb-1\\ex 18,0,0\\eex ?")) << text;
    JpData back;
    DaDurReader reader(system, 1);
    ASSERT_TRUE(reader.Read(SplitDaDurLines(text), 0, back).ok);
    EXPECT_EQ(kNoBackground, back.WordInfo[1].cb);
    EXPECT_EQ('?', back.WordInfo[1].WdAsc);
    EXPECT_EQ(18, back.WordInfo[1].ExtralWordInfo[0].IndexType);
    // ZoRiv keeps both as numbers: -1 stays, 300 is read as "?".
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(FormatZoRiv(d, 1, bytes, nullptr).Ok());
    JpData z;
    ASSERT_TRUE(ParseZoRiv(bytes, 1, z, nullptr).Ok());
    EXPECT_EQ(kNoBackground, z.WordInfo[1].cb);
    EXPECT_EQ('?', z.WordInfo[1].WdAsc);
    // Any other negative index is written as the first colour by both writers.
    d.WordInfo[1].cb = -4;
    ASSERT_TRUE(FormatZoRiv(d, 1, bytes, nullptr).Ok());
    // The characters end where the one track begins; cb is at 272 of a character's 304 bytes.
    const size_t cb = bytes.size() - kZoRivTrackSize - kZoRivWordSize * (d.WordInfo.size() - 1) + 272;
    EXPECT_EQ(0, bytes[cb] | bytes[cb + 1] << 8);
    EXPECT_NE(std::string::npos, DaDurWriter(system, 1).Write(d, 0).find("\\cb0\\ex 18"));
}

TEST(DocumentRepair, AZoRivFileBeyondTheLimitIsRefusedBeforeAllocating) {
    const JpData doc = DefaultDocumentWith('z', 4);
    const auto words = static_cast<int32_t>(doc.WordInfo.size());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(FormatZoRiv(doc, 1, bytes, nullptr).Ok());
    JpData kept;
    kept.FileInfo.XjCount = 42;
    const ZoRivStatus s = ParseZoRiv(bytes, 1, kept, nullptr, words - 1);
    EXPECT_EQ(kErrTooLarge, s.number);
    EXPECT_EQ("文档太大，无法处理", s.reason);
    EXPECT_EQ(42, kept.FileInfo.XjCount);
    EXPECT_TRUE(ParseZoRiv(bytes, 1, kept, nullptr, words).Ok());
    // Free items are held to the same count.
    JpData items = DefaultDocumentWith('z');
    items.HwWordInfo.assign(3, aHwWordInfo{});
    items.FileInfo.HwWordCount = 3;
    ASSERT_TRUE(FormatZoRiv(items, 1, bytes, nullptr).Ok());
    kept.FileInfo.XjCount = 42;
    EXPECT_EQ(kErrTooLarge, ParseZoRiv(bytes, 1, kept, nullptr, 2).number);
    EXPECT_EQ(42, kept.FileInfo.XjCount);
}

// A file may name its fonts and colours after the characters that use them: an index is judged
// by the tables as they end, though the characters were handed on before the tables were read.
TEST(DocumentRepair, TablesReadAfterTheCharactersStillHoldTheirIndexes) {
    const std::vector<std::string>& lines = DefaultDocumentLines();
    const std::string chars =
        "\\part\\cf2\\cb1\\f1\\att0\\fs12000 " + std::string(300, '1') + "\\cf9\\f5 2\\att3 3\\par";
    std::vector<std::string> late = {chars, "\\part\\att3 4\\par"};
    late.insert(late.begin() + 1, lines.begin(), lines.begin() + 2);  // fonts, colours
    late.insert(late.end(), lines.begin() + 2, lines.end());
    for (const bool inRuns : {false, true}) {
        SCOPED_TRACE(inRuns ? "in runs" : "whole");
        FakeDaDurSystem system;
        DaDurReader reader(system, 1);
        const std::vector<std::string_view> views(late.begin(), late.end());
        JpData d;
        std::vector<aWordInfo> words;
        WordVector sink(words);
        const DaDurStatus status = inRuns ? reader.Read(views, 0, d, sink) : reader.Read(views, 0, d);
        ASSERT_TRUE(status.ok) << status.reason << status.detail;
        if (!inRuns) words = d.WordInfo;
        ASSERT_EQ(static_cast<size_t>(d.FileInfo.WordCount), words.size());
        ASSERT_GT(words.size(), 304u);
        EXPECT_EQ(2, words[0].cf);
        EXPECT_EQ(1, words[299].cb);
        EXPECT_EQ(1, words[299].nLogFont.FontTblIndex);
        EXPECT_EQ(0, words[300].cf);
        EXPECT_EQ(0, words[300].nLogFont.FontTblIndex);
        EXPECT_EQ(2, words[301].cb);  // handed on before the colour line, it takes its colour 0 too
        EXPECT_EQ('4', words[303].WdAsc);
        EXPECT_EQ(2, words[303].cb);  // the first colour 0 of the table read since
    }
}

}  // namespace
}  // namespace tessaly
