#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "DialogCloser_win.h"
#include "FakePlayTimer.h"
#include "PlayMidi_win.h"
#include "PlayNote.h"
#include "records/Messages.h"

namespace tessaly {
namespace {

constexpr UINT kPosted = WM_APP + 5;
std::vector<std::pair<UINT, intptr_t>> gSeen;

LRESULT CALLBACK Recorder(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_ShowPlayPos || m == kPosted) gSeen.emplace_back(m, static_cast<intptr_t>(wp));
    return DefWindowProcW(w, m, wp, lp);
}

HWND MakeTarget() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Recorder;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PlayMidiTestTarget";
    RegisterClassW(&wc);
    return CreateWindowW(L"PlayMidiTestTarget", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

aPlayInfo Settings() {
    aPlayInfo p;
    p.Bpm = 120;
    p.MainTrack = 1;
    p.TotalTrack = 1;
    p.Track.resize(1);
    return p;
}

TEST(PlayMidiWin, WithoutAnOutputTheUserIsToldOnceAndNothingStarts) {
    WinMidiOut probe;
    if (probe.Open() == 0) GTEST_SKIP() << "this machine has a MIDI output";
    WinMidiOut out;
    SystemClock clock;
    test::FakePlayClock timers;
    PlayMidi shared;
    UseWindowsPlayback(shared, out, clock);
    shared.MakeTimer = timers.Maker();
    DialogCloser closer(IDOK);
    PlayNote pn(shared);
    pn.SetInfoForPlay(0, Settings());
    aCodeEvent e;
    e.DelayTimer = 1;
    e.Audio = 60;
    ASSERT_TRUE(pn.SetNoteCode(&e, 1, 1).ok);
    EXPECT_FALSE(pn.BeginPlay().ok);
    EXPECT_FALSE(pn.TrackPlayer(0).IsPlaying());
    EXPECT_EQ(closer.Presses(), 1);
}

TEST(PlayMidiWin, PositionsReachTheWindowAndPendingMessagesRunInTheTick) {
    const HWND target = MakeTarget();
    ASSERT_NE(target, nullptr);
    WinMidiOut out;
    SystemClock clock;
    test::FakePlayClock timers;
    RecordingMidiOut recording;
    recording.Open();
    PlayMidi shared;
    UseWindowsPlayback(shared, out, clock);
    shared.Out = &recording;
    shared.MakeTimer = timers.Maker();
    shared.Settings = Settings();
    shared.Target = reinterpret_cast<intptr_t>(target);
    gSeen.clear();

    aCodeEvent e;
    e.DelayTimer = 500;
    e.Audio = 60;
    e.Volume = 100;
    e.SelStart = 7;
    Playing p(shared);
    p.主音轨(true);
    ASSERT_TRUE(p.SetTrackPlayNote(&e, 1).ok);
    PostMessageW(target, kPosted, 1, 0);
    p.开始演奏();
    timers.Run();
    EXPECT_EQ(gSeen, (std::vector<std::pair<UINT, intptr_t>>{{kPosted, 1}, {WM_ShowPlayPos, 7}, {WM_ShowPlayPos, -1}}));
    EXPECT_EQ(recording.Messages.size(), 2u);  // the note and its note-off
    DestroyWindow(target);
}

}  // namespace
}  // namespace tessaly
