#pragma once
#include <windows.h>
#include <mmsystem.h>

#include "PlayMidi.h"
#include "win/Tickwell_win.h"

namespace tessaly {

// The MIDI mapper through the multimedia API, opened with no callback.
class WinMidiOut final : public MidiOut {
public:
    ~WinMidiOut() override { Close(); }
    int32_t Open() override;
    void Close() override;
    // Dropped while the output is not open.
    void ShortMsg(uint32_t message) override;

private:
    HMIDIOUT handle_ = nullptr;
};

// The multimedia clock: to the millisecond while a timer holds the 1 ms resolution, where the
// tick count may step by 15 ms and would upset the players' measure of their own ticks.
class SystemClock final : public PlayClock {
public:
    uint32_t Milliseconds() override { return timeGetTime(); }
};

// Fills in the window system's side of the shared state: the output, the clock, messages sent to
// the target window, the message pump and the warning that no output could be opened.
void UseWindowsPlayback(PlayMidi& shared, WinMidiOut& out, SystemClock& clock);

// A player's timer on a Tickwell.
class TickwellTimer final : public PlayTimer {
public:
    TickwellTimer();
    void Interval(int32_t ms) override { tickwell_.Interval(ms); }
    int32_t Interval() const override { return tickwell_.Interval(); }
    void Enabled(bool on) override { tickwell_.Enabled(on); }
    bool Enabled() const override { return tickwell_.Enabled(); }

private:
    win::Tickwell tickwell_;
};

// The window system's playback state of one owner: its own MIDI mapper, so that closing it never
// cuts another owner's output, the multimedia clock, and Tickwell timers for the players.
struct WindowsPlayback {
    WindowsPlayback();
    WindowsPlayback(const WindowsPlayback&) = delete;
    WindowsPlayback& operator=(const WindowsPlayback&) = delete;

    WinMidiOut Out;
    SystemClock Clock;
    PlayMidi Shared;
};

}  // namespace tessaly
