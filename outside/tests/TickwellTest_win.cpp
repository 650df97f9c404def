#include <windows.h>
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "PlayMidi_win.h"
#include "PlayNote.h"
#include "TimerWait_win.h"
#include "records/Messages.h"
#include "win/Tickwell_win.h"

namespace outside {
namespace {

using test::NowMs;
using test::PumpUntil;
using win::Tickwell;

// Timing figures come from tickwell_bench; a test only checks what load cannot break: the ticks
// come in order and never ahead of the schedule.
TEST(Tickwell, HundredTicksOfFiftyMillisecondsNeverRunAhead) {
    Tickwell t;
    std::vector<double> at;
    t.Timer = [&] { at.push_back(NowMs()); };
    t.Interval(50);
    const double start = NowMs();
    t.Enabled(true);
    ASSERT_TRUE(PumpUntil([&] { return at.size() >= 100; }, 60000));
    t.Enabled(false);
    ASSERT_TRUE(std::is_sorted(at.begin(), at.end()));
    // A millisecond of timer granularity is allowed per tick, never a whole early tick.
    EXPECT_GE(at[99] - start, 100 * 50 - 50);
}

TEST(Tickwell, ZeroFiresAtOnceAndAnIntervalPutInTheHandlerSetsTheNextWait) {
    Tickwell t;
    std::vector<double> at;
    t.Timer = [&] {
        at.push_back(NowMs());
        if (at.size() == 1) t.Interval(30);
    };
    t.Interval(0);
    const double start = NowMs();
    t.Enabled(true);
    ASSERT_TRUE(PumpUntil([&] { return at.size() >= 3; }));
    EXPECT_LT(at[0] - start, 20.0);
    EXPECT_GE(at[1] - at[0], 25.0);
    EXPECT_GE(at[2] - at[1], 25.0);
}

TEST(Tickwell, SwitchedOffItStaysQuietAndOnAgainItResumes) {
    Tickwell t;
    int events = 0;
    t.Timer = [&] {
        if (++events == 2) t.Enabled(false);
    };
    t.Interval(10);
    t.Enabled(true);
    ASSERT_TRUE(PumpUntil([&] { return events == 2; }));
    // Quiet for many intervals: a pending event must not come after the switch.
    Tickwell probe;
    int probeEvents = 0;
    probe.Timer = [&] { ++probeEvents; };
    probe.Interval(10);
    probe.Enabled(true);
    ASSERT_TRUE(PumpUntil([&] { return probeEvents >= 10; }));
    EXPECT_EQ(events, 2);
    EXPECT_FALSE(t.Enabled());
    t.Enabled(true);
    ASSERT_TRUE(PumpUntil([&] { return events >= 3; }));
}

TEST(Tickwell, ReleasedInsideItsOwnEvent) {
    auto t = std::make_unique<Tickwell>();
    bool fired = false;
    t->Timer = [&] {
        fired = true;
        t.reset();
    };
    t->Interval(5);
    t->Enabled(true);
    ASSERT_TRUE(PumpUntil([&] { return fired; }));
    EXPECT_EQ(t, nullptr);
    // Nothing is left to fire at a released timer.
    Tickwell probe;
    int probeEvents = 0;
    probe.Timer = [&] { ++probeEvents; };
    probe.Interval(5);
    probe.Enabled(true);
    ASSERT_TRUE(PumpUntil([&] { return probeEvents >= 5; }));
}

// A song on real timers: its notes keep time, and the stop report may release the whole player
// from inside the last tick.
TEST(Tickwell, ASongPlaysOnTimeAndIsReleasedFromItsOwnStop) {
    struct Clock : tessaly::PlayClock {
        uint32_t Milliseconds() override { return timeGetTime(); }
    } clock;
    tessaly::RecordingMidiOut out;
    tessaly::PlayMidi shared;
    shared.Out = &out;
    shared.Clock = &clock;
    shared.MakeTimer = [] { return std::make_unique<tessaly::TickwellTimer>(); };
    std::vector<double> at;
    std::unique_ptr<tessaly::PlayNote> player = std::make_unique<tessaly::PlayNote>(shared);
    int stops = 0;
    shared.Notify = [&](uint32_t m, int32_t w) {
        if (m != tessaly::WM_ShowPlayPos) return;
        if (w >= 0) at.push_back(NowMs());
        if (w != -1) return;
        ++stops;
        player->CloseMusic();
        player.reset();
    };
    tessaly::aPlayInfo info;
    info.Bpm = 600;  // 100 ms a beat
    info.MainTrack = 1;
    info.Track.resize(2);
    player->SetInfoForPlay(0, info);
    std::vector<tessaly::aCodeEvent> notes(20);
    for (int i = 0; i < 20; ++i) {
        notes[static_cast<size_t>(i)].DelayTimer = 0.5f;
        notes[static_cast<size_t>(i)].Audio = static_cast<int16_t>(60 + i % 12);
        notes[static_cast<size_t>(i)].Volume = 90;
        notes[static_cast<size_t>(i)].SelStart = i;
    }
    ASSERT_TRUE(player->SetNoteCode(notes.data(), 20, 1).ok);
    ASSERT_TRUE(player->SetNoteCode(notes.data(), 5, 2).ok);
    ASSERT_TRUE(player->BeginPlay().ok);
    ASSERT_TRUE(PumpUntil([&] { return player == nullptr; }));
    EXPECT_EQ(stops, 1);
    ASSERT_EQ(at.size(), 20u);
    // Never ahead of the beat; how late a loaded machine makes it is for tickwell_bench.
    EXPECT_GE(at.back() - at.front(), 19 * 50 - 19);
}

}  // namespace
}  // namespace outside
