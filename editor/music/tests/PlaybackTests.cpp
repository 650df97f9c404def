// Playing a song sends the notes that the extraction computed, in the order and at the times
// of the MIDI export of the same document, but for the differences listed below.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "DocumentBuilder.h"
#include "DrumPatterns.h"
#include "FakePlayTimer.h"
#include "FileAccess.h"
#include "MidiBytes.h"
#include "MusicFixture.h"
#include "PlayNote.h"
#include "model/document/EditorData.h"
#include "model/document/MarkCodes.h"
#include "music/BarList.h"
#include "music/MidiExport.h"
#include "music/NoteExtraction.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

// Note-ons that sound, with the time they were sent.
class TimedOut final : public tessaly::MidiOut {
public:
    explicit TimedOut(tessaly::PlayClock& clock) : clock_(clock) {}
    int32_t Open() override { return 0; }
    void Close() override {}
    void ShortMsg(uint32_t m) override {
        if ((m & 0xF0) == 0x90 && (m >> 16 & 0xFF) > 0)
            sounded.push_back({static_cast<int>(m & 15), static_cast<int>(m >> 8 & 0xFF),
                               static_cast<int>(m >> 16 & 0xFF), clock_.Milliseconds()});
    }
    struct Sound {
        int channel;
        int key;
        int velocity;
        uint32_t at;
    };
    std::vector<Sound> sounded;

private:
    tessaly::PlayClock& clock_;
};

double Beats3(double beats) {
    return std::round(beats * 1000) / 1000;
}

// Every note-on of the song as played (track 1 and the drums) and as read back from the exported
// file, each with its channel, key, beat and velocity, in time order.
struct Sound {
    int channel;
    int key;
    double beats;
    int velocity;
    bool operator==(const Sound&) const = default;
};

void PrintTo(const Sound& s, std::ostream* os) {
    *os << s.channel << ":" << s.key << "@" << s.beats << "v" << s.velocity;
}

void Sort(std::vector<Sound>& sounds) {
    std::stable_sort(sounds.begin(), sounds.end(), [](const Sound& a, const Sound& b) {
        return a.beats < b.beats || (a.beats == b.beats && a.channel < b.channel);
    });
}

// What track t sounds, played from its first note, and the drums when they are on.
std::vector<Sound> PlayedSong(const EditorData& data, int16_t t = 1) {
    const BarList bars = BuildXjInfo(data);
    const auto codes = CollectTrackCodes(data, bars, t);
    auto drums = SongDrums(data, bars);
    tessaly::test::FakePlayClock clock;
    TimedOut out(clock);
    tessaly::PlayMidi shared;
    shared.Out = &out;
    shared.Clock = &clock;
    shared.MakeTimer = clock.Maker();
    tessaly::PlayNote player(shared);
    auto info = data.PlayInfo;
    info.Track[static_cast<size_t>(t) - 1].DelayTimer = 0;
    player.SetInfoForPlay(0, info);
    EXPECT_TRUE(player.SetNoteCode(codes.data(), static_cast<int32_t>(codes.size()), t).ok);
    if (tessaly::IsTrue(data.PlayInfo.IsPlayDrum)) {
        EXPECT_TRUE(player.SetDrumCodes(drums.data(), static_cast<int16_t>(drums.size())).ok);
    }
    const uint32_t start = clock.Milliseconds();
    EXPECT_TRUE(player.BeginPlay().ok);
    clock.Run();
    const double beatMs = 60000.0 / data.PlayInfo.Bpm;
    std::vector<Sound> sounds;
    for (const auto& s : out.sounded) sounds.push_back({s.channel, s.key, Beats3((s.at - start) / beatMs), s.velocity});
    Sort(sounds);
    return sounds;
}

// The note-ons of the exported file, read back from its bytes.
std::vector<Sound> ExportedSong(const EditorData& data) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("playback_differences_" + std::to_string(tessaly::TemporarySeed()) + ".Mid");
    EXPECT_TRUE(WriteMidFile(data, path).ok);
    std::ifstream in(path, std::ios::binary);
    const std::string f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(path);
    std::vector<Sound> sounds;
    for (size_t at = 14; at + 8 <= f.size();) {
        const size_t end = std::min<size_t>(at + 8 + test::ChunkLength(f, at), f.size());
        uint64_t ticks = 0;
        for (at += 8; at < end;) {
            ticks += test::ReadVlq(f, at, end);
            const auto status = static_cast<uint8_t>(f[at++]);
            if (status == 0xFF) {
                ++at;
                at += test::ReadVlq(f, at, end);
            } else if ((status >> 4) == 0xC || (status >> 4) == 0xD) {
                ++at;
            } else {
                const int key = uint8_t(f[at]), velocity = uint8_t(f[at + 1]);
                at += 2;
                if ((status >> 4) == 0x9 && velocity > 0)
                    sounds.push_back({status & 15, key, Beats3(ticks / 240.0), velocity});
            }
        }
        at = end;
    }
    Sort(sounds);
    return sounds;
}

TEST(Playback, ASongPlaysAsItExports) {
    EditorData data;
    test::SetSong(data, "[1234|5-65|3.21-|0123|7.6-5|1---]", 2);
    data.PlayInfo.IsPlayDrum = tessaly::kFalse;
    const BarList bars = BuildXjInfo(data);
    const auto file = ExportedSong(data);
    int tracks = 0;
    for (int16_t t = 1; t <= data.PlayInfo.TotalTrack; ++t) {
        if (!tessaly::IsTrue(data.PlayInfo.Track[static_cast<size_t>(t) - 1].IsUser)) continue;
        if (CollectTrackCodes(data, bars, t).empty()) continue;
        ++tracks;
        // The file's track t is on channel t - 1; its velocities are the track's volume.
        std::vector<std::pair<int, double>> played, exported;
        for (const Sound& sound : PlayedSong(data, t)) played.push_back({sound.key, sound.beats});
        for (const Sound& sound : file)
            if (sound.channel == t - 1) exported.push_back({sound.key, sound.beats});
        ASSERT_FALSE(played.empty());
        EXPECT_EQ(played, exported) << "track " << t;
    }
    EXPECT_GT(tracks, 0);
}

// Playback and the export differ on purpose where the file format or the player decides, and
// only there: each row's song with its sounds both ways.
TEST(Playback, WhereItDiffersFromTheExportOnPurpose) {
    const struct {
        const char* what;
        const char* song;
        std::function<void(EditorData&)> setup;
        std::vector<Sound> played, exported;
    } rows[] = {
        // A grace note sounds a quarter beat when played, an eighth in the file (a sixteenth beside
        // a short note); its length moves only the note it leads into. Only playback follows the
        // dynamics marks; the file gives every note the track's volume.
        {"grace note and dynamics",
         "[1561|2345|]",
         [](EditorData& d) {
             test::SetMark(d, 2, 0, kMarkGraceNote, 1, 1);  // the 5 leads into the 6
             test::SetMark(d, 7, 4, 25);                    // 弱 on the 3
         },
         {{0, 60, 0, 127},
          {0, 67, 1, 127},
          {0, 69, 1.25, 127},
          {0, 60, 2, 127},
          {0, 62, 3, 127},
          {0, 64, 4, 65},
          {0, 65, 5, 127},
          {0, 67, 6, 127}},
         {{0, 60, 0, 100},
          {0, 67, 1, 100},
          {0, 69, 1.125, 100},
          {0, 60, 2, 100},
          {0, 62, 3, 100},
          {0, 64, 4, 100},
          {0, 65, 5, 100},
          {0, 67, 6, 100}}},
        // A note of no length inside a tuplet takes the group's length when played; the file keeps
        // it at none, so the next note starts with it.
        {"zero-length note in a tuplet",
         "[123|]",
         [](EditorData& d) {
             for (int w : {1, 2, 3}) d.WordInfo[static_cast<size_t>(w)].Yc = 1;
             d.WordInfo[2].Yc = 4;  // a damaged duration: no length
             test::SetMark(d, 1, 0, kMarkTupletStart);
             test::SetText(d, 1, 0, "3");
         },
         {{0, 60, 0, 127}, {0, 62, 0.332, 127}, {0, 64, 0.666, 127}},  // in whole milliseconds
         {{0, 60, 0, 100}, {0, 62, 0.333, 100}, {0, 64, 0.333, 100}}},
        // A dash before a track's first note has no note to hold when played; the file delays the
        // track by its beat.
        {"dash before the first note",
         "[-12|]",
         [](EditorData&) {},
         {{0, 60, 0, 127}, {0, 62, 1, 127}},
         {{0, 60, 1, 100}, {0, 62, 2, 100}}},
        // Played drums stop when the last track ends; the file holds every pattern to its end.
        {"drums after the last note",
         "[1|]",
         [](EditorData& d) {
             d.PlayInfo.IsPlayDrum = tessaly::kTrue;
             d.PlayInfo.DrumVolume = 127;
             d.XjDrum.assign(2, tessaly::XjDrumData{});
             tessaly::分析鼓点 drums;
             drums.ViewRecords(d.XjDrum.data(), 2);
             for (int i = 0; i < 2; ++i) {
                 drums.DrumTimeSignature(i, 3);  // 4/4
                 drums.DrumChannel(i, 0, true);
                 drums.DrumSounds(i, 0, 22);
                 drums.DrumVolume(i, 0, 90);
                 drums.HaveDrum(i, 1);
             }
             drums.DrumRhythms(0, 0, 0, true);
             drums.DrumRhythms(0, 8, 0, true);
             d.PlayInfo.XjDrumCount = 2;
         },
         {{0, 60, 0, 127}, {9, 35, 0, 90}},
         {{0, 60, 0, 100}, {9, 35, 0, 90}, {9, 35, 2, 90}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EditorData data;
        test::SetSong(data, r.song);
        data.PlayInfo.IsPlayDrum = tessaly::kFalse;
        r.setup(data);
        EXPECT_EQ(PlayedSong(data), r.played);
        EXPECT_EQ(ExportedSong(data), r.exported);
    }
}

}  // namespace
}  // namespace notaline
