#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <utility>

#include "DaDurFile.h"
#include "DaDurFormat.h"
#include "DaDurTestUtil.h"
#include "DaDurWriter.h"
#include "DefaultDocument.h"
#include "FileTestUtil.h"

namespace tessaly {
namespace {

using test::Gbk;
using test::ReadLines;
using test::ReadParagraph;

TEST(DaDurReader, DefaultDocumentRecordsFieldByField) {
    FakeDaDurSystem system;
    system.fonts = {"Tolvane", Gbk(u8"宋体")};
    DaDurFile file(system);
    ASSERT_TRUE(file.ReadRtfFile(5, "").ok);
    JpData d;
    file.GetJpData(d);
    EXPECT_TRUE(system.messages.empty());
    EXPECT_EQ(0, system.beeps);

    const AboutFileInfo& info = d.FileInfo;
    EXPECT_EQ(2, info.DaDurVer);
    EXPECT_EQ(0, info.deffFont);
    EXPECT_EQ(0, info.CMScale);
    EXPECT_EQ(0, info.BaseFontTblIndex);
    EXPECT_EQ(0, info.m_cb);
    EXPECT_EQ(2, info.FontTblCount);
    EXPECT_EQ(3, info.ColorTblCount);
    EXPECT_EQ(12, info.WordCount);  // 写简谱用 + Tavolin + paragraph end
    EXPECT_EQ(0, info.HwWordCount);
    EXPECT_EQ(0, info.QiLuoBianHao);
    EXPECT_EQ(1, info.XjCount);

    ASSERT_EQ(2u, d.FontTbl.size());
    EXPECT_EQ("tolvane", d.FontTbl[0].FontName);
    EXPECT_EQ(2, d.FontTbl[0].fcharset);
    EXPECT_EQ(14.0f, d.FontTbl[0].hYg);
    EXPECT_EQ(4.0f, d.FontTbl[0].hYc);
    EXPECT_EQ(Gbk(u8"宋体"), d.FontTbl[1].FontName);
    EXPECT_EQ(134, d.FontTbl[1].fcharset);
    EXPECT_EQ(2.0f, d.FontTbl[1].hYc);
    EXPECT_EQ((std::vector<uint32_t>{0xFFFFFFFFu, 0xFF000000u, 0u}), d.ColorTbl);

    const AboutPageInfo& p = d.PageInfo;
    EXPECT_EQ(245, p.PageMarginRect.Left);
    EXPECT_EQ(245, p.PageMarginRect.Top);
    EXPECT_EQ(245, p.PageMarginRect.Right);
    EXPECT_EQ(245, p.PageMarginRect.Bottom);
    EXPECT_EQ(0, p.PaperType);
    EXPECT_EQ(210, p.PageSize.cx);
    EXPECT_EQ(297, p.PageSize.cy);
    EXPECT_EQ(0, p.BackGroundType);
    EXPECT_EQ(1, p.PagePosIndexType);
    EXPECT_EQ(2, p.PageNumberSize);
    EXPECT_EQ(1.0f, p.nScale);
    EXPECT_EQ(0, p.PageFX);

    ASSERT_EQ(12u, d.WordInfo.size());
    const aWordInfo& xie = d.WordInfo[0];
    EXPECT_EQ(*WdAscFromGbk(Gbk(u8"写")), xie.WdAsc);
    EXPECT_EQ(1, xie.cf);
    EXPECT_EQ(2, xie.cb);
    EXPECT_EQ(1, xie.nLogFont.FontTblIndex);
    EXPECT_EQ(-22, xie.nLogFont.lfHeight);
    EXPECT_EQ(400, xie.nLogFont.lfWeight);
    EXPECT_FLOAT_EQ(16.2f, xie.SelSize);
    EXPECT_EQ(0, xie.IsJpGcCtl);
    EXPECT_EQ('T', d.WordInfo[4].WdAsc);
    EXPECT_EQ('n', d.WordInfo[10].WdAsc);
    const aWordInfo& end = d.WordInfo[11];
    EXPECT_EQ(45, end.WdAsc);
    EXPECT_EQ(3, end.IsJpGcCtl);
    EXPECT_EQ(0, end.nLogFont.FontTblIndex);
    EXPECT_EQ(2, end.cb);  // the first colour of value 0
    for (int s = 0; s < 8; ++s) {
        EXPECT_EQ(155 + s, end.ExtralWordInfo[s].IndexType);
        EXPECT_EQ(s == 3 || s == 4 ? 20 : 0, end.ExtralWordInfo[s].ExtralWordVal1);
        EXPECT_EQ(0, end.ExtralWordInfo[s].ExtralWordVal2);
    }

    ASSERT_EQ(1u, d.HwWordInfo.size());  // one empty entry
    ASSERT_EQ(1u, d.XjDrum.size());
    const XjDrumData& drum = d.XjDrum[0];
    EXPECT_EQ(1, drum.DrumVer);
    EXPECT_EQ(Gbk(u8"鼓点名称"), std::string(reinterpret_cast<const char*>(drum.DrumName)));
    EXPECT_EQ(80, drum.DrumSpeed);
    EXPECT_EQ(0, drum.DrumChannel);
    EXPECT_EQ(0, drum.HaveDrum);

    const aPlayInfo& play = d.PlayInfo;
    EXPECT_EQ(1, play.TotalTrack);
    EXPECT_EQ(1, play.MainTrack);
    EXPECT_EQ(120, play.Bpm);
    EXPECT_EQ(kTrue, play.IsPlayDrum);
    EXPECT_EQ(127, play.DrumVolume);
    EXPECT_EQ(3, play.JiePai);
    EXPECT_EQ(0, play.XjDrumCount);
    ASSERT_EQ(1u, play.Track.size());
    EXPECT_EQ(127, play.Track[0].Volume);
    EXPECT_EQ(3, play.Track[0].ComSounds);
    EXPECT_EQ(kTrue, play.Track[0].IsUser);
    EXPECT_EQ(1, play.Track[0].tPlayOrder[0].BlockIndex);
    EXPECT_EQ(kTrue, play.Track[0].tPlayOrder[0].IsPlay);
    EXPECT_EQ(0, play.Track[0].tPlayOrder[1].BlockIndex);
    EXPECT_EQ(kFalse, play.Track[0].tPlayOrder[47].IsPlay);

    // Ten lines, ten progress messages to the caller's window.
    ASSERT_EQ(10u, system.progress.size());
    for (int i = 0; i < 10; ++i) EXPECT_EQ(std::make_pair(intptr_t{5}, i * 10), system.progress[i]);
}

TEST(DaDurReader, DefaultDocumentEscapesItsChineseText) {
    const auto& lines = DefaultDocumentLines();
    ASSERT_EQ(10u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("\\hyc2 \\'cb\\'ce\\'cc\\'e5;}"));
    EXPECT_NE(std::string::npos, lines[3].find("\\expndtw0\\'d0\\'b4"));
    std::string order = "\\playinfo,PLAYORDER:0|1,-1";
    for (int i = 0; i < 47; ++i) order += "|0,0";
    EXPECT_EQ(order, lines[9]);
    const std::string drumStart = "\\drumdata,0,1," + Gbk(u8"鼓点名称") + ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,80,0";
    EXPECT_EQ(drumStart, lines[6].substr(0, drumStart.size()));
    EXPECT_EQ(std::count(lines[6].begin(), lines[6].end(), ','), 65);
}

TEST(DaDurReader, MissingFontsBringTheirMessages) {
    FakeDaDurSystem system;
    system.fonts = {Gbk(u8"宋体")};
    JpData d;
    ASSERT_TRUE(ReadLines(system, {DefaultDocumentLines()[0]}, d).ok);
    ASSERT_EQ(2u, system.messages.size());
    EXPECT_EQ(u"软件简谱字体 “tolvane” 缺失，建议重新安装。", system.messages[0]);
    EXPECT_EQ(u"文档字体 “tolvane” 系统中没有找，显示可能不正确。", system.messages[1]);
}

TEST(DaDurReader, ANotationFontWithoutANameIsADamagedDocument) {
    const char* headers[] = {"\\jprtfver2\\basejpf0{\\fonttbl{\\f0}}",
                             "\\jprtfver2\\basejpf1{\\fonttbl{\\f0}{\\f1\\hyc1 ;}}",
                             "\\jprtfver2\\basejpf9{\\fonttbl{\\f0\\fcharset2}}"};
    for (const char* header : headers) {
        FakeDaDurSystem system;
        JpData d;
        const DaDurStatus status = ReadLines(system, {"\\part a", header}, d);
        EXPECT_EQ(kErrBadFileFormat, status.number) << header;
        EXPECT_EQ("无效的文件格式（第 2 行）", status.reason) << header;
        EXPECT_TRUE(system.messages.empty()) << header;
    }
}

TEST(DaDurReader, LinesOfNoKindBeepAndProgressCountsLines) {
    FakeDaDurSystem system;
    JpData d;
    ASSERT_TRUE(ReadLines(system, {"", "hello", "\\jpx"}, d).ok);
    EXPECT_EQ(3, system.beeps);
    EXPECT_EQ(3u, system.progress.size());
    EXPECT_EQ(66, system.progress[2].second);
    system.progress.clear();
    ASSERT_TRUE(ReadLines(system, {"\\part a"}, d).ok);
    ASSERT_EQ(1u, system.progress.size());
    EXPECT_EQ(0, system.progress[0].second);
}

TEST(DaDurReader, SplitsLinesAtAnyLineEnd) {
    const auto lines = SplitDaDurLines("a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ((std::vector<std::string_view>{"a", "b", "c", "d", "", "e"}), lines);
    EXPECT_TRUE(SplitDaDurLines("").empty());
}

TEST(DaDurReader, ParagraphControlWords) {
    const auto w = ReadParagraph(
        "\\part\\cf2\\cb1\\f3\\i1\\ul1\\strike1\\b\\att1\\fs12000\\expndtw30\\ups-15\\yc2\\yg3 ab\\b1 c\\b0 d\\par");
    ASSERT_EQ(5u, w.size());
    EXPECT_EQ('a', w[0].WdAsc);
    EXPECT_EQ(1, w[0].IsJpGcCtl);
    EXPECT_EQ(700, w[0].nLogFont.lfWeight);
    EXPECT_EQ(1, w[0].nLogFont.lfItalic);
    EXPECT_EQ(1, w[0].nLogFont.lfUnderline);
    EXPECT_EQ(1, w[0].nLogFont.lfStrikeOut);
    EXPECT_EQ(-16, w[0].nLogFont.lfHeight);
    EXPECT_FLOAT_EQ(12.0f, w[0].SelSize);
    EXPECT_FLOAT_EQ(2.0f, w[0].WdSpace);  // 30 twips at 96 DPI
    EXPECT_FLOAT_EQ(-1.0f, w[0].UpSpace);
    EXPECT_EQ(2, w[0].Yc);
    EXPECT_EQ(3, w[0].YG);
    EXPECT_EQ(0, w[1].Yc);  // for the next character only
    EXPECT_EQ(0, w[1].YG);
    EXPECT_EQ(400, w[2].nLogFont.lfWeight);  // "\b" with any number is normal
    EXPECT_EQ(400, w[3].nLogFont.lfWeight);
    EXPECT_EQ('-', w[4].WdAsc);
    // Indexes beyond the (empty) tables are repaired to entry 0.
    EXPECT_EQ(0, w[0].cf);
    EXPECT_EQ(0, w[0].cb);
    EXPECT_EQ(0, w[0].nLogFont.FontTblIndex);
}

TEST(DaDurReader, AttributesRunOnFromLineToLine) {
    FakeDaDurSystem system;
    JpData d;
    ASSERT_TRUE(ReadLines(system, {"\\part\\att1\\b 1\\par", "\\part 2"}, d).ok);
    ASSERT_EQ(3u, d.WordInfo.size());
    EXPECT_EQ(1, d.WordInfo[2].IsJpGcCtl);
    EXPECT_EQ(700, d.WordInfo[2].nLogFont.lfWeight);
}

TEST(DaDurReader, StackedRunsCountOn) {
    const auto up = ReadParagraph("\\part\\spn1\\sps15 abc\\spn0 d");
    ASSERT_EQ(4u, up.size());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i + 1, up[i].ShuPai.Number);
        EXPECT_FLOAT_EQ(1.0f, up[i].ShuPai.Space);
    }
    EXPECT_EQ(0, up[3].ShuPai.Number);
    EXPECT_EQ(0.0f, up[3].ShuPai.Space);
    const auto down = ReadParagraph("\\part\\spn-1 abc");
    EXPECT_EQ(-1, down[0].ShuPai.Number);
    EXPECT_EQ(-3, down[2].ShuPai.Number);
}

TEST(DaDurReader, MarksFillFreeSlotsAndNinthOverwritesSlotZero) {
    std::string line = "\\part";
    for (int i = 1; i <= 9; ++i) line += "\\ex " + std::to_string(i) + "," + std::to_string(10 * i) + ",5\\eex";
    line += " x";
    const auto w = ReadParagraph(line);
    ASSERT_EQ(1u, w.size());
    EXPECT_EQ(9, w[0].ExtralWordInfo[0].IndexType);
    EXPECT_EQ(90, w[0].ExtralWordInfo[0].ExtralWordVal1);
    EXPECT_EQ(8, w[0].ExtralWordInfo[7].IndexType);
    EXPECT_EQ(5, w[0].ExtralWordInfo[7].ExtralWordVal2);
}

TEST(DaDurReader, MarkTextsKeepCommasAndStopAtSixteenBytes) {
    const auto w = ReadParagraph("\\part\\ex 37,1,2,a,b\\eex\\ex 89,0,1,\\'d0\\'b4" + std::string(20, 'z') +
                                 "\\eex\\ex 1,0,0\\eex x");
    ASSERT_EQ(1u, w.size());
    const auto& slots = w[0].ExtralWordInfo;
    EXPECT_EQ("a,b", dadur::MarkText(slots[0]));
    EXPECT_EQ(Gbk(u8"写") + std::string(14, 'z'), dadur::MarkText(slots[1]));
    EXPECT_EQ("", dadur::MarkText(slots[2]));
}

TEST(DaDurReader, PairStartsAreCountedAndBarsGiveXjCount) {
    FakeDaDurSystem system;
    JpData d;
    ASSERT_TRUE(
        ReadLines(system, {"\\part\\att1\\ex 89,0,1\\eex 1\\ex 90,0,1\\eex 2\\ex 72,0,2\\eex 3\\att2 WXY"}, d).ok);
    EXPECT_EQ(2, d.FileInfo.QiLuoBianHao);
    EXPECT_EQ(3, d.FileInfo.XjCount);  // one kind-1 bar, three bar symbols, minus one
}

// Past the first run of records, each used again: a volta counts as a bar on its own
// character only, however the characters before it in the earlier runs were marked.
TEST(DaDurReader, VoltasCountAsBarsAcrossRunsOfRecords) {
    std::string line = "\\part";
    int voltas = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i % 7 == 3) line += "\\ex 72,0,1\\eex";  // a mark that is no bar
        if (i % 97 == 5 || i == 256 + 5) line += i % 2 ? "\\ex 89,0,1\\eex" : "\\ex 91,0,1\\eex", ++voltas;
        line += "\\att1 1";
    }
    FakeDaDurSystem system;
    JpData d;
    ASSERT_TRUE(ReadLines(system, {line}, d).ok);
    ASSERT_EQ(1000u, d.WordInfo.size());
    EXPECT_EQ(voltas - 1, d.FileInfo.XjCount);
}

TEST(DaDurReader, UnknownMarkCodesAreDropped) {
    const auto w = ReadParagraph("\\part\\ex 0,1,1\\eex\\ex 181,1,1\\eex\\ex -3,1,1\\eex\\ex 180,1,1\\eex x");
    EXPECT_EQ(180, w[0].ExtralWordInfo[0].IndexType);
    EXPECT_EQ(0, w[0].ExtralWordInfo[1].IndexType);
}

TEST(DaDurReader, ColourComponentsKeepTheirLowByteButAlphaMustFit) {
    FakeDaDurSystem system;
    JpData d;
    ASSERT_TRUE(
        ReadLines(system, {"\\jpcolor\\pcb1{\\colortbl\\alpha1\\red257\\green-1\\blue2;\\red3\\blue4;}"}, d).ok);
    EXPECT_EQ((std::vector<uint32_t>{0x0102FF01u, 0x00040003u}), d.ColorTbl);
    EXPECT_EQ(1, d.FileInfo.m_cb);
    EXPECT_FALSE(ReadLines(system, {"\\jpcolor{\\colortbl\\alpha256\\red0\\green0\\blue0;}"}, d).ok);
}

TEST(DaDurReader, PlaySettingsLines) {
    FakeDaDurSystem system;
    JpData d;
    std::string order = "\\playinfo,PLAYORDER:1";
    for (int i = 0; i < 48; ++i) order.append("|").append(std::to_string(i)).append(",-1");
    ASSERT_TRUE(ReadLines(system,
                          {"\\playinfo,MAIN:3|1|100|0|1|2|3", "\\playinfo,MAIN:2|2|90|0|1|2|3",
                           "\\playinfo,TRACK:1|1|2|3|4|-1|5|6", "\\playinfo,TRACK:5|1|2|3|4|-1|5|6",
                           "\\playinfo,TRACK:0|1|2", order, "\\playinfo,PLAYORDER:0|1,1"},
                          d)
                    .ok);
    const aPlayInfo& p = d.PlayInfo;
    EXPECT_EQ(2, p.TotalTrack);  // the second MAIN line made the tracks anew
    EXPECT_EQ(2, p.MainTrack);
    EXPECT_EQ(90, p.Bpm);
    EXPECT_EQ(kFalse, p.IsPlayDrum);
    ASSERT_EQ(2u, p.Track.size());
    EXPECT_EQ(0, p.Track[0].Volume);  // the short TRACK line was ignored
    EXPECT_EQ(1, p.Track[1].Volume);
    EXPECT_EQ(4, p.Track[1].Yd);
    EXPECT_EQ(kTrue, p.Track[1].IsUser);
    EXPECT_EQ(5, p.Track[1].DelayTimer);
    EXPECT_EQ(6, p.Track[1].XjCount);
    EXPECT_EQ(47, p.Track[1].tPlayOrder[47].BlockIndex);
    EXPECT_EQ(kTrue, p.Track[1].tPlayOrder[0].IsPlay);
    EXPECT_EQ(0, p.Track[0].tPlayOrder[0].BlockIndex);

    EXPECT_FALSE(ReadLines(system, {"\\playinfo,MAIN:2|x|90|0|1|2|3"}, d).ok);
    EXPECT_FALSE(ReadLines(system, {"\\playinfo,MAIN:256|1|90|0|1|2|3"}, d).ok);
}

TEST(DaDurReader, MainTrackIsRepairedIntoTheTracks) {
    FakeDaDurSystem system;
    JpData d;
    ASSERT_TRUE(ReadLines(system, {"\\playinfo,MAIN:2|0|90|0|1|2|3"}, d).ok);
    EXPECT_EQ(1, d.PlayInfo.MainTrack);
    ASSERT_TRUE(ReadLines(system, {"\\playinfo,MAIN:2|9|90|0|1|2|3"}, d).ok);
    EXPECT_EQ(2, d.PlayInfo.MainTrack);
}

TEST(DaDurReader, DrumLines) {
    FakeDaDurSystem system;
    JpData d;
    std::string line = "\\drumdata,7,1,\"a,\"\"b\",9";
    for (int f = 5; f <= 64; ++f) line.append(",").append(std::to_string(f == 23 ? 300 : f));
    ASSERT_TRUE(ReadLines(system, {line}, d).ok);  // 65 fields: no HaveDrum
    const XjDrumData& x = d.XjDrum[0];
    EXPECT_EQ("a,\"b", std::string(reinterpret_cast<const char*>(x.DrumName)));
    EXPECT_EQ(9, x.DrumChannel);
    EXPECT_EQ(5, x.DrumVolume[0]);
    EXPECT_EQ(20, x.DrumSounds[7]);
    EXPECT_EQ(255, x.DrumSpeed);  // clamped
    EXPECT_EQ(24, x.DrumRhythms[0]);
    EXPECT_EQ(63, x.DrumSoundImage[7]);
    EXPECT_EQ(64, x.BarsOfSong);
    EXPECT_EQ(0, x.HaveDrum);

    EXPECT_FALSE(ReadLines(system, {line.substr(0, line.rfind(','))}, d).ok);
    EXPECT_FALSE(ReadLines(system, {"\\drumdata,0,1," + std::string(33, 'n') + line.substr(line.find(",9"))}, d).ok);
}

TEST(DaDurReader, FreeItemsAreConvertedFromTwips) {
    FakeDaDurSystem system;
    system.zoom = 1.25;
    JpData d;
    ASSERT_TRUE(ReadLines(system, {"\\hwinfo,labels", "\\hwdata,2,3,1440,15,30,45,1"}, d).ok);
    ASSERT_EQ(1, d.FileInfo.HwWordCount);
    const aHwWordInfo& h = d.HwWordInfo[0];
    EXPECT_EQ(2, h.HwWordtype);
    EXPECT_EQ(3, h.iPage);
    EXPECT_FLOAT_EQ(120.0f, h.X);
    EXPECT_FLOAT_EQ(1.25f, h.Y);
    EXPECT_FLOAT_EQ(2.5f, h.Width);
    EXPECT_FLOAT_EQ(3.75f, h.Height);
    EXPECT_EQ(0, h.cf);  // no colour table: repaired
    EXPECT_FALSE(ReadLines(system, {"\\hwdata,2,3,1440,15,30,45"}, d).ok);
}

TEST(DaDurReader, HeaderIndexesAreRepairedAndLongNamesCut) {
    FakeDaDurSystem system;
    system.fonts = {"a"};
    JpData d;
    ASSERT_TRUE(ReadLines(system,
                          {"\\jprtfver2\\deff0\\basejpf7{\\fonttbl{\\f0\\fnil\\fcharset2\\hyg1\\hyc2 A;}{\\f1\\hyc1 " +
                           std::string(40, 'Q') + ";}}"},
                          d)
                    .ok);
    EXPECT_EQ(0, d.FileInfo.BaseFontTblIndex);
    EXPECT_EQ("a", d.FontTbl[0].FontName);
    EXPECT_EQ(std::string(32, 'q'), d.FontTbl[1].FontName);
    EXPECT_FALSE(ReadLines(system, {"\\jprtfver2{\\fonttbl{\\f0\\hyc2 A}}"}, d).ok);  // no ";}"
}

TEST(DaDurReader, MalformedEscapesAndOverflowsFailWithTheirLine) {
    FakeDaDurSystem system;
    JpData d;
    auto status = ReadLines(system, {"\\part a", "\\part\\'zz"}, d);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(2u, status.line);
    EXPECT_FALSE(ReadLines(system, {"\\part\\'cb\\'zz"}, d).ok);  // a bad escape after a lone lead byte
    EXPECT_FALSE(ReadLines(system, {"\\part\\ex 1,2\\eex a"}, d).ok);
    EXPECT_FALSE(ReadLines(system, {"\\part\\i256 a"}, d).ok);
    EXPECT_FALSE(ReadLines(system, {"\\part\\f40000 a"}, d).ok);
    EXPECT_FALSE(ReadLines(system, {"\\jppaper\\margltw99999999999"}, d).ok);
}

TEST(DaDurReader, EveryPrefixOfTheDefaultDocumentReadsOrFailsCleanly) {
    std::string all;
    for (const auto& l : DefaultDocumentLines()) all += l + "\r\n";
    FakeDaDurSystem system;
    for (size_t n = 0; n <= all.size(); ++n) {
        JpData d;
        DaDurReader reader(system, 1.0);
        const DaDurStatus status = reader.Read(SplitDaDurLines(std::string_view(all).substr(0, n)), 0, d);
        if (status.ok) {
            EXPECT_EQ(d.WordInfo.size(), static_cast<size_t>(d.FileInfo.WordCount));
            EXPECT_FALSE(d.FontTbl.empty());
        } else {
            EXPECT_FALSE(status.reason.empty());
        }
    }
}

TEST(DaDurFile, AFailedReadKeepsTheDocument) {
    FakeDaDurSystem system;
    DaDurFile file(system);
    ASSERT_TRUE(file.ReadRtfFile(0, "").ok);
    const auto path = std::filesystem::temp_directory_path() / "dadur_bad_read.DaDur";
    { std::ofstream(path, std::ios::binary) << "\\part abc\r\n\\part\\'q1\r\n"; }
    const DaDurStatus status = file.ReadRtfFile(0, path);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(2u, status.line);
    EXPECT_EQ(12, file.Data().FileInfo.WordCount);
    EXPECT_FALSE(file.ReadRtfFile(0, path.string() + ".missing").ok);
    EXPECT_EQ(12, file.Data().FileInfo.WordCount);
    std::filesystem::remove(path);
}

// Without a paragraph a file is no document, header or not, not one that ends early.
TEST(DaDurFile, AFileWithoutHeaderOrParagraphIsRefusedAndTheDocumentKept) {
    test::TempFolder folder;
    const struct {
        const char* Bytes;
        bool Read;
    } rows[] = {{"", false},
                {"hello\r\n", false},
                {"\\jpcolor\\red0\\green0\\blue0;\r\n", false},
                {"\\part a", true},
                {"\\jprtfver2\\basejpf0{\\fonttbl{\\f0\\hyc1 tolvane;}}\r\n", false},
                {"\\jprtfver2\\basejpf0{\\fonttbl{\\f0\\hyc1 tolvane;}}\r\nhello\r\n\\jpnote 1\r\n", false},
                {"\\jprtfver2\\basejpf0{\\fonttbl{\\f0\\hyc1 tolvane;}}\r\n\\part a\r\n", true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Bytes);
        const auto name = folder / "other.DaDur";
        test::Spit(name, r.Bytes);
        FakeDaDurSystem system;
        DaDurFile file(system);
        ASSERT_TRUE(file.ReadRtfFile(0, "").ok);
        const DaDurStatus status = file.ReadRtfFile(0, name);
        EXPECT_EQ(r.Read, status.ok);
        if (r.Read) continue;
        EXPECT_EQ(kErrBadFileFormat, status.number);
        EXPECT_EQ("无效的文件格式", status.reason);
        EXPECT_EQ(12, file.Data().FileInfo.WordCount);
    }
}

TEST(DaDurFile, AReadCannotStartDuringAnother) {
    FakeDaDurSystem system;
    DaDurFile file(system);
    int refused = 0;
    bool once = true;
    system.onProgress = [&] {
        if (!std::exchange(once, false)) return;
        if (!file.ReadRtfFile(0, "").ok) ++refused;
        if (!file.WriteRtfFile("x.DaDur", 0).ok) ++refused;
    };
    EXPECT_TRUE(file.ReadRtfFile(1, "").ok);
    EXPECT_EQ(2, refused);
    EXPECT_EQ(2, system.beeps);
    EXPECT_FALSE(std::filesystem::exists("x.DaDur"));
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

using test::Gbk;
using test::ReadLines;

// Every prefix of a file, as the reader gets it: a cut anywhere but after a whole last line
// leaves the last line without its end.
DaDurStatus ReadPrefix(std::string_view all, size_t n, JpData& d) {
    FakeDaDurSystem system;
    DaDurReader reader(system, 1.0);
    const std::string_view part = all.substr(0, n);
    const bool cut = !part.empty() && part.back() != '\n' && part.back() != '\r';
    return reader.Read(SplitDaDurLines(part), 0, d, cut);
}

std::string WrittenDefaultDocument() {
    FakeDaDurSystem system;
    DaDurFile file(system);
    file.ReadRtfFile(0, "");
    return DaDurWriter(system, 1.0).Write(file.Data(), 0);
}

std::string GoldenFile() {
    std::ifstream in(JP_TOOLS_TEST_DATA "every_kind_of_line.DaDur", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(DaDurReader, EveryCutOfAFileReadsWholeOrSaysItEndsEarly) {
    for (const std::string& all : {WrittenDefaultDocument(), GoldenFile()}) {
        ASSERT_FALSE(all.empty());
        JpData full;
        const DaDurStatus whole = ReadPrefix(all, all.size(), full);
        ASSERT_TRUE(whole.ok);
        ASSERT_EQ(0, whole.number);
        FakeDaDurSystem system;
        const std::string fullText = DaDurWriter(system, 1.0).Write(full, 0);
        for (size_t n = 0; n < all.size(); ++n) {
            JpData d;
            const DaDurStatus status = ReadPrefix(all, n, d);
            ASSERT_TRUE(status.ok) << n << ": " << status.reason;
            if (status.number == 0) {
                // Only the final line end is missing: nothing of the document is.
                EXPECT_EQ(fullText, DaDurWriter(system, 1.0).Write(d, 0)) << n;
                EXPECT_GE(n, all.size() - 1);
            } else {
                ASSERT_EQ(kErrEndsEarly, status.number) << n;
                EXPECT_LE(d.WordInfo.size(), full.WordInfo.size()) << n;
            }
        }
    }
}

// The same through files, cut at each tenth: the document is kept, and the message names the file.
TEST(DaDurFile, AFileCutAtEachTenthIsShownAndSaysItEndsEarly) {
    test::TempFolder folder;
    for (const std::string& all : {WrittenDefaultDocument(), GoldenFile()}) {
        for (int tenth = 0; tenth <= 10; ++tenth) {
            const auto name = folder / ("cut" + std::to_string(tenth) + ".DaDur");
            const std::string cut = all.substr(0, all.size() * tenth / 10);
            test::Spit(name, cut);
            FakeDaDurSystem system;
            DaDurFile file(system);
            const DaDurStatus status = file.ReadRtfFile(0, name);
            if (cut.find("\\part") == std::string::npos) {  // no paragraph yet: no document
                EXPECT_EQ(kErrBadFileFormat, status.number);
                continue;
            }
            ASSERT_TRUE(status.ok) << tenth << ": " << status.reason;
            if (tenth == 10) {
                EXPECT_EQ(0, status.number);
                EXPECT_EQ("", status.reason);
            } else {
                EXPECT_EQ(kErrEndsEarly, status.number) << tenth;
                EXPECT_EQ(FileErrorReason(kErrEndsEarly, name), status.reason);
                EXPECT_EQ(0u, status.reason.find("文件提前结束，文档可能不完整: "));
            }
            EXPECT_EQ(file.Data().WordInfo.size(), static_cast<size_t>(file.Data().FileInfo.WordCount));
        }
    }
}

TEST(DaDurReader, AMissingFontIsNamedOncePerRead) {
    struct CountingSystem : FakeDaDurSystem {
        int asked = 0;
        std::vector<std::string> InstalledFonts() override {
            ++asked;
            return fonts;
        }
    } system;
    system.fonts = {Gbk(u8"宋体")};
    const std::string header = DefaultDocumentLines()[0];
    const std::string other = "\\jprtfver2\\basejpf0{\\fonttbl{\\f0\\hyc1 tolvane;}{\\f1\\hyc1 Other;}}";
    JpData d;
    ASSERT_TRUE(ReadLines(system, {header, header, other, header, other}, d).ok);
    EXPECT_EQ((std::vector<std::u16string>{u"软件简谱字体 “tolvane” 缺失，建议重新安装。",
                                           u"文档字体 “tolvane”、“other” 系统中没有找，显示可能不正确。"}),
              system.messages);
    EXPECT_EQ(1, system.asked);
    // A new read names them again.
    ASSERT_TRUE(ReadLines(system, {header}, d).ok);
    EXPECT_EQ(4u, system.messages.size());
    // Many missing fonts: one message, ten of them named, and how many there are.
    std::string many = "\\jprtfver2\\basejpf0{\\fonttbl";
    for (int k = 0; k < 300; ++k) many += "{\\f" + std::to_string(k) + "\\hyc1 F" + std::to_string(k) + ";}";
    system.messages.clear();
    ASSERT_TRUE(ReadLines(system, {many + "}"}, d).ok);
    ASSERT_EQ(2u, system.messages.size());
    EXPECT_EQ(
        u"文档字体 “f0”、“f1”、“f2”、“f3”、“f4”、“f5”、“f6”、“f7”、“f8”、“f9”等 300 个字体 "
        u"系统中没有找，显示可能不正确。",
        system.messages[1]);
}

TEST(DaDurReader, ADocumentBeyondTheLimitIsRefusedAndTheOldOneKept) {
    FakeDaDurSystem system;
    DaDurReader reader(system, 1.0);
    reader.SetMaxWords(5);
    JpData d;
    const std::vector<std::string_view> five = {"\\part abcd\\par"};
    ASSERT_TRUE(reader.Read(five, 0, d).ok);
    ASSERT_EQ(5, d.FileInfo.WordCount);
    const std::vector<std::string_view> six = {"\\part abcde\\par"};
    const DaDurStatus status = reader.Read(six, 0, d);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(kErrTooLarge, status.number);
    EXPECT_EQ("文档太大，无法处理（第 1 行）", status.reason);
    EXPECT_EQ(5, d.FileInfo.WordCount);
    // No cut last line turns this into a shorter document.
    EXPECT_EQ(kErrTooLarge, reader.Read(six, 0, d, true).number);
    // Free items are held to the same count.
    const std::string item = "\\hwdata,1,0,0,0,0,0,0";
    const std::vector<std::string_view> items(6, item);
    EXPECT_EQ(kErrTooLarge, reader.Read(items, 0, d).number);
    EXPECT_TRUE(reader.Read(std::vector<std::string_view>(5, item), 0, d).ok);
}

// Line ends cost memory of their own: a file of nothing else is refused before it is split.
TEST(DaDurFile, AFileOfLineEndsBeyondTheLimitIsRefused) {
    test::TempFolder folder;
    const auto name = folder / "empty lines.DaDur";
    test::Spit(name, std::string(2 * kMaxDocumentLines + 1, '\n'));
    FakeDaDurSystem system;
    DaDurFile file(system);
    ASSERT_TRUE(file.ReadRtfFile(0, "").ok);
    const DaDurStatus status = file.ReadRtfFile(0, name);
    EXPECT_EQ(kErrTooLarge, status.number);
    EXPECT_EQ(FileErrorReason(kErrTooLarge, name), status.reason);
    EXPECT_EQ(0, system.beeps);  // not one line was read
    EXPECT_GT(file.Data().FileInfo.WordCount, 0);
}

TEST(DaDurReader, MemoryRunningOutIsTooLargeNotACrash) {
    struct Exhausted : FakeDaDurSystem {
        std::vector<std::string> InstalledFonts() override { throw std::bad_alloc(); }
    } system;
    JpData d;
    d.FileInfo.WordCount = 77;
    const DaDurStatus status = ReadLines(system, DefaultDocumentLines(), d);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(kErrTooLarge, status.number);
    EXPECT_EQ(1u, status.line);
    EXPECT_EQ(77, d.FileInfo.WordCount);
}

TEST(DaDurReader, MalformedLinesSayWhichLineInTheUsersWords) {
    FakeDaDurSystem system;
    JpData d;
    const DaDurStatus status = ReadLines(system, {"\\part a", "\\part\\'zz"}, d);
    EXPECT_EQ(kErrBadFileFormat, status.number);
    EXPECT_EQ("无效的文件格式（第 2 行）", status.reason);
    EXPECT_FALSE(status.detail.empty());
    // A cut last line that cannot be read is left out, and the rest kept.
    DaDurReader reader(system, 1.0);
    const std::vector<std::string_view> lines = {"\\part ab\\par", "\\part\\'c"};
    const DaDurStatus cut = reader.Read(lines, 0, d, true);
    EXPECT_TRUE(cut.ok);
    EXPECT_EQ(kErrEndsEarly, cut.number);
    EXPECT_EQ(3, d.FileInfo.WordCount);
}

}  // namespace
}  // namespace tessaly
