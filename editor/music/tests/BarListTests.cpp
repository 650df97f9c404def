#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "MusicFixture.h"
#include "model/document/MarkCodes.h"

namespace notaline {
namespace {

using test::SetMark;
using test::SetSong;
using test::SetText;

TEST(BarList, WithoutTwoBarLinesTheDocumentIsOneBarAndKeepsItsDrums) {
    for (const char* song : {"1234", "12|34"}) {
        EditorData data;
        SetSong(data, song);
        data.XjDrum.resize(3);
        data.XjDrum[1].DrumVer = 7;
        const EditorData before = data;
        const BarList bars = BuildXjInfo(data);
        EXPECT_TRUE(bars.SingleBar);
        EXPECT_EQ(bars.XjCount, 1);
        ASSERT_EQ(bars.Bars.size(), 1u);
        EXPECT_EQ(bars.Bars[0].OrderType, 'E');
        EXPECT_EQ(bars.Bars[0].XjSelStart, 0);
        EXPECT_EQ(bars.Bars[0].XjSelEnd, data.WordCount() - 1);
        EXPECT_EQ(bars.Bars[0].PlayBlock, 1);
        EXPECT_EQ(bars.Bars[0].WdAsc, std::string(song).size() == 5 ? 91 : 0);
        // The document is untouched; the song plays its drum patterns as read.
        ASSERT_EQ(data.XjDrum.size(), 3u);
        EXPECT_EQ(data.XjDrum[1].DrumVer, 7);
        EXPECT_EQ(data.PlayInfo.XjDrumCount, before.PlayInfo.XjDrumCount);
        const auto drums = SongDrums(data, bars);
        ASSERT_EQ(drums.size(), 3u);
        EXPECT_EQ(drums[1].DrumVer, 7);
        EXPECT_EQ(test::Codes(data).size(), 4u);  // every note plays
    }
}

TEST(BarList, PlainBarLinesStayInBlockZeroAndNeverSound) {
    EditorData data;
    SetSong(data, "|12|34|");
    const BarList bars = BuildXjInfo(data);
    EXPECT_FALSE(bars.SingleBar);
    EXPECT_EQ(bars.XjCount, 2);
    EXPECT_EQ(bars.Bars[0].PlayBlock, 0);
    EXPECT_EQ(bars.Bars[1].PlayBlock, 0);
    EXPECT_EQ(bars.Bars[0].XjSelEnd, 3);
    EXPECT_EQ(bars.Bars[2].XjSelEnd, 0);
    EXPECT_TRUE(test::Codes(data).empty());
}

TEST(BarList, SpecialBarLinesOpenBlocks) {
    EditorData data;
    SetSong(data, "9[12|34|56:71|2]3");
    const BarList bars = BuildXjInfo(data);
    ASSERT_EQ(bars.Bars.size(), 6u);
    EXPECT_EQ(bars.XjCount, 5);
    const int blocks[] = {1, 1, 1, 2, 2, 3};
    const char letters[] = {'B', 'E', 'E', 'C', 'E', 'H'};
    for (size_t j = 0; j < 6; ++j) {
        EXPECT_EQ(bars.Bars[j].PlayBlock, blocks[j]) << j;
        EXPECT_EQ(bars.Bars[j].OrderType, letters[j]) << j;
    }
    // Before the first bar line and after the last nothing plays.
    data.PlayInfo.Track[0].tPlayOrder[1] = {3, tessaly::kTrue};
    const auto codes = test::Codes(data);
    ASSERT_EQ(codes.size(), 6u);
    EXPECT_EQ(codes[0].SelStart, 2);
    EXPECT_EQ(codes[5].SelStart, 9);
}

TEST(BarList, MarksOnTheBarLineNameIt) {
    EditorData data;
    SetSong(data, "[1|2|3|4|5|");
    SetMark(data, 2, 0, 14);  // Fine
    SetMark(data, 2, 1, 9);   // D.C.: tested before Fine, so Fine wins
    SetMark(data, 4, 3, 11);
    SetMark(data, 6, 0, kMarkOpenVoltaStart);
    SetText(data, 6, 0, "1.");
    SetMark(data, 6, 1, 15);
    const BarList bars = BuildXjInfo(data);
    EXPECT_EQ(bars.Bars[1].OrderType, 'O');
    EXPECT_EQ(bars.Bars[2].OrderType, 'L');
    EXPECT_EQ(bars.Bars[3].OrderType, 'Q');
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bars.Bars[3].ExtralWord)), "1.");
    EXPECT_EQ(bars.Bars[3].PlayBlock, 4);
    EXPECT_EQ(bars.Bars[4].PlayBlock, 4);  // a plain bar line continues it
}

TEST(BarList, AVoltaOnANoteSplitsTheBarAndTheNoteSoundsOnce) {
    EditorData data;
    SetSong(data, "[12|34|");
    SetMark(data, 5, 0, kMarkVoltaStart);
    SetText(data, 5, 0, "2.");
    data.PlayInfo.Track[0].tPlayOrder[1] = {2, tessaly::kTrue};
    const BarList bars = BuildXjInfo(data);
    ASSERT_EQ(bars.Bars.size(), 4u);
    EXPECT_EQ(bars.Bars[1].XjSelEnd, 5);
    EXPECT_EQ(bars.Bars[2].OrderType, 'R');
    EXPECT_EQ(bars.Bars[2].XjSelStart, 5);
    EXPECT_EQ(bars.Bars[2].PlayBlock, 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bars.Bars[2].ExtralWord)), "2.");
    std::vector<int32_t> at;
    for (const auto& e : test::Codes(data)) at.push_back(e.SelStart);
    EXPECT_EQ(at, (std::vector<int32_t>{1, 2, 4, 5}));
}

TEST(BarList, BlockNumbersDoNotWrap) {
    // 65537 section lines: a 16-bit block counter would come back to 1 and sound again.
    std::string song(65537, ':');
    song.insert(1, "1");
    song.back() = '[';
    song += "5|";
    EditorData data;
    SetSong(data, song);
    const BarList bars = BuildXjInfo(data);
    EXPECT_EQ(bars.XjCount, 65537);
    EXPECT_EQ(bars.Blocks[65536], 65537);
    EXPECT_EQ(bars.Bars[65536].PlayBlock, 32767);
    const auto codes = test::Codes(data);
    ASSERT_EQ(codes.size(), 1u);  // only the note of block 1
    EXPECT_EQ(codes[0].SelStart, 1);
}

}  // namespace
}  // namespace notaline
