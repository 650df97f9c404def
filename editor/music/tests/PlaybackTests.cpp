// Playing a song sends the notes that the extraction computed, in the order and at the times
// of the MIDI export of the same document.
#include <gtest/gtest.h>

#include <cmath>

#include "FakePlayTimer.h"
#include "MusicFixture.h"
#include "PlayNote.h"
#include "model/EditorData.h"
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
        if ((m & 0xF0) == 0x90 && (m >> 16 & 0xFF) > 0) sounded.push_back({static_cast<int>(m & 15), static_cast<int>(m >> 8 & 0xFF), clock_.Milliseconds()});
    }
    struct Sound {
        int channel;
        int key;
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

TEST(Playback, ASongPlaysAsItExports) {
    EditorData data;
    test::SetSong(data, "[1234|5-65|3.21-|0123|7.6-5|1---]", 2);
    data.PlayInfo.IsPlayDrum = tessaly::kFalse;
    const BarList bars = BuildXjInfo(data);
    const double beatMs = 60000.0 / data.PlayInfo.Bpm;

    int tracks = 0;
    for (int16_t t = 1; t <= data.PlayInfo.TotalTrack; ++t) {
        if (!tessaly::IsTrue(data.PlayInfo.Track[static_cast<size_t>(t) - 1].IsUser)) continue;
        const auto codes = CollectTrackCodes(data, bars, t);
        if (codes.empty()) continue;
        ++tracks;
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
        ASSERT_TRUE(player.SetNoteCode(codes.data(), static_cast<int32_t>(codes.size()), t).ok);
        const uint32_t start = clock.Milliseconds();
        ASSERT_TRUE(player.BeginPlay().ok);
        clock.Run();

        std::vector<Timed> played;
        for (const auto& s : out.sounded) played.push_back({s.key, std::round((s.at - start) / beatMs * 1000) / 1000});
        std::vector<Timed> exported;
        double beats = 0;
        for (const auto& e : BuildTrackMidEvents(data, bars, t)) {
            beats += e.DeltaTime;
            if (e.EventType == 9 && e.vv > 0) exported.push_back({e.cc, std::round(beats * 1000) / 1000});
        }
        ASSERT_FALSE(played.empty());
        EXPECT_EQ(played, exported) << "track " << t;
    }
    EXPECT_GT(tracks, 0);
}

}  // namespace
}  // namespace notaline
