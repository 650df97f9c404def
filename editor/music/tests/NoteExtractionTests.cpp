#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "MusicFixture.h"
#include "model/document/MarkCodes.h"

namespace notaline {
namespace {

using test::Codes;
using test::Lengths;
using test::SetMark;
using test::SetSong;
using test::SetText;
using test::Volumes;
using V = std::vector<float>;

EditorData Song(std::string_view pattern) {
    EditorData data;
    SetSong(data, pattern);
    return data;
}

void SetYc(EditorData& data, std::initializer_list<int32_t> words, uint8_t yc) {
    for (int32_t w : words) data.WordInfo[static_cast<size_t>(w)].Yc = yc;
}

TEST(NoteExtraction, PitchByOctaveAndLengths) {
    EditorData data = Song("[1234567|");
    const uint8_t octaves[] = {0, 1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 7; ++i) data.WordInfo[static_cast<size_t>(i) + 1].YG = octaves[i];
    for (int i = 0; i < 7; ++i) data.WordInfo[static_cast<size_t>(i) + 1].Yc = static_cast<uint8_t>(i);
    const auto codes = Codes(data);
    std::vector<int> keys;
    for (const auto& e : codes) keys.push_back(e.Audio);
    EXPECT_EQ(keys, (std::vector<int>{60, 74, 88, 101, 55, 45, 35}));
    EXPECT_EQ(Lengths(codes), (V{1, 0.5f, 0.25f, 0.125f, 0, 0, 0}));
    data.WordInfo[1].YG = 9;  // unknown octave: the middle one
    EXPECT_EQ(Codes(data)[0].Audio, 60);
}

TEST(NoteExtraction, DashesDotsAndRests) {
    EditorData data = Song("-.[1---|1-|1.|1.-|0|");
    SetYc(data, {8}, 1);
    const auto codes = Codes(data);
    EXPECT_EQ(Lengths(codes), (V{4, 1.5f, 1.5f, 2.5f, 1}));
    EXPECT_EQ(codes[4].Audio, 0);
    EXPECT_EQ(codes[4].Volume, 0);  // a rest is silent in a sounding block too
    EXPECT_EQ(codes[0].Volume, 127);
}

TEST(NoteExtraction, SingingOrderRepeatsAndSilences) {
    EditorData data = Song("[12|");
    data.PlayInfo.Track[0].tPlayOrder[3] = {1, tessaly::kFalse};
    data.PlayInfo.Track[0].tPlayOrder[5] = {1, tessaly::kTrue};
    const auto codes = Codes(data);
    EXPECT_EQ(Volumes(codes), (std::vector<int>{127, 127, 0, 0, 127, 127}));
    EXPECT_EQ(codes[3].SelStart, 2);
    data.PlayInfo.Track[0].Volume = 0;
    EXPECT_EQ(Volumes(Codes(data)), (std::vector<int>(6, 0)));
    EXPECT_TRUE(Codes(data, 2).empty());
    EXPECT_TRUE(Codes(data, 0).empty());
}

// The count by bars is the number of characters the walk visits, whatever the bars and the order.
TEST(NoteExtraction, PlayedCharCountIsTheWalksCount) {
    for (std::string_view pattern : {"[12|", "-.[1---|1-|1.|1.-|0|", "1234567", "[12|34:56|7", "12|[3|4"}) {
        EditorData data = Song(pattern);
        data.PlayInfo.Track[0].tPlayOrder[2] = {1, tessaly::kFalse};
        data.PlayInfo.Track[0].tPlayOrder[4] = {2, tessaly::kTrue};
        const BarList bars = BuildXjInfo(data);
        for (int32_t track : {0, 1, 2}) {
            size_t visits = 0;
            ForEachPlayedChar(data, bars, track, [&](int32_t, bool) { ++visits; });
            EXPECT_EQ(visits, PlayedCharCount(data, bars, track)) << pattern << " track " << track;
        }
    }
}

// Blocks: '[' opens 1, each ':' the next; rests alone and the unplayed last entry hold no notes;
// notes before the first bar line count as block 0. A silent entry names its block too; an unused
// track's order counts for nothing.
TEST(NoteExtraction, BlocksLeftOutByTheSingingOrder) {
    const struct {
        std::string_view song;
        std::vector<tessaly::aPlayBlock> order;
        bool secondTrackNamesBlock3;
        std::vector<int32_t> leftOut;
    } rows[] = {
        {"[12:34:00:56]7", {{1, -1}, {2, -1}, {1, -1}, {4, -1}}, false, {}},
        {"[12:34:00:56]7", {{1, -1}}, false, {2, 4}},
        {"[12:34:00:56]7", {{2, 0}, {4, -1}}, false, {1}},
        {"[12:34:00:56]7", {}, false, {1, 2, 4}},
        {"[12:34:56]", {{1, -1}}, true, {2}},
        {"12|34[56]", {{1, -1}}, false, {0}},
        {"12|34|", {}, false, {0}},
        {"1234", {}, false, {1}},  // no bar line: one bar in block 1
    };
    for (const auto& r : rows) {
        EditorData data;
        SetSong(data, r.song, 2);
        auto& order = data.PlayInfo.Track[0].tPlayOrder;
        std::fill(std::begin(order), std::end(order), tessaly::aPlayBlock{});
        std::copy(r.order.begin(), r.order.end(), order);
        data.PlayInfo.Track[1].tPlayOrder[0] = {3, tessaly::kTrue};
        data.PlayInfo.Track[1].IsUser = r.secondTrackNamesBlock3 ? tessaly::kTrue : tessaly::kFalse;
        const BarList bars = BuildXjInfo(data);
        EXPECT_EQ(r.leftOut, BlocksLeftOut(data, bars)) << r.song << ", " << r.order.size() << " entries";
        // The 7 after the final bar line is left out too, and said so.
        EXPECT_EQ(r.song.ends_with("]7"), NotesAfterLastBarLine(data, bars)) << r.song;
        EXPECT_EQ(r.leftOut.empty() && !NotesAfterLastBarLine(data, bars),
                  LeftOutNotice(data, bars, kLeftOutOfFile).empty())
            << r.song;
    }
}

TEST(NoteExtraction, Tuplets) {
    EditorData data = Song("[123456|");
    SetYc(data, {1, 2, 3}, 1);
    SetMark(data, 1, 2, kMarkTupletStart);
    SetText(data, 1, 2, " 3");
    auto l = Lengths(Codes(data));
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(l[static_cast<size_t>(i)], 1.0f / 3);
    EXPECT_EQ(l[3], 1);

    SetText(data, 1, 2, "0");
    EXPECT_EQ(Lengths(Codes(data)), (V{0.5f, 0.5f, 0.5f, 1, 1, 1}));
    SetText(data, 1, 2, "-3");
    EXPECT_EQ(Lengths(Codes(data)), (V{0.5f, 0.5f, 0.5f, 1, 1, 1}));
    // A quintuplet on the last two notes takes the notes there are.
    SetText(data, 1, 2, "");
    SetMark(data, 5, 0, kMarkTupletStart);
    SetText(data, 5, 0, "5");
    EXPECT_EQ(Lengths(Codes(data)), (V{0.5f, 0.5f, 0.5f, 1, 0.4f, 0.4f}));
}

TEST(NoteExtraction, TiesJoinNeighboursOnly) {
    EditorData data = Song("[111|");
    SetMark(data, 1, 0, 72);
    SetMark(data, 2, 0, 73);
    EXPECT_EQ(Lengths(Codes(data)), (V{2, 0, 1}));
    SetMark(data, 2, 1, 150);
    SetMark(data, 3, 0, 151);
    EXPECT_EQ(Lengths(Codes(data)), (V{2, 1, 0}));  // the middle note takes the last one's length
    data.WordInfo[2].WdAsc = '2';
    EXPECT_EQ(Lengths(Codes(data)), (V{1, 1, 1}));

    EditorData far = Song("[111|");
    SetMark(far, 1, 0, 72);
    SetMark(far, 3, 0, 73);
    EXPECT_EQ(Lengths(Codes(far)), (V{1, 1, 1}));
}

TEST(NoteExtraction, GraceNotes) {
    EditorData data = Song("[51|");
    SetMark(data, 1, 0, kMarkGraceNote, 1, 1);
    SetYc(data, {1}, 3);  // a thirty-second grace note still lasts a quarter of a beat
    auto codes = Codes(data);
    EXPECT_EQ(Lengths(codes), (V{0.25f, 0.75f}));
    EXPECT_EQ(codes[0].State, 1);
    EXPECT_EQ(codes[1].State, 1);
    SetYc(data, {2}, 1);
    EXPECT_EQ(Lengths(Codes(data)), (V{0.25f, 0.25f}));
    SetYc(data, {2}, 2);
    EXPECT_EQ(Lengths(Codes(data)), (V{0.25f, 0.25f}));

    EditorData two = Song("[561|");
    SetMark(two, 1, 0, kMarkGraceNote, 2, 1);
    SetMark(two, 2, 0, kMarkGraceNote, 2, 2);
    codes = Codes(two);
    EXPECT_EQ(Lengths(codes), (V{0.25f, 0.25f, 0.5f}));
    for (const auto& e : codes) EXPECT_EQ(e.State, 2);

    // After the note: kind 4 on the second of two notes.
    EditorData after = Song("[15|");
    SetMark(after, 2, 0, kMarkGraceNote, 4, 1);
    codes = Codes(after);
    EXPECT_EQ(Lengths(codes), (V{0.75f, 0.25f}));
    EXPECT_EQ(codes[0].State, 4);
}

TEST(NoteExtraction, GraceGroupsPastTheTrackEndsChangeOnlyTheGraceNote) {
    EditorData end = Song("[15|");
    SetMark(end, 2, 0, kMarkGraceNote, 3, 1);
    auto codes = Codes(end);
    EXPECT_EQ(Lengths(codes), (V{1, 0.25f}));
    EditorData start = Song("[51|");
    SetMark(start, 1, 0, kMarkGraceNote, 6, 2);
    EXPECT_EQ(Lengths(Codes(start)), (V{0.25f, 1}));
    SetMark(start, 1, 0, kMarkGraceNote, 9, 1);
    EXPECT_EQ(Lengths(Codes(start)), (V{0.25f, 1}));
}

TEST(NoteExtraction, Dynamics) {
    EditorData data = Song("[123450|");
    EXPECT_EQ(Volumes(Codes(data)), (std::vector<int>{127, 127, 127, 127, 127, 0}));
    data.PlayInfo.Track[0].Volume = 3;
    SetMark(data, 2, 4, 25);  // 弱 on the second note only
    EXPECT_EQ(Volumes(Codes(data)), (std::vector<int>{127, 65, 127, 127, 127, 0}));
    SetMark(data, 3, 0, 31);  // 强后即弱
    SetMark(data, 5, 0, 32);  // 特强后即弱 before a rest: nothing to soften
    EXPECT_EQ(Volumes(Codes(data)), (std::vector<int>{127, 65, 110, 65, 127, 0}));
    SetMark(data, 1, 0, 28);
    SetMark(data, 1, 1, 81);  // 渐强号 overrides 强
    const auto codes = Codes(data);
    EXPECT_EQ(codes[0].Volume, 75);
    EXPECT_EQ(codes[0].State, 81);
    SetMark(data, 6, 0, 82);  // on a rest: nothing
    EXPECT_EQ(Codes(data)[5].State, 0);

    EditorData last = Song("[12|");
    SetMark(last, 2, 0, 32);
    EXPECT_EQ(Volumes(Codes(last)), (std::vector<int>{127, 127}));
}

}  // namespace
}  // namespace notaline
