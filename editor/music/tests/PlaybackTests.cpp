// Playing a song sends the notes that the extraction computed, in the order and at the times
// of the MIDI export of the same document, but for the differences listed below.
#include <gtest/gtest.h>

#include <cmath>

#include "FakePlayTimer.h"
#include "DocumentBuilder.h"
#include "MusicFixture.h"
#include "PlayNote.h"
#include "model/EditorData.h"
#include "model/MarkCodes.h"
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
            sounded.push_back({static_cast<int>(m & 15), static_cast<int>(m >> 8 & 0xFF), static_cast<int>(m >> 16 & 0xFF), clock_.Milliseconds()});
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

struct Timed {
    int key;
    double beats;
    bool operator==(const Timed&) const = default;
};

void PrintTo(const Timed& t, std::ostream* os) { *os << t.key << "@" << t.beats; }

double Beats3(double beats) { return std::round(beats * 1000) / 1000; }

// The notes one track sounds when played alone from its first note, with their velocities.
std::vector<Timed> Played(const EditorData& data, const BarList& bars, int16_t t, std::vector<int>* velocities = nullptr) {
    const auto codes = CollectTrackCodes(data, bars, t);
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
    const uint32_t start = clock.Milliseconds();
    EXPECT_TRUE(player.BeginPlay().ok);
    clock.Run();
    const double beatMs = 60000.0 / data.PlayInfo.Bpm;
    std::vector<Timed> played;
    for (const auto& s : out.sounded) {
        played.push_back({s.key, Beats3((s.at - start) / beatMs)});
        if (velocities) velocities->push_back(s.velocity);
    }
    return played;
}

// The notes of the same track in the MIDI export.
std::vector<Timed> Exported(const EditorData& data, const BarList& bars, int16_t t, std::vector<int>* velocities = nullptr) {
    std::vector<Timed> exported;
    double beats = 0;
    for (const auto& e : BuildTrackMidEvents(data, bars, t)) {
        beats += e.DeltaTime;
        if (e.EventType != 9 || e.vv == 0) continue;
        exported.push_back({e.cc, Beats3(beats)});
        if (velocities) velocities->push_back(e.vv);
    }
    return exported;
}

TEST(Playback, ASongPlaysAsItExports) {
    EditorData data;
    test::SetSong(data, "[1234|5-65|3.21-|0123|7.6-5|1---]", 2);
    data.PlayInfo.IsPlayDrum = tessaly::kFalse;
    const BarList bars = BuildXjInfo(data);
    int tracks = 0;
    for (int16_t t = 1; t <= data.PlayInfo.TotalTrack; ++t) {
        if (!tessaly::IsTrue(data.PlayInfo.Track[static_cast<size_t>(t) - 1].IsUser)) continue;
        if (CollectTrackCodes(data, bars, t).empty()) continue;
        ++tracks;
        const auto played = Played(data, bars, t);
        ASSERT_FALSE(played.empty());
        EXPECT_EQ(played, Exported(data, bars, t)) << "track " << t;
    }
    EXPECT_GT(tracks, 0);
}

// Playback and export differ on purpose in two things only: a grace note sounds a quarter of a
// beat when played and an eighth (or a sixteenth beside a short note) in the file, and only
// playback follows the dynamics marks, while the file gives every note the track's volume.
TEST(Playback, WhereItDiffersFromTheExportOnPurpose) {
    EditorData data;
    test::SetSong(data, "[1561|2345|1---]");
    test::SetMark(data, 2, 0, kMarkGraceNote, 1, 1);  // the 5 leads into the 6
    test::SetMark(data, 7, 4, 25);                    // 弱 on the 3
    const BarList bars = BuildXjInfo(data);
    std::vector<int> playedVelocities, exportedVelocities;
    const auto played = Played(data, bars, 1, &playedVelocities);
    const auto exported = Exported(data, bars, 1, &exportedVelocities);
    ASSERT_EQ(played.size(), exported.size());
    for (size_t i = 0; i < played.size(); ++i) EXPECT_EQ(played[i].key, exported[i].key) << i;
    // The grace note's length moves only the note it leads into; the rest keeps time.
    EXPECT_EQ(played[2], (Timed{69, 1.25}));
    EXPECT_EQ(exported[2], (Timed{69, 1.125}));
    for (size_t i = 0; i < played.size(); ++i) {
        if (i == 2) continue;
        EXPECT_EQ(played[i], exported[i]) << i;
    }
    EXPECT_EQ(playedVelocities, (std::vector<int>{127, 127, 127, 127, 127, 65, 127, 127, 127}));
    EXPECT_EQ(exportedVelocities, std::vector<int>(9, 100));
}

}  // namespace
}  // namespace notaline
