#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "DocumentBuilder.h"
#include "MakeMid.h"
#include "MusicFixture.h"
#include "model/document/MarkCodes.h"
#include "music/MidiExport.h"

namespace notaline {
namespace {

using tessaly::aMidEvent;
using test::SetMark;
using test::SetSong;
using test::SetText;

std::vector<aMidEvent> Events(const EditorData& data, int32_t track = 1) {
    return BuildTrackMidEvents(data, BuildXjInfo(data), track);
}

// "type:key:velocity/delta" of each event after the two controllers.
std::string Describe(const std::vector<aMidEvent>& events, size_t from = 2) {
    std::string out;
    for (size_t i = from; i < events.size(); ++i) {
        const auto& e = events[i];
        char buf[48];
        std::snprintf(buf, sizeof buf, "%s%d:%d:%d/%g", out.empty() ? "" : " ", e.EventType, e.cc, e.vv,
                      static_cast<double>(e.DeltaTime));
        out += buf;
    }
    return out;
}

TEST(MidiExport, TrackStartsWithVolumePanAndDelay) {
    EditorData data;
    SetSong(data, "[1|");
    data.PlayInfo.Track[0].Volume = 100;
    data.PlayInfo.Track[0].SoundImage = 64;
    data.PlayInfo.Track[0].DelayTimer = 8;
    const auto e = Events(data);
    EXPECT_EQ(Describe(e, 0), "11:7:100/0 11:10:64/0 9:60:0/0 8:60:0/1 9:60:100/0 8:60:0/1");
    data.PlayInfo.Track[0].DelayTimer = 0;
    EXPECT_EQ(Describe(Events(data), 0), "11:7:100/0 11:10:64/0 9:60:100/0 8:60:0/1");
}

TEST(MidiExport, RestsDashesDotsAndSilentEntries) {
    EditorData data;
    SetSong(data, "[10-3.|");
    data.PlayInfo.Track[0].tPlayOrder[1] = {1, tessaly::kFalse};
    EXPECT_EQ(Describe(Events(data)),
              "9:60:100/0 8:60:0/1 9:60:0/0 8:60:0/2 9:64:100/0 8:64:0/1.5 "
              "9:60:0/0 8:60:0/1 9:60:0/0 8:60:0/2 9:64:0/0 8:64:0/1.5");
    // A dash before the first note lengthens the start delay.
    SetSong(data, "[-1|");
    data.PlayInfo.Track[0].DelayTimer = 4;
    EXPECT_EQ(Describe(Events(data)), "9:60:0/0 8:60:0/1.5 9:60:100/0 8:60:0/1");
}

TEST(MidiExport, TupletsTiesAndGraceNotes) {
    EditorData data;
    SetSong(data, "[123|");
    for (int w : {1, 2, 3}) data.WordInfo[static_cast<size_t>(w)].Yc = 1;
    SetMark(data, 1, 0, kMarkTupletStart);
    SetText(data, 1, 0, "3");
    const auto t = Events(data);
    for (size_t i : {3u, 5u, 7u}) EXPECT_FLOAT_EQ(t[i].DeltaTime, 1.0f / 3);
    SetText(data, 1, 0, "7");  // past the end: the notes there are
    EXPECT_FLOAT_EQ(Events(data)[7].DeltaTime, 1.0f / 7);

    SetSong(data, "[1123|");
    SetMark(data, 1, 0, 72);
    SetMark(data, 2, 0, 73);
    const auto tied = Events(data);
    EXPECT_EQ(Describe(tied), "9:60:100/0 8:60:0/2 9:62:100/0 8:62:0/1 9:64:100/0 8:64:0/1");

    SetSong(data, "[5612|");
    SetMark(data, 1, 0, kMarkGraceNote, 2, 1);
    SetMark(data, 2, 0, kMarkGraceNote, 2, 2);
    data.WordInfo[4].Yc = 2;
    SetMark(data, 4, 0, kMarkGraceNote, 6, 1);  // after the last note: no group there
    EXPECT_EQ(Describe(Events(data)),
              "9:67:100/0 8:67:0/0.0625 9:69:100/0 8:69:0/0.0625 9:60:100/0 8:60:0/0.875 9:62:100/0 8:62:0/0.25");
}

TEST(MidiExport, RefusalsLeaveNoFile) {
    const auto dir = std::filesystem::temp_directory_path() / "midi_export_refusal";
    std::filesystem::create_directories(dir);
    const auto path = dir / "song.Mid";
    std::filesystem::remove(path);
    EditorData data;
    SetSong(data, "[1|", 16);
    data.PlayInfo.TotalTrack = 16;
    const auto status = WriteMidFile(data, path);
    EXPECT_FALSE(status.ok);
    EXPECT_FALSE(status.reason.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    data.PlayInfo.Track[15].IsUser = tessaly::kFalse;
    EXPECT_TRUE(WriteMidFile(data, path).ok);
    data.PlayInfo.Bpm = 0;
    std::filesystem::remove(path);
    EXPECT_FALSE(WriteMidFile(data, path).ok);
    EXPECT_FALSE(std::filesystem::exists(path));
    std::filesystem::remove_all(dir);
}

#ifdef JP_MIDI_READER
std::string RunReader(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    if (pclose(p) != 0) out += "reader failed\n";
    return out;
}

struct Note {
    double Beats;
    int Key;
    int Velocity;
};

// Three tracks with dashes, a dot, a rest, a triplet, a tie and a grace note, and a drum pattern,
// read back by an independent reader: each note-on lies at its beats x 240.
TEST(MidiExport, AnIndependentReaderFindsEveryNoteWhereItBelongs) {
    EditorData data;
    SetSong(data, "[1-2.03|456|11|71|", 3);
    for (int w : {8, 9, 10}) data.WordInfo[static_cast<size_t>(w)].Yc = 1;
    SetMark(data, 8, 0, kMarkTupletStart);
    SetText(data, 8, 0, "3");
    SetMark(data, 12, 0, 72);
    SetMark(data, 13, 0, 73);
    SetMark(data, 15, 0, kMarkGraceNote, 1, 1);
    auto& tracks = data.PlayInfo.Track;
    tracks[1].DelayTimer = 8;
    tracks[1].ComSounds = 40;
    tracks[2].tPlayOrder[0].IsPlay = tessaly::kFalse;
    data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    data.XjDrum.resize(1);
    data.XjDrum[0].DrumTimeSignature = 3;
    data.XjDrum[0].DrumChannel = 0x80;
    data.XjDrum[0].DrumSounds[0] = 22;
    data.XjDrum[0].DrumVolume[0] = 90;
    data.XjDrum[0].DrumRhythms[0] = 0x88;
    data.XjDrum[0].DrumRhythms[1] = 0x88;

    const Note song[] = {{0, 60, 100},
                         {2, 62, 100},
                         {3.5, 60, 0},
                         {4.5, 64, 100},
                         {5.5, 65, 100},
                         {5.5 + 1.0 / 3, 67, 100},
                         {5.5 + 2.0 / 3, 69, 100},
                         {6.5, 60, 100},
                         {8.5, 71, 100},
                         {8.625, 60, 100}};
    std::ostringstream expected;
    expected << "type 1 division 240 tracks 5\n0 tempo 500000\n";
    for (int t = 1; t <= 3; ++t) {
        expected << t << " tempo 500000\n" << t << " program " << t - 1 << " " << (t == 2 ? 40 : 0) << "\n";
        if (t == 2) expected << "2 on 1 0 60 0\n";
        for (const Note& n : song) {
            const double beats = n.Beats + (t == 2 ? 1 : 0);
            expected << t << " on " << t - 1 << " " << std::lround(beats * 240) << " " << n.Key << " "
                     << (t == 3 ? 0 : n.Velocity) << "\n";
        }
    }
    expected << "4 program 9 0\n4 tempo 500000\n";
    for (int tick : {0, 240, 480, 720}) expected << "4 on 9 " << tick << " 35 90\n";

    // Named afresh each run: test runs of other checkouts share the temporary folder.
    const auto path =
        std::filesystem::temp_directory_path() / (std::to_string(std::random_device{}()) + "_readback.Mid");
    tessaly::aMidTxtInfo texts;
    texts.歌曲标题 = "Song";
    const auto status = WriteMidFile(data, path, texts);
    ASSERT_TRUE(status.ok) << status.reason;
    EXPECT_EQ(RunReader(std::string(JP_MIDI_READER) + " '" + path.string() + "'"), expected.str());
    std::filesystem::remove(path);
}
#endif

}  // namespace
}  // namespace notaline
