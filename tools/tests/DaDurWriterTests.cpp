#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "DaDurFile.h"
#include "DaDurFormat.h"
#include "DaDurTestUtil.h"
#include "DaDurWriter.h"
#include "ZoRivFormat.h"

namespace tessaly {
namespace {

using test::Gbk;
using test::ReadLines;

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

aWordInfo Char(std::string_view gbk, uint8_t kind = 0) {
    aWordInfo w;
    w.WdAsc = *WdAscFromGbk(gbk);
    w.IsJpGcCtl = kind;
    w.cf = 1;
    w.cb = 2;
    w.SelSize = 12;
    w.nLogFont.lfHeight = -16;
    w.nLogFont.lfWeight = 400;
    w.nLogFont.FontTblIndex = 1;
    return w;
}

aWordInfo ParagraphEnd() {
    aWordInfo w = Char("-", 3);
    w.nLogFont.FontTblIndex = 0;
    for (int s = 0; s < 8; ++s) w.ExtralWordInfo[s] = {155 + s, s == 3 || s == 4 ? 20 : 0, 0, {}};
    return w;
}

void SetMark(aWordInfo& w, int slot, int32_t code, int32_t v1, int32_t v2, std::string_view text = {}) {
    auto& s = w.ExtralWordInfo[slot];
    s = {code, v1, v2, {}};
    if (!text.empty()) std::memcpy(s.ExtralWordVal3, text.data(), std::min<size_t>(text.size(), 16));
}

// A small document with every kind of line and of character attribute.
JpData EveryKindOfLine() {
    JpData d;
    d.FileInfo.DaDurVer = 2;
    d.FileInfo.deffFont = 0;
    d.FileInfo.CMScale = 0;
    d.FileInfo.m_cb = 0;
    d.FontTbl = {{"tolvane", 0, 14, 4}, {Gbk(u8"宋体"), 0, 14, 2}, {"unused", 134, 1, 1}, {"MyFont", 0, 12.5f, 3}};
    d.ColorTbl = {0xFFFFFFFFu, 0xFF000000u, 0u, 0xFF0000FFu, 0xFF00FF00u};
    d.PageInfo = {0, 1, 2, 1.5f, {245, 240, 245, 250}, 1, {250, 353}, 1};

    auto& w = d.WordInfo;
    w.push_back(Char(Gbk(u8"写")));
    w.push_back(Char("a"));
    w.back().nLogFont.lfWeight = 700;
    w.back().nLogFont.lfItalic = 1;
    w.push_back(Char("{"));
    w.back().nLogFont.lfUnderline = 1;
    w.back().nLogFont.lfStrikeOut = 1;
    w.back().SelSize = 10.5f;
    w.back().nLogFont.lfHeight = -13;
    w.push_back(Char("\t"));
    w.back().nLogFont.FontTblIndex = 3;
    w.back().cf = 3 - 3;  // white
    w.back().WdSpace = 2;
    for (int i = 0; i < 5; ++i) {  // two adjacent stacked runs
        aWordInfo n = Char(std::string(1, static_cast<char>('1' + i)), 1);
        n.nLogFont.FontTblIndex = 0;
        n.ShuPai.Number = static_cast<int16_t>(i < 3 ? i + 1 : -(i - 2));
        n.ShuPai.Space = i < 3 ? 1.5f : 3;
        w.push_back(n);
    }
    w[4].Yc = 2;
    w[4].YG = 1;
    SetMark(w[4], 0, 72, 7, 9);
    SetMark(w[4], 2, 37, -3, 0, "x,y");
    SetMark(w[5], 0, 119, 0, 0);  // text only when not empty
    w[6].UpSpace = 2;
    SetMark(w[7], 1, 73, 0, 9);
    SetMark(w[7], 3, 89, 0, 0, Gbk(u8"一"));
    SetMark(w[8], 0, 90, 0, 0);
    w.push_back(Char("b"));
    w.back().cb = -1;
    w.push_back(ParagraphEnd());
    w.push_back(Char("c"));
    w.push_back(ParagraphEnd());
    d.FileInfo.WordCount = static_cast<int32_t>(w.size());

    d.HwWordInfo = {{1, 2, 4, 30, 45, 60, 75}};
    d.FileInfo.HwWordCount = 1;
    XjDrumData drum;
    drum.DrumVer = 1;
    std::memcpy(drum.DrumName, " kit 1  ", 8);
    drum.DrumSpeed = 80;
    drum.DrumRhythms[31] = 255;
    drum.HaveDrum = 1;
    d.XjDrum = {drum, XjDrumData{}};
    d.PlayInfo.TotalTrack = 2;
    d.PlayInfo.MainTrack = 2;
    d.PlayInfo.Bpm = 96;
    d.PlayInfo.IsPlayDrum = kTrue;
    d.PlayInfo.DrumVolume = 100;
    d.PlayInfo.JiePai = 4;
    d.PlayInfo.XjDrumCount = 2;
    d.PlayInfo.Track.resize(2);
    d.PlayInfo.Track[1] = {100, 24, 64, 2, kTrue, {}, 8, 3};
    d.PlayInfo.Track[1].tPlayOrder[0] = {1, kTrue};
    d.PlayInfo.Track[1].tPlayOrder[1] = {2, kFalse};
    return d;
}

std::string Write(const JpData& d, FakeDaDurSystem& system, intptr_t hwnd = 0) {
    return DaDurWriter(system, system.zoom).Write(d, hwnd);
}

JpData Read(FakeDaDurSystem& system, const std::string& bytes) {
    JpData d;
    DaDurReader reader(system, system.zoom);
    const DaDurStatus status = reader.Read(SplitDaDurLines(bytes), 0, d);
    EXPECT_TRUE(status.ok) << status.reason << ": " << status.detail;
    return d;
}

TEST(DaDurWriter, GoldenOutputForEveryKindOfLine) {
    FakeDaDurSystem system;
    const std::string written = Write(EveryKindOfLine(), system);
    const std::filesystem::path golden = JP_TOOLS_TEST_DATA "every_kind_of_line.DaDur";
    if (std::getenv("JP_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << written;
    EXPECT_EQ(Slurp(golden), written);
    // Once read, a document writes the same bytes every time (the first read lowers "MyFont").
    const std::string second = Write(Read(system, written), system);
    EXPECT_EQ(second, Write(Read(system, second), system));
}

TEST(DaDurWriter, CompactsTablesAndKeepsWhatIsUsed) {
    FakeDaDurSystem system;
    const JpData back = Read(system, Write(EveryKindOfLine(), system));
    ASSERT_EQ(3u, back.FontTbl.size());  // "unused" left out
    EXPECT_EQ("myfont", back.FontTbl[2].FontName);
    EXPECT_EQ(2, back.FontTbl[0].fcharset);
    EXPECT_EQ(134, back.FontTbl[2].fcharset);
    EXPECT_EQ(2, back.WordInfo[3].nLogFont.FontTblIndex);
    EXPECT_EQ((std::vector<uint32_t>{0xFFFFFFFFu, 0xFF000000u, 0u, 0xFF00FF00u}), back.ColorTbl);
    EXPECT_EQ(3, back.HwWordInfo[0].cf);  // the colour only the item uses

    // A document read without fonts has a nameless placeholder, which is not written.
    JpData bare;
    ASSERT_TRUE(ReadLines(system, {"\\part ab"}, bare).ok);
    const std::string bareText = Write(bare, system);
    EXPECT_EQ(0u, bareText.find("\\jprtfver1\\deff1\\basejpf0{\\fonttbl}\r\n"));
    system.messages.clear();
    EXPECT_EQ(2, Read(system, bareText).FileInfo.WordCount);
    EXPECT_TRUE(system.messages.empty());

    // A notation font behind a dropped entry keeps its place in the header.
    JpData moved = EveryKindOfLine();
    moved.FontTbl.insert(moved.FontTbl.begin(), aFontTbl{"dropped", 0, 0, 0});
    moved.FileInfo.BaseFontTblIndex = 1;
    for (auto& w : moved.WordInfo) ++w.nLogFont.FontTblIndex;
    const JpData movedBack = Read(system, Write(moved, system));
    EXPECT_EQ(0, movedBack.FileInfo.BaseFontTblIndex);
    EXPECT_EQ("tolvane", movedBack.FontTbl[0].FontName);
    EXPECT_EQ(2, movedBack.FontTbl[0].fcharset);
}

TEST(DaDurWriter, RoundTripKeepsTheDocument) {
    FakeDaDurSystem system;
    system.zoom = 1.25;
    system.dpi = 120;
    const JpData original = EveryKindOfLine();
    const std::string first = Write(original, system);
    const JpData back = Read(system, first);
    ASSERT_EQ(original.WordInfo.size(), back.WordInfo.size());
    for (size_t i = 0; i < back.WordInfo.size(); ++i) {
        const aWordInfo& a = original.WordInfo[i];
        const aWordInfo& b = back.WordInfo[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(a.WdAsc, b.WdAsc);
        EXPECT_EQ(a.IsJpGcCtl, b.IsJpGcCtl);
        EXPECT_EQ(a.Yc, b.Yc);
        EXPECT_EQ(a.YG, b.YG);
        EXPECT_FLOAT_EQ(a.WdSpace, b.WdSpace);
        EXPECT_FLOAT_EQ(a.UpSpace, b.UpSpace);
        EXPECT_EQ(a.ShuPai.Number, b.ShuPai.Number);
        EXPECT_EQ(a.nLogFont.lfWeight, b.nLogFont.lfWeight);
        EXPECT_EQ(a.nLogFont.lfItalic, b.nLogFont.lfItalic);
        EXPECT_EQ(a.nLogFont.lfUnderline, b.nLogFont.lfUnderline);
        if (a.IsJpGcCtl != 3) {
            EXPECT_EQ(a.SelSize, b.SelSize);  // sizes survive whatever the DPI
            EXPECT_EQ(dadur::LogHeightForMilliPoints(a.SelSize * 1000, 120), b.nLogFont.lfHeight);
            EXPECT_EQ(a.cb == -1 ? -1 : a.cb, b.cb);
        }
        // Marks come back in slot order, packed into the first slots.
        std::vector<int32_t> codesA, codesB;
        for (int s = 0; s < 8; ++s) {
            if (a.ExtralWordInfo[s].IndexType) codesA.push_back(a.ExtralWordInfo[s].IndexType);
            if (b.ExtralWordInfo[s].IndexType) codesB.push_back(b.ExtralWordInfo[s].IndexType);
        }
        EXPECT_EQ(codesA, codesB);
    }
    // The second run of the adjacent stacks takes the first run's spacing.
    EXPECT_FLOAT_EQ(1.5f, back.WordInfo[7].ShuPai.Space);
    EXPECT_EQ("x,y", dadur::MarkText(back.WordInfo[4].ExtralWordInfo[1]));
    EXPECT_EQ(1, back.WordInfo[4].ExtralWordInfo[0].ExtralWordVal2);  // renumbered pair
    EXPECT_EQ(1, back.WordInfo[7].ExtralWordInfo[0].ExtralWordVal2);
    EXPECT_EQ(2, back.WordInfo[7].ExtralWordInfo[1].ExtralWordVal2);
    EXPECT_EQ(Gbk(u8"一"), dadur::MarkText(back.WordInfo[7].ExtralWordInfo[1]));
    EXPECT_EQ(2, back.WordInfo[8].ExtralWordInfo[0].ExtralWordVal2);
    EXPECT_FLOAT_EQ(75.0f, back.HwWordInfo[0].Width);
    EXPECT_FLOAT_EQ(60.0f, back.HwWordInfo[0].Height);
    EXPECT_EQ(std::string("kit 1"), reinterpret_cast<const char*>(back.XjDrum[0].DrumName));
    EXPECT_EQ(255, back.XjDrum[0].DrumRhythms[31]);
    EXPECT_EQ(2u, back.XjDrum.size());
    EXPECT_EQ(original.PageInfo.PageMarginRect.Top, back.PageInfo.PageMarginRect.Top);
    EXPECT_EQ(1.5f, back.PageInfo.nScale);
    EXPECT_EQ(0, back.PageInfo.PageFX);  // not stored
    EXPECT_EQ(24, back.PlayInfo.Track[1].ComSounds);
    EXPECT_EQ(2, back.PlayInfo.Track[1].tPlayOrder[1].BlockIndex);
    const std::string second = Write(back, system);
    EXPECT_EQ(second, Write(Read(system, second), system));
}

TEST(DaDurWriter, DefaultDocumentRoundTrip) {
    FakeDaDurSystem system;
    DaDurFile file(system);
    ASSERT_TRUE(file.ReadRtfFile(0, "").ok);
    const std::string first = Write(file.Data(), system);
    const JpData back = Read(system, first);
    const JpData& d = file.Data();
    EXPECT_EQ(0, std::memcmp(&d.FileInfo, &back.FileInfo, sizeof d.FileInfo));
    EXPECT_EQ(0, std::memcmp(&d.PageInfo, &back.PageInfo, sizeof d.PageInfo));
    ASSERT_EQ(d.WordInfo.size(), back.WordInfo.size());
    EXPECT_EQ(0, std::memcmp(d.WordInfo.data(), back.WordInfo.data(), d.WordInfo.size() * sizeof(aWordInfo)));
    EXPECT_EQ(d.ColorTbl, back.ColorTbl);
    EXPECT_EQ(0, std::memcmp(d.XjDrum.data(), back.XjDrum.data(), sizeof(XjDrumData)));
    EXPECT_EQ(0, std::memcmp(d.PlayInfo.Track.data(), back.PlayInfo.Track.data(), sizeof(aTrackInfo)));
    EXPECT_EQ(first, Write(back, system));
    // The document ends with a paragraph end: its paragraph lines end with a bare "\part".
    EXPECT_NE(std::string::npos, first.find("\\eex\\par\r\n\\part\r\n\\hwinfo"));
}

// A document read from DaDur, saved as ZoRiv and read back, writes the same
// DaDur bytes, at the screen zoom of 100 % and of 150 %.
TEST(DaDurWriter, SurvivesTheTripThroughZoRiv) {
    for (double zoom : {1.0, 1.5}) {
        FakeDaDurSystem system;
        system.zoom = zoom;
        const JpData first = Read(system, Write(EveryKindOfLine(), system));
        const std::string expected = Write(first, system);
        std::vector<uint8_t> zoriv;
        ASSERT_TRUE(FormatZoRiv(first, zoom, zoriv, nullptr).Ok());
        JpData back;
        const ZoRivStatus status = ParseZoRiv(zoriv, zoom, back, nullptr);
        ASSERT_TRUE(status.Ok()) << status.reason;
        EXPECT_EQ(expected, Write(back, system)) << "zoom " << zoom;
    }
}

TEST(DaDurWriter, PairsSharingAStoredNumberStayApart) {
    FakeDaDurSystem system;
    JpData d = EveryKindOfLine();
    d.WordInfo.resize(6);
    for (auto& w : d.WordInfo) std::fill(std::begin(w.ExtralWordInfo), std::end(w.ExtralWordInfo), aExtralWordInfo{});
    // Nested arcs both numbered 1 after a reload, a slide numbered 1 across them, then an end
    // with no start.
    SetMark(d.WordInfo[0], 0, 72, 0, 1);
    SetMark(d.WordInfo[0], 1, 146, 0, 1);
    SetMark(d.WordInfo[1], 0, 72, 0, 1);
    SetMark(d.WordInfo[2], 0, 73, 0, 1);
    SetMark(d.WordInfo[3], 0, 73, 0, 1);
    SetMark(d.WordInfo[4], 0, 147, 0, 1);
    SetMark(d.WordInfo[5], 0, 75, 0, 1);
    d.FileInfo.WordCount = 6;
    const JpData back = Read(system, Write(d, system));
    const auto v2 = [&](int i) { return back.WordInfo[i].ExtralWordInfo[0].ExtralWordVal2; };
    EXPECT_EQ(1, v2(0));
    EXPECT_EQ(2, back.WordInfo[0].ExtralWordInfo[1].ExtralWordVal2);
    EXPECT_EQ(3, v2(1));
    EXPECT_EQ(3, v2(2));  // the inner arc closes first
    EXPECT_EQ(1, v2(3));
    EXPECT_EQ(2, v2(4));
    EXPECT_EQ(0, v2(5));
}

TEST(DaDurWriter, ProgressOnlyWithAWindow) {
    FakeDaDurSystem system;
    const JpData d = EveryKindOfLine();
    Write(d, system, 0);
    EXPECT_TRUE(system.progress.empty());
    Write(d, system, 9);
    ASSERT_EQ(d.WordInfo.size(), system.progress.size());
    EXPECT_EQ(0, system.progress.front().second);
    EXPECT_EQ(92, system.progress.back().second);
}

TEST(DaDurFile, WritesReplaceTheFileOnlyOnSuccess) {
    FakeDaDurSystem system;
    DaDurFile file(system);
    ASSERT_TRUE(file.ReadRtfFile(0, "").ok);
    const auto dir = std::filesystem::temp_directory_path() / "dadur_write_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto target = dir / "song.DaDur";
    { std::ofstream(target, std::ios::binary) << "old"; }

    ASSERT_TRUE(file.WriteRtfFile(target, 0).ok);
    const std::string saved = Slurp(target);
    EXPECT_EQ(Write(file.Data(), system), saved);
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir), {}));

    // A write that cannot complete reports failure and leaves the saved file.
    std::filesystem::permissions(target,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(kErrReadOnly, file.WriteRtfFile(target, 0).number);
    EXPECT_EQ(saved, Slurp(target));
    std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_EQ(kErrPathNotFound, file.WriteRtfFile(dir / "missing" / "x.DaDur", 0).number);

    DaDurFile again(system);
    ASSERT_TRUE(again.ReadRtfFile(0, target).ok);
    EXPECT_EQ(12, again.Data().FileInfo.WordCount);
    EXPECT_EQ("x,y", [&] {
        JpData d = EveryKindOfLine();
        again.LetJpData(d);
        return again.SetV3ArrToStr(4, 2);
    }());
    EXPECT_EQ("", again.SetV3ArrToStr(4, 8));
    EXPECT_EQ("", again.SetV3ArrToStr(400, 0));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tessaly
