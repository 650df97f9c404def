#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "DaDurTestUtil.h"
#include "DrumPatterns.h"
#include "MakeMid.h"

namespace tessaly {
namespace {

using test::Gbk;

std::string Hex(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty()) out += ' ';
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
    return out;
}

aPlayInfo Play(int16_t bpm = 120, uint8_t metre = 3, int tracks = 3) {
    aPlayInfo p;
    p.Bpm = bpm;
    p.JiePai = metre;
    p.TotalTrack = static_cast<uint8_t>(tracks);
    p.MainTrack = 1;
    p.Track.resize(static_cast<size_t>(tracks));
    return p;
}

// The data of chunk n (0 = header) of a file.
std::string Chunk(const std::string& file, int n) {
    size_t at = 0;
    for (;; --n) {
        const uint32_t len = (uint32_t(uint8_t(file[at + 4])) << 24) | (uint32_t(uint8_t(file[at + 5])) << 16) |
                             (uint32_t(uint8_t(file[at + 6])) << 8) | uint8_t(file[at + 7]);
        if (n == 0) return file.substr(at + 8, len);
        at += 8 + len;
    }
}

TEST(MakeMid, VariableLengthNumbers) {
    EXPECT_EQ(MakeMid::EncodeVLQ(0), "00");
    EXPECT_EQ(MakeMid::EncodeVLQ(120), "78");
    EXPECT_EQ(MakeMid::EncodeVLQ(480), "8360");
    EXPECT_EQ(MakeMid::EncodeVLQ(240), "8170");
    EXPECT_EQ(MakeMid::EncodeVLQ(200), "8148");
    EXPECT_EQ(MakeMid::EncodeVLQ(0x0FFFFFFF), "FFFFFF7F");
    EXPECT_EQ(MakeMid::EncodeVLQ(0xFFFFFFFF), "FFFFFF7F");  // the largest the format holds
    EXPECT_EQ(BeatsToTicks(0.5), 120u);
    EXPECT_EQ(BeatsToTicks(-1), 0u);
    EXPECT_EQ(BeatsToTicks(std::nan("")), 0u);
    EXPECT_EQ(BeatsToTicks(1.0 / 480), 0u);  // half a tick goes to the even neighbour
    EXPECT_EQ(BeatsToTicks(3.0 / 480), 2u);
}

TEST(MakeMid, HeaderAndGlobalTrack) {
    MakeMid m;
    ASSERT_TRUE(m.WriteMidHead({}, Play(), "x.mid").ok);
    EXPECT_EQ(Hex(m.Bytes().substr(0, 14)), "4D 54 68 64 00 00 00 06 00 01 00 01 00 F0");
    EXPECT_EQ(Hex(m.Bytes().substr(14)),
              "4D 54 72 6B 00 00 00 17 00 FF 51 03 07 A1 20 00 FF 58 04 04 02 18 08 00 FF 06 00 00 FF 2F 00");
}

TEST(MakeMid, TempoCountsQuarterNotesInEveryMetre) {
    // 6/8 at 120 is 500000 us per quarter, as playback plays it (not 1000000).
    MakeMid m;
    ASSERT_TRUE(m.WriteMidHead({}, Play(120, 6), "x.mid").ok);
    EXPECT_EQ(Hex(Chunk(m.Bytes(), 1).substr(0, 15)), "00 FF 51 03 07 A1 20 00 FF 58 04 06 03 18 08");
    ASSERT_TRUE(m.WriteMidHead({}, Play(120, 9), "x.mid").ok);
    EXPECT_EQ(Hex(Chunk(m.Bytes(), 1).substr(11, 4)), "0C 03 18 08");
    ASSERT_TRUE(m.WriteMidHead({}, Play(8192), "x.mid").ok);  // past 16 bits of 4 x Bpm
    EXPECT_EQ(Hex(Chunk(m.Bytes(), 1).substr(4, 3)), "00 1C 9C");
}

TEST(MakeMid, RefusesTemposAndMetresTheFileCannotHold) {
    MakeMid m;
    EXPECT_FALSE(m.WriteMidHead({}, Play(0), "x.mid").ok);
    EXPECT_FALSE(m.WriteMidHead({}, Play(3), "x.mid").ok);
    EXPECT_FALSE(m.WriteMidHead({}, Play(-5), "x.mid").ok);
    EXPECT_FALSE(m.WriteMidHead({}, Play(120, 10), "x.mid").ok);
    EXPECT_FALSE(m.IsOpen());
    EXPECT_TRUE(m.WriteMidHead({}, Play(4), "x.mid").ok);
}

TEST(MakeMid, GlobalTexts) {
    aMidTxtInfo t;
    t.歌曲备注 = "abc";
    t.歌曲版权 = std::string(200, 'c');
    t.歌曲标题 = Gbk(u8"茉莉花");
    t.文本标记 = "m";
    MakeMid m;
    ASSERT_TRUE(m.WriteMidHead(t, Play(), "x.mid").ok);
    const std::string g = Chunk(m.Bytes(), 1);
    EXPECT_EQ(g.substr(0, 10), std::string("\0\xFF\x03\x06", 4) + Gbk(u8"茉莉花"));
    EXPECT_NE(g.find(std::string("\0\xFF\x06\x01m", 5)), std::string::npos);
    EXPECT_NE(g.find(std::string("\0\xFF\x02\x81\x48", 5) + std::string(200, 'c')), std::string::npos);
    EXPECT_NE(g.find(std::string("\0\xFF\x01\x04"
                                 "abc\n",
                                 8)),
              std::string::npos);
}

TEST(MakeMid, SongTrack) {
    aPlayInfo p = Play();
    p.Track[2].ComSounds = 40;
    p.Track[2].Volume = 100;
    p.Track[0].Yd = 3;  // the main track's key: three flats
    MakeMid m;
    ASSERT_TRUE(m.WriteMidHead({}, p, "x.mid").ok);
    const aMidEvent events[] = {{0, 9, 60, 100, 5}, {0.5f, 8, 60, 0, 5}, {2, 9, 62, 100, 6}};
    ASSERT_TRUE(m.WriteTrackInfo(events, 3, 3).ok);
    const std::string t = Chunk(m.Bytes(), 2);
    const std::string label = Gbk(u8"本音轨乐器索引：") + "40";
    EXPECT_EQ(Hex(t.substr(0, 16)), "00 FF 51 03 07 A1 20 00 FF 59 02 FD 00 00 C0 28");
    EXPECT_EQ(t.substr(16, 4 + label.size()), std::string("\0\xFF\x03", 3) + char(label.size()) + label);
    EXPECT_EQ(Hex(t.substr(20 + label.size())), "00 B0 07 64 00 90 3C 64 78 80 3C 00 83 60 90 3E 64 00 FF 2F 00");
    EXPECT_EQ(Hex(m.Bytes().substr(10, 2)), "00 02");
    ASSERT_TRUE(m.WriteTrackInfo(events, 0, 1).ok);
    EXPECT_EQ(Hex(m.Bytes().substr(10, 2)), "00 03");
}

// Tracks that sound take channels in the order they are handed over, the drums' skipped.
TEST(MakeMid, ChannelsGoInTheOrderTracksAreHandedOverSkippingTheDrums) {
    const struct {
        std::vector<int16_t> Tracks;
        std::vector<int> Channels;
    } rows[] = {{{1, 2, 4}, {0, 1, 2}},
                {{3}, {0}},
                {{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 1}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11}}};
    for (const auto& r : rows) {
        MakeMid m;
        ASSERT_TRUE(m.WriteMidHead({}, Play(120, 3, 24), "x.mid").ok);
        for (size_t k = 0; k < r.Tracks.size(); ++k) {
            ASSERT_TRUE(m.WriteTrackInfo(nullptr, 0, r.Tracks[k]).ok);
            // The track's program change names its channel.
            EXPECT_EQ(0xC0 | r.Channels[k], static_cast<uint8_t>(Chunk(m.Bytes(), static_cast<int>(k) + 2).at(14)))
                << r.Tracks[k];
        }
    }
}

TEST(MakeMid, FifteenSongTracksAtMost) {
    MakeMid m;
    ASSERT_TRUE(m.WriteMidHead({}, Play(120, 3, 24), "x.mid").ok);
    // Fifteen tracks fill every channel but the drums'; a sixteenth is refused.
    for (int16_t t = 10; t <= 24 && m.TrackCount() < 16; ++t) ASSERT_TRUE(m.WriteTrackInfo(nullptr, 0, t).ok) << t;
    EXPECT_EQ(m.TrackCount(), 16);
    EXPECT_EQ(-1, m.NextChannel());
    const DaDurStatus refused = m.WriteTrackInfo(nullptr, 0, 1);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.reason.empty());
    EXPECT_FALSE(m.WriteTrackInfo(nullptr, 0, 25).ok);
    EXPECT_FALSE(m.WriteTrackInfo(nullptr, 0, 0).ok);
    // Every song track has its own channel, none on the drums'.
    std::vector<bool> seen(16);
    for (int n = 2; n < 17; ++n) {
        const std::string t = Chunk(m.Bytes(), n);
        const int ch = uint8_t(t[14]) & 15;  // the program change's status
        EXPECT_EQ(uint8_t(t[14]) & 0xF0, 0xC0);
        EXPECT_NE(ch, 9);
        EXPECT_FALSE(seen[ch]);
        seen[ch] = true;
    }
}

TEST(MakeMid, DrumTrack) {
    std::vector<XjDrumData> patterns(2);
    分析鼓点 d;
    d.ViewRecords(patterns.data(), 2);
    for (int i = 0; i < 2; ++i) {
        d.DrumTimeSignature(i, 3);
        d.DrumChannel(i, 0, true);
        d.DrumSounds(i, 0, 22);
        d.DrumVolume(i, 0, 100);
        d.DrumSoundImage(i, 0, 64);
    }
    for (int x : {0, 4, 8, 12}) d.DrumRhythms(0, x, 0, true);
    d.DrumRhythms(1, 2, 0, true);
    d.DrumRhythms(1, 5, 1, true);  // channel 1 is off
    MakeMid m;
    ASSERT_TRUE(m.WriteMidHead({}, Play(), "x.mid").ok);
    ASSERT_TRUE(m.WriteMidDrumInfo(patterns.data(), 2).ok);
    EXPECT_EQ(
        Hex(Chunk(m.Bytes(), 2)),
        "00 C9 00 00 FF 51 03 07 A1 20 "
        "00 99 23 64 00 B9 0A 40 81 70 99 23 64 00 B9 0A 40 81 70 99 23 64 00 B9 0A 40 81 70 99 23 64 00 B9 0A 40 "
        // the next pattern counts from the last note: three steps left of the bar and two of its own
        "82 68 99 23 64 00 B9 0A 40 00 FF 2F 00");
}

TEST(MakeMid, DataBytesStayBelow128) {
    std::vector<XjDrumData> patterns(1);
    分析鼓点 d;
    d.ViewRecords(patterns.data(), 1);
    d.DrumTimeSignature(0, 0);
    d.DrumChannel(0, 0, true);
    d.DrumChannel(0, 1, true);
    d.DrumRhythms(0, 0, 0, true);
    d.DrumRhythms(0, 1, 1, true);
    d.DrumSounds(0, 0, 200);  // no such key: skipped
    d.DrumSounds(0, 1, 30);
    d.DrumVolume(0, 1, 250);
    d.DrumSoundImage(0, 1, 128);
    aPlayInfo p = Play();
    p.Track[0].Volume = 200;
    p.Track[0].ComSounds = 255;
    MakeMid m;
    ASSERT_TRUE(m.WriteMidHead({}, p, "x.mid").ok);
    const aMidEvent e[] = {{-3, 9, 200, 255, 0}, {1, 4, 1, 1, 0}};
    ASSERT_TRUE(m.WriteTrackInfo(e, 2, 1).ok);
    ASSERT_TRUE(m.WriteMidDrumInfo(patterns.data(), 1).ok);
    EXPECT_NE(Hex(Chunk(m.Bytes(), 2)).find("00 90 7F 7F 81 70 80 01 01"), std::string::npos);
    EXPECT_NE(Hex(Chunk(m.Bytes(), 3)).find("3C 99 2B 7F 00 B9 0A 7F"), std::string::npos);
}

TEST(MakeMid, WritesTheFileOnlyWhole) {
    const auto dir = std::filesystem::temp_directory_path() / "makemid_test";
    std::filesystem::create_directories(dir);
    const auto path = dir / "song.Mid";
    std::ofstream(path) << "old contents";
    MakeMid m;
    aMidTxtInfo t;
    t.歌曲文件名 = path.string();
    ASSERT_TRUE(m.WriteMidHead(t, Play()).ok);
    ASSERT_TRUE(m.WriteTrackInfo(nullptr, 0, 1).ok);
    ASSERT_TRUE(m.ColseFile().ok);
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        EXPECT_EQ(s.str(), m.Bytes());
    }

    MakeMid bad;
    ASSERT_TRUE(bad.WriteMidHead({}, Play(), dir / "missing" / "x.Mid").ok);
    EXPECT_FALSE(bad.ColseFile().ok);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tessaly
