#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "ZoRivFormat.h"

namespace tessaly {
namespace {

const std::string kNotation = "Tolvane";
const std::string kSongTi = "\xCB\xCE\xCC\xE5";  // 宋体

struct Recorder : ProgressSink {
    std::vector<int32_t> steps;
    void Progress(int32_t percent) override { steps.push_back(percent); }
};

aWordInfo Word(int16_t code, int16_t font, int16_t cf, int16_t cb = -1) {
    aWordInfo w;
    w.WdAsc = code;
    w.nLogFont.FontTblIndex = font;
    w.nLogFont.lfHeight = -20;
    w.nLogFont.lfWeight = 400;
    w.cf = cf;
    w.cb = cb;
    w.IsJpGcCtl = 1;
    return w;
}

aWordInfo ParagraphEnd(int32_t spacing) {
    aWordInfo w = Word(45, 0, 0);
    w.IsJpGcCtl = 3;
    w.ExtralWordInfo[0] = {155, 1, 0, {}};
    w.ExtralWordInfo[1] = {159, spacing, 0, {}};
    w.ExtralWordInfo[2] = {160, 30, 0, {}};
    return w;
}

// Two used fonts, one used colour besides the page colour; one track.
JpData SmallDocument() {
    JpData d;
    d.FileInfo.DaDurVer = 1;
    d.FileInfo.CMScale = 1;
    d.FileInfo.BaseFontTblIndex = 0;
    d.FileInfo.deffFont = 1;
    d.FileInfo.m_cb = 1;
    d.FontTbl = {{kNotation, 2, 14, 4}, {kSongTi, 134, 15, 2}};
    d.FileInfo.FontTblCount = 2;
    d.ColorTbl = {0x00000000, 0x00FFFFFF};
    d.FileInfo.ColorTblCount = 2;
    d.WordInfo = {Word('1', 0, 0), ParagraphEnd(25)};
    d.FileInfo.WordCount = 2;
    d.PageInfo.nScale = 1;
    d.PageInfo.PageMarginRect = {20, 25, 20, 25};
    d.PageInfo.PageSize = {210, 297};
    aTrackInfo t;
    t.Volume = 100;
    t.IsUser = kTrue;
    t.tPlayOrder[0] = {1, kTrue};
    t.DelayTimer = 2;
    t.XjCount = 8;
    d.PlayInfo.Track = {t};
    d.PlayInfo.TotalTrack = 1;
    d.PlayInfo.MainTrack = 1;
    d.PlayInfo.Bpm = 90;
    d.PlayInfo.JiePai = 3;
    return d;
}

std::vector<uint8_t> Format(const JpData& d, double zoom = 1.0) {
    std::vector<uint8_t> bytes;
    const ZoRivStatus s = FormatZoRiv(d, zoom, bytes, nullptr);
    EXPECT_TRUE(s.Ok()) << s.reason;
    return bytes;
}

JpData Parse(const std::vector<uint8_t>& bytes, double zoom = 1.0) {
    JpData d;
    const ZoRivStatus s = ParseZoRiv(bytes, zoom, d, nullptr);
    EXPECT_TRUE(s.Ok()) << s.reason;
    return d;
}

std::string Hex(const std::vector<uint8_t>& bytes, size_t from, size_t n) {
    std::string s;
    char buf[4];
    for (size_t i = from; i < from + n && i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02x", bytes[i]);
        s += buf;
    }
    return s;
}

// Expected bytes in hex, a space between fields.
std::string Packed(std::string fields) {
    std::erase(fields, ' ');
    return fields;
}

int32_t LongAt(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24);
}
float SingleAt(const std::vector<uint8_t>& b, size_t at) {
    const int32_t v = LongAt(b, at);
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}

// Where the records of SmallDocument lie in its file.
constexpr size_t kFonts = 27 + 34 + 10 + 154 + 10;
constexpr size_t kColours = kFonts + (2 + 7 + 9) + (2 + 4 + 9);
constexpr size_t kWords = kColours + 2 * 4;
constexpr size_t kTracks = kWords + 2 * 304;

TEST(ZoRivFormat, GoldenBytesOfASmallDocument) {
    const std::vector<uint8_t> b = Format(SmallDocument());
    ASSERT_EQ(kTracks + 154, b.size());
    // Header: version, default font, scale, notation font, page colour, counts.
    EXPECT_EQ(Packed("01 0100 0100 0000 0100 0200 0200 02000000 00000000 00000000 0000"), Hex(b, 0, 27));
    // Page setup: background, number position and size, scale 1.0, margins, paper, size, orientation.
    EXPECT_EQ(Packed("00 00 0000 0000803f 14000000 19000000 14000000 19000000 00 d2000000 29010000 00"),
              Hex(b, 27, 34));
    // Track array descriptor, then the track.
    EXPECT_EQ(Packed("0100 01000000 00000000"), Hex(b, 61, 10));
    EXPECT_EQ(Packed("64 00 00 00 ffff 01 ffff 00 0000"), Hex(b, 71, 12));
    EXPECT_EQ(Packed("0200 0800"), Hex(b, 71 + 150, 4));
    EXPECT_EQ(Packed("01 01 5a00 0000 00 03 0000"), Hex(b, 225, 10));
    // Font table: name length and bytes, charset, octave-dot and duration-line positions.
    EXPECT_EQ(Packed("0700 546f6c76616e65 02 00006041 00008040"), Hex(b, kFonts, 18));
    EXPECT_EQ(Packed("0400 cbcecce5 86 00007041 00000040"), Hex(b, kFonts + 18, 15));
    EXPECT_EQ(Packed("00000000 ffffff00"), Hex(b, kColours, 8));
    // The first character: code, then the font part and kind at the end of its 304 bytes.
    EXPECT_EQ("3100", Hex(b, kWords, 2));
    EXPECT_EQ(Packed("0000 ffff 0000 ecffffff"), Hex(b, kWords + 270, 10));
    EXPECT_EQ("90010000", Hex(b, kWords + 292, 4));
    EXPECT_EQ("01", Hex(b, kWords + 303, 1));
    // The paragraph end's slot 1 holds mark 159 with its spacing.
    EXPECT_EQ(Packed("9f000000 19000000"), Hex(b, kWords + 304 + 46 + 28, 8));
    // The tracks again at the end, the same bytes.
    EXPECT_EQ(Hex(b, 71, 154), Hex(b, kTracks, 154));
}

TEST(ZoRivFormat, EveryFieldSurvivesAWriteAndARead) {
    JpData d = SmallDocument();
    d.FontTbl.push_back({"arial", 134, 15.5f, 3});
    d.FileInfo.FontTblCount = 3;
    d.ColorTbl.push_back(0xFF0000FF);
    d.FileInfo.ColorTblCount = 3;
    aWordInfo w = Word(static_cast<int16_t>(0xCBCE), 2, 2, 0);
    w.WdSize = {12.5f, 20.25f};
    w.SelSize = 10.5f;
    w.WdSpace = 3;
    w.UpSpace = -2.5f;
    w.ShuPai = {4, -2};
    w.Yc = 5;
    w.YG = 6;
    w.Left = 1;
    w.Top = 2;
    w.Right = 3;
    w.Bottom = 4;
    for (int s = 0; s < 8; ++s) {
        w.ExtralWordInfo[s] = {s + 1, -s, 1000 * s, {}};
        for (int k = 0; k < 16; ++k) w.ExtralWordInfo[s].ExtralWordVal3[k] = static_cast<uint8_t>(s * 16 + k + 1);
    }
    w.nLogFont = {2, -27, 1, 2, 3, 700, 1, 1, 1, 3, 2, 2, 49};
    d.WordInfo.insert(d.WordInfo.begin() + 1, w);
    d.FileInfo.WordCount = 3;
    d.FileInfo.QiLuoBianHao = 7;
    d.FileInfo.XjCount = 12;
    d.HwWordInfo = {{1, 3, 2, 10, 20, 30, 40}, {0, 1, 0, 1.5f, 2.5f, 3.5f, 4.5f}};
    d.FileInfo.HwWordCount = 2;
    XjDrumData drum;
    for (size_t k = 0; k < sizeof drum; ++k) reinterpret_cast<uint8_t*>(&drum)[k] = static_cast<uint8_t>(k * 7);
    d.XjDrum = {drum, XjDrumData{}};
    d.PlayInfo.XjDrumCount = 2;
    d.PlayInfo.Track.push_back(d.PlayInfo.Track[0]);
    d.PlayInfo.Track[1].tPlayOrder[47] = {47, kTrue};
    d.PlayInfo.TotalTrack = 2;
    d.PlayInfo.MainTrack = 1;
    d.PlayInfo.IsPlayDrum = kTrue;
    d.PlayInfo.DrumVolume = 90;
    d.PageInfo = {5, 2, 12, 1.25f, {1, 2, 3, 4}, 3, {300, 400}, 1};

    const std::vector<uint8_t> bytes = Format(d);
    const JpData r = Parse(bytes);
    // Everything is in use, so the tables come back as they went.
    EXPECT_EQ(bytes, Format(r));
    ASSERT_EQ(3u, r.WordInfo.size());
    // The sixteen text bytes of every slot, and the patterns byte for byte.
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(0,
                  std::memcmp(r.WordInfo[1].ExtralWordInfo[s].ExtralWordVal3, w.ExtralWordInfo[s].ExtralWordVal3, 16));
    ASSERT_EQ(2u, r.XjDrum.size());
    EXPECT_EQ(0, std::memcmp(&drum, &r.XjDrum[0], sizeof drum));
    EXPECT_EQ(47, r.PlayInfo.Track[1].tPlayOrder[47].BlockIndex);
}

TEST(ZoRivFormat, NoItemsAndNoDrumsWriteNothingForThem) {
    const JpData d = SmallDocument();
    EXPECT_EQ(kTracks + 154, Format(d).size());
    const JpData r = Parse(Format(d));
    EXPECT_TRUE(r.HwWordInfo.empty());
    EXPECT_TRUE(r.XjDrum.empty());

    // Patterns the array lacks are written as zeros.
    JpData drums = SmallDocument();
    drums.PlayInfo.XjDrumCount = 2;
    drums.XjDrum.resize(1);
    drums.XjDrum[0].DrumVer = 3;
    const JpData back = Parse(Format(drums));
    ASSERT_EQ(2u, back.XjDrum.size());
    EXPECT_EQ(3, back.XjDrum[0].DrumVer);
    const XjDrumData zero{};
    EXPECT_EQ(0, std::memcmp(&zero, &back.XjDrum[1], sizeof zero));
}

TEST(ZoRivFormat, UnusedFontsAndColoursAreDroppedAndIndexesFollow) {
    JpData d = SmallDocument();
    // 0 notation, 1 宋体 (kept unused), 2 unused, 3 used with capitals, 4 used in other case.
    // A second colour value is written once, its indexes going to the first; a face keeps its spelling.
    d.FontTbl = {{kNotation, 0, 14, 4},
                 {kSongTi, 0, 15, 2},
                 {"unused", 0, 15, 3},
                 {"Arial", 0, 2.25f, 2.35f},
                 {"ARIAL", 0, 1, 1}};
    d.FileInfo.FontTblCount = 5;
    d.FileInfo.deffFont = 3;
    // 0 unused, 1 page, 2 item, 3 background, 4 same value as 3, 5 character.
    d.ColorTbl = {0xAA, 0xBB, 0xCC, 0xDD, 0xDD, 0xEE};
    d.FileInfo.ColorTblCount = 6;
    d.FileInfo.m_cb = 1;
    d.WordInfo = {Word('1', 0, 5), Word('a', 3, 5, 4), Word('b', 4, 5, 3), Word('c', 0, 5, -1)};
    d.FileInfo.WordCount = 4;
    d.HwWordInfo = {{0, 1, 2, 0, 0, 0, 0}};
    d.FileInfo.HwWordCount = 1;

    const JpData r = Parse(Format(d));
    ASSERT_EQ(4u, r.FontTbl.size());
    EXPECT_EQ(kNotation, r.FontTbl[0].FontName);
    EXPECT_EQ(2, r.FontTbl[0].fcharset);
    EXPECT_EQ(kSongTi, r.FontTbl[1].FontName);
    EXPECT_EQ(134, r.FontTbl[1].fcharset);
    EXPECT_EQ("Arial", r.FontTbl[2].FontName);
    EXPECT_FLOAT_EQ(2.2f, r.FontTbl[2].hYg);  // one decimal, halves to even
    EXPECT_FLOAT_EQ(2.3f, r.FontTbl[2].hYc);
    EXPECT_EQ("ARIAL", r.FontTbl[3].FontName);
    EXPECT_EQ(4, r.FileInfo.FontTblCount);
    EXPECT_EQ(2, r.FileInfo.deffFont);
    EXPECT_EQ(0, r.FileInfo.BaseFontTblIndex);
    EXPECT_EQ(2, r.WordInfo[1].nLogFont.FontTblIndex);
    EXPECT_EQ(3, r.WordInfo[2].nLogFont.FontTblIndex);

    EXPECT_EQ((std::vector<uint32_t>{0xBB, 0xCC, 0xDD, 0xEE}), r.ColorTbl);  // one 0xDD
    EXPECT_EQ(0, r.FileInfo.m_cb);
    EXPECT_EQ(1, r.HwWordInfo[0].cf);
    EXPECT_EQ(3, r.WordInfo[0].cf);
    EXPECT_EQ(2, r.WordInfo[1].cb);  // 0xDD at 4 goes to the first 0xDD
    EXPECT_EQ(2, r.WordInfo[2].cb);
    EXPECT_EQ(-1, r.WordInfo[3].cb);  // no background stays none

    // The editor's document is not touched.
    EXPECT_EQ(5u, d.FontTbl.size());
    EXPECT_EQ(3, d.WordInfo[1].nLogFont.FontTblIndex);
}

TEST(ZoRivFormat, FontNamesCompareWithoutCaseButKeepDoubleByteCharacters) {
    EXPECT_TRUE(SameFontName("Arial", "aRIAL"));
    EXPECT_FALSE(SameFontName("Arial", "Arial "));
    // 0x81 0x41 and 0x81 0x61 are two different characters, not one in two cases.
    EXPECT_FALSE(SameFontName("\x81\x41", "\x81\x61"));
    EXPECT_TRUE(SameFontName("x\x81\x41Y", "X\x81\x41y"));
}

TEST(ZoRivFormat, SpacingsAreStoredAt96DpiAndParagraphSpacingIsNot) {
    JpData d = SmallDocument();
    d.WordInfo[0].WdSpace = 15;
    d.WordInfo[0].UpSpace = 3;
    d.WordInfo[0].ShuPai.Space = 4.5f;
    d.WordInfo[0].ExtralWordInfo[0] = {159, 30, 0, {}};  // not a paragraph end: as it is anyway
    const std::vector<uint8_t> b = Format(d, 1.5);
    EXPECT_FLOAT_EQ(10, SingleAt(b, kWords + 14));
    EXPECT_FLOAT_EQ(2, SingleAt(b, kWords + 18));
    EXPECT_FLOAT_EQ(3, SingleAt(b, kWords + 22));
    EXPECT_EQ(25, LongAt(b, kWords + 304 + 46 + 28 + 4));
    EXPECT_EQ(30, LongAt(b, kWords + 304 + 46 + 2 * 28 + 4));

    const JpData same = Parse(b, 1.5);
    EXPECT_FLOAT_EQ(15, same.WordInfo[0].WdSpace);
    EXPECT_FLOAT_EQ(3, same.WordInfo[0].UpSpace);
    EXPECT_FLOAT_EQ(4.5f, same.WordInfo[0].ShuPai.Space);
    EXPECT_EQ(25, same.WordInfo[1].ExtralWordInfo[1].ExtralWordVal1);
    EXPECT_EQ(30, same.WordInfo[0].ExtralWordInfo[0].ExtralWordVal1);
    const JpData plain = Parse(b, 1.0);
    EXPECT_FLOAT_EQ(10, plain.WordInfo[0].WdSpace);
    EXPECT_EQ(25, plain.WordInfo[1].ExtralWordInfo[1].ExtralWordVal1);

    // Saving again and again at 150 % changes nothing.
    JpData again = same;
    for (int i = 0; i < 3; ++i) again = Parse(Format(again, 1.5), 1.5);
    EXPECT_EQ(Format(same, 1.5), Format(again, 1.5));
}

// A single may come back one unit in the last place off, once: a second save keeps it, so
// nothing drifts. At 100 %, 150 % and 200 % quarters of a pixel come back exactly.
TEST(ZoRivFormat, SpacingsSurviveSavesAtEveryCommonZoom) {
    constexpr int kCount = 4000;
    for (double zoom : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5}) {
        JpData d = SmallDocument();
        d.WordInfo.assign(kCount, Word('1', 0, 0));
        d.FileInfo.WordCount = kCount;
        for (int i = 0; i < kCount; ++i) {
            d.WordInfo[i].WdSpace = static_cast<float>(i * 0.25 - 500);
            d.WordInfo[i].UpSpace = static_cast<float>(i * zoom);
            d.WordInfo[i].ShuPai.Space = static_cast<float>(i * 0.1) / 7;
        }
        const bool exact = zoom == 1.0 || zoom == 1.5 || zoom == 2.0;
        const JpData once = Parse(Format(d, zoom), zoom);
        const JpData twice = Parse(Format(once, zoom), zoom);
        for (int i = 0; i < kCount; ++i) {
            const aWordInfo &a = d.WordInfo[i], &b = once.WordInfo[i], &c = twice.WordInfo[i];
            for (auto field : {&aWordInfo::WdSpace, &aWordInfo::UpSpace}) {
                const float x = a.*field, y = b.*field;
                if (exact) {
                    ASSERT_EQ(x, y) << zoom << " " << i;
                }
                ASSERT_TRUE(x == y || std::nextafter(x, y) == y) << zoom << " " << i;
                ASSERT_EQ(y, c.*field) << zoom << " " << i;
            }
            const float x = a.ShuPai.Space, y = b.ShuPai.Space;
            ASSERT_TRUE(x == y || std::nextafter(x, y) == y) << zoom << " " << i;
            ASSERT_EQ(y, c.ShuPai.Space) << zoom << " " << i;
        }
    }
}

TEST(ZoRivFormat, TheTracksAtTheEndAreTheOnesKept) {
    std::vector<uint8_t> b = Format(SmallDocument());
    b[kTracks] = 77;  // Volume in the second copy
    const JpData r = Parse(b);
    ASSERT_EQ(1u, r.PlayInfo.Track.size());
    EXPECT_EQ(77, r.PlayInfo.Track[0].Volume);

    // Without tracks the array of the play settings stays as it was read.
    JpData none = SmallDocument();
    none.PlayInfo.TotalTrack = 0;
    const std::vector<uint8_t> nb = Format(none);
    EXPECT_EQ(kTracks, nb.size());
    EXPECT_EQ(1u, Parse(nb).PlayInfo.Track.size());
}

TEST(ZoRivFormat, ProgressStepsOfReadingAndFormatting) {
    Recorder read, write;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(FormatZoRiv(SmallDocument(), 1, bytes, &write).Ok());
    EXPECT_EQ((std::vector<int32_t>{10, 12, 15, 20, 25, 60, 65, 85}), write.steps);
    JpData d;
    ASSERT_TRUE(ParseZoRiv(bytes, 1, d, &read).Ok());
    EXPECT_EQ((std::vector<int32_t>{5, 8, 10, 20, 30, 60, 70, 80, 99}), read.steps);
}

TEST(ZoRivFormat, EveryTruncatedFileIsRefusedAndTheDocumentKept) {
    JpData full = SmallDocument();
    full.HwWordInfo = {{0, 1, 0, 1, 2, 3, 4}};
    full.FileInfo.HwWordCount = 1;
    full.XjDrum.resize(1);
    full.PlayInfo.XjDrumCount = 1;
    const std::vector<uint8_t> b = Format(full);
    for (size_t n = 0; n < b.size(); ++n) {
        JpData kept = SmallDocument();
        kept.FileInfo.XjCount = 99;
        const ZoRivStatus s = ParseZoRiv(std::span(b.data(), n), 1, kept, nullptr);
        ASSERT_FALSE(s.Ok()) << n;
        EXPECT_EQ(kErrPastEnd, s.number) << n;
        ASSERT_EQ(99, kept.FileInfo.XjCount);
        ASSERT_EQ(2u, kept.WordInfo.size());
    }
    // Bytes after the last track are ignored.
    std::vector<uint8_t> longer = b;
    longer.resize(b.size() + 50, 0xEE);
    EXPECT_EQ(b, Format(Parse(longer)));
}

TEST(ZoRivFormat, CorruptCountsAreRefusedBeforeAnythingIsAllocated) {
    const std::vector<uint8_t> good = Format(SmallDocument());
    const auto patched = [&](size_t at, std::vector<uint8_t> value) {
        std::vector<uint8_t> b = good;
        std::copy(value.begin(), value.end(), b.begin() + at);
        JpData d;
        return ParseZoRiv(b, 1, d, nullptr).number;
    };
    EXPECT_EQ(kErrPastEnd, patched(13, {0xFF, 0xFF, 0xFF, 0x7F}));  // WordCount 2^31 - 1
    EXPECT_EQ(kErrBadFileFormat, patched(13, {0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(kErrBadFileFormat, patched(9, {0xFF, 0xFF}));         // FontTblCount -1
    EXPECT_EQ(kErrPastEnd, patched(11, {0xFF, 0x7F}));              // ColorTblCount 32767
    EXPECT_EQ(kErrPastEnd, patched(17, {0x00, 0x00, 0x00, 0x40}));  // HwWordCount
    EXPECT_EQ(kErrBadFileFormat, patched(61, {0x02, 0x00}));        // two-dimensional tracks
    EXPECT_EQ(kErrPastEnd, patched(63, {0x00, 0x00, 0x00, 0x10}));  // track count
    EXPECT_EQ(kErrBadFileFormat, patched(63, {0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(kErrPastEnd, patched(233, {0xFF, 0x7F}));     // XjDrumCount
    EXPECT_EQ(kErrPastEnd, patched(kFonts, {0xFF, 0x7F}));  // name length
    EXPECT_EQ(kErrBadFileFormat, patched(kFonts, {0x00, 0x80}));
    EXPECT_EQ(kErrPastEnd, patched(225, {0xFF}));  // TotalTrack 255
    // A negative count of items or patterns means none, as when writing.
    EXPECT_EQ(0, patched(17, {0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(ZoRivFormat, WritingRefusesCountsBeyondTheArrays) {
    JpData d = SmallDocument();
    d.FileInfo.WordCount = 3;
    std::vector<uint8_t> out{1, 2, 3};
    EXPECT_EQ(kErrSubscript, FormatZoRiv(d, 1, out, nullptr).number);
    EXPECT_EQ(3u, out.size());
    d = SmallDocument();
    d.PlayInfo.TotalTrack = 2;
    EXPECT_EQ(kErrSubscript, FormatZoRiv(d, 1, out, nullptr).number);
    d = SmallDocument();
    d.FileInfo.HwWordCount = 1;
    EXPECT_EQ(kErrSubscript, FormatZoRiv(d, 1, out, nullptr).number);
    // Fewer counted characters than held: only the counted ones are written.
    d = SmallDocument();
    d.FileInfo.WordCount = 1;
    EXPECT_EQ(1u, Parse(Format(d)).WordInfo.size());
}

// ---- files

class ZoRivFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zoriv-test-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path Name(const char8_t* leaf) const { return folder_ / leaf; }
    size_t FilesInFolder() const {
        return static_cast<size_t>(
            std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()));
    }
    std::filesystem::path folder_;
};

TEST_F(ZoRivFiles, AMissingFileIsNamedInTheRefusal) {
    JpData d = SmallDocument();
    const auto name = Name(u8"没有.ZoRiv");
    const ZoRivStatus s = ReadZoRivFile(name, 1, d, nullptr);
    EXPECT_EQ(kErrFileNotFound, s.number);
    const std::u8string text = u8"文件未找到: " + name.u8string();
    EXPECT_EQ(std::string(text.begin(), text.end()), s.reason);
    EXPECT_EQ(2u, d.WordInfo.size());
    // A folder of that name is no file either.
    std::filesystem::create_directory(name);
    EXPECT_EQ(kErrFileNotFound, ReadZoRivFile(name, 1, d, nullptr).number);
}

TEST_F(ZoRivFiles, ASaveReplacesALongerFileWhole) {
    const auto name = Name(u8"歌曲.ZoRiv");
    { std::ofstream(name, std::ios::binary) << std::string(5000, 'x'); }
    Recorder progress;
    ASSERT_TRUE(WriteZoRivFile(name, SmallDocument(), 1, &progress).Ok());
    EXPECT_EQ((std::vector<int32_t>{5, 10, 12, 15, 20, 25, 60, 65, 85, 99}), progress.steps);
    EXPECT_EQ(Format(SmallDocument()).size(), std::filesystem::file_size(name));
    EXPECT_EQ(1u, FilesInFolder());
    JpData d;
    ASSERT_TRUE(ReadZoRivFile(name, 1, d, nullptr).Ok());
    EXPECT_EQ(Format(SmallDocument()), Format(d));
}

TEST_F(ZoRivFiles, AFailedSaveLeavesTheOldFileAndNoTemporary) {
    const auto name = Name(u8"old.ZoRiv");
    ASSERT_TRUE(WriteZoRivFile(name, SmallDocument(), 1, nullptr).Ok());
    const auto before = std::filesystem::file_size(name);
    JpData bad = SmallDocument();
    bad.FileInfo.WordCount = 10;
    Recorder progress;
    EXPECT_EQ(kErrSubscript, WriteZoRivFile(name, bad, 1, &progress).number);
    EXPECT_EQ(before, std::filesystem::file_size(name));
    EXPECT_EQ(1u, FilesInFolder());
    EXPECT_TRUE(std::find(progress.steps.begin(), progress.steps.end(), 99) == progress.steps.end());

    const ZoRivStatus s = WriteZoRivFile(Name(u8"no/such/folder.ZoRiv"), SmallDocument(), 1, nullptr);
    EXPECT_EQ(kErrPathNotFound, s.number);
    EXPECT_EQ(0u, s.reason.find("路径未找到: ")) << s.reason;
}

// The file is read in pieces (its head again in a larger one when it does not fit the first, its
// characters a megabyte at a time): it reads as its bytes parsed whole, and every cut is refused.
TEST_F(ZoRivFiles, AFileReadInPiecesReadsAsItsBytesWhole) {
    JpData big = SmallDocument();
    for (int k = 0; k < 40; ++k)  // faces of 30,000 bytes: over a megabyte before the characters
        big.FontTbl.push_back({std::string(30000, static_cast<char>('a' + k % 26)) + std::to_string(k), 134, 15, 3});
    big.FileInfo.FontTblCount = static_cast<int16_t>(big.FontTbl.size());
    big.WordInfo.clear();
    for (int i = 0; i < 12000; ++i)
        big.WordInfo.push_back(i % 50 == 49 ? ParagraphEnd(25)
                                            : Word(static_cast<int16_t>('1' + i % 7), 2 + i % 40, 0));
    big.FileInfo.WordCount = static_cast<int32_t>(big.WordInfo.size());
    const std::vector<uint8_t> bytes = Format(big, 1.25);
    ASSERT_GT(bytes.size(), size_t{4} << 20);
    JpData whole;
    ASSERT_TRUE(ParseZoRiv(bytes, 1.25, whole, nullptr).Ok());

    const auto name = Name(u8"大.ZoRiv");
    const auto write = [&](size_t n) {
        std::ofstream file(name, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(n));
    };
    write(bytes.size());
    Recorder progress;
    JpData read;
    ASSERT_TRUE(ReadZoRivFile(name, 1.25, read, &progress).Ok());
    EXPECT_EQ(Format(whole), Format(read));
    EXPECT_EQ(12000u, read.WordInfo.size());
    EXPECT_EQ(42u, read.FontTbl.size());
    EXPECT_EQ(99, progress.steps.back());

    for (size_t cut : {size_t{0}, size_t{100}, size_t{1} << 20, size_t{1100000}, size_t{2} << 20, size_t{3} << 20,
                       bytes.size() - 155, bytes.size() - 1}) {
        write(cut);
        JpData kept = SmallDocument();
        EXPECT_EQ(kErrPastEnd, ReadZoRivFile(name, 1.25, kept, nullptr).number) << cut;
        EXPECT_EQ(2u, kept.WordInfo.size()) << cut;
    }
}

}  // namespace
}  // namespace tessaly
