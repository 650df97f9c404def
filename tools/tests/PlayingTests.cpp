#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "DrumPatterns.h"
#include "FakePlayTimer.h"
#include "PlayNote.h"
#include "Playing.h"
#include "ReportHold.h"
#include "records/Messages.h"

namespace tessaly {
namespace {

using test::FakePlayClock;

constexpr uint32_t kHandlerMs = 3;  // what each sounding tick spends letting messages run

struct Bench {
    FakePlayClock clock;
    RecordingMidiOut out;
    PlayMidi shared;
    std::vector<std::pair<uint32_t, int32_t>> reports;
    std::function<void(uint32_t, int32_t)> onReport;
    int warnings = 0;

    Bench() {
        out.Open();
        shared.Out = &out;
        shared.Clock = &clock;
        shared.MakeTimer = clock.Maker();
        shared.DoEvents = [this] { clock.Advance(kHandlerMs); };
        shared.Notify = [this](uint32_t m, int32_t w) {
            reports.emplace_back(m, w);
            if (onReport) onReport(m, w);
        };
        shared.WarnNoMidi = [this] { ++warnings; };
        shared.Settings.Bpm = 120;
        shared.Settings.MainTrack = 1;
        shared.Settings.DrumVolume = 90;
        shared.Settings.Track.resize(16);
        shared.Settings.TotalTrack = 16;
        for (auto& t : shared.Settings.Track) {
            t.Volume = 100;
            t.ComSounds = 5;
            t.SoundImage = 64;
        }
    }
    FakePlayClock::FakeTimer& Timer(size_t i) { return *clock.Timers().at(i); }
    int Count(uint32_t message, int32_t w) const {
        int n = 0;
        for (auto& r : reports) n += r.first == message && r.second == w;
        return n;
    }
};

aCodeEvent Note(float length, int key, int velocity = 100, int selStart = 0, bool null = false) {
    aCodeEvent e;
    e.DelayTimer = length;
    e.Audio = static_cast<int16_t>(key);
    e.Volume = static_cast<uint8_t>(velocity);
    e.SelStart = selStart;
    e.Null = null ? kTrue : kFalse;
    return e;
}

int Status(uint32_t m) {
    return static_cast<int>(m & 0xFF);
}
int Data1(uint32_t m) {
    return static_cast<int>(m >> 8 & 0xFF);
}
int Data2(uint32_t m) {
    return static_cast<int>(m >> 16 & 0xFF);
}
bool IsNoteOn(uint32_t m) {
    return (Status(m) & 0xF0) == 0x90 && Data2(m) > 0;
}
bool IsNoteOff(uint32_t m) {
    return (Status(m) & 0xF0) == 0x80 || ((Status(m) & 0xF0) == 0x90 && Data2(m) == 0);
}

// The (channel, key) pairs left sounding by a message stream.
std::set<std::pair<int, int>> Sounding(const std::vector<uint32_t>& messages) {
    std::set<std::pair<int, int>> on;
    for (uint32_t m : messages) {
        if (IsNoteOn(m))
            on.insert({Status(m) & 15, Data1(m)});
        else if (IsNoteOff(m))
            on.erase({Status(m) & 15, Data1(m)});
    }
    return on;
}

std::vector<uint32_t> NoteOns(const std::vector<uint32_t>& messages) {
    std::vector<uint32_t> ons;
    for (uint32_t m : messages)
        if ((Status(m) & 0xF0) == 0x90) ons.push_back(m);
    return ons;
}

std::unique_ptr<Playing> SongPlayer(Bench& b, std::vector<aCodeEvent> notes, bool main = true) {
    auto p = std::make_unique<Playing>(b.shared);
    p->通道(2);
    p->主音轨(main);
    EXPECT_TRUE(p->SetTrackPlayNote(notes.data(), static_cast<int32_t>(notes.size())).ok);
    return p;
}

// --- Timing -------------------------------------------------------------------------------------

TEST(PlayingTiming, EachWaitIsTheEventLessTheTickThenOneTickStops) {
    Bench b;
    auto p = SongPlayer(b, {Note(500, 60, 100, 7), Note(500, 62, 100, 8), Note(250, 64, 100, 9)});
    p->开始演奏();
    b.clock.Run();
    EXPECT_EQ(b.Timer(0).Puts, (std::vector<int32_t>{0, 500 - 3, 500 - 3, 250 - 3}));
    const auto& fired = b.Timer(0).Fired;
    ASSERT_EQ(fired.size(), 4u);
    EXPECT_EQ(fired[1] - fired[0], 500u);
    EXPECT_EQ(fired[2] - fired[1], 500u);
    EXPECT_EQ(fired[3] - fired[2], 250u);
    EXPECT_EQ(b.reports, (std::vector<std::pair<uint32_t, int32_t>>{
                             {WM_ShowPlayPos, 7}, {WM_ShowPlayPos, 8}, {WM_ShowPlayPos, 9}, {WM_ShowPlayPos, -1}}));
    EXPECT_FALSE(p->IsPlaying());
}

TEST(PlayingTiming, FractionsArePaidBackOneMillisecondWhenTheCarryReachesOne) {
    Bench b;
    const float beat = 60000.0f / 70;  // 857.142…
    std::vector<aCodeEvent> notes(50, Note(beat, 60));
    auto p = SongPlayer(b, notes);
    p->开始演奏();
    b.clock.Run();
    const auto& puts = b.Timer(0).Puts;
    ASSERT_EQ(puts.size(), 51u);
    const double fraction = static_cast<double>(beat) - 857;
    for (int k = 1; k <= 50; ++k) {
        const bool carried = std::floor(k * fraction) > std::floor((k - 1) * fraction);
        EXPECT_EQ(puts[static_cast<size_t>(k)], (carried ? 858 : 857) - 3) << "event " << k;
    }
    // No drift: fifty events took fifty beats to the millisecond.
    const auto& fired = b.Timer(0).Fired;
    EXPECT_EQ(fired.back() - fired.front(), static_cast<uint32_t>(std::floor(50 * static_cast<double>(beat))));
}

TEST(PlayingTiming, SlowTickFiresAtOnceAndSilentEventsKeepTheNoteSounding) {
    Bench b;
    b.shared.DoEvents = [&] { b.clock.Advance(40); };
    auto p = SongPlayer(b, {Note(30, 60), Note(0, 61), Note(100, 62, 100, 0, true), Note(100, 64, 0)});
    p->开始演奏();
    b.clock.Run();
    EXPECT_EQ(b.Timer(0).Puts[1], 30 - 40);
    // The empty and the silent event send nothing; the rest switches 60 off and sends velocity 0.
    const auto ons = NoteOns(b.out.Messages);
    ASSERT_EQ(ons.size(), 2u);
    EXPECT_EQ(Data1(ons[1]), 64);
    EXPECT_EQ(Data2(ons[1]), 0);
    EXPECT_TRUE(Sounding(b.out.Messages).empty());
}

// --- Messages -----------------------------------------------------------------------------------

TEST(PlayingMessages, EverySoundedNoteIsOffAtTheEndAndAtPause) {
    Bench b;
    auto p = SongPlayer(b, {Note(100, 60), Note(100, 62), Note(100, 64)});
    p->开始演奏();
    b.clock.Run(b.clock.Milliseconds() + 150);
    ASSERT_FALSE(Sounding(b.out.Messages).empty());
    p->暂停(true);
    EXPECT_TRUE(p->暂停());
    EXPECT_TRUE(Sounding(b.out.Messages).empty());
    EXPECT_EQ(b.clock.Run(b.clock.Milliseconds() + 1000), 0);
    p->暂停(false);
    EXPECT_FALSE(p->暂停());
    b.clock.Run();
    // Resumed with the next event, not from the start.
    EXPECT_EQ(NoteOns(b.out.Messages).size(), 3u);
    EXPECT_TRUE(Sounding(b.out.Messages).empty());
}

TEST(PlayingMessages, OnlyTheMainTrackReportsPositionsButEveryTrackItsStop) {
    Bench b;
    auto p = SongPlayer(b, {Note(100, 60, 100, 4)}, false);
    p->开始演奏();
    b.clock.Run();
    EXPECT_EQ(b.reports, (std::vector<std::pair<uint32_t, int32_t>>{{WM_ShowPlayPos, -1}}));
    p->关闭演奏();
    EXPECT_EQ(b.reports.size(), 1u);
}

TEST(PlayingMessages, KeysAndValuesStayDataBytes) {
    Bench b;
    Playing p(b.shared);
    p.通道(3);
    p.通道音量(200);
    p.PlayOneDrum(300, 100);
    EXPECT_EQ(b.out.Messages,
              (std::vector<uint32_t>{MidiShortMessage(0xB3, 7, 127), MidiShortMessage(0x99, 127, 100)}));
}

// --- Drums --------------------------------------------------------------------------------------

XjDrumData Pattern(uint8_t metre, uint8_t speed = 120, uint8_t haveDrum = 1) {
    分析鼓点 d;
    d.DrumCount(1);
    d.DrumTimeSignature(0, metre);
    d.DrumSpeed(0, speed);
    d.HaveDrum(0, haveDrum);
    d.DrumChannel(0, 0, true);
    d.DrumSounds(0, 0, 22);
    d.DrumVolume(0, 0, 80);
    d.DrumSoundImage(0, 0, 30);
    for (int s = 0; s < kDrumSteps; s += 2) d.DrumRhythms(0, s, 0, true);
    return d.DrumArrData()[0];
}

TEST(PlayingDrums, ABarOfFourFourAtOneTwentyIsSixteenStepsOfOneTwentyFive) {
    for (auto [metre, steps] : {std::pair{3, 16}, std::pair{6, 12}}) {
        Bench b;
        std::vector<XjDrumData> patterns{Pattern(static_cast<uint8_t>(metre))};
        Playing p(b.shared);
        ASSERT_TRUE(p.SetDrumCodes(patterns.data(), 1).ok);
        p.开始演奏();
        b.clock.Run();
        const auto& puts = b.Timer(0).Puts;
        ASSERT_EQ(puts.size(), static_cast<size_t>(steps) + 1) << metre;
        for (size_t i = 1; i < puts.size(); ++i) EXPECT_EQ(puts[i], 125 - 3);
        // One note every other step, key 22 + 13, channel 10, switched off at the end.
        const auto ons = NoteOns(b.out.Messages);
        ASSERT_EQ(ons.size(), static_cast<size_t>(steps) / 2);
        EXPECT_EQ(ons[0], MidiShortMessage(0x99, 35, 80));
        EXPECT_TRUE(Sounding(b.out.Messages).empty());
        EXPECT_TRUE(b.reports.empty());
    }
}

TEST(PlayingDrums, SongPatternWithoutDrumSoundsSilently) {
    Bench b;
    std::vector<XjDrumData> patterns{Pattern(3, 120, 0)};
    Playing p(b.shared);
    ASSERT_TRUE(p.SetDrumCodes(patterns.data(), 1).ok);
    p.开始演奏();
    b.clock.Run();
    for (uint32_t m : NoteOns(b.out.Messages)) EXPECT_EQ(Data2(m), 0);
}

TEST(PlayingDrums, AuditionReportsEachBarChangeAndItsEnd) {
    Bench b;
    std::vector<XjDrumData> patterns(5, Pattern(0, 60));
    Playing p(b.shared);
    ASSERT_TRUE(p.PlayingListDrum(patterns.data(), 2, 4, 5).ok);
    b.clock.Run();
    EXPECT_EQ(
        b.reports,
        (std::vector<std::pair<uint32_t, int32_t>>{
            {EM_PlayDrumFrmInfo, -1}, {EM_PlayDrumFrmInfo, 3}, {EM_PlayDrumFrmInfo, 4}, {EM_PlayDrumFrmInfo, -2}}));
    EXPECT_EQ(b.Timer(0).Puts[1], 250 - 8 * 3);  // one bar step at 60 is 250 ms; messages ran eight times
    EXPECT_FALSE(p.PlayingListDrum(patterns.data(), 4, 5, 5).ok);
    EXPECT_FALSE(p.鼓点速度(0).ok);
}

// --- The facade ---------------------------------------------------------------------------------

TEST(PlayNoteSetup, ChannelSetupIsSentWhenATrackIsAddedBeforeAnyNote) {
    Bench b;
    b.out.Messages.clear();
    PlayNote pn(b.shared);
    pn.SetInfoForPlay(0, b.shared.Settings);
    auto notes = std::vector<aCodeEvent>{Note(1, 60)};
    ASSERT_TRUE(pn.SetNoteCode(notes.data(), 1, 2).ok);  // the first handed over: channel 0
    EXPECT_EQ(b.out.Messages, (std::vector<uint32_t>{MidiShortMessage(0xB0, 7, 100), MidiShortMessage(0xB0, 0, 0),
                                                     MidiShortMessage(0xC0, 5, 0), MidiShortMessage(0xB0, 10, 64)}));
    ASSERT_TRUE(pn.BeginPlay().ok);
    b.clock.Run();
    EXPECT_EQ(NoteOns(b.out.Messages).at(0), MidiShortMessage(0x90, 60, 100));
    // One beat at 120 is 500 ms.
    EXPECT_EQ(b.Timer(1).Puts.at(1), 500 - 3);
}

TEST(PlayNoteSetup, ChannelsFollowTheExportAndSkipTheDrums) {
    Bench b;
    PlayNote pn(b.shared);
    pn.SetInfoForPlay(0, b.shared.Settings);
    auto notes = std::vector<aCodeEvent>{Note(1, 60)};
    for (int16_t t = 1; t <= 16; ++t) {
        const bool ok = pn.SetNoteCode(notes.data(), 1, t).ok;
        EXPECT_EQ(ok, t <= 15) << t;
    }
    std::set<int> channels;
    for (int i = 0; i < pn.TrackCount(); ++i) channels.insert(pn.TrackPlayer(i).通道());
    EXPECT_EQ(channels.size(), 15u);
    EXPECT_FALSE(channels.count(kPlayDrumChannel));
    EXPECT_EQ(pn.TrackPlayer(9).通道(), 10);
    // Tracks 1, 2 and 4 sound on 0, 1 and 2, as in the export.
    PlayNote three(b.shared);
    three.SetInfoForPlay(0, b.shared.Settings);
    for (int16_t t : {1, 2, 4}) ASSERT_TRUE(three.SetNoteCode(notes.data(), 1, t).ok);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(i, three.TrackPlayer(i).通道());
}

TEST(PlayNoteSetup, BadInputIsRefusedAndAddsNoPlayer) {
    Bench b;
    PlayNote pn(b.shared);
    auto info = b.shared.Settings;
    auto notes = std::vector<aCodeEvent>{Note(1, 60)};
    info.Bpm = 0;
    pn.SetInfoForPlay(0, info);
    EXPECT_FALSE(pn.SetNoteCode(notes.data(), 1, 1).ok);
    info.Bpm = 120;
    pn.SetInfoForPlay(0, info);
    EXPECT_FALSE(pn.SetNoteCode(notes.data(), 0, 1).ok);
    EXPECT_FALSE(pn.SetNoteCode(notes.data(), 1, 17).ok);
    EXPECT_EQ(pn.TrackCount(), 0);
}

TEST(PlayNoteSetup, StartDelayCountsThirtySecondNotes) {
    Bench b;
    b.shared.Settings.Track[0].DelayTimer = 8;
    PlayNote pn(b.shared);
    pn.SetInfoForPlay(0, b.shared.Settings);
    auto notes = std::vector<aCodeEvent>{Note(1, 60)};
    ASSERT_TRUE(pn.SetNoteCode(notes.data(), 1, 1).ok);
    pn.BeginPlay();
    EXPECT_EQ(b.Timer(1).Puts.at(0), 500);
}

TEST(PlayNoteSetup, WithoutAnOutputItSaysSoOnceAndStartsNothing) {
    Bench b;
    b.out.Close();
    b.out.OpenResult = 2;
    PlayNote pn(b.shared);
    pn.SetInfoForPlay(0, b.shared.Settings);
    auto notes = std::vector<aCodeEvent>{Note(1, 60)};
    ASSERT_TRUE(pn.SetNoteCode(notes.data(), 1, 1).ok);
    EXPECT_FALSE(pn.BeginPlay().ok);
    EXPECT_EQ(b.warnings, 1);
    EXPECT_FALSE(pn.TrackPlayer(0).IsPlaying());
    // An output that opens at last gets the channel setup again.
    b.out.OpenResult = 0;
    ASSERT_TRUE(pn.BeginPlay().ok);
    EXPECT_EQ(b.out.Messages.at(0), MidiShortMessage(0xB0, 7, 100));
}

// Plays a song as the editor does: a stop report stops and releases the player at once.
struct Song {
    Bench b;
    std::unique_ptr<PlayNote> pn;
    int stops = 0;

    explicit Song(const std::vector<std::vector<aCodeEvent>>& tracks, bool drums = false) {
        b.shared.Settings.IsPlayDrum = drums ? kTrue : kFalse;
        pn = std::make_unique<PlayNote>(b.shared);
        pn->SetInfoForPlay(0, b.shared.Settings);
        for (size_t t = 0; t < tracks.size(); ++t)
            EXPECT_TRUE(
                pn->SetNoteCode(tracks[t].data(), static_cast<int32_t>(tracks[t].size()), static_cast<int16_t>(t + 1))
                    .ok);
        b.onReport = [this](uint32_t m, int32_t w) {
            if (m != WM_ShowPlayPos || w != -1) return;
            ++stops;
            if (!pn) return;
            pn->CloseMusic();
            pn.reset();
        };
    }
};

TEST(PlayNoteStop, TheSongEndsWithItsLongestTrackAndReportsOnce) {
    std::vector<XjDrumData> patterns(8, Pattern(3));
    Song s({{Note(1, 60)}, {Note(1, 64), Note(1, 65), Note(1, 67)}}, true);
    ASSERT_TRUE(s.pn->SetDrumCodes(patterns.data(), 8).ok);
    ASSERT_TRUE(s.pn->BeginPlay().ok);
    s.b.clock.Run();
    EXPECT_EQ(s.stops, 1);
    EXPECT_EQ(s.pn, nullptr);
    // Every note of the longer track sounded; the drums were cut with the song.
    std::vector<int> keys;
    for (uint32_t m : NoteOns(s.b.out.Messages))
        if ((Status(m) & 15) == 1) keys.push_back(Data1(m));
    EXPECT_EQ(keys, (std::vector<int>{64, 65, 67}));
    EXPECT_TRUE(Sounding(s.b.out.Messages).empty());
    EXPECT_TRUE(s.b.clock.Timers().empty());
}

TEST(PlayNoteStop, StoppingFromInsideATickIsCleanAndReportsOnce) {
    Song s({{Note(1, 60, 100, 1), Note(1, 62, 100, 2), Note(1, 64, 100, 3)}, {Note(3, 48)}});
    s.b.onReport = [&s, inner = s.b.onReport](uint32_t m, int32_t w) {
        // The user stops while the second note is shown.
        if (m == WM_ShowPlayPos && w == 2 && s.pn) s.pn->CloseMusic();
        inner(m, w);
    };
    ASSERT_TRUE(s.pn->BeginPlay().ok);
    s.b.clock.Run();
    EXPECT_EQ(s.stops, 1);
    EXPECT_EQ(s.pn, nullptr);
    EXPECT_EQ(NoteOns(s.b.out.Messages).size(), 3u);
    EXPECT_TRUE(Sounding(s.b.out.Messages).empty());
}

// A client's object over an audition, gone when its last reference is dropped.
struct AuditionOwner {
    Bench b;
    int refs = 1;
    std::unique_ptr<PlayNote> pn = std::make_unique<PlayNote>(b.shared);
    std::unique_ptr<ReportHold> hold = std::make_unique<ReportHold>(
        b.shared, *pn, [this] { ++refs; }, [this] { Release(); });
    bool goneInTick = false;

    void Release() {
        if (--refs > 0 || !pn) return;
        goneInTick = pn->InHandler();
        hold.reset();
        pn.reset();
    }
};

TEST(PlayNoteStop, AClientDroppingTheAuditionInAReportLetsItGoAfterTheTick) {
    // The report on which the client drops it: a bar change, the end.
    for (int32_t dropOn : {3, -2}) {
        SCOPED_TRACE(dropOn);
        AuditionOwner o;
        std::vector<XjDrumData> patterns(5, Pattern(0, 60));
        o.b.onReport = [&](uint32_t m, int32_t w) {
            if (m == EM_PlayDrumFrmInfo && w == dropOn) o.Release();
        };
        ASSERT_TRUE(o.pn->PlayingListDrum(patterns.data(), 2, 4, 5).ok);
        o.b.clock.Run();
        EXPECT_EQ(o.pn, nullptr);
        EXPECT_FALSE(o.goneInTick);
        EXPECT_TRUE(o.b.clock.Timers().empty());
        EXPECT_TRUE(Sounding(o.b.out.Messages).empty());
    }
    // Stopped by the client outside a tick, it is not held at all.
    AuditionOwner o;
    std::vector<XjDrumData> patterns(5, Pattern(0, 60));
    ASSERT_TRUE(o.pn->PlayingListDrum(patterns.data(), 2, 4, 5).ok);
    o.pn->CloseListDrum();
    EXPECT_EQ(o.b.Count(EM_PlayDrumFrmInfo, -2), 1);
    EXPECT_FALSE(o.hold->Held());
    EXPECT_EQ(o.refs, 1);
}

TEST(PlayNoteStop, PauseHoldsEveryPlayerAndResumeGoesOn) {
    Song s({{Note(1, 60), Note(1, 62)}, {Note(1, 48), Note(1, 50)}});
    ASSERT_TRUE(s.pn->BeginPlay().ok);
    s.b.clock.Run(s.b.clock.Milliseconds() + 100);
    s.pn->暂停(true);
    EXPECT_TRUE(s.pn->暂停());
    EXPECT_TRUE(Sounding(s.b.out.Messages).empty());
    EXPECT_EQ(s.b.clock.Run(s.b.clock.Milliseconds() + 5000), 0);
    s.pn->暂停(false);
    s.b.clock.Run();
    EXPECT_EQ(NoteOns(s.b.out.Messages).size(), 4u);
    EXPECT_EQ(s.stops, 1);
}

}  // namespace
}  // namespace tessaly
