#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "DaDurTestUtil.h"
#include "DrumPatterns.h"

namespace tessaly {
namespace {

using test::Gbk;

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

XjDrumData Named(uint8_t ver) {
    XjDrumData r;
    r.DrumVer = ver;
    return r;
}

TEST(DrumPatterns, BitFieldsFollowTheStoredLayout) {
    std::vector<XjDrumData> records(1);
    分析鼓点 d;
    d.ViewRecords(records.data(), 1);
    records[0].DrumChannel = 0x80;
    EXPECT_TRUE(d.DrumChannel(0, 0));
    for (int ch = 1; ch < 8; ++ch) EXPECT_FALSE(d.DrumChannel(0, ch));
    records[0].DrumChannel = 0x01;
    EXPECT_TRUE(d.DrumChannel(0, 7));
    EXPECT_FALSE(d.DrumChannel(0, 0));

    d.DrumRhythms(0, 9, 2, true);
    EXPECT_EQ(records[0].DrumRhythms[9], 0x40);  // in place, caller memory
    EXPECT_TRUE(d.DrumRhythms(0, 9, 2));
    d.DrumRhythms(0, 9, 2, true);
    EXPECT_EQ(records[0].DrumRhythms[9], 0x40);
    d.DrumRhythms(0, 9, 2, false);
    EXPECT_EQ(records[0].DrumRhythms[9], 0);
    d.DrumChannel(0, 3, true);
    EXPECT_EQ(records[0].DrumChannel, 0x11);

    // Out-of-range arguments read as nothing and write nothing.
    EXPECT_FALSE(d.DrumRhythms(0, 32, 0));
    EXPECT_FALSE(d.DrumChannel(1, 0));
    d.DrumVolume(0, 8, 5);
    d.DrumVolume(1, 0, 5);
    EXPECT_EQ(d.DrumVolume(0, 8), 0);
    const XjDrumData blank;
    records[0].DrumChannel = 0;
    records[0].DrumRhythms[9] = 0;
    EXPECT_EQ(std::memcmp(&records[0], &blank, sizeof blank), 0);
}

TEST(DrumPatterns, WholeValueFields) {
    std::vector<XjDrumData> records(2);
    分析鼓点 d;
    d.ViewRecords(records.data(), 2);
    d.BeginSelStart(1, -2);
    EXPECT_EQ(records[1].BeginSelStart[0], 0xFE);
    EXPECT_EQ(records[1].BeginSelStart[1], 0xFF);
    EXPECT_EQ(d.BeginSelStart(1), -2);
    d.XJLong(1, 0, 0x04030201);
    EXPECT_EQ(records[1].XJLong[0], 1);
    EXPECT_EQ(records[1].XJLong[3], 4);
    EXPECT_EQ(d.XJLong(1, 1), static_cast<int32_t>(0xFE040302u));  // reaches into BeginSelStart
    d.sTimetmp(1, 1, 9);
    EXPECT_EQ(records[1].sTimetmp2[1], 9);
    EXPECT_EQ(d.XJLong(1, 3) & 0xFF, 4);
    EXPECT_EQ(d.DrumAddress(1), &records[1]);
}

TEST(DrumPatterns, NamesAreGbkAndCutAtACharacter) {
    分析鼓点 d;
    d.AddLastNullDrumData();
    EXPECT_EQ(d.DrumName(0), Gbk(u8"未命名"));
    d.DrumName(0, Gbk(u8"摇滚节奏鼓点"));
    const XjDrumData r = d.DrumArrData()[0];
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.DrumName), 12), Gbk(u8"摇滚节奏鼓点"));
    for (int i = 12; i < 32; ++i) EXPECT_EQ(r.DrumName[i], 0);
    EXPECT_EQ(d.DrumName(0), Gbk(u8"摇滚节奏鼓点"));

    // 33 bytes: a one-byte lead then 16 Chinese characters; the last one does not fit.
    const std::string lead = "a";
    d.DrumName(0, lead + Gbk(u8"一二三四五六七八九十一二三四五六"));
    EXPECT_EQ(d.DrumName(0), lead + Gbk(u8"一二三四五六七八九十一二三四五"));
    d.DrumName(0, "  x y  ");
    EXPECT_EQ(d.DrumName(0), "x y");
}

TEST(DrumPatterns, MetreTable) {
    std::vector<XjDrumData> records(1);
    分析鼓点 d;
    d.ViewRecords(records.data(), 1);
    std::string text;
    records[0].DrumTimeSignature = 6;
    EXPECT_EQ(d.DrumTime(0, &text), 12);
    EXPECT_EQ(text, "6/8");
    records[0].DrumTimeSignature = 10;
    EXPECT_EQ(d.DrumTime(0, &text), 1);
    EXPECT_EQ(text, Gbk(u8"自定义"));
    records[0].DrumTimeSignature = 11;
    EXPECT_EQ(d.DrumTime(0, &text), 10);
    EXPECT_EQ(text, "2/4");
    records[0].DrumTimeSignature = 9;
    EXPECT_EQ(d.DrumTime(0), 24);
}

TEST(DrumPatterns, AddDeleteAndCover) {
    分析鼓点 d;
    d.DrumArrData({Named(1), Named(2), Named(3)});
    d.AddDrumData(0, Named(9));
    ASSERT_EQ(d.DrumCount(), 4);
    EXPECT_EQ(d.DrumVer(0), 9);
    EXPECT_EQ(d.DrumVer(1), 1);
    EXPECT_EQ(d.DrumVer(3), 3);
    d.AddDrumData(5, Named(8));  // past the end: appended
    EXPECT_EQ(d.DrumCount(), 5);
    EXPECT_EQ(d.DrumVer(4), 8);

    EXPECT_TRUE(d.DelDrumData(1));
    EXPECT_EQ(d.DrumVer(1), 2);
    EXPECT_TRUE(d.DelDrumData(3));  // the last record may go too
    EXPECT_EQ(d.DrumCount(), 3);
    EXPECT_FALSE(d.DelDrumData(3));
    EXPECT_TRUE(d.CoverDrumData(2, Named(7)));
    EXPECT_FALSE(d.CoverDrumData(3, Named(7)));
    EXPECT_EQ(d.DrumVer(2), 7);

    EXPECT_TRUE(d.DelLastDrumData());
    EXPECT_TRUE(d.DelLastDrumData());
    EXPECT_TRUE(d.DelLastDrumData());
    EXPECT_FALSE(d.DelLastDrumData());
    EXPECT_EQ(d.DrumCount(), 0);
    EXPECT_TRUE(d.DrumArrData().empty());
}

TEST(DrumPatterns, CountAndViewsFollowTheRecords) {
    std::vector<XjDrumData> caller(3);
    分析鼓点 d;
    d.ViewRecords(caller.data(), 3);
    d.DrumSpeed(2, 90);
    EXPECT_EQ(caller[2].DrumSpeed, 90);
    d.AddLastNullDrumData();  // back to the own records
    d.DrumSpeed(0, 80);
    EXPECT_EQ(caller[0].DrumSpeed, 0);
    d.DrumCount(2);
    EXPECT_EQ(d.DrumArrData().size(), 3u);
    EXPECT_EQ(d.DrumSpeed(0), 80);

    // More patterns than a 16-bit byte count could hold.
    d.DrumArrData(std::vector<XjDrumData>(400));
    EXPECT_EQ(d.DrumCount(), 400);
    d.DrumSpeed(399, 60);
    EXPECT_EQ(d.DrumArrData()[399].DrumSpeed, 60);
}

TEST(DrumPatterns, DefaultPattern) {
    分析鼓点 d;
    d.AddLastNullDrumData();
    d.BarsOfSong(0, 5);
    d.DefDrumData(0);
    EXPECT_EQ(d.DrumName(0), Gbk(u8"默认值"));
    EXPECT_EQ(d.DrumTime(0), 16);
    EXPECT_EQ(d.DrumSpeed(0), 120);
    EXPECT_EQ(d.HaveDrum(0), 1);
    EXPECT_EQ(d.BarsOfSong(0), 5);
    for (int ch = 0; ch < 8; ++ch) {
        EXPECT_TRUE(d.DrumChannel(0, ch));
        EXPECT_EQ(d.DrumVolume(0, ch), 100);
        EXPECT_EQ(d.DrumSounds(0, ch), 22);
        EXPECT_EQ(d.DrumSoundImage(0, ch), 64);
        for (int x = 0; x < 32; ++x) EXPECT_EQ(d.DrumRhythms(0, x, ch), ch == 0 && x < 16 && x % 4 == 0);
    }
}

TEST(DrumPatterns, SaveReplacesTheWholeFile) {
    const auto path = std::filesystem::temp_directory_path() / "drum_save_test.dat";
    分析鼓点 d;
    d.DrumArrData({Named(1), Named(2), Named(3)});
    ASSERT_TRUE(d.SaveDrum(path).ok);
    EXPECT_EQ(std::filesystem::file_size(path), 309u);
    d.DelLastDrumData();
    ASSERT_TRUE(d.SaveDrum(path).ok);
    const std::string bytes = Slurp(path);
    ASSERT_EQ(bytes.size(), 206u);  // the deleted template does not come back
    const auto back = ReadDrumFile(path);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].DrumVer, 2);
    // A trailing partial record is no template.
    std::ofstream(path, std::ios::binary | std::ios::app) << "xyz";
    EXPECT_EQ(ReadDrumFile(path).size(), 2u);
    std::filesystem::remove(path);
    EXPECT_TRUE(ReadDrumFile(path).empty());
    EXPECT_FALSE(d.SaveDrum(std::filesystem::temp_directory_path() / "no such folder" / "x.dat").ok);
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// The templates shipped beside the program, made from data/DrumMod.txt.
TEST(DrumPatterns, ShippedTemplatesAreWholeRecordsThatSound) {
    std::ifstream in("DrumMod.dat", std::ios::binary);
    ASSERT_TRUE(in) << "DrumMod.dat is made into the program's folder by the build";
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size() % 103, 0u);
    分析鼓点 d;
    d.DrumArrData(ParseDrumRecords(bytes));
    ASSERT_GE(d.DrumCount(), 5);
    EXPECT_EQ(d.DrumName(0), test::Gbk(u8"摇滚四拍"));
    EXPECT_EQ(d.DrumTime(0), 16);
    EXPECT_TRUE(d.DrumRhythms(0, 0, 0));  // the bass drum on the first step
    EXPECT_EQ(d.DrumSounds(0, 0) + 13, 36);
    for (int i = 0; i < d.DrumCount(); ++i) {
        EXPECT_EQ(d.HaveDrum(i), 1);
        bool any = false;
        for (int ch = 0; ch < 8; ++ch)
            for (int x = 0; x < d.DrumTime(i); ++x) any = any || (d.DrumChannel(i, ch) && d.DrumRhythms(i, x, ch));
        EXPECT_TRUE(any) << i;
        for (int ch = 0; ch < 8; ++ch) EXPECT_LE(d.DrumSounds(i, ch) + 13, 127);
    }
}

}  // namespace
}  // namespace tessaly
